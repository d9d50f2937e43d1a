// zvcat's document host and the common open-and-load step.
#include "utilities/zvcat/zvcat_document.h"

#include <string>

#include "utilities/zvcat/zvcat_output.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"

namespace {

// Keeps the last status message (a failed open leaves its reason there) and prints the
// message boxes that stop a load at once.
class ZvcatHost : public NullDocumentHost {
 public:
  void ShowStatusMessage(const char* text, int) override { lastStatus_ = text; }
  void ShowErrorBox(const char* text) override {
    PrintMessage(text);
    failed_ = true;
  }
  const std::string& LastStatus() const { return lastStatus_; }
  bool Failed() const { return failed_; }
  RowOptions CurrentRowOptions() override { return rows; }

  RowOptions rows;

 private:
  std::string lastStatus_;
  bool failed_ = false;
};

ZvcatHost host;

}  // namespace

bool OpenAndLoad(const ZvcatOptions& options) {
  host.rows = RowOptions{options.lineMax, options.tabSize, options.controlCodes};
  SetDocumentHost(&host);
  const char* path = options.operands.back().c_str();
  DocumentResult opened;
  if (options.member >= 0) {
    opened = OpenDocumentMember(path, options.member);
  } else if (options.kanjiCode >= 0) {
    TheDocument.KanjiCode = options.kanjiCode;
    opened = OpenDocument(path, options.kanjiCode, AutoDetect);
  } else {
    opened = OpenDocument(path, AutoDetect, AutoDetect);
  }
  if (opened != DocumentResult::kOk) {
    PrintMessage(host.LastStatus().c_str());
    return false;
  }
  if (options.member >= 0 && options.kanjiCode >= 0) SetKanjiCode(options.kanjiCode);
  LoadAll();
  return !host.Failed();
}
