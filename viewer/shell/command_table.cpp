// The command table and the id normalisation.
#include "viewer/shell/command_table.h"

#include <iterator>

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
    {9, "先頭へ", Menu(300)},
    {10, "末尾へ", Menu(301)},
    {20, "左端へ", HScroll(15)},
    {21, "右端へ", HScroll(16)},
    {11, "ジャンプ", Menu(302)},
    {50, "LZH/ZIPかFilerへ", Menu(104)},
    {51, "直接Zelko Filerへ", Menu(100)},
    {52, "カスケード表示", Menu(500)},
    {53, "タイル表示", Menu(501)},
    {54, "横に並べる", Menu(502)},
    {55, "縦に並べる", Menu(503)},
    {56, "次のZelko View", Menu(510)},
    {57, "前のZelko View", Menu(511)},
    {58, "Window連携のﾄｸﾞﾙ", Menu(509)},
    {100, "一行クリップ", Menu(110)},
    {101, "全体クリップ", Menu(111)},
    {102, "選択範囲クリップ", Menu(112)},
    {103, "引用クリップ", Menu(113)},
    {104, "追加クリップ", Menu(114)},
    {105, "テキスト全体クリップ", Menu(115)},
    {150, "マークセットⅠ", Menu(310)},
    {151, "マークセットⅡ", Menu(311)},
    {152, "マークセットⅢ", Menu(312)},
    {153, "マークセットⅣ", Menu(313)},
    {160, "マークジャンプⅠ", Menu(320)},
    {161, "マークジャンプⅡ", Menu(321)},
    {162, "マークジャンプⅢ", Menu(322)},
    {163, "マークジャンプⅣ", Menu(323)},
    {170, "マーククリア", Menu(810)},
    {200, "検索ダイアログ", Menu(200)},
    {202, "↓再検索", Menu(202)},
    {201, "↑再検索", Menu(201)},
    {250, "テキスト表示", Menu(400)},
    {251, "バイナリ表示", Menu(401)},
    {252, "T/B表示のトグル", {CommandKind::kToggleDisplay, 0}},
    {253, "補助ｺｰﾄﾞ表示ﾄｸﾞﾙ", {CommandKind::kCycleMarks, 0}},
    {300, "開く", Menu(101)},
    {301, "別に開く", Menu(102)},
    {302, "再読み込み", Menu(103)},
    {304, "漢字ｺｰﾄﾞ指定", Menu(149)},
    {303, "印刷", Menu(130)},
    {350, "ページ解析", Menu(411)},
    {351, "目次解析", Menu(410)},
    {352, "ログ解析", Menu(412)},
    {353, "INIファイル解析", Menu(413)},
    {909, "外部ツールメニュー", Menu(959)},
    {900, "外部ツール1", Tool(0)},
    {901, "外部ツール2", Tool(1)},
    {902, "外部ツール3", Tool(2)},
    {903, "外部ツール4", Tool(3)},
    {904, "外部ツール5", Tool(4)},
    {905, "外部ツール6", Tool(5)},
    {906, "外部ツール7", Tool(6)},
    {950, "ヘルプを表示", Menu(3)},
    {951, "エディタ起動", Menu(900)},
    {952, "エディタ起動+終了", {CommandKind::kEditorThenExit, 0}},
    {953, "Zelko View終了", Menu(120)},
    {954, "設定", Menu(420)},
    {957, "Zelko Filer設定", Menu(423)},
    {955, "アバウト表示", Menu(430)},
    {956, "キー割り当て変更", Menu(421)},
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
  if (id >= 520 && id <= 600) return {CommandKind::kActivateViewer, id - 519};
  if (id >= 950 && id <= 956) id += kCommandIdBase - 950 + kFirstToolCode;
  if (id < kCommandIdBase) return Menu(id);
  int code = id - kCommandIdBase;
  if (code >= kFirstToolCode && code < kFirstToolCode + kToolCount) return Tool(code - kFirstToolCode);
  if (code == 0) return {};
  return EntryOf(code).action;
}

int DisplayToggleMenu(int displayMode) { return displayMode == 0 ? 401 : 400; }

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
