// The exported operations of Msgdesk (see Msgdesk.h).
//
// The box text is built to the size of the text, so a long extra text (a deep path) is shown
// whole and never written past a buffer; only GetMessageInfo fills a caller's buffer of fixed
// size, and every catalogue text fits it.
#include "msgdesk/Msgdesk.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "msgdesk/CLocaleInfo.h"
#include "msgdesk/MessageCatalogue.h"
#include "platform/gui/MessageBox.h"

// The program hands over the handles of the platform's window registry unchanged.
static_assert(std::is_same_v<MsgdeskWindow, vt::WindowHandle>);

namespace {

// The language part of a locale id: the primary language with a neutral sublanguage.
constexpr uint32_t kPrimaryLanguageMask = 0x3FF;

int ShowFound(MsgdeskWindow owner, const msgdesk::MessageRow& row, unsigned int type, const char* extraText) {
  std::string text = row.text;
  if (extraText) {
    text += '\n';
    text += extraText;
  }
  return ShowMessageBox(owner, row.key, row.severity, text.c_str(), type);
}

}  // namespace

extern "C" {

int DisplayMessage(MsgdeskWindow owner, int key, unsigned int type) {
  const msgdesk::MessageRow* row = msgdesk::FindMessage(key);
  return row ? ShowFound(owner, *row, type, nullptr) : 0;
}

int DisplayMessage2(MsgdeskWindow owner, int key, unsigned int type, const char* extraText) {
  const msgdesk::MessageRow* row = msgdesk::FindMessage(key);
  return row ? ShowFound(owner, *row, type, extraText) : 0;
}

int GetMessageInfo(int key, int* severity, char* text) {
  const msgdesk::MessageRow* row = msgdesk::FindMessage(key);
  if (!row) return 0;
  if (severity) *severity = row->severity;
  if (text) {
    std::size_t length = std::strlen(row->text);
    static_assert(MSGDESK_TEXT_BUFFER > 130, "the longest catalogue text must fit");
    if (length > MSGDESK_TEXT_BUFFER - 1) length = MSGDESK_TEXT_BUFFER - 1;
    std::memcpy(text, row->text, length);
    text[length] = '\0';
  }
  return 1;
}

int ShowMessageBox(MsgdeskWindow owner, int number, int severity, const char* text, unsigned int type) {
  const msgdesk::SeverityRow* row = msgdesk::FindSeverity(severity);
  if (!row) return 0;
  char numberLine[20];
  std::snprintf(numberLine, sizeof numberLine, "%04d\n", number);
  std::string boxText = row->letter;
  boxText += numberLine;
  if (text) boxText += text;
  uint32_t boxType = type | row->iconFlags;
  if (const msgdesk::CLocaleInfo* locale = msgdesk::CLocaleInfo::Instance())
    return vt::MessageBoxEx(owner, boxText, row->caption, boxType,
                            uint16_t(locale->UserLcid() & kPrimaryLanguageMask));
  return vt::MessageBox(owner, boxText, row->caption, boxType);
}

}  // extern "C"
