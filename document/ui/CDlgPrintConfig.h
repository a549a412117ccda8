// The "Print Settings" dialog: a copy of the graph's print settings (range, colour, page span,
// hours per page of a span set freely, trace thickness, printing comment). OK and Enter both
// store the gadgets into the copy and end with 1; the command then hands the copy to the
// document. Cancel leaves the copy as it was. The root is pooled and reloaded at every opening.
#pragma once
#include "document/PrintSettings.h"
#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTPrintConfigRoot)

class CGVTPrintConfigRoot : public CGSkRoot {
 public:
  enum : int {
    kRangeId = 1108,
    kColourId = 1109,
    kSpanId = 1110,
    kHoursId = 1111,
    kThicknessId = 1125,
    kCommentId = 1126,
    kOkId = 1,
    kCancelId = 2,
  };
  // The page span whose hours per page the user sets.
  static constexpr int kSpanSetFreely = 5;
  static constexpr int kCommentChars = 250;

  CGVTPrintConfigRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;
  vt::ColorRef GetBackColor() const override { return CGGroup::GetBackColor(); }

  void LoadValues(const vt::SPrintSettings& block);
  // The comment keeps at most 255 bytes, never part of a character.
  void StoreValues(vt::SPrintSettings* block);
  // The hours box is usable only while the span is set freely.
  void UpdateHoursBox();
  CGPrimitive* Gadget(int id) const { return static_cast<CGPrimitive*>(FindById(id)); }
};

CGVTPrintConfigRoot* CreatePrintConfigRoot(vt::DeviceContext* dc);

class CDlgPrintConfig : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 340;
  CDlgPrintConfig(vt::WindowHandle parent, const vt::SPrintSettings& block);
  ~CDlgPrintConfig() override;

  // The gadgets into the copy, then the dialog ends with OK.
  void StoreAndEnd();

  vt::SPrintSettings m_block;
  CGVTPrintConfigRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
  void OnOK() override { StoreAndEnd(); }
};
