// CVantrelDoc: the graph document's ownership, the save prompt and the document's commands.
#include "document/ui/CVantrelDoc.h"

#include "gadget/GRootMaster.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"

using namespace vt_ui;

CVantrelDoc::CVantrelDoc() : gadgetDoc_(std::make_unique<CGVantrelDoc>(g_rootMaster, this)) {}

CVantrelDoc::~CVantrelDoc() = default;

void CVantrelDoc::SetPathName(const std::string& path, bool) {
  path_ = path;
  SetTitle(path);
}

bool CVantrelDoc::SaveModified() {
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
      if (vt::GraphWindowHost* host = vt::GetGraphWindowHost())
        host->NotifyListDocument(vt::kListNotifySavedGraphs);
      return true;
    default:
      return false;
  }
}

void CVantrelDoc::OnCloseDocument() {
  // The trend conversion's worker is joined by the conversion when it lands; nothing runs here
  // yet that would outlive the views.
}

bool CVantrelDoc::OnCommand(int id) {
  CGVantrelDoc* d = gadgetDoc_.get();
  if (!d) return false;
  switch (id) {
    case ID_ERASE_CURSOR:
      d->EraseCursors();
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
