// Taking back the text of a member whose check failed after its first part was shown.
#include "viewer/document/document_withdraw.h"

#include "viewer/archive/archive_reader.h"
#include "viewer/document/document.h"

namespace {

const char kCrcFailed[] = "CRCが一致しません!圧縮ファイルが壊れているため表示を中止します";
const char kDamaged[] = "圧縮ファイルが壊れているか途中で切れています!表示を中止します";
const char kNoMemory[] = "メモリが足りません!これ以上の読み込みを中止します";

void EmptyText() {
  Document& doc = TheDocument;
  doc.TextEnd = doc.PendingLineStart = doc.ScanPosition = doc.Text;
  doc.ScanColumn = 0;
  *doc.Text = '\0';
  doc.LineCount = doc.RowCount = 0;
  doc.LineTable[0] = 0;
  doc.FileSize = doc.BytesLeft = 0;
  doc.TopLine = 0;
  doc.LeftColumn = 0;
  for (int32_t& edge : doc.Selection) edge = -1;
}

}  // namespace

const char* WithdrawnMemberDamage() {
  Document& doc = TheDocument;
  if (!doc.ArchiveFile || !doc.Source) return nullptr;
  ArchiveReader& member = static_cast<ArchiveReader&>(*doc.Source);
  if (!member.WithdrawsOnDamage()) return nullptr;
  ArchiveResult check = member.CheckMemberIntegrity();
  if (check == ArchiveResult::kOk) return nullptr;
  if (check == ArchiveResult::kCrcMismatch) return kCrcFailed;
  return check == ArchiveResult::kNoMemory ? kNoMemory : kDamaged;
}

const char* WithdrawDamagedMember() {
  if (!TheDocument.Text) return nullptr;
  const char* damage = WithdrawnMemberDamage();
  if (!damage) return nullptr;
  EmptyText();
  ShowLoadProgress();  // the position and the meter of the empty document
  return damage;
}
