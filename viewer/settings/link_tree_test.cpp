// The link tree: paths and node structure, placing a group, moving and resizing one window
// of it, minimizing, maximizing, unlinking, a full pool, and random sequences that must keep
// the shown windows tiling the group's rectangle without overlapping.
#include "viewer/settings/link_tree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "viewer/settings/sub_window_placement.h"

namespace {

constexpr LinkWindowId kViewer = 0x100, kFiler = 0x200, kArchive = 0x300, kList = 0x400, kList2 = 0x500;

// Windows as the windowing layer would keep them.  With `echo` on, every move the tree makes
// comes back as a position change, as WM_WINDOWPOSCHANGED does.
class FakeWindows : public LinkWindowHost {
 public:
  struct Window {
    LinkRect rect;
    bool shown = true;
  };
  std::map<LinkWindowId, Window> windows;
  LinkTree* tree = nullptr;
  bool echo = false;
  int moves = 0;

  bool IsShown(LinkWindowId id) const override {
    auto it = windows.find(id);
    return it != windows.end() && it->second.shown;
  }
  void MoveWindow(LinkWindowId id, const LinkRect& rect) override {
    ++moves;
    windows[id].rect = rect;
    if (echo) OnLinkedWindowPosChanged(*tree, *this, true, id, {0, rect, false});
  }
  LinkRect Rect(LinkWindowId id) { return windows[id].rect; }
};

class LinkTreeTest : public ::testing::Test {
 protected:
  LinkTree tree;
  FakeWindows host;
  bool linking = true;

  void SetUp() override {
    ResetLinkTree(tree);
    host.tree = &tree;
  }
  // What CreateLinkedWindow and OpenSubWindow do.
  int Open(LinkWindowId id, const char* path, LinkRect rect) {
    host.windows[id] = {rect, true};
    int node = LinkWindow(tree, id, path, rect);
    RelayoutLinkedWindows(tree, host, linking);
    return node;
  }
  void OpenViewer(LinkRect rect = {0, 0, 800, 600}) {
    host.windows[kViewer] = {rect, true};
    ASSERT_GE(LinkWindow(tree, kViewer, "LT", rect), 0);
    SetLinkRootRect(tree, rect);
  }
  // The user resized or moved a window to `rect`.
  void UserSets(LinkWindowId id, LinkRect rect, uint32_t flags = 0, bool maximized = false) {
    host.windows[id].rect = rect;
    OnLinkedWindowPosChanged(tree, host, linking, id, {flags, rect, maximized});
  }
  void Minimize(LinkWindowId id) {
    host.windows[id].shown = false;
    UserSets(id, {0, 0, 160, 30});
  }
  int ParentOf(LinkWindowId id) { return tree.Nodes[FindLinkNode(tree, id)].Parent; }

  // The shown windows lie inside the group's rectangle, do not overlap, and cover it.
  void ExpectTiling() {
    const LinkRect root = tree.Nodes[kLinkRootNode].Rect;
    std::vector<LinkRect> shown;
    for (const LinkNode& node : tree.Nodes) {
      if (node.Parent != kLinkFreeNode && node.Window && host.IsShown(node.Window)) {
        EXPECT_EQ(host.Rect(node.Window), node.Rect) << node.Window;
        shown.push_back(node.Rect);
      }
    }
    int64_t area = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      const LinkRect& a = shown[i];
      EXPECT_TRUE(a.left >= root.left && a.right <= root.right && a.top >= root.top && a.bottom <= root.bottom);
      area += int64_t(a.right - a.left) * (a.bottom - a.top);
      for (size_t j = 0; j < i; ++j) {
        const LinkRect& b = shown[j];
        bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
        EXPECT_TRUE(apart) << i << " overlaps " << j;
      }
    }
    if (!shown.empty()) {
      EXPECT_EQ(area, int64_t(root.right - root.left) * (root.bottom - root.top));
    }
  }
};

