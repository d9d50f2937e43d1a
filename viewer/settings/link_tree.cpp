// The link tree's structure: the node pool, linking a window at its path, and removing a
// window's node together with the containers it leaves empty.  A node either holds a window
// (a leaf) or has children (a container), never both: a path that runs into a leaf ends
// there, and a path that ends on a container goes on into its leading lists, so paths that
// are prefixes of one another still give every window a place of its own.
#include "viewer/settings/link_tree.h"

#include <initializer_list>

namespace {

constexpr int kFirstPoolNode = 2;

bool InUse(const LinkNode& node) { return node.Parent != kLinkFreeNode; }
bool HasChildren(const LinkNode& node) { return node.FirstLeading != 0 || node.FirstTrailing != 0; }

// The lowest free pool node, made a child-to-be of `parent`; -1 when none is free.
int AllocateNode(LinkTree& tree, int parent, const LinkRect& rect) {
  for (int i = kFirstPoolNode; i < kLinkNodeCount; ++i) {
    LinkNode& node = tree.Nodes[i];
    if (InUse(node)) continue;
    node = LinkNode{};
    node.Parent = uint8_t(parent);
    node.Vertical = tree.Nodes[parent].Vertical ? 0 : 1;
    node.Rect = rect;
    return i;
  }
  return -1;
}

// Takes `node` out of whichever list of its parent holds it.
void Detach(LinkTree& tree, int node) {
  LinkNode& parent = tree.Nodes[tree.Nodes[node].Parent];
  for (uint8_t* link : {&parent.FirstLeading, &parent.FirstTrailing}) {
    for (int guard = 0; *link != 0 && guard < kLinkNodeCount; ++guard) {
      if (*link == node) {
        *link = tree.Nodes[node].Next;
        return;
      }
      link = &tree.Nodes[*link].Next;
    }
  }
}

void FreeSubtree(LinkTree& tree, int node) {
  uint8_t children[kLinkNodeCount];
  int count = LinkChildren(tree, node, children);
  for (int i = 0; i < count; ++i) FreeSubtree(tree, children[i]);
  tree.Nodes[node] = LinkNode{};
  tree.Nodes[node].Parent = kLinkFreeNode;
}

void RemoveNode(LinkTree& tree, int node) {
  Detach(tree, node);
  FreeSubtree(tree, node);
}

// Removes pool nodes that hold no window and have no children, until none is left.
void RemoveEmptyContainers(LinkTree& tree) {
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = kFirstPoolNode; i < kLinkNodeCount; ++i) {
      const LinkNode& node = tree.Nodes[i];
      if (InUse(node) && node.Window == 0 && !HasChildren(node)) {
        RemoveNode(tree, i);
        changed = true;
      }
    }
  }
}

// Remembers the first node LinkWindow creates, so that a failure can take them all back
// (every later one hangs below it or after it in the same list).
struct Allocation {
  LinkTree& tree;
  const LinkRect& rect;
  int first = -1;

  // The child in `slot` of `parent`, created when missing; -1 when the pool is empty.
  int Child(int parent, uint8_t& slot) {
    if (slot != 0) return slot;
    int node = AllocateNode(tree, parent, rect);
    if (node < 0) return -1;
    slot = uint8_t(node);
    if (first < 0) first = node;
    return node;
  }
  void Undo() {
    if (first >= 0) RemoveNode(tree, first);
  }
};

// The node a path leads to: the walk stops at a leaf; a container goes on into its leading
// list.  The root never holds a window.
int WalkPath(LinkTree& tree, Allocation& allocation, const char* path) {
  int n = kLinkRootNode;
  for (const char* p = path; p && *p && tree.Nodes[n].Window == 0; ++p) {
    LinkNode& node = tree.Nodes[n];
    n = allocation.Child(n, IsLeadingStep(*p) ? node.FirstLeading : node.FirstTrailing);
    if (n < 0) return -1;
  }
  while (tree.Nodes[n].Window == 0 && (n == kLinkRootNode || HasChildren(tree.Nodes[n]))) {
    n = allocation.Child(n, tree.Nodes[n].FirstLeading);
    if (n < 0) return -1;
  }
  return n;
}

// A new sibling after the last node of `node`'s Next chain.
int AppendSibling(LinkTree& tree, Allocation& allocation, int node) {
  int last = node;
  for (int guard = 0; tree.Nodes[last].Next != 0 && guard < kLinkNodeCount; ++guard) last = tree.Nodes[last].Next;
  return allocation.Child(tree.Nodes[node].Parent, tree.Nodes[last].Next);
}

}  // namespace

void ResetLinkTree(LinkTree& tree) {
  for (LinkNode& node : tree.Nodes) node = LinkNode{};
  for (int i = kFirstPoolNode; i < kLinkNodeCount; ++i) tree.Nodes[i].Parent = kLinkFreeNode;
  tree.Nodes[kLinkRootNode].Parent = kLinkSpareNode;
  tree.Busy = false;
}

int LinkChildren(const LinkTree& tree, int node, uint8_t children[kLinkNodeCount]) {
  int count = 0;
  const LinkNode& parent = tree.Nodes[node];
  for (uint8_t child : {parent.FirstLeading, parent.FirstTrailing}) {
    while (child != 0 && count < kLinkNodeCount) {
      children[count++] = child;
      child = tree.Nodes[child].Next;
    }
  }
  return count;
}

int FindLinkNode(const LinkTree& tree, LinkWindowId window) {
  if (window == 0) return -1;
  for (int i = kLinkRootNode; i < kLinkNodeCount; ++i) {
    if (InUse(tree.Nodes[i]) && tree.Nodes[i].Window == window) return i;
  }
  return -1;
}

void SetLinkRootRect(LinkTree& tree, const LinkRect& rect) {
  tree.Nodes[kLinkRootNode].Rect = rect;
  tree.Nodes[kLinkSpareNode].Rect = rect;
}

int LinkWindow(LinkTree& tree, LinkWindowId window, const char* path, const LinkRect& rect) {
  if (window == 0) return -1;
  if (int existing = FindLinkNode(tree, window); existing >= 0) return existing;
  Allocation allocation{tree, rect};
  int n = WalkPath(tree, allocation, path);
  if (n >= 0 && tree.Nodes[n].Window != 0) n = AppendSibling(tree, allocation, n);
  if (n < 0) {
    allocation.Undo();
    return -1;
  }
  tree.Nodes[n].Window = window;
  tree.Nodes[n].Rect = rect;
  return n;
}

void UnlinkWindow(LinkTree& tree, LinkWindowHost& host, bool linking, LinkWindowId window) {
  int node = FindLinkNode(tree, window);
  if (node < 0) return;
  RemoveNode(tree, node);
  RemoveEmptyContainers(tree);
  RelayoutLinkedWindows(tree, host, linking);
}
