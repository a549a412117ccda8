// The desktop's opener of files (see ShellOpener.h).
#include "platform/gui/ShellOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace vt {
namespace {

class DesktopShellOpener : public ShellOpener {
 public:
  bool Open(const std::string& path, WindowHandle owner) override {
    (void)owner;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  }
};

DesktopShellOpener g_desktopOpener;
ShellOpener* g_opener = nullptr;

}  // namespace

ShellOpener* SetShellOpener(ShellOpener* opener) {
  ShellOpener* previous = g_opener;
  g_opener = opener;
  return previous;
}

ShellOpener& CurrentShellOpener() { return g_opener ? *g_opener : g_desktopOpener; }

}  // namespace vt
