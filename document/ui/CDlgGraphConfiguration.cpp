// The general display settings dialog and its root (see CDlgGraphConfiguration.h).
#include "document/ui/CDlgGraphConfiguration.h"

#include "document/ui/CDlgSelectGroup.h"

#include <algorithm>
#include <cstring>

#include "gadget/GGroup.h"
#include "gadget/GPageController.h"
#include "gadget/GRowColumn.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkButton.h"
#include "gadget/GTextField.h"
#include "gadget/sheet/GSheetGroup.h"
#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetColumns.h"
#include "gadget/sheet/GSkSheetLine.h"
#include "platform/base/Numbers.h"
#include "platform/gui/StringTable.h"
#include "trend/RecordBytes.h"

GADGET_DEFINE_RECORD(CGVTGraphConfigurationRoot, CGVTDialogRoot)
GADGET_DEFINE_RECORD(CGVTSColors, CGSColors)

namespace {

constexpr uint32_t kIdsTitle = 3152, kIdsDelete = 3004, kIdsCancel = 3017, kIdsOk = 3018;
constexpr uint32_t kIdsGroupName = 3116, kIdsTagName = 3117, kIdsYAxis = 3118, kIdsMode = 3119,
                   kIdsType = 3120, kIdsFineness = 3121, kIdsDisplay = 3122, kIdsScale = 3123, kIdsMin = 3124,
                   kIdsMax = 3125, kIdsZone = 3126, kIdsTrip = 3127, kIdsMessage = 3128, kIdsColour = 3129,
                   kIdsCompact = 3130, kIdsDetails = 3131, kIdsLinear = 3132, kIdsLog = 3133, kIdsF = 3134,
                   kIdsE = 3135, kIdsLineHeader = 3136, kIdsTrip1 = 3137;
constexpr uint32_t kTagTitles[3] = {602, 600, 601};
constexpr uint32_t kFinenessTexts[5] = {3141, 3142, 3143, 3144, 3145};
constexpr int kFinenessKeys[5] = {1, 2, 3, 4, 5};
constexpr int kPageHeight = 550, kSheetHeight = 300, kLineHeight = 18, kGroupNameLimit = 32;
constexpr int kRootHeight = 590;

// Fields of the 248-byte saved tag that the dialog shows and edits.
namespace tag {
constexpr size_t kShown = 0, kTripShown = 8, kTripValue = 16, kColour = 48, kChannel = 52, kLabelMode = 58,
                 kScaleKind = 60, kExponent = 62, kZoom = 64, kAxisWord = 66, kDecimals = 68, kZoneLower = 88,
                 kZoneUpper = 96, kScaleMin = 120, kScaleMax = 128, kMask = 136, kBatch = 144, kName = 160,
                 kNumber = 200, kSegmentIndex = 240, kSegmentCount = 244;
}

struct Widths {
  int line, mode, type, fineness, form, message, colour, page;
};

Widths MeasureWidths() {
  Widths w{};
  w.line = MeasureResourceTextWidth(kIdsLineHeader, nullptr, 18);
  const uint32_t modes[2] = {kIdsCompact, kIdsDetails}, types[2] = {kIdsLinear, kIdsLog};
  w.mode = GetWidestTextWidth(nullptr, modes, 2, 18);
  w.type = GetWidestTextWidth(nullptr, types, 2, 20);
  w.fineness = MeasureResourceTextWidth(kIdsFineness, nullptr, 18);
  w.form = MeasureResourceTextWidth(kIdsDisplay, nullptr, 18);
  w.message = MeasureResourceTextWidth(kIdsMessage, nullptr, 18);
  w.colour = MeasureResourceTextWidth(kIdsColour, nullptr, 20);
  w.page = w.line + w.mode + w.type + w.fineness + w.form + w.message + w.colour + 793;
  return w;
}

CGVTGraphConfigurationRoot* RootOf(void* data) {
  CGVTGraphConfigurationRoot* root = nullptr;
  std::memcpy(&root, data, sizeof root);
  return root;
}

void OnPageChanged(CGPrimitive*, int, void* data) { RootOf(data)->UpdateDeleteButton(); }
void OnSelection(CGPrimitive*, int, void* data) { RootOf(data)->UpdateDeleteButton(); }
void OnRename(CGPrimitive*, int, void* data) { RootOf(data)->RenameGroup(); }
void OnFormOrZone(CGPrimitive*, int, void* data) { RootOf(data)->ApplyFormAndZones(); }
void OnMessage(CGPrimitive* source, int, void* data) {
  RootOf(data)->ChooseMessageGroups(static_cast<CGSheetArray*>(source)->FocusLine());
}
void OnColourClicked(CGPrimitive* source, int, void* data) {
  RootOf(data)->SelectColourLine(static_cast<CGSheetArray*>(source)->FocusLine());
}
void OnDelete(CGPrimitive*, int, void* data) {
  CGVTGraphConfigurationRoot* root = RootOf(data);
  root->DeleteSelectedTags();
  root->FillCurrentPage();
  root->UpdateDeleteButton();
}
void OnOk(CGPrimitive* source, int, void*) { EndDialogOf(source, 1); }
void OnCancel(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

// One group's page: the group name and the sheet of its tags.
void BuildGroupPage(CGTabPage* page, const Widths& w, const CGVTGraphConfigurationRoot* const& self) {
  auto callback = [&](CGPrimitive* gadget, int code, GEventHandler handler) {
    gadget->AddEventCallback(code, handler, &self, sizeof self);
  };
  auto* content = new CGRowColumn(page, 0, 0, 0, GSTYLE_ACTIVE, w.page, kPageHeight - 30, 1, 0);
  content->mode = kRowColumnTopDown;
  content->SetBackColor(kDialogBackColor);
  auto* top = new CGGroup(content, 0, 0, 0, GSTYLE_ACTIVE, w.page, 30);
  new CGLabel(top, 10, 5, 100, 20, 0, 1, 0x02000000, kIdsGroupName);
  auto* name = new CGSkText(top, 110, 5, 160, 20, CGVTGraphConfigurationRoot::kGroupNameId, 0x02000000,
                            0x02FFFFFF, kGroupNameLimit);
  callback(name, GEVENT_CHANGED, &OnRename);

  auto* sheet = new CGSkSheet(content, 0, 0, w.page, kSheetHeight, CGVTGraphConfigurationRoot::kSheetId,
                              GSTYLE_ACTIVE, 1, 16, 100, kLineHeight);
  auto* vbar = new CGVScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, kLineHeight);
  vbar->Build(1);
  auto* body = new CGSkSheetScreen(sheet, 0, GSTYLE_ACTIVE);
  new CGSkSColumn(sheet, 0, GSTYLE_ACTIVE, 40);
  auto* lines = new CGSkSCheckIconLine(sheet, w.line);
  lines->SetId(CGVTGraphConfigurationRoot::kShownId);
  callback(lines, GEVENT_CHANGED, &OnSelection);
  callback(lines, GEVENT_HEADER_CLICKED, &OnSelection);

  new CGSkSLabels(body, CGVTGraphConfigurationRoot::kTagId, kIdsTagName, 155, 1);
  auto* axis = new CGSGroup(body, kIdsYAxis);
  const uint32_t modes[2] = {kIdsCompact, kIdsDetails}, types[2] = {kIdsLinear, kIdsLog},
                 forms[2] = {kIdsF, kIdsE};
  new CGSkSCyclicLabels(axis, CGVTGraphConfigurationRoot::kModeId, kIdsMode, w.mode, modes);
  new CGSkSCyclicLabels(axis, CGVTGraphConfigurationRoot::kTypeId, kIdsType, w.type, types);
  new CGSkSComboBoxs(axis, CGVTGraphConfigurationRoot::kFinenessId, kIdsFineness, w.fineness, 5,
                     kFinenessTexts, kFinenessKeys);
  auto* form = new CGSkSCyclicLabels(body, CGVTGraphConfigurationRoot::kFormId, kIdsDisplay, w.form, forms);
  callback(form, GEVENT_CHANGED, &OnFormOrZone);
  auto* scale = new CGSGroup(body, kIdsScale);
  new CGSkSValues(scale, CGVTGraphConfigurationRoot::kScaleMinId, kIdsMin, -1e16, 1e16);
  new CGSkSValues(scale, CGVTGraphConfigurationRoot::kScaleMaxId, kIdsMax, -1e16, 1e16);
  auto* zone = new CGSGroup(body, kIdsZone);
  for (int id : {int(CGVTGraphConfigurationRoot::kZoneMinId), int(CGVTGraphConfigurationRoot::kZoneMaxId)}) {
    auto* bound =
        new CGSkSIntValues(zone, id, id == CGVTGraphConfigurationRoot::kZoneMinId ? kIdsMin : kIdsMax);
    bound->SetRange(0, 100);
    callback(bound, GEVENT_CHANGED, &OnFormOrZone);
  }
  auto* trips = new CGSGroup(body, kIdsTrip);
  for (int i = 0; i < 4; ++i) {
    auto* trip =
        new CGSkSCheckIconValues(trips, CGVTGraphConfigurationRoot::kTrip1Id + i, kIdsTrip1 + uint32_t(i));
    trip->BuildColumns();
  }
  auto* message =
      new CGSkSPushButtons(body, CGVTGraphConfigurationRoot::kMessageId, kIdsMessage, w.message, 2);
  message->SetStyle(GSTYLE_ACTIVE);
  callback(message, GEVENT_CLICKED, &OnMessage);
  auto* colours = new CGVTSColors(body, w.colour);
  colours->SetId(CGVTGraphConfigurationRoot::kColourId);
  colours->SetText(vt::LoadString(kIdsColour));
  callback(colours, GEVENT_CLICKED, &OnColourClicked);
  sheet->SetLineCount(0);
}

// Two bounds as the cells show them: whole numbers, the stored value plus 0.05 cut.
int ZoneCell(double stored) { return int(stored + 0.05); }

}  // namespace

