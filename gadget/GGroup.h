// The container gadget: a primitive that draws a bevelled frame (single or double), may fill
// its area, and hands its background colour down to children that do not paint their own.
#pragma once
#include "gadget/GPrimitive.h"

// frameStyle bits 0-15: frame width in pixels; bit 16: double frame.
constexpr int kGroupDoubleFrame = 0x10000;

class CGGroup : public CGPrimitive {
 public:
  CGGroup(CGCore* parent, int left, int top, int id, int style, int width, int height, int frameStyle = 0,
          int opaque = 0, vt::ColorRef backColor = vt::kNoColor);
  const SGClassInfo* GetClassInfo() const override;

  using CGPrimitive::SetRange;
  void Draw(vt::DeviceContext* dc) override;
  void SetBackColor(vt::ColorRef c) override { m_backColor = c; }
  // Its own colour when opaque and set; else the parent primitive's; else its own (maybe -1).
  vt::ColorRef GetBackColor() const override;
  int SetOpaque(int opaque) override;
  void SetRange(int low, int high) override;
  void SetRange(double low, double high) override;
  void SetDataSource(void* source) override;
  int SetFontSize(int size) override;
  virtual int GetPrintPageCount(vt::DeviceContext* dc) { return (void)dc, 1; }

  int GetFrameStyle() const { return m_frameStyle; }
  void SetFrameStyle(int frameStyle) { m_frameStyle = frameStyle; }
  int GetOpaque() const { return m_opaque; }
  vt::ColorRef GetOwnBackColor() const { return m_backColor; }

 protected:
  int m_frameStyle;
  int m_opaque;
  vt::ColorRef m_backColor;
};
