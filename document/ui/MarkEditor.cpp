// MarkEditor: the process-wide editor installed by the window side, and what a view does with
// its answer for a clicked mark.
#include "document/ui/MarkEditor.h"

#include "document/CGVantrelDoc.h"

namespace vt_ui {
namespace {
MarkEditor* g_editor = nullptr;
}  // namespace

void SetMarkEditor(MarkEditor* editor) { g_editor = editor; }
MarkEditor* GetMarkEditor() { return g_editor; }

void EditDocumentMark(CGVantrelDoc* doc, vt::HostWindow* owner, SNgMarkData record) {
  if (!doc || !g_editor) return;
  int kind = MARK_SOURCE_RECORDER;
  CGVantrelMarkDataManager* items = doc->GetMarkDataManager();
  for (CGCore* c = items->GetFirstChild(); c; c = items->NextChild(c))
    if (c->GetId() == record.id) {
      kind = static_cast<CGVantrelMarkData*>(c)->m_source;
      break;
    }
  switch (g_editor->Edit(owner, &record, kind, doc->GetCurrentGroupIndex())) {
    case kMarkEditOk:
      doc->UpdateMark(record);
      break;
    case kMarkEditDelete:
      doc->DeleteMark(record.id);
      break;
    default:
      break;
  }
}

}  // namespace vt_ui
