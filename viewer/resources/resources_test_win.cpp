// Loads every resource of ZV32.EXE from this test's own module (the resource objects are
// linked in) and checks what the program relies on: the sizes and depths of the bitmaps and
// the masks they carry, icons in both sizes, cursor hot spots on the picture, the whole main
// menu tree with its texts (Shift-JIS through the ANSI calls), the help lines, the default
// key table and the version.
#include <windows.h>

#include "platform/win/owners.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "viewer/resources/resource_names.h"
#include "zv_version.h"

namespace {

HMODULE Module() { return GetModuleHandleA(nullptr); }

struct Resource {
  const uint8_t* data = nullptr;
  DWORD size = 0;
};

Resource Find(const char* name, LPCSTR type) {
  HRSRC found = FindResourceA(Module(), name, type);
  if (!found) return {};
  return {static_cast<const uint8_t*>(LockResource(LoadResource(Module(), found))),
          SizeofResource(Module(), found)};
}

// A bitmap resource read straight from its BITMAPINFOHEADER, palette and rows.
class DibView {
 public:
  explicit DibView(const char* name) : resource_(Find(name, RT_BITMAP)) {
    if (resource_.data) std::memcpy(&info_, resource_.data, sizeof info_);
  }
  bool found() const { return resource_.data != nullptr; }
  int width() const { return info_.biWidth; }
  int height() const { return info_.biHeight; }
  int bits() const { return info_.biBitCount; }

  // The colour of pixel (x, y), y counted from the top, as 0xRRGGBB.
  uint32_t Pixel(int x, int y) const {
    int colours = info_.biClrUsed ? int(info_.biClrUsed) : 1 << bits();
    const uint8_t* palette = resource_.data + info_.biSize;
    const uint8_t* rows = palette + 4 * colours;
    int stride = ((width() * bits() + 31) / 32) * 4;
    uint8_t byte = rows[(height() - 1 - y) * stride + x * bits() / 8];
    int perByte = 8 / bits();
    int index = (byte >> (8 - bits() * (x % perByte + 1))) & ((1 << bits()) - 1);
    const uint8_t* entry = palette + 4 * index;
    return uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
  }

  // The pixels of a w x h area, for comparing pictures.
  std::vector<uint32_t> Area(int x0, int y0, int w, int h) const {
    std::vector<uint32_t> pixels;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) pixels.push_back(Pixel(x, y));
    return pixels;
  }

 private:
  Resource resource_;
  BITMAPINFOHEADER info_{};
};

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kFace = 0xC0C0C0;

TEST(ViewerBitmaps, EveryBitmapHasItsSizeAndDepth) {
  struct Expected {
    const char* name;
    int width, height, bits;
  };
  const Expected bitmaps[] = {
      {kToolBarBitmap, 900, 16, 4}, {kLogoBitmap, 152, 18, 1},     {kFlagBitmap, 33, 10, 4},
      {kIconBitmap, 96, 32, 4},     {kCrBitmap, 12, 12, 1},        {kTabBitmap, 6, 12, 1},
      {kArchiveToolBarBitmap, 60, 16, 4}, {kFilerToolBarBitmap, 200, 16, 4},
      {kDriveBitmap, 108, 32, 4}};
  for (const Expected& expected : bitmaps) {
    SCOPED_TRACE(expected.name);
    DibView dib(expected.name);
    ASSERT_TRUE(dib.found());
    EXPECT_EQ(dib.width(), expected.width);
    EXPECT_EQ(dib.height(), expected.height);
    EXPECT_EQ(dib.bits(), expected.bits);
    win::Bitmap loaded(LoadBitmapA(Module(), expected.name));
    ASSERT_TRUE(loaded);
    BITMAP info{};
    GetObjectA(loaded, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, expected.width);
    EXPECT_EQ(info.bmHeight, expected.height);
  }
}

// Each image of a tool-button strip shows something on the face colour, and no two are alike.
void ExpectDistinctImages(const char* name, int count) {
  SCOPED_TRACE(name);
  DibView dib(name);
  ASSERT_EQ(dib.width(), 20 * count);
  std::set<std::vector<uint32_t>> seen;
  for (int n = 0; n < count; ++n) {
    std::vector<uint32_t> image = dib.Area(20 * n, 0, 20, 16);
    int drawn = 0;
    for (uint32_t pixel : image) drawn += pixel != kFace;
    EXPECT_GE(drawn, 20) << "image " << n << " is (nearly) empty";
    EXPECT_TRUE(seen.insert(image).second) << "image " << n << " repeats an earlier one";
  }
}

