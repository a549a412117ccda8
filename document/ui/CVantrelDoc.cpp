// CVantrelDoc: the graph document's ownership, the save prompt and the document's commands.
#include "document/ui/CVantrelDoc.h"

#include <algorithm>

#include "document/ui/CDlgEditMark.h"
#include "document/ui/CDlgGraphConfiguration.h"
#include "document/ui/CDlgGraphNameInput.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/FromToRange.h"
#include "document/ui/MarkEditor.h"
#include "document/ui/ToolWindowLink.h"
#include "document/ui/TrendConversionCommand.h"
#include "document/ui/WindowEntryPlacement.h"
#include "gadget/GRootMaster.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"

using namespace vt_ui;

namespace {

vt::WindowHandle MainWindowHandle() {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  return host ? host->GetMainWindow() : 0;
}

void NotifySavedGraphLists() {
  if (vt::GraphWindowHost* host = vt::GetGraphWindowHost())
    host->NotifyListDocument(vt::kListNotifySavedGraphs);
}

int ViewKind(const vt::View* view) {
  if (dynamic_cast<const CVantrelGraphView*>(view)) return kGraphViewKind;
  if (dynamic_cast<const CVantrelListView*>(view)) return kListViewKind;
  if (dynamic_cast<const CVantrelSheetView*>(view)) return kSheetViewKind;
  return 0;
}

}  // namespace

CVantrelDoc::CVantrelDoc() : gadgetDoc_(std::make_unique<CGVantrelDoc>(g_rootMaster, this)) {
  // The graph window's own mark dialog, unless another editor (a test's) stands in.
  if (!vt_ui::GetMarkEditor()) vt_ui::SetMarkEditor(&vt_ui::DialogMarkEditor::Instance());
  // Its hints reach the cursor-control and statistics windows through these.
  vt::AddToolWindowRepeaters(gadgetDoc_.get());
  saveAs = [this] {
    return gadgetDoc_ && gadgetDoc_->SaveGraphAs(
                             [](std::string* name) { return vt_ui::AskGraphName(MainWindowHandle(), name); });
  };
  editDisplaySettings = [](SGraphConfiguration& record, bool* messageGroupsChanged, uint64_t* removedGroups) {
    CDlgGraphConfiguration dialog(&record);
    if (dialog.DoModal() != 1) return false;
    dialog.StoreValues();
    *messageGroupsChanged = dialog.m_root && dialog.m_root->m_messageGroupsChanged;
    *removedGroups = dialog.m_root ? dialog.m_root->m_removedGroups : 0;
    return true;
  };
}

void CVantrelDoc::CloseViewsExcept(const std::vector<int>& kinds) {
  std::vector<vt::View*> closing;
  for (vt::View* v : GetViews())
    if (std::find(kinds.begin(), kinds.end(), ViewKind(v)) == kinds.end()) closing.push_back(v);
  // The window's last view stays, whatever the record says.
  if (closing.size() == GetViews().size() && !closing.empty()) closing.pop_back();
  for (vt::View* v : closing)
    if (vt::ViewFrame* frame = v->GetFrame()) frame->Close();
}

void CVantrelDoc::SaveGraphAs() {
  if (saveAs && saveAs()) NotifySavedGraphLists();
}

void CVantrelDoc::EditDisplaySettings() {
  CGVantrelDoc* d = gadgetDoc_.get();
  if (!d || !editDisplaySettings) return;
  if (vt::GraphViewLink* view = d->GetGraphView()) view->StoreGraphState();
  SGraphConfiguration record;
  d->FillGroupEntries(record);
  bool messageGroupsChanged = false;
  uint64_t removedGroups = 0;
  if (!editDisplaySettings(record, &messageGroupsChanged, &removedGroups)) return;
  d->ApplyDisplaySettings(record, messageGroupsChanged, removedGroups);
}

CVantrelDoc::~CVantrelDoc() = default;

void CVantrelDoc::SetPathName(const std::string& path, bool) {
  path_ = path;
  SetTitle(path);
}

