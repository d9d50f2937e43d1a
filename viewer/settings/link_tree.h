// Window linking: the viewer's top-level windows (the main window, Zelko Filer, the archive
// filer, the list windows) as leaves of one binary split tree.  A link path such as "LT" or
// "LBR" names a window's place: 'L' and 'T' step into a node's leading list (left or top),
// any other letter into its trailing list (right or bottom); the split direction alternates
// with depth, side by side at the root.  This file is the tree and its arithmetic over
// rectangles and opaque window ids; the windowing layer answers whether a window is shown
// and carries out the moves.
#pragma once

#include <cstdint>

using LinkWindowId = uintptr_t;  // the window handle; 0 = none

struct LinkRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const LinkRect&) const = default;
};

constexpr int kLinkNodeCount = 32;
constexpr uint8_t kLinkSpareNode = 0;  // receives the root's rectangle only
constexpr uint8_t kLinkRootNode = 1;
constexpr uint8_t kLinkFreeNode = 255;  // the Parent of a free node

struct LinkNode {
  LinkWindowId Window = 0;  // the window of a leaf; 0 for a container
  uint8_t Next = 0;         // next sibling in the same list; 0 = none
  int32_t Vertical = 0;     // container: 1 = children top to bottom, 0 = left to right
  uint8_t Parent = 0;
  uint8_t FirstLeading = 0;
  uint8_t FirstTrailing = 0;
  LinkRect Rect;  // screen coordinates
};

struct LinkTree {
  LinkNode Nodes[kLinkNodeCount];
  bool Busy = false;  // set while the tree moves windows, so their moves do not recurse
};

// What the tree needs from the windowing layer.
class LinkWindowHost {
 public:
  virtual ~LinkWindowHost() = default;
  // Neither minimized nor invisible.
  virtual bool IsShown(LinkWindowId window) const = 0;
  virtual void MoveWindow(LinkWindowId window, const LinkRect& rect) = 0;
};

// Whether a path letter steps into the leading list.
constexpr bool IsLeadingStep(char letter) { return letter == 'L' || letter == 'T'; }

// An empty tree: the root alone, nodes 2..31 free.
void ResetLinkTree(LinkTree& tree);
// Gives `window` (whose rectangle is `rect`) its place on `path`.  Returns its node, or -1
// when the pool has no room (the window then stays unlinked and the tree unchanged).
int LinkWindow(LinkTree& tree, LinkWindowId window, const char* path, const LinkRect& rect);
// The children of `node` in children order (the leading list, then the trailing list);
// returns their count.
int LinkChildren(const LinkTree& tree, int node, uint8_t children[kLinkNodeCount]);
// The node holding `window`, or -1.
int FindLinkNode(const LinkTree& tree, LinkWindowId window);
// The group's rectangle (the root's, and the spare's): the main window's once it is shown.
void SetLinkRootRect(LinkTree& tree, const LinkRect& rect);

bool IsNodeShown(const LinkTree& tree, const LinkWindowHost& host, int node);
// Lays node `node` out in `rect`: shown children share it along the split in proportion to
// their sizes; a leaf's window is moved there.
void PlaceNode(LinkTree& tree, LinkWindowHost& host, int node, const LinkRect& rect);
// With linking on, the whole group laid out again in the root's rectangle.
void RelayoutLinkedWindows(LinkTree& tree, LinkWindowHost& host, bool linking);
// With linking on, the group laid out again after `window` was linked: the new window keeps
// its own size along each split it joins (where the split has room for it) and the windows
// already there share the rest in proportion, so a window closed and opened again at its
// saved size finds the group as it left it.
void PlaceNewLinkedWindow(LinkTree& tree, LinkWindowHost& host, bool linking, LinkWindowId window);

// The WINDOWPOS flags the tree looks at (the platform's values).
constexpr uint32_t kPosNoSize = 0x0001;
constexpr uint32_t kPosNoMove = 0x0002;
constexpr uint32_t kPosFrameChanged = 0x0020;

struct LinkPosChange {
  uint32_t flags;
  LinkRect windowRect;  // the window's rectangle after the change
  bool maximized;
};
// A linked window was moved or resized: a move carries the group along; a resize re-divides
// the neighbours (a maximized window takes the whole group into its rectangle).
void OnLinkedWindowPosChanged(LinkTree& tree, LinkWindowHost& host, bool linking, LinkWindowId window,
                              const LinkPosChange& change);
// `window` is going away: its node and the containers left empty are removed, and with
// linking on the others share its space.
void UnlinkWindow(LinkTree& tree, LinkWindowHost& host, bool linking, LinkWindowId window);
