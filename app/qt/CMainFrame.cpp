// The main window over vtgui's multi-document frame (see CMainFrame.h).
#include "app/CMainFrame.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <cassert>
#include <map>
#include <utility>

#include "app/AppMessages.h"
#include "app/CListDoc.h"
#include "app/CNavigationDoc.h"
#include "app/CVantrelApp.h"
#include "app/qt/CAutoImportProgress.h"
#include "app/qt/CCopiablePropertyWnd.h"
#include "app/qt/CListReportWnd.h"
#include "app/qt/CListWnd.h"
#include "app/qt/CNavigationWnd.h"
#include "app/qt/MainFrameArt.h"
#include "app/qt/MainFrameGraphWindows.h"
#include "document/CConfigurationFile.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/MenuResources.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/Profile.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/Timer.h"
#include "platform/gui/qt/DockPane.h"
#include "platform/gui/qt/MdiFrameWindow.h"
#include "recorder/StoreResult.h"
#include "store/CVTImportManager.h"

namespace {

// Commands the frame itself decides on.
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_SEARCHBAR = 32925;
constexpr int ID_WINDOW_GRAPH = 32887;
constexpr int ID_WINDOW_SHEET = 32946;
constexpr int ID_WINDOW_ALARM_MARK = 32871;
constexpr int ID_WINDOW_CURSOR_CONTROL = 32914;
constexpr int ID_WINDOW_STATISTICS = 32915;

// Strings.
constexpr int IDS_READY = 57345;
constexpr int IDS_PANE_NAVIGATION = 140;
constexpr int IDS_PANE_SEARCH = 141;
constexpr int IDS_PANE_PROPERTIES = 144;
constexpr int IDS_TOOLBAR_MAIN = 129;
constexpr int IDS_TOOLBAR_SEARCH = 130;

// Result messages of an import run.
constexpr int kMsgDiskFull = 10215;
constexpr int kMsgIndexLimit = 10101;
constexpr int kMsgInstrumentLimit = 10102;
constexpr int kMsgFileNotOpened = 10202;

constexpr const char* kWorkspaceSection = "Workspace";

QString Text(int id) { return QString::fromStdString(vt::LoadString(uint32_t(id))); }

// Keeps the import indicator over status pane 104, one pixel inside it.
class IndicatorPlacement : public QObject {
 public:
  IndicatorPlacement(QLabel* pane, QWidget* indicator) : QObject(pane), pane_(pane), indicator_(indicator) {
    pane->installEventFilter(this);
  }
  void Place() { indicator_->setGeometry(pane_->geometry().adjusted(1, 1, -1, -1)); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == pane_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) Place();
    return false;
  }

 private:
  QLabel* pane_;
  QWidget* indicator_;
};

}  // namespace

class MainFrameWindow : public vt::MdiFrameWindow {
 public:
  MainFrameWindow(CMainFrame::Impl& owner) : owner_(owner) {}

 protected:
  vt::LResult OnMessage(uint32_t message, vt::WParam wParam, vt::LParam lParam) override;
  void OnDropFile(const std::string& path) override;
  void OnClose() override;

 private:
  CMainFrame::Impl& owner_;
};

struct CMainFrame::Impl {
  CVantrelApp& app;
  CMainFrame* self = nullptr;
  std::function<void()> onClose;
  // The panes' models outlive the window (whose panes observe them).
  CNavigationDoc navigationDoc;
  std::unique_ptr<CListDoc> listDoc;
  CCopiablePropertyWnd* propertyWnd = nullptr;
  std::unique_ptr<MainFrameWindow> window;
  QToolBar* mainToolbar = nullptr;
  QToolBar* searchToolbar = nullptr;
  QLabel* pane103 = nullptr;
  QLabel* pane104 = nullptr;
  CAutoImportProgress* indicator = nullptr;
  vt::DockPane* navigation = nullptr;
  vt::DockPane* search = nullptr;
  vt::DockPane* properties = nullptr;
  struct Conversion {
    std::function<void()> join, cancel;
  };
  std::map<const void*, Conversion> conversions;
  bool limitMessageShown = false;
  bool reportListFocused = false;

