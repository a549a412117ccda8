// Front image, nested window-context lending and paints.
#include "platform/gui/qt/FrontBuffer.h"
#include "platform/gui/qt/Raster.h"

#include <QPainter>
#include <algorithm>
#include <cassert>

#include "platform/gui/HostClient.h"

namespace vt {

namespace {

QImage WhiteImage(int32_t width, int32_t height) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  image.fill(0xFFFFFFFFu);
  return image;
}

}  // namespace

FrontBuffer::FrontBuffer(int32_t width, int32_t height) : image_(WhiteImage(width, height)) {}

void FrontBuffer::Resize(int32_t width, int32_t height) {
  if (image_.width() == std::max(1, width) && image_.height() == std::max(1, height)) return;
  QImage resized = WhiteImage(width, height);
  {
    QPainter p(&resized);
    p.drawImage(0, 0, image_);
  }
  image_ = std::move(resized);  // the lent context points at image_, which stays the same object
}

DeviceContext* FrontBuffer::Borrow() {
  if (count_++ == 0) {
    lent_ = std::make_unique<WindowDc>(image_);
    if (defaultFont_) lent_->SelectFont(defaultFont_);
  }
  return lent_.get();
}

std::optional<Rect> FrontBuffer::Return(DeviceContext* dc) {
  assert(dc == lent_.get() && count_ > 0);
  (void)dc;
  if (count_ <= 0 || --count_ > 0) return std::nullopt;
  const Rect dirty = lent_->TakeDirty();
  lent_.reset();
  return dirty;
}

Rect FrontBuffer::Paint(HostClient* client, const Rect& area) {
  const Rect clipped = IntersectRects(area, Bounds());
  if (clipped.IsEmpty() || !client) return clipped;
  WindowDc dc(image_);
  dc.SelectClipRect(&clipped);
  client->OnPaint(dc, clipped);
  return UnionRects(clipped, dc.Dirty());
}

}  // namespace vt
