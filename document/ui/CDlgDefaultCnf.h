// The "Set Display Default" dialog: the colours and display choices every graph window opened
// later starts with (windows already open keep their own). The command stores the values into
// the settings record after OK; the settings file takes them at its next save.
#pragma once
#include "document/CConfigurationFile.h"
#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTDefaultConfigRoot)

class CGVTDefaultConfigRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kGridColorId = 1100,
    kBackColorId = 1101,
    kTagDisplayId = 1185,
    kWaveThickId = 1186,
    kCursorDispId = 1187,
    kCursorTransId = 1188,
    kCellValueId = 1189,
    kOkId = 1,
    kCancelId = 2,
  };
  CGVTDefaultConfigRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;

  void LoadValues(const SDisplayDefaults& values);
  void StoreValues(SDisplayDefaults* values);
};

CGVTDefaultConfigRoot* CreateDefaultConfigRoot();

class CDlgDefaultCnf : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 347;
  CDlgDefaultCnf(vt::WindowHandle parent, SDisplayDefaults* values);
  ~CDlgDefaultCnf() override;

  // The root's values into the record (the command calls it after OK).
  void StoreValues();

  CGVTDefaultConfigRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;

 private:
  SDisplayDefaults* m_values;
};
