// The trend-conversion dialog and its root (see CDlgDataConvert.h).
#include "document/ui/CDlgDataConvert.h"

#include <algorithm>
#include <cstring>

#include "document/DocumentTexts.h"
#include "gadget/GComboBox.h"
#include "gadget/GGroup.h"
#include "gadget/GRoot.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkButton.h"
#include "gadget/GTextField.h"
#include "platform/base/Numbers.h"
#include "platform/gui/CommonDialogs.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTDataConvertRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsStartTime = 3163, kIdsStopTime = 3164, kIdsSpecifyGroup = 3165;
constexpr uint32_t kIdsCellWithoutValue = 3241, kIdsFile = 505, kIdsBrowse = 3225;
constexpr uint32_t kIdsOk = 3018, kIdsCancel = 3017;
constexpr uint32_t kIdsExcelTrend = 3161, kIdsTextTrend = 3162;
constexpr uint32_t kIdsExcelFilter = 3169, kIdsTextFilter = 3171, kIdsFileNameChange = 3170;
constexpr uint32_t kCellTexts[2] = {3252, 3253};
constexpr vt::ColorRef kValueBack = 0x02ECEAE6, kBlack = 0x02000000;

CDlgDataConvert* DialogFrom(void* data) {
  CDlgDataConvert* dialog = nullptr;
  std::memcpy(&dialog, data, sizeof dialog);
  return dialog;
}

void OnBrowse(CGPrimitive*, int, void* data) { DialogFrom(data)->ChooseOutputFile(); }
void OnOk(CGPrimitive*, int, void* data) { DialogFrom(data)->Accept(); }
void OnCancel(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

std::string ConvertRangeTimeText(TickTime time) { return vt::EventTimeText(time); }

std::string WithConvertExtension(const std::string& path, bool text) {
  const char* extension = text ? ".txt" : ".xls";
  return path.find(extension) == std::string::npos ? path + extension : path;
}

CGVTDataConvertRoot::CGVTDataConvertRoot(int width, int height) : vt::CGVTDialogRoot(width, height) {}

const SGClassInfo* CGVTDataConvertRoot::GetClassInfo() const { return GCLASS(CGVTDataConvertRoot); }

CGVTDataConvertRoot* CreateDataConvertRoot(CDlgDataConvert* dialog) {
  const SDataConvertOption& o = dialog->m_option;
  const uint32_t labels[] = {kIdsStartTime, kIdsStopTime, kIdsSpecifyGroup, kIdsCellWithoutValue, kIdsFile};
  const int w = std::max(90, GetWidestTextWidth(nullptr, labels, 5, 10));
  const int W = 4 * w + 1;
  auto* root = new CGVTDataConvertRoot(W, 150);
  const CDlgDataConvert* self = dialog;
  auto callback = [&](CGPrimitive* gadget, GEventHandler handler) {
    gadget->AddEventCallback(GEVENT_CLICKED, handler, &self, sizeof self);
  };
  auto* layout = new CGRowColumn(root, 0, 0, 0, GSTYLE_ACTIVE, W, 150, 1, 0);
  layout->mode = kRowColumnTopDown;
  layout->SetBackColor(kDialogBackColor);

  auto* fields = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, W, 120);
  for (int i = 0; i < 5; ++i) new CGLabel(fields, 5, 5 + 20 * i, w, 20, 0, 1, kBlack, labels[i]);
  new CGLabel(fields, w + 5, 5, 2 * w, CGVTDataConvertRoot::kStartId, 2, 1, kValueBack, 1,
              ConvertRangeTimeText(o.startTime).c_str());
  new CGLabel(fields, w + 5, 25, 2 * w, CGVTDataConvertRoot::kStopId, 2, 1, kValueBack, 1,
              ConvertRangeTimeText(o.stopTime).c_str());
  auto* from =
      new CGSkText(fields, w + 5, 45, 25, 18, CGVTDataConvertRoot::kGroupFromId, kBlack, 0x02FFFFFF, 64);
  from->SetEditText(vt::FormatC("%d", o.groupFrom + 1));
  new CGLabel(fields, w + 30, 45, 25, 0, 0, 0, kDialogBackColor, 3, "-");
  auto* to =
      new CGSkText(fields, w + 55, 45, 25, 18, CGVTDataConvertRoot::kGroupToId, kBlack, 0x02FFFFFF, 64);
  to->SetEditText(vt::FormatC("%d", o.groupTo + 1));
  auto* cell = new CGSkComboBox(fields, w + 5, 65, w, 18, CGVTDataConvertRoot::kCellId, GSTYLE_ACTIVE, 2,
                                kCellTexts, nullptr);
  cell->SetValue(o.cellWithoutValue);
  new CGLabel(fields, w + 5, 85, 2 * w + 43, 20, CGVTDataConvertRoot::kPathId, 1, kValueBack, 1, kBlack, 12,
              o.outputPath.c_str());
  callback(new CGSkPushButton(fields, W - 35, 85, 30, 20, CGVTDataConvertRoot::kBrowseId, GSTYLE_ACTIVE,
                              kIdsBrowse),
           &OnBrowse);

  auto* buttons = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, W, 30);
  callback(
      new CGSkPushButton(buttons, W - 207, 0, 100, 25, CGVTDataConvertRoot::kOkId, GSTYLE_ACTIVE, kIdsOk),
      &OnOk);
  callback(new CGSkPushButton(buttons, W - 105, 0, 100, 25, CGVTDataConvertRoot::kCancelId, GSTYLE_ACTIVE,
                              kIdsCancel),
           &OnCancel);
  layout->LayoutTree();
  return root;
}

