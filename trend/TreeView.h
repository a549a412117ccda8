// A small tree view: nodes with their own parent, sibling and child links (separate from the
// gadget links; every node of a tree is a gadget child of the same screen), the scrolling
// screen that places the visible nodes one under the other, and the scroll manager around it.
// A node inside a collapsed branch answers style 0, so it is neither drawn nor hit. The
// legends of the trend graph are built on it.
#pragma once
#include "gadget/GScroll.h"
#include "trend/TrendRecords.h"

class CGTreeScreen;
class CGTreeManager;

class CGTreeNode : public CGPrimitive {
 public:
  CGTreeNode(CGCore* screen, int left, int top, int id, int style, int width, int height);
  ~CGTreeNode() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGTreeNode); }

  void Release() override;
  void ReleaseChildren() override;
  int GetStyle() const override;
  void Paint(vt::DeviceContext* dc) override;
  bool HitTest(int x, int y, int mask) const override;
  void Draw(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  void Layout() override;
  void LayoutTree() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;

  // 2 expanded; 1 collapsed with children within the screen's depth limit; else 0.
  virtual int GetExpandState() const;
  virtual bool ToggleExpand();
  virtual vt::Size GetLabelSize();
  virtual void DrawLabel(vt::DeviceContext* dc, int x, int y, bool selected);
  virtual void DrawExpandBox(vt::DeviceContext* dc, int x, int y);
  virtual void DrawTreeLines(vt::DeviceContext* dc, int x, int y);

  // Tree links.
  void AddTreeChild(CGTreeNode* child);
  CGTreeNode* TreeParent() const { return m_treeParent; }
  CGTreeNode* FirstTreeChild() const { return m_firstChild; }
  // The sibling after (before) this one in ring order, null at the end of the ring.
  CGTreeNode* NextTreeSibling() const;
  CGTreeNode* PrevTreeSibling() const;
  int TreeDepth() const;
  int CountTreeChildren() const;
  CGTreeNode* TreeChildAt(int i) const;
  int TreeIndex() const;
  bool IsExpanded() const { return m_expanded != 0; }
  void SetExpanded(bool on) { m_expanded = on ? 1 : 0; }
  bool IsShown() const { return (GetStyle() & GSTYLE_VISIBLE) != 0; }
  // This node's rectangle, extended by its shown children's subtrees when expanded.
  vt::Rect GetSubtreeRect() const;
  CGTreeScreen* Screen() const;
  CGTreeNode* PrevShownSibling() const;
  CGTreeNode* NextShownSibling() const;

 protected:
  // The gap below the previous sibling's subtree.
  virtual int SiblingGap() const { return 3; }
  void Unlink();

  CGTreeNode* m_treeParent = nullptr;
  CGTreeNode* m_prevSibling;
  CGTreeNode* m_nextSibling;
  CGTreeNode* m_firstChild = nullptr;
  uint8_t m_expanded = 0;
};

class CGTreeScreen : public CGScroll {
 public:
  CGTreeScreen(CGCore* manager, int id, int style);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGTreeScreen); }
  void Layout() override;
  void LayoutTree() override;

  CGTreeManager* Manager() const;
  // Update, event 1 on the screen and on its manager.
  void NotifySelectionChanged();
  // LayoutTree and Update of the manager.
  void NotifyExpandChanged();
  // The node becomes the selected one; event 13 on the screen and on its manager.
  void NotifyOpen(CGTreeNode* node);

  CGTreeNode* m_root = nullptr;
  CGTreeNode* m_selected = nullptr;
  int32_t m_maxDepth = -1;
  uint8_t m_showRoot = 0;
  uint8_t m_drawLines = 0;
};

class CGTreeManager : public CGScrollManager {
 public:
  using CGScrollManager::CGScrollManager;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGTreeManager); }
  // Makes the screen and both bars.
  void CreateParts();
  virtual CGTreeScreen* CreateScreen();
  virtual CGScrollBar* CreateVScrollBar();
  virtual CGScrollBar* CreateHScrollBar();
  CGTreeScreen* TreeScreen() const;
};

// The point of the last left-button press on any tree node, in that node's rectangle system.
extern vt::Point g_treePressPoint;