TEST_F(LinkTreeTest, DefaultPathsBuildTheTree) {
  OpenViewer();
  ASSERT_GE(LinkWindow(tree, kFiler, "RT", {}), 0);
  ASSERT_GE(LinkWindow(tree, kArchive, "RB", {}), 0);
  ASSERT_GE(LinkWindow(tree, kList, "LBR", {}), 0);
  const LinkNode& root = tree.Nodes[kLinkRootNode];
  EXPECT_EQ(root.Vertical, 0);
  const int left = root.FirstLeading, right = root.FirstTrailing;
  EXPECT_EQ(left, 2);  // the lowest free nodes, in order of use
  EXPECT_EQ(tree.Nodes[left].Vertical, 1);
  EXPECT_EQ(tree.Nodes[right].Vertical, 1);
  EXPECT_EQ(ParentOf(kViewer), left);
  EXPECT_EQ(tree.Nodes[left].FirstLeading, FindLinkNode(tree, kViewer));
  EXPECT_EQ(ParentOf(kFiler), right);
  EXPECT_EQ(tree.Nodes[right].FirstLeading, FindLinkNode(tree, kFiler));
  EXPECT_EQ(tree.Nodes[right].FirstTrailing, FindLinkNode(tree, kArchive));
  // LBR: below the viewer a side-by-side container whose trailing list holds the list window.
  const int below = tree.Nodes[left].FirstTrailing;
  EXPECT_EQ(tree.Nodes[below].Vertical, 0);
  EXPECT_EQ(tree.Nodes[below].FirstTrailing, FindLinkNode(tree, kList));
  EXPECT_EQ(tree.Nodes[FindLinkNode(tree, kList)].Vertical, 1);
}

TEST_F(LinkTreeTest, PathLettersOtherThanLeadingOnesAreTrailing) {
  OpenViewer();
  const int a = LinkWindow(tree, kFiler, "Rx", {});
  const int right = tree.Nodes[kLinkRootNode].FirstTrailing;
  EXPECT_EQ(tree.Nodes[right].FirstTrailing, a);
  EXPECT_TRUE(IsLeadingStep('L'));
  EXPECT_TRUE(IsLeadingStep('T'));
  EXPECT_FALSE(IsLeadingStep('l'));
  EXPECT_FALSE(IsLeadingStep('B'));
  // A window linked twice keeps its one node.
  EXPECT_EQ(LinkWindow(tree, kFiler, "LBL", {}), a);
}

TEST_F(LinkTreeTest, OpeningTheFilerSharesTheViewersRectangle) {
  OpenViewer();
  Open(kFiler, "RT", {0, 0, 150, 150});
  // 800 : 150 of the 800 pixels.
  EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 673, 600}));
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{673, 0, 800, 600}));
  ExpectTiling();
}

// A sub-window opened at its saved size keeps that size and the group shares the rest, so
// closing it and opening it again (saving its rectangle in between) changes nothing.
TEST_F(LinkTreeTest, ReopeningAtTheSavedSizeDoesNotDrift) {
  OpenViewer({0, 0, 960, 768});
  LinkRect saved{960, 0, 1280, 768};  // beside the viewer, 320 wide
  for (int turn = 0; turn < 10; ++turn) {
    host.windows[kArchive] = {saved, true};
    ASSERT_GE(LinkWindow(tree, kArchive, "RB", saved), 0);
    PlaceNewLinkedWindow(tree, host, linking, kArchive);
    EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 640, 768})) << turn;
    EXPECT_EQ(host.Rect(kArchive), (LinkRect{640, 0, 960, 768})) << turn;
    ExpectTiling();
    saved = host.Rect(kArchive);
    UnlinkWindow(tree, host, linking, kArchive);
    EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 960, 768})) << turn;
  }
  // Joining a column that is there already: the column keeps its width, the new window its height.
  Open(kFiler, "RT", {0, 0, 320, 768});
  const LinkRect column = host.Rect(kFiler);
  host.windows[kArchive] = {{0, 0, 320, 300}, true};
  ASSERT_GE(LinkWindow(tree, kArchive, "RB", {0, 0, 320, 300}), 0);
  PlaceNewLinkedWindow(tree, host, linking, kArchive);
  EXPECT_EQ(host.Rect(kArchive), (LinkRect{column.left, 468, column.right, 768}));
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{column.left, 0, column.right, 468}));
  ExpectTiling();
  // Wider than the group: shared in proportion as before.
  host.windows[kList] = {{0, 0, 2000, 100}, true};
  ASSERT_GE(LinkWindow(tree, kList, "LBR", {0, 0, 2000, 100}), 0);
  PlaceNewLinkedWindow(tree, host, linking, kList);
  ExpectTiling();
}

