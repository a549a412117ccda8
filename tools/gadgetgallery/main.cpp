// gadgetgallery: every widget with the built-in skin, one row per widget and one column per
// state, and below them the scrolling gadgets (plain, skinned and thin bars, an overflowing tab
// strip, a splitter), written to a PNG.
//
// Usage: gadgetgallery OUTPUT.png. Exit code 0 on success, 1 on a usage or write failure.
// A root without a host window draws into its back buffer only; the hot and pressed looks are
// drawn through the widgets' own look operations, as their input handlers draw them.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gadget/GButton.h"
#include "gadget/GColorButton.h"
#include "gadget/GComboBox.h"
#include "gadget/GDigitalVolume.h"
#include "gadget/GDraw.h"
#include "gadget/GGroupBox.h"
#include "gadget/GIconButton.h"
#include "gadget/GLabel.h"
#include "gadget/GPageController.h"
#include "gadget/GPools.h"
#include "gadget/GProgressBar.h"
#include "gadget/GRootMaster.h"
#include "gadget/GRowColumn.h"
#include "gadget/GScroll.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkButton.h"
#include "gadget/GSkRoot.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/GSkin.h"
#include "gadget/GSplitter.h"
#include "gadget/GText.h"
#include "gadget/GTextField.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"
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

// A skinned thumb's pressed look, when the track is of that kind.
template <typename T>
bool PressedThumb(CGBar* bar, vt::DeviceContext* dc) {
  auto* thumb = dynamic_cast<T*>(bar);
  if (!thumb) return false;
  thumb->ClipToVisibleRect(dc);
  thumb->DrawState(dc, GSTYLE_ACTIVE, 1);
  return true;
}

std::vector<std::pair<int, std::string>> g_names;

// A row name, drawn once the widgets are painted.
void Name(vt::DeviceContext* dc, const Gallery& g, int row, const char* text) {
  (void)dc, (void)g;
  g_names.emplace_back(row, text);
}

// The icon button's pictures: a magnifier with a plus, in ink (released) and in the accent
// colour (pressed and hover), with their common grey mask; drawn here like the skin's art.
enum : int { kZoomIcon = 9101, kZoomIconPressed = 9102, kZoomIconMask = 9103 };

