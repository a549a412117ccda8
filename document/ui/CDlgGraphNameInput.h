// "Save graph as": asks for the name a graph window is saved under. The name is taken without
// blanks before and after it, and a name of blanks only is not taken (the dialog stays open);
// the box holds at most 32 characters. Enter does nothing here: only OK accepts a name.
#pragma once
#include <string>

#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTGraphNameInputRoot)

class CGVTGraphNameInputRoot : public CGVTDialogRoot {
 public:
  enum : int { kNameId = 1096, kOkId = 1, kCancelId = 2 };
  static constexpr int kNameLimit = 32;
  CGVTGraphNameInputRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;

  // The box's text trimmed; false (nothing stored) when no name is left.
  bool AcceptName();
  void SetName(const std::string& name);

  std::string m_name;
};

CGVTGraphNameInputRoot* CreateGraphNameInputRoot();

class CDlgGraphNameInput : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 344;
  explicit CDlgGraphNameInput(vt::WindowHandle parent);
  ~CDlgGraphNameInput() override;

  std::string m_name;
  CGVTGraphNameInputRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
  // Enter does not end the dialog; Escape and the close box cancel it.
  void OnOK() override {}
};

namespace vt_ui {
// Runs the dialog preset with *name; true with the entered name after OK.
bool AskGraphName(vt::WindowHandle parent, std::string* name);
}  // namespace vt_ui
