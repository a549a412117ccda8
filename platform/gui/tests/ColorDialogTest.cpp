// The real colour dialog behind QtDesktop::ChooseColor, driven on the offscreen platform: the
// preset colour, OK and Cancel, the owner, and an owner that closes while the dialog is up.
#include <gtest/gtest.h>
#include <QApplication>
#include <QColorDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "platform/base/WindowHandles.h"
#include "platform/gui/qt/QtDesktop.h"

namespace {

// Runs act on the next colour dialog once it is up (from inside its own event loop).
void OnNextColorDialog(std::function<void(QColorDialog&)> act) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    act(*dialog);
  });
  poll->start();
}

TEST(ColorDialog, OkGivesTheChosenColourAsPlainRgbAndCancelGivesNothing) {
  vt::QtDesktop desktop;
  QColor preset;
  OnNextColorDialog([&](QColorDialog& d) {
    preset = d.currentColor();
    d.setCurrentColor(QColor(10, 20, 30));
    d.accept();
  });
  // The palette flag of the initial colour names the same colour.
  EXPECT_EQ(desktop.ChooseColor(0, vt::PaletteRgb(0x12, 0x34, 0x56)), vt::Rgb(10, 20, 30));
  EXPECT_EQ(preset, QColor(0x12, 0x34, 0x56));

  OnNextColorDialog([](QColorDialog& d) {
    d.setCurrentColor(QColor(1, 2, 3));
    d.reject();
  });
  EXPECT_EQ(desktop.ChooseColor(0, vt::Rgb(9, 9, 9)), std::nullopt);
}

TEST(ColorDialog, IsOwnedByTheWindowOfTheHandleAndGoesWithIt) {
  vt::QtDesktop desktop;
  QWidget frame;
  auto* child = new QWidget(&frame);
  frame.show();
  const vt::WindowHandle handle = vt::RegisterWindow(nullptr, child);
  QWidget* parentSeen = nullptr;
  OnNextColorDialog([&](QColorDialog& d) {
    parentSeen = d.parentWidget();
    d.accept();
  });
  EXPECT_EQ(desktop.ChooseColor(handle, vt::Rgb(0, 128, 0)), vt::Rgb(0, 128, 0));
  EXPECT_EQ(parentSeen, &frame);
  vt::UnregisterWindow(handle);

  // The owner closes while the dialog is up: a cancel, and nothing is left behind.
  auto* owner = new QWidget;
  owner->show();
  const vt::WindowHandle gone = vt::RegisterWindow(nullptr, owner);
  OnNextColorDialog([owner](QColorDialog&) { delete owner; });
  EXPECT_EQ(desktop.ChooseColor(gone, vt::Rgb(1, 1, 1)), std::nullopt);
  vt::UnregisterWindow(gone);
}

}  // namespace
