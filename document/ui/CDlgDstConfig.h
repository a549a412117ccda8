// The "DST setting" dialog: the daylight-saving rule of the display time zone. A radio box picks
// no daylight saving, the computer's own rule, or the rule of the two rows below (month,
// occurrence, weekday and hour of the start and of the end of summer time). The dialog only
// edits; the command stores the values into the rule after OK and applies the zone.
//
// OK and Enter act alike: a rule of its own whose start equals its end is refused with a message
// and the dialog stays open.
#pragma once
#include "document/CConfigurationFile.h"
#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTDstConfigRoot)

class CGVTDstConfigRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kTypeId = 1066,
    kStartMonthId = 1067,
    kEndMonthId = 1068,
    kStartWeeksId = 1069,
    kEndWeeksId = 1070,
    kStartWeekId = 1071,
    kEndWeekId = 1072,
    kStartHourId = 1073,
    kEndHourId = 1074,
    kOkId = 1,
    kCancelId = 2,
  };
  CGVTDstConfigRoot();
  const SGClassInfo* GetClassInfo() const override;

  void LoadValues(const SDstRule& rule);
  void StoreValues(SDstRule* rule);
  // True when the rule of its own is chosen and its start and end rows agree in every column.
  bool StartEqualsEnd();
  int Value(int id);
};

CGVTDstConfigRoot* CreateDstConfigRoot();

class CDlgDstConfig : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 330;
  CDlgDstConfig(vt::WindowHandle parent, SDstRule* rule);
  ~CDlgDstConfig() override;

  // The root's values into the rule (the command calls it after OK).
  void StoreValues();
  // The OK button and Enter: ends with OK unless the rule is refused (message 10117).
  void ValidateAndEnd();

  CGVTDstConfigRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
  void OnOK() override { ValidateAndEnd(); }

 private:
  SDstRule* m_rule;
};
