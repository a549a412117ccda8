// The button sets of a message box: which buttons a type asks for and in what order, which
// one is the default, what Esc and the close box answer, and the labels in a given language.
//
// Labels come from Qt's own translations of its standard buttons (qtbase_<lang>.qm), loaded
// into private translators so the rest of the program's Qt strings keep their language. A
// language without a translation file, and the two buttons Qt has no standard text for
// ("Try Again", "Continue"), show English.
#pragma once
#include <QString>
#include <cstdint>
#include <vector>

namespace vt {

// The ids of the buttons of type's set, left to right; empty for an unknown set.
std::vector<int> MessageBoxButtonIds(uint32_t type);
// Index into MessageBoxButtonIds of the default button.
int MessageBoxDefaultIndex(uint32_t type);
// What Esc and the close box answer: Cancel where the set has it, OK for a lone OK, and
// kIdNone (Esc does nothing, the close box is disabled) for Yes/No and Abort/Retry/Ignore.
int MessageBoxEscapeId(uint32_t type);
// The label of a button (with its mnemonic where it has one) in the language; kLangNeutral
// stands for the user's language.
QString MessageBoxButtonLabel(int id, uint16_t language);
// The translation file stem for a primary language id ("qtbase_de"), empty for English and
// for languages Qt has no file for.
QString MessageBoxTranslationFile(uint16_t language);

}  // namespace vt
