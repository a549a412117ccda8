// A dialog window whose whole content is one host window (a gadget root draws it and takes its
// input), behind a Qt-free face.
//
// A modal dialog is made by DoModal, which runs OnInitDialog once, shows the window
// application-modal and returns the code its EndDialog was given (1 OK, 2 Cancel, 100 for the
// mark dialog's Delete). A modeless window is made hidden by Create and shown and hidden by its
// owner; a tool or progress window gets its parent as transient parent only, so disabling the
// parent leaves it usable. Enter, Escape and the close box reach OnOK and OnCancel, except
// while an in-place editor of the host has the focus (the editor takes Enter and Escape). The
// host's window context starts with the dialog font, Arial of height -12. The window has its
// own handle: messages posted to it reach WindowProc, which hands them to the host's client.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/WindowHandles.h"
#include "platform/gui/Geometry.h"

namespace vt {

class DialogFrame;
class HostWindow;

// Dialog results besides kIdOk (1) and kIdCancel (2) of MessageBox.h.
constexpr int kIdDialogDelete = 100;

class DialogWindow {
 public:
  enum class Kind {
    Modal,     // DoModal; a Qt child of the parent's window
    Child,     // modeless, a Qt child of the parent's window (stays usable with a modal parent)
    Tool,      // modeless tool window: transient parent, caption with a close box
    Progress,  // modeless progress window: transient parent, caption without a close box
  };

  // templateId names the dialog (tests find a dialog by it); parent may be 0.
  DialogWindow(int templateId, WindowHandle parent, Kind kind = Kind::Modal);
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Modal dialogs: makes the window, runs OnInitDialog, shows it and waits for EndDialog.
  // Returns the code given to EndDialog (2 when the window went without one).
  int DoModal();
  // Modeless windows: makes the window hidden and runs OnInitDialog; false when it exists.
  bool Create();
  // Ends a modal dialog with code; hides a modeless window.
  void EndDialog(int code);

  // The dialog whose host this is; null for any other host.
  static DialogWindow* FromHost(const HostWindow* host);

  int TemplateId() const { return templateId_; }
  Kind GetKind() const { return kind_; }
  // The window's own handle (0 before it is made).
  WindowHandle GetSafeHwnd() const;
  WindowHandle GetParentHandle() const { return parent_; }
  // The host the root attaches to (null before the window is made).
  HostWindow* Host() const;
  bool IsModalLoopRunning() const { return inModalLoop_; }

  void SetWindowText(std::string_view utf8);
  std::string GetWindowText() const;
  // The client area becomes exactly width x height; the top-left corner stays.
  void SizeClientTo(int32_t width, int32_t height);
  Rect GetClientRect() const;
  // The outer frame in screen coordinates.
  Rect GetWindowRect() const;
  // Centres the window on its parent's window (on the screen without one).
  void CenterWindow();
  void RedrawWindow();
  void ShowWindow(bool show);
  bool IsWindowVisible() const;
  void EnableWindow(bool enable);
  bool IsWindowEnabled() const;
  // Enables or disables the parent's top-level window; nothing without a parent.
  void EnableParent(bool enable);
  bool IsParentEnabled() const;
  void BringToFront();
  void BringParentToFront();
  // The wheel over an in-place editor of the host reaches the host's client as well.
  void SetWheelToHost(bool on);

 protected:
  // Runs once, after the window is made and before it shows.
  virtual bool OnInitDialog() { return true; }
  // Enter; the standard ends a modal dialog with 1.
  virtual void OnOK() { EndDialog(1); }
  // Escape and the close box; the standard ends a modal dialog with 2.
  virtual void OnCancel() { EndDialog(2); }
  // Messages posted or sent to GetSafeHwnd(); the standard hands them to the host's client.
  virtual LResult WindowProc(uint32_t message, WParam wParam, LParam lParam);

 private:
  struct Impl;
  friend class DialogFrame;
  void Make();

  int templateId_;
  WindowHandle parent_;
  Kind kind_;
  bool inModalLoop_ = false;
  std::unique_ptr<Impl> impl_;
};

// For tests and tools: runs act on the next dialog of templateId that is shown (modal or not),
// from inside the event loop that shows it. Call on the user-interface thread.
void OnNextDialog(int templateId, std::function<void(DialogWindow& dialog)> act);

}  // namespace vt
