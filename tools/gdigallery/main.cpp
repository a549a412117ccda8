// gdigallery: one sheet of the drawing primitives as the gadgets use them, written to a PNG.
//
// Usage: gdigallery OUTPUT.png. Each panel has a caption; red dots mark reference points.
// Exit code 0 on success, 1 on a usage or write failure.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/gui/Bitmap.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/Path.h"
#include "platform/gui/qt/Raster.h"

namespace {

using namespace vt;

constexpr int kPanelW = 300, kPanelH = 200, kColumns = 3, kRows = 4;
constexpr ColorRef kFace = Rgb(0xD4, 0xD0, 0xC8), kLight = Rgb(255, 255, 255),
                   kShadow = Rgb(0x80, 0x80, 0x80), kDark = Rgb(0x40, 0x40, 0x40), kRed = Rgb(220, 0, 0),
                   kBlack = Rgb(0, 0, 0);

struct Sheet {
  Sheet() : bitmap(Bitmap::Create(kPanelW * kColumns, kPanelH * kRows, 24)) {
    dc.SelectBitmap(bitmap.get());
    dc.FillSolidRect({0, 0, bitmap->Width(), bitmap->Height()}, kLight);
    caption = Font::Create(MakeLogFont("Arial", 14, 700));
    text = Font::Create(MakeLogFont("Arial", 14));
  }
  std::unique_ptr<Bitmap> bitmap;
  MemoryDc dc;
  std::unique_ptr<Font> caption, text;
};

void Dot(DeviceContext& dc, int x, int y) { dc.FillSolidRect({x - 1, y - 1, x + 2, y + 2}, kRed); }

// Lines up and right in c1, then down and left in c2, n deep: the bevel of a gadget frame.
void Bevel(DeviceContext& dc, Rect r, int n, ColorRef c1, ColorRef c2) {
  for (int i = 0; i < n; ++i) {
    dc.SelectPen(SolidPen(c1));
    dc.MoveTo(r.left + i, r.bottom - i - 1);
    dc.LineTo(r.left + i, r.top + i);
    dc.LineTo(r.right - i - 1, r.top + i);
    dc.SelectPen(SolidPen(c2));
    dc.LineTo(r.right - i - 1, r.bottom - i - 1);
    dc.LineTo(r.left + i, r.bottom - i - 1);
  }
}

// Starts a panel: frame, caption, and a clip to its inside. Returns its rectangle.
Rect Panel(Sheet& s, int column, int row, const char* title) {
  const Rect r{column * kPanelW, row * kPanelH, (column + 1) * kPanelW, (row + 1) * kPanelH};
  s.dc.SelectClipRect(nullptr);
  s.dc.SelectPen(SolidPen(kShadow));
  s.dc.SelectBrush(NullBrush());
  s.dc.Rectangle(InflateRect(r, -2, -2));
  s.dc.SelectFont(s.caption.get());
  s.dc.SetBkMode(BkMode::Transparent);
  s.dc.SetTextColor(kBlack);
  s.dc.SetTextAlign(kTaLeft | kTaTop);
  s.dc.TextOut(r.left + 8, r.top + 6, title);
  s.dc.SelectFont(s.text.get());
  const Rect inside = InflateRect(r, -3, -3);
  s.dc.SelectClipRect(&inside);
  return r;
}

void Bevels(Sheet& s) {
  const Rect p = Panel(s, 0, 0, "Bevels and frames");
  for (int n = 1; n <= 3; ++n) {
    const Rect raised{p.left + 15 + (n - 1) * 95, p.top + 35, p.left + 95 + (n - 1) * 95, p.top + 95};
    s.dc.FillSolidRect(raised, kFace);
    Bevel(s.dc, raised, n, kLight, kShadow);
    const Rect sunken = OffsetRect(raised, 0, 80);
    s.dc.FillSolidRect(sunken, kFace);
    Bevel(s.dc, sunken, n, kShadow, kLight);
  }
}

void Lines(Sheet& s) {
  const Rect p = Panel(s, 1, 0, "Lines and pens");
  const struct {
    Pen pen;
    const char* name;
  } pens[] = {{SolidPen(kBlack), "solid 1"},
              {Pen{PenStyle::Dot, 1, kBlack}, "dot"},
              {Pen{PenStyle::Dash, 1, kBlack}, "dash"},
              {Pen{PenStyle::DashDot, 1, kBlack}, "dash dot"},
              {SolidPen(Rgb(0, 0, 200), 3), "solid 3"},
              {SolidPen(Rgb(0, 140, 0), 5), "solid 5"}};
  s.dc.SetTextAlign(kTaLeft | kTaBaseline);
  int y = p.top + 40;
  for (const auto& entry : pens) {
    s.dc.SelectPen(entry.pen);
    s.dc.MoveTo(p.left + 15, y);
    s.dc.LineTo(p.left + 170, y);
    s.dc.TextOut(p.left + 185, y + 4, entry.name);
    y += 24;
  }
  s.dc.SelectPen(SolidPen(kRed));
  s.dc.MoveTo(p.left + 230, p.top + 40);
  s.dc.LineTo(p.left + 285, p.top + 180);
  const Point zigzag[] = {{p.left + 240, p.top + 180},
                          {p.left + 255, p.top + 150},
                          {p.left + 270, p.top + 180},
                          {p.left + 285, p.top + 150}};
  s.dc.Polyline(zigzag, 4);
}

void Alignments(Sheet& s) {
  const Rect p = Panel(s, 2, 0, "Text alignment");
  const struct {
    uint32_t align;
    const char* name;
  } rows[] = {{kTaTop, "top"}, {kTaBaseline, "baseline"}, {kTaBottom, "bottom"}};
  const struct {
    uint32_t align;
    int x;
  } columns[] = {{kTaLeft, 20}, {kTaCenter, 150}, {kTaRight, 280}};
  int y = p.top + 55;
  for (const auto& row : rows) {
    for (const auto& column : columns) {
      s.dc.SetTextAlign(row.align | column.align);
      s.dc.SetBkMode(BkMode::Opaque);
      s.dc.SetBkColor(Rgb(0xE0, 0xE8, 0xFF));
      s.dc.TextOut(p.left + column.x, y, row.name);
      Dot(s.dc, p.left + column.x, y);
    }
    y += 50;
  }
  s.dc.SetBkMode(BkMode::Transparent);
}

void RotatedText(Sheet& s) {
  const Rect p = Panel(s, 0, 1, "Rotated text");
  const struct {
    int escapement;
    uint32_t align;
    int x, y;
  } items[] = {{900, kTaLeft | kTaTop, 40, 180},
               {900, kTaCenter | kTaBottom, 110, 110},
               {2700, kTaLeft | kTaTop, 170, 40},
               {450, kTaLeft | kTaBaseline, 200, 180}};
  for (const auto& item : items) {
    auto font = Font::Create(MakeLogFont("Arial", 16, 400, false, false, item.escapement));
    s.dc.SelectFont(font.get());
    s.dc.SetTextAlign(item.align);
    s.dc.SetBkMode(BkMode::Opaque);
    s.dc.SetBkColor(Rgb(0xFF, 0xF0, 0xC0));
    s.dc.TextOut(p.left + item.x, p.top + item.y, "Axis " + std::to_string(item.escapement / 10));
    Dot(s.dc, p.left + item.x, p.top + item.y);
    s.dc.SelectFont(s.text.get());
  }
  s.dc.SetBkMode(BkMode::Transparent);
}

std::unique_ptr<Bitmap> SampleImage() {
  auto image = Bitmap::Create(48, 48, 24);
  MemoryDc dc;
  dc.SelectBitmap(image.get());
  dc.FillSolidRect({0, 0, 48, 48}, kBlack);
  dc.SelectPen(SolidPen(Rgb(255, 200, 0)));
  dc.SelectBrush(SolidBrush(Rgb(255, 200, 0)));
  const Point star[] = {{24, 4},  {30, 20}, {44, 20}, {33, 30}, {38, 44},
                        {24, 35}, {10, 44}, {15, 30}, {4, 20},  {18, 20}};
  dc.Polygon(star, 10);
  return image;
}

// The star's mask: white where the image has pixels.
std::unique_ptr<Bitmap> SampleMask(const Bitmap& image) {
  auto mask = Bitmap::Create(image.Width(), image.Height(), 1);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.GetPixel(x, y) != kBlack) mask->SetPixel(x, y, kLight);
  return mask;
}

