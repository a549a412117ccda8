// The "To Excel[File]" / "To Text[File]" dialog: the destination folder and the sampling step for
// converting whole stored files. The root stays in the gadget pool between openings, so the
// step entered last time is shown again; the folder is always the caller's.
#pragma once
#include <string>

#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTFileConvertRoot)

// The folder converted files go to when the settings name none.
std::string DefaultFileConvertFolder();

class CGVTFileConvertRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kFolderId = 1190,
    kStepId = 1191,
    kBrowseId = 1193,
    kOkId = 1194,
    kCancelId = 1195
  };  // the buttons' ids are this dialog's own
  CGVTFileConvertRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;

  // Shows m_folder in its label.
  void ShowFolder();
  // "...": the folder picker over the dialog, starting at m_folder.
  void ChooseFolder();
  // "OK": the step from its field, then the dialog ends with 1.
  void Accept();

  std::string m_folder;
  int m_stepCount = 1;
};

CGVTFileConvertRoot* CreateFileConvertRoot();

class CDlgFileConvert : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 348;
  explicit CDlgFileConvert(vt::WindowHandle parent);
  // Hands the root back to the pool.
  ~CDlgFileConvert() override;

  // Inputs before DoModal; after it returned 1 the results are the root's folder and step count.
  int m_format = 0;  // 0 spreadsheet, anything else text
  std::string m_folder;
  CGVTFileConvertRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
};