void RegisterZoomIcons() {
  const int n = 16;
  auto ink = vt::Bitmap::Create(n, n, 24), accent = vt::Bitmap::Create(n, n, 24),
       mask = vt::Bitmap::Create(n, n, 24);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double dx = x + 0.5 - 6.5, dy = y + 0.5 - 6.5, d = std::sqrt(dx * dx + dy * dy);
      const bool ring = d >= 4.0 && d <= 5.6;
      const bool handle = x >= 10 && y >= 10 && std::abs(x - y) <= 1 && x <= 14;
      const bool plus =
          (std::abs(dx) < 0.6 && std::abs(dy) <= 2.5) || (std::abs(dy) < 0.6 && std::abs(dx) <= 2.5);
      const bool on = ring || handle || plus;
      ink->SetPixel(x, y, vt::Rgb(0x1E, 0x23, 0x2D));
      accent->SetPixel(x, y, vt::Rgb(0x2F, 0x6F, 0xC6));
      mask->SetPixel(x, y, on ? vt::Rgb(0, 0, 0) : vt::Rgb(0xFF, 0xFF, 0xFF));
    }
  vt::RegisterBitmap(kZoomIcon, std::move(ink));
  vt::RegisterBitmap(kZoomIconPressed, std::move(accent));
  vt::RegisterBitmap(kZoomIconMask, std::move(mask));
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
  RegisterZoomIcons();
  const SGSkinDescriptor skin = BuiltinSkinDescriptor();
  SetGadgetSkin(&skin);

  Gallery g{new GalleryRoot, 0, nullptr};
  g.captionFont = master->GetFont(13, 1, 0)->GetFont();
  const int rowCount = 23;
  const int scrollTop = kHeadH + rowCount * kRowH + 10, scrollH = 300;
  const int width = kNameW + kStateCount * kCellW + 10, height = scrollTop + scrollH + 34;
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
  // Picture buttons: flat until hovered, then the pressed picture; sunken when pressed.
  CGIconButton* icons[kStateCount] = {};
  for (int s : {kNormal, kHot, kPressed, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 28, 28);
    icons[s] = new CGIconButton(g.root, r.left, r.top, r.Width(), r.Height(), GSTYLE_ACTIVE, kZoomIcon,
                                kZoomIconPressed);
    icons[s]->m_maskBitmap = GetSharedBitmap(kZoomIconMask);
    if (s == kDisabled) icons[s]->SetStyle(GSTYLE_VISIBLE);
  }
  Name(dc, g, row++, "CGIconButton");
  CGFlatButton* flats[kStateCount] = {};
  for (int s : {kNormal, kPressed, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 100, 24);
    flats[s] = new CGFlatButton(g.root, r.left, r.top, r.Width(), r.Height(), 0, 13, "Name");
    if (s == kDisabled) flats[s]->SetStyle(GSTYLE_VISIBLE);
  }
  Name(dc, g, row++, "CGFlatButton");
  CGColorButton* colours[kStateCount] = {};
  for (int s : {kNormal, kHot, kPressed, kDisabled}) {
    const vt::Rect r = g.Cell(row, s, 90, 20);
    colours[s] = new CGColorButton(g.root, r.left, r.top, 0, s == kDisabled ? GSTYLE_VISIBLE : GSTYLE_ACTIVE,
                                   r.Width());
    colours[s]->SetForeColor(s == kDisabled ? vt::Rgb(0xA9, 0xB4, 0xC4) : vt::Rgb(0x2F, 0x6F, 0xC6));
  }
  Name(dc, g, row++, "CGColorButton");
  // Drop-down fields: the first item, none (the focused column), disabled.
  const uint32_t itemIds[] = {57345, 61475};
  for (int skinned = 1; skinned >= 0; --skinned) {
    for (int s : {kNormal, kDisabled}) {
      const vt::Rect r = g.Cell(row, s, 130, 22);
      CGComboBox* c = skinned ? new CGSkComboBox(g.root, r.left, r.top, r.Width(), r.Height(), 0,
                                                 GSTYLE_ACTIVE, 2, itemIds, nullptr)
                              : new CGComboBox(g.root, r.left, r.top, r.Width(), r.Height(), 0, GSTYLE_ACTIVE,
                                               2, itemIds, nullptr);
      if (s == kDisabled) c->SetStyle(GSTYLE_VISIBLE);
      if (!skinned) c->SetForeColor(vt::Rgb(0xFF, 0xFF, 0xFF));
    }
    Name(dc, g, row++, skinned ? "CGSkComboBox" : "CGComboBox");
  }
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

  // The scrolling gadgets, below the grid. Captions: (x, y, text), drawn after the paint.
  std::vector<std::pair<vt::Point, std::string>> captions;
  const int sx = kNameW, sy = scrollTop + 22;
  // A scroll manager with plain bars over content larger than its view.
  {
    auto* manager = new CGScrollManager(g.root, 10, sy, 0, GSTYLE_ACTIVE, 150, 130, 2, 16);
    auto* body = new CGScroll(manager, 0, GSTYLE_ACTIVE);
    (new CGVScrollBar(manager, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 16))->Build(1);
    (new CGHScrollBar(manager, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 16))->Build(2);
    for (int i = 0; i < 8; ++i)
      for (int j = 0; j < 3; ++j)
        new CGLabel(body, j * 100, i * 30, 98, 28, 0, 1,
                    (i + j) % 2 ? vt::Rgb(0xFF, 0xFF, 0xFF) : vt::Rgb(0xE2, 0xE6, 0xEC), 3,
                    vt::Rgb(0x1E, 0x23, 0x2D), 12, ("Cell " + std::to_string(i * 3 + j + 1)).c_str());
    body->m_contentWidth = 300;
    body->m_contentHeight = 240;
    body->m_scrollX = 40;
    body->m_scrollY = 45;
    captions.push_back({{10, sy + 136}, "CGScrollManager"});
    captions.push_back({{10, sy + 154}, "with plain bars"});
  }
  // Skinned and thin bars: normal, pressed (thumb and first button), disabled.
  CGScrollBar* pressedBars[4] = {};
  const char* const barStates[3] = {"normal", "pressed", "disabled"};
  for (int s = 0; s < 3; ++s) {
    const int x = sx + s * 70;
    auto* v = new CGSkVScrollBar(g.root, x, sy, 0, GSTYLE_ACTIVE, 16, 150, 1);
    v->Build(1);
    auto* tv = new CGSkVThinScrollBar(g.root, x + 24, sy, 0, GSTYLE_ACTIVE, 8, 150, 1);
    tv->Build(1);
    tv->m_thinStyle = 1;
    auto* h = new CGSkHScrollBar(g.root, sx + 220, sy + s * 50, 0, GSTYLE_ACTIVE, 200, 16, 1);
    h->Build(1);
    auto* th = new CGSkHThinScrollBar(g.root, sx + 220, sy + s * 50 + 24, 0, GSTYLE_ACTIVE, 200, 8, 1);
    th->Build(1);
    th->m_thinStyle = 1;
    for (CGScrollBar* b : {static_cast<CGScrollBar*>(v), static_cast<CGScrollBar*>(tv),
                           static_cast<CGScrollBar*>(h), static_cast<CGScrollBar*>(th)}) {
      b->m_maximum = 1000;
      b->m_page = 250;
      b->SetValue(300);
      if (s == 2) b->SetStyle(GSTYLE_VISIBLE);
    }
    if (s == 1) {
      pressedBars[0] = v;
      pressedBars[1] = tv;
      pressedBars[2] = h;
      pressedBars[3] = th;
    }
    captions.push_back({{x - 8, scrollTop}, barStates[s]});
    captions.push_back({{sx + 430, sy + s * 50 + 4}, barStates[s]});
  }
  captions.push_back({{sx, sy + 156}, "CGSkVScrollBar, thin"});
  captions.push_back({{sx + 220, scrollTop}, "CGSkHScrollBar, thin below"});
  // A tab strip that overflows: five pages in 280 pixels, the third current.
  auto* pages = new CGSkPageController(g.root, sx + 500, sy, 0, GSTYLE_ACTIVE, 280, 110, 120);
  pages->CreateTabScrollButtons(1);
  for (const char* t :
       {"Alarm list", "Mark list", "Statistics", "Channels", "A title too long for its tab"}) {
    auto* page = new CGSkTabPage(pages, GSTYLE_ACTIVE, 0, t);
    new CGLabel(page, 0, 0, 10, 10, 0, 0, 0, 1, vt::Rgb(0x1E, 0x23, 0x2D), 12, t);
  }
  pages->SetValue(2);
  captions.push_back({{sx + 500, scrollTop}, "CGSkPageController, overflowing"});
  // Splitters between two panes: normal, pressed, disabled.
  CGSkHSplitter* splitters[3] = {};
  for (int s = 0; s < 3; ++s) {
    auto* panel = new CGGroup(g.root, sx + 500 + s * 95, sy + 150, 0, GSTYLE_ACTIVE, 88, 80, 1, 1,
                              vt::Rgb(0xEC, 0xEE, 0xF1));
    new CGLabel(panel, 0, 0, 40, 80, 0, 1, vt::Rgb(0xFF, 0xFF, 0xFF), 3, vt::Rgb(0x1E, 0x23, 0x2D), 12, "L");
    splitters[s] = new CGSkHSplitter(panel, 40, 0, 0, s == 2 ? GSTYLE_VISIBLE : GSTYLE_ACTIVE, 8, 80);
    new CGLabel(panel, 48, 0, 40, 80, 0, 1, vt::Rgb(0xFF, 0xFF, 0xFF), 3, vt::Rgb(0x1E, 0x23, 0x2D), 12, "R");
    captions.push_back({{sx + 500 + s * 95, sy + 234}, barStates[s]});
  }
  captions.push_back({{sx + 500, sy + 128}, "CGSkHSplitter"});

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
  // Hover looks through the mouse-enter handlers (without a window they draw into the buffer).
  icons[kHot]->OnMouseEnter(0, 0);
  colours[kHot]->OnMouseEnter(0, 0);
  Look<CGButton>(icons[kPressed], &CGButton::DrawPressed, dc);
  Look<CGButton>(flats[kPressed], &CGButton::DrawPressed, dc);
  Look<CGButton>(colours[kPressed], &CGButton::DrawPressed, dc);
  for (CGScrollBar* b : pressedBars) {
    PressedThumb<CGSkVBar>(b->m_thumb, dc) || PressedThumb<CGSkHBar>(b->m_thumb, dc) ||
        PressedThumb<CGSkVThinBar>(b->m_thumb, dc) || PressedThumb<CGSkHThinBar>(b->m_thumb, dc);
    Look<CGButton>(b->m_firstButton, &CGButton::DrawPressed, dc);
  }
  splitters[1]->ClipToVisibleRect(dc);
  splitters[1]->DrawState(dc, GSTYLE_ACTIVE, 1);
  dc->SelectClipRect(nullptr);
  for (const auto& [at, text] : captions)
    DrawAlignedText(dc, vt::Rect{at.x, at.y, at.x + 300, at.y + 18}, kAlignLeft, vt::Rgb(0x30, 0x36, 0x40),
                    g.captionFont, text);
  DrawLine(dc, 1, vt::Rgb(0xD0, 0xD4, 0xDA), 0, scrollTop - 4, width, scrollTop - 4);
  for (int i = 0; i < kStateCount + 1; ++i)
    DrawLine(dc, 1, vt::Rgb(0xD0, 0xD4, 0xDA), kNameW + i * kCellW - (i == kStateCount ? 1 : 0), 0,
             kNameW + i * kCellW - (i == kStateCount ? 1 : 0), scrollTop - 4);

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
