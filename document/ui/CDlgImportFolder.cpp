// The automatic-import folder dialog, its root and the single-select line header (see
// CDlgImportFolder.h).
#include "document/ui/CDlgImportFolder.h"

#include <cstring>

#include "gadget/GComboBox.h"
#include "gadget/GGroup.h"
#include "gadget/GRowColumn.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkButton.h"
#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetColumns.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGSingleSelectLine, CGSkSLine)
GADGET_DEFINE_RECORD(CGVTImportFolderRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsSelectImportFolder = 200;
constexpr uint32_t kIdsTitle = 3034;
constexpr uint32_t kIdsCreate = 3002, kIdsDelete = 3004, kIdsCancel = 3017, kIdsOk = 3018;
constexpr uint32_t kIdsSubfolder = 3035, kIdsReference = 3036, kIdsMonitoring = 3037;
constexpr uint32_t kIdsYes = 3095, kIdsFolder = 3224, kIdsConversion = 3257;
constexpr uint32_t kIntervalTexts[8] = {3094, 3159, 3160, 3038, 3039, 3040, 3041, 3042};
constexpr uint32_t kConvertTexts[3] = {3094, 3258, 3259};
constexpr int kWidth = 552, kHeight = 250, kSheetHeight = 167;

CGVTImportFolderRoot* RootOf(void* data) {
  CGVTImportFolderRoot* root = nullptr;
  std::memcpy(&root, data, sizeof root);
  return root;
}

void OnCreate(CGPrimitive*, int, void* data) { RootOf(data)->CreateLine(); }
void OnDelete(CGPrimitive*, int, void* data) { RootOf(data)->DeleteSelectedLine(); }
void OnOk(CGPrimitive* source, int, void*) { EndDialogOf(source, 1); }
void OnCancel(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }
void OnSelection(CGPrimitive*, int, void* data) { RootOf(data)->UpdateButtons(); }
void OnReference(CGPrimitive* source, int, void* data) {
  RootOf(data)->ReferenceLine(static_cast<CGSheetArray*>(source)->FocusLine());
}

}  // namespace

const SGClassInfo* CGSingleSelectLine::GetClassInfo() const { return GCLASS(CGSingleSelectLine); }

void CGSingleSelectLine::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  CGSheet* sheet = GetSheet();
  if (!sheet || !HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  const int line = LineFromPoint(x, y);
  if (line < 0) return;
  sheet->SetSelection(line, line);
  ShowSelectionChange(false);
  FireEvent(GEVENT_CHANGED);
}

CGVTImportFolderRoot::CGVTImportFolderRoot() : vt::CGVTDialogRoot(kWidth, kHeight) {}

const SGClassInfo* CGVTImportFolderRoot::GetClassInfo() const { return GCLASS(CGVTImportFolderRoot); }

CGVTImportFolderRoot* CreateImportFolderRoot() {
  auto* root = new CGVTImportFolderRoot;
  const CGVTImportFolderRoot* self = root;
  auto callback = [&](CGPrimitive* gadget, int code, GEventHandler handler) {
    gadget->AddEventCallback(code, handler, &self, sizeof self);
  };
  auto* layout = new CGRowColumn(root, 0, 0, 0, GSTYLE_ACTIVE, kWidth, 380, 1, 0);
  layout->mode = kRowColumnTopDown;
  layout->SetBackColor(kDialogBackColor);

  auto* top = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, 550, 30);
  new CGLabel(top, 10, 5, 100, 20, 0, 1, 0x02000000, kIdsMonitoring);
  new CGSkComboBox(top, 110, 5, 100, 20, CGVTImportFolderRoot::kIntervalId, GSTYLE_ACTIVE, 8, kIntervalTexts,
                   nullptr);

  auto* sheet = new CGSkSheet(layout, 0, 0, kWidth, kSheetHeight, CGVTImportFolderRoot::kSheetId,
                              GSTYLE_ACTIVE, 1, 16, 0, 18);
  auto* vbar = new CGVScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 18);
  vbar->Build(1);
  auto* hbar = new CGHScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 16);
  hbar->Build(1);
  auto* body = new CGSkSheetScreen(sheet, 0, GSTYLE_ACTIVE);
  new CGSkSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  auto* lines =
      new CGSingleSelectLine(sheet, 0, GSTYLE_ACTIVE, 1, 30, 1, 12, "", 2, 1, vt::LoadString(3001).c_str());
  callback(lines, GEVENT_CHANGED, &OnSelection);
  auto* use = new CGSkSTogLabelButtons(body, CGVTImportFolderRoot::kUseId, kIdsYes, 50, 1, nullptr);
  new CGSkSLabels(body, CGVTImportFolderRoot::kFolderId, kIdsFolder, 300, 1);
  auto* sub =
      new CGSkSTogLabelButtons(body, CGVTImportFolderRoot::kSubfolderId, kIdsSubfolder, 50, 1, nullptr);
  auto* reference = new CGSkSPushButtons(body, CGVTImportFolderRoot::kReferenceId, kIdsReference, 40, 2);
  callback(reference, GEVENT_CLICKED, &OnReference);
  new CGSkSComboBoxs(body, CGVTImportFolderRoot::kConvertId, kIdsConversion, 80, 3, kConvertTexts, nullptr);
  // The sub-folder column is too narrow for a text beside its lamps: its title names it.
  (void)use, (void)sub;

  auto* buttons = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, kWidth, 50);
  const struct {
    int x, id;
    uint32_t text;
    GEventHandler handler;
  } row[] = {{105, CGVTImportFolderRoot::kCreateId, kIdsCreate, &OnCreate},
             {210, CGVTImportFolderRoot::kDeleteId, kIdsDelete, &OnDelete},
             {315, CGVTImportFolderRoot::kOkId, kIdsOk, &OnOk},
             {420, CGVTImportFolderRoot::kCancelId, kIdsCancel, &OnCancel}};
  for (const auto& b : row)
    callback(new CGSkPushButton(buttons, b.x, 5, 100, 25, b.id, GSTYLE_ACTIVE, b.text), GEVENT_CLICKED,
             b.handler);

  root->SetLineCount(0);
  layout->LayoutTree();
  root->UpdateButtons();
  return root;
}

