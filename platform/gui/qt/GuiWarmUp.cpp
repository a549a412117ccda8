// What the first window needs, loaded on a second thread (see GuiWarmUp.h).
#include "platform/gui/GuiWarmUp.h"

#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <thread>
#include <utility>

namespace vt {

namespace {

void LoadFonts() {
  // The families make the database read the whole list; the metrics load the faces of the
  // application's font, plain and bold (toolbar pictures and tree captions).
  (void)QFontDatabase::families();
  QFont font = QGuiApplication::font();
  (void)QFontMetrics(font).height();
  font.setBold(true);
  (void)QFontMetrics(font).height();
}

void LoadImagePlugins() {
  // Reading the format of data without a name asks every plugin whether it knows the content,
  // which loads them all, as the first icon read from a file does.
  QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  (void)reader.format();
}

}  // namespace

struct GuiWarmUp::Thread {
  std::thread thread;
};

GuiWarmUp::GuiWarmUp(std::function<void()> alsoAhead) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  thread_ = std::make_unique<Thread>();
  thread_->thread = std::thread([alsoAhead = std::move(alsoAhead)] {
    LoadFonts();
    if (alsoAhead) alsoAhead();
    LoadImagePlugins();
  });
}

GuiWarmUp::~GuiWarmUp() { Wait(); }

void GuiWarmUp::Wait() {
  if (thread_ && thread_->thread.joinable()) thread_->thread.join();
}

}  // namespace vt
