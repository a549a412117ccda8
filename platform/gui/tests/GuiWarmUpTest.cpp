// The start-up warm-up: the user interface thread measuring text and reading an image while the
// second thread loads the same fonts and plugins gets what it gets without the warm-up, and the
// warm-up is joined however it ends.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include "platform/gui/GuiWarmUp.h"

namespace vt {
namespace {

struct Seen {
  int height = 0, width = 0, boldWidth = 0;
  QSize image;
  QByteArray format;
};

Seen Look(const QByteArray& png) {
  Seen seen;
  QFont font = QGuiApplication::font();
  seen.height = QFontMetrics(font).height();
  seen.width = QFontMetrics(font).horizontalAdvance(QStringLiteral("Search start"));
  font.setBold(true);
  seen.boldWidth = QFontMetrics(font).horizontalAdvance(QStringLiteral("All data"));
  QByteArray bytes = png;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  seen.format = reader.format();
  seen.image = reader.read().size();
  return seen;
}

TEST(GuiWarmUp, TextAndImagesReadDuringTheWarmUpAreTheSameAsAfterIt) {
  QImage image(7, 5, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  {
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&out, "PNG"));
  }
  Seen during;
  {
    GuiWarmUp warmUp;
    EXPECT_TRUE(warmUp.Started());
    during = Look(png);
    warmUp.Wait();
    warmUp.Wait();  // a second wait does nothing
  }
  const Seen after = Look(png);
  EXPECT_GT(during.height, 0);
  EXPECT_EQ(during.height, after.height);
  EXPECT_EQ(during.width, after.width);
  EXPECT_EQ(during.boldWidth, after.boldWidth);
  EXPECT_EQ(during.format, QByteArray("png"));
  EXPECT_EQ(during.image, QSize(7, 5));
  // Left without a wait, the thread is joined as the object goes.
  { GuiWarmUp unwaited; }
}

}  // namespace
}  // namespace vt
