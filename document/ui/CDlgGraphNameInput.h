// The "Save graph as" dialog: the name under which a graph configuration is saved, at most 32
// characters. OK and Enter accept the text without its leading and trailing blanks; a name of
// blanks only keeps the dialog open. Escape and Cancel end it with 2. The root is pooled.
#pragma once
#include <string>

#include "document/ui/DialogFrame.h"

GADGET_DECLARE_RECORD(CGVTGraphNameInputRoot)

class CGVTGraphNameInputRoot : public CGSkRoot {
 public:
  enum : int { kNameId = 1, kOkId = 2, kCancelId = 3 };
  CGVTGraphNameInputRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;
  vt::ColorRef GetBackColor() const override { return CGGroup::GetBackColor(); }
  std::string m_name;
};

CGVTGraphNameInputRoot* CreateGraphNameInputRoot(vt::DeviceContext* dc);

class CDlgGraphNameInput : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 344;
  static constexpr int kNameChars = 32;
  explicit CDlgGraphNameInput(vt::WindowHandle parent);
  ~CDlgGraphNameInput() override;

  // Takes the trimmed name and ends with OK; an empty one changes nothing.
  void AcceptName();

  std::string m_name;
  CGVTGraphNameInputRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
  void OnOK() override { AcceptName(); }
};

namespace vt_ui {
// Runs the dialog preset with *name; true with the entered name after OK.
bool AskGraphName(vt::WindowHandle parent, std::string* name);
}  // namespace vt_ui