namespace vt_ui {

std::string MessageGroupText(uint64_t mask) { return ::MessageGroupText(mask); }

std::string TagColumnText(const SGraphTag& t, int mode) {
  const uint8_t* b = t.bytes.data();
  if (mode == 1) return vt::GetText(b, tag::kName, 40);
  if (mode == 2) return vt::GetText(b, tag::kNumber, 40);
  std::string text = vt::FormatC("CH%03d", vt::GetI32(b, tag::kChannel));
  const int32_t index = vt::GetI32(b, tag::kSegmentIndex), count = vt::GetI32(b, tag::kSegmentCount);
  if (index != -1 && count > 1) text += vt::FormatC("(%d)", index + 1);
  return text;
}

void OrderZone(int* lower, int* upper) {
  if (*lower > *upper) std::swap(*lower, *upper);
  if (*lower != *upper) return;
  if (*upper < 100) {
    ++*upper;
    if (*lower > 0) --*lower;
  } else {
    *lower = 99;
  }
}

}  // namespace vt_ui

const SGClassInfo* CGVTSColors::GetClassInfo() const { return GCLASS(CGVTSColors); }

void CGVTSColors::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (HasLineState(FocusLine(), GSTYLE_ACTIVE)) FireEvent(GEVENT_CLICKED);
  CGSColors::OnLButtonUp(flags, x, y);
}