bool CVantrelDoc::SaveModified() {
  if (gadgetDoc_) gadgetDoc_->CheckWindowLayout();
  if (!IsModified()) return true;
  std::string text = vt::LoadString(61699);
  if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, GetTitle());
  vt::WindowHandle owner = 0;
  if (vt::GraphWindowHost* host = vt::GetGraphWindowHost()) owner = host->GetMainWindow();
  switch (vt::MessageBox(owner, text, "", vt::kMbYesNoCancel | vt::kMbIconWarning)) {
    case vt::kIdNo:
      return true;
    case vt::kIdYes:
      if (!saveAs || !saveAs()) return false;
      NotifySavedGraphLists();
      return true;
    default:
      return false;
  }
}

void CVantrelDoc::OnCloseDocument() {
  // A running trend conversion is cancelled and joined before the views go.
  if (gadgetDoc_) vt::CloseTrendConversion(*gadgetDoc_);
}

namespace {

enum class Search { Alarm, Mark, Data };

struct SearchCommand {
  int id;
  Search kind;
  bool forward;
  bool cursorB;
};

constexpr SearchCommand kSearches[] = {
    {ID_ALARM_RIGHT_A, Search::Alarm, true, false}, {ID_ALARM_LEFT_A, Search::Alarm, false, false},
    {ID_ALARM_RIGHT_B, Search::Alarm, true, true},  {ID_ALARM_LEFT_B, Search::Alarm, false, true},
    {ID_MARK_RIGHT_A, Search::Mark, true, false},   {ID_MARK_LEFT_A, Search::Mark, false, false},
    {ID_MARK_RIGHT_B, Search::Mark, true, true},    {ID_MARK_LEFT_B, Search::Mark, false, true},
    {ID_DATA_RIGHT_A, Search::Data, true, false},   {ID_DATA_LEFT_A, Search::Data, false, false},
    {ID_DATA_RIGHT_B, Search::Data, true, true},    {ID_DATA_LEFT_B, Search::Data, false, true},
};

const SearchCommand* FindSearch(int id) {
  for (const SearchCommand& s : kSearches)
    if (s.id == id) return &s;
  return nullptr;
}

}  // namespace

bool CVantrelDoc::OnSearchCommand(int id) {
  const SearchCommand* s = FindSearch(id);
  CGVantrelDoc* d = gadgetDoc_.get();
  if (!s) return false;
  if (!d) return true;
  switch (s->kind) {
    case Search::Alarm:
      s->forward ? d->SearchAlarmForward(s->cursorB) : d->SearchAlarmBackward(s->cursorB);
      break;
    case Search::Mark:
      s->forward ? d->SearchMarkForward(s->cursorB) : d->SearchMarkBackward(s->cursorB);
      break;
    case Search::Data:
      s->forward ? d->SearchDataEnd(s->cursorB) : d->SearchDataStart(s->cursorB);
      break;
  }
  return true;
}

bool CVantrelDoc::UpdateSearchCommand(int id, vt::CommandStatus& status) const {
  const SearchCommand* s = FindSearch(id);
  const CGVantrelDoc* d = gadgetDoc_.get();
  if (!s) return false;
  const bool cursor = d && d->HasCursor();
  switch (s->kind) {
    case Search::Alarm:
      status.enabled = cursor && d->AreAlarmsShown();
      break;
    case Search::Mark:
      status.enabled = cursor && d->GetMarkDataManager()->GetFirstChild() != nullptr;
      break;
    case Search::Data:
      status.enabled = cursor && d->CountGroupsWithData() > 0;
      break;
  }
  return true;
}

void CVantrelDoc::AppendMarkAtCursor() {
  CGVantrelDoc* d = gadgetDoc_.get();
  vt_ui::MarkEditor* editor = vt_ui::GetMarkEditor();
  PreciseTime a, b;
  if (!d || !editor || d->GetCursorTimes(&a, &b) == -1) return;
  SNgMarkData record;
  if (editor->Append(a, d->GetCurrentGroupIndex(), &record) == vt_ui::kMarkEditOk) d->AppendMark(record);
}

