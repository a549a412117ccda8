// Translation of Qt keys, buttons and modifiers into key codes and mouse flags.
#include "platform/gui/VirtualKeys.h"

#include <Qt>

namespace vt {

uint32_t VirtualKeyFromQt(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return uint32_t(key);  // same codes as ASCII capitals
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return uint32_t(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return kVkF1 + uint32_t(key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kVkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kVkReturn;
    case Qt::Key_Shift:
      return kVkShift;
    case Qt::Key_Control:
      return kVkControl;
    case Qt::Key_Alt:
      return kVkMenu;
    case Qt::Key_Pause:
      return kVkPause;
    case Qt::Key_CapsLock:
      return kVkCapital;
    case Qt::Key_Escape:
      return kVkEscape;
    case Qt::Key_Space:
      return kVkSpace;
    case Qt::Key_PageUp:
      return kVkPrior;
    case Qt::Key_PageDown:
      return kVkNext;
    case Qt::Key_End:
      return kVkEnd;
    case Qt::Key_Home:
      return kVkHome;
    case Qt::Key_Left:
      return kVkLeft;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Right:
      return kVkRight;
    case Qt::Key_Down:
      return kVkDown;
    case Qt::Key_Insert:
      return kVkInsert;
    case Qt::Key_Delete:
      return kVkDelete;
    case Qt::Key_Plus:
      return kVkAdd;
    case Qt::Key_Minus:
      return kVkSubtract;
    default:
      return 0;
  }
}

uint32_t MouseFlagsFromQt(int buttons, int modifiers) {
  uint32_t flags = 0;
  if (buttons & Qt::LeftButton) flags |= kMkLButton;
  if (buttons & Qt::RightButton) flags |= kMkRButton;
  if (buttons & Qt::MiddleButton) flags |= kMkMButton;
  if (modifiers & Qt::ShiftModifier) flags |= kMkShift;
  if (modifiers & Qt::ControlModifier) flags |= kMkControl;
  return flags;
}

}  // namespace vt
