// The main window's pictures (see MainFrameArt.h). Each is drawn smoothly on a transparent
// 16x16 square, then made opaque: a pixel more than half covered keeps its colour, the others
// become the strip's transparent colour (magenta), which the toolbars leave out.
#include "app/qt/MainFrameArt.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/MenuResources.h"
#include "platform/gui/qt/Raster.h"

namespace vt {

namespace {

constexpr int kSide = kToolbarImageSize;
constexpr QRgb kTransparent = 0xFFFF00FF;

using Drawing = std::function<void(QPainter&)>;

const QColor kFolder(232, 190, 60);
const QColor kFolderEdge(150, 110, 20);
const QColor kGreen(40, 150, 40);
const QColor kRed(200, 30, 30);
const QColor kBlue(30, 80, 200);
const QColor kInk(50, 50, 50);

void Folder(QPainter& p) {
  p.setPen(kFolderEdge);
  p.setBrush(kFolder);
  QPainterPath path;
  path.moveTo(1.5, 4.5);
  path.lineTo(6.5, 4.5);
  path.lineTo(7.5, 5.5);
  path.lineTo(14.5, 5.5);
  path.lineTo(14.5, 13.5);
  path.lineTo(1.5, 13.5);
  path.closeSubpath();
  p.drawPath(path);
}

void Page(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3.5, 1.5, 9, 13));
  p.setPen(QColor(140, 140, 140));
  for (int y = 5; y <= 11; y += 2) p.drawLine(QPointF(5.5, y + 0.5), QPointF(10.5, y + 0.5));
}

void ArrowDown(QPainter& p, QColor color, qreal x, qreal y) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({QPointF(x - 4, y), QPointF(x + 4, y), QPointF(x, y + 5)}));
  p.drawRect(QRectF(x - 1.5, y - 4, 3, 4));
}

void Graph(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.5, 2.5, 13, 11));
  p.setPen(QPen(kBlue, 1.4));
  p.drawPolyline(QPolygonF({QPointF(3, 11), QPointF(6, 7), QPointF(8, 9), QPointF(11, 4), QPointF(13, 6)}));
}

void Letter(QPainter& p, const QRectF& box, const QString& text, QColor color) {
  QFont font = p.font();
  font.setPixelSize(8);
  font.setBold(true);
  p.setFont(font);
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

// A search button: a filled arrow to the left or right in the colour of what it looks for,
// with the cursor's letter beside it.
Drawing SearchButton(QColor color, bool right, const QString& cursor) {
  return [=](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    if (right) {
      p.drawPolygon(QPolygonF({QPointF(7, 2), QPointF(15, 8), QPointF(7, 14)}));
      Letter(p, QRectF(0, 3, 8, 10), cursor, kInk);
    } else {
      p.drawPolygon(QPolygonF({QPointF(9, 2), QPointF(1, 8), QPointF(9, 14)}));
      Letter(p, QRectF(8, 3, 8, 10), cursor, kInk);
    }
  };
}

QImage Picture(const Drawing& draw, QRgb transparent) {
  QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
  }
  QImage opaque(kSide, kSide, QImage::Format_RGB32);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const QColor c = QColor::fromRgba(image.pixel(x, y));
      opaque.setPixel(x, y, c.alpha() > 127 ? (c.rgb() | 0xFF000000) : transparent);
    }
  }
  return opaque;
}

QImage Strip(const std::vector<Drawing>& drawings, QRgb transparent = kTransparent) {
  QImage strip(kSide * int(drawings.size()), kSide, QImage::Format_RGB32);
  QPainter p(&strip);
  for (std::size_t i = 0; i < drawings.size(); ++i)
    p.drawImage(int(i) * kSide, 0, Picture(drawings[i], transparent));
  p.end();
  return strip;
}

