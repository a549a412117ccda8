// The root gadget: the group at the top of one window's gadget tree.
//
// It binds the tree to a host window (as the host's client), owns the back buffer that the
// whole tree is painted into, lends the window's device context by count while an input or
// timer message is handled, owns the three in-place editors, runs the tooltip and the host
// timers, answers the clipboard commands of the open editor, and prints the tree. Only a
// resize (or a request) repaints the whole tree; everything else redraws one gadget and copies
// its visible rectangle to the window.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gadget/GGroup.h"
#include "platform/gui/HostClient.h"
#include "platform/gui/PrintInfo.h"

namespace vt {
class Bitmap;
class MemoryDc;
}  // namespace vt

class CTextEdit;
class CPasswdEdit;
class CCombo;

// Posted by an in-place editor to its host when an edit ends; lParam is the close code.
constexpr uint32_t WM_GADGET_EDITEND = 0x0400 + 1;
enum : int {
  kEditEndEnter = 1,
  kEditEndShiftEnter = 2,
  kEditEndTab = 3,
  kEditEndShiftTab = 4,
  kEditEndClosedByRoot = 5,
};
// Child-window ids of the three editors.
enum : int { kTextEditorId = 10000, kComboEditorId = 10001, kPasswordEditorId = 10002 };

// What the print path hands the root: the job's page limits, range and current page.
using CPrintInfo = vt::PrintInfo;

class CGRoot : public CGGroup, public vt::HostClient {
 public:
  CGRoot(CGCore* parent, int id, int createEditors);
  ~CGRoot() override;
  const SGClassInfo* GetClassInfo() const override;