CGVTGraphConfigurationRoot::CGVTGraphConfigurationRoot(int width, int height)
    : vt::CGVTDialogRoot(width, height) {}

const SGClassInfo* CGVTGraphConfigurationRoot::GetClassInfo() const {
  return GCLASS(CGVTGraphConfigurationRoot);
}

CGVTGraphConfigurationRoot* CreateGraphConfigurationRoot() {
  const Widths w = MeasureWidths();
  auto* root = new CGVTGraphConfigurationRoot(w.page + 10, kRootHeight);
  const CGVTGraphConfigurationRoot* self = root;
  auto callback = [&](CGPrimitive* gadget, int code, GEventHandler handler) {
    gadget->AddEventCallback(code, handler, &self, sizeof self);
  };
  auto* layout = new CGRowColumn(root, 0, 0, 0, GSTYLE_ACTIVE, w.page + 10, kRootHeight, 1, 0);
  layout->mode = kRowColumnTopDown;
  layout->SetBackColor(kDialogBackColor);
  auto* pages = new CGSkPageController(layout, 0, 0, CGVTGraphConfigurationRoot::kPagesId, GSTYLE_ACTIVE,
                                       w.page, kPageHeight, 120);
  pages->CreateTabScrollButtons(1);
  callback(pages, GEVENT_CHANGED, &OnPageChanged);
  for (int i = 0; i < CGVTGraphConfigurationRoot::kPageCount; ++i) {
    auto* page = new CGSkTabPage(pages, 0, 24, "");
    root->pages_[std::size_t(i)] = page;
    BuildGroupPage(page, w, self);
  }
  auto* buttons = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, w.page, 50);
  const struct {
    int x, id;
    uint32_t text;
    GEventHandler handler;
  } row[] = {{w.page - 309, CGVTGraphConfigurationRoot::kDeleteId, kIdsDelete, &OnDelete},
             {w.page - 207, CGVTGraphConfigurationRoot::kOkId, kIdsOk, &OnOk},
             {w.page - 105, CGVTGraphConfigurationRoot::kCancelId, kIdsCancel, &OnCancel}};
  for (const auto& b : row)
    callback(new CGSkPushButton(buttons, b.x, 5, 100, 25, b.id, GSTYLE_ACTIVE, b.text), GEVENT_CLICKED,
             b.handler);
  layout->LayoutTree();
  return root;
}