  Impl(CVantrelApp& a, std::function<void()> close) : app(a), onClose(std::move(close)) {}

  vt::WindowHandle Handle() const { return window ? window->Handle() : 0; }
  bool HasActiveGraphDocument() const;
  void OnImportResult(int result, int mode);
  void ShowBusyMessage(int key);
  void OnConvertDone(const void* document);
  bool CreateStatusBar();
  bool CreateDockingWindows();
  void AddFrameCommands();
};

vt::LResult MainFrameWindow::OnMessage(uint32_t message, vt::WParam wParam, vt::LParam lParam) {
  switch (message) {
    case WM_VT_RESTARTIMPORT:
      // Started once the worker is idle, looked at again every 50 ms: never waiting here.
      owner_.app.RestartAutoImportWhenIdle();
      break;
    case WM_VT_SHOWIMPORTBAR:
      owner_.indicator->ShowIndicator();
      break;
    case WM_VT_HIDEIMPORTBAR:
      owner_.indicator->HideIndicator();
      break;
    case WM_VT_IMPORTRESULT:
      owner_.OnImportResult(int(wParam), int(lParam));
      break;
    case WM_VT_CONVERTDONE:
      owner_.OnConvertDone(reinterpret_cast<const void*>(wParam));
      break;
    case WM_VT_AREACHANGED:
      // Another storage: back to its data, with the tree built anew.
      owner_.navigationDoc.SetMode(CNavigationDoc::MODE_DATA);
      owner_.navigationDoc.RebuildInstruments();
      break;
    case WM_VT_IMPORTED:
      owner_.navigationDoc.RefreshAndAnnounce();
      break;
    case WM_VT_LISTFILLED:
      // A saved condition was loaded: the tree selects the node it belongs to.
      if (owner_.listDoc) {
        owner_.navigationDoc.m_conditionName =
            owner_.listDoc->GetItemConditionName(owner_.listDoc->m_currentItem);
        owner_.navigationDoc.Notify(CNavigationDoc::NAV_NOTIFY_CONDITION);
      }
      break;
    case WM_VT_SHOWIMPORTED:
      if (vt::CatalogDisplay* display = owner_.self->GetCatalogDisplay())
        display->ShowImportedFile(owner_.app.GetFileToShow());
      break;
    default:
      break;
  }
  return 0;
}

void MainFrameWindow::OnDropFile(const std::string& path) { owner_.app.OpenDocumentFile(path); }

void MainFrameWindow::OnClose() {
  // Every modified graph window is asked first; the loop ends and the application takes the
  // frame down with its windows.
  if (owner_.self && !owner_.self->SaveAllModified()) return;
  if (owner_.onClose) owner_.onClose();
}

bool CMainFrame::Impl::HasActiveGraphDocument() const { return ActiveGraphDocument(*window) != nullptr; }

void CMainFrame::Impl::ShowBusyMessage(int key) {
  // Busy keeps automatic import from starting while the box is up; a busy operation that was
  // already running keeps its flag.
  const bool wasBusy = app.m_busy.exchange(true);
  DisplayMessage(Handle(), key, vt::kMbOk);
  app.m_busy = wasBusy;
}

void CMainFrame::Impl::OnImportResult(int result, int mode) {
  switch (result) {
    case STORE_OK:
    case STORE_IMPORTED_ALREADY:
    case STORE_IN_TRASH:
      return;
    case STORE_DISK_FULL:
      ShowBusyMessage(kMsgDiskFull);
      return;
    case STORE_INDEX_FILE_LIMIT:
      ShowBusyMessage(kMsgIndexLimit);
      return;
    case STORE_INSTRUMENT_LIMIT:
      if (!limitMessageShown) {
        // Runs that end at the limit while the box is up (the box's loop handles their
        // results) do not stack further boxes.
        limitMessageShown = true;
        DisplayMessage(Handle(), kMsgInstrumentLimit, vt::kMbOk);
        limitMessageShown = false;
        return;
      }
      break;
    default:
      break;
  }
  if (mode == IMPORT_MODE_FILE_OPEN) DisplayMessage(Handle(), kMsgFileNotOpened, vt::kMbOk);
}

