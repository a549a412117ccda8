// gadgetgallery: every widget with the built-in skin, one row per widget and one column per
// state, written to a PNG.
//
// Usage: gadgetgallery OUTPUT.png. Exit code 0 on success, 1 on a usage or write failure.
// A root without a host window draws into its back buffer only; the hot and pressed looks are
// drawn through the widgets' own look operations, as their input handlers draw them.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gadget/GButton.h"
#include "gadget/GDigitalVolume.h"
#include "gadget/GDraw.h"
#include "gadget/GGroupBox.h"
#include "gadget/GLabel.h"
#include "gadget/GPools.h"
#include "gadget/GProgressBar.h"
#include "gadget/GRootMaster.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkButton.h"
#include "gadget/GSkRoot.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "gadget/GTextField.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/qt/Raster.h"

namespace {

constexpr int kNameW = 170, kCellW = 150, kRowH = 52, kHeadH = 30;
const char* const kStates[] = {"normal", "hot", "pressed", "disabled", "focused", "checked"};
constexpr int kStateCount = 6;
enum { kNormal, kHot, kPressed, kDisabled, kFocused, kChecked };

class GalleryRoot : public CGSkRoot {
 public:
  GalleryRoot() : CGSkRoot(nullptr, nullptr, 0) {}
  using CGRoot::AllocateBackDC;
};

struct Gallery {
  GalleryRoot* root;
  int rows = 0;
  const vt::Font* captionFont;
  vt::Rect Cell(int row, int state, int w, int h) const {
    const int x = kNameW + state * kCellW + (kCellW - w) / 2, y = kHeadH + row * kRowH + (kRowH - h) / 2;
    return vt::Rect{x, y, x + w, y + h};
  }
};

// The widget's own look operation drawn over what Paint left, clipped to its rectangle.
template <typename W>
void Look(W* w, void (W::*look)(vt::DeviceContext*), vt::DeviceContext* dc) {
  w->ClipToVisibleRect(dc);
  (w->*look)(dc);
}

std::vector<std::pair<int, std::string>> g_names;

// A row name, drawn once the widgets are painted.
void Name(vt::DeviceContext* dc, const Gallery& g, int row, const char* text) {
  (void)dc, (void)g;
  g_names.emplace_back(row, text);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gadgetgallery OUTPUT.png\n");
    return 1;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  auto* master = new CGRootMaster;
  master->CreateManagers();
  RegisterSkinArt();
  const SGSkinDescriptor skin = BuiltinSkinDescriptor();
  SetGadgetSkin(&skin);

  Gallery g{new GalleryRoot, 0, nullptr};
  g.captionFont = master->GetFont(13, 1, 0)->GetFont();
  const int rowCount = 18;
  const int width = kNameW + kStateCount * kCellW + 10, height = kHeadH + rowCount * kRowH + 10;
  g.root->AllocateBackDC(width, height);
  vt::DeviceContext* dc = g.root->GetBackDCPtr();

  // Rows of widgets; each creates its instances per state, then the looks are drawn below.
  int row = 0;
  CGSkPushButton* push[kStateCount] = {};
  for (int s : {kNormal, kHot, kPressed, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 100, 26);
    push[s] = new CGSkPushButton(g.root, r.left, r.top, r.Width(), r.Height(), 0, 13, "OK");
    if (s == kDisabled) push[s]->SetStyle(GSTYLE_VISIBLE);
  }
  const int pushRow = row++;
  CGPushButton* plain[kStateCount] = {};
  for (int s : {kNormal, kPressed, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 100, 26);
    plain[s] = new CGPushButton(g.root, r.left, r.top, r.Width(), r.Height(), 0, 13, "Cancel");
    if (s == kDisabled) plain[s]->SetStyle(GSTYLE_VISIBLE);
  }
  const int plainRow = row++;
  CGSkTogIconButton* tog[kStateCount] = {};
  for (int s : {kNormal, kPressed, kDisabled, kChecked}) {
    const vt::Rect r = vt::OffsetRect(g.Cell(row, s, 130, 20), 0, s == kChecked ? -12 : 0);
    tog[s] = new CGSkTogIconButton(g.root, r.left, r.top, r.Width(), r.Height(), 0, GSTYLE_ACTIVE, 0,
                                   "Show grid", 0, 0, 0, 0);
    if (s == kDisabled) tog[s]->SetStyle(GSTYLE_VISIBLE);
    if (s == kChecked) tog[s]->SetValue(1);
  }
  // A second disabled toggle, checked, beside the focused column.
  {
    const vt::Rect r = vt::OffsetRect(g.Cell(row, kChecked, 130, 20), 0, 12);
    auto* t = new CGSkTogIconButton(g.root, r.left, r.top, r.Width(), r.Height(), 0, GSTYLE_VISIBLE, 0,
                                    "Checked, off", 0, 0, 0, 0);
    t->SetValue(1);
  }
  const int togRow = row++;
  // Radio buttons: one radio box per state.
  for (int s : {kNormal, kDisabled, kChecked}) {
    const vt::Rect r = vt::OffsetRect(g.Cell(row, s, 130, 20), 0, s == kChecked ? -12 : 0);
    auto* box = new CGSkRadioBox(g.root, r.left, r.top, 0, s == kDisabled ? GSTYLE_VISIBLE : GSTYLE_ACTIVE,
                                 r.Width(), r.Height(), kRowColumnTopDown);
    new CGSkRadioIconButton(box, 0, 0, r.Width(), 0, "Use DST", 0, 0, 0, 0);
    box->SetValue(s == kChecked ? 0 : -1);
  }
  {
    const vt::Rect r = vt::OffsetRect(g.Cell(row, kChecked, 130, 20), 0, 12);
    auto* box =
        new CGSkRadioBox(g.root, r.left, r.top, 0, GSTYLE_VISIBLE, r.Width(), r.Height(), kRowColumnTopDown);
    new CGSkRadioIconButton(box, 0, 0, r.Width(), 0, "Selected, off", 0, 0, 0, 0);
    box->SetValue(0);
  }
  row++;
  // Labels.
  {
    vt::Rect r = g.Cell(row, kNormal, 140, 22);
    new CGLabel(g.root, r.left, r.top, r.Width(), r.Height(), 0, 0, 0, 1, vt::Rgb(0x1E, 0x23, 0x2D), 13,
                "Left label");
    r = g.Cell(row, kDisabled, 140, 22);
    auto* d = new CGLabel(g.root, r.left, r.top, r.Width(), r.Height(), 0, 1, vt::Rgb(0xDD, 0xE1, 0xE7), 3, 0,
                          13, "Disabled, opaque");
    d->SetStyle(GSTYLE_VISIBLE);
    r = g.Cell(row, kHot, 140, 22);
    new CGLabel(g.root, r.left, r.top, r.Width(), r.Height(), 0, 1, vt::Rgb(0xFF, 0xFF, 0xFF), 2,
                vt::Rgb(0x2F, 0x6F, 0xC6), 13, "Right, opaque");
    r = g.Cell(row, kPressed, 140, 30);
    auto* fit = new CGLabel(g.root, r.left, r.top, r.Width(), r.Height(), 0, 0, 0, 3, 0, 0, "Fitted");
    fit->SetBold(1);
  }
  Name(dc, g, row++, "CGLabel");
  {
    vt::Rect r = g.Cell(row, kNormal, 120, 22);
    auto* span = new CGSpanLabel(g.root);
    span->SetBounds(r.left, r.top, r.Width(), r.Height());
    const int64_t seconds = 3725;
    span->SetSpan(0.25, &seconds);
    r = g.Cell(row, kDisabled, 120, 22);
    auto* neg = new CGSpanLabel(g.root);
    neg->SetBounds(r.left, r.top, r.Width(), r.Height());
    const int64_t minus = -61;
    neg->SetSpan(0.5, &minus);
    neg->SetStyle(GSTYLE_VISIBLE);
    auto* v = new CGVLabel(g.root);
    r = g.Cell(row, kHot, 24, 46);
    v->SetBounds(r.left, r.top, r.Width(), r.Height());
    v->SetText("Volts");
  }
  Name(dc, g, row++, "CGSpanLabel, CGVLabel");
  for (int s : {kNormal, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 120, 24);
    auto* b = new CGSkButtonLabel(g.root, r.left, r.top, r.Width(), r.Height(), 0, 0, 0, 3, 0, 13, "CH 01");
    if (s == kDisabled) b->SetStyle(GSTYLE_VISIBLE);
  }
  Name(dc, g, row++, "CGSkButtonLabel");
  // Fields.
  for (int s : {kNormal, kDisabled, kFocused}) {
    const vt::Rect r = g.Cell(row, s, 130, 22);
    auto* t = new CGSkText(g.root, r.left, r.top, r.Width(), r.Height(), 0, 0, 0, 20);
    t->SetEditText(s == kFocused ? "secret" : "Recorder 1");
    if (s == kDisabled) t->SetStyle(GSTYLE_VISIBLE);
    if (s == kFocused) t->SetStyle(GSTYLE_ACTIVE | GSTYLE_MASKED);
  }
  Name(dc, g, row++, "CGSkText (masked)");
  for (int s : {kNormal, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 90, 22);
    auto* v =
        new CGSkIntValue(g.root, r.left, r.top, r.Width(), r.Height(), 0, GSTYLE_ACTIVE, 0, 0, 1, 1000, 7, 3);
    v->SetAlignment(2);
    if (s == kDisabled) v->SetStyle(GSTYLE_VISIBLE);
  }
  Name(dc, g, row++, "CGSkIntValue");
  for (int s : {kNormal, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 130, 22);
    auto* t = new CGText(g.root, r.left, r.top, r.Width(), r.Height(), 0, 0x02000000, 0x02FFFFFF, 0);
    t->SetEditText("Plain field");
    if (s == kDisabled) t->SetStyle(GSTYLE_VISIBLE);
  }
  Name(dc, g, row++, "CGText");
  // Progress bars: empty, half, full.
  const double values[3] = {0, 50, 100};
  for (int i = 0; i < 3; ++i) {
    const vt::Rect r = g.Cell(row, i, 140, 20);
    auto* p = new CGSkProgressBar(g.root, 0, 100, values[i]);
    p->SetBounds(r.left, r.top, r.Width(), r.Height());
  }
  Name(dc, g, row++, "CGSkProgressBar 0/50/100");
  // Digital volumes.
  CGSkDigitalVolume64* volumes[kStateCount] = {};
  for (int s : {kNormal, kPressed, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 140, 24);
    auto* v = new CGSkDigitalVolume64(g.root, r.left, r.top, r.Height(), 0,
                                      s == kDisabled ? GSTYLE_VISIBLE : GSTYLE_ACTIVE);
    v->SetBounds(r.left, r.top, r.Width(), r.Height());
    v->SetRange(INT64_MIN, INT64_MAX);
    v->SetValue(s == kPressed ? int64_t(-4096) : int64_t(42));
    volumes[s] = v;
  }
  const int volumeRow = row++;
  CGDigitalVolume64* plainVolumes[kStateCount] = {};
  for (int s : {kNormal, kPressed, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 120, 24);
    auto* v = new CGDigitalVolume64(g.root, r.left, r.top, r.Height(), 0,
                                    s == kDisabled ? GSTYLE_VISIBLE : GSTYLE_ACTIVE);
    v->SetBounds(r.left, r.top, r.Width(), r.Height());
    v->SetValue(int64_t(99));
    plainVolumes[s] = v;
  }
  const int plainVolumeRow = row++;
  // Group boxes, two rows high.
  {
    vt::Rect r = g.Cell(row, kNormal, 140, 2 * kRowH - 8);
    r.bottom += kRowH / 2;
    auto* box = new CGGroupBox(g.root, "Range");
    box->SetBounds(r.left, r.top + kRowH / 2, r.Width(), r.Height());
    new CGLabel(box, 0, 0, 10, 10, 0, 0, 0, 1, 0, 12, "Content");
    r = g.Cell(row, kDisabled, 140, 2 * kRowH - 8);
    auto* off = new CGGroupBox(g.root, "Disabled");
    off->SetBounds(r.left, r.top + kRowH / 2, r.Width(), r.Height());
    off->SetStyle(GSTYLE_VISIBLE);
    new CGLabel(off, 0, 0, 10, 10, 0, 0, 0, 1, 0, 12, "Content");
    // A radio box of two radio group boxes: the first selected.
    r = g.Cell(row, kChecked, 146, 2 * kRowH - 4);
    auto* radios = new CGSkRadioBox(g.root, r.left - 150, r.top + kRowH / 2, 0, GSTYLE_ACTIVE, 296,
                                    r.Height(), kRowColumnLeftToRight);
    radios->flags = kRowColumnEqualSizes;
    radios->spacing = 6;
    for (const char* title : {"Set DST.", "Other"}) {
      auto* choice = new CGSkRadioGroupBox(radios, title);
      new CGSkText(choice, 0, 0, 10, 10, 0, 0, 0, 0);
      choice->GetFirstChild();
      static_cast<CGPrimitive*>(choice->GetFirstChild())->SetEditText("03-29 02:00");
    }
    radios->SetValue(0);
  }
  Name(dc, g, row, "CGGroupBox,");
  Name(dc, g, row + 1, "CGSkRadioGroupBox");
  row += 3;
  // A skinned row-column of three labels in a stretched row.
  {
    const vt::Rect r = g.Cell(row, kNormal, 440, 30);
    auto* rc = new CGSkRowColumn(g.root, kNameW + 5, r.top, 0, GSTYLE_ACTIVE, r.Width(), r.Height());
    rc->mode = kRowColumnLeftToRight;
    rc->spacing = 4;
    rc->leftMargin = rc->rightMargin = rc->topMargin = rc->bottomMargin = 3;
    rc->SetFrameStyle(1);
    for (const char* t : {"One", "Two", "Stretched last"})
      new CGSkButtonLabel(rc, 0, 0, 90, 10, 0, 0, 0, 3, 0, 12, t);
  }
  Name(dc, g, row++, "CGSkRowColumn");

  g.root->LayoutTree();
  g.root->Paint(dc);
  // Column heads and row names (the paint above covered the whole root).
  dc->SelectClipRect(nullptr);
  for (int s = 0; s < kStateCount; ++s)
    DrawAlignedText(dc, vt::Rect{kNameW + s * kCellW, 0, kNameW + (s + 1) * kCellW, kHeadH}, kAlignCenter,
                    vt::Rgb(0x30, 0x36, 0x40), g.captionFont, kStates[s]);
  const char* names[] = {"CGSkPushButton", "CGPushButton", "CGSkTogIconButton", "CGSkRadioIconButton"};
  for (int i = 0; i < 4; ++i) Name(dc, g, i, names[i]);
  Name(dc, g, volumeRow, "CGSkDigitalVolume64");
  Name(dc, g, plainVolumeRow, "CGDigitalVolume64");
  for (const auto& [r, text] : g_names)
    DrawAlignedText(dc, vt::Rect{8, kHeadH + r * kRowH, kNameW - 4, kHeadH + (r + 1) * kRowH}, kAlignLeft,
                    vt::Rgb(0x30, 0x36, 0x40), g.captionFont, text);
  // The fields have no focus look of their own: the root's in-place editor covers a focused field.
  DrawAlignedText(dc, vt::Rect{8, height - 24, width, height - 4}, kAlignLeft, vt::Rgb(0x60, 0x66, 0x70),
                  g.captionFont,
                  "focused: the in-place editor covers a focused field; masked text shown there");
  (void)pushRow, (void)plainRow, (void)togRow;
  // States drawn by their looks, as the input handlers draw them.
  Look<CGButton>(push[kHot], &CGButton::DrawAltNormal, dc);
  Look<CGButton>(push[kPressed], &CGButton::DrawPressed, dc);
  Look<CGButton>(plain[kPressed], &CGButton::DrawPressed, dc);
  Look<CGButton>(tog[kPressed], &CGButton::DrawPressed, dc);
  Look<CGButton>(volumes[kPressed]->UpButton(), &CGButton::DrawPressed, dc);
  Look<CGButton>(plainVolumes[kPressed]->DownButton(), &CGButton::DrawPressed, dc);
  for (int i = 0; i < kStateCount + 1; ++i)
    DrawLine(dc, 1, vt::Rgb(0xD0, 0xD4, 0xDA), kNameW + i * kCellW - (i == kStateCount ? 1 : 0), 0,
             kNameW + i * kCellW - (i == kStateCount ? 1 : 0), height);

  vt::Bitmap out(*vt::Bitmap::Create(width, height, 24));
  vt::MemoryDc outDc;
  outDc.SelectBitmap(&out);
  outDc.BitBlt(0, 0, width, height, *dc, 0, 0, vt::RasterOp::SrcCopy);
  outDc.SelectBitmap(nullptr);
  delete master;

  const QString path = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!out.Image().save(path, "PNG")) {
    std::fprintf(stderr, "gadgetgallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