TEST_F(LinkTreeTest, ResizingTheViewerNarrowsTheFilerByTheSameAmount) {
  OpenViewer();
  Open(kFiler, "RT", {0, 0, 150, 150});
  UserSets(kViewer, {0, 0, 693, 600});
  EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 693, 600}));
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{693, 0, 800, 600}));
  // The filer's left edge back by 50: the viewer gives way.
  UserSets(kFiler, {643, 0, 800, 600});
  EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 643, 600}));
  // The viewer's bottom edge: the whole group follows (the filer's height with it).
  UserSets(kViewer, {0, 0, 643, 500});
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{643, 0, 800, 500}));
  // The filer's outer right edge widens the group.
  UserSets(kFiler, {643, 0, 900, 500});
  EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 643, 500}));
  EXPECT_EQ(tree.Nodes[kLinkRootNode].Rect, (LinkRect{0, 0, 900, 500}));
  ExpectTiling();
}

TEST_F(LinkTreeTest, DraggingOneWindowMovesTheGroup) {
  OpenViewer();
  Open(kFiler, "RT", {0, 0, 150, 150});
  UserSets(kViewer, {10, 20, 683, 620}, kPosNoSize);
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{683, 20, 810, 620}));
  EXPECT_EQ(tree.Nodes[kLinkRootNode].Rect, (LinkRect{10, 20, 810, 620}));
  // A change of Z order only (no move, no size) or a frame change moves nothing.
  const int moves = host.moves;
  UserSets(kViewer, {500, 500, 600, 600}, kPosNoSize | kPosNoMove);
  UserSets(kViewer, {500, 500, 600, 600}, kPosNoSize | kPosFrameChanged);
  EXPECT_EQ(host.moves, moves);
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{683, 20, 810, 620}));
}

TEST_F(LinkTreeTest, MinimizedArchiveFilerGivesItsHeightToTheFiler) {
  OpenViewer();
  Open(kFiler, "RT", {0, 0, 150, 150});
  Open(kArchive, "RB", {0, 0, 150, 150});
  // The right column: filer 600 : archive 150.
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{673, 0, 800, 480}));
  EXPECT_EQ(host.Rect(kArchive), (LinkRect{673, 480, 800, 600}));
  ExpectTiling();
  Minimize(kArchive);
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{673, 0, 800, 600}));
  ExpectTiling();
  // Restored, it gets a share in proportion to the sizes now: filer 600 : archive 120.
  host.windows[kArchive].shown = true;
  RelayoutLinkedWindows(tree, host, true);
  EXPECT_EQ(host.Rect(kArchive), (LinkRect{673, 500, 800, 600}));
  ExpectTiling();
}

