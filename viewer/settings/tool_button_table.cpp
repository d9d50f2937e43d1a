// The rows of ToolButtonTable, in the order ToolBarList numbers them.
#include "viewer/settings/tool_button_table.h"

#include "viewer/resources/zv32_ids.h"

namespace {

constexpr char kSearchText[] = "文字列を検索します";
constexpr char kSearchBackText[] = "現在位置から前の方へと更に検索します";
constexpr char kSearchForwardText[] = "現在位置から後ろの方へと更に検索します";
constexpr char kToolText[] = "外部ツールで設定したツールを起動します";

}  // namespace

const ToolButton ToolButtonTable[kToolButtonCount + 1] = {
    {0, IDM_EXIT, "終了", "Zelko Viewを終了させます"},
    {2, IDM_OPEN, "開く", "別なファイルを読み込みます"},
    {3, IDM_OPEN_OTHER, "別に開く", "もう一つZelko Viewを開いて別なファイルを読み込みます"},
    {4, IDM_RELOAD, "再読み込み", "現在表示しているファイルを再読み込みします"},
    {7, IDM_COPY_SELECTION, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ", "選択範囲をクリップボードへコピーします"},
    {8, IDM_COPY_ROW, "一行コピー", "画面の一番上一行をクリップボードへコピーします"},
    {9, IDM_COPY_SCREEN, "画面コピー", "表示画面の全体をクリップボードへコピーします"},
    {10, IDM_COPY_QUOTED, "引用コピー", "選択範囲に引用符をつけてクリップボードへコピーします"},
    {15, IDM_SEARCH, "検索(眼鏡)", kSearchText},
    {16, IDM_SEARCH_BACKWARD, "前再検索(眼鏡)", kSearchBackText},
    {17, IDM_SEARCH_FORWARD, "後再検索(眼鏡)", kSearchForwardText},
    {18, IDM_TOP, "先頭へ", "ファイルの先頭へ移動します"},
    {19, IDM_BOTTOM, "末尾へ", "ファイルの末尾へ移動します"},
    {20, IDM_JUMP, "指定行へ", "ファイルの指定行へジャンプします"},
    {21, IDM_TEXT_MODE, "ﾃｷｽﾄ表示", "ファイルをテキストモードで表示します"},
    {22, IDM_BINARY_MODE, "ﾊﾞｲﾅﾘ表示", "ファイルをバイナリモードで表示します"},
    {23, IDM_ANALYSIS_MENU, "ｲﾝﾃﾘｼﾞｪﾝﾄ", "インテリジェントメニューを開きます"},
    {24, IDM_EDITOR, "ｴﾃﾞｨﾀ起動", "エディタを起動してファイルを編集します"},
    {25, IDM_SETTINGS, "設定", "Zelko Viewの設定をします"},
    {27, IDM_ABOUT, "アバウト", "「Zelko Viewについて」を表示します"},
    {28, IDM_HELP, "ヘルプ表示", "Zelko Viewのヘルプを表示します"},
    {29, IDM_MARK_JUMP_MENU, "ﾏｰｸｼﾞｬﾝﾌﾟ", "任意のマークにジャンプします"},
    {30, IDM_MARK_SET_MENU, "ﾏｰｸｾｯﾄ", "任意のマークをセットします"},
    {31, IDM_CLEAR_MARKS, "ﾏｰｸｸﾘｱ", "全てのマークをクリアします"},
    {32, IDM_MARK_BUTTON_1, "マークⅠ", "マークⅠをセット/ジャンプします"},
    {33, IDM_MARK_BUTTON_2, "マークⅡ", "マークⅡをセット/ジャンプします"},
    {34, IDM_MARK_BUTTON_3, "マークⅢ", "マークⅢをセット/ジャンプします"},
    {35, IDM_MARK_BUTTON_4, "マークⅣ", "マークⅣをセット/ジャンプします"},
    {1, IDM_FILER, "Zelko Filer", "Zelko Filerを起動します"},
    {12, IDM_SEARCH, "検索(電灯)", kSearchText},
    {13, IDM_SEARCH_BACKWARD, "前再検索(電灯)", kSearchBackText},
    {14, IDM_SEARCH_FORWARD, "後再検索(電灯)", kSearchForwardText},
    {26, IDM_KEY_CUSTOMIZER, "ｷｰｶｽﾀﾏｲｽﾞ", "キー割り当てをカスタマイズします"},
    {11, IDM_COPY_APPEND, "追加コピー", "選択範囲をクリップボードへ追加コピーします"},
    {6, IDM_PRINT, "印刷", "選択範囲/テキスト全体を印刷します"},
    {36, IDM_TOOL_MENU, "ツールメニュー", "外部ツールを選択起動するメニューを開きます"},
    {37, IDM_TOOL_1, "ツール1", kToolText},
    {38, IDM_TOOL_2, "ツール2", kToolText},
    {39, IDM_TOOL_3, "ツール3", kToolText},
    {40, IDM_TOOL_4, "ツール4", kToolText},
    {41, IDM_TOOL_5, "ツール5", kToolText},
    {42, IDM_TOOL_6, "ツール6", kToolText},
    {43, IDM_TOOL_7, "ツール7", kToolText},
    {5, IDM_KANJI_MENU, "漢字コード指定", "ファイルの漢字コードを指定します"},
    {44, IDM_FOLLOW, "ファイル追従", "ファイルに書き足される行を表示し続けます"},
    {-1, 0, "", ""},
};
