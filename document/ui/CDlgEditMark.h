// The "Append Mark" dialog: edits one mark of the graph (shown or not, the side of its label,
// the display group of a new mark, title and comment). It appends a mark at a cursor (mode 2,
// without Delete) and edits or deletes an existing one (mode 0; mode 1 for a recorder's mark,
// where only the display and the side may change). It works on its own copy of the 392-byte
// mark record; OK and Enter store the gadgets into the copy and end with 1, Delete ends with
// 100, Cancel with 2.
//
// The root is built anew at every opening and deleted when the dialog ends (a pooled root would
// never be taken again, and the pool would grow with each opening).
#pragma once
#include "document/ui/DialogFrame.h"
#include "document/ui/MarkEditor.h"
#include "trend/MarkRecords.h"

GADGET_DECLARE_RECORD(CGVTEditMarkRoot)

class CGVTEditMarkRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kDisplayId = 1180,
    kPositionId = 1181,
    kGroupId = 1182,
    kTitleId = 1183,
    kCommentId = 1184,
    kOkId = 1,
    kCancelId = 2,
    kDeleteId = 3,
  };
  CGVTEditMarkRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;
  CGPrimitive* Gadget(int id) const { return static_cast<CGPrimitive*>(FindById(id)); }
  int m_mode = 0;
};

// The root for mark, with the dialog's mode; Delete hidden when hideDelete is 1.
CGVTEditMarkRoot* CreateEditMarkRoot(vt::DeviceContext* dc, const SNgMarkData& mark, int mode,
                                     int hideDelete);

class CDlgEditMark : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 332;
  enum : int { kModeEdit = 0, kModeRestricted = 1, kModeNew = 2 };

  // With a record the dialog edits a copy of it, else a new mark's defaults.
  CDlgEditMark(const SNgMarkData* record, vt::WindowHandle parent);
  ~CDlgEditMark() override;

  // The defaults of a new mark.
  static void SetDefaultMark(SNgMarkData* mark);
  // The gadgets into the record (any open editor closed first), then the dialog ends with 1.
  void StoreMarkValues();

  SNgMarkData m_mark;
  int m_groupIndex = 0;
  int m_hideDelete = 0;
  int m_mode = kModeEdit;
  CGVTEditMarkRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
  void OnOK() override { StoreMarkValues(); }
};

namespace vt_ui {

// The graph window's own mark editor: the dialog above.
class DialogMarkEditor : public MarkEditor {
 public:
  int Edit(vt::HostWindow* owner, SNgMarkData* record, int kind, int group) override;
  int Append(PreciseTime time, int group, SNgMarkData* record) override;
  static DialogMarkEditor& Instance();
};

}  // namespace vt_ui
