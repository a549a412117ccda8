// The provider switch, the buffer rule of multiple selections, the filter reading and the real
// dialogs over QFileDialog (see CommonDialogs.h).
#include "platform/gui/CommonDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QPointer>
#include <atomic>

#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"

namespace vt {

namespace {

std::atomic<CommonDialogs*> g_provider{nullptr};

// The "Subfolder" box of the folder chooser.
constexpr int kIdsSubfolder = 157;

QWidget* OwnerWindow(WindowHandle owner) {
  if (owner == 0) return nullptr;
  auto* widget = static_cast<QWidget*>(WindowNative(owner));
  return widget ? widget->window() : nullptr;
}

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// "text (*.dae *.DAE ...)" entries, both cases of every pattern.
QStringList QtFilters(const std::string& filter) {
  QStringList out;
  for (const FileFilter& f : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& p : f.patterns) {
      const QString q = Q(p);
      for (const QString& variant : {q.toLower(), q.toUpper()})
        if (!patterns.contains(variant)) patterns << variant;
    }
    out << QStringLiteral("%1 (%2)").arg(Q(f.text), patterns.join(' '));
  }
  return out;
}

// Shows a file dialog modally; true for OK.
bool RunFileDialog(QFileDialog& dialog) {
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setSizeGripEnabled(true);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : filter) {
    if (c == '|') {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  std::vector<FileFilter> out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty()) break;  // the closing "||"
    FileFilter f;
    f.text = parts[i];
    std::string pattern;
    for (char c : parts[i + 1] + ";") {
      if (c == ';') {
        if (!pattern.empty()) f.patterns.push_back(pattern);
        pattern.clear();
      } else if (c != ' ') {
        pattern += c;
      }
    }
    out.push_back(std::move(f));
  }
  return out;
}

std::size_t PackedSelectionLength(const std::vector<std::string>& paths) {
  if (paths.empty()) return 1;
  if (paths.size() == 1) return paths[0].size() + 2;
  const std::size_t slash = paths[0].rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : paths[0].substr(0, slash);
  std::size_t length = folder.size() + 1;
  for (const std::string& p : paths) {
    const std::size_t s = p.rfind('/');
    length += (s == std::string::npos ? p.size() : p.size() - s - 1) + 1;
  }
  return length + 1;
}

CommonDialogs* SetCommonDialogs(CommonDialogs* provider) { return g_provider.exchange(provider); }

CommonDialogs& CurrentCommonDialogs() {
  static QtCommonDialogs real;
  CommonDialogs* provider = g_provider.load();
  return provider ? *provider : real;
}

OpenFileResult OpenFiles(const OpenFileRequest& request) {
  OpenFileResult result = CurrentCommonDialogs().ChooseFilesToOpen(request);
  if (request.multiple && PackedSelectionLength(result.paths) > kFileNameBufferChars) {
    result.button = kIdCancel;
    result.paths.clear();
    result.tooManyFiles = true;
  }
  if (result.button != kIdOk) result.paths.clear();
  return result;
}

SaveFileResult SaveFile(const SaveFileRequest& request) {
  return CurrentCommonDialogs().ChooseFileToSave(request);
}

FolderResult ChooseFolder(const FolderRequest& request) {
  FolderResult result = CurrentCommonDialogs().ChooseFolder(request);
  if (!request.showCheckBox) result.checked = false;
  return result;
}

OpenFileResult QtCommonDialogs::ChooseFilesToOpen(const OpenFileRequest& request) {
  OpenFileResult result;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return result;
  QFileDialog dialog(OwnerWindow(request.owner), Q(request.title), Q(request.folder));
  dialog.setObjectName(QStringLiteral("dialog.openfile"));
  dialog.setNameFilters(QtFilters(request.filter));
  dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!RunFileDialog(dialog)) return result;
  result.button = kIdOk;
  for (const QString& f : dialog.selectedFiles()) result.paths.push_back(f.toUtf8().toStdString());
  return result;
}

SaveFileResult QtCommonDialogs::ChooseFileToSave(const SaveFileRequest& request) {
  SaveFileResult result;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return result;
  QFileDialog dialog(OwnerWindow(request.owner), Q(request.title));
  dialog.setObjectName(QStringLiteral("dialog.savefile"));
  dialog.setNameFilters(QtFilters(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!request.path.empty()) dialog.selectFile(Q(request.path));
  if (!RunFileDialog(dialog)) return result;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return result;
  result.button = kIdOk;
  result.path = files.first().toUtf8().toStdString();
  return result;
}

FolderResult QtCommonDialogs::ChooseFolder(const FolderRequest& request) {
  FolderResult result;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return result;
  // Qt's own dialog (not the desktop's), so that the box can join its button row.
  QFileDialog dialog(OwnerWindow(request.owner), Q(request.title), Q(request.startFolder));
  dialog.setObjectName(QStringLiteral("dialog.folder"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setFileMode(QFileDialog::Directory);
  if (!request.startFolder.empty()) dialog.selectFile(Q(request.startFolder));
  QPointer<QCheckBox> box;
  if (request.showCheckBox) {
    box = new QCheckBox(Q(LoadString(kIdsSubfolder)), &dialog);
    box->setObjectName(QStringLiteral("dialog.folder.subfolder"));
    box->setChecked(request.initialCheck);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
      grid->addWidget(box, grid->rowCount(), 0, 1, -1);
  }
  if (!RunFileDialog(dialog)) return result;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return result;
  result.button = kIdOk;
  result.path = chosen.first().toUtf8().toStdString();
  result.checked = box && box->isChecked();
  return result;
}

}  // namespace vt