CDlgDataConvert::CDlgDataConvert(vt::WindowHandle parent) : vt::DialogWindow(kTemplateId, parent) {}

// Every opening builds its root from the options handed in, so a root is never reused: it is
// unbound from the window and deleted here rather than left to pile up.
CDlgDataConvert::~CDlgDataConvert() {
  if (!m_root) return;
  m_root->Release();
  delete TakePooledRoot(GCLASS(CGVTDataConvertRoot));
  m_root = nullptr;
}

bool CDlgDataConvert::OnInitDialog() {
  SetWindowText(vt::LoadString(m_format ? kIdsTextTrend : kIdsExcelTrend));
  if (!m_root) m_root = CreateDataConvertRoot(this);
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgDataConvert::ChooseOutputFile() {
  vt::SaveFileRequest request;
  request.owner = GetSafeHwnd();
  request.title = vt::LoadString(kIdsFileNameChange);
  request.filter = vt::LoadString(m_format ? kIdsTextFilter : kIdsExcelFilter);
  request.path = m_option.outputPath;
  const vt::SaveFileResult result = vt::SaveFile(request);
  if (result.button != 1) return;
  m_option.outputPath = WithConvertExtension(result.path, m_format != 0);
  if (!m_root) return;
  if (auto* label = static_cast<CGPrimitive*>(m_root->FindById(CGVTDataConvertRoot::kPathId))) {
    label->SetText(m_option.outputPath);
    if (m_root->GetHostWindow()) label->Update();
  }
}

void CDlgDataConvert::Accept() {
  SDataConvertOption option = m_option;
  if (m_root) {
    m_root->CloseInPlaceEditors();
    auto gadget = [&](int id) { return static_cast<CGPrimitive*>(m_root->FindById(id)); };
    auto number = [&](int id) {
      std::string text;
      if (CGPrimitive* g = gadget(id)) g->GetText(&text);
      return int(ParseInt64(text));
    };
    option.groupFrom = number(CGVTDataConvertRoot::kGroupFromId) - 1;
    option.groupTo = number(CGVTDataConvertRoot::kGroupToId) - 1;
    int cell = 0;
    if (CGPrimitive* g = gadget(CGVTDataConvertRoot::kCellId)) g->GetValue(&cell);
    option.cellWithoutValue = cell;
    if (CGPrimitive* g = gadget(CGVTDataConvertRoot::kPathId)) g->GetText(&option.outputPath);
  }
  SetOption(option);
  EndDialog(1);
}

void CDlgDataConvert::OnOK() {
  // Enter stores what the gadgets show, as the OK button does; without a root there is
  // nothing to confirm.
  if (m_root) Accept();
}
