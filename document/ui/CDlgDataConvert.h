// The "To Excel[Trend]" / "To Text[Trend]" dialog of a graph window: shows the time range of the
// conversion and asks for the groups, the treatment of cells without a value and the output file.
// Its root is built anew at every opening from the options handed in; OK stores what the
// gadgets show back into the options. Group numbers are taken as typed (minus one): the
// document limits them when it stores the options.
#pragma once
#include <string>

#include "document/SDataConvertOption.h"
#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTDataConvertRoot)

class CGVTDataConvertRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kStartId = 1102,
    kStopId = 1103,
    kGroupFromId = 1104,
    kGroupToId = 1105,
    kCellId = 1106,
    kPathId = 1107,
    kBrowseId = 1108,  // the buttons' ids are this dialog's own
    kOkId = 1109,
    kCancelId = 1110,
  };
  CGVTDataConvertRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;
};

class CDlgDataConvert;
CGVTDataConvertRoot* CreateDataConvertRoot(CDlgDataConvert* dialog);

// The time text of the range labels ("YYYY/MM/DD hh:mm:ss.mmm").
std::string ConvertRangeTimeText(TickTime time);
// The chosen output path with the format's extension appended unless it already holds it.
std::string WithConvertExtension(const std::string& path, bool text);

class CDlgDataConvert : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 339;
  explicit CDlgDataConvert(vt::WindowHandle parent);
  ~CDlgDataConvert() override;

  void SetOption(const SDataConvertOption& option) { m_option = option; }
  void GetOption(SDataConvertOption* option) const { *option = m_option; }

  // "...": the save-file dialog for the output path.
  void ChooseOutputFile();
  // "OK" and Enter: the gadgets' values into the options, then the dialog ends with 1.
  void Accept();
  // Enter: the same as the OK button.
  void OnOK() override;

  int m_format = 0;  // 0 spreadsheet, anything else text
  SDataConvertOption m_option;
  CGVTDataConvertRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
};
