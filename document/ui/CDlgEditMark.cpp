// The mark dialog and its root (see CDlgEditMark.h).
#include "document/ui/CDlgEditMark.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "document/CGVantrelMarkData.h"
#include "document/GraphWindowHost.h"
#include "gadget/GButton.h"
#include "gadget/GGroup.h"
#include "gadget/GLabel.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkButton.h"
#include "gadget/GText.h"
#include "gadget/GTextField.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTEditMarkRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsTitle = 3114, kIdsMark = 1019;
constexpr uint32_t kIdsDisplay = 3104, kIdsNoDisplay = 3105, kIdsPosition = 3111, kIdsRight = 3112,
                   kIdsLeft = 3113, kIdsGroup = 3108, kIdsAllGroups = 3106, kIdsDisplayGroup = 3107,
                   kIdsTitleCaption = 3109, kIdsComment = 3110;
constexpr uint32_t kIdsDelete = 3004, kIdsOk = 3018, kIdsCancel = 3017;
constexpr uint32_t kCaptions[] = {kIdsDisplay, kIdsPosition, kIdsGroup, kIdsTitleCaption, kIdsComment};
constexpr uint32_t kChoices[] = {kIdsDisplay, kIdsNoDisplay, kIdsRight,
                                 kIdsLeft,    kIdsAllGroups, kIdsDisplayGroup};
constexpr int kTitleChars = 60, kCommentChars = 250;
constexpr uint64_t kAllGroups = ~uint64_t(0);

std::string Field(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

// Copies text into a NUL-terminated field of size bytes, never cutting a character.
void PutField(char* field, std::size_t size, std::string text) {
  std::memset(field, 0, size);
  if (!text.empty()) TruncateTextBytes(&text, int(size - 1));
  std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

int Value(CGVTEditMarkRoot* root, int id) {
  int v = 0;
  if (CGPrimitive* g = root->Gadget(id)) g->GetValue(&v);
  return v;
}

std::string Text(CGVTEditMarkRoot* root, int id) {
  std::string text;
  if (CGPrimitive* g = root->Gadget(id)) g->GetText(&text);
  return text;
}

void OnOkClicked(CGPrimitive* source, int, void*) {
  if (auto* dialog = dynamic_cast<CDlgEditMark*>(DialogOf(source))) dialog->StoreMarkValues();
}
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }
void OnDeleteClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, vt::kIdDialogDelete); }

// A row of two radio choices, b wide each, in a box of id at (x, y).
CGPrimitive* RadioRow(CGCore* parent, int x, int y, int b, int id, uint32_t first, uint32_t second,
                      int value) {
  auto* box = new CGSkRadioBox(parent, x, y, id, GSTYLE_ACTIVE, 2 * b, 20, kRowColumnRows);
  for (uint32_t text : {first, second})
    new CGSkRadioIconButton(box, 0, 0, b, 0x02000000, vt::LoadString(text).c_str(), 0, 0, 0, 0);
  box->SetValue(value);
  return box;
}

}  // namespace

CGVTEditMarkRoot::CGVTEditMarkRoot(int width, int height) : vt::CGVTDialogRoot(width, height) {}

const SGClassInfo* CGVTEditMarkRoot::GetClassInfo() const { return GCLASS(CGVTEditMarkRoot); }

CGVTEditMarkRoot* CreateEditMarkRoot(vt::DeviceContext* dc, const SNgMarkData& mark, int mode,
                                     int hideDelete) {
  const int a = std::max(50, GetWidestTextWidth(dc, kCaptions, int(std::size(kCaptions)), 10));
  const int b = std::max(100, GetWidestTextWidth(dc, kChoices, int(std::size(kChoices)), 30));
  const int width = a + 2 * b + 10;
  auto* root = new CGVTEditMarkRoot(width, 140);
  root->m_mode = mode;
  auto* rows = new CGGroup(root, 0, 0, 0, GSTYLE_ACTIVE, width, 105);
  rows->SetBackColor(kDialogBackColor);
  for (int i = 0; i < 5; ++i)
    new CGLabel(rows, 5, 5 + 20 * i, a, 20, 0, kAlignLeft, 0x02000000, kCaptions[i]);
  RadioRow(rows, a + 5, 5, b, CGVTEditMarkRoot::kDisplayId, kIdsDisplay, kIdsNoDisplay,
           mark.note.kind == 1 ? 0 : 1);
  RadioRow(rows, a + 5, 25, b, CGVTEditMarkRoot::kPositionId, kIdsLeft, kIdsRight,
           mark.note.position >= 0 ? 1 : 0);
  CGPrimitive* group = RadioRow(rows, a + 5, 45, b, CGVTEditMarkRoot::kGroupId, kIdsAllGroups,
                                kIdsDisplayGroup, mark.groupMask == kAllGroups ? 0 : 1);
  std::string title = Field(mark.note.title, sizeof mark.note.title);
  if (title.empty()) title = Field(mark.label, sizeof mark.label);
  auto* titleEdit = new CGSkText(rows, a + 5, 65, 2 * b, 20, CGVTEditMarkRoot::kTitleId, 0x02000000,
                                 0x02FFFFFF, kTitleChars);
  titleEdit->SetText(title);
  auto* comment = new CGSkText(rows, a + 5, 85, 2 * b, 20, CGVTEditMarkRoot::kCommentId, 0x02000000,
                               0x02FFFFFF, kCommentChars);
  comment->SetText(Field(mark.note.comment, sizeof mark.note.comment));

  auto* buttons = new CGGroup(root, 0, 105, 0, GSTYLE_ACTIVE, width, 40);
  buttons->SetBackColor(kDialogBackColor);
  auto* remove = new CGSkPushButton(buttons, width - 255, 5, 80, 25, CGVTEditMarkRoot::kDeleteId,
                                    GSTYLE_ACTIVE, kIdsDelete);
  remove->AddEventCallback(GEVENT_CLICKED, &OnDeleteClicked, nullptr, 0);
  (new CGSkPushButton(buttons, width - 170, 5, 80, 25, CGVTEditMarkRoot::kOkId, GSTYLE_ACTIVE, kIdsOk))
      ->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  (new CGSkPushButton(buttons, width - 85, 5, 80, 25, CGVTEditMarkRoot::kCancelId, GSTYLE_ACTIVE, kIdsCancel))
      ->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  if (hideDelete == 1) remove->SetStyle(0);
  if (mode == CDlgEditMark::kModeRestricted)
    for (CGPrimitive* g : {group, static_cast<CGPrimitive*>(remove), static_cast<CGPrimitive*>(titleEdit),
                           static_cast<CGPrimitive*>(comment)})
      if (g->GetStyle() != 0) g->SetStyle(GSTYLE_VISIBLE);
  root->LayoutTree();
  return root;
}

