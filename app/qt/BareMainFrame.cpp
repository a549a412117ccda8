// The plain main window over QMainWindow (see BareMainFrame.h).
#include "app/BareMainFrame.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <utility>

#include "app/AppMessages.h"

namespace {

class BareWindow : public QMainWindow {
 public:
  explicit BareWindow(std::function<void()> onClose) : onClose_(std::move(onClose)) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The loop ends; the application object takes the window down in its exit processing.
    event->ignore();
    if (onClose_) onClose_();
  }

 private:
  std::function<void()> onClose_;
};

}  // namespace

struct CBareMainFrame::Impl {
  std::unique_ptr<BareWindow> window;
  vt::WindowHandle handle = 0;
};

CBareMainFrame::CBareMainFrame(const std::string& title, std::function<void()> onClose)
    : m_impl(std::make_unique<Impl>()) {
  m_impl->window = std::make_unique<BareWindow>(std::move(onClose));
  m_impl->window->setObjectName(QString::fromUtf8(kMainFrameWindowClass));
  m_impl->window->setWindowTitle(QString::fromStdString(title));
  auto* label = new QLabel(QString::fromStdString(title));
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setPointSize(font.pointSize() * 3);
  label->setFont(font);
  m_impl->window->setCentralWidget(label);
  QSize size(1024, 700);
  if (QScreen* screen = QGuiApplication::primaryScreen()) size = size.boundedTo(screen->availableSize());
  m_impl->window->resize(size);
  m_impl->handle = vt::RegisterWindow([](uint32_t, vt::WParam, vt::LParam) -> vt::LResult { return 0; },
                                      m_impl->window.get());
}

CBareMainFrame::~CBareMainFrame() {
  vt::UnregisterWindow(m_impl->handle);
  m_impl->window.reset();
}

vt::WindowHandle CBareMainFrame::GetSafeHwnd() const { return m_impl->handle; }

void CBareMainFrame::ShowWindow() { m_impl->window->show(); }

bool CBareMainFrame::IsWindowVisible() const { return m_impl->window->isVisible(); }
