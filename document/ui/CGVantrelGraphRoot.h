// CGVantrelGraphRoot: the root of a graph window's trend view. One tab page per group of the
// document and, in the current group's page, the one trend panel. It feeds the panel from the
// document on its update hints and writes what the user changes in the panel back into the
// document through the trend display's hooks, keeping the shown range inside the loaded data.
// It holds no state of its own: every setting lives in the document, which the list and sheet
// views of the same window share.
#pragma once
#include "document/CGVantrelDoc.h"
#include "gadget/GSkRoot.h"

GADGET_DECLARE_RECORD(CGVantrelGraphRoot)

class CGNgMark;
class CGNgWaveform;
class CGSkPageController;
class CGVantrelMarkData;

class CGVantrelGraphRoot : public CGSkRoot {
 public:
  CGVantrelGraphRoot(CGVantrelDoc* doc, vt::HostWindow* host);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelGraphRoot); }

  // Skins, captions and hooks of the trend display, the page controller and the 50 tab pages.
  void Build();
  void Layout() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnUpdate(int hint, void* data) override;
  void OnSize(int32_t cx, int32_t cy) override;
  void OnPaint(vt::DeviceContext& dc, const vt::Rect& area) override;
  void PaintFromDC(vt::DeviceContext* dc) override;
  void Copy() override { CopyToClipboard(); }
  // Restores a minimised frame and makes it the active child.
  virtual void ActivateWindow();

  // Commands of the view.
  void SetAxisLayout(int layout);
  void ToggleClip();
  void SetAxisGrouping(int mode);
  void AppendGroup();
  void Zoom(int step);
  void SetLegendByChannel() { SetLegendMode(1); }
  void SetLegendByAxis() { SetLegendMode(2); }
  bool IsLegendByChannel() const { return LegendModeIs(1); }
  bool IsLegendByAxis() const { return LegendModeIs(2); }
  void ToggleCursorValue();
  void SetCursorValueTransparency(int percent);
  void SetLineWidth(int width);
  void ShowTimeRange(PreciseTime start, PreciseTime end);
  void StoreGraphState();
  // Copies the first note's kind, position and value of each mark in the panel into the
  // document's mark with the same id (the user may have moved the notes).
  void StoreMarkNotes();
  void ShowCurrentGroup();

  CGVantrelDoc* GetVantrelDoc() const { return doc_; }
  CGNgWaveform* FindPanel() const;
  CGSkPageController* GetPageController() const { return controller_; }

  // The hook handlers (each works on the root of the gadget it is given).
  static void OnCursorHook(CGPrimitive* source, int, int);
  static void OnSelectionHook(CGPrimitive* source, int, int);
  static void OnLegendHook(CGPrimitive* source, int, int);
  static void OnRelayoutHook(CGPrimitive* source, int, int);
  static void OnLoadFinishedHook(CGPrimitive* source, int, int);
  static void OnTabChanged(CGPrimitive* source, int code, void* data);
  // A mark or a note was double-clicked: the edit-mark dialog (MarkEditor.h) for its mark.
  static void OnMarkHook(CGPrimitive* source, int, int);
  static void OnMarkNoteHook(CGPrimitive* source, int, int);
  // Shift-release over a mark: it is drawn above the others.
  static void OnMarkFrontHook(CGPrimitive* source, int, int);
  // A Y axis's reset button: the axis gets its record rebuilt from its channels again.
  static void OnAxisZoomHook(CGPrimitive* source, int, int);

 private:
  void SetLegendMode(int mode);
  bool LegendModeIs(int mode) const;
  void MarkModified();
  int PlotWidth(CGNgWaveform* panel) const;
  int StripWidth(CGNgWaveform* panel) const;
  double SpanFor(int width) const;
  // The range rules: each ends by showing the range and storing it in the group.
  void Fit(PreciseTime* start, PreciseTime* end, double span) const;
  void ShowAndStore(CGNgWaveform* panel, PreciseTime start, PreciseTime end);
  void KeepEnd(CGNgWaveform* panel);
  void CentreOn(CGNgWaveform* panel, PreciseTime t);
  void RefitToStripWidth(CGNgWaveform* panel, int savedWidth);
  void ApplyCursors(CGNgWaveform* panel, bool centre, int hint);
  void SetDivision(CGNgWaveform* panel);
  void Repaint();
  void AddMarkToPanel(CGNgWaveform* panel, const CGVantrelMarkData& item);
  void EditMark(CGNgMark* mark);

  CGVantrelDoc* doc_;
  CGSkPageController* controller_ = nullptr;
};

// Binds a trend panel to group groupIndex of doc as the graph shows it: channels, axes, legend,
// cursor values, alarms, colours, the group's marks and the cursors (the graph view's panel and
// the printed pages share it).
void BindPanelToGroup(CGNgWaveform* panel, CGVantrelDoc* doc, CGVantrelGroupData* g, int groupIndex);

// The root that hosts gadget: a graph root, or null.
CGVantrelGraphRoot* GraphRootOf(CGCore* gadget);
