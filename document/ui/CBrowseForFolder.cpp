// The folder pickers and their checks (see CBrowseForFolder.h).
#include "document/ui/CBrowseForFolder.h"

#include <array>

#include "msgdesk/Msgdesk.h"
#include "platform/base/Paths.h"
#include "platform/gui/Application.h"
#include "platform/gui/CommonDialogs.h"
#include "platform/gui/MessageBox.h"

namespace {

constexpr int kMsgCannotSelect = 10204;
constexpr int kMsgAlreadySelected = 10205;

// System folders that never hold recorder files to import: the folder itself and all below it.
constexpr std::array<const char*, 8> kSystemTrees = {"/usr",  "/etc",  "/bin", "/sbin",
                                                     "/boot", "/proc", "/sys", "/dev"};

// "/lib", "/lib64", "/libx32" ... or a folder below one of them.
bool IsUnderLibraryFolder(const std::string& folder) { return folder.compare(0, 4, "/lib") == 0; }

// The refusals are the main window's messages, whoever owns the chooser.
vt::WindowHandle MessageOwner(vt::WindowHandle fallback) {
  const vt::Application* loop = vt::Application::Current();
  return loop && loop->MainWindow() ? loop->MainWindow() : fallback;
}

}  // namespace

std::string NormaliseFolder(const std::string& path) {
  std::string out = path;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

bool IsFolderWithin(const std::string& folder, const std::string& base) {
  const std::string f = NormaliseFolder(folder), b = NormaliseFolder(base);
  if (b.empty()) return false;
  if (f == b) return true;
  if (b == "/") return !f.empty() && f[0] == '/';
  return f.size() > b.size() && f.compare(0, b.size(), b) == 0 && f[b.size()] == '/';
}

CBrowseForFolder::CBrowseForFolder(vt::WindowHandle owner, const std::string& title)
    : m_title(title), m_owner(owner) {}

CBrowseForFolder::~CBrowseForFolder() = default;

int CBrowseForFolder::RunChooser() {
  vt::FolderRequest request;
  request.owner = m_owner;
  request.title = m_title;
  request.startFolder = m_startFolder;
  request.showCheckBox = m_showCheckBox != 0;
  request.initialCheck = m_initialCheck != 0;
  const vt::FolderResult chosen = vt::ChooseFolder(request);
  m_checkResult = chosen.checked ? 1 : 0;
  if (chosen.button != vt::kIdOk || chosen.path.empty() || chosen.path[0] != '/') return 2;
  m_result = chosen.path;
  return 1;
}

int CBrowseForFolder::DoModal() { return RunChooser(); }

CBrowseForImportFolder::CBrowseForImportFolder(vt::WindowHandle owner, const std::string& title)
    : CBrowseForFolder(owner, title),
      m_programFolder(vt::ProgramFolder()),
      m_programRoot(vt::ProgramRoot()) {}

int CBrowseForImportFolder::CheckFolder() const {
  const std::string f = NormaliseFolder(m_result);
  for (int i = 0; m_folderTable && i < AUTO_IMPORT_FOLDER_COUNT; ++i) {
    if (i == m_excludedIndex || m_folderTable[i].folderPath.empty()) continue;
    if (f == NormaliseFolder(m_folderTable[i].folderPath)) return 2;
  }
  if (!m_programFolder.empty() && f == NormaliseFolder(m_programFolder)) return 1;
  if (!m_programRoot.empty() && IsFolderWithin(f, vt::JoinPath(m_programRoot, "Morvane"))) return 1;
  if (f == "/") return 1;
  for (const char* tree : kSystemTrees)
    if (IsFolderWithin(f, tree)) return 1;
  if (IsUnderLibraryFolder(f)) return 1;
  return 0;
}

int CBrowseForImportFolder::DoModal() {
  if (RunChooser() != 1) return 2;
  switch (CheckFolder()) {
    case 2:
      DisplayMessage(MessageOwner(m_owner), kMsgAlreadySelected, vt::kMbOk);
      return 2;
    case 1:
      DisplayMessage(MessageOwner(m_owner), kMsgCannotSelect, vt::kMbOk);
      return 2;
    default:
      return 1;
  }
}

CBrowseForExportFolder::CBrowseForExportFolder(vt::WindowHandle owner, const std::string& title)
    : CBrowseForFolder(owner, title), m_programRoot(vt::ProgramRoot()) {}

bool CBrowseForExportFolder::IsSelectable() const {
  if (!m_programRoot.empty() && IsFolderWithin(m_result, vt::JoinPath(m_programRoot, "Morvane/Vantrel")))
    return false;
  for (int i = 0; m_folderTable && i < AUTO_IMPORT_FOLDER_COUNT; ++i) {
    const std::string& path = m_folderTable[i].folderPath;
    if (!path.empty() && IsFolderWithin(m_result, path)) return false;
  }
  return true;
}

int CBrowseForExportFolder::DoModal() {
  if (RunChooser() != 1) return 2;
  if (IsSelectable()) return 1;
  DisplayMessage(MessageOwner(m_owner), kMsgCannotSelect, vt::kMbOk);
  return 2;
}
