// msgshot: shows the Msgdesk box for message 10003 (OK and Cancel) on the offscreen platform,
// saves a picture of it to the PNG path given on the command line, and closes it with Esc.
// It lets a person (or a CI artefact) look at a real box without a display.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>
#include <cstdio>

#include "msgdesk/Msgdesk.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/qt/MessageBoxDialog.h"
#include "platform/gui/qt/MessageBoxWatch.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: msgshot <picture.png>\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString path = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(QFileInfo(path).absolutePath());

  bool saved = false;
  vt::OnNextMessageBox([&](vt::MessageBoxDialog& box) {
    saved = box.grab().save(path, "PNG");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &escape);
  });
  // Give up rather than hang should the box not be found.
  QTimer::singleShot(10000, [] { QCoreApplication::exit(3); });

  int answer = DisplayMessage(0, 10003, vt::kMbOkCancel);
  if (!saved) {
    std::fprintf(stderr, "msgshot: could not save %s\n", argv[1]);
    return 1;
  }
  if (answer != vt::kIdCancel) {
    std::fprintf(stderr, "msgshot: the box answered %d to Esc, expected %d\n", answer, vt::kIdCancel);
    return 1;
  }
  std::printf("%s\n", argv[1]);
  return 0;
}