std::vector<Drawing> MainToolbarPictures() {
  return {
      // 0 File > Open: an open folder
      [](QPainter& p) {
        Folder(p);
        p.setBrush(QColor(250, 220, 110));
        p.drawPolygon(
            QPolygonF({QPointF(3.5, 8.5), QPointF(15.5, 8.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
      },
      // 1 Manual import > Folder: a folder taking a green arrow
      [](QPainter& p) {
        Folder(p);
        ArrowDown(p, kGreen, 11, 4);
      },
      // 2 Manual import > File: a page taking a green arrow
      [](QPainter& p) {
        Page(p);
        ArrowDown(p, kGreen, 11, 5);
      },
      // 3 Automatic import > Execute immediately: two green arrows running round
      [](QPainter& p) {
        p.setPen(QPen(kGreen, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 150 * 16);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 210 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygonF({QPointF(0.5, 7), QPointF(5.5, 7), QPointF(3, 10.5)}));
        p.drawPolygon(QPolygonF({QPointF(10.5, 9), QPointF(15.5, 9), QPointF(13, 5.5)}));
      },
      // 4 View > Display: a trend
      [](QPainter& p) { Graph(p); },
      // 5 View > Display entire file: a trend under a span bracket
      [](QPainter& p) {
        Graph(p);
        p.setPen(QPen(kRed, 1.2));
        p.drawLine(QPointF(2, 1), QPointF(14, 1));
        p.drawLine(QPointF(2, 0), QPointF(2, 2.5));
        p.drawLine(QPointF(14, 0), QPointF(14, 2.5));
      },
      // 6 View > Additional display in the active window: a trend with a plus
      [](QPainter& p) {
        Graph(p);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawRect(QRectF(9, 8, 6, 2));
        p.drawRect(QRectF(11, 6, 2, 6));
      },
      // 7 Edit > Delete: a red cross
      [](QPainter& p) {
        p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
      },
      // 8 File > Print: a printer
      [](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(kGreen);
        p.drawPoint(QPointF(12.5, 8.5));
      },
      // 9 Help > User's Manual: a question mark in a blue disc
      [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
      },
  };
}

std::vector<Drawing> SearchToolbarPictures() {
  const QString a = QStringLiteral("A");
  const QString b = QStringLiteral("B");
  return {SearchButton(kRed, false, a),  SearchButton(kRed, true, a),   SearchButton(kRed, false, b),
          SearchButton(kRed, true, b),   SearchButton(kBlue, false, a), SearchButton(kBlue, true, a),
          SearchButton(kBlue, false, b), SearchButton(kBlue, true, b)};
}

// The navigation tree's nodes: all data, an instrument, the six lists, the deleted data and
// the saved search conditions. Their mask colour is pure red, so no picture uses it.
std::vector<Drawing> NavigationPictures() {
  const auto list = [](QColor mark) {
    return [mark](QPainter& p) {
      Page(p);
      p.setPen(Qt::NoPen);
      p.setBrush(mark);
      p.drawRect(QRectF(5, 2.5, 6, 2));
    };
  };
  return {
      // 0 all data: a stack of discs
      [](QPainter& p) {
        p.setPen(QColor(60, 90, 140));
        p.setBrush(QColor(120, 160, 220));
        for (int i = 2; i >= 0; --i) p.drawEllipse(QRectF(2.5, 2.5 + 4 * i, 11, 5));
      },
      // 1 an instrument: a recorder with its screen
      [](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 4.5, 9, 6));
        p.setPen(QPen(kGreen, 1.2));
        p.drawPolyline(QPolygonF({QPointF(4, 9), QPointF(7, 6), QPointF(9, 8), QPointF(12, 5)}));
      },
      list(kBlue),                    // 2 tags
      list(QColor(230, 120, 0)),      // 3 alarms
      list(kGreen),                   // 4 display groups
      list(QColor(140, 60, 170)),     // 5 messages
      list(QColor(120, 120, 120)),    // 6 files
      [](QPainter& p) { Graph(p); },  // 7 continuous data
      // 8 deleted data: a waste bin
      [](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(QColor(170, 170, 170));
        p.drawPolygon(
            QPolygonF({QPointF(3.5, 4.5), QPointF(12.5, 4.5), QPointF(11.5, 14.5), QPointF(4.5, 14.5)}));
        p.drawRect(QRectF(2.5, 2.5, 11, 2));
      },
      // 9 search conditions: a magnifying glass
      [](QPainter& p) {
        p.setPen(QPen(kInk, 1.6));
        p.setBrush(QColor(220, 240, 255));
        p.drawEllipse(QRectF(2.5, 2.5, 8, 8));
        p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 10), QPointF(14, 14));
      },
  };
}