CGPrimitive* CGVTImportFolderRoot::Gadget(int id) const { return static_cast<CGPrimitive*>(FindById(id)); }

CGSheet* CGVTImportFolderRoot::Sheet() const { return static_cast<CGSheet*>(FindById(kSheetId)); }

CGSheetArray* CGVTImportFolderRoot::Column(int id) const { return static_cast<CGSheetArray*>(FindById(id)); }

int CGVTImportFolderRoot::SelectedLine() const {
  const CGSheet* sheet = Sheet();
  if (!sheet || sheet->m_selectionFirst < 0 || sheet->m_selectionFirst >= m_rowCount) return -1;
  return sheet->m_selectionFirst;
}

void CGVTImportFolderRoot::SetLineCount(int n) {
  m_rowCount = n;
  if (CGSheet* sheet = Sheet()) sheet->SetLineCount(n);
}

void CGVTImportFolderRoot::Relayout() {
  if (CGSheet* sheet = Sheet()) {
    sheet->LayoutTree();
    if (GetHostWindow()) sheet->Update();
  }
}

void CGVTImportFolderRoot::LoadValues(const SImportFolderEntry* table, int32_t interval) {
  int n = 0;
  for (int i = 0; table && i < kMaxLines; ++i)
    if (!table[i].folderPath.empty()) ++n;
  SetLineCount(n);
  if (CGSheet* sheet = Sheet()) sheet->SetSelection(-1, -1);
  for (int i = 0; i < n; ++i) {
    Column(kFolderId)->SetLineText(i, table[i].folderPath);
    Column(kSubfolderId)->SetLineIntValue(i, table[i].withSubfolders ? 1 : 0);
    Column(kUseId)->SetLineIntValue(i, table[i].inUse ? 1 : 0);
    Column(kUseId)->SetLineText(i, vt::LoadString(kIdsYes));
    Column(kConvertId)->SetLineIntValue(i, table[i].convertMode);
    Column(kReferenceId)->SetLineText(i, "...");
  }
  Gadget(kIntervalId)->SetValue(interval >= 0 && interval < 8 ? interval : 0);
  Relayout();
  UpdateButtons();
}

void CGVTImportFolderRoot::StoreValues(SImportFolderEntry* table, int32_t* interval) {
  for (int i = 0; i < kMaxLines; ++i) {
    SImportFolderEntry& e = table[i];
    if (i >= m_rowCount) {
      e = SImportFolderEntry{};
      continue;
    }
    int use = 0, sub = 0, convert = 0;
    Column(kUseId)->GetLineIntValue(i, &use);
    Column(kSubfolderId)->GetLineIntValue(i, &sub);
    Column(kConvertId)->GetLineIntValue(i, &convert);
    std::string path;
    Column(kFolderId)->GetLineText(i, &path);
    e.inUse = use != 0;
    e.folderPath = path;
    e.withSubfolders = sub != 0;
    e.convertMode = convert < 0 ? 0 : convert;
  }
  int value = 0;
  Gadget(kIntervalId)->GetValue(&value);
  *interval = value;
}

