// The link tree's layout: placing a node's shown children side by side or stacked in
// proportion to their sizes, carrying a resize of one window up the tree (its neighbours
// give or take what it gained or lost), and moving the whole group along with one window.
#include <algorithm>
#include <cstdint>

#include "viewer/settings/link_tree.h"

namespace {

// Sets Busy for the duration of a layout pass and puts the old value back.
class BusyScope {
 public:
  explicit BusyScope(LinkTree& tree) : tree_(tree), was_(tree.Busy) { tree.Busy = true; }
  ~BusyScope() { tree_.Busy = was_; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  LinkTree& tree_;
  bool was_;
};

// The two edges of a rectangle along a container's split axis.
int32_t& Lead(LinkRect& r, bool vertical) { return vertical ? r.top : r.left; }
int32_t& Trail(LinkRect& r, bool vertical) { return vertical ? r.bottom : r.right; }
int32_t LeadOf(const LinkRect& r, bool vertical) { return vertical ? r.top : r.left; }
int32_t TrailOf(const LinkRect& r, bool vertical) { return vertical ? r.bottom : r.right; }
int32_t SizeAlong(const LinkRect& r, bool vertical) {
  return std::max(0, vertical ? r.bottom - r.top : r.right - r.left);
}

struct ShownChildren {
  uint8_t nodes[kLinkNodeCount];
  int count = 0;
};

ShownChildren ShownChildrenOf(const LinkTree& tree, const LinkWindowHost& host, int node) {
  uint8_t all[kLinkNodeCount];
  int total = LinkChildren(tree, node, all);
  ShownChildren shown;
  for (int i = 0; i < total; ++i) {
    if (IsNodeShown(tree, host, all[i])) shown.nodes[shown.count++] = all[i];
  }
  return shown;
}

// The neighbour of a resized child gives or takes what the child's edge moved by, without
// going below nothing.
void MoveNeighbourEdge(int32_t& edge, int32_t delta, int32_t oppositeEdge, bool isTrailingEdge) {
  int64_t moved = int64_t(edge) + delta;
  moved = isTrailingEdge ? std::max<int64_t>(moved, oppositeEdge) : std::min<int64_t>(moved, oppositeEdge);
  edge = int32_t(moved);
}

void PropagateResize(LinkTree& tree, LinkWindowHost& host, int n, const LinkRect& r, const LinkRect& old);

// For the resized node n (rectangle `old` before, `r` now) inside its parent p: the first
// shown child carries p's leading edge along and the last its trailing edge; an edge between
// two children moves the neighbour's edge with it.  Returns p's new rectangle.
LinkRect ResizedParentRect(LinkTree& tree, const LinkWindowHost& host, int n, const LinkRect& r, const LinkRect& old) {
  const int p = tree.Nodes[n].Parent;
  const bool vertical = tree.Nodes[p].Vertical != 0;
  LinkRect q = tree.Nodes[p].Rect;
  ShownChildren shown = ShownChildrenOf(tree, host, p);
  const int at = int(std::find(shown.nodes, shown.nodes + shown.count, uint8_t(n)) - shown.nodes);
  if (at == 0) {
    Lead(q, vertical) = LeadOf(r, vertical);
  } else {
    LinkRect& previous = tree.Nodes[shown.nodes[at - 1]].Rect;
    MoveNeighbourEdge(Trail(previous, vertical), LeadOf(r, vertical) - LeadOf(old, vertical),
                      LeadOf(previous, vertical), true);
  }
  if (at == shown.count - 1) {
    Trail(q, vertical) = TrailOf(r, vertical);
  } else {
    LinkRect& following = tree.Nodes[shown.nodes[at + 1]].Rect;
    MoveNeighbourEdge(Lead(following, vertical), TrailOf(r, vertical) - TrailOf(old, vertical),
                      TrailOf(following, vertical), false);
  }
  // Across the axis the parent takes the resized child's extent.
  if (vertical) return {r.left, q.top, r.right, q.bottom};
  return {q.left, r.top, q.right, r.bottom};
}

void PropagateResize(LinkTree& tree, LinkWindowHost& host, int n, const LinkRect& r, const LinkRect& old) {
  if (!IsNodeShown(tree, host, n)) {
    RelayoutLinkedWindows(tree, host, true);
    return;
  }
  const int p = tree.Nodes[n].Parent;
  LinkRect parentRect = ResizedParentRect(tree, host, n, r, old);
  tree.Nodes[n].Rect = r;
  const LinkRect oldParent = tree.Nodes[p].Rect;
  PlaceNode(tree, host, p, parentRect);
  if (p == kLinkRootNode) {
    tree.Nodes[kLinkSpareNode].Rect = parentRect;
    return;
  }
  PropagateResize(tree, host, p, parentRect, oldParent);
}

void MoveGroup(LinkTree& tree, LinkWindowHost& host, int node, const LinkRect& windowRect) {
  if (!IsNodeShown(tree, host, node)) return;
  const int32_t dx = windowRect.left - tree.Nodes[node].Rect.left;
  const int32_t dy = windowRect.top - tree.Nodes[node].Rect.top;
  for (LinkNode& each : tree.Nodes) {
    if (each.Parent == kLinkFreeNode) continue;
    each.Rect = {each.Rect.left + dx, each.Rect.top + dy, each.Rect.right + dx, each.Rect.bottom + dy};
  }
  for (const LinkNode& each : tree.Nodes) {
    if (each.Parent != kLinkFreeNode && each.Window != 0 && host.IsShown(each.Window)) host.MoveWindow(each.Window, each.Rect);
  }
}

// Along the split of `child`'s parent (extent `extent`), the size `child` must weigh so that
// PlaceNode gives it its present size and the other shown children the rest.
void WeighToKeepSize(LinkTree& tree, const LinkWindowHost& host, int child, int64_t extent) {
  const int parent = tree.Nodes[child].Parent;
  const bool vertical = tree.Nodes[parent].Vertical != 0;
  const ShownChildren shown = ShownChildrenOf(tree, host, parent);
  int64_t others = 0;
  for (int i = 0; i < shown.count; ++i) {
    if (shown.nodes[i] != child) others += SizeAlong(tree.Nodes[shown.nodes[i]].Rect, vertical);
  }
  LinkRect& r = tree.Nodes[child].Rect;
  const int64_t size = SizeAlong(r, vertical);
  if (others <= 0 || size <= 0 || size >= extent) return;  // alone, empty, or wider than the split
  const int64_t weight = size * others / (extent - size);
  Trail(r, vertical) = int32_t(std::min<int64_t>(int64_t(LeadOf(r, vertical)) + weight, INT32_MAX));
}

}  // namespace

bool IsNodeShown(const LinkTree& tree, const LinkWindowHost& host, int node) {
  const LinkNode& n = tree.Nodes[node];
  if (n.Window != 0) return host.IsShown(n.Window);
  uint8_t children[kLinkNodeCount];
  int count = LinkChildren(tree, node, children);
  for (int i = 0; i < count; ++i) {
    if (IsNodeShown(tree, host, children[i])) return true;
  }
  return false;
}

void PlaceNode(LinkTree& tree, LinkWindowHost& host, int node, const LinkRect& rect) {
  LinkNode& n = tree.Nodes[node];
  n.Rect = rect;
  if (n.Window != 0) {
    host.MoveWindow(n.Window, rect);
    return;
  }
  const bool vertical = n.Vertical != 0;
  ShownChildren shown = ShownChildrenOf(tree, host, node);
  int64_t sum = 0;
  for (int i = 0; i < shown.count; ++i) sum += SizeAlong(tree.Nodes[shown.nodes[i]].Rect, vertical);
  if (sum <= 0) return;
  const int64_t start = LeadOf(rect, vertical);
  const int64_t extent = int64_t(TrailOf(rect, vertical)) - start;
  int64_t f = 0;
  for (int i = 0; i < shown.count; ++i) {
    const int child = shown.nodes[i];
    const int64_t s = SizeAlong(tree.Nodes[child].Rect, vertical);
    LinkRect part = rect;
    Lead(part, vertical) = int32_t(start + f * extent / sum);
    Trail(part, vertical) = int32_t(start + (f + s) * extent / sum);
    PlaceNode(tree, host, child, part);
    f += s;
  }
}

void RelayoutLinkedWindows(LinkTree& tree, LinkWindowHost& host, bool linking) {
  if (!linking) return;
  BusyScope busy(tree);
  PlaceNode(tree, host, kLinkRootNode, tree.Nodes[kLinkRootNode].Rect);
}

void PlaceNewLinkedWindow(LinkTree& tree, LinkWindowHost& host, bool linking, LinkWindowId window) {
  if (!linking) return;
  const int node = FindLinkNode(tree, window);
  if (node >= 0 && IsNodeShown(tree, host, node)) {
    // From the window up: each node on its path keeps its size within its parent's extent.
    for (int n = node; n != kLinkRootNode; n = tree.Nodes[n].Parent) {
      const int parent = tree.Nodes[n].Parent;
      WeighToKeepSize(tree, host, n, SizeAlong(tree.Nodes[parent].Rect, tree.Nodes[parent].Vertical != 0));
    }
  }
  RelayoutLinkedWindows(tree, host, linking);
}

void OnLinkedWindowPosChanged(LinkTree& tree, LinkWindowHost& host, bool linking, LinkWindowId window,
                              const LinkPosChange& change) {
  if (!linking || tree.Busy) return;
  const int node = FindLinkNode(tree, window);
  if (node < 0) return;
  BusyScope busy(tree);
  const bool pureMove = (change.flags & kPosNoSize) && !(change.flags & (kPosNoMove | kPosFrameChanged));
  if (pureMove) {
    MoveGroup(tree, host, node, change.windowRect);
  } else if (!(change.flags & kPosNoSize)) {
    if (change.maximized) {
      tree.Nodes[kLinkSpareNode].Rect = change.windowRect;
      PlaceNode(tree, host, kLinkRootNode, change.windowRect);
    } else {
      PropagateResize(tree, host, node, change.windowRect, tree.Nodes[node].Rect);
    }
  }
}
