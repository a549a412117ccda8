// The multi-document main window (see MdiFrameWindow.h).
#include "platform/gui/qt/MdiFrameWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMetaObject>
#include <QMimeData>
#include <QUrl>

#include "platform/gui/Profile.h"

namespace vt {

namespace {

constexpr const char* kWorkspace = "Workspace";
constexpr int kWorkspaceVersion = 1;

// Window arrangement and Exit, as every multi-document frame has them.
constexpr int kIdWindowArrange = 57649;
constexpr int kIdWindowCascade = 57650;
constexpr int kIdWindowTile = 57651;
constexpr int kIdAppExit = 57665;

// The first dropped item, when it is a local file.
std::string FirstLocalFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl first = data->urls().front();
  if (!first.isLocalFile()) return {};
  return first.toLocalFile().toStdString();
}

}  // namespace

MdiFrameWindow::MdiFrameWindow(QWidget* parent) : QMainWindow(parent), area_(new QMdiArea(this)) {
  area_->setObjectName(QStringLiteral("mdiArea"));
  setCentralWidget(area_);
  setAcceptDrops(true);
  connect(area_, &QMdiArea::subWindowActivated, this, &MdiFrameWindow::OnSubWindowActivated);

  router_.SetMainFrame(&frameCommands_);
  router_.SetChildRoute([this] {
    auto* child = dynamic_cast<MdiChildRoute*>(active_.data());
    return child ? child->CommandRoute() : ChildRoute{};
  });
  const auto anyChild = [this](CmdUI& ui) { ui.Enable(active_ != nullptr); };
  frameCommands_.On(
      kIdWindowCascade, [this] { area_->cascadeSubWindows(); }, anyChild);
  frameCommands_.On(
      kIdWindowTile, [this] { area_->tileSubWindows(); }, anyChild);
  frameCommands_.On(
      kIdWindowArrange, [this] { area_->tileSubWindows(); }, anyChild);
  frameCommands_.On(kIdAppExit, [this] { close(); });
  bars_ = std::make_unique<CommandBars>(this, router_);

  handle_ = RegisterWindow([this](uint32_t m, WParam w, LParam l) { return OnMessage(m, w, l); }, this);
}

MdiFrameWindow::~MdiFrameWindow() {
  UnregisterWindow(handle_);  // what is still posted to the frame is dropped from now on
  closing_ = true;
  disconnect(area_, nullptr, this, nullptr);
}

void MdiFrameWindow::SetMenus(int frameMenu, int childMenu) {
  frameMenu_ = frameMenu;
  childMenu_ = childMenu;
  shownMenu_ = active_ ? childMenu_ : frameMenu_;
  bars_->ShowMenus(menuBar(), shownMenu_);
}

LResult MdiFrameWindow::OnMessage(uint32_t, WParam, LParam) { return 0; }

void MdiFrameWindow::OnDropFile(const std::string&) {}

void MdiFrameWindow::OnClose() { hide(); }

void MdiFrameWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (!isEnabled()) return;  // a modal operation runs: the frame stays
  if (isMinimized()) showNormal();
  OnClose();
}

void MdiFrameWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!FirstLocalFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void MdiFrameWindow::dropEvent(QDropEvent* event) {
  const std::string path = FirstLocalFile(event->mimeData());
  if (path.empty()) return;
  event->acceptProposedAction();
  if (path.size() > std::size_t(kMaxDropPath)) return;
  OnDropFile(path);
}

void MdiFrameWindow::Track(QMdiSubWindow* window) {
  if (window == active_) return;
  if (active_) disconnect(active_, &QObject::destroyed, this, nullptr);
  active_ = window;
  if (window) connect(window, &QObject::destroyed, this, &MdiFrameWindow::ChildGone);
  const int wanted = active_ ? childMenu_ : frameMenu_;
  if (wanted != shownMenu_ && wanted != 0) {
    shownMenu_ = wanted;
    bars_->ShowMenus(menuBar(), shownMenu_);
  }
  OnActiveChildChanged();
  bars_->UpdateAll();
}

void MdiFrameWindow::OnSubWindowActivated(QMdiSubWindow* window) {
  // Null only means that something outside the area has the focus; the child stays active.
  if (window) Track(window);
}

void MdiFrameWindow::ChildGone(QObject*) {
  // The area forgets the child only after its destruction: look for the next one afterwards.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (closing_ || active_) return;  // meanwhile another child became active
        QMdiSubWindow* next = nullptr;
        const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
        for (auto it = stack.rbegin(); it != stack.rend() && !next; ++it)
          if (*it && (*it)->isVisible()) next = *it;
        if (next) {
          Track(next);
          return;
        }
        if (shownMenu_ != frameMenu_ && frameMenu_ != 0) {
          shownMenu_ = frameMenu_;
          bars_->ShowMenus(menuBar(), shownMenu_);
        }
        OnActiveChildChanged();
        bars_->UpdateAll();
      },
      Qt::QueuedConnection);
}

void MdiFrameWindow::SaveWorkspace(Profile& profile) const {
  profile.WriteInt(kWorkspace, "Version", kWorkspaceVersion);
  profile.WriteString(kWorkspace, "State", saveState(kWorkspaceVersion).toBase64().toStdString());
  profile.WriteString(kWorkspace, "Geometry", saveGeometry().toBase64().toStdString());
}

bool MdiFrameWindow::RestoreWorkspace(const Profile& profile) {
  if (profile.GetInt(kWorkspace, "Version", 0) != kWorkspaceVersion) return false;
  const QByteArray geometry =
      QByteArray::fromBase64(QByteArray::fromStdString(profile.GetString(kWorkspace, "Geometry", "")));
  const QByteArray state =
      QByteArray::fromBase64(QByteArray::fromStdString(profile.GetString(kWorkspace, "State", "")));
  const bool placed = geometry.isEmpty() || restoreGeometry(geometry);
  return restoreState(state, kWorkspaceVersion) && placed;
}

}  // namespace vt