void CMainFrame::Impl::OnConvertDone(const void* document) {
  const auto it = conversions.find(document);
  if (it == conversions.end()) return;  // the document closed meanwhile, and joined then
  const std::function<void()> join = it->second.join;
  join();
}

bool CMainFrame::Impl::CreateStatusBar() {
  QStatusBar* bar = window->statusBar();
  bar->setObjectName(QStringLiteral("statusbar"));
  const QString ready = Text(IDS_READY);
  QObject::connect(bar, &QStatusBar::messageChanged, bar, [bar, ready](const QString& text) {
    if (text.isEmpty()) bar->showMessage(ready);
  });
  bar->showMessage(ready);
  // The lock-key panes stay empty: the keyboard's lock state cannot be read portably.
  const int lockWidth = bar->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8;
  for (const char* name : {"pane.caps", "pane.num", "pane.scrl"}) {
    auto* pane = new QLabel(bar);
    pane->setObjectName(QString::fromLatin1(name));
    pane->setFixedWidth(lockWidth);
    bar->addPermanentWidget(pane);
  }
  pane103 = new QLabel(Text(kStatusPane103), bar);
  pane103->setObjectName(QStringLiteral("pane.103"));
  pane103->setFixedWidth(kStatusPaneWidth);
  bar->addPermanentWidget(pane103);
  pane104 = new QLabel(Text(kStatusPane104), bar);
  pane104->setObjectName(QStringLiteral("pane.104"));
  pane104->setFixedWidth(kStatusPaneWidth);
  pane104->setEnabled(false);
  bar->addPermanentWidget(pane104);

  indicator = new CAutoImportProgress(bar);
  indicator->setFont(QApplication::font());
  (new IndicatorPlacement(pane104, indicator))->Place();
  return true;
}

bool CMainFrame::Impl::CreateDockingWindows() {
  navigation = new vt::DockPane;
  search = new vt::DockPane;
  properties = new vt::DockPane;
  bool made = navigation->Create(Text(IDS_PANE_NAVIGATION), window.get(), kPaneNavigation,
                                 vt::kIconNavigationPane, vt::DockPane::kSideLeft);
  made = made && search->Create(Text(IDS_PANE_SEARCH), window.get(), kPaneSearch, vt::kIconSearchPane,
                                vt::DockPane::kSideTop);
  made = made && properties->Create(Text(IDS_PANE_PROPERTIES), window.get(), kPaneProperties,
                                    vt::kIconPropertiesPane, vt::DockPane::kSideRight);
  if (!made) return false;
  // The top pane spans the width; the side panes take the height below it.
  window->setCorner(Qt::TopLeftCorner, Qt::TopDockWidgetArea);
  window->setCorner(Qt::TopRightCorner, Qt::TopDockWidgetArea);
  window->resizeDocks({navigation, properties}, {220, 240}, Qt::Horizontal);
  window->resizeDocks({search}, {260}, Qt::Vertical);
  return true;
}

void CMainFrame::Impl::AddFrameCommands() {
  vt::CommandMap& commands = window->FrameCommands();
  const auto toggle = [](QToolBar* bar) { return [bar] { bar->setVisible(bar->isHidden()); }; };
  const auto checkShown = [](QToolBar* bar) {
    return [bar](vt::CmdUI& ui) {
      ui.Enable(true);
      ui.SetCheck(!bar->isHidden());
    };
  };
  commands.On(ID_VIEW_TOOLBAR, toggle(mainToolbar), checkShown(mainToolbar));
  commands.On(ID_VIEW_SEARCHBAR, toggle(searchToolbar), checkShown(searchToolbar));
  // The window commands need a graph window's document; the graph windows bring their actions,
  // so without one the commands stay disabled.
  for (int id : {ID_WINDOW_GRAPH, ID_WINDOW_SHEET, ID_WINDOW_ALARM_MARK, ID_WINDOW_CURSOR_CONTROL,
                 ID_WINDOW_STATISTICS})
    commands.OnUpdate(id, [this](vt::CmdUI& ui) { ui.Enable(HasActiveGraphDocument()); });
}

