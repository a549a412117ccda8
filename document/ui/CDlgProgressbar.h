// The progress window: a small modeless window shown while a long operation runs, with its
// parent disabled meanwhile. It shows either a busy sweep driven by its own 50 ms timer, with
// a Cancel button in mode 1, or a percentage the caller sets. The application keeps two (one
// for imports, whose Cancel stops the import worker, one for other long work); batch
// operations make local ones.
//
// Everything runs on the user-interface thread, except HideProgress, which a worker may call
// at the end of its run: from another thread it is posted to the window, so it keeps its
// order with the worker's other posted messages and is dropped when the window has gone.
#pragma once
#include <atomic>
#include <cstdint>

#include "document/ui/DialogFrame.h"
#include "gadget/GProgressBar.h"

GADGET_DECLARE_RECORD(CGVTSkProgressBar)
GADGET_DECLARE_RECORD(CGVTProgressbarRoot)

// The busy bar: a moving segment of three skin blocks that ends at the value's position. A
// value above the top is kept (the sweep runs one step past the end before it starts again).
class CGVTSkProgressBar : public CGSkProgressBar {
 public:
  using CGSkProgressBar::CGSkProgressBar;
  const SGClassInfo* GetClassInfo() const override;
  using CGSkProgressBar::SetValue;
  void SetValue(double x) override { m_value = x < m_low ? m_low : x; }
  void Draw(vt::DeviceContext* dc) override;
};

class CGVTProgressbarRoot : public vt::CGVTDialogRoot {
 public:
  // mode 1: the busy bar with a Cancel button under it; other modes: the plain bar.
  explicit CGVTProgressbarRoot(int mode);
  const SGClassInfo* GetClassInfo() const override;
  using vt::CGVTDialogRoot::SetValue;
  // To the bar (id 1076).
  void SetValue(double v) override;
  void OnTimer(uint32_t id) override;

  CGPrimitive* Bar() const;
};

class CDlgProgressbar : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 335;
  static constexpr int kBarId = 1076;
  static constexpr uint32_t kBusyTimerId = 50;  // a host timer id apart from the gadgets' own
  using CancelFunction = void (*)(void* data);

  // Makes the window at once, hidden; mode 1: busy bar with a Cancel button.
  CDlgProgressbar(vt::WindowHandle parent, int mode);
  ~CDlgProgressbar() override;

  // Title from the string table, centred, shown, parent disabled, busy timer running.
  void ShowProgress(uint32_t titleId);
  // Ends ShowProgress (nothing otherwise); from another thread it is posted to the window.
  void HideProgress();
  // Percentage mode: shown with the parent disabled; no timer, shown flag untouched.
  void ShowProgressPercent(uint32_t titleId);
  // Sets the bar and repaints the window at once.
  void SetProgressPercent(double percent);
  // The Cancel button's press: the cancel function once until the next ShowProgress.
  void PressCancel();

  CGVTProgressbarRoot* m_root = nullptr;
  std::atomic<bool> m_shown{false};
  int32_t m_total = 100;
  int32_t m_mode;
  double m_percent = 0;
  void* m_cancelData = nullptr;
  CancelFunction m_cancelFunction = nullptr;
  std::atomic<bool> m_cancelled{false};

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}      // Enter does nothing
  void OnCancel() override {}  // nor do Escape and the close box
  vt::LResult WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) override;

 private:
  void HideNow();
  uint64_t m_uiThread;
};