void Stripes(DeviceContext& dc, const Rect& r) {
  for (int x = r.left; x < r.right; x += 8)
    dc.FillSolidRect({x, r.top, x + 4, r.bottom}, Rgb(0x60, 0x90, 0xD0));
}

void RasterOps(Sheet& s) {
  const Rect p = Panel(s, 1, 1, "Raster operations");
  auto image = SampleImage();
  const struct {
    RasterOp rop;
    const char* name;
  } ops[] = {{RasterOp::SrcCopy, "copy"},
             {RasterOp::SrcAnd, "and"},
             {RasterOp::SrcInvert, "invert"},
             {RasterOp::SrcPaint, "paint"}};
  s.dc.SetTextAlign(kTaCenter | kTaTop);
  int x = p.left + 15;
  for (const auto& op : ops) {
    const Rect box{x, p.top + 40, x + 60, p.top + 100};
    Stripes(s.dc, box);
    s.dc.BitBlt(x + 6, p.top + 46, 48, 48, *image, 0, 0, op.rop);
    s.dc.TextOut(x + 30, p.top + 105, op.name);
    x += 70;
  }
  // A one-bit picture mapped through text (0 bits) and background (1 bits) colours.
  auto mono = SampleMask(*image);
  s.dc.SetTextColor(Rgb(0, 100, 0));
  s.dc.SetBkColor(Rgb(0xC0, 0xFF, 0xC0));
  s.dc.BitBlt(p.left + 15, p.top + 130, 48, 48, *mono, 0, 0, RasterOp::SrcCopy);
  s.dc.SetTextColor(kBlack);
  s.dc.SetStretchBltMode(StretchMode::Halftone);
  s.dc.StretchBlt(p.left + 85, p.top + 125, 96, 60, *image, 0, 0, 48, 48, RasterOp::SrcCopy);
  s.dc.SetStretchBltMode(StretchMode::ColorOnColor);
  s.dc.StretchBlt(p.left + 190, p.top + 125, 96, 60, *image, 0, 0, 48, 48, RasterOp::SrcCopy);
}

