// The application's conversion services: the file conversion made over the conversion
// progress window (the catalogue's "To Excel[File]" and "To Text[File]" commands call
// vt::ConvertStoredFiles with their selection), the site of the graph windows' trend
// conversions (the same progress window; the main frame joins a conversion when its end
// arrives), and the catalogue's commands. Exit and the end of the session cancel and join
// whatever conversion still runs.
#include "app/AppMessages.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/CatalogueActions.h"
#include "app/FileConversion.h"
#include "document/ui/TrendConversionCommand.h"

void CVantrelApp::RegisterConversionCommands() {
  vt::SetFileConversion(std::make_unique<vt::FileConversion>(GetConvertProgress(), GetMainWindow()));
  if (CMainFrame* frame = m_mainFrame.get()) {
    vt::TrendConversionSite site;
    site.progress = GetConvertProgress();
    site.owner = GetMainWindow();
    site.registerConversion = [frame](const void* doc, std::function<void()> join,
                                      std::function<void()> cancel) {
      frame->RegisterConversion(doc, std::move(join), std::move(cancel));
    };
    site.unregisterConversion = [frame](const void* doc) { frame->UnregisterConversion(doc); };
    // From the worker: the handle, not the frame object, which may be gone by then.
    const vt::WindowHandle window = frame->GetSafeHwnd();
    site.ended = [window](const void* doc) {
      vt::PostMessage(window, WM_VT_CONVERTDONE, reinterpret_cast<vt::WParam>(doc), 0);
    };
    vt::SetTrendConversionSite(std::move(site));
  }
  RegisterCatalogueCommands();
}

void CVantrelApp::StopConversions() {
  if (vt::FileConversion* conversion = vt::GetFileConversion()) conversion->Stop();
  if (m_mainFrame) m_mainFrame->StopConversions();
}
