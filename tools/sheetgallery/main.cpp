// sheetgallery: a sheet of every column kind, once plain and once skinned, each with a
// selection, a focus line and an open editor, and below them a small sheet for every kind of
// line header (labels, channels with strip or square marks, check lamps, check icons), plain
// and skinned, written to a PNG.
//
// Usage: sheetgallery OUTPUT.png. Exit code 0 on success, 1 on a usage or write failure.
// A root without a host window draws into its back buffer only, so the open editor is drawn
// here as the in-place text editor looks: a white field with the cell text and a caret.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkRoot.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetDigitals.h"
#include "gadget/sheet/GSheetGroup.h"
#include "gadget/sheet/GSheetLine.h"
#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetColumns.h"
#include "gadget/sheet/GSkSheetDigitals.h"
#include "gadget/sheet/GSkSheetLine.h"
#include "gadget/sheet/SheetSkinArt.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/qt/Raster.h"

namespace {

constexpr int kSheetW = 1240, kSheetH = 250, kLines = 10, kMargin = 10, kCaptionH = 24;
// The small sheets of the line headers: four a row.
constexpr int kSmallW = 302, kSmallH = 128, kSmallLines = 6;

class GalleryRoot : public CGSkRoot {
 public:
  GalleryRoot() : CGSkRoot(nullptr, nullptr, 0) {}
  using CGRoot::AllocateBackDC;
};

struct Built {
  CGSheet* sheet;
  CGSheetArray* editColumn;  // the column whose focus line shows the open editor
};

// Builds one sheet of every column kind at (x, y); the skinned twins when skinned is set.
Built BuildSheet(CGCore* parent, int x, int y, bool skinned) {
  CGSheet* sheet = skinned ? new CGSkSheet(parent, x, y, kSheetW, kSheetH, 0, 3, 1, 16, kLines, 18)
                           : new CGSheet(parent, x, y, kSheetW, kSheetH, 0, 3, 1, 16, kLines, 18);
  auto* vbar = new CGVScrollBar(sheet, 0, 0, 0, 3, 16, 16, 18);
  vbar->Build(1);
  auto* hbar = new CGHScrollBar(sheet, 0, 0, 0, 3, 16, 16, 16);
  hbar->Build(1);
  CGSheetScreen* body = skinned ? new CGSkSheetScreen(sheet, 0, 3) : new CGSheetScreen(sheet, 0, 3);
  if (skinned)
    new CGSkSColumn(sheet, 0, 3, 40);
  else
    new CGSColumn(sheet, 0, 3, 40);
  CGSLine* line = skinned ? new CGSkSLine(sheet, 0, 3, 1, 44, 1, 12, "No.", 2, 1, "%d")
                          : new CGSLine(sheet, 0, 3, 1, 44, 1, 12, "No.", 2, 1, "%d");
  line->SetTitleStyle(1);
  line->SetLineState(7, 1);

  // Numbers: fixed, exponent and status texts.
  CGSDigitals* digits = skinned ? new CGSkSDigitals(body, 0, 90, 0) : new CGSDigitals(body, 0, 90, 0);
  digits->SetText("Value");
  digits->SetTitleStyle(1);
  for (int i = 0; i < kLines; ++i) {
    digits->SetLineValue(i, 12.3456 * (i + 1) * (i % 3 == 2 ? 1000 : 1));
    digits->SetLineDecimals(i, i % 4);
    digits->SetLineExponent(i, i % 3 == 2);
  }
  digits->m_statuses[6] = 6;
  digits->m_statuses[8] = 12;
  CGSAlarmDigitals* alarms = skinned ? new CGSkSAlarmDigitals(body, 0, 0) : new CGSAlarmDigitals(body, 0, 0);
  alarms->SetText("Alarm");
  for (int i = 0; i < kLines; ++i) {
    alarms->SetLineValue(i, 1.5 * i - 4.5);
    alarms->SetLineDecimals(i, 1);
    alarms->SetLineAlarmMask(i, i % 2 ? 0x0F : 0x05);
    alarms->SetLineAlarms(i, i % 3 ? 0x01 : 0x04);
  }
  alarms->m_statuses[4] = 3;

  // A group of two numeric sub-columns under one caption.
  auto* group = new CGSGroup(body, 0);
  group->SetText("Range");
  CGSDigitals* low = skinned ? new CGSkSDigitals(group, 0, 70, 0) : new CGSDigitals(group, 0, 70, 0);
  CGSDigitals* high = skinned ? new CGSkSDigitals(group, 0, 70, 0) : new CGSDigitals(group, 0, 70, 0);
  low->SetText("Low");
  high->SetText("High");
  for (int i = 0; i < kLines; ++i) {
    low->SetLineValue(i, -10.0 * i - 5);
    high->SetLineValue(i, 10.0 * i);
  }

  // Editable columns: real and integer numbers and a drop-down.
  CGSValues* values = skinned ? new CGSkSValues(body, 0, 0, -1e6, 1e6) : new CGSValues(body, 0, 0, -1e6, 1e6);
  values->SetText("Edit");
  CGSIntValues* ints = skinned ? new CGSkSIntValues(body, 0, 0) : new CGSIntValues(body, 0, 0);
  ints->SetText("Int");
  CGSComboBoxs* combo = skinned ? new CGSkSComboBoxs(body, 0, 0, 80, 3, nullptr, nullptr)
                                : new CGSComboBoxs(body, 0, 0, 80, 3, nullptr, nullptr);
  combo->SetText("Mode");
  combo->m_items = {"Auto", "Manual", "Off"};
  for (int i = 0; i < kLines; ++i) {
    values->SetLineValue(i, 0.25 * i);
    ints->SetLineIntValue(i, 10 * i);
    combo->SetLineSelection(i, i == 3 ? -1 : i);
  }
  // Labels, cyclic labels and colours.
  CGSLabels* labels = skinned ? new CGSkSLabels(body, 0, 0, 70, 1) : new CGSLabels(body, 0, 0, 70, 1);
  labels->SetText("Tag");
  const uint32_t cyclicIds[2] = {3000, 3129};
  CGSCyclicLabels* cyclic = skinned ? new CGSkSCyclicLabels(body, 0, 0, 70, cyclicIds)
                                    : new CGSCyclicLabels(body, 0, 0, 70, cyclicIds);
  cyclic->SetText("Cycle");
  auto* colours = new CGSColors(body, 44);
  const vt::ColorRef palette[] = {0x000000FF, 0x0000C000, 0x00FF0000, 0x0000C0C0, 0x00C000C0};
  for (int i = 0; i < kLines; ++i) {
    labels->SetLineText(i, "TAG" + std::to_string(100 + i));
    cyclic->SetLineIntValue(i, i % 2);
    colours->SetLineIntValue(i, static_cast<int>(palette[i % 5]));
  }
  // Buttons: toggles, a labelled toggle, icons, push buttons and the check-icon/value group.
  const int on[] = {1, 0, 1, 1, 0, 0, 1, 0, 1, 0};
  CGSToggleButtons* toggles = new CGSToggleButtons(body, 0, 0, 36, 12, 0, on, kLines);
  toggles->SetText("On");
  CGSTogLabelButtons* togLabels = skinned ? new CGSkSTogLabelButtons(body, 0, 0, 80, 0, on)
                                          : new CGSTogLabelButtons(body, 0, 0, 80, 0, on);
  togLabels->SetText("Trend");
  CGSTogIconButtons* togIcons =
      skinned ? new CGSkSTogIconButtons(body, 30, 12, 0, 4, 13, 13, 0, 0)
              : new CGSTogIconButtons(body, 30, 12, 0, 4, 13, 13, kSheetToggleIcon, kSheetToggleIconMask);
  CGSPushButtons* push =
      skinned ? new CGSkSPushButtons(body, 0, 0, 60, 3) : new CGSPushButtons(body, 0, 0, 60, 3);
  push->SetText("Act");
  for (int i = 0; i < kLines; ++i) {
    togLabels->SetLineText(i, "Show");
    togIcons->SetLineIntValue(i, on[i]);
    push->SetLineText(i, "Reset");
  }
  CGSCheckIconValues* checkValues;
  if (skinned) {
    checkValues = new CGSkSCheckIconValues(body, 0, 0);
  } else {
    checkValues = new CGSCheckIconValues(body, 0, 0, 90, 12, 0);
    checkValues->m_iconImageId = kSheetGroupCheckIcons;
    checkValues->m_iconMaskId = kSheetGroupCheckIconsMask;
  }
  checkValues->SetText("Trip");
  checkValues->BuildColumns();
  for (int i = 0; i < kLines; ++i) {
    checkValues->SetLineIntValue(i, i % 3 == 0);
    checkValues->SetLineValue(i, 50.0 + i);
    checkValues->SetLineDecimals(i, 1);
  }
  togLabels->SetStyle(GSTYLE_ACTIVE);
  push->SetStyle(GSTYLE_ACTIVE);

  sheet->SetSelection(2, 4);
  sheet->m_focusLine = 5;
  sheet->LayoutTree();
  return Built{sheet, values};
}

// A small sheet at (x, y) whose line header make() builds, with a column header and one
// numeric column, lines 1..2 selected.
template <typename Make>
CGSheet* BuildHeaderSheet(CGCore* parent, int x, int y, bool skinned, Make make) {
  CGSheet* sheet = skinned ? new CGSkSheet(parent, x, y, kSmallW, kSmallH, 0, 3, 1, 16, kSmallLines, 18)
                           : new CGSheet(parent, x, y, kSmallW, kSmallH, 0, 3, 1, 16, kSmallLines, 18);
  auto* vbar = new CGVScrollBar(sheet, 0, 0, 0, 3, 16, 16, 18);
  vbar->Build(1);
  CGSheetScreen* body = skinned ? new CGSkSheetScreen(sheet, 0, 3) : new CGSheetScreen(sheet, 0, 3);
  if (skinned)
    new CGSkSColumn(sheet, 0, 3, 24);
  else
    new CGSColumn(sheet, 0, 3, 24);
  make(sheet);
  CGSDigitals* digits = skinned ? new CGSkSDigitals(body, 0, 90, 0) : new CGSDigitals(body, 0, 90, 0);
  digits->SetText("Value");
  for (int i = 0; i < kSmallLines; ++i) {
    digits->SetLineValue(i, 3.25 * (i + 1));
    digits->SetLineDecimals(i, 2);
  }
  sheet->SetSelection(1, 2);
  sheet->LayoutTree();
  return sheet;
}

const char* const kTags[kSmallLines] = {"FIC-101", "TI-204", "PRESSURE-A", "LEVEL TANK 3", "F9", "TE-17"};
const vt::ColorRef kMarks[kSmallLines] = {0x020000FF, 0x0200A000, 0x02FF0000,
                                          0x0200C0C0, 0x02C000C0, 0x02FFFFFF};

// The label text of each line header kind, drawn above its sheet.
struct HeaderSheet {
  CGSheet* sheet;
  const char* label;
};

// Every line header kind but the numbered one (shown above): plain ones in the first row,
// skinned ones in the second.
std::vector<HeaderSheet> BuildHeaderSheets(CGCore* parent, int top) {
  std::vector<HeaderSheet> out;
  auto at = [&](int k) { return kMargin + k * (kSmallW + kMargin); };
  const int row2 = top + kSmallH + kCaptionH;
  auto labels = [](CGSLabelLine* h) {
    for (int i = 0; i < kSmallLines; ++i) h->SetLineText(i, kTags[i]);
  };
  auto channels = [&](CGSChannelLine* h, int style) {
    labels(h);
    h->m_labelStyle = style;
    for (int i = 0; i < kSmallLines; ++i) h->SetLineColor(i, kMarks[i]);
  };
  auto checks = [](CGSCheckLine* h) {
    for (int i = 0; i < kSmallLines; ++i) h->SetLineIntValue(i, i % 3 == 0);
  };
  out.push_back(
      {BuildHeaderSheet(parent, at(0), top, false, [&](CGCore* s) { labels(new CGSLabelLine(s, 12)); }),
       "CGSLabelLine"});
  out.push_back({BuildHeaderSheet(parent, at(1), top, false,
                                  [&](CGCore* s) { channels(new CGSChannelLine(s, 12), 0); }),
                 "CGSChannelLine, strip"});
  out.push_back(
      {BuildHeaderSheet(parent, at(2), top, false, [&](CGCore* s) { checks(new CGSCheckLine(s, 80)); }),
       "CGSCheckLine"});
  out.push_back({BuildHeaderSheet(parent, at(3), top, false,
                                  [&](CGCore* s) {
                                    auto* h = new CGSCheckIconLine(s, 80);
                                    checks(h);
                                    h->m_iconImage = GetSharedBitmap(kSheetCheckIcons);
                                    h->m_iconCellWidth = h->m_iconCellHeight = 13;
                                  }),
                 "CGSCheckIconLine"});
  out.push_back({BuildHeaderSheet(parent, at(0), row2, true,
                                  [&](CGCore* s) { channels(new CGSkSChannelLine(s, 12), 0); }),
                 "CGSkSChannelLine, strip"});
  out.push_back({BuildHeaderSheet(parent, at(1), row2, true,
                                  [&](CGCore* s) { channels(new CGSkSChannelLine(s, 12), 1); }),
                 "CGSkSChannelLine, square"});
  out.push_back(
      {BuildHeaderSheet(parent, at(2), row2, true, [&](CGCore* s) { checks(new CGSkSCheckIconLine(s, 80)); }),
       "CGSkSCheckIconLine"});
  out.push_back({BuildHeaderSheet(parent, at(3), row2, true,
                                  [&](CGCore* s) {
                                    auto* h = new CGSkSCheckIconLine(s, 80);
                                    checks(h);
                                    h->SetStyle(GSTYLE_VISIBLE);
                                  }),
                 "CGSkSCheckIconLine, disabled"});
  return out;
}

// The in-place editor's look over the focus cell of a column.
void DrawOpenEditor(vt::DeviceContext* dc, CGSheetArray* column) {
  const int line = column->FocusLine();
  vt::Rect r;
  column->GetLineRect(line, &r);
  std::string text;
  column->GetLineValueText(line, &text);
  FillFramedRect(dc, r, 1, 0x02FFFFFF, 0x02000000, 0x02000000, 0x02000000, 0x02000000);
  const vt::Size extent = [&] {
    const vt::Font* old = dc->SelectFont(column->CellFont());
    const vt::Size s = dc->GetTextExtent(text);
    dc->SelectFont(old);
    return s;
  }();
  const vt::Rect sel{r.left + 3, r.top + 3, r.left + 3 + extent.cx, r.bottom - 3};
  dc->FillSolidRect(sel, 0x02C66F2F);
  DrawTextInRect(r, kAlignLeft, 1, 0, 0x02FFFFFF, column->CellFont(), text, 2, dc);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sheetgallery OUTPUT.png\n");
    return 1;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  auto* master = new CGRootMaster;
  master->CreateManagers();
  RegisterSheetSkinArt();
  SetSheetSkin(BuiltinSheetSkin());

  auto* root = new GalleryRoot;
  const int headersTop = 2 * (kSheetH + kCaptionH) + 3 * kMargin + kCaptionH;
  const int width = kSheetW + 2 * kMargin, height = headersTop + 2 * kSmallH + kCaptionH + kMargin;
  root->AllocateBackDC(width, height);
  root->SetBounds(0, 0, width, height);
  vt::DeviceContext* dc = root->GetBackDCPtr();
  const Built plain = BuildSheet(root, kMargin, kMargin + kCaptionH, false);
  const Built skinned = BuildSheet(root, kMargin, 2 * kMargin + 2 * kCaptionH + kSheetH, true);
  const std::vector<HeaderSheet> headers = BuildHeaderSheets(root, headersTop);
  dc->FillSolidRect(vt::Rect{0, 0, width, height}, 0x02F4F4F4);
  plain.sheet->Redraw();
  skinned.sheet->Redraw();
  for (const HeaderSheet& h : headers) h.sheet->Redraw();
  const vt::Font* caption = master->GetFont(13, 1, 0)->GetFont();
  const vt::Font* small = master->GetFont(12, 0, 0)->GetFont();
  dc->SelectClipRect(nullptr);
  for (const HeaderSheet& h : headers)
    DrawTextAt(small, dc, h.sheet->Rect().left, h.sheet->Rect().top - 16, vt::kTaLeft | vt::kTaTop,
               0x02000000, h.label);
  DrawTextAt(caption, dc, kMargin, kMargin + 4, vt::kTaLeft | vt::kTaTop, 0x02000000, "Plain sheet");
  DrawTextAt(caption, dc, kMargin, 2 * kMargin + kCaptionH + kSheetH + 4, vt::kTaLeft | vt::kTaTop,
             0x02000000, "Skinned sheet");
  for (const Built& b : {plain, skinned}) {
    dc->SelectClipRect(nullptr);
    DrawOpenEditor(dc, b.editColumn);
  }
  dc->SelectClipRect(nullptr);

  vt::Bitmap out(*vt::Bitmap::Create(width, height, 24));
  vt::MemoryDc outDc;
  outDc.SelectBitmap(&out);
  outDc.BitBlt(0, 0, width, height, *dc, 0, 0, vt::RasterOp::SrcCopy);
  outDc.SelectBitmap(nullptr);
  ResetSheetSkin();
  delete root;
  delete master;

  const QString path = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!out.Image().save(path, "PNG")) {
    std::fprintf(stderr, "sheetgallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
