// The command table and the id normalisation.
#include "viewer/settings/command_table.h"

#include <iterator>

#include "viewer/resources/zv32_ids.h"

namespace {

constexpr CommandAction Menu(int id) { return {CommandKind::kMenu, id}; }
constexpr CommandAction VScroll(int code) { return {CommandKind::kVScroll, code}; }
constexpr CommandAction HScroll(int code) { return {CommandKind::kHScroll, code}; }
constexpr CommandAction Tool(int n) { return {CommandKind::kRunTool, n}; }

constexpr int kFirstToolCode = 900;
constexpr int kToolCount = 7;

}  // namespace

const CommandEntry CommandNameTable[] = {
    {1, "１行上へ", VScroll(13)},
    {2, "２行上へ", VScroll(0)},
    {3, "１行下へ", VScroll(14)},
    {4, "２行下へ", VScroll(1)},
    {12, "一文字左へ", HScroll(0)},
    {13, "二文字左へ", HScroll(19)},
    {14, "一文字右へ", HScroll(1)},
    {15, "二文字右へ", HScroll(20)},
    {5, "半画面上へ", VScroll(10)},
    {6, "半画面下へ", VScroll(11)},
    {16, "半画面左へ", HScroll(17)},
    {17, "半画面右へ", HScroll(18)},
    {7, "一画面上へ", VScroll(2)},
    {8, "一画面下へ", VScroll(3)},
    {18, "一画面左へ", HScroll(2)},
    {19, "一画面右へ", HScroll(3)},
    {9, "先頭へ", Menu(IDM_TOP)},
    {10, "末尾へ", Menu(IDM_BOTTOM)},
    {20, "左端へ", HScroll(15)},
    {21, "右端へ", HScroll(16)},
    {11, "ジャンプ", Menu(IDM_JUMP)},
    {50, "LZH/ZIPかFilerへ", Menu(IDM_ARCHIVE_FILER)},
    {51, "直接Zelko Filerへ", Menu(IDM_FILER)},
    {52, "カスケード表示", Menu(IDM_CASCADE)},
    {53, "タイル表示", Menu(IDM_TILE)},
    {54, "横に並べる", Menu(IDM_SIDE_BY_SIDE)},
    {55, "縦に並べる", Menu(IDM_STACKED)},
    {56, "次のZelko View", Menu(IDM_NEXT_VIEWER)},
    {57, "前のZelko View", Menu(IDM_PREVIOUS_VIEWER)},
    {58, "Window連携のﾄｸﾞﾙ", Menu(IDM_WINDOW_LINKING)},
    {100, "一行クリップ", Menu(IDM_COPY_ROW)},
    {101, "全体クリップ", Menu(IDM_COPY_SCREEN)},
    {102, "選択範囲クリップ", Menu(IDM_COPY_SELECTION)},
    {103, "引用クリップ", Menu(IDM_COPY_QUOTED)},
    {104, "追加クリップ", Menu(IDM_COPY_APPEND)},
    {105, "テキスト全体クリップ", Menu(IDM_COPY_ALL)},
    {150, "マークセットⅠ", Menu(IDM_MARK_SET_1)},
    {151, "マークセットⅡ", Menu(IDM_MARK_SET_2)},
    {152, "マークセットⅢ", Menu(IDM_MARK_SET_3)},
    {153, "マークセットⅣ", Menu(IDM_MARK_SET_4)},
    {160, "マークジャンプⅠ", Menu(IDM_MARK_JUMP_1)},
    {161, "マークジャンプⅡ", Menu(IDM_MARK_JUMP_2)},
    {162, "マークジャンプⅢ", Menu(IDM_MARK_JUMP_3)},
    {163, "マークジャンプⅣ", Menu(IDM_MARK_JUMP_4)},
    {170, "マーククリア", Menu(IDM_CLEAR_MARKS)},
    {200, "検索ダイアログ", Menu(IDM_SEARCH)},
    {202, "↓再検索", Menu(IDM_SEARCH_FORWARD)},
    {201, "↑再検索", Menu(IDM_SEARCH_BACKWARD)},
    {250, "テキスト表示", Menu(IDM_TEXT_MODE)},
    {251, "バイナリ表示", Menu(IDM_BINARY_MODE)},
    {252, "T/B表示のトグル", {CommandKind::kToggleDisplay, 0}},
    {253, "補助ｺｰﾄﾞ表示ﾄｸﾞﾙ", {CommandKind::kCycleMarks, 0}},
    {300, "開く", Menu(IDM_OPEN)},
    {301, "別に開く", Menu(IDM_OPEN_OTHER)},
    {302, "再読み込み", Menu(IDM_RELOAD)},
    {305, "ファイル追従", Menu(IDM_FOLLOW)},
    {304, "漢字ｺｰﾄﾞ指定", Menu(IDM_KANJI_MENU)},
    {303, "印刷", Menu(IDM_PRINT)},
    {350, "ページ解析", Menu(IDM_PAGE_ANALYSIS)},
    {351, "目次解析", Menu(IDM_TOC_ANALYSIS)},
    {352, "ログ解析", Menu(IDM_LOG_ANALYSIS)},
    {353, "INIファイル解析", Menu(IDM_INI_ANALYSIS)},
    {909, "外部ツールメニュー", Menu(IDM_TOOL_MENU)},
    {900, "外部ツール1", Tool(0)},
    {901, "外部ツール2", Tool(1)},
    {902, "外部ツール3", Tool(2)},
    {903, "外部ツール4", Tool(3)},
    {904, "外部ツール5", Tool(4)},
    {905, "外部ツール6", Tool(5)},
    {906, "外部ツール7", Tool(6)},
    {950, "ヘルプを表示", Menu(IDM_HELP)},
    {951, "エディタ起動", Menu(IDM_EDITOR)},
    {952, "エディタ起動+終了", {CommandKind::kEditorThenExit, 0}},
    {953, "Zelko View終了", Menu(IDM_EXIT)},
    {954, "設定", Menu(IDM_SETTINGS)},
    {957, "Zelko Filer設定", Menu(IDM_FILER_SETTINGS)},
    {955, "アバウト表示", Menu(IDM_ABOUT)},
    {956, "キー割り当て変更", Menu(IDM_KEY_CUSTOMIZER)},
    {0, "??Unknown??", {}},
};

