// The shared owners: what they free, what they hand over, and what counts as empty.
#include "platform/win/owners.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

bool IsOpenHandle(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != 0;
}

bool IsLiveGdiObject(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(Owners, KernelHandleClosedOnScopeExitUnlessTaken) {
  HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  { win::Handle owned(raw); }
  EXPECT_FALSE(IsOpenHandle(raw));

  HANDLE kept = nullptr;
  {
    win::Handle owned(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    kept = owned.Take();
    EXPECT_FALSE(owned);
  }
  EXPECT_TRUE(IsOpenHandle(kept));
  win::Handle cleanup(kept);
}

TEST(Owners, NullAndInvalidHandleValueAreBothEmpty) {
  EXPECT_FALSE(win::Handle());
  EXPECT_FALSE(win::Handle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(win::FindHandle());
  EXPECT_EQ(win::FindHandle().get(), INVALID_HANDLE_VALUE);  // what FindFirstFile returns on failure
  WIN32_FIND_DATAA data;
  win::FindHandle missing(FindFirstFileA("C:\\no-such-folder-here\\*", &data));
  EXPECT_FALSE(missing);
}

TEST(Owners, ResetFreesTheOldValueButKeepsTheSameOne) {
  win::Brush brush(CreateSolidBrush(RGB(1, 2, 3)));
  HBRUSH first = brush;
  brush.Reset(first);  // handing the owner what it holds must not free it
  EXPECT_TRUE(IsLiveGdiObject(first));
  brush.Reset(CreateSolidBrush(RGB(4, 5, 6)));
  EXPECT_FALSE(IsLiveGdiObject(first));
  EXPECT_TRUE(IsLiveGdiObject(brush));
}

TEST(Owners, MovingHandsOverOwnership) {
  win::Pen first(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  HPEN pen = first;
  win::Pen second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.get(), pen);
  win::Pen third;
  third = std::move(second);
  EXPECT_EQ(third.get(), pen);
  EXPECT_TRUE(IsLiveGdiObject(pen));
}

TEST(Owners, SelectionPutsTheOldObjectBack) {
  win::WindowDC screen(nullptr);
  win::MemoryDC dc(screen);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_BRUSH);
  win::Brush brush(CreateSolidBrush(RGB(9, 9, 9)));
  {
    win::Selection selected(dc, brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.get());
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), before);
}

TEST(Owners, GlobalBlockLockedAndHandedToTheClipboard) {
  win::GlobalMemory block = win::AllocateGlobal(6);
  {
    win::GlobalLockScope<char> bytes(block);
    ASSERT_NE(bytes.data(), nullptr);
    EXPECT_EQ(bytes.data()[0], 0);  // zero-filled
    std::memcpy(bytes.data(), "owner", 6);
  }
  win::ClipboardScope clipboard(nullptr);
  ASSERT_TRUE(clipboard.open());
  EmptyClipboard();
  ASSERT_NE(SetClipboardData(CF_TEXT, block), nullptr);
  (void)block.Take();  // the clipboard owns it now
  win::GlobalLockScope<const char> text(GetClipboardData(CF_TEXT));
  ASSERT_NE(text.data(), nullptr);
  EXPECT_STREQ(text.data(), "owner");
}

int BusyCount = 0;
void CountBusy(bool on) { BusyCount += on ? 1 : -1; }

TEST(Owners, BusyScopeBalancesEveryOn) {
  {
    win::BusyScope<CountBusy> outer;
    win::BusyScope<CountBusy> inner;
    EXPECT_EQ(BusyCount, 2);
  }
  EXPECT_EQ(BusyCount, 0);
}

}  // namespace