CMainFrame::CMainFrame(CVantrelApp& app, std::function<void()> onClose)
    : m_impl(std::make_unique<Impl>(app, std::move(onClose))) {
  m_impl->self = this;
  if (app.m_profile) app.m_appLook = app.m_profile->GetInt(kWorkspaceSection, kLookEntry, kDefaultLook);
}

CMainFrame::~CMainFrame() {
  m_toolWindowsClosed = true;  // the closing documents must not make them now
  ReleaseGraphWindows();
  if (m_impl->window) SaveWorkspace();
  m_impl->window.reset();
  m_impl->listDoc.reset();
}

CNavigationDoc& CMainFrame::NavigationDoc() { return m_impl->navigationDoc; }

CListDoc& CMainFrame::ListDoc() {
  if (!m_impl->listDoc) m_impl->listDoc = std::make_unique<CListDoc>(m_impl->app.m_profile.get());
  return *m_impl->listDoc;
}

void CMainFrame::CopyProperty() {
  if (m_impl->propertyWnd) m_impl->propertyWnd->CopyToClipboard();
}

void CMainFrame::CreatePanes() {
  Impl& impl = *m_impl;
  MainFrameWindow* window = impl.window.get();
  CListDoc& listDoc = ListDoc();
  const auto popup = [window](int menuId, QPoint global) {
    if (QMenu* menu = window->Bars().BuildPopup(menuId, window)) {
      window->Bars().UpdateActions(menu->actions());
      menu->exec(global);
      menu->deleteLater();
    }
  };
  auto* navigation = new CNavigationWnd(&impl.navigationDoc);
  navigation->showMenu = popup;
  auto* search = new CListWnd(&listDoc, &impl.navigationDoc);
  search->bringForward = [&impl] {
    impl.search->show();
    impl.search->raise();
  };
  CListReportWnd::Hooks hooks;
  hooks.statusText = [&impl](const std::string& text) {
    impl.pane103->setText(QString::fromStdString(text));
  };
  hooks.focusChanged = [this](bool focused) {
    SetReportListFocused(focused, QApplication::activePopupWidget() != nullptr);
  };
  hooks.postCommand = [this](int id) {
    Router().Execute(id);
    UpdateCommands();
  };
  hooks.listFilled = [window] { vt::PostMessage(window->Handle(), WM_VT_LISTFILLED, 0, 0); };
  hooks.rowMenu = [popup](int listKind, QPoint global) {
    static constexpr int kMenus[10] = {0, 334, 334, 334, 334, 335, 334, 338, 336, 337};
    if (listKind > 0 && listKind < 10) popup(kMenus[listKind], global);
  };
  search->Report()->SetHooks(std::move(hooks));
  impl.propertyWnd = new CCopiablePropertyWnd(&listDoc);
  window->FrameCommands().On(
      CCopiablePropertyWnd::kCommandCopy, [this] { CopyProperty(); }, [](vt::CmdUI& ui) { ui.Enable(true); });
  SetNavigationContent(navigation);
  SetSearchContent(search);
  SetPropertiesContent(impl.propertyWnd);
}

