// The front image of a host window and the window device context lent on it.
//
// The image stands for the window's pixels. Borrowers of the window context nest: the first
// borrow makes a fresh context (default attributes or the host's default font, no clip), later
// ones share it, and the last
// return hands back the dirty rectangle for the host to present. A paint runs the client's
// OnPaint on a separate context clipped to the painted area.
#pragma once
#include <memory>
#include <optional>
#include "platform/gui/qt/Raster.h"

#include "platform/gui/WindowDc.h"

namespace vt {

class HostClient;

class FrontBuffer {
 public:
  FrontBuffer(int32_t width, int32_t height);
  // New size; the old pixels stay at the top left, new ones are white. A borrowed context
  // keeps working on the resized image.
  void Resize(int32_t width, int32_t height);
  const Raster& Image() const { return image_; }
  Rect Bounds() const { return Rect{0, 0, image_.width(), image_.height()}; }

  // A font that every fresh window context starts with (null: the context's default). The font
  // must outlive the buffer's borrows.
  void SetDefaultFont(const Font* font) { defaultFont_ = font; }

  DeviceContext* Borrow();
  // The dirty rectangle when the last borrower returned (possibly empty), else nothing.
  std::optional<Rect> Return(DeviceContext* dc);
  int BorrowCount() const { return count_; }

  // Runs the client's paint of area (clipped to the image) and gives the area it changed.
  Rect Paint(HostClient* client, const Rect& area);

 private:
  Raster image_;
  std::unique_ptr<WindowDc> lent_;
  int count_ = 0;
  const Font* defaultFont_ = nullptr;
};

}  // namespace vt