int CGVTGraphConfigurationRoot::CurrentPage() const {
  int value = 0;
  if (auto* pages = static_cast<CGPrimitive*>(FindById(kPagesId))) pages->GetValue(&value);
  return value;
}

CGSheet* CGVTGraphConfigurationRoot::PageSheet(int page) const {
  CGTabPage* p = Page(page);
  return p ? static_cast<CGSheet*>(p->FindById(kSheetId)) : nullptr;
}

CGSheetArray* CGVTGraphConfigurationRoot::PageColumn(int page, int id) const {
  CGTabPage* p = Page(page);
  return p ? static_cast<CGSheetArray*>(p->FindById(id)) : nullptr;
}

void CGVTGraphConfigurationRoot::Redraw(CGPrimitive* gadget) {
  if (gadget && GetHostWindow()) gadget->Update();
}

void CGVTGraphConfigurationRoot::LoadValues(const SGraphConfiguration& record) {
  if (!work_) work_ = std::make_unique<SGraphConfiguration>();
  *work_ = record;
  m_messageGroupsChanged = false;
  m_removedGroups = 0;
}

void CGVTGraphConfigurationRoot::FillAllPages() {
  if (!work_) return;
  const int mode = work_->nameMode >= 0 && work_->nameMode <= 2 ? work_->nameMode : 0;
  for (int t = 0; t < kPageCount; ++t) {
    CGTabPage* page = Page(t);
    if (CGSheetArray* tagColumn = PageColumn(t, kTagId)) tagColumn->SetText(vt::LoadString(kTagTitles[mode]));
    const bool used = t < int(work_->groups.size()) && !work_->groups[std::size_t(t)].tags.empty();
    if (!used) {
      page->SetStyle(0);
      continue;
    }
    const std::string name = work_->groups[std::size_t(t)].Name();
    page->SetText(name);
    if (auto* edit = static_cast<CGPrimitive*>(page->FindById(kGroupNameId))) edit->SetText(name);
    page->SetStyle(GSTYLE_ACTIVE);
    FillPage(t);
  }
  if (auto* pages = static_cast<CGPrimitive*>(FindById(kPagesId))) {
    pages->SetValue(0);
    pages->LayoutTree();
  }
}

