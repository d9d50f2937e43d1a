// Every message zvcat writes, in one place.  The English texts are the catalog's keys (msgids):
// po/ja.po translates each into the viewer's own wording where the viewer has the message.
// N_() marks a key for xgettext; Message() looks the key up in the user's language (GNU
// gettext on Linux, the Japanese table built from ja.po on Windows) and fills in its fields.
#pragma once

#include <string>

#define N_(text) text

namespace zvmsg {

// The input file.
inline constexpr const char* kFileNotFound = N_("%s: file not found");
inline constexpr const char* kIsFolder = N_("%s is a folder, not a file");
inline constexpr const char* kCannotRead = N_("%s: cannot read the file (%s)");
inline constexpr const char* kNameTooLong = N_("%s: the file name is too long");
inline constexpr const char* kTooLarge = N_("%s: the file is too large");
inline constexpr const char* kNoMemory = N_("out of memory");
inline constexpr const char* kCannotExtract = N_("%s: out of memory, or the file cannot be extracted");
inline constexpr const char* kUnsupported = N_("%s: unsupported compression method; it cannot be extracted");
inline constexpr const char* kReadStopped = N_("the file cannot be read; loading stopped");
inline constexpr const char* kMemoryStopped = N_("out of memory; loading stopped");
inline constexpr const char* kCrcStopped = N_("the CRC does not match: the compressed file is damaged; nothing of it is shown");
inline constexpr const char* kDamagedStopped =
    N_("the compressed file is damaged or cut off; nothing of it is shown");

// Archives.
inline constexpr const char* kNotAnArchive = N_("%s is not an archive (LZH, ZIP, gzip or tar)");
inline constexpr const char* kNoSuchMember = N_("%s has no member %d (it has %d, numbered from 0)");
inline constexpr const char* kMemberIsFolder = N_("%s: member %d is a folder");
inline constexpr const char* kExtractFailed = N_("cannot extract %s");
inline constexpr const char* kCheckFailed =
    N_("the extracted bytes do not match the archive's check; the file was deleted");
inline constexpr const char* kShownMemberCheck = N_("%s: the member shown does not match the archive's check (%s)");
inline constexpr const char* kArchiveCutOff = N_("%s is damaged or cut off after the members listed (%s)");
inline constexpr const char* kLinkNotExtracted = N_("%s: a symbolic link is not extracted");
inline constexpr const char* kCannotCreateFolder = N_("cannot create the folder %s (%s)");

// Following a growing file.
inline constexpr const char* kFileReplaced = N_("%s was replaced or cut short; reading it again from the start");
inline constexpr const char* kFollowTooLarge = N_("%s: the file is too large to follow further; following stopped");
inline constexpr const char* kFollowNoMemory = N_("out of memory; following stopped");
inline constexpr const char* kMemberNotFollowed = N_("%s: a file in an archive cannot be followed");

// Standard input, read as the file.
inline constexpr const char* kStdinNoCopy = N_("cannot create a temporary file for standard input (%s)");
inline constexpr const char* kStdinUnreadable = N_("cannot read standard input (%s)");
inline constexpr const char* kStdinCopyFailed = N_("cannot copy standard input (%s)");

// Output.
inline constexpr const char* kCannotWrite = N_("cannot write to standard output (%s)");

// Searches and analyses.
inline constexpr const char* kPatternNotSjis = N_("the pattern is not UTF-8 text that Shift-JIS can hold");
inline constexpr const char* kPatternLength = N_("the pattern must be 1 to 255 bytes long");
inline constexpr const char* kRegexBad =
    N_("the regular expression does not compile (unbalanced parentheses, more than 10 nested groups, "
       "\"[\" without \"]\", a trailing backslash or an incomplete double-byte character)");
inline constexpr const char* kRegexGaveUp =
    N_("the regular expression gave up on %ld rows (too many failure points or too much backtracking); "
       "they are reported as rows without a hit");
inline constexpr const char* kNoPages =
    N_("the page structure could not be found\nthe file is too small, or it has no page structure");
inline constexpr const char* kNoContents = N_("nothing that looks like a table-of-contents entry was found");
inline constexpr const char* kNoLogHeaders = N_("nothing that looks like a log header was found");
inline constexpr const char* kNoIniSections = N_("the .INI file structure could not be found");

// The command line.
inline constexpr const char* kUnknownOption = N_("unknown option %s");
inline constexpr const char* kOneCommand = N_("only one command may be given");
inline constexpr const char* kAnalyzeNeedsName = N_("--analyze needs pages, toc, log or ini");
inline constexpr const char* kMissingValue = N_("missing value after %s");
inline constexpr const char* kBadValue = N_("bad value for %s: %s");
inline constexpr const char* kUtf8AndSjis = N_("--utf8 and --sjis exclude each other");
inline constexpr const char* kMissingOperand = N_("missing operand");
inline constexpr const char* kTooManyOperands = N_("too many operands");
inline constexpr const char* kFollowWithWhat = N_("--follow goes with the text or --grep");
inline constexpr const char* kNotInBuild = N_("--%s is not available in this build");
inline constexpr const char* kUsage =
    N_("usage: zvcat [--utf8|--sjis] [--code auto|sjis|euc|jis|utf8|utf16] [--member N] FILE\n"
       "       zvcat --detect FILE\n"
       "       zvcat --rows [--line-max N] [--tab-size N] [--no-control-codes] FILE\n"
       "       zvcat --grep [-i] [-E] PATTERN FILE\n"
       "       zvcat --follow|-f [--grep [-i] [-E] PATTERN] FILE\n"
       "       zvcat --list ARCHIVE\n"
       "       zvcat --extract ARCHIVE [--member N] [-o DIR]\n"
       "       zvcat --analyze pages|toc|log|ini [--utf8] [--line-max N] [--tab-size N] FILE\n"
       "       zvcat --help\n"
       "       zvcat --version\n");

}  // namespace zvmsg

// Opens the catalog of the user's language; called once before any message.
void OpenMessageCatalog();
// The message `msgid` in the user's language with printf fields filled in, in the codeset
// messages are written in (strings given as fields must be in it too: see ForMessage).
std::string Message(const char* msgid, ...);
// A Shift-JIS archive member name as a message shows it (the way it is named on disk).
std::string ForMessage(const char* sjisName);
// The system's reason for the last failed call, in the messages' codeset.
std::string SystemReason();
// A message (in the messages' codeset) as the terminal shows it.
std::string ForTerminal(const std::string& message);
// Writes "zvcat: TEXT" and a new line on standard error, converted for the terminal.
void PrintError(const std::string& text);
// PrintError(Message(msgid, ...)).
void Report(const char* msgid, ...);
