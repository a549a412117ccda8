// CVantrelDoc: the document of a graph window. It owns the graph document (CGVantrelDoc) that
// holds all data and display state, keeps whether one of its views has the keyboard focus (the
// trend conversions need it), asks whether to save before its last view closes, and handles
// the document's menu commands. The graph, list and sheet views show it (CVantrelViews.h).
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "document/CGVantrelDoc.h"
#include "platform/gui/Document.h"

namespace vt_ui {
// Command ids of the graph window's menu handled by the document and its views.
enum GraphCommand : int {
  ID_SAVE_GRAPH = 32921,
  ID_SAVE_GRAPH_AS = 32923,
  ID_PRINT_SETTINGS = 32900,
  ID_ERASE_CURSOR = 32778,
  ID_APPEND_MARK = 32872,
  // Cursor searches: right (next) and left (previous) for cursor A, then for cursor B.
  ID_ALARM_RIGHT_A = 32779,
  ID_ALARM_LEFT_A = 32780,
  ID_ALARM_RIGHT_B = 32781,
  ID_ALARM_LEFT_B = 32836,
  ID_MARK_RIGHT_A = 32838,
  ID_MARK_LEFT_A = 32839,
  ID_MARK_RIGHT_B = 32840,
  ID_MARK_LEFT_B = 32841,
  ID_DATA_RIGHT_A = 32846,
  ID_DATA_LEFT_A = 32847,
  ID_DATA_RIGHT_B = 32848,
  ID_DATA_LEFT_B = 32849,
  ID_DELETE_MARK = 32833,
  ID_APPEND_GROUP = 32834,
  ID_AXIS_FULL = 32873,
  ID_AXIS_AUTOMATIC = 32874,
  ID_AXIS_SLIDING = 32875,
  ID_AXIS_FREE = 32917,
  ID_GROUP_UNIT = 32876,
  ID_GROUP_UNIT_SCALE = 32877,
  ID_GROUP_NONE = 32878,
  ID_AXIS_CLIP = 32879,
  ID_ZOOM_IN = 32880,
  ID_ZOOM_OUT = 32881,
  ID_TIME_FROM_TO = 32883,
  ID_DISPLAY_SETTINGS = 32884,
  ID_GRAPH_COLOURS = 32885,
  ID_VIEW_ALARM = 32886,
  ID_VIEW_LEGEND = 32909,
  ID_TAG_CHANNEL = 32919,
  ID_TAG_NAME = 32903,
  ID_TAG_NUMBER = 32904,
  ID_LEGEND_BY_CHANNEL = 32910,
  ID_LEGEND_BY_AXIS = 32911,
  ID_CURSOR_VALUE = 32968,
  ID_TRANSLUCENT = 32969,
  ID_OPAQUE = 32970,
  ID_LINE_NORMAL = 32971,
  ID_LINE_MIDDLE = 32972,
  ID_LINE_THICK = 32973,
  ID_COPY_CLIPBOARD = 32974,
  ID_PADDING = 32975,
  ID_NOT_PADDING = 32976,
  ID_CONVERT_EXCEL = 32897,
  ID_CONVERT_TEXT = 32898,
};
}  // namespace vt_ui

class CVantrelDoc : public vt::Document, public vt::GraphDocumentOwner {
 public:
  CVantrelDoc();
  ~CVantrelDoc() override;

  CGVantrelDoc* GetGadgetDocument() const { return gadgetDoc_.get(); }
  bool HasFocus() const { return focus_ != 0; }
  void SetFocusFlag(bool focus) { focus_ = focus ? 1 : 0; }

  // vt::Document
  bool IsModified() const override { return vt::Document::IsModified(); }
  void SetModifiedFlag(bool modified) override { vt::Document::SetModifiedFlag(modified); }
  // Records which views are open (a changed set or placement is a change), then asks
  // "Save changes to %1?": Cancel keeps the window; Yes saves (the save-as road comes with the
  // saved graphs: until then a save that did not happen keeps the window too); No closes.
  bool SaveModified() override;
  void OnCloseDocument() override;
  bool OnCommand(int id) override;
  bool OnUpdateCommand(int id, vt::CommandStatus& status) override;

  // vt::GadgetDocumentOwner
  void SetPathName(const std::string& path, bool addToRecentFiles) override;
  // The window's title while no name was given (a new window is named by its title).
  std::string GetPathName() const override { return path_.empty() ? GetTitle() : path_; }

  // vt::GraphDocumentOwner: closes the views of other kinds (never the last one).
  void CloseViewsExcept(const std::vector<int>& kinds) override;

  // The save-as road; false when nothing was saved. By default the graph-name dialog asks for
  // the name until a save succeeds or it is cancelled.
  std::function<bool()> saveAs;
  // Shows the general display settings dialog over the record; true after OK, with the
  // dialog's reports. By default the real dialog.
  std::function<bool(SGraphConfiguration& record, bool* messageGroupsChanged, uint64_t* removedGroups)>
      editDisplaySettings;

 private:
  // The cursor searches of the Edit menu; false for any other id.
  bool OnSearchCommand(int id);
  bool UpdateSearchCommand(int id, vt::CommandStatus& status) const;
  // Edit > Append Mark: the mark editor's new mark at the cursor time joins the document.
  void AppendMarkAtCursor();
  // TimeAxis > Time axis From To: the picked range is shown (both orders of entry alike).
  void ShowRangeFromTo();
  // File > Print Settings and View > Graph color setting: their dialogs over the document's
  // values (CVantrelDocDialogs.cpp).
  void EditPrintSettings();
  void EditGraphColours();
  // File > Save graph as: the save-as road, then the saved-graph lists are told.
  void SaveGraphAs();
  // View > General Display Settings: the dialog over the document's groups.
  void EditDisplaySettings();

  std::unique_ptr<CGVantrelDoc> gadgetDoc_;
  std::string path_;
  uint8_t focus_ = 0;
};