void CGVTGraphConfigurationRoot::FillPage(int page) {
  CGSheet* sheet = PageSheet(page);
  if (!work_ || !sheet || page >= int(work_->groups.size())) return;
  const SGraphGroup& group = work_->groups[std::size_t(page)];
  const int n = int(group.tags.size());
  sheet->SetLineCount(n);
  auto column = [&](int id) { return PageColumn(page, id); };
  for (int j = 0; j < n; ++j) {
    const uint8_t* b = group.tags[std::size_t(j)].bytes.data();
    const int decimals = vt::GetI32(b, tag::kDecimals), exponent = vt::GetI16(b, tag::kExponent) != 0;
    column(kShownId)->SetLineIntValue(j, b[tag::kShown]);
    column(kTagId)->SetLineText(j, vt_ui::TagColumnText(group.tags[std::size_t(j)], work_->nameMode));
    column(kModeId)->SetLineIntValue(j, vt::GetI16(b, tag::kLabelMode) != 0);
    column(kTypeId)->SetLineIntValue(j, vt::GetI16(b, tag::kScaleKind) != 0);
    column(kFinenessId)->SetLineIntValue(j, vt::GetI16(b, tag::kAxisWord));
    column(kFormId)->SetLineIntValue(j, exponent);
    for (int id : {int(kScaleMinId), int(kScaleMaxId)}) {
      column(id)->SetLineDecimals(j, decimals);
      column(id)->SetLineExponent(j, exponent);
      column(id)->SetLineValue(j, vt::GetF64(b, id == kScaleMinId ? tag::kScaleMin : tag::kScaleMax));
    }
    column(kZoneMinId)->SetLineIntValue(j, ZoneCell(vt::GetF64(b, tag::kZoneLower)));
    column(kZoneMaxId)->SetLineIntValue(j, ZoneCell(vt::GetF64(b, tag::kZoneUpper)));
    for (int i = 0; i < 4; ++i) {
      CGSheetArray* trip = column(kTrip1Id + i);
      trip->SetLineDecimals(j, decimals);
      trip->SetLineExponent(j, exponent);
      trip->SetLineValue(j, vt::GetF64(b, tag::kTripValue + 8 * size_t(i)));
      trip->SetLineIntValue(j, vt::GetI16(b, tag::kTripShown + 2 * size_t(i)));
    }
    column(kMessageId)->SetLineText(j, vt_ui::MessageGroupText(uint64_t(vt::GetI64(b, tag::kMask))));
    column(kColourId)->SetLineIntValue(j, int(vt::GetU32(b, tag::kColour)));
  }
  sheet->LayoutTree();
  Redraw(sheet);
}

void CGVTGraphConfigurationRoot::StorePage(int page) {
  CGSheet* sheet = PageSheet(page);
  if (!work_ || !sheet || page >= int(work_->groups.size())) return;
  SGraphGroup& group = work_->groups[std::size_t(page)];
  auto intOf = [&](int id, int j) {
    int v = 0;
    PageColumn(page, id)->GetLineIntValue(j, &v);
    return v;
  };
  auto valueOf = [&](int id, int j) {
    double v = 0;
    PageColumn(page, id)->GetLineValue(j, &v);
    return v;
  };
  const int n = std::min(int(group.tags.size()), sheet->m_lineCount);
  for (int j = 0; j < n; ++j) {
    uint8_t* b = group.tags[std::size_t(j)].bytes.data();
    b[tag::kShown] = intOf(kShownId, j) != 0 ? 1 : 0;
    vt::PutI16(b, tag::kLabelMode, int16_t(intOf(kModeId, j)));
    vt::PutI16(b, tag::kScaleKind, int16_t(intOf(kTypeId, j)));
    vt::PutI16(b, tag::kAxisWord, int16_t(intOf(kFinenessId, j)));
    vt::PutI16(b, tag::kExponent, int16_t(intOf(kFormId, j)));
    const double low = valueOf(kScaleMinId, j), high = valueOf(kScaleMaxId, j);
    if (low != vt::GetF64(b, tag::kScaleMin) || high != vt::GetF64(b, tag::kScaleMax)) {
      vt::PutF64(b, tag::kScaleMin, low);
      vt::PutF64(b, tag::kScaleMax, high);
      vt::PutI16(b, tag::kZoom, 1);
    }
    vt::PutF64(b, tag::kZoneLower, intOf(kZoneMinId, j));
    vt::PutF64(b, tag::kZoneUpper, intOf(kZoneMaxId, j));
    for (int i = 0; i < 4; ++i) {
      vt::PutF64(b, tag::kTripValue + 8 * size_t(i), valueOf(kTrip1Id + i, j));
      vt::PutI16(b, tag::kTripShown + 2 * size_t(i), int16_t(intOf(kTrip1Id + i, j)));
    }
    vt::PutU32(b, tag::kColour, uint32_t(intOf(kColourId, j)));
  }
  // The selected channel must be a shown one when any is shown.
  auto shown = [&](int j) {
    return j >= 0 && j < int(group.tags.size()) && group.tags[std::size_t(j)].bytes[0] != 0;
  };
  if (!shown(group.groupValue))
    for (int j = 0; j < int(group.tags.size()); ++j)
      if (shown(j)) {
        group.groupValue = j;
        break;
      }
}