CDlgEditMark::CDlgEditMark(const SNgMarkData* record, vt::WindowHandle parent)
    : vt::DialogWindow(kTemplateId, parent) {
  if (record)
    m_mark = *record;
  else
    SetDefaultMark(&m_mark);
}

CDlgEditMark::~CDlgEditMark() {
  delete m_root;
  m_root = nullptr;
}

void CDlgEditMark::SetDefaultMark(SNgMarkData* mark) {
  *mark = SNgMarkData{};
  const std::string title = vt::LoadString(kIdsMark);
  PutField(mark->note.title, sizeof mark->note.title, title);
  PutField(mark->label, sizeof mark->label, title);
  mark->id = 0;
  mark->markKind = 3;
  mark->colour = 0x0200FF00;
  mark->noteCount = 1;
  mark->note.kind = 1;
  mark->note.position = 50;
  mark->note.value = 0.5;
  mark->groupMask = 0;
  mark->time = PreciseTime{-1, 0.0};
}

bool CDlgEditMark::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  delete m_root;
  vt::DeviceContext* dc = Host() ? Host()->GetDC() : nullptr;
  m_root = CreateEditMarkRoot(dc, m_mark, m_mode, m_hideDelete);
  if (dc) Host()->ReleaseDC(dc);
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgEditMark::StoreMarkValues() {
  if (!m_root) {
    EndDialog(1);
    return;
  }
  m_root->CloseInPlaceEditors();
  m_mark.note.kind = Value(m_root, CGVTEditMarkRoot::kDisplayId) == 0 ? 1 : 0;
  const int32_t magnitude = m_mark.note.position < 0 ? -m_mark.note.position : m_mark.note.position;
  m_mark.note.position = Value(m_root, CGVTEditMarkRoot::kPositionId) == 1 ? magnitude : -magnitude;
  if (m_mode == kModeNew) {
    if (Value(m_root, CGVTEditMarkRoot::kGroupId) == 0 || m_groupIndex < 0 || m_groupIndex > 63)
      m_mark.groupMask = kAllGroups;
    else
      m_mark.groupMask = uint64_t(1) << m_groupIndex;
  }
  const std::string title = Text(m_root, CGVTEditMarkRoot::kTitleId);
  PutField(m_mark.note.title, sizeof m_mark.note.title, title);
  PutField(m_mark.label, sizeof m_mark.label, title);
  PutField(m_mark.note.comment, sizeof m_mark.note.comment, Text(m_root, CGVTEditMarkRoot::kCommentId));
  EndDialog(1);
}

namespace vt_ui {

int DialogMarkEditor::Edit(vt::HostWindow* owner, SNgMarkData* record, int kind, int group) {
  CDlgEditMark dialog(record, owner ? owner->Handle() : 0);
  dialog.m_mode = kind == MARK_SOURCE_RECORDER ? CDlgEditMark::kModeRestricted : CDlgEditMark::kModeEdit;
  dialog.m_groupIndex = group;
  const int result = dialog.DoModal();
  if (result == kMarkEditOk) *record = dialog.m_mark;
  return result;
}

int DialogMarkEditor::Append(PreciseTime time, int group, SNgMarkData* record) {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  CDlgEditMark dialog(nullptr, host ? host->GetMainWindow() : 0);
  dialog.m_mark.time = time;
  dialog.m_groupIndex = group;
  dialog.m_hideDelete = 1;
  dialog.m_mode = CDlgEditMark::kModeNew;
  const int result = dialog.DoModal();
  if (result == kMarkEditOk) *record = dialog.m_mark;
  return result;
}

DialogMarkEditor& DialogMarkEditor::Instance() {
  static DialogMarkEditor editor;
  return editor;
}

}  // namespace vt_ui