  void Release() override;
  void SetStyle(int style) override;
  vt::HostWindow* GetHostWindow() const override { return m_host; }
  void Redraw() override;
  void Update() override;
  int CanDrop(void* data) override { return (void)data, 0; }
  void Drop(void* data) override { (void)data; }
  void SetText(const std::string& text) override;
  int FocusNext() override { return FocusFirst(); }
  int FocusPrevious() override { return FocusLast(); }
  void CloseTextEditor(int closeCode) override;
  void OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags) override;
  void OnKeyUp(uint32_t vk, uint32_t repeat, uint32_t flags) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnRButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnRButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnTimer(uint32_t id) override;
  // Screen coordinates.
  bool OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) override;
  void ScalePrintRects(int scale) override { (void)scale; }
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  // ---- HostClient (the rest are the gadget handlers above) ----
  void OnPaint(vt::DeviceContext& dc, const vt::Rect& area) override;
  void OnSize(int32_t cx, int32_t cy) override;
  vt::LResult OnMessage(uint32_t message, vt::WParam wParam, vt::LParam lParam) override;

  virtual void Cut();
  virtual void Copy();
  virtual void Paste();
  virtual void PaintFromDC(vt::DeviceContext* dc);
  virtual void OnEditEnd(int closeCode);
  virtual void OnEraseBkgnd(vt::DeviceContext* dc) { FillBackground(dc); }
  // A hook for status-bar text; the base shows nothing.
  virtual void ShowStatusText(const std::string& text) { (void)text; }
  virtual void Attach(vt::HostWindow* host);
  virtual void ShowHostFrame(bool show);
  virtual void BringOwnerToFront();
  virtual int ComputePrintScale(vt::DeviceContext* dc);
  virtual void PrintHeader(vt::DeviceContext* dc, int page) { (void)dc, (void)page; }
  // Prints the tree for the job's current page.
  virtual void Print(vt::DeviceContext* dc, CPrintInfo* info) { PrintTree(dc, info ? info->currentPage : 1); }
  virtual void BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info);
  virtual void EndPrinting(vt::DeviceContext* dc, CPrintInfo* info) { (void)dc, (void)info; }

  // ---- non-virtual ----
  // Paints p into the back buffer and copies its visible rectangle to the window at once.
  void RedrawPrimitive(CGPrimitive* p);
  void CloseInPlaceEditors();
  void SetWindowCursor(uint32_t resourceId);
  void CopyToClipboard();
  vt::DeviceContext* BorrowWindowDC();
  void ReturnWindowDC();
  bool IsCursorOverHost() const;
  bool IsHostActive() const;
  void RequestToolTip(CGPrimitive* p);
  void ShowPendingToolTip();
  void HideToolTip();
  void SetToolTipText(const std::string& text);
  int FireShortcuts(const std::string& keyText);
  void AddShortcut(const std::string& keyText, CGPrimitive* target);
  void FreeShortcuts() { m_shortcuts.clear(); }

  // Opens the text (or password) editor over rect (root coordinates) on gadget, with margin
  // pixels free left and right of the text.
  void OpenEditor(bool password, CGPrimitive* gadget, const vt::Font* font, const vt::Rect& rect,
                  const std::string& text, int margin);
  void OpenCombo(CGPrimitive* gadget, const vt::Rect& rect, int listHeight, const vt::Font* font,
                 int itemCount, const std::string* itemTexts, const int* keyTable, int currentKey,
                 int showList);
  // Redraws and flushes p once after ms milliseconds (a single-shot host timer; a later request
  // replaces an earlier one). Nothing waits meanwhile.
  void RedrawLater(CGPrimitive* p, uint32_t ms);
  CGPrimitive* GetPendingRedraw() const { return m_pendingRedraw; }
  // A gadget that goes: no editor, queued edit end, tooltip, wheel or shortcut reaches it.
  void ForgetGadget(CGPrimitive* gadget);

  vt::HostWindow* GetHost() const { return m_host; }
  vt::DeviceContext* GetBackDCPtr() const;
  vt::DeviceContext* GetWindowDC() const { return m_windowDC; }
  int GetWindowDCCount() const { return m_windowDCCount; }
  CTextEdit* GetTextEditor() const { return m_textEditor.get(); }
  CPasswdEdit* GetPasswordEditor() const { return m_passwordEditor.get(); }
  CCombo* GetComboEditor() const { return m_comboEditor.get(); }
  CGPrimitive* GetWheelTarget() const { return m_wheelTarget; }
  void SetWheelTarget(CGPrimitive* target) { m_wheelTarget = target; }
  CGPrimitive* GetTipOwner() const { return m_tipOwner; }
  void SetFullRedraw() { m_fullRedraw = 1; }
  int GetFullRedraw() const { return m_fullRedraw; }
  int GetPrintHeader() const { return m_printHeader; }
  void SetPrintHeader(int on) { m_printHeader = on; }
  // Nonzero while only a selected range is to be printed.
  int GetPrintSelection() const { return m_printSelection; }
  void SetPrintSelection(int on) { m_printSelection = on; }

 protected:
  struct Shortcut {
    std::string keyText;
    CGPrimitive* target;
  };
  bool AllocateBackDC(int width, int height);
  void FreeBackDC();
  bool AnyEditorOpen() const;
  void InvalidateOpenEditors();
  void Unbind();

  int m_windowDCCount = 0;
  vt::DeviceContext* m_windowDC = nullptr;
  std::unique_ptr<vt::MemoryDc> m_backDC;
  vt::HostWindow* m_host = nullptr;
  std::unique_ptr<vt::Bitmap> m_backBitmap;
  int m_backWidth = 0;
  int m_backHeight = 0;
  std::unique_ptr<CTextEdit> m_textEditor;
  std::unique_ptr<CPasswdEdit> m_passwordEditor;
  std::unique_ptr<CCombo> m_comboEditor;
  std::vector<Shortcut> m_shortcuts;
  CGPrimitive* m_wheelTarget = nullptr;
  CGPrimitive* m_pendingRedraw = nullptr;
  int m_createEditors;
  int m_fullRedraw = 1;
  CGPrimitive* m_tipOwner = nullptr;
  int m_printHeader = 0;
  int m_printSelection = 0;
};

// Kills the repeat timer when it runs on this host (a host that goes takes its timer along).
void ForgetRepeatTimerHost(vt::HostWindow* host);
