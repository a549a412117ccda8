// Actions, menus and toolbars over the command router (see CommandBars.h).
#include "platform/gui/qt/CommandBars.h"

#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QWidget>
#include <cassert>
#include <string>

#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/MenuResources.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/Raster.h"

namespace vt {

namespace {

// The colour of a toolbar strip that shows the bar's own background.
constexpr QRgb kStripTransparent = 0xFFFF00FF;

// A command's texts in the string table: the status-bar prompt, "\n", the tooltip.
void ApplyPrompt(QAction* action, int id) {
  const std::string text = LoadString(uint32_t(id));
  if (text.empty()) return;
  const std::size_t newline = text.find('\n');
  action->setStatusTip(QString::fromStdString(text.substr(0, newline)));
  if (newline != std::string::npos) action->setToolTip(QString::fromStdString(text.substr(newline + 1)));
}

QIcon StripPicture(const QImage& strip, int index) {
  const int side = kToolbarImageSize;
  if (strip.isNull() || (index + 1) * side > strip.width()) return {};
  QImage picture = strip.copy(index * side, 0, side, side).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixel(x, y) == kStripTransparent) picture.setPixel(x, y, 0);
  return QIcon(QPixmap::fromImage(picture));
}

}  // namespace

CommandBars::CommandBars(QWidget* window, const CommandRouter& router)
    : QObject(window), window_(window), router_(router) {
  tick_.setInterval(kToolbarTickMs);
  connect(&tick_, &QTimer::timeout, this,
          [this] { UpdateActions(QList<QAction*>(tickActions_.begin(), tickActions_.end())); });
  tick_.start();
}

CommandBars::~CommandBars() = default;

QAction* CommandBars::FindAction(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QAction* CommandBars::Action(int id) {
  if (QAction* existing = FindAction(id)) return existing;
  auto* action = new QAction(window_);
  action->setObjectName(QStringLiteral("cmd.%1").arg(id));
  action->setEnabled(false);
  ApplyPrompt(action, id);
  connect(action, &QAction::triggered, this, [this, id] { OnTriggered(id); });
  window_->addAction(action);  // its shortcut works wherever the window has the focus
  actions_[id] = action;
  return action;
}

void CommandBars::OnTriggered(int id) {
  router_.Execute(id);
  UpdateAll();
}

void CommandBars::Fill(QMenu* menu, int menuId, std::size_t& index, int level) {
  const auto items = LoadMenu(menuId);
  while (index < items.size() && items[index].level == level) {
    const MenuItem& item = items[index++];
    const QString text = QString::fromUtf8(item.text);
    switch (item.kind) {
      case MenuItem::kSeparator:
        menu->addSeparator();
        break;
      case MenuItem::kPopup: {
        QMenu* sub = menu->addMenu(text);
        connect(sub, &QMenu::aboutToShow, this, [this, sub] { UpdateActions(sub->actions()); });
        Fill(sub, menuId, index, level + 1);
        break;
      }
      case MenuItem::kCommand: {
        QAction* action = Action(item.id);
        if (action->text().isEmpty()) {
          action->setText(text);
          if (action->toolTip().isEmpty() || action->toolTip() == text) {
            QString tip = text.section(QLatin1Char('\t'), 0, 0);
            action->setToolTip(tip.remove(QLatin1Char('&')));
          }
        }
        menu->addAction(action);
        break;
      }
    }
  }
  assert(index >= items.size() || items[index].level < level);  // a level is never skipped
}

const std::vector<QMenu*>& CommandBars::Menus(int menuId) {
  auto it = menus_.find(menuId);
  if (it != menus_.end()) return it->second;
  std::vector<QMenu*>& menus = menus_[menuId];
  const auto items = LoadMenu(menuId);
  std::size_t index = 0;
  while (index < items.size()) {
    const MenuItem& top = items[index++];
    assert(top.level == 0 && top.kind == MenuItem::kPopup);
    auto* menu = new QMenu(QString::fromUtf8(top.text), window_);
    menu->setObjectName(QStringLiteral("menu.%1.%2").arg(menuId).arg(menus.size()));
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
    Fill(menu, menuId, index, 1);
    menus.push_back(menu);
  }
  return menus;
}

void CommandBars::ShowMenus(QMenuBar* bar, int menuId) {
  const std::vector<QMenu*>& menus = Menus(menuId);
  bar->clear();
  for (QMenu* menu : menus) bar->addMenu(menu);
  bar->setProperty("menuResource", menuId);
}

QMenu* CommandBars::BuildPopup(int menuId, QWidget* parent) {
  if (LoadMenu(menuId).empty()) return nullptr;
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("popup.%1").arg(menuId));
  std::size_t index = 0;
  Fill(menu, menuId, index, 0);
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
  return menu;
}

void CommandBars::FillToolBar(QToolBar* bar, int toolbarId) {
  QImage strip;
  if (std::unique_ptr<Bitmap> bitmap = LoadBitmap(toolbarId)) strip = bitmap->Image();
  bar->setIconSize(QSize(kToolbarImageSize, kToolbarImageSize));
  for (const ToolbarButton& button : LoadToolbar(toolbarId)) {
    if (button.id == 0) {
      bar->addSeparator();
      continue;
    }
    QAction* action = Action(button.id);
    if (action->icon().isNull()) action->setIcon(StripPicture(strip, button.image));
    bar->addAction(action);
    tickActions_.push_back(action);
  }
}

void CommandBars::InstallAccelerators(int acceleratorsId) {
  for (const Accelerator& accelerator : LoadAccelerators(acceleratorsId)) {
    QAction* action = Action(accelerator.id);
    action->setShortcut(QKeySequence(QString::fromUtf8(accelerator.keys)));
    action->setShortcutContext(Qt::WindowShortcut);
    tickActions_.push_back(action);  // a key must find its command's state current too
  }
}

void CommandBars::UpdateActions(const QList<QAction*>& actions) {
  for (QAction* action : actions) {
    if (action->menu() || action->isSeparator()) continue;
    const QString name = action->objectName();
    if (!name.startsWith(QLatin1String("cmd."))) continue;
    const CmdUI ui = router_.Update(name.mid(4).toInt());
    action->setCheckable(ui.Checked() || action->isCheckable());
    action->setChecked(ui.Checked());
    action->setEnabled(ui.Enabled());
  }
}

void CommandBars::UpdateAll() {
  QList<QAction*> all;
  for (const auto& [id, action] : actions_) all.append(action);
  UpdateActions(all);
}

}  // namespace vt
