// Msgdesk: the numbered user messages of the system, shown as message boxes.
//
// A message is named by its number; the library adds the severity's letter, the number with
// at least four digits and a new line in front of the text, takes caption and icon from the
// severity, and shows the box with the caller's button flags (MessageBox.h in the platform
// layer gives their values) and the buttons in the user's language. Any thread may call.
// Texts are UTF-8.
#pragma once
#include <cstdint>

#include "platform/base/Export.h"

extern "C" {

// Owner windows are handles of the platform's window registry (0: no owner).
typedef uint32_t MsgdeskWindow;

// The severity of a message: it picks the caption, the letter in front of the number and the icon.
typedef enum {
  MESSAGE_SEVERITY_ERROR = 0,        // "Error", E, error icon
  MESSAGE_SEVERITY_WARNING = 1,      // "Warning", W, warning icon
  MESSAGE_SEVERITY_INFORMATION = 2,  // "Information", M, information icon
} MESSAGE_SEVERITY;

// The size of the text buffer GetMessageInfo fills (text and its terminating NUL).
enum : int { MSGDESK_TEXT_BUFFER = 276 };

// Shows message key; returns the button that closed the box, or 0 with no box for a number
// the catalogue lacks.
VT_EXPORT int DisplayMessage(MsgdeskWindow owner, int key, unsigned int type);
// The same; a non-null extraText is added on a line of its own below the message text.
VT_EXPORT int DisplayMessage2(MsgdeskWindow owner, int key, unsigned int type, const char* extraText);
// 1 and the message's severity and text (into at least MSGDESK_TEXT_BUFFER bytes) when the key
// exists; 0 and nothing written otherwise.
VT_EXPORT int GetMessageInfo(int key, int* severity, char* text);
// Shows text as a message of that number and severity (0..2); 0 and no box for any other
// severity.
VT_EXPORT int ShowMessageBox(MsgdeskWindow owner, int number, int severity, const char* text,
                             unsigned int type);

}  // extern "C"