TEST(ViewerBitmaps, ToolBarStripsHoldDistinctImages) {
  ExpectDistinctImages(kToolBarBitmap, 45);
  ExpectDistinctImages(kFilerToolBarBitmap, 10);
  ExpectDistinctImages(kArchiveToolBarBitmap, 3);
}

// "Icon" and "Drive" are drawn with the mask row ANDed and the picture row ORed: where the
// mask is white the picture must be black, or the background would be spoiled.
void ExpectMaskedCells(const char* name, int cellWidth, int cells) {
  SCOPED_TRACE(name);
  DibView dib(name);
  ASSERT_EQ(dib.width(), cellWidth * cells);
  for (int cell = 0; cell < cells; ++cell) {
    int opaque = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = cell * cellWidth; x < (cell + 1) * cellWidth; ++x) {
        uint32_t mask = dib.Pixel(x, y);
        ASSERT_TRUE(mask == kBlack || mask == kWhite) << "mask pixel " << x << "," << y;
        if (mask == kWhite)
          EXPECT_EQ(dib.Pixel(x, y + 16), kBlack) << "picture pixel " << x << "," << y + 16;
        else
          ++opaque;
      }
    }
    EXPECT_GE(opaque, 20) << "cell " << cell << " is (nearly) empty";
  }
}

TEST(ViewerBitmaps, IconAndDriveMasksLeaveTheBackgroundAlone) {
  ExpectMaskedCells(kIconBitmap, 16, 6);
  ExpectMaskedCells(kDriveBitmap, 18, 6);
}

TEST(ViewerBitmaps, FlagLabelMaskClearsTheWholeLabelAndGlyphsDiffer) {
  DibView flag(kFlagBitmap);
  for (uint32_t pixel : flag.Area(3, 1, 6, 5)) EXPECT_EQ(pixel, kWhite);
  std::set<std::vector<uint32_t>> glyphs;
  for (int k = 0; k < 4; ++k) {
    std::vector<uint32_t> glyph = flag.Area(9 + 6 * k, 1, 6, 5);
    int lit = 0;
    for (uint32_t pixel : glyph) lit += pixel != kBlack;
    EXPECT_GE(lit, 5) << "glyph " << k;
    glyphs.insert(glyph);
  }
  EXPECT_EQ(glyphs.size(), 4u);
}

TEST(ViewerBitmaps, MonochromeMarksAreDrawnInBlackOnWhite) {
  for (const char* name : {kCrBitmap, kTabBitmap, kLogoBitmap}) {
    SCOPED_TRACE(name);
    DibView dib(name);
    int black = 0, white = 0;
    for (uint32_t pixel : dib.Area(0, 0, dib.width(), dib.height()))
      (pixel == kBlack ? black : white) += 1;
    EXPECT_GT(black, 0);
    EXPECT_GT(white, black);  // a mark on a background, not the other way round
  }
}

TEST(ViewerIcons, EveryIconHasBothSizesAndLoads) {
  for (const char* name : {kViewerIcon, kListIcon, kFilerIcon, kSeriousViewerIcon,
                           kSeriousListIcon, kSeriousFilerIcon, kDialogIcon}) {
    SCOPED_TRACE(name);
    Resource group = Find(name, RT_GROUP_ICON);
    ASSERT_NE(group.data, nullptr);
    uint16_t count;
    std::memcpy(&count, group.data + 4, 2);
    ASSERT_EQ(count, 2);
    std::set<int> sizes{group.data[6], group.data[6 + 14]};  // 14-byte directory entries
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
    for (int size : {32, 16}) {
      HICON icon = HICON(LoadImageA(Module(), name, IMAGE_ICON, size, size, 0));
      EXPECT_NE(icon, nullptr);
      if (icon) DestroyIcon(icon);
    }
  }
}

