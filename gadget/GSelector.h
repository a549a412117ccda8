// A group that shows exactly one of its children, chosen by index, and (unless told to keep
// its size) takes the size of the child it shows. Nothing is repainted; the owner repaints.
#pragma once
#include "gadget/GGroup.h"

class CGSelector : public CGGroup {
 public:
  CGSelector(CGCore* parent, int left, int top, int id, int style, int width, int height, int keepSize = 0);
  const SGClassInfo* GetClassInfo() const override;

  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void SetValue(int i) override { Select(i); }
  int GetValue(int* out) override {
    *out = m_selected;
    return 0;
  }
  // Hides every child, then shows and lays out the child at index (the first one for a
  // negative index); an index past the last child leaves all hidden.
  virtual void Select(int index);

  int m_selected = 0;
  int m_keepSize;
};
