// CGVTFlatButton: the column-header button of the alarm and mark lists. A light face with a thin
// border and the caption at the left, shortened with "..." when the column is narrow; pressed,
// it gains a grey outline and the caption moves by a pixel. A click sorts its column.
#pragma once
#include <cstdint>

#include "gadget/GButton.h"

GADGET_DECLARE_RECORD(CGVTFlatButton)

class CGVTFlatButton : public CGFlatButton {
 public:
  // A button at 0,0 of the given width (18 high), caption from the string table, font height 14.
  CGVTFlatButton(int width, int id, CGCore* parent, uint32_t captionId);
  const SGClassInfo* GetClassInfo() const override;
  void DrawNormal(vt::DeviceContext* dc) override;
  void DrawPressed(vt::DeviceContext* dc) override;

 private:
  // The face and its border; the caption drawn at the given inset from the left and top.
  void DrawFace(vt::DeviceContext* dc, int inset, bool pressed);
};
