// End-to-end tests of PLIMCFG.EXE under Wine: the defaults shown without "Plim.ini", Cancel
// leaving the file as it was, and OK writing the three keys, showing the "CAUTION!" message
// and asking an open "PlimDialog" window (the control gallery's) to repaint.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_driver_win.h"
#include "tests/e2e/plim_ini_win.h"

using namespace e2e;

namespace {

const char Title[] = "PLIM32.DLL 環境設定";
constexpr int GiraGiraBox = 100, Frame3DBox = 101, FrameSizeEdit = 110;

struct Config {
  Program program{"PLIMCFG.EXE"};
  HWND dialog = WaitForWindow(program.Id(), "#32770", Title, 20000);
  HWND Item(int id) const { return e2e::Item(dialog, id); }
  bool Checked(int id) const { return Send(Item(id), BM_GETCHECK) == BST_CHECKED; }
  // Presses a button without waiting for what it starts (OK shows a modal message box).
  void Press(int id) const { Post(Item(id), BM_CLICK); }
  bool EndsWithZero() {
    DWORD code = 99;
    return program.WaitExit(10000, &code) && code == 0;
  }
};

}  // namespace

TEST(Plimcfg, WithoutPlimIniShowsDefaultsAndCancelWritesNothing) {
  DeletePlimIni();
  Config config;
  ASSERT_NE(config.dialog, nullptr);
  EXPECT_FALSE(config.Checked(GiraGiraBox));
  EXPECT_TRUE(config.Checked(Frame3DBox));
  EXPECT_EQ(Text(config.Item(FrameSizeEdit)), "2");
  EXPECT_EQ(Text(config.Item(GiraGiraBox)), "文字を３Ｄ化");
  EXPECT_EQ(Text(config.Item(Frame3DBox)), "ダイアログの縁を３Ｄ化");
  EXPECT_FALSE(SaveScreenshot(config.dialog, "plimcfg_defaults").empty());
  config.Press(IDCANCEL);
  EXPECT_TRUE(config.EndsWithZero());
  bool exists = true;
  ReadFileBytes(PlimIniPath(), &exists);
  EXPECT_FALSE(exists);
}

TEST(Plimcfg, CancelLeavesAnExistingFileUntouched) {
  WritePlimIni("GiraGira=1\r\nFrame3D=0\r\nFrameSize=-3\r\n; a note of the user\r\n[Other]\r\nKey=1\r\n");
  std::string before = ReadFileBytes(PlimIniPath());
  Config config;
  ASSERT_NE(config.dialog, nullptr);
  EXPECT_TRUE(config.Checked(GiraGiraBox));
  EXPECT_FALSE(config.Checked(Frame3DBox));
  EXPECT_EQ(Text(config.Item(FrameSizeEdit)), "4294967293");  // shown unsigned
  Send(config.Item(GiraGiraBox), BM_CLICK);
  SetText(config.Item(FrameSizeEdit), "9");
  config.Press(IDCANCEL);
  EXPECT_TRUE(config.EndsWithZero());
  EXPECT_EQ(ReadFileBytes(PlimIniPath()), before);
  DeletePlimIni();
}

TEST(Plimcfg, OkWritesTheKeysWarnsAndRepaintsOpenPlimDialogs) {
  DeletePlimIni();
  Program gallery("plim_gallery.exe");
  HWND galleryDialog = WaitForWindow(gallery.Id(), "PlimDialog", nullptr, 20000);
  ASSERT_NE(galleryDialog, nullptr);
  // Out of the way of the centred utility and its message box: only the request repaints it.
  SetWindowPos(galleryDialog, nullptr, 0, 640, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  Config config;
  ASSERT_NE(config.dialog, nullptr);
  Pause(500);
  INT_PTR erasedBefore = INT_PTR(GetPropA(galleryDialog, "ZvGalleryErasures"));
  Send(config.Item(GiraGiraBox), BM_CLICK);
  SetText(config.Item(FrameSizeEdit), "");
  config.Press(IDOK);
  HWND box = WaitForWindow(config.program.Id(), "#32770", "CAUTION!", 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "修正結果は次回起動時以降に反映されます");
  EXPECT_FALSE(SaveScreenshot(box, "plimcfg_caution").empty());
  EXPECT_EQ(PlimIniValue("GiraGira"), "1");
  EXPECT_EQ(PlimIniValue("Frame3D"), "1");
  EXPECT_EQ(PlimIniValue("FrameSize"), "0");  // empty thickness
  Post(box, WM_COMMAND, IDOK);
  EXPECT_TRUE(config.EndsWithZero());
  EXPECT_TRUE(WaitUntil([&] { return INT_PTR(GetPropA(galleryDialog, "ZvGalleryErasures")) > erasedBefore; },
                        3000));

  // A second run starts from what the first wrote; a thickness that is not a number gives 0.
  Config again;
  ASSERT_NE(again.dialog, nullptr);
  EXPECT_TRUE(again.Checked(GiraGiraBox));
  EXPECT_EQ(Text(again.Item(FrameSizeEdit)), "0");
  Send(again.Item(Frame3DBox), BM_CLICK);
  SetText(again.Item(FrameSizeEdit), "7");
  again.Press(IDOK);
  HWND box2 = WaitForWindow(again.program.Id(), "#32770", "CAUTION!", 10000);
  ASSERT_NE(box2, nullptr);
  Post(box2, WM_COMMAND, IDOK);
  EXPECT_TRUE(again.EndsWithZero());
  EXPECT_EQ(PlimIniValue("Frame3D"), "0");
  EXPECT_EQ(PlimIniValue("FrameSize"), "7");
  DeletePlimIni();
}