// The hot spot of each cursor lies on its picture (an opaque pixel of the AND mask).
TEST(ViewerCursors, HotSpotsLieOnThePicture) {
  for (const char* name : {kLineCursor, kFlagCursor, kTabCursor}) {
    SCOPED_TRACE(name);
    HCURSOR cursor = LoadCursorA(Module(), name);
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_LT(info.xHotspot, 32u);
    EXPECT_LT(info.yHotspot, 32u);
    win::WindowDC screen(nullptr);
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[2];
    } mono{};
    mono.header = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t rows[32] = {};
    ASSERT_EQ(GetDIBits(screen, info.hbmMask, 0, 32, rows, reinterpret_cast<BITMAPINFO*>(&mono),
                        DIB_RGB_COLORS), 32);
    const uint8_t* row = reinterpret_cast<const uint8_t*>(&rows[info.yHotspot]);
    bool transparent = (row[info.xHotspot / 8] >> (7 - info.xHotspot % 8)) & 1;
    EXPECT_FALSE(transparent) << "hot spot " << info.xHotspot << "," << info.yHotspot;
    win::Bitmap mask(info.hbmMask), colour(info.hbmColor);
    DestroyCursor(cursor);
  }
}

// One line of the flattened menu tree: depth, id (kPopup for a submenu, 0 for a separator)
// and text.
constexpr int kPopup = -1;
struct MenuLine {
  int depth;
  int id;
  std::string text;
  bool operator==(const MenuLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MenuLine& line) {
  return out << line.depth << " " << line.id << " \"" << line.text << "\"";
}

void Flatten(HMENU menu, int depth, std::vector<MenuLine>& lines) {
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    char text[256] = "";
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = text;
    item.cch = sizeof text;
    GetMenuItemInfoA(menu, position, TRUE, &item);
    bool separator = item.fType & MFT_SEPARATOR;
    lines.push_back({depth, item.hSubMenu ? kPopup : separator ? 0 : int(item.wID),
                     separator ? "" : text});
    if (item.hSubMenu) Flatten(item.hSubMenu, depth + 1, lines);
  }
}

const std::vector<MenuLine>& ExpectedMenu() {
  static const std::vector<MenuLine> lines = {
      {0, kPopup, "ﾌｧｲﾙ(&F)"},
      {1, 100, "Zelko Filer(&F)"}, {1, 104, "LZH / ZIP Filer(&L)..."}, {1, 0, ""},
      {1, 101, "開く(&O)..."}, {1, 102, "別に開く(&A)..."}, {1, 103, "再読み込み(&R)"},
      {1, 0, ""},
      {1, kPopup, "漢字コード指定(&K)"},
      {2, 140, "&SHIFT-JIS"}, {2, 141, "&EUC"}, {2, 142, "&JIS"}, {2, 143, "&UTF-8"}, {2, 144, "UTF-1&6"},
      {1, 0, ""}, {1, 130, "印刷(&P)..."}, {1, 0, ""}, {1, 120, "終了(&X)"}, {1, 0, ""},
      {0, kPopup, "編集(&E)"},
      {1, 110, "一行をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ(&L)"}, {1, 111, "画面をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ(&P)"},
      {1, 112, "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ(&C)"}, {1, 113, "引用符をつけてｸﾘｯﾌﾟﾎﾞｰﾄﾞへ(&Q)"},
      {1, 114, "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ追加(&A)"}, {1, 115, "全体をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ(&E)"},
      {0, kPopup, "検索(&S)"},
      {1, 200, "検索(&S)..."}, {1, 201, "前方へ再検索(&P)"}, {1, 202, "後方へ再検索(&N)"},
      {0, kPopup, "ｼﾞｬﾝﾌﾟ(&J)"},
      {1, 300, "先頭へ(&T)"}, {1, 301, "最後へ(&B)"}, {1, 302, "指定行へ(&J)..."},
      {1, kPopup, "マーク記憶(&N)"},
      {2, 310, "マークⅠ(&1)"}, {2, 311, "マークⅡ(&2)"}, {2, 312, "マークⅢ(&3)"},
      {2, 313, "マークⅣ(&4)"},
      {1, kPopup, "マークジャンプ(&M)"},
      {2, 320, "マークⅠ(&1)"}, {2, 321, "マークⅡ(&2)"}, {2, 322, "マークⅢ(&3)"},
      {2, 323, "マークⅣ(&4)"}, {1, 0, ""}, {1, 105, "ファイルの追従(&F)"},
      {0, kPopup, "ｳｨﾝﾄﾞｳ(&W)"},
      {1, 500, "重ねて表示(&C)"}, {1, 501, "並べて表示(&T)"}, {1, 502, "横に並べる(&H)"},
      {1, 503, "縦に並べる(&V)"}, {1, 0, ""}, {1, 509, "Window連携機能"}, {1, 0, ""},
      {1, 510, "次のZelko View(&N)"}, {1, 511, "前のZelko View(&P)"}, {1, 0, ""},
      {0, kPopup, "その他(&O)"},
      {1, 400, "ﾃｷｽﾄﾓｰﾄﾞ表示(&T)"}, {1, 401, "ﾊﾞｲﾅﾘﾓｰﾄﾞ表示(&B)"}, {1, 0, ""},
      {1, kPopup, "ｲﾝﾃﾘｼﾞｪﾝﾄ機能(&I)"},
      {2, 411, "ページ解析(&P)"}, {2, 410, "目次解析(&I)"}, {2, 412, "NIFTYログ解析(&L)"},
      {2, 413, "INIﾌｧｲﾙｾｸｼｮﾝ解析(&S)"},
      {1, kPopup, "外部ツール"},
      {2, 950, "外部ツール&1"}, {2, 951, "外部ツール&2"}, {2, 952, "外部ツール&3"},
      {2, 953, "外部ツール&4"}, {2, 954, "外部ツール&5"}, {2, 955, "外部ツール&6"},
      {2, 956, "外部ツール&7"},
      {1, 900, "エディタ起動(&E)"}, {1, 0, ""},
      {1, 420, "設定(&O)..."}, {1, 423, "Zelko Filer設定(&F)..."},
      {1, 421, "キー割り当ての変更(&K)..."}, {1, 422, "描画速度の計測(&P)"}, {1, 0, ""},
      {1, 3, "Zelko Viewのヘルプ(&H)"}, {1, 430, "Zelko Viewについて(&A)..."},
  };
  return lines;
}

