// The profile over QSettings in INI format (see Profile.h).
#include "platform/gui/Profile.h"

#include <QSettings>
#include <QString>
#include <cstdlib>

namespace vt {

namespace {

QString Key(std::string_view section, std::string_view entry) {
  return QString::fromUtf8(Profile::kGroup) + QLatin1Char('/') +
         QString::fromUtf8(section.data(), qsizetype(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(entry.data(), qsizetype(entry.size()));
}

std::string ConfigBase() {
  if (const char* root = std::getenv("VANTREL_ROOT"); root && *root) return std::string(root) + "/config";
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.config";
}

}  // namespace

struct Profile::Impl {
  QSettings settings{QString::fromStdString(Profile::FilePath()), QSettings::IniFormat};
};

Profile::Profile() : impl_(std::make_unique<Impl>()) {}

Profile::~Profile() { impl_->settings.sync(); }

std::string Profile::FilePath() { return ConfigBase() + "/Morvane/Vantrel.ini"; }

int Profile::GetInt(std::string_view section, std::string_view entry, int defaultValue) const {
  bool ok = false;
  const int value = impl_->settings.value(Key(section, entry)).toInt(&ok);
  return ok ? value : defaultValue;
}

void Profile::WriteInt(std::string_view section, std::string_view entry, int value) {
  impl_->settings.setValue(Key(section, entry), value);
}

std::string Profile::GetString(std::string_view section, std::string_view entry,
                               std::string_view defaultValue) const {
  const QVariant value = impl_->settings.value(Key(section, entry));
  if (!value.isValid()) return std::string(defaultValue);
  return value.toString().toStdString();
}

void Profile::WriteString(std::string_view section, std::string_view entry, std::string_view value) {
  impl_->settings.setValue(Key(section, entry), QString::fromUtf8(value.data(), qsizetype(value.size())));
}

bool Profile::Sync() {
  impl_->settings.sync();
  return impl_->settings.status() == QSettings::NoError;
}

}  // namespace vt
