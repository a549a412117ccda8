// A host window for tests, without a real window: a front image, a timer table that the test
// fires, capture and cursor flags, caption and frame state, and editors that tests type into.
//
// The fake registers a window handle like a real host, so posts to it go through the message
// delivery on the Qt loop; Pump() delivers what is queued. Invalidations wait for
// RunPendingPaint() (or UpdateWindow), which calls the client's OnPaint like a posted paint.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/HostWindow.h"
#include "platform/gui/testing/FakeInPlaceControls.h"

namespace vt {

class FrontBuffer;
class Raster;  // a QImage (platform/gui/qt/Raster.h)

class FakeHostWindow final : public HostWindow {
 public:
  // A client area of width x height, shown at screenOrigin on the screen.
  FakeHostWindow(int32_t width, int32_t height, Point screenOrigin = {});
  ~FakeHostWindow() override;

  // ---- test controls ----
  void Resize(int32_t width, int32_t height);  // calls the client's OnSize and invalidates all
  // Fires a running timer of that id; false when it is not running.
  bool FireTimer(uint32_t id);
  void RunPendingPaint() { UpdateWindow(); }
  bool HasPendingPaint() const { return !pending_.IsEmpty(); }
  Rect PendingPaint() const { return pending_; }
  // Delivers posted messages waiting on the Qt loop.
  void Pump();
  void SetActive(bool active) { active_ = active; }

  // The window's pixels; read them through platform/gui/qt/Raster.h.
  const Raster& FrontImage() const;
  const std::map<uint32_t, uint32_t>& Timers() const { return timers_; }  // id -> milliseconds
  const std::vector<Rect>& Presents() const { return presents_; }
  int BorrowCount() const;
  bool FrameShown() const { return frameShown_; }
  int BringToFrontCount() const { return broughtToFront_; }
  std::vector<FakeInPlaceEdit*> Edits() const { return edits_; }
  std::vector<FakeInPlaceCombo*> Combos() const { return combos_; }
  // Messages delivered to the host, in order.
  const std::vector<PostedMessage>& Delivered() const { return delivered_; }

  // ---- HostWindow ----
  void SetClient(HostClient* client) override { client_ = client; }
  HostClient* Client() const override { return client_; }
  WindowHandle Handle() const override { return handle_; }
  Rect ClientRect() const override;
  DeviceContext* GetDC() override;
  void ReleaseDC(DeviceContext* dc) override;
  void Invalidate(const Rect* r) override;
  void UpdateWindow() override;
  bool SetTimer(uint32_t id, uint32_t milliseconds) override;
  bool KillTimer(uint32_t id) override { return timers_.erase(id) != 0; }
  void SetCapture() override { captured_ = true; }
  void ReleaseCapture() override { captured_ = false; }
  bool HasCapture() const override { return captured_; }
  Point ScreenToClient(Point p) const override { return Point{p.x - origin_.x, p.y - origin_.y}; }
  Point ClientToScreen(Point p) const override { return Point{p.x + origin_.x, p.y + origin_.y}; }
  void SetCursor(CursorId cursor) override { cursor_ = cursor; }
  CursorId Cursor() const override { return cursor_; }
  bool IsActive() const override { return active_; }
  bool IsVisible() const override { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  void BringOwnerToFront() override { ++broughtToFront_; }
  void ShowParentFrame(bool show) override { frameShown_ = show; }
  void SetOwnerCaption(std::string_view utf8) override { caption_ = std::string(utf8); }
  std::string OwnerCaption() const override { return caption_; }
  std::unique_ptr<InPlaceEdit> CreateEdit(bool password, int id, const Rect& r) override;
  std::unique_ptr<InPlaceCombo> CreateCombo(int id, const Rect& r) override;

 private:
  HostClient* client_ = nullptr;
  WindowHandle handle_ = 0;
  Point origin_;
  std::unique_ptr<FrontBuffer> front_;
  Rect pending_;
  std::vector<Rect> presents_;
  std::map<uint32_t, uint32_t> timers_;
  bool captured_ = false;
  CursorId cursor_ = 32512;
  bool visible_ = true;
  bool active_ = true;
  bool frameShown_ = true;
  int broughtToFront_ = 0;
  std::string caption_;
  std::vector<FakeInPlaceEdit*> edits_;
  std::vector<FakeInPlaceCombo*> combos_;
  std::vector<PostedMessage> delivered_;
  std::shared_ptr<bool> alive_;
};

}  // namespace vt
