// The "Graph color setting" dialog: the grid and background colours of the trend graph, each
// on a colour button that opens the colour chooser. OK and Enter end with 1 and the caller reads
// both colours from the root; Cancel ends with 2 and changes nothing. The root is pooled and
// gets the caller's colours at every opening.
#pragma once
#include <cstdint>

#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTGraphColorRoot)

class CGVTGraphColorRoot : public vt::CGVTDialogRoot {
 public:
  enum : int { kGridId = 1100, kBackId = 1101, kOkId = 1, kCancelId = 2 };
  CGVTGraphColorRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;
  void SetGraphColours(uint32_t grid, uint32_t back);
  void GetGraphColours(uint32_t* grid, uint32_t* back);
};

CGVTGraphColorRoot* CreateGraphColorRoot(vt::DeviceContext* dc);

class CDlgGraphColor : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 338;
  explicit CDlgGraphColor(vt::WindowHandle parent);
  ~CDlgGraphColor() override;

  uint32_t m_gridColour = 0;
  uint32_t m_backColour = 0;
  CGVTGraphColorRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
};