void Masks(Sheet& s) {
  const Rect p = Panel(s, 2, 1, "Masked blits");
  auto image = SampleImage();
  auto mask = SampleMask(*image);
  for (int i = 0; i < 3; ++i) {
    const int x = p.left + 20 + i * 90, y = p.top + 50;
    if (i == 0) s.dc.FillSolidRect({x - 5, y - 5, x + 60, y + 60}, kFace);
    if (i == 1) Stripes(s.dc, {x - 5, y - 5, x + 60, y + 60});
    if (i == 2) {
      s.dc.SetTextColor(kBlack);
      s.dc.SetBkColor(kLight);
      s.dc.FillRect({x - 5, y - 5, x + 60, y + 60}, HalftoneBrush());
    }
    // White mask bits mark the image: AND with white text / black background, then XOR the image.
    s.dc.SetTextColor(0x02FFFFFF);
    s.dc.SetBkColor(0x02000000);
    s.dc.BitBlt(x, y, 48, 48, *mask, 0, 0, RasterOp::SrcAnd);
    s.dc.BitBlt(x, y, 48, 48, *image, 0, 0, RasterOp::SrcInvert);
  }
  s.dc.SetTextColor(kBlack);
  s.dc.SetBkColor(kLight);
}

void FocusRings(Sheet& s) {
  const Rect p = Panel(s, 0, 2, "Focus rings and halftone");
  s.dc.FillSolidRect({p.left + 15, p.top + 40, p.left + 135, p.top + 110}, kFace);
  s.dc.DrawFocusRect({p.left + 25, p.top + 50, p.left + 125, p.top + 100});
  Stripes(s.dc, {p.left + 150, p.top + 40, p.left + 285, p.top + 110});
  for (int i = 0; i < 3; ++i)  // a drag outline three pixels thick
    s.dc.DrawFocusRect({p.left + 160 + i, p.top + 50 + i, p.left + 275 - i, p.top + 100 - i});
  s.dc.SetTextColor(Rgb(255, 255, 255));
  s.dc.SetBkColor(Rgb(0, 0, 0));
  s.dc.FillRect({p.left + 15, p.top + 125, p.left + 285, p.top + 135}, HalftoneBrush());
  s.dc.FillRect({p.left + 15, p.top + 145, p.left + 135, p.top + 185}, HalftoneBrush());
  s.dc.FillRect({p.left + 137, p.top + 145, p.left + 285, p.top + 185}, HalftoneBrush());  // in phase
  s.dc.SetTextColor(kBlack);
  s.dc.SetBkColor(kLight);
}

void Shapes(Sheet& s) {
  const Rect p = Panel(s, 1, 2, "Shapes");
  s.dc.SelectPen(SolidPen(kBlack));
  s.dc.SelectBrush(SolidBrush(Rgb(0xFF, 0xE0, 0x80)));
  s.dc.Rectangle({p.left + 15, p.top + 40, p.left + 95, p.top + 100});
  s.dc.Ellipse({p.left + 110, p.top + 40, p.left + 190, p.top + 100});
  const Point arrow[] = {
      {p.left + 210, p.top + 100}, {p.left + 245, p.top + 40}, {p.left + 280, p.top + 100}};
  s.dc.Polygon(arrow, 3);
  s.dc.SelectPen(NullPen());
  s.dc.SelectBrush(SolidBrush(Rgb(0x80, 0xC0, 0x80)));
  s.dc.Rectangle({p.left + 15, p.top + 115, p.left + 95, p.top + 175});
  const Point tab[] = {{p.left + 110, p.top + 175}, {p.left + 110, p.top + 125}, {p.left + 120, p.top + 115},
                       {p.left + 180, p.top + 115}, {p.left + 190, p.top + 125}, {p.left + 190, p.top + 175}};
  s.dc.SelectPen(SolidPen(kDark));
  s.dc.Polygon(tab, 6);
  for (int i = 0; i < 12; ++i) s.dc.SetPixel(p.left + 215 + i * 5, p.top + 145, kBlack);
  s.dc.SelectPen(SolidPen(kBlack));
  s.dc.SelectBrush(SolidBrush(kLight));
}