TEST(ViewerMenu, MainMenuTreeMatchesItemForItem) {
  win::Menu menu(LoadMenuA(Module(), kMainMenu));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 6);
  HMENU file = GetSubMenu(menu, 0);
  EXPECT_EQ(GetMenuItemCount(file), 13);  // the recent files follow the 13th item
  HMENU kanji = GetSubMenu(file, 7);      // the kanji-code submenu opened by command 149
  ASSERT_NE(kanji, nullptr);
  EXPECT_EQ(GetMenuItemID(kanji, 0), 140u);
  EXPECT_EQ(GetMenuItemID(kanji, 1), 141u);
  EXPECT_EQ(GetMenuItemID(kanji, 2), 142u);
  EXPECT_EQ(GetMenuItemID(kanji, 3), 143u);
  EXPECT_EQ(GetMenuItemID(kanji, 4), 144u);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 4)), 10);  // the window list follows the 10th
  // The submenus other commands open by position: marks 3/3 and 3/4, analyses 5/3, tools 5/4.
  EXPECT_EQ(GetMenuItemID(GetSubMenu(GetSubMenu(menu, 3), 3), 0), 310u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(GetSubMenu(menu, 3), 4), 0), 320u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(GetSubMenu(menu, 5), 3), 0), 411u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(GetSubMenu(menu, 5), 4), 0), 950u);

  std::vector<MenuLine> lines;
  Flatten(menu, 0, lines);
  const std::vector<MenuLine>& expected = ExpectedMenu();
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
}

