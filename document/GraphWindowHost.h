// vt::GraphWindowHost: what a graph window's document asks of the application around it. The
// document library sits below the application, so every call upwards (document templates, the
// placements of the window's views, the property pane's selected channel, the catalogue list's
// refresh, the display defaults of the settings record, the saved-graph store, the main and tool
// windows, the conversion folder and progress window) goes through the one host the application
// installs at start-up. Without a host the document keeps its own defaults and the calls do
// nothing, so the document runs headless in tests and tools.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/base/Guid.h"
#include "platform/base/WindowHandles.h"
#include "store/GraphConfiguration.h"

class CVTGraphManager;
class CGVantrelDoc;

namespace vt {

class DocTemplate;

// The settings record's display defaults that a new graph document takes.
struct GraphDisplayDefaults {
  uint32_t gridColour = 0x025E5E5E;
  uint32_t backColour = 0x02FFFFFF;
  int tagDisplay = 0;   // 0 channel number, 1 tag name, 2 tag number (others are ignored)
  int cursorDisp = 0;   // 0 shows the cursor values
  int cursorTrans = 0;  // 0 makes the value boxes 70 % transparent
  int waveThick = 1;    // trace width in pixels
  int cellValue = 0;    // 0 pads sheet cells without a value
};

// The list-document notification that refreshes the catalogue's saved-graph list.
inline constexpr int kListNotifySavedGraphs = 6;

class GraphWindowHost {
 public:
  virtual ~GraphWindowHost() = default;

  // The application's document templates of the graph, list and sheet views.
  virtual DocTemplate* GetGraphTemplate() = 0;
  virtual DocTemplate* GetListTemplate() = 0;
  virtual DocTemplate* GetSheetTemplate() = 0;
  // Opens or places one view of the document's window as a saved window record says.
  virtual void ShowDocumentWindow(CGVantrelDoc* doc, const SGraphWindowEntry& entry) = 0;
  // The open views of the document's window, front to back.
  virtual std::vector<SGraphWindowEntry> GetDocumentWindowPlacements(const CGVantrelDoc* doc) = 0;
  // Shows this channel in the property pane.
  virtual void SetSelectedChannel(const Guid& batch, int channelNo) = 0;
  // Notifies the catalogue's list document (kListNotifySavedGraphs, ...).
  virtual void NotifyListDocument(int code) = 0;
  // The settings record's display defaults; nothing when there is no settings record.
  virtual std::optional<GraphDisplayDefaults> GetDisplayDefaults() = 0;
  // The saved-graph store; may be null.
  virtual CVTGraphManager* GetGraphStore() = 0;
  virtual WindowHandle GetMainWindow() = 0;
  virtual WindowHandle GetCursorControlWindow() = 0;
  virtual WindowHandle GetStatisticsWindow() = 0;
  virtual WindowHandle GetConvertProgressWindow() = 0;
  virtual std::string GetConversionFolder() = 0;
  virtual void SetConversionFolder(const std::string& folder) = 0;
};

// The installed host, or null. Installing returns the previous one; null uninstalls.
GraphWindowHost* GetGraphWindowHost();
GraphWindowHost* SetGraphWindowHost(GraphWindowHost* host);

}  // namespace vt
