// Skinned scroll bars and thin scroll bars: the value model, mouse behaviour, repeat timers
// and events of the plain bars, with the parts laid out edge to edge and drawn from bitmaps
// of the skin. The thin bars' arrow buttons are twice as long as the bar is thick. Each thumb
// and arrow-button class draws from its own skin block, set by its skin setter; a later setter
// call replaces the block for the whole process.
#pragma once
#include "gadget/GScrollBar.h"
#include "gadget/GSkinCell.h"

namespace vt {

// The 64-byte block of a skinned thumb: the thumb cell, then the track cell.
struct SGThumbSkin {
  SGSkinCell thumb;
  SGSkinCell track;
};

}  // namespace vt
constexpr std::size_t kThumbSkinBytes = 64;

class CGSkVScrollBar : public CGVScrollBar {
 public:
  using CGVScrollBar::CGVScrollBar;
  const SGClassInfo* GetClassInfo() const override;
  void Layout() override;
  int Build(int frameType) override;
};

class CGSkHScrollBar : public CGHScrollBar {
 public:
  using CGHScrollBar::CGHScrollBar;
  const SGClassInfo* GetClassInfo() const override;
  void Layout() override;
  int Build(int frameType) override;
};

class CGSkVThinScrollBar : public CGVScrollBar {
 public:
  using CGVScrollBar::CGVScrollBar;
  const SGClassInfo* GetClassInfo() const override;
  void Layout() override;
  int Build(int frameType) override;
  int m_thinStyle = 0;  // set to 1 by the creators of the legend bars; no drawing depends on it
};

class CGSkHThinScrollBar : public CGHScrollBar {
 public:
  using CGHScrollBar::CGHScrollBar;
  const SGClassInfo* GetClassInfo() const override;
  void Layout() override;
  int Build(int frameType) override;
  int m_thinStyle = 0;
};

// The skinned thumbs: Draw calls DrawState with the effective style and the pressed flag.
#define GADGET_SKINNED_THUMB(Name, Base)                                   \
  class Name : public Base {                                               \
   public:                                                                 \
    using Base::Base;                                                      \
    const SGClassInfo* GetClassInfo() const override;                      \
    void Draw(vt::DeviceContext* dc) override;                             \
    void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;     \
    void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;       \
    virtual void DrawState(vt::DeviceContext* dc, int style, int pressed); \
  };
GADGET_SKINNED_THUMB(CGSkVBar, CGVBar)
GADGET_SKINNED_THUMB(CGSkHBar, CGHBar)
GADGET_SKINNED_THUMB(CGSkVThinBar, CGVBar)
GADGET_SKINNED_THUMB(CGSkHThinBar, CGHBar)
#undef GADGET_SKINNED_THUMB

// The skinned arrow buttons: state 0 normal, 1 disabled, 2 pressed.
#define GADGET_SKINNED_ARROW(Name, Base)              \
  class Name : public Base {                          \
   public:                                            \
    using Base::Base;                                 \
    const SGClassInfo* GetClassInfo() const override; \
    void DrawNormal(vt::DeviceContext* dc) override;  \
    void DrawPressed(vt::DeviceContext* dc) override; \
  };
GADGET_SKINNED_ARROW(CGSkScrollUpButton, CGScrollUpButton)
GADGET_SKINNED_ARROW(CGSkScrollDownButton, CGScrollDownButton)
GADGET_SKINNED_ARROW(CGSkScrollLeftButton, CGScrollLeftButton)
GADGET_SKINNED_ARROW(CGSkScrollRightButton, CGScrollRightButton)
GADGET_SKINNED_ARROW(CGSkThinScrollUpButton, CGScrollUpButton)
GADGET_SKINNED_ARROW(CGSkThinScrollDownButton, CGScrollDownButton)
GADGET_SKINNED_ARROW(CGSkThinScrollLeftButton, CGScrollLeftButton)
GADGET_SKINNED_ARROW(CGSkThinScrollRightButton, CGScrollRightButton)
#undef GADGET_SKINNED_ARROW

// Skin setters: each copies its block (64 bytes for a thumb, 48 for a button) from the skin
// descriptor and loads the block's bitmaps.
void SetSkVBarSkin(const unsigned char* block);
void SetSkHBarSkin(const unsigned char* block);
// The skinned horizontal thumb's block, for thumbs that draw their own geometry with it.
const vt::SGThumbSkin& GetSkHBarSkin();
void SetSkVThinBarSkin(const unsigned char* block);
void SetSkHThinBarSkin(const unsigned char* block);
void SetSkScrollUpButtonSkin(const unsigned char* block);
void SetSkScrollDownButtonSkin(const unsigned char* block);
void SetSkScrollLeftButtonSkin(const unsigned char* block);
void SetSkScrollRightButtonSkin(const unsigned char* block);
void SetSkThinScrollUpButtonSkin(const unsigned char* block);
void SetSkThinScrollDownButtonSkin(const unsigned char* block);
void SetSkThinScrollLeftButtonSkin(const unsigned char* block);
void SetSkThinScrollRightButtonSkin(const unsigned char* block);
