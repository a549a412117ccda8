// The trend-conversion commands of a graph window (see TrendConversionCommand.h).
#include "document/ui/TrendConversionCommand.h"

#include <utility>

#include "document/CGVantrelDoc.h"
#include "document/ui/CDlgDataConvert.h"
#include "document/ui/CDlgProgressbar.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/Application.h"
#include "platform/gui/MessageBox.h"

namespace vt {

namespace {

constexpr int kMsgLongProcessing = 10016;
constexpr int kMsgConversionError = 10218;
constexpr uint32_t kIdsConverting = 5030;

TrendConversionSite& Site() {
  static TrendConversionSite site;
  return site;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool ConvertTrend(CGVantrelDoc& doc, bool text, CDlgProgressbar* progress, WindowHandle owner,
                  std::function<void()> ended) {
  SDataConvertOption option = doc.PrepareConvertOption(text);
  {
    CDlgDataConvert dialog(0);
    dialog.m_format = text ? 1 : 0;
    dialog.SetOption(option);
    if (dialog.DoModal() != 1) return false;
    dialog.GetOption(&option);
  }
  option.format = text ? 1 : 0;
  doc.SetConvertOption(option);
  if (GraphWindowHost* host = GetGraphWindowHost()) host->SetConversionFolder(FolderOf(option.outputPath));
  doc.LoadHeaderInfo();
  if (doc.IsLongConversion() && DisplayMessage(owner, kMsgLongProcessing, kMbOkCancel) != kIdOk) return false;
  if (progress) {
    progress->m_cancelFunction = &CGVantrelDoc::CancelConversion;
    progress->m_cancelData = &doc;
    progress->ShowProgress(kIdsConverting);
  }
  doc.StartConversion([progress, owner, ended = std::move(ended)](int result) {
    if (progress) progress->HideProgress();
    if (result == kConvertFailed)
      Application::PostCall([owner] { DisplayMessage(owner, kMsgConversionError, kMbOk); });
    if (ended) ended();
  });
  return true;
}

TrendConversionSite SetTrendConversionSite(TrendConversionSite site) {
  std::swap(site, Site());
  return site;
}

bool RunTrendConversionCommand(CGVantrelDoc& doc, int id) {
  if (id != kCommandConvertTrendExcel && id != kCommandConvertTrendText) return false;
  const TrendConversionSite& site = Site();
  // Registered before the worker can end, so its end always finds the join; a previous run of
  // this document was joined before the dialog's options were stored.
  const void* key = &doc;
  if (site.registerConversion)
    site.registerConversion(
        key, [&doc] { doc.WaitForConvertThread(); }, [&doc] { CGVantrelDoc::CancelConversion(&doc); });
  std::function<void(const void*)> ended = site.ended;
  const bool started =
      ConvertTrend(doc, id == kCommandConvertTrendText, site.progress, site.owner, [ended, key] {
        if (ended) ended(key);
      });
  if (!started && !doc.GetConversion() && site.unregisterConversion) site.unregisterConversion(key);
  return true;
}

void CloseTrendConversion(CGVantrelDoc& doc) {
  CGVantrelDoc::CancelConversion(&doc);
  doc.WaitForConvertThread();
  if (Site().unregisterConversion) Site().unregisterConversion(&doc);
}

}  // namespace vt