TEST_F(LinkTreeTest, SecondListWindowOnTheSamePathSharesItsCell) {
  OpenViewer();
  Open(kList, "LBR", {0, 0, 300, 200});
  const int listNode = FindLinkNode(tree, kList);
  const int second = Open(kList2, "LBR", {0, 0, 100, 200});
  EXPECT_EQ(tree.Nodes[listNode].Next, second);
  EXPECT_EQ(tree.Nodes[second].Parent, tree.Nodes[listNode].Parent);
  // The row below the viewer: the two list windows side by side, sharing it 800 : 100 (the
  // first one's width in the row, the second one's own).
  const LinkRect a = host.Rect(kList), b = host.Rect(kList2);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.bottom, b.bottom);
  EXPECT_EQ(a.right, b.left);
  EXPECT_EQ(a.left, 0);
  EXPECT_EQ(a.right, 800 * 800 / 900);
  EXPECT_EQ(b.right, 800);
  EXPECT_EQ(host.Rect(kViewer).bottom, a.top);
  ExpectTiling();
}

TEST_F(LinkTreeTest, MaximizingLaysTheGroupOutInTheMaximizedArea) {
  OpenViewer();
  Open(kFiler, "RT", {0, 0, 150, 150});
  UserSets(kFiler, {0, 0, 1024, 768}, 0, true);
  EXPECT_EQ(tree.Nodes[kLinkRootNode].Rect, (LinkRect{0, 0, 1024, 768}));
  EXPECT_EQ(host.Rect(kViewer).left, 0);
  EXPECT_EQ(host.Rect(kFiler).right, 1024);
  EXPECT_EQ(host.Rect(kFiler).bottom, 768);
  ExpectTiling();
}

TEST_F(LinkTreeTest, UnlinkingGivesTheSpaceBackAndFreesEmptyContainers) {
  OpenViewer();
  Open(kFiler, "RT", {0, 0, 150, 150});
  Open(kArchive, "RB", {0, 0, 150, 150});
  UnlinkWindow(tree, host, linking, kArchive);
  EXPECT_EQ(FindLinkNode(tree, kArchive), -1);
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{673, 0, 800, 600}));
  UnlinkWindow(tree, host, linking, kFiler);
  EXPECT_EQ(tree.Nodes[kLinkRootNode].FirstTrailing, 0);
  EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 800, 600}));
  int used = 0;
  for (int i = 2; i < kLinkNodeCount; ++i) used += tree.Nodes[i].Parent != kLinkFreeNode;
  EXPECT_EQ(used, 2);  // the viewer's column and the viewer
  // The last window gone: the root stays, and a new window finds its place.
  UnlinkWindow(tree, host, linking, kViewer);
  EXPECT_EQ(tree.Nodes[kLinkRootNode].Parent, kLinkSpareNode);
  for (int i = 2; i < kLinkNodeCount; ++i) EXPECT_EQ(tree.Nodes[i].Parent, kLinkFreeNode) << i;
  Open(kFiler, "RT", {0, 0, 150, 150});
  UserSets(kFiler, {0, 0, 200, 150});
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{0, 0, 200, 150}));
  UnlinkWindow(tree, host, linking, 0x999);  // never linked: nothing happens
}

TEST_F(LinkTreeTest, LinkingOffKeepsTheTreeButMovesNothing) {
  linking = false;
  OpenViewer();
  Open(kFiler, "RT", {900, 0, 1050, 150});
  EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 800, 600}));
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{900, 0, 1050, 150}));
  UserSets(kViewer, {0, 0, 700, 600});
  UserSets(kViewer, {50, 50, 750, 650}, kPosNoSize);
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{900, 0, 1050, 150}));
  EXPECT_EQ(host.moves, 0);
  UnlinkWindow(tree, host, linking, kFiler);
  EXPECT_EQ(FindLinkNode(tree, kFiler), -1);
  EXPECT_EQ(host.moves, 0);
}

TEST_F(LinkTreeTest, MovesEchoedBackDoNotRecurse) {
  OpenViewer();
  host.echo = true;
  Open(kFiler, "RT", {0, 0, 150, 150});
  Open(kArchive, "RB", {0, 0, 150, 150});
  UserSets(kViewer, {0, 0, 693, 600});
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{693, 0, 800, 480}));
  EXPECT_FALSE(tree.Busy);
  ExpectTiling();
}

