// Message boxes: a caption, a plain text, an icon by severity and one of the fixed button sets,
// modal over an owner window named by its handle.
//
// The numbers below are the ones the program and the shipped libraries pass across their
// interfaces (type flags in, button ids out), so they keep their historical values. A box may
// be asked for from any thread: a worker's request is handed to the user-interface thread and
// the worker waits there for the answer. What actually answers is the installed provider
// (MessageBoxProvider.h): the real dialog by default, a capture in tests.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/WindowHandles.h"

namespace vt {

// Button sets (type & kMbTypeMask), buttons left to right as listed.
constexpr uint32_t kMbOk = 0x0;                 // OK
constexpr uint32_t kMbOkCancel = 0x1;           // OK, Cancel
constexpr uint32_t kMbAbortRetryIgnore = 0x2;   // Abort, Retry, Ignore
constexpr uint32_t kMbYesNoCancel = 0x3;        // Yes, No, Cancel
constexpr uint32_t kMbYesNo = 0x4;              // Yes, No
constexpr uint32_t kMbRetryCancel = 0x5;        // Retry, Cancel
constexpr uint32_t kMbCancelTryContinue = 0x6;  // Cancel, Try Again, Continue
constexpr uint32_t kMbTypeMask = 0xF;

// Icons (type & kMbIconMask); any other value shows no icon.
constexpr uint32_t kMbIconError = 0x10;
constexpr uint32_t kMbIconQuestion = 0x20;
constexpr uint32_t kMbIconWarning = 0x30;
constexpr uint32_t kMbIconInformation = 0x40;
constexpr uint32_t kMbIconMask = 0xF0;

// Default button (type & kMbDefMask): the nth button of the set; past the set's end, the first.
constexpr uint32_t kMbDefButton1 = 0x000;
constexpr uint32_t kMbDefButton2 = 0x100;
constexpr uint32_t kMbDefButton3 = 0x200;
constexpr uint32_t kMbDefButton4 = 0x300;
constexpr uint32_t kMbDefMask = 0xF00;

// Modality: a system-modal or topmost box stays above other windows.
constexpr uint32_t kMbSystemModal = 0x1000;
constexpr uint32_t kMbTaskModal = 0x2000;
constexpr uint32_t kMbTopmost = 0x40000;

// Results: the button that closed the box; kIdNone when no box could be shown (no user
// interface, an unknown button set).
constexpr int kIdNone = 0;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr int kIdTryAgain = 10;
constexpr int kIdContinue = 11;

// One request as a provider sees it. Texts are UTF-8 and shown as plain text ("\n" breaks a
// line; nothing is markup). language is a primary language id (Text.h, kLangGerman, ...) for
// the button labels; kLangNeutral means the user's language.
struct MessageBoxRequest {
  WindowHandle owner = 0;
  std::string text;
  std::string caption;
  uint32_t type = kMbOk;
  uint16_t language = 0;
};

// Shows the box and returns the button pressed. Any thread; see above.
int MessageBoxEx(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type,
                 uint16_t language);
// The same with the buttons in the user's language.
int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type);

}  // namespace vt
