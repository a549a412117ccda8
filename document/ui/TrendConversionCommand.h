// The "To Excel[Trend]" and "To Text[Trend]" commands of a graph window: the trend-conversion
// dialog over the document's prepared options, the question before a long conversion, then the
// conversion progress window and the document's worker. A failed conversion shows message
// 10218 on the user-interface thread; a cancelled one shows nothing.
//
// The application installs where a window's conversion reports: the progress window, the owner
// of the messages, and the main window's bookkeeping, which keeps each running conversion's join
// until the worker's end arrives there (and which exit and the end of the session use to cancel
// and join whatever still runs). The document's window drops its conversion when it closes.
#pragma once
#include <functional>

#include "platform/base/WindowHandles.h"

class CGVantrelDoc;
class CDlgProgressbar;

namespace vt {

// text: the text format. progress may be null. ended runs on the worker when the writing is
// over, after the progress window was hidden: it should only post (the graph window's frame
// then calls the document's WaitForConvertThread). False when nothing was started.
bool ConvertTrend(CGVantrelDoc& doc, bool text, CDlgProgressbar* progress, WindowHandle owner,
                  std::function<void()> ended);

struct TrendConversionSite {
  CDlgProgressbar* progress = nullptr;
  WindowHandle owner = 0;
  // Keeps join and cancel for the document until it unregisters (user-interface thread).
  std::function<void(const void* document, std::function<void()> join, std::function<void()> cancel)>
      registerConversion;
  std::function<void(const void* document)> unregisterConversion;
  // On the worker, once the writing is over: hands the end to the user-interface thread, which
  // then runs the registered join.
  std::function<void(const void* document)> ended;
};

// Installs the site (an empty one uninstalls); returns the previous one.
TrendConversionSite SetTrendConversionSite(TrendConversionSite site);

// Command ids of the two trend conversions.
inline constexpr int kCommandConvertTrendExcel = 32897;
inline constexpr int kCommandConvertTrendText = 32898;

// Runs 32897 or 32898 for the document through the installed site; false for any other id.
bool RunTrendConversionCommand(CGVantrelDoc& doc, int id);
// The document's window closes: a running conversion is cancelled and joined here, on the
// user-interface thread, and the site forgets the document.
void CloseTrendConversion(CGVantrelDoc& doc);

}  // namespace vt