TEST_F(LinkTreeTest, PathsThatRunIntoOtherWindowsStillGiveEveryWindowItsOwnPlace) {
  OpenViewer();
  // "L" ends on the viewer's column (a container): it goes on down the leading lists and
  // becomes the viewer's sibling; "LTB" runs into the viewer and ends there likewise.
  Open(kFiler, "L", {0, 0, 100, 100});
  Open(kArchive, "LTB", {0, 0, 100, 100});
  Open(kList, "", {0, 0, 100, 100});
  const int viewer = FindLinkNode(tree, kViewer);
  for (LinkWindowId id : {kFiler, kArchive, kList}) {
    const LinkNode& node = tree.Nodes[FindLinkNode(tree, id)];
    EXPECT_EQ(node.Parent, tree.Nodes[viewer].Parent) << id;
    EXPECT_EQ(node.FirstLeading | node.FirstTrailing, 0) << id;
  }
  for (const LinkNode& node : tree.Nodes) {
    if (node.Parent != kLinkFreeNode) {
      EXPECT_FALSE(node.Window && (node.FirstLeading || node.FirstTrailing));
    }
  }
  EXPECT_EQ(tree.Nodes[kLinkRootNode].Window, 0u);
  ExpectTiling();
}

TEST_F(LinkTreeTest, FullPoolLeavesTheWindowUnlinkedAndTheTreeUnchanged) {
  OpenViewer();  // nodes 2 and 3
  int linked = 0;
  for (LinkWindowId id = 1; id <= 40; ++id) linked += Open(id, "RB", {0, 0, 10, 10}) >= 0;
  // The pool is nodes 2..31: the viewer 2, "RB" two more, then one sibling per window.
  EXPECT_EQ(linked, 1 + (30 - 4));
  // One node free again; a deep path needing several new nodes fails part way and takes
  // the ones it made back.
  UnlinkWindow(tree, host, linking, 1);
  LinkTree before = tree;
  EXPECT_EQ(LinkWindow(tree, 0x777, "LBLBLB", {0, 0, 10, 10}), -1);
  EXPECT_EQ(std::memcmp(&before.Nodes, &tree.Nodes, sizeof tree.Nodes), 0);
  EXPECT_EQ(FindLinkNode(tree, 0x777), -1);
  ExpectTiling();
}

TEST_F(LinkTreeTest, ContainerOfZeroSizedChildrenPlacesNone) {
  OpenViewer();
  Open(kFiler, "RT", {0, 0, 0, 0});
  Open(kArchive, "RB", {0, 0, 0, 0});
  // The right column has the zero size of its first window: it gets no width, and its
  // windows, of zero height, are not placed at all.
  EXPECT_EQ(host.Rect(kViewer), (LinkRect{0, 0, 800, 600}));
  EXPECT_EQ(host.Rect(kFiler), (LinkRect{}));
  const int right = tree.Nodes[kLinkRootNode].FirstTrailing;
  for (LinkWindowId id : {kFiler, kArchive}) tree.Nodes[FindLinkNode(tree, id)].Rect = {};
  const int moves = host.moves;
  PlaceNode(tree, host, right, {0, 0, 100, 100});
  EXPECT_EQ(host.moves, moves);
}