void CGVTImportFolderRoot::UpdateButtons() {
  auto enable = [&](int id, bool on) {
    CGPrimitive* b = Gadget(id);
    const int style = on ? GSTYLE_ACTIVE : GSTYLE_VISIBLE;
    if (!b || b->GetStyle() == style) return;
    b->SetStyle(style);
    if (GetHostWindow()) b->Update();
  };
  enable(kCreateId, m_rowCount < kMaxLines);
  enable(kDeleteId, m_rowCount > 0 && SelectedLine() >= 0);
}

void CGVTImportFolderRoot::FillScratch() {
  for (int i = 0; i < kMaxLines; ++i) {
    m_scratch[i] = SImportFolderEntry{};
    if (i < m_rowCount) Column(kFolderId)->GetLineText(i, &m_scratch[i].folderPath);
  }
}

void CGVTImportFolderRoot::CreateLine() {
  if (m_rowCount >= kMaxLines) return;
  vt::DialogWindow* dialog = DialogOf(this);
  CBrowseForImportFolder picker(dialog ? dialog->GetSafeHwnd() : 0, vt::LoadString(kIdsSelectImportFolder));
  picker.m_showCheckBox = 1;
  picker.m_initialCheck = 1;
  FillScratch();
  picker.m_folderTable = m_scratch;
  if (picker.DoModal() != 1) return;
  const int line = m_rowCount;
  SetLineCount(line + 1);
  Column(kFolderId)->SetLineText(line, picker.m_result);
  Column(kSubfolderId)->SetLineIntValue(line, picker.m_checkResult);
  Column(kUseId)->SetLineIntValue(line, 1);
  Column(kUseId)->SetLineText(line, vt::LoadString(kIdsYes));
  Column(kConvertId)->SetLineIntValue(line, 0);
  Column(kReferenceId)->SetLineText(line, "...");
  Relayout();
  UpdateButtons();
}

void CGVTImportFolderRoot::ReferenceLine(int line) {
  if (line < 0 || line >= m_rowCount) return;
  vt::DialogWindow* dialog = DialogOf(this);
  CBrowseForImportFolder picker(dialog ? dialog->GetSafeHwnd() : 0, vt::LoadString(kIdsSelectImportFolder));
  Column(kFolderId)->GetLineText(line, &picker.m_startFolder);
  int sub = 0;
  Column(kSubfolderId)->GetLineIntValue(line, &sub);
  picker.m_showCheckBox = 1;
  picker.m_initialCheck = sub ? 1 : 0;
  FillScratch();
  picker.m_folderTable = m_scratch;
  picker.m_excludedIndex = line;
  if (picker.DoModal() != 1) return;
  Column(kFolderId)->SetLineText(line, picker.m_result);
  Column(kSubfolderId)->SetLineIntValue(line, picker.m_checkResult);
  Relayout();
  UpdateButtons();
}

void CGVTImportFolderRoot::DeleteSelectedLine() {
  const int selected = SelectedLine();
  if (selected < 0) return;
  for (int k = selected; k + 1 < m_rowCount; ++k) {
    std::string text;
    int value = 0;
    Column(kFolderId)->GetLineText(k + 1, &text);
    Column(kFolderId)->SetLineText(k, text);
    for (int id : {kSubfolderId, kUseId, kConvertId}) {
      Column(id)->GetLineIntValue(k + 1, &value);
      Column(id)->SetLineIntValue(k, value);
    }
  }
  SetLineCount(m_rowCount - 1);
  Sheet()->SetSelection(-1, -1);
  Relayout();
  UpdateButtons();
}

CDlgImportFolder::CDlgImportFolder(vt::WindowHandle parent, const SImportFolderEntry* table, int32_t interval)
    : vt::DialogWindow(kTemplateId, parent), m_table(table), m_interval(interval) {}

CDlgImportFolder::~CDlgImportFolder() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgImportFolder::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  if (!m_root) m_root = static_cast<CGVTImportFolderRoot*>(TakePooledRoot(GCLASS(CGVTImportFolderRoot)));
  if (!m_root) m_root = CreateImportFolderRoot();
  // A pooled root keeps the values of its last opening: every value is loaded again.
  m_root->LoadValues(m_table, m_interval);
  AttachRootToDialog(*this, m_root);
  return true;
}
