// Test support over Qt (see GuiTestSupport.h).
#include "platform/gui/testing/GuiTestSupport.h"

#include <QApplication>
#include <QMouseEvent>

#include "platform/gui/qt/HostWidget.h"

namespace vt {

struct GuiTestApplication::Impl {
  Impl(int& argc, char** argv) : app(argc, argv) {}
  QApplication app;
};

static int& PrepareArgs(int& argc) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return argc;
}

GuiTestApplication::GuiTestApplication(int& argc, char** argv)
    : impl_(std::make_unique<Impl>(PrepareArgs(argc), argv)) {}

GuiTestApplication::~GuiTestApplication() = default;

std::unique_ptr<HostWindow> CreateShownHostWindow(int32_t width, int32_t height) {
  auto host = std::make_unique<HostWidget>();
  host->resize(width, height);
  host->show();
  QCoreApplication::processEvents();
  return host;
}

void SendLeftClick(HostWindow& host, Point client) {
  auto* widget = dynamic_cast<HostWidget*>(&host);
  if (!widget) return;
  const QPointF local(client.x, client.y);
  const QPointF global = widget->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

void ProcessGuiEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

ColorRef HostFrontPixel(const HostWindow& host, Point client) {
  const auto* widget = dynamic_cast<const HostWidget*>(&host);
  if (!widget) return kNoColor;
  const QImage& image = widget->FrontImage();
  if (!image.rect().contains(client.x, client.y)) return kNoColor;
  return FromPixel(image.pixel(client.x, client.y));
}

}  // namespace vt
