// MarkEditor: how the graph and sheet roots open the edit-mark dialog. The dialog is a window of
// its own that the window side provides; a root only hands it the clicked mark's record and acts
// on its answer (change the mark, delete it, or nothing), which lets a test stand in for it.
#pragma once
#include "trend/MarkRecords.h"

class CGVantrelDoc;

namespace vt {
class HostWindow;
}

namespace vt_ui {

// The dialog's answers that change something; any other answer leaves the document alone.
inline constexpr int kMarkEditOk = 1;
inline constexpr int kMarkEditDelete = 100;

class MarkEditor {
 public:
  virtual ~MarkEditor() = default;
  // Runs the dialog modally over owner on record (edited in place). kind is the mark's source
  // (1 recorder: only display and position may change; 2 user); group the document's current
  // group.
  virtual int Edit(vt::HostWindow* owner, SNgMarkData* record, int kind, int group) = 0;
  // Runs the dialog for a new mark over the main window: its default mark at time, for group,
  // without Delete; on OK (1) record holds the new mark.
  virtual int Append(PreciseTime time, int group, SNgMarkData* record) = 0;
};

// The process-wide editor, null until the window side installs one; without one a click on a
// mark or a note opens nothing.
void SetMarkEditor(MarkEditor* editor);
MarkEditor* GetMarkEditor();

// A mark of the document was clicked in a view over owner: the editor runs for its record
// (restricted for a recorder's mark, as the document's item with that id tells; a mark the
// document does not know counts as a recorder's) and the answer changes or deletes the mark.
// Nothing without an editor.
void EditDocumentMark(CGVantrelDoc* doc, vt::HostWindow* owner, SNgMarkData record);

}  // namespace vt_ui