bool CMainFrame::Create(const std::string& title) {
  assert(!m_impl->window);
  vt::RegisterMainFrameArt();
  vt::SetProgramIcon();
  m_impl->window = std::make_unique<MainFrameWindow>(*m_impl);
  MainFrameWindow& window = *m_impl->window;
  window.setObjectName(QString::fromUtf8(kMainFrameWindowClass));
  window.setWindowTitle(QString::fromStdString(title));
  OnApplicationLook(m_impl->app.m_appLook);

  window.SetMenus(vt::kMenuMain, vt::kMenuGraphWindow);
  window.Bars().InstallAccelerators(vt::kAcceleratorsMain);
  window.menuBar()->setObjectName(QStringLiteral("menubar"));

  for (int id : {vt::kToolbarMain, vt::kToolbarSearch}) {
    auto* bar = new QToolBar(Text(id == vt::kToolbarMain ? IDS_TOOLBAR_MAIN : IDS_TOOLBAR_SEARCH), &window);
    bar->setObjectName(QStringLiteral("toolbar.%1").arg(id));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    window.Bars().FillToolBar(bar, id);
    window.addToolBar(Qt::TopToolBarArea, bar);
    (id == vt::kToolbarMain ? m_impl->mainToolbar : m_impl->searchToolbar) = bar;
  }
  if (!m_impl->CreateStatusBar()) return false;
  if (!m_impl->CreateDockingWindows()) return false;
  m_impl->AddFrameCommands();
  m_graphWindows = std::make_unique<GraphWindows>(window.MdiArea());
  AddGraphWindowCommands();
  CreateToolWindows();

  QSize size(1024, 700);
  if (QScreen* screen = QGuiApplication::primaryScreen()) size = size.boundedTo(screen->availableSize());
  window.resize(size);
  if (m_impl->app.m_profile) window.RestoreWorkspace(*m_impl->app.m_profile);
  CreatePanes();
  window.Bars().UpdateAll();
  m_impl->navigationDoc.RefreshAndAnnounce();
  return true;
}

void CMainFrame::PrepareArt() { vt::PrepareMainFrameArt(); }

vt::WindowHandle CMainFrame::GetSafeHwnd() const { return m_impl->Handle(); }

void CMainFrame::ShowWindow() { m_impl->window->show(); }

bool CMainFrame::IsWindowVisible() const { return m_impl->window && m_impl->window->isVisible(); }

QWidget* CMainFrame::Widget() const { return m_impl->window.get(); }

void CMainFrame::SetNavigationContent(QWidget* content) { m_impl->navigation->SetContent(content); }

void CMainFrame::SetSearchContent(QWidget* content) { m_impl->search->SetContent(content); }

void CMainFrame::SetPropertiesContent(QWidget* content) { m_impl->properties->SetContent(content); }

vt::CommandRouter& CMainFrame::Router() { return m_impl->window->Router(); }

vt::CommandMap& CMainFrame::Commands() { return m_impl->window->FrameCommands(); }

void CMainFrame::UpdateCommands() { m_impl->window->Bars().UpdateAll(); }

void CMainFrame::OnApplicationLook(int id) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_impl->app.m_appLook = id;
  if (m_impl->window) m_impl->window->update();
  if (m_impl->app.m_profile) m_impl->app.m_profile->WriteInt(kWorkspaceSection, kLookEntry, id);
  QApplication::restoreOverrideCursor();
}

void CMainFrame::SaveWorkspace() {
  if (m_impl->window && m_impl->app.m_profile) m_impl->window->SaveWorkspace(*m_impl->app.m_profile);
}

void CMainFrame::RegisterConversion(const void* document, std::function<void()> join,
                                    std::function<void()> cancel) {
  assert(document != nullptr && join);
  m_impl->conversions[document] = {std::move(join), std::move(cancel)};
}

void CMainFrame::StopConversions() {
  const auto conversions = std::move(m_impl->conversions);
  m_impl->conversions.clear();
  for (const auto& [document, c] : conversions)
    if (c.cancel) c.cancel();
  for (const auto& [document, c] : conversions) c.join();
}

bool CMainFrame::HasActiveGraphDocument() const { return m_impl->window && m_impl->HasActiveGraphDocument(); }

void CMainFrame::UnregisterConversion(const void* document) { m_impl->conversions.erase(document); }

bool CMainFrame::IsLimitMessageShown() const { return m_impl->limitMessageShown; }

void CMainFrame::SetReportListFocused(bool focused, bool byPopup) {
  if (!byPopup) m_impl->reportListFocused = focused;
}

bool CMainFrame::IsReportListFocused() const { return m_impl->reportListFocused; }
