// Button sets, default and escape rules, and translated labels (see MessageBoxButtons.h).
#include "platform/gui/qt/MessageBoxButtons.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <cassert>
#include <map>
#include <memory>
#include <mutex>

#include "platform/base/Text.h"
#include "platform/gui/MessageBox.h"

namespace vt {

namespace {

const std::vector<int>& ButtonSet(uint32_t type) {
  static const std::vector<int> kSets[] = {
      {kIdOk},
      {kIdOk, kIdCancel},
      {kIdAbort, kIdRetry, kIdIgnore},
      {kIdYes, kIdNo, kIdCancel},
      {kIdYes, kIdNo},
      {kIdRetry, kIdCancel},
      {kIdCancel, kIdTryAgain, kIdContinue},
  };
  static const std::vector<int> kNone;
  uint32_t set = type & kMbTypeMask;
  return set < std::size(kSets) ? kSets[set] : kNone;
}

struct Label {
  int id;
  const char* english;  // as the box shows it untranslated
  const char* source;   // Qt's source text for its standard button, null when it has none
};

const Label kLabels[] = {
    {kIdOk, "OK", "OK"},           {kIdCancel, "Cancel", "Cancel"},      {kIdAbort, "&Abort", "Abort"},
    {kIdRetry, "&Retry", "Retry"}, {kIdIgnore, "&Ignore", "Ignore"},     {kIdYes, "&Yes", "&Yes"},
    {kIdNo, "&No", "&No"},         {kIdTryAgain, "&Try Again", nullptr}, {kIdContinue, "&Continue", nullptr},
};

// Primary language ids with a qtbase translation. Portuguese has only the Brazilian file and
// Chinese stands for the simplified one.
const struct {
  uint16_t language;
  const char* suffix;
} kTranslations[] = {
    {0x01, "ar"},
    {0x02, "bg"},
    {0x03, "ca"},
    {0x05, "cs"},
    {0x06, "da"},
    {kLangGerman, "de"},
    {kLangSpanish, "es"},
    {0x0B, "fi"},
    {kLangFrench, "fr"},
    {0x0D, "he"},
    {0x0E, "hu"},
    {kLangItalian, "it"},
    {kLangJapanese, "ja"},
    {kLangKorean, "ko"},
    {0x13, "nl"},
    {0x15, "pl"},
    {kLangPortuguese, "pt_BR"},
    {kLangRussian, "ru"},
    {0x1A, "hr"},
    {0x1B, "sk"},
    {0x1F, "tr"},
    {0x22, "uk"},
    {0x26, "lv"},
    {0x29, "fa"},
    {kLangChinese, "zh_CN"},
    {0x91, "gd"},
};

// One translator per language, loaded on first use and kept; nullptr when there is no file.
const QTranslator* TranslatorFor(uint16_t language) {
  static std::mutex mutex;
  static std::map<uint16_t, std::unique_ptr<QTranslator>> translators;
  std::lock_guard lock(mutex);
  auto it = translators.find(language);
  if (it == translators.end()) {
    std::unique_ptr<QTranslator> translator;
    QString file = MessageBoxTranslationFile(language);
    if (!file.isEmpty()) {
      translator = std::make_unique<QTranslator>();
      if (!translator->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) translator.reset();
    }
    it = translators.emplace(language, std::move(translator)).first;
  }
  return it->second.get();
}

}  // namespace

std::vector<int> MessageBoxButtonIds(uint32_t type) { return ButtonSet(type); }

int MessageBoxDefaultIndex(uint32_t type) {
  int index = int((type & kMbDefMask) >> 8);
  return index < int(ButtonSet(type).size()) ? index : 0;
}

int MessageBoxEscapeId(uint32_t type) {
  const std::vector<int>& ids = ButtonSet(type);
  for (int id : ids)
    if (id == kIdCancel) return kIdCancel;
  if (ids.size() == 1) return ids.front();
  return kIdNone;
}

QString MessageBoxTranslationFile(uint16_t language) {
  for (const auto& entry : kTranslations)
    if (entry.language == language) return QStringLiteral("qtbase_") + QLatin1String(entry.suffix);
  return {};
}

QString MessageBoxButtonLabel(int id, uint16_t language) {
  if (language == kLangNeutral) language = SystemLanguageId();
  for (const Label& label : kLabels) {
    if (label.id != id) continue;
    if (label.source) {
      if (const QTranslator* translator = TranslatorFor(language)) {
        QString translated = translator->translate("QPlatformTheme", label.source);
        if (!translated.isEmpty()) return translated;
      }
    }
    return QString::fromUtf8(label.english);
  }
  assert(!"unknown button id");
  return {};
}

}  // namespace vt
