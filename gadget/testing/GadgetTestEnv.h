// Fixtures of the gadget tests: a root master with its managers, a fake desktop, a text
// measurer with fixed advances, the process-wide gadget state reset around each test, and a
// probe gadget that logs what reaches it and fills its rectangle in its own colour.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gadget/GGroup.h"
#include "gadget/GPrimitive.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/TextMeasurer.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/testing/FakeDesktop.h"
#include "platform/gui/testing/FixedTextMeasurer.h"

namespace gadget_test {

class GadgetEnv : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop = std::make_shared<vt::FakeDesktop>();
    previousDesktop_ = vt::InstallDesktop(desktop);
    measurer_ = std::make_unique<vt::ScopedTextMeasurer>(std::make_shared<vt::FixedTextMeasurer>(7));
    ResetGadgetGlobals();
    master = new CGRootMaster;
    master->CreateManagers();
  }
  void TearDown() override {
    delete master;
    ResetGadgetGlobals();
    measurer_.reset();
    vt::InstallDesktop(previousDesktop_);
  }
  std::shared_ptr<vt::FakeDesktop> desktop;
  CGRootMaster* master = nullptr;

 private:
  std::shared_ptr<vt::Desktop> previousDesktop_;
  std::unique_ptr<vt::ScopedTextMeasurer> measurer_;
};

using Log = std::vector<std::string>;

// A gadget that records its calls (with its name) into a shared log and fills its rectangle.
class Probe : public CGPrimitive {
 public:
  Probe(CGCore* parent, std::string name, Log* log, vt::Rect r, vt::ColorRef colour = 0x0000FF, int style = 3)
      : CGPrimitive(parent, r.left, r.top, 0, style, r.Width(), r.Height()),
        name_(std::move(name)),
        log_(log),
        colour_(colour) {}
  void Draw(vt::DeviceContext* dc) override {
    Add("draw");
    vt::Rect r;
    GetAbsoluteRect(&r);
    dc->FillSolidRect(r, colour_);
  }
  void OnLButtonDown(uint32_t f, int32_t x, int32_t y) override {
    Add("down " + std::to_string(x) + "," + std::to_string(y));
    CGPrimitive::OnLButtonDown(f, x, y);
  }
  void OnLButtonUp(uint32_t f, int32_t x, int32_t y) override {
    Add("up " + std::to_string(x) + "," + std::to_string(y) + (GetParentCaptured() ? " captured" : ""));
    CGPrimitive::OnLButtonUp(f, x, y);
  }
  void OnMouseMove(uint32_t f, int32_t x, int32_t y) override {
    Add("move " + std::to_string(x) + "," + std::to_string(y));
    CGPrimitive::OnMouseMove(f, x, y);
  }
  void OnRButtonDown(uint32_t f, int32_t x, int32_t y) override {
    Add("rdown");
    CGPrimitive::OnRButtonDown(f, x, y);
  }
  void OnRButtonUp(uint32_t f, int32_t x, int32_t y) override {
    Add("rup");
    CGPrimitive::OnRButtonUp(f, x, y);
  }
  void OnKeyDown(uint32_t vk, uint32_t r, uint32_t f) override {
    Add("key " + std::to_string(vk));
    CGPrimitive::OnKeyDown(vk, r, f);
  }
  void OnMouseEnter(int32_t x, int32_t y) override {
    Add("enter");
    CGPrimitive::OnMouseEnter(x, y);
  }
  void OnMouseLeave(int32_t x, int32_t y) override {
    Add("leave");
    CGPrimitive::OnMouseLeave(x, y);
  }
  void OnTimer(uint32_t id) override {
    Add("timer " + std::to_string(id));
    CGPrimitive::OnTimer(id);
  }
  void OnUpdate(int hint, void* data) override {
    Add("update " + std::to_string(hint));
    CGPrimitive::OnUpdate(hint, data);
  }
  void OnClick() override { Add("click"); }
  int CanFocus() override { return focusable ? ((m_style & 3) == 3) : CGPrimitive::CanFocus(); }
  int FocusFirst() override {
    if (!focusable) return CGPrimitive::FocusFirst();
    Add("focus");
    return 1;
  }
  int FocusLast() override {
    if (!focusable) return CGPrimitive::FocusLast();
    Add("focus");
    return 1;
  }
  void SetText(const std::string& t) override {
    text = t;
    Add("settext " + t);
  }
  void GetText(std::string* out) override { *out = text; }
  void SetSelectedIndex(int index) override { Add("select " + std::to_string(index)); }
  int EndEdit(int code) override {
    Add("endedit " + std::to_string(code));
    return CGPrimitive::EndEdit(code);
  }
  bool GetParentCaptured() const {
    auto* p = dynamic_cast<CGPrimitive*>(GetParent());
    return p && p->GetCaptured() == this;
  }
  void Add(const std::string& what) {
    if (log_) log_->push_back(name_ + " " + what);
  }
  bool focusable = false;
  std::string text;

 private:
  std::string name_;
  Log* log_;
  vt::ColorRef colour_;
};

// An event handler that appends "<code>" to the Log whose address is the callback data.
inline void LogEvent(CGPrimitive* source, int code, void* data) {
  Log* log = *static_cast<Log**>(data);
  auto* probe = dynamic_cast<Probe*>(source);
  log->push_back((probe ? std::string("event ") : std::string("event ")) + std::to_string(code));
}

inline void AddLogEvent(CGPrimitive* p, int code, Log* log) {
  p->AddEventCallback(code, &LogEvent, &log, sizeof log);
}

}  // namespace gadget_test

#include "platform/gui/testing/FakeHostWindow.h"

namespace gadget_test {

// A root with editors bound to a 200 x 100 fake host; the cursor counts as over the host.
class RootEnv : public GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    host = std::make_unique<vt::FakeHostWindow>(200, 100, vt::Point{1000, 500});
    desktop->hostUnderCursor = host->Handle();
    root = new CGRoot(master, 0, 1);
    root->Attach(host.get());
  }
  void TearDown() override {
    GadgetEnv::TearDown();  // the root goes with the master, before the host
    host.reset();
  }
  // A system paint of the whole window.
  void PaintWindow() {
    host->Invalidate(nullptr);
    host->RunPendingPaint();
  }
  vt::ColorRef FrontPixel(int x, int y) {
    vt::DeviceContext* dc = host->GetDC();
    const vt::ColorRef c = dc->GetPixel(x, y);
    host->ReleaseDC(dc);
    return c;
  }
  vt::ColorRef BackPixel(int x, int y) { return root->GetBackDCPtr()->GetPixel(x, y); }
  std::unique_ptr<vt::FakeHostWindow> host;
  CGRoot* root = nullptr;
};

}  // namespace gadget_test