void CGVTGraphConfigurationRoot::StoreValues(SGraphConfiguration* record) {
  if (!work_) return;
  for (int i = 0; i < int(work_->groups.size()); ++i) {
    if (work_->groups[std::size_t(i)].tags.empty())
      m_removedGroups |= uint64_t(1) << i;
    else
      StorePage(i);
  }
  GraphConfigurationHolder out;
  CopyGraphConfiguration(out, work_);
  if (record && out) *record = std::move(*out);
  work_.reset();
}

void CGVTGraphConfigurationRoot::UpdateDeleteButton() {
  CGPrimitive* button = Gadget(kDeleteId);
  CGSheet* sheet = PageSheet(CurrentPage());
  if (!button) return;
  const bool on = sheet && sheet->m_selectionFirst >= 0 && sheet->m_selectionLast >= 0 &&
                  std::min(sheet->m_selectionFirst, sheet->m_selectionLast) < sheet->m_lineCount;
  const int style = on ? GSTYLE_ACTIVE : GSTYLE_VISIBLE;
  if (button->GetStyle() == style) return;
  button->SetStyle(style);
  Redraw(button);
}

void CGVTGraphConfigurationRoot::DeleteSelectedTags() {
  const int page = CurrentPage();
  CGSheet* sheet = PageSheet(page);
  if (!work_ || !sheet || page >= int(work_->groups.size())) return;
  StorePage(page);
  SGraphGroup& group = work_->groups[std::size_t(page)];
  const int n = int(group.tags.size());
  int a = std::min(sheet->m_selectionFirst, sheet->m_selectionLast);
  int b = std::max(sheet->m_selectionFirst, sheet->m_selectionLast);
  if (a < 0 || a >= n) return;
  b = std::min(b, n - 1);
  group.tags.erase(group.tags.begin() + a, group.tags.begin() + b + 1);
  group.groupValue = 0;
  sheet->SetSelection(-1, -1);
  sheet->SetLineCount(int(group.tags.size()));
}

void CGVTGraphConfigurationRoot::ApplyFormAndZones() {
  const int page = CurrentPage();
  CGSheet* sheet = PageSheet(page);
  if (!work_ || !sheet || page >= int(work_->groups.size())) return;
  SGraphGroup& group = work_->groups[std::size_t(page)];
  for (int j = 0; j < std::min(sheet->m_lineCount, int(group.tags.size())); ++j) {
    int form = 0, low = 0, high = 0;
    PageColumn(page, kFormId)->GetLineIntValue(j, &form);
    for (int id :
         {int(kScaleMinId), int(kScaleMaxId), int(kTrip1Id), kTrip1Id + 1, kTrip1Id + 2, kTrip1Id + 3})
      PageColumn(page, id)->SetLineExponent(j, form);
    PageColumn(page, kZoneMinId)->GetLineIntValue(j, &low);
    PageColumn(page, kZoneMaxId)->GetLineIntValue(j, &high);
    vt_ui::OrderZone(&low, &high);
    PageColumn(page, kZoneMinId)->SetLineIntValue(j, low);
    PageColumn(page, kZoneMaxId)->SetLineIntValue(j, high);
    uint8_t* b = group.tags[std::size_t(j)].bytes.data();
    vt::PutF64(b, tag::kZoneLower, low);
    vt::PutF64(b, tag::kZoneUpper, high);
  }
  Redraw(sheet);
}

