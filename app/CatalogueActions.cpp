// The catalogue's delete, export and file-conversion commands (see CatalogueActions.h).
#include "app/CatalogueActions.h"

#include "app/CListDoc.h"
#include "app/CNavigationDoc.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/MessageBox.h"
#include "recorder/StoreResult.h"
#include "store/CatalogueLookups.h"
#include "store/VTDataStorage.h"

namespace vt {

namespace {

constexpr int kMsgDeleteInstrument = 10004;
constexpr int kMsgOverwrite = 10011;
constexpr int kMsgExportFailed = 10219;

}  // namespace

CatalogueActions::CatalogueActions(CListDoc& list, CNavigationDoc& navigation, Hooks hooks)
    : list_(list), navigation_(navigation), hooks_(std::move(hooks)) {}

bool CatalogueActions::HasSelection() const { return list_.m_selectedCount > 0; }

std::vector<int> CatalogueActions::SelectedRows() {
  if (!HasSelection()) return {};
  if (list_.m_selection.empty()) list_.CollectSelection();
  return list_.m_selection;
}

bool CatalogueActions::CanDelete() const {
  const int kind = list_.m_listKind;
  const bool graphActive = hooks_.graphWindowActive && hooks_.graphWindowActive();
  if (HasSelection() && (((kind == LIST_KIND_FILE || kind == LIST_KIND_GRAPH) && !graphActive) ||
                         kind == LIST_KIND_TRASH || kind == LIST_KIND_CONDITION))
    return true;
  if (navigation_.m_mode == CNavigationDoc::MODE_DATA &&
      navigation_.m_selectionKind == CNavigationDoc::NODE_INSTRUMENT)
    return !InstrumentHasFiles(list_.Sources(), navigation_.m_selectionKey);
  return false;
}

void CatalogueActions::Delete() {
  if (HasSelection()) {
    switch (list_.m_listKind) {
      case LIST_KIND_FILE:
        list_.MoveSelectionToTrash();
        return;
      case LIST_KIND_TRASH:
        list_.PurgeTrash(false);
        return;
      case LIST_KIND_CONDITION:
        list_.DeleteSavedConditions();
        return;
      case LIST_KIND_GRAPH:
        list_.DeleteSavedGraphs();
        return;
      default:
        break;
    }
  }
  if (navigation_.m_mode != CNavigationDoc::MODE_DATA ||
      navigation_.m_selectionKind != CNavigationDoc::NODE_INSTRUMENT)
    return;
  if (DisplayMessage(hooks_.owner, kMsgDeleteInstrument, kMbOkCancel) != kIdOk) return;
  const std::string serialNo = navigation_.m_selectionKey;
  if (CVTDataStorage* storage = list_.Sources().storage) storage->DeleteInstrument(serialNo);
  navigation_.RemoveInstrument(serialNo);
}

bool CatalogueActions::CanExport() const { return list_.m_listKind == LIST_KIND_FILE && HasSelection(); }

void CatalogueActions::Export() {
  if (!CanExport()) return;
  std::string folder;
  if (!hooks_.chooseExportFolder || !hooks_.chooseExportFolder(&folder)) return;
  const CatalogueSources sources = list_.Sources();
  for (int row : SelectedRows()) {
    const std::string name = list_.GetItemFileName(row);
    if (name.empty()) continue;
    const std::string destination = JoinPath(folder, name);
    if (FileExists(destination) &&
        DisplayMessage2(hooks_.owner, kMsgOverwrite, kMbOkCancel, name.c_str()) != kIdOk)
      continue;
    std::string stored;
    const bool copied = GetFilePath(sources, list_.GetItemFileId(row), stored) && sources.storage &&
                        sources.storage->ExportFile(stored, destination) == STORE_OK;
    if (!copied) DisplayMessage2(hooks_.owner, kMsgExportFailed, kMbOk, name.c_str());
  }
}

bool CatalogueActions::CanConvert() const {
  return CanExport() && hooks_.reportListFocused && hooks_.reportListFocused();
}

void CatalogueActions::ConvertFiles(int format) {
  if (!CanExport() || !hooks_.convertFiles) return;
  const CatalogueSources sources = list_.Sources();
  std::vector<std::string> paths;
  for (int row : SelectedRows()) {
    std::string stored;
    if (GetFilePath(sources, list_.GetItemFileId(row), stored)) paths.push_back(stored);
  }
  hooks_.convertFiles(format, paths);
}

void CatalogueActions::Register(CommandMap& commands) {
  commands.On(
      ID_EDIT_DELETE, [this] { Delete(); }, [this](CmdUI& ui) { ui.Enable(CanDelete()); });
  commands.On(
      ID_EDIT_EMPTY_TRASH, [this] { list_.PurgeTrash(true); },
      [this](CmdUI& ui) { ui.Enable(list_.m_listKind == LIST_KIND_TRASH); });
  commands.On(
      ID_EDIT_RESTORE, [this] { list_.RestoreTrashSelection(); },
      [this](CmdUI& ui) { ui.Enable(list_.m_listKind == LIST_KIND_TRASH && HasSelection()); });
  commands.On(
      ID_FILE_EXPORT, [this] { Export(); }, [this](CmdUI& ui) { ui.Enable(CanExport()); });
  commands.On(
      ID_CONVERT_EXCEL_FILE, [this] { ConvertFiles(0); }, [this](CmdUI& ui) { ui.Enable(CanConvert()); });
  commands.On(
      ID_CONVERT_TEXT_FILE, [this] { ConvertFiles(1); }, [this](CmdUI& ui) { ui.Enable(CanConvert()); });
}

}  // namespace vt
