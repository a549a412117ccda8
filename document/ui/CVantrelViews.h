// The three views of a graph window: the trend graph, the alarm and mark list and the numeric
// sheet. Each hosts one gadget root, made in OnInitialUpdate under the graph document and
// deleted (not pooled) with the view, and passes its window's size, mouse, wheel and timer
// messages to it; focus sets the document's focus flag (a menu popping up does not count).
// The graph view is the document's link to the trend panel.
#pragma once
#include "document/ui/CGVantrelGraphRoot.h"
#include "document/ui/CGVantrelListRoot.h"
#include "document/ui/CGVantrelSheetRoot.h"
#include "document/ui/CVantrelDoc.h"
#include "platform/gui/Document.h"
#include "platform/gui/PrintJob.h"

namespace vt {

class CGVantrelPrintRoot;

class CVantrelViewBase : public vt::View, public vt::PrintClient {
 public:
  ~CVantrelViewBase() override;
  CVantrelDoc* GetVantrelDoc() const { return static_cast<CVantrelDoc*>(GetDocument()); }
  CGSkRoot* GetRoot() const { return root_; }
  void OnActivateView(bool activate) override;

  // vt::HostClient
  void OnPaint(vt::DeviceContext& dc, const vt::Rect& area) override;
  void OnSize(int32_t cx, int32_t cy) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnRButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnRButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  bool OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) override;
  void OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags) override;
  void OnKeyUp(uint32_t vk, uint32_t repeat, uint32_t flags) override;
  void OnTimer(uint32_t id) override;
  vt::LResult OnMessage(uint32_t message, vt::WParam wParam, vt::LParam lParam) override;
  // The focus flag of the document (which the conversion commands need), then the root.
  void OnSetFocus(vt::FocusReason reason) override;
  void OnKillFocus(vt::FocusReason reason) override;

  // Printing (CVantrelViewPrinting.cpp): File > Print, direct print and Print Preview run the
  // print road with the root MakePrintRoot makes for the job; it goes when the job ends.
  bool OnPreparePrinting(vt::PrintInfo& info) override;
  void OnBeginPrinting(vt::DeviceContext* dc, vt::PrintInfo& info) override;
  void OnPrint(vt::DeviceContext* dc, vt::PrintInfo& info) override;
  void OnEndPrinting(vt::DeviceContext* dc, vt::PrintInfo& info) override;
  vt::WindowHandle PrintOwner() const override;
  bool HandlePrintCommand(int id);
  bool UpdatePrintCommand(int id, vt::CommandStatus& status);
  CGVantrelPrintRoot* GetPrintRoot() const { return printRoot_; }

 protected:
  void DestroyRoot();
  // A root attaches itself to the window as its client; the view takes that place back so that
  // the focus reaches the document, and passes every message on to the root.
  void AdoptRoot(CGSkRoot* root);
  // The view's print hooks: the root of one job, and whether the view can print now.
  virtual CGVantrelPrintRoot* MakePrintRoot() = 0;
  virtual bool CanPrint() const = 0;
  CGSkRoot* root_ = nullptr;
  CGVantrelPrintRoot* printRoot_ = nullptr;
};

}  // namespace vt

class CVantrelGraphView : public vt::CVantrelViewBase, public vt::GraphViewLink {
 public:
  ~CVantrelGraphView() override;
  void OnInitialUpdate() override;
  CGVantrelGraphRoot* GetGraphRoot() const { return static_cast<CGVantrelGraphRoot*>(root_); }
  bool OnCommand(int id) override;
  bool OnUpdateCommand(int id, vt::CommandStatus& status) override;

  // vt::GraphViewLink
  void StoreGraphState() override;
  bool GetVisibleRange(PreciseTime* start, PreciseTime* end) override;
  void ShowTimeRange(PreciseTime start, PreciseTime end) override;
  vt::HostWindow* GetHostWindow() override { return vt::View::GetHostWindow(); }
  bool OnPreparePrinting(vt::PrintInfo& info) override;

 protected:
  vt::CGVantrelPrintRoot* MakePrintRoot() override;
  bool CanPrint() const override;
};

// The list view: the alarm and mark lists of the document.
class CVantrelListView : public vt::CVantrelViewBase {
 public:
  void OnInitialUpdate() override;
  CGVantrelListRoot* GetListRoot() const { return static_cast<CGVantrelListRoot*>(root_); }
  bool OnCommand(int id) override { return HandlePrintCommand(id); }
  bool OnUpdateCommand(int id, vt::CommandStatus& status) override { return UpdatePrintCommand(id, status); }
  bool OnPreparePrinting(vt::PrintInfo& info) override;

 protected:
  // The list the view shows (0 alarms, 1 marks): the page in front.
  virtual int CurrentList() const;
  vt::CGVantrelPrintRoot* MakePrintRoot() override;
  bool CanPrint() const override { return true; }
};

// The sheet view: the current group's values row by row; its commands go to its root.
class CVantrelSheetView : public vt::CVantrelViewBase {
 public:
  void OnInitialUpdate() override;
  CGVantrelSheetRoot* GetSheetRoot() const { return static_cast<CGVantrelSheetRoot*>(root_); }
  bool OnCommand(int id) override;
  bool OnUpdateCommand(int id, vt::CommandStatus& status) override;

 protected:
  vt::CGVantrelPrintRoot* MakePrintRoot() override;
  bool CanPrint() const override;
};