void CGVTGraphConfigurationRoot::RenameGroup() {
  const int page = CurrentPage();
  CGTabPage* p = Page(page);
  if (!work_ || !p || page >= int(work_->groups.size())) return;
  std::string name;
  if (auto* edit = static_cast<CGPrimitive*>(p->FindById(kGroupNameId))) edit->GetText(&name);
  work_->groups[std::size_t(page)].SetName(name);
  p->SetText(work_->groups[std::size_t(page)].Name());
  Redraw(static_cast<CGPrimitive*>(FindById(kPagesId)));
}

void CGVTGraphConfigurationRoot::ChooseMessageGroups(int line) {
  const int page = CurrentPage();
  CGSheet* sheet = PageSheet(page);
  if (!work_ || !sheet || page >= int(work_->groups.size())) return;
  SGraphGroup& group = work_->groups[std::size_t(page)];
  if (line < 0 || line >= int(group.tags.size())) return;
  sheet->SetSelection(line, line);
  uint8_t* b = group.tags[std::size_t(line)].bytes.data();
  const uint64_t old = uint64_t(vt::GetI64(b, tag::kMask));
  vt::DialogWindow* owner = DialogOf(sheet);
  CDlgSelectGroup dialog(owner ? owner->GetSafeHwnd() : vt::WindowHandle{});
  dialog.m_maskLow = uint32_t(old);
  dialog.m_maskHigh = uint32_t(old >> 32);
  dialog.m_batchId = vt::Guid::FromBytes(b + tag::kBatch);
  if (dialog.DoModal() == 1 && dialog.m_root) {
    const uint64_t mask = dialog.m_root->GetSelectedGroups();
    if (mask != old) {
      vt::PutI64(b, tag::kMask, int64_t(mask));
      m_messageGroupsChanged = true;
    }
  }
  for (int j = 0; j < int(group.tags.size()); ++j)
    PageColumn(page, kMessageId)
        ->SetLineText(j, vt_ui::MessageGroupText(
                             uint64_t(vt::GetI64(group.tags[std::size_t(j)].bytes.data(), tag::kMask))));
  Redraw(sheet);
}

void CGVTGraphConfigurationRoot::SelectColourLine(int line) {
  CGSheet* sheet = PageSheet(CurrentPage());
  if (!sheet || line < 0 || line >= sheet->m_lineCount) return;
  sheet->SetSelection(line, line);
  UpdateDeleteButton();
  Redraw(sheet);
}

CDlgGraphConfiguration::CDlgGraphConfiguration(SGraphConfiguration* record)
    : vt::DialogWindow(kTemplateId, 0), m_record(record) {}

CDlgGraphConfiguration::~CDlgGraphConfiguration() {
  if (m_root) {
    if (auto* pages = static_cast<CGPrimitive*>(m_root->FindById(CGVTGraphConfigurationRoot::kPagesId)))
      pages->SetValue(0);
    for (int t = 0; t < CGVTGraphConfigurationRoot::kPageCount; ++t)
      if (CGSheet* sheet = m_root->PageSheet(t)) sheet->SetSelection(-1, -1);
    m_root->Release();
  }
  m_root = nullptr;
}

bool CDlgGraphConfiguration::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  if (!m_root)
    m_root = static_cast<CGVTGraphConfigurationRoot*>(TakePooledRoot(GCLASS(CGVTGraphConfigurationRoot)));
  if (!m_root) m_root = CreateGraphConfigurationRoot();
  if (m_record) m_root->LoadValues(*m_record);
  m_root->FillAllPages();
  m_root->UpdateDeleteButton();
  m_root->FillCurrentPage();
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgGraphConfiguration::StoreValues() {
  if (m_root) m_root->StoreValues(m_record);
}
