// Fake host window: the real window's contract over plain members.
#include "platform/gui/testing/FakeHostWindow.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/gui/HostClient.h"
#include "platform/gui/MessageDelivery.h"
#include "platform/gui/qt/FrontBuffer.h"

namespace vt {

namespace {

template <typename T>
void Forget(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

FakeHostWindow::FakeHostWindow(int32_t width, int32_t height, Point screenOrigin)
    : origin_(screenOrigin),
      front_(std::make_unique<FrontBuffer>(width, height)),
      alive_(std::make_shared<bool>(true)) {
  InstallMessageDelivery();
  handle_ = RegisterWindow([this](uint32_t message, WParam wParam, LParam lParam) -> LResult {
    delivered_.push_back(PostedMessage{handle_, message, wParam, lParam});
    return client_ ? client_->OnMessage(message, wParam, lParam) : 0;
  });
}

FakeHostWindow::~FakeHostWindow() {
  *alive_ = false;
  UnregisterWindow(handle_);
}

void FakeHostWindow::Resize(int32_t width, int32_t height) {
  front_->Resize(width, height);
  if (client_) client_->OnSize(width, height);
  Invalidate(nullptr);
}

bool FakeHostWindow::FireTimer(uint32_t id) {
  if (timers_.count(id) == 0) return false;
  if (client_) client_->OnTimer(id);
  return true;
}

void FakeHostWindow::Pump() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

const Raster& FakeHostWindow::FrontImage() const { return front_->Image(); }
int FakeHostWindow::BorrowCount() const { return front_->BorrowCount(); }
Rect FakeHostWindow::ClientRect() const { return front_->Bounds(); }

DeviceContext* FakeHostWindow::GetDC() { return front_->Borrow(); }

void FakeHostWindow::ReleaseDC(DeviceContext* dc) {
  const auto dirty = front_->Return(dc);
  if (dirty && !dirty->IsEmpty()) presents_.push_back(*dirty);
}

void FakeHostWindow::Invalidate(const Rect* r) {
  pending_ = UnionRects(pending_, IntersectRects(r ? *r : ClientRect(), ClientRect()));
}

void FakeHostWindow::UpdateWindow() {
  const Rect area = std::exchange(pending_, Rect{});
  if (area.IsEmpty()) return;
  presents_.push_back(front_->Paint(client_, area));
}

bool FakeHostWindow::SetTimer(uint32_t id, uint32_t milliseconds) {
  timers_[id] = milliseconds;
  return true;
}

// Controls leave the host's lists when their owner deletes them.
std::unique_ptr<InPlaceEdit> FakeHostWindow::CreateEdit(bool password, int id, const Rect& r) {
  struct Tracked final : FakeInPlaceEdit {
    Tracked(bool p, int i, const Rect& rect, FakeHostWindow& h)
        : FakeInPlaceEdit(p, i, rect), host(h), alive(h.alive_) {}
    ~Tracked() override {
      if (*alive) Forget(host.edits_, static_cast<FakeInPlaceEdit*>(this));
    }
    FakeHostWindow& host;
    std::shared_ptr<bool> alive;
  };
  auto edit = std::make_unique<Tracked>(password, id, r, *this);
  edits_.push_back(edit.get());
  return edit;
}

std::unique_ptr<InPlaceCombo> FakeHostWindow::CreateCombo(int id, const Rect& r) {
  struct Tracked final : FakeInPlaceCombo {
    Tracked(int i, const Rect& rect, FakeHostWindow& h)
        : FakeInPlaceCombo(i, rect), host(h), alive(h.alive_) {}
    ~Tracked() override {
      if (*alive) Forget(host.combos_, static_cast<FakeInPlaceCombo*>(this));
    }
    FakeHostWindow& host;
    std::shared_ptr<bool> alive;
  };
  auto combo = std::make_unique<Tracked>(id, r, *this);
  combos_.push_back(combo.get());
  return combo;
}

}  // namespace vt
