// End-to-end tests of PLIM32.DLL under Wine: the library's exports and global classes, then
// the control gallery driven with real messages and mouse input (buttons, check boxes, radio
// groups, tool buttons, spins, meters, the tab folder), and its screenshots in the flat and
// the 3D "Plim.ini" appearances.
#include <gtest/gtest.h>

#include <memory>

#include "controls/plim_logic.h"
#include "tests/e2e/e2e_driver_win.h"
#include "tests/e2e/gallery_ids.h"
#include "tests/e2e/plim_ini_win.h"

using namespace e2e;

namespace {

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

WNDCLASSEXA ClassInfo(const char* name) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  GetClassInfoExA(nullptr, name, &wc);
  return wc;
}

const char* const ClassNames[16] = {
    "PlimStatic", "PlimTray",     "PlimBorder", "PlimSizeGrip", "PlimFolder",       "PlimMeter",
    "PlimSaying", "PlimGhost",    "PlimCheckBox", "PlimRadio",  "PlimButton",       "PlimSpin",
    "PlimTool",   "PlimBitmapButton", "PlimGroup", "PlimDialog"};
const char* const ProcNames[16] = {
    "PlimStaticProc", "PlimTrayProc",     "PlimBorderProc", "PlimSizeGripProc", "PlimFolderProc",
    "PlimMeterProc",  "PlimSayingProc",   "PlimGhostProc",  "PlimCheckBoxProc", "PlimRadioProc",
    "PlimButtonProc", "PlimSpinProc",     "PlimToolButtonProc", "PlimBitmapButtonProc",
    "PlimGroupProc",  "PlimDialogProc"};

const char FlatIni[] = "GiraGira=0\r\nFrame3D=0\r\nFrameSize=0\r\n";

struct RunningGallery {
  std::unique_ptr<Program> program;
  HWND dialog = nullptr;
};

RunningGallery StartGallery(const char* ini) {
  WritePlimIni(ini);
  RunningGallery gallery;
  gallery.program = std::make_unique<Program>("plim_gallery.exe");
  gallery.dialog = WaitForWindow(gallery.program->Id(), "PlimDialog", nullptr, 20000);
  return gallery;
}

COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }
COLORREF Shadow() { return GetSysColor(COLOR_BTNSHADOW); }
const COLORREF White = RGB(255, 255, 255);

}  // namespace

TEST(PlimLibrary, VersionExportsAndGlobalClasses) {
  WritePlimIni("FrameSize=-2\r\n");
  win::Library plim(LoadLibraryA("PLIM32.DLL"));
  ASSERT_TRUE(plim);
  auto version = Export<WORD(WINAPI*)()>(plim, "GETVersion");
  ASSERT_NE(version, nullptr);
  EXPECT_GE(version(), 144);
  EXPECT_EQ(version(), 144);
  for (const char* name : {"LibMain", "WEP", "Reset"}) EXPECT_NE(GetProcAddress(plim, name), nullptr) << name;
  auto reset = Export<int(WINAPI*)()>(plim, "Reset");
  EXPECT_EQ(reset(), -2);
  WritePlimIni("FrameSize=5\r\n");
  EXPECT_EQ(reset(), 5);

  for (int i = 0; i < 16; ++i) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), ClassNames[i], &wc)) << ClassNames[i];
    EXPECT_TRUE(wc.style & CS_GLOBALCLASS) << ClassNames[i];
    EXPECT_EQ(reinterpret_cast<void*>(wc.lpfnWndProc), reinterpret_cast<void*>(GetProcAddress(plim, ProcNames[i])))
        << ClassNames[i];
  }
  EXPECT_EQ(ClassInfo("PlimSizeGrip").hCursor, LoadCursorA(nullptr, IDC_SIZENWSE));
  EXPECT_TRUE((ClassInfo("PlimFolder").style & (CS_HREDRAW | CS_VREDRAW)) == (CS_HREDRAW | CS_VREDRAW));
  plim.Reset();
  DeletePlimIni();
}

