// The "Automatic import folder setting" dialog: up to eight folders to import from, each with
// its use, sub-folder and conversion choices, and the monitoring interval. The command loads it
// from the settings record's folder table and, after OK, stores the lines back packed from the
// first entry (entries after the last line cleared), writes the settings file and re-arms
// automatic import.
#pragma once
#include <cstdint>

#include "document/ui/CBrowseForFolder.h"
#include "document/ui/DialogFrame.h"
#include "gadget/sheet/GSkSheetLine.h"

GADGET_DECLARE_RECORD(CGSingleSelectLine)
GADGET_DECLARE_RECORD(CGVTImportFolderRoot)

class CGSheet;
class CGSheetArray;

// A numbered line header in which a click selects that one line (no ranges, no dragging).
class CGSingleSelectLine : public CGSkSLine {
 public:
  using CGSkSLine::CGSkSLine;
  const SGClassInfo* GetClassInfo() const override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
};

class CGVTImportFolderRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kIntervalId = 1064,
    kSheetId = 1062,
    kUseId = 1065,
    kFolderId = 1024,
    kSubfolderId = 1063,
    kConvertId = 1192,
    kCreateId = 1027,
    kDeleteId = 1030,
    kOkId = 1031,  // the OK and Cancel buttons' ids are this dialog's own
    kCancelId = 1032,
    kReferenceId = 1033,
  };
  static constexpr int kMaxLines = AUTO_IMPORT_FOLDER_COUNT;

  CGVTImportFolderRoot();
  const SGClassInfo* GetClassInfo() const override;

  // Lines from the table's non-empty paths (from the front), and the interval choice.
  void LoadValues(const SImportFolderEntry* table, int32_t interval);
  // The lines into entries 0.., the rest cleared; the interval choice.
  void StoreValues(SImportFolderEntry* table, int32_t* interval);
  // Create while there is room for a line; Delete while a line is selected.
  void UpdateButtons();

  // Commands of the buttons (also called by tests).
  void CreateLine();
  void ReferenceLine(int line);
  void DeleteSelectedLine();

  int LineCount() const { return m_rowCount; }
  int SelectedLine() const;
  CGSheet* Sheet() const;
  CGSheetArray* Column(int id) const;
  CGPrimitive* Gadget(int id) const;

  int m_rowCount = 0;
  SImportFolderEntry m_scratch[kMaxLines];

  // The sheet's and the columns' line count.
  void SetLineCount(int n);

 private:
  void FillScratch();
  void Relayout();
};

CGVTImportFolderRoot* CreateImportFolderRoot();

class CDlgImportFolder : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 329;

  // table and interval are shown when the dialog opens; they are read, not written.
  CDlgImportFolder(vt::WindowHandle parent, const SImportFolderEntry* table, int32_t interval);
  // Hands the root back to the gadget pool.
  ~CDlgImportFolder() override;

  CGVTImportFolderRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;

 private:
  const SImportFolderEntry* m_table;
  int32_t m_interval;
};