void Gradients(Sheet& s) {
  const Rect p = Panel(s, 2, 2, "Gradients");
  s.dc.FillGradientRect({p.left + 15, p.top + 40, p.left + 135, p.top + 110}, MakeArgb(255, 0x20, 0x40, 0xA0),
                        MakeArgb(255, 0xC0, 0xD8, 0xFF));
  s.dc.FillGradientRect({p.left + 150, p.top + 40, p.left + 285, p.top + 110}, MakeArgb(255, 0xFF, 0x80, 0),
                        MakeArgb(255, 0xFF, 0xFF, 0x80), false);
  Stripes(s.dc, {p.left + 15, p.top + 120, p.left + 285, p.top + 185});
  s.dc.FillGradientRect({p.left + 25, p.top + 125, p.left + 275, p.top + 180}, MakeArgb(0, 255, 255, 255),
                        MakeArgb(230, 255, 255, 255));
}

void Translucency(Sheet& s) {
  const Rect p = Panel(s, 0, 3, "Translucent boxes");
  Stripes(s.dc, {p.left + 15, p.top + 35, p.left + 285, p.top + 185});
  const Argb fills[] = {MakeArgb(64, 255, 255, 255), MakeArgb(128, 255, 255, 255),
                        MakeArgb(192, 255, 255, 255), MakeArgb(128, 200, 0, 0)};
  for (int i = 0; i < 4; ++i)
    s.dc.FillTranslucentRect({p.left + 25 + i * 65, p.top + 50, p.left + 80 + i * 65, p.top + 170}, fills[i]);
}

void RoundedBoxes(Sheet& s) {
  const Rect p = Panel(s, 1, 3, "Rounded frames");
  Stripes(s.dc, {p.left + 15, p.top + 35, p.left + 285, p.top + 185});
  const float l = p.left + 30, t = p.top + 50, r = p.left + 270, b = p.top + 170, d = 24;
  Path box;
  box.AddArc(l, t, d, d, 180, 90);
  box.AddArc(r - d, t, d, d, 270, 90);
  box.AddArc(r - d, b - d, d, d, 0, 90);
  box.AddArc(l, b - d, d, d, 90, 90);
  box.CloseFigure();
  s.dc.FillPathGradient(box, Point{int(l), int(t)}, MakeArgb(220, 255, 255, 255), Point{int(l), int(b)},
                        MakeArgb(160, 200, 210, 230));
  s.dc.DrawPath(box, MakeArgb(255, 0x30, 0x30, 0x60), 2.0f);
  Path separator;
  separator.AddLine(l + 10, t + 40, r - 10, t + 40);
  s.dc.DrawPath(separator, MakeArgb(200, 0x30, 0x30, 0x60), 1.0f);
  s.dc.SetTextAlign(kTaCenter | kTaTop);
  s.dc.TextOut(p.left + 150, p.top + 65, "Drawing 42 %");
}

void Clipping(Sheet& s) {
  const Rect p = Panel(s, 2, 3, "Clip replacement");
  const Rect first{p.left + 20, p.top + 40, p.left + 150, p.top + 180};
  const Rect second{p.left + 120, p.top + 60, p.left + 280, p.top + 120};
  s.dc.SelectPen(SolidPen(kShadow));
  s.dc.SelectBrush(NullBrush());
  s.dc.Rectangle(InflateRect(first, 1, 1));
  s.dc.Rectangle(InflateRect(second, 1, 1));
  s.dc.SelectClipRect(&first);
  s.dc.SelectClipRect(&second);  // replaces the first one
  s.dc.FillSolidRect(p, Rgb(0x90, 0xE0, 0x90));
  s.dc.SelectClipRect(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gdigallery OUTPUT.png\n");
    return 1;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  Sheet sheet;
  Bevels(sheet);
  Lines(sheet);
  Alignments(sheet);
  RotatedText(sheet);
  RasterOps(sheet);
  Masks(sheet);
  FocusRings(sheet);
  Shapes(sheet);
  Gradients(sheet);
  Translucency(sheet);
  RoundedBoxes(sheet);
  Clipping(sheet);

  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(QFileInfo(out).absolutePath());
  if (!sheet.bitmap->Image().save(out, "PNG")) {
    std::fprintf(stderr, "gdigallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