class Gallery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetCursorPos(0, 0);
    running_ = new RunningGallery(StartGallery(FlatIni));
    dialog_ = running_->dialog;
  }
  static void TearDownTestSuite() {
    delete running_;
    running_ = nullptr;
    DeletePlimIni();
  }
  void SetUp() override {
    ASSERT_NE(dialog_, nullptr) << "the gallery did not open";
    TakeLog();
  }
  static HWND I(int id) { return Item(dialog_, id); }
  static std::string TakeLog() {
    std::string log = Text(I(Log));
    SetText(I(Log), "");
    return log;
  }
  static std::string WaitLog(const std::string& expected, DWORD ms = 2000) {
    std::string log;
    WaitUntil([&] { return (log = Text(I(Log))) == expected; }, ms);
    SetText(I(Log), "");
    return log;
  }
  static SIZE ClientSize(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return {rc.right, rc.bottom};
  }
  static inline RunningGallery* running_ = nullptr;
  static inline HWND dialog_ = nullptr;
};

TEST_F(Gallery, PushButtonClicksOnlyWhenReleasedInside) {
  HWND button = I(PushCancel);
  MouseDown(button, 5, 5);
  EXPECT_EQ(Send(button, BM_GETSTATE) & 0x04, 0x04);
  MouseMove(button, -20, -20);
  EXPECT_EQ(Send(button, BM_GETSTATE) & 0x04, 0);  // raised again while outside
  MouseMove(button, 6, 6);
  MouseUp(button, 6, 6);
  EXPECT_EQ(TakeLog(), "cmd 202 0\r\n");
  EXPECT_EQ(Send(button, BM_GETSTATE), 0x08);  // focused, not pushed

  MouseDown(button, 5, 5);
  MouseMove(button, 500, 5);
  MouseUp(button, 500, 5);
  EXPECT_EQ(TakeLog(), "");
  EXPECT_EQ(Send(button, BM_GETSTATE) & 0x04, 0);
}

