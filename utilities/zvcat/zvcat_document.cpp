// zvcat's document host and the common open-and-load step.
#include "utilities/zvcat/zvcat_document.h"

#include <cstring>
#include <string>

#include "utilities/zvcat/zvcat_archive.h"
#include "utilities/zvcat/zvcat_input.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"

namespace {

// The message box that stops a load (the core's own text names the cause: no memory, a member
// whose check failed, or a read that failed), said in the user's language.
const char* LoadStopMessage(const char* coreText) {
  if (std::strstr(coreText, "メモリ")) return zvmsg::kMemoryStopped;
  if (std::strstr(coreText, "CRC")) return zvmsg::kCrcStopped;
  return std::strstr(coreText, "圧縮ファイル") ? zvmsg::kDamagedStopped : zvmsg::kReadStopped;
}

// Prints the message boxes that stop a load at once.
class ZvcatHost : public NullDocumentHost {
 public:
  void ShowErrorBox(const char* text) override {
    Report(LoadStopMessage(text));
    failed_ = true;
  }
  bool Failed() const { return failed_; }
  RowOptions CurrentRowOptions() override { return rows; }

  RowOptions rows;

 private:
  bool failed_ = false;
};

ZvcatHost host;

// Says why the document `path` could not be opened.
void ReportOpenFailure(DocumentResult result, const char* path) {
  switch (result) {
    case DocumentResult::kPathTooLong:
      return Report(zvmsg::kNameTooLong, path);
    case DocumentResult::kNotFound:
      return Report(zvmsg::kFileNotFound, path);
    case DocumentResult::kTooLarge:
      return Report(zvmsg::kTooLarge, path);
    case DocumentResult::kNoMemory:
      return Report(zvmsg::kNoMemory);
    case DocumentResult::kUnsupported:
      return Report(zvmsg::kUnsupported, path);
    case DocumentResult::kCannotOpen:
    case DocumentResult::kReplaced:
    case DocumentResult::kOk:
      break;
  }
  Report(zvmsg::kCannotExtract, path);
}

DocumentResult Open(const ZvcatOptions& options, const char* path) {
  if (options.member >= 0) return OpenDocumentMember(path, options.member);
  if (options.kanjiCode < 0) return OpenDocument(path, AutoDetect, AutoDetect);
  TheDocument.KanjiCode = options.kanjiCode;
  return OpenDocument(path, options.kanjiCode, AutoDetect);
}

}  // namespace

bool OpenShown(const ZvcatOptions& options) {
  const std::string& path = options.operands.back();
  if (!CheckInputFile(path)) return false;
  if (options.member >= 0 && !CheckShownMember(path, InputName(options), options.member)) return false;
  host.rows = RowOptions{options.lineMax, options.tabSize, options.controlCodes};
  SetDocumentHost(&host);
  DocumentResult opened = Open(options, path.c_str());
  if (opened != DocumentResult::kOk) {
    ReportOpenFailure(opened, InputName(options).c_str());
    return false;
  }
  if (options.member >= 0 && options.kanjiCode >= 0) SetKanjiCode(options.kanjiCode);
  return true;
}

bool LoadShown(const ZvcatOptions& options) {
  LoadAll();
  return !host.Failed() && ShownMemberSound(options);
}

bool OpenAndLoad(const ZvcatOptions& options) { return OpenShown(options) && LoadShown(options); }

bool ShownMemberSound(const ZvcatOptions& options) {
  const Document& doc = TheDocument;
  if (!doc.ArchiveFile || !doc.Source) return true;
  ArchiveResult result = static_cast<ArchiveReader&>(*doc.Source).CheckMemberIntegrity();
  if (result == ArchiveResult::kOk) return true;
  Report(zvmsg::kShownMemberCheck, options.operands.back().c_str(), ArchiveResultText(result));
  return false;
}

bool LoadStopped() { return host.Failed(); }
