// The "To Excel[Trend]" and "To Text[Trend]" commands of a graph window: the trend-conversion
// dialog over the document's prepared options, the question before a long conversion, then the
// conversion progress window and the document's worker. A failed conversion shows message
// 10218 on the user-interface thread; a cancelled one shows nothing.
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

}  // namespace vt
