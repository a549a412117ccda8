// MarkEditor: the process-wide editor installed by the window side.
#include "document/ui/MarkEditor.h"

namespace vt_ui {
namespace {
MarkEditor* g_editor = nullptr;
}  // namespace

void SetMarkEditor(MarkEditor* editor) { g_editor = editor; }
MarkEditor* GetMarkEditor() { return g_editor; }

}  // namespace vt_ui