void CVantrelDoc::ShowRangeFromTo() {
  CGVantrelDoc* d = gadgetDoc_.get();
  vt_ui::FromToPicker* picker = vt_ui::GetFromToPicker();
  if (!d || !picker) return;
  PreciseTime start, end;
  d->GetShownRange(&start, &end);
  vt_ui::CVantrelFromToRange range(start.seconds, end.seconds);
  if (!picker->Run(range)) return;
  range.Accept();
  d->ShowTimeRange(range.From(), range.To());
}

bool CVantrelDoc::OnCommand(int id) {
  CGVantrelDoc* d = gadgetDoc_.get();
  if (!d) return false;
  if (OnSearchCommand(id) || vt::RunTrendConversionCommand(*d, id)) return true;
  switch (id) {
    case ID_APPEND_MARK:
      AppendMarkAtCursor();
      return true;
    case ID_TIME_FROM_TO:
      ShowRangeFromTo();
      return true;
    case ID_SAVE_GRAPH:
      d->SaveGraph();
      return true;
    case ID_SAVE_GRAPH_AS:
      SaveGraphAs();
      return true;
    case ID_DISPLAY_SETTINGS:
      EditDisplaySettings();
      return true;
    case ID_ERASE_CURSOR:
      d->EraseCursors();
      return true;
    case ID_PRINT_SETTINGS:
      EditPrintSettings();
      return true;
    case ID_GRAPH_COLOURS:
      EditGraphColours();
      return true;
    case ID_VIEW_ALARM:
      d->SetAlarmsShown(!d->AreAlarmsShown());
      return true;
    case ID_VIEW_LEGEND:
      d->SetLegendShown(!d->IsLegendShown());
      return true;
    case ID_TAG_CHANNEL:
      d->SetTagMode(0);
      return true;
    case ID_TAG_NAME:
      d->SetTagMode(1);
      return true;
    case ID_TAG_NUMBER:
      d->SetTagMode(2);
      return true;
    case ID_DELETE_MARK:
      d->DeleteMarksInCursorRange();
      return true;
    default:
      return false;
  }
}

bool CVantrelDoc::OnUpdateCommand(int id, vt::CommandStatus& status) {
  CGVantrelDoc* d = gadgetDoc_.get();
  const int groups = d ? d->CountGroupsWithData() : 0;
  const bool cursor = d && d->HasCursor();
  if (UpdateSearchCommand(id, status)) return true;
  switch (id) {
    case ID_SAVE_GRAPH:
    case ID_SAVE_GRAPH_AS:
    case ID_PRINT_SETTINGS:
    case ID_TIME_FROM_TO:
    case ID_DISPLAY_SETTINGS:
      status.enabled = groups > 0;
      return true;
    case ID_CONVERT_EXCEL:
    case ID_CONVERT_TEXT:
      status.enabled = groups > 0 && focus_ == 1;
      return true;
    case ID_ERASE_CURSOR:
    case ID_DELETE_MARK:
      status.enabled = cursor;
      return true;
    case ID_APPEND_MARK:
      status.enabled =
          d && d->GetCursorATime().ticks != 0 && d->GetCursorATime().ticks == d->GetCursorBTime().ticks;
      return true;
    case ID_GRAPH_COLOURS:
      status.enabled = d != nullptr;
      return true;
    case ID_VIEW_ALARM:
      status.checked = d && d->AreAlarmsShown();
      return true;
    case ID_VIEW_LEGEND:
      status.checked = d && d->IsLegendShown();
      return true;
    case ID_TAG_CHANNEL:
    case ID_TAG_NAME:
    case ID_TAG_NUMBER:
      status.checked = d && d->GetTagMode() == (id == ID_TAG_CHANNEL ? 0 : id == ID_TAG_NAME ? 1 : 2);
      return true;
    default:
      return false;
  }
}