TEST_F(Gallery, ButtonMessagesStateCheckAndDefaultStyle) {
  HWND button = I(PushCancel);
  Send(button, BM_SETSTATE, 1);
  EXPECT_EQ(Send(button, BM_GETSTATE) & 0x04, 0x04);
  Send(button, BM_SETSTATE, 0);
  EXPECT_EQ(Send(button, BM_GETSTATE) & 0x04, 0);
  EXPECT_EQ(Send(button, WM_GETDLGCODE), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  Send(button, BM_SETSTYLE, 1, TRUE);
  EXPECT_EQ(Send(button, WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  SaveScreenshot(dialog_, "gallery_default_cancel");
  Send(button, BM_SETSTYLE, 0, TRUE);
  EXPECT_EQ(Send(I(PushDefault), WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(Send(I(PushPressed), BM_GETSTATE) & 0x04, 0x04);  // pressed at start by the gallery

  // Space bar: a press begun by the key, completed by its release.
  HWND check = I(CheckPlain);
  EXPECT_EQ(Send(check, BM_GETCHECK), 0);
  KeyDown(check, VK_SPACE);
  EXPECT_EQ(Send(check, BM_GETSTATE) & 0x04, 0x04);
  KeyUp(check, VK_SPACE);
  EXPECT_EQ(Send(check, BM_GETCHECK), 1);
  EXPECT_EQ(Send(check, BM_GETSTATE) & 0x05, 0x01);
  EXPECT_EQ(TakeLog(), "cmd 301 0\r\n");
  // Space down while the mouse tracks does not press; the mouse release then toggles once.
  MouseDown(check, 3, 3);
  KeyDown(check, VK_SPACE);
  KeyUp(check, VK_SPACE);
  EXPECT_EQ(TakeLog(), "");
  MouseUp(check, 3, 3);
  EXPECT_EQ(Send(check, BM_GETCHECK), 0);
  EXPECT_EQ(TakeLog(), "cmd 301 0\r\n");
  Send(check, BM_SETCHECK, 1);
  EXPECT_EQ(Send(check, BM_GETCHECK), 1);
  Send(check, BM_SETCHECK, 0);
}

TEST_F(Gallery, RadioClickChecksItselfAndClearsTheGroup) {
  ClickCentre(I(RadioTwo));
  EXPECT_EQ(Send(I(RadioOne), BM_GETCHECK), 0);
  EXPECT_EQ(Send(I(RadioTwo), BM_GETCHECK), 1);
  EXPECT_EQ(Send(I(RadioThree), BM_GETCHECK), 0);
  EXPECT_EQ(TakeLog(), "cmd 312 0\r\n");
  ClickCentre(I(RadioThree));
  EXPECT_EQ(Send(I(RadioTwo), BM_GETCHECK), 0);
  EXPECT_EQ(Send(I(RadioThree), BM_GETCHECK), 1);
  EXPECT_EQ(Send(I(CheckChecked), BM_GETCHECK), 1);  // another group keeps its state
  EXPECT_EQ(TakeLog(), "cmd 313 0\r\n");
  ClickCentre(I(RadioOne));
  TakeLog();
}

TEST_F(Gallery, ToolButtonsLatchPushAndNeverTakeFocus) {
  HWND latch = I(ToolLatch), push = I(ToolPush);
  ClickCentre(latch);
  EXPECT_EQ(Send(latch, BM_GETCHECK), 1);
  EXPECT_EQ(Send(latch, BM_GETSTATE) & 0x08, 0);
  SaveScreenshot(dialog_, "gallery_tool_latched");
  ClickCentre(latch);
  EXPECT_EQ(Send(latch, BM_GETCHECK), 0);
  ClickCentre(push);
  EXPECT_EQ(Send(push, BM_GETCHECK), 0);
  EXPECT_EQ(TakeLog(), "cmd 207 0\r\ncmd 207 0\r\ncmd 206 0\r\n");

  INT_PTR before = INT_PTR(GetPropA(dialog_, GALLERY_TOOL_MOVES));
  MouseMove(push, 3, 3, false);
  EXPECT_EQ(INT_PTR(GetPropA(dialog_, GALLERY_TOOL_MOVES)), before + 1);
}

// BM_CLICK is what the dialog manager sends for a button's mnemonic: each class clicks as
// its own click would, a disabled control does nothing, a tool button keeps away from the focus.
TEST_F(Gallery, BmClickClicksEachClassAsItsOwnClickWould) {
  HWND check = I(CheckPlain);
  EXPECT_EQ(Send(check, BM_CLICK), 0);
  EXPECT_EQ(Send(check, BM_GETCHECK), 1);
  EXPECT_EQ(Send(check, BM_GETSTATE) & 0x0C, 0x08);  // focused, not left pushed
  Send(check, BM_CLICK);
  EXPECT_EQ(Send(check, BM_GETCHECK), 0);
  EXPECT_EQ(TakeLog(), "cmd 301 0\r\ncmd 301 0\r\n");

  LRESULT disabledCheck = Send(I(CheckDisabled), BM_GETCHECK);
  Send(I(CheckDisabled), BM_CLICK);
  Send(I(PushDisabled), BM_CLICK);
  EXPECT_EQ(Send(I(CheckDisabled), BM_GETCHECK), disabledCheck);
  EXPECT_EQ(TakeLog(), "");

  Send(I(RadioThree), BM_CLICK);
  EXPECT_EQ(Send(I(RadioOne), BM_GETCHECK), 0);
  EXPECT_EQ(Send(I(RadioThree), BM_GETCHECK), 1);
  EXPECT_EQ(TakeLog(), "cmd 313 0\r\n");
  Send(I(RadioOne), BM_CLICK);
  EXPECT_EQ(Send(I(RadioThree), BM_GETCHECK), 0);
  TakeLog();

  Send(I(PushCancel), BM_CLICK);
  EXPECT_EQ(TakeLog(), "cmd 202 0\r\n");
  EXPECT_EQ(Send(I(PushCancel), BM_GETSTATE), 0x08);

  HWND latch = I(ToolLatch);
  Send(latch, BM_CLICK);
  EXPECT_EQ(Send(latch, BM_GETCHECK), 1);
  EXPECT_EQ(Send(latch, BM_GETSTATE) & 0x08, 0);
  Send(latch, BM_CLICK);
  EXPECT_EQ(Send(latch, BM_GETCHECK), 0);
  EXPECT_EQ(TakeLog(), "cmd 207 0\r\ncmd 207 0\r\n");
}

TEST_F(Gallery, BuddySpinStepsAtOnceThenRepeatsWithinRange) {
  HWND edit = I(BuddyEdit), spin = I(BuddySpin);
  SIZE size = ClientSize(spin);
  EXPECT_EQ(size.cy % 2, 0);
  EXPECT_EQ(size.cx, (size.cy - 20) / 2 + 12);
  SetText(edit, "197");
  MouseDown(spin, size.cx / 2, 2);
  EXPECT_TRUE(WaitUntil([&] { return Text(edit) == "198"; }, 350)) << Text(edit);
  EXPECT_TRUE(WaitUntil([&] { return Text(edit) == "199"; }, 1500)) << Text(edit);
  Pause(400);
  EXPECT_EQ(Text(edit), "199");
  MouseUp(spin, size.cx / 2, 2);

  SetText(edit, "250");
  MouseDown(spin, size.cx / 2, size.cy - 2);
  EXPECT_TRUE(WaitUntil([&] { return Text(edit) == "199"; }, 350)) << Text(edit);
  MouseUp(spin, size.cx / 2, size.cy - 2);

  SetText(edit, "100");
  MouseDown(spin, size.cx / 2, 2);
  Pause(1200);
  MouseUp(spin, size.cx / 2, 2);
  long held = atol(Text(edit).c_str());
  EXPECT_GE(held, 104);  // one at once, one after 400 ms, then every 100 ms
  EXPECT_LE(held, 112);
  Pause(300);
  EXPECT_EQ(atol(Text(edit).c_str()), held);  // released: no more steps
  SetText(edit, "197");
}

TEST_F(Gallery, PlainSpinPostsStepsToItsParent) {
  HWND spin = I(PlainSpin);
  SIZE size = ClientSize(spin);
  MouseDown(spin, size.cx / 2, size.cy - 2);
  MouseUp(spin, size.cx / 2, size.cy - 2);
  EXPECT_EQ(WaitLog("cmd 403 65535\r\n"), "cmd 403 65535\r\n");
  MouseDown(spin, size.cx / 2, 1);
  MouseUp(spin, size.cx / 2, 1);
  EXPECT_EQ(WaitLog("cmd 403 1\r\n"), "cmd 403 1\r\n");
}

TEST_F(Gallery, MeterFillsItsShareAndSwapsDigitColours) {
  HWND meter = I(MeterBlue);
  EXPECT_EQ(Send(meter, BM_GETSTATE), 37);
  Send(meter, BM_SETCHECK);
  EXPECT_EQ(Send(meter, BM_GETSTATE), 38);
  Send(meter, BM_SETSTATE, 37);
  ShowAndSettle(dialog_);
  Image image = Capture(meter, true);
  int inner = image.width - 2;
  int e = plim::MeterBarEnd(1, 1 + inner, 37, 100);
  COLORREF bar = GetSysColor(COLOR_ACTIVECAPTION);
  EXPECT_EQ(image.Pixel(0, 0), Shadow());
  EXPECT_EQ(image.Pixel(1, 2), bar);
  EXPECT_EQ(image.Pixel(e - 1, 2), bar);
  EXPECT_EQ(image.Pixel(e, 2), White);
  // The centred "37%" is drawn in the bar colour over the white part only.
  int barColoured = 0, whiteInBar = 0;
  for (int y = 1; y < image.height - 1; ++y)
    for (int x = 1; x < image.width - 1; ++x) {
      if (x >= e && image.Pixel(x, y) == bar) ++barColoured;
      if (x < e && image.Pixel(x, y) == White) ++whiteInBar;
    }
  EXPECT_GT(barColoured, 10);
  SavePng(image, "meter_37");

  Send(meter, BM_SETSTATE, 50);
  Send(meter, BM_SETSTYLE, 0);  // a maximum of 0 draws as 1: full bar
  InvalidateRect(meter, nullptr, FALSE);
  Pause(200);
  Image full = Capture(meter, true);
  EXPECT_EQ(full.Pixel(full.width - 2, 2), bar);
  Send(meter, BM_SETSTYLE, 100);
  Send(meter, BM_SETSTATE, 50);
  InvalidateRect(meter, nullptr, FALSE);
  Pause(200);
  Image half = Capture(meter, true);
  int middle = plim::MeterBarEnd(1, half.width - 1, 50, 100);
  int digitsInBar = 0;
  for (int y = 1; y < half.height - 1; ++y)
    for (int x = 1; x < middle; ++x) digitsInBar += half.Pixel(x, y) == White;
  EXPECT_GT(digitsInBar, 5);  // "50%" straddles the bar end: its left digits show in white
  SavePng(half, "meter_50");
  Send(meter, BM_SETSTATE, 37);
  InvalidateRect(meter, nullptr, FALSE);
}

class FolderTest : public Gallery {
 protected:
  // The x in the middle of tab `index` (0-based), measured as the folder measures.
  static int TabMiddle(int index) {
    HWND folder = I(Folder);
    win::WindowDC dc(folder);
    std::vector<int> widths;
    for (const std::string& caption : plim::SplitTabCaptions(Text(folder))) {
      std::string shown = plim::StripMnemonics(caption);
      SIZE size{};
      GetTextExtentPoint32A(dc, shown.c_str(), int(shown.size()), &size);
      widths.push_back(size.cx);
    }
    std::vector<int> edges = plim::TabEdges(widths);
    return (edges[size_t(index)] + edges[size_t(index) + 1]) / 2;
  }
  static void Select(int oneBased) {
    Send(I(Folder), BM_SETSTATE, WPARAM(oneBased));
    Pause(100);
    TakeLog();
  }
};

TEST_F(FolderTest, ClickingATabHidesTheOldPageAndShowsTheNew) {
  HWND folder = I(Folder);
  Select(1);
  EXPECT_EQ(Send(folder, BM_GETSTATE), 1);
  Click(folder, TabMiddle(2), 8);
  EXPECT_EQ(WaitLog("hide 1\r\nshow 3\r\n"), "hide 1\r\nshow 3\r\n");
  EXPECT_EQ(Send(folder, BM_GETSTATE), 3);
  EXPECT_TRUE(IsWindowVisible(I(PageThreeText)));
  EXPECT_FALSE(IsWindowVisible(I(PageOneButton)));
  SaveScreenshot(dialog_, "gallery_folder_tab3");
  Click(folder, 3, 8);  // left of the first tab
  Click(folder, ClientSize(folder).cx - 3, 8);  // right of the last tab
  Send(folder, BM_SETSTATE, 3);  // the selected tab again
  Pause(200);
  EXPECT_EQ(TakeLog(), "");
  Select(1);
}

TEST_F(FolderTest, ArrowKeysWrapAtBothEnds) {
  HWND folder = I(Folder);
  EXPECT_EQ(Send(folder, WM_GETDLGCODE), DLGC_WANTARROWS);
  Select(7);
  Key(folder, VK_RIGHT);
  EXPECT_EQ(Send(folder, BM_GETSTATE), 1);
  EXPECT_EQ(WaitLog("hide 7\r\nshow 1\r\n"), "hide 7\r\nshow 1\r\n");
  Key(folder, VK_LEFT);
  EXPECT_EQ(Send(folder, BM_GETSTATE), 7);
  EXPECT_EQ(WaitLog("hide 1\r\nshow 7\r\n"), "hide 1\r\nshow 7\r\n");
  Key(folder, VK_UP);
  EXPECT_EQ(Send(folder, BM_GETSTATE), 7);
  Select(1);
}

TEST_F(FolderTest, PageAreaLetsClicksThroughToThePageControls) {
  Select(1);
  HWND folder = I(Folder), button = I(PageOneButton);
  RECT rc;
  GetWindowRect(button, &rc);
  EXPECT_EQ(Send(folder, WM_NCHITTEST, 0, MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2)),
            HTTRANSPARENT);
  RECT folderRect;
  GetWindowRect(folder, &folderRect);
  EXPECT_EQ(Send(folder, WM_NCHITTEST, 0, MAKELPARAM(folderRect.left + TabMiddle(0), folderRect.top + 5)),
            HTCLIENT);
  ShowAndSettle(dialog_);
  SIZE size = ClientSize(button);
  RealClick(button, size.cx / 2, size.cy / 2);
  EXPECT_EQ(WaitLog("cmd 1001 0\r\n"), "cmd 1001 0\r\n");
  EXPECT_EQ(Send(folder, BM_GETSTATE), 1);
}

TEST_F(Gallery, FlatAppearanceScreenshot) {
  SetText(I(StaticCentre), "&OK");
  std::string path = SaveScreenshot(dialog_, "gallery_flat");
  EXPECT_FALSE(path.empty());
  Image client = Capture(dialog_, true);
  EXPECT_EQ(client.Pixel(0, 0), Face());  // "Frame3D" off: no dialog frame
  // Entry fields get a sunken frame all the same: shadow one pixel outside the edit.
  RECT edit;
  GetWindowRect(I(BuddyEdit), &edit);
  POINT corner{edit.left - 1, edit.top + 3};
  ScreenToClient(dialog_, &corner);
  EXPECT_EQ(client.Pixel(corner.x, corner.y), Shadow());
}

struct Appearance {
  const char* ini;
  const char* screenshot;
  COLORREF corner;  // client (0, 0)
  COLORREF ring2;   // client (1, 1)
  COLORREF inside;  // client (3, 3)
};

class AppearanceTest : public ::testing::TestWithParam<Appearance> {};

TEST_P(AppearanceTest, DialogFrameFollowsPlimIni) {
  const Appearance& look = GetParam();
  RunningGallery gallery = StartGallery(look.ini);
  ASSERT_NE(gallery.dialog, nullptr);
  std::string path = SaveScreenshot(gallery.dialog, look.screenshot);
  EXPECT_FALSE(path.empty());
  Image client = Capture(gallery.dialog, true);
  EXPECT_EQ(client.Pixel(0, 0), look.corner);
  EXPECT_EQ(client.Pixel(1, 1), look.ring2);
  EXPECT_EQ(client.Pixel(3, 3), look.inside);
  DeletePlimIni();
}

INSTANTIATE_TEST_SUITE_P(
    PlimIni, AppearanceTest,
    ::testing::Values(
        Appearance{"GiraGira=1\r\nFrame3D=1\r\nFrameSize=3\r\n", "gallery_3d", White, White, Face()},
        Appearance{"Frame3D=1\r\nFrameSize=-2\r\n", "gallery_sunken2", Shadow(), Shadow(), Face()},
        Appearance{"Frame3D=1\r\nFrameSize=0\r\n", "gallery_sunken1", Shadow(), Face(), Face()}));