TEST_F(LinkTreeTest, RandomSequencesKeepTheWindowsTiled) {
  std::mt19937 random(7);
  const char* paths[] = {"LT", "RT", "RB", "LBR", "LBL", "LTL", "LTR", "LBRB", "LB", "RBLB", "R"};
  for (int round = 0; round < 40; ++round) {
    SetUp();
    host.windows.clear();
    host.echo = round % 2 == 1;
    OpenViewer({0, 0, 1000, 800});
    for (int step = 0; step < 60; ++step) {
      const LinkWindowId id = 1 + random() % 8;
      const int action = int(random() % 4);
      auto pick = [&](int low, int high) { return int32_t(low + int(random() % unsigned(high - low))); };
      if (action == 0 && FindLinkNode(tree, id) < 0) {
        Open(id, paths[random() % std::size(paths)], {0, 0, pick(40, 300), pick(40, 300)});
      } else if (action == 1 && FindLinkNode(tree, id) >= 0) {
        UnlinkWindow(tree, host, true, id);
        host.windows.erase(id);
      } else if (action == 2 && FindLinkNode(tree, id) >= 0) {
        LinkRect r = host.Rect(id);
        // Edges moved a little, as a user drags them; the window keeps a sensible size.
        r = {r.left + pick(-5, 6), r.top + pick(-5, 6), r.right + pick(-5, 6), r.bottom + pick(-5, 6)};
        if (r.right - r.left > 10 && r.bottom - r.top > 10) UserSets(id, r);
      } else if (action == 3 && FindLinkNode(tree, id) >= 0) {
        LinkRect r = host.Rect(id);
        const int32_t dx = pick(-30, 31), dy = pick(-30, 31);
        UserSets(id, {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}, kPosNoSize);
      }
      ExpectTiling();
      if (HasFailure()) return;
    }
  }
}

TEST(SubWindowPlacement, OriginKeptOnTheScreen) {
  SubWindowOrigin o = ClampSubWindowOrigin(100, 200, 1024, 740, 20);
  EXPECT_EQ(o.left, 100);
  EXPECT_EQ(o.top, 200);
  o = ClampSubWindowOrigin(-5, 761, 1024, 740, 20);
  EXPECT_EQ(o.left, 0);
  EXPECT_EQ(o.top, 0);
  o = ClampSubWindowOrigin(1025, 760, 1024, 740, 20);
  EXPECT_EQ(o.left, 0);
  EXPECT_EQ(o.top, 760);
  EXPECT_EQ(ClampSubWindowOrigin(1024, -1, 1024, 740, 20).left, 1024);
  EXPECT_EQ(ClampSubWindowOrigin(1024, -1, 1024, 740, 20).top, 0);
}

// With no saved placement a sub-window opens where it can be used: right of the viewer when the
// screen has room, else below it, never over the viewer's caption and menu.
TEST(SubWindowPlacement, DefaultBesideTheViewer) {
  auto expect = [](SubWindowRect r, SubWindowRect want) {
    EXPECT_EQ(r.left, want.left);
    EXPECT_EQ(r.top, want.top);
    EXPECT_EQ(r.width, want.width);
    EXPECT_EQ(r.height, want.height);
  };
  // A 960-pixel viewer on a 1280-pixel screen: the 320 pixels right of it, as tall.
  expect(DefaultSubWindowPlacement({0, 0, 960, 768}, 1280, 1024, 50), {960, 0, 320, 768});
  // Less room than the usual width but enough: all of it.
  expect(DefaultSubWindowPlacement({0, 0, 1020, 700}, 1280, 1024, 50), {1020, 0, 260, 700});
  // A wide viewer: below it, as wide, up to half its height.
  expect(DefaultSubWindowPlacement({0, 0, 1200, 600}, 1280, 1024, 50), {0, 600, 1200, 300});
  // A viewer filling the screen: over its lower part, not over its caption and menu.
  expect(DefaultSubWindowPlacement({0, 0, 1280, 1024}, 1280, 1024, 50), {0, 824, 1280, 200});
  expect(DefaultSubWindowPlacement({0, 0, 1280, 220}, 1280, 240, 50), {0, 50, 1280, 200});
}

TEST(SubWindowPlacement, SavedMinimizedOpensNormally) {
  EXPECT_EQ(ShowStateForOpening(3), 3);
  EXPECT_EQ(ShowStateForOpening(5), 5);
  EXPECT_EQ(ShowStateForOpening(6), 5);
  EXPECT_EQ(ShowStateForOpening(0), 5);  // a hidden state would lose the window
  EXPECT_EQ(ShowStateForOpening(255), 5);
}

}  // namespace