const int kCommandNameCount = int(std::size(CommandNameTable));

namespace {

const CommandEntry& EntryOf(int code) {
  const CommandEntry* entry = CommandNameTable;
  while (entry->code != 0 && entry->code != code) ++entry;
  return *entry;
}

}  // namespace

const char* CommandName(int code) { return EntryOf(code).name; }

CommandAction NormalizeCommandId(int id) {
  if (id >= IDM_VIEWER_FIRST && id <= IDM_VIEWER_LAST) return {CommandKind::kActivateViewer, id - IDM_VIEWER_FIRST + 1};
  if (id >= IDM_TOOL_1 && id <= IDM_TOOL_7) id += kCommandIdBase - IDM_TOOL_1 + kFirstToolCode;
  if (id < kCommandIdBase) return Menu(id);
  int code = id - kCommandIdBase;
  if (code >= kFirstToolCode && code < kFirstToolCode + kToolCount) return Tool(code - kFirstToolCode);
  if (code == 0) return {};
  return EntryOf(code).action;
}

int DisplayToggleMenu(int displayMode) { return displayMode == 0 ? IDM_BINARY_MODE : IDM_TEXT_MODE; }

void NextMarkDisplay(int32_t& crMarks, int32_t& tabMarks) {
  bool cr = crMarks != 0, tab = tabMarks != 0;
  if (!cr && !tab) {
    crMarks = 1;
    tabMarks = 0;
  } else if (cr && !tab) {
    crMarks = 1;
    tabMarks = 1;
  } else {
    crMarks = 0;
    tabMarks = 0;
  }
}