using Strips = std::vector<std::pair<int, QImage>>;

Strips DrawStrips() {
  Strips strips;
  strips.emplace_back(kToolbarMain, Strip(MainToolbarPictures()));
  strips.emplace_back(kToolbarSearch, Strip(SearchToolbarPictures()));
  strips.emplace_back(kBitmapNavigation, Strip(NavigationPictures(), kNavigationMask));
  // The panes: a small tree, a magnifier, a list of properties.
  strips.emplace_back(kIconNavigationPane, Strip({[](QPainter& p) {
                        p.setPen(kInk);
                        p.drawLine(QPointF(3.5, 3), QPointF(3.5, 12.5));
                        p.drawLine(QPointF(3.5, 7.5), QPointF(7, 7.5));
                        p.drawLine(QPointF(3.5, 12.5), QPointF(7, 12.5));
                        p.setBrush(kFolder);
                        p.drawRect(QRectF(1.5, 0.5, 5, 3));
                        p.drawRect(QRectF(7.5, 5.5, 6, 4));
                        p.drawRect(QRectF(7.5, 10.5, 6, 4));
                      }}));
  strips.emplace_back(kIconSearchPane, Strip({[](QPainter& p) {
                        p.setPen(QPen(kInk, 1.6));
                        p.setBrush(QColor(210, 230, 250));
                        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
                        p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
                        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
                      }}));
  strips.emplace_back(kIconPropertiesPane, Strip({[](QPainter& p) {
                        p.setPen(kInk);
                        p.setBrush(Qt::white);
                        p.drawRect(QRectF(1.5, 1.5, 13, 13));
                        for (int y = 4; y <= 12; y += 4) {
                          p.drawLine(QPointF(3.5, y + 0.5), QPointF(6.5, y + 0.5));
                          p.drawLine(QPointF(8.5, y + 0.5), QPointF(12.5, y + 0.5));
                        }
                      }}));
  return strips;
}

// Strips drawn ahead on another thread, taken by the next registration. The lock is held while
// they are drawn, so a registration that comes early waits for them instead of drawing twice.
std::mutex preparedLock;
Strips prepared;

}  // namespace

void PrepareMainFrameArt() {
  std::lock_guard<std::mutex> lock(preparedLock);
  if (!prepared.empty()) return;
  prepared = DrawStrips();
}

void RegisterMainFrameArt() {
  Strips strips;
  {
    std::lock_guard<std::mutex> lock(preparedLock);
    strips = std::exchange(prepared, {});
  }
  if (strips.empty()) strips = DrawStrips();
  for (const auto& [id, strip] : strips) RegisterBitmap(id, Bitmap::FromImage(Raster(strip), 24));
}

void SetProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(QPen(QColor(58, 58, 58), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 8, 56, 48), 4, 4);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    for (int y : {20, 32, 44}) p.drawLine(QPointF(10, y), QPointF(54, y));
    const QPointF red[] = {{10, 40}, {18, 30}, {26, 36}, {34, 18}, {42, 26}, {50, 22}, {54, 28}};
    const QPointF blue[] = {{10, 48}, {18, 44}, {26, 46}, {34, 38}, {42, 42}, {50, 36}, {54, 40}};
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(208, 48, 48), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(red, 7);
    p.setPen(QPen(QColor(32, 80, 192), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(blue, 7);
    p.end();
    icon.addPixmap(QPixmap::fromImage(image));
  }
  QApplication::setWindowIcon(icon);
}

}  // namespace vt