TEST(ViewerMenu, HelpLinesExactlyForTheListedIds) {
  struct HelpLine {
    int id;
    const char* text;
  };
  const HelpLine help[] = {
      {3, "Zelko Viewのヘルプを表示します"}, {100, "Zelko Filerを起動します"},
      {102, "別なZelko Viewを起動してファイルを読み込ませます"},
      {103, "現在のファイルを読み込みなおします"}, {104, "該当するアーカイブファイラーを開きます"},
      {105, "ファイルに書き足される行を読み込み、末尾を表示し続けます"},
      {110, "画面一番上の一行をコピーします"}, {111, "表示されている部分全体をコピーします"},
      {112, "マウスで選択した範囲をコピーします"}, {113, "選択した範囲を引用符付きでコピーします"},
      {114, "マウスで選択した範囲を追加してコピーします"}, {115, "テキスト全体をコピーします"},
      {120, "Zelko Viewを終了させます"}, {130, "テキストの全部/一部を印刷します。"},
      {200, "検索ダイアログを開きます"}, {201, "現在の検索文字列を使って前の方へ検索します"},
      {202, "現在の検索文字列を使って後ろの方へ検索します"},
      {300, "ファイルの先頭へジャンプします"}, {301, "ファイルの末尾へジャンプします"},
      {302, "ダイアログを開いて特定の行へジャンプします"},
      {310, "マークⅠをここにセットします"}, {311, "マークⅡをここにセットします"},
      {312, "マークⅢをここにセットします"}, {313, "マークⅣをここにセットします"},
      {320, "記憶したマークⅠへジャンプします"}, {321, "記憶したマークⅡへジャンプします"},
      {322, "記憶したマークⅢへジャンプします"}, {323, "記憶したマークⅣへジャンプします"},
      {400, "テキストモードで表示します"}, {401, "バイナリモードで表示します"},
      {410, "ファイルのアウトライン(概形)を解析します"},
      {411, "ファイルのページ構造(^Lか整形)を解析します"},
      {412, "会議室/HP/メールのヘッダを解析します"},
      {413, "初期化ファイル(.INI)の見出しを解析します"}, {420, "Zelko Viewの設定をします"},
      {421, "ZVKEY.EXEを起動してキーアサインを変更します"},
      {422, "画面へのテキスト描画速度を計測します"}, {423, "Zelko Filerの設定をします"},
      {430, "Zelko Viewの著作権情報を表示します"},
      {500, "複数のZelko Viewをカスケード状に表示します"},
      {501, "複数のZelko Viewをタイル状に表示します"},
      {502, "複数のZelko Viewを横一列に表示します"},
      {503, "複数のZelko Viewを縦一列に表示します"}, {509, "各関連ウィンドウを連動させます"},
      {510, "Zelko Viewを順にアクティブにします"},
      {511, "Zelko Viewを逆送りにアクティブにします"},
      {900, "設定したエディタを起動しファイルを編集します"},
      {143, "UTF-8コードとして読み込みなおします"}, {144, "UTF-16コードとして読み込みなおします"},
  };
  std::set<int> withHelp;
  for (const HelpLine& line : help) {
    char text[256] = "";
    LoadStringA(Module(), line.id, text, sizeof text);
    EXPECT_STREQ(text, line.text) << "id " << line.id;
    withHelp.insert(line.id);
  }
  // The other menu items show nothing new, so they have no line.
  for (const MenuLine& item : ExpectedMenu()) {
    if (item.id <= 0 || withHelp.count(item.id)) continue;
    char text[256] = "";
    EXPECT_EQ(LoadStringA(Module(), item.id, text, sizeof text), 0) << "id " << item.id;
  }
}

TEST(ViewerKeys, DefaultKeyTableIsTheFullTableWithFortyFourRecords) {
  Resource table = Find(MAKEINTRESOURCEA(kDefaultKeyTableId), RT_RCDATA);
  ASSERT_NE(table.data, nullptr);
  ASSERT_EQ(table.size, 1280u);
  auto record = [&](int n) { return table.data + 5 * n; };
  EXPECT_EQ(record(0)[0] | record(0)[1] << 8, VK_RETURN);
  EXPECT_EQ(record(0)[2], 0);
  EXPECT_EQ(record(0)[3] | record(0)[4] << 8, 8);
  EXPECT_NE(record(43)[0] | record(43)[1] << 8, 0);
  for (int n = 44; n < 256; ++n)
    for (int b = 0; b < 5; ++b) ASSERT_EQ(record(n)[b], 0) << "record " << n;
}

TEST(ViewerVersion, DescribesZelkoView32AndTheProductVersionInJapanese) {
  Resource version = Find(MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  ASSERT_NE(version.data, nullptr);
  std::vector<uint8_t> copy(version.data, version.data + version.size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(copy.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(ZV_VERSION_MINOR, ZV_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  char* description = nullptr;
  ASSERT_TRUE(VerQueryValueA(copy.data(), "\\StringFileInfo\\041104B0\\FileDescription",
                             reinterpret_cast<void**>(&description), &length));
  EXPECT_STREQ(description, "Zelko View 32");
  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(copy.data(), "\\StringFileInfo\\041104B0\\FileVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, ZV_VERSION_TEXT);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(copy.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation[0], 0x0411);
}

}  // namespace
