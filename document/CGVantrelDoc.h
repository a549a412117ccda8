// CGVantrelDoc: the model of one graph window. It holds the 50 groups of loaded channels, the
// marks and alarms of the loaded data, the two cursors, the time scale, the display switches,
// the print settings, the graph name and the placements of the window's views, and announces
// every change to the roots under it (the three views and the tool windows' repeaters) with one
// update hint. Loading, the time axis, the cursor searches and the mark commands are operations
// of the document; the dialogs that feed some of them live with the views.
//
// The document never reaches the application directly: the calls upwards go through
// vt::GraphWindowHost, and the graph view registers itself as the document's vt::GraphViewLink
// while it exists. User-interface thread only.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "document/CGVantrelAlarmData.h"
#include "document/CGVantrelGroupData.h"
#include "document/CGVantrelMarkData.h"
#include "document/GraphWindowHost.h"
#include "document/NgChannelOwner.h"
#include "document/PrintSettings.h"
#include "document/SDataConvertOption.h"
#include "document/TrendConversion.h"
#include "gadget/GDocument.h"
#include "recorder/CVTDataHeaderInfo.h"

GADGET_DECLARE_RECORD(CGVantrelDoc)
GADGET_DECLARE_RECORD(CGVantrelBeginEndTime)

// The update hints a graph document broadcasts.
enum DOC_UPDATE_HINT : int {
  HINT_STATISTICS = 2,
  HINT_REPEATERS = 4,
  HINT_CURSOR_A = 8,
  HINT_CURSOR_B = 9,
  HINT_RELOADED = 10,
  HINT_MARK_ADDED = 15,
  HINT_TAG_MODE = 18,
  HINT_CURSORS = 22,
  HINT_MARKS_DELETED = 23,
  HINT_ALARMS_SHOWN = 24,
  HINT_LEGEND_SHOWN = 25,
  HINT_COLOURS = 26,
  HINT_TIME_POSITION = 27,
  HINT_DAYLIGHT_SAVING = 28,
  HINT_RANGE_SHOWN = 29,
  HINT_MARK_CHANGED = 30,
  HINT_CHANNEL_SELECTED = 31,
};

inline constexpr int GROUP_CONTAINER_ID = 1147;
inline constexpr int CURSOR_REPEATER_ID = 1123;
inline constexpr int STATISTICS_REPEATER_ID = 1124;

namespace vt {

// The time-scale table: milliseconds per division and the division's width in pixels.
struct STimeScale {
  int64_t ms;
  double width;
};

}  // namespace vt
inline constexpr int TIME_SCALE_COUNT = 22;
extern const vt::STimeScale TIME_SCALE_TABLE[TIME_SCALE_COUNT];
// Samples of the current group per pixel at which a time scale is too compressed.
inline constexpr double SAMPLES_PER_PIXEL_LIMIT = 10000.0;
// Sample intervals above which printing, statistics and conversion ask first.
inline constexpr int64_t LONG_RANGE_SAMPLES = 50000;

// The time block record of a row-time source.
class CGVantrelBeginEndTime : public CGCore {
 public:
  explicit CGVantrelBeginEndTime(CGCore* parent, int block = 0) : CGCore(block, parent) {}
  ~CGVantrelBeginEndTime() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelBeginEndTime); }
  TickTime m_start, m_end;
  int32_t m_rowCount = 0;
};

namespace vt {

// What the application's document behind a graph document offers it.
class GraphDocumentOwner : public GadgetDocumentOwner {
 public:
  virtual void SetModifiedFlag(bool modified) = 0;
  // Closes the window's views whose kind (1 graph, 2 list, 3 sheet) is not listed, but never the
  // window's last view. Nothing by default (a document without views).
  virtual void CloseViewsExcept(const std::vector<int>& kinds) { (void)kinds; }
};

// The graph view as the document reaches it (registered by the view while it exists).
class GraphViewLink {
 public:
  virtual ~GraphViewLink() = default;
  // Stores the trend panel's state (shown range, axes, selection) into the current group.
  virtual void StoreGraphState() = 0;
  // The range the trend panel of the current group shows; false without a panel.
  virtual bool GetVisibleRange(PreciseTime* start, PreciseTime* end) = 0;
  virtual void ShowTimeRange(PreciseTime start, PreciseTime end) = 0;
  virtual HostWindow* GetHostWindow() = 0;
};

}  // namespace vt

class CVTBatchLoader;

class CGVantrelDoc : public CGDocument, public vt::NgChannelOwner {
 public:
  CGVantrelDoc(CGCore* rootMaster, vt::GraphDocumentOwner* owner);
  ~CGVantrelDoc() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelDoc); }

  // Repeaters and templates.
  virtual void AttachRepeaters();
  virtual void DetachRepeaters();
  virtual vt::DocTemplate* GetGraphTemplate();
  virtual vt::DocTemplate* GetListTemplate();
  virtual vt::DocTemplate* GetSheetTemplate();
  void SetGraphView(vt::GraphViewLink* view) { graphView_ = view; }
  vt::GraphViewLink* GetGraphView() const { return graphView_; }

  CGVantrelAlarmDataManager* GetAlarmDataManager() const { return m_alarms; }
  CGVantrelMarkDataManager* GetMarkDataManager() const { return m_marks; }
  // The mark item, container or mark record of hints 15, 23 and 30 while they are broadcast.
  void* GetHintItem() const { return m_hintItem; }

  // Cursors (0 = not set).
  TickTime GetCursorATime() const { return m_cursorA; }
  TickTime GetCursorBTime() const { return m_cursorB; }
  bool HasCursor() const { return m_cursorA.ticks != 0 || m_cursorB.ticks != 0; }
  // A missing time takes the other's value; both missing changes nothing.
  void SetCursors(std::optional<TickTime> a, std::optional<TickTime> b);
  // Both cursors as PreciseTime; -1 seconds each and -1 when no cursor is set.
  int GetCursorTimes(PreciseTime* a, PreciseTime* b) const;
  // Edit > Erase Cursor: both cursors unset.
  void EraseCursors();
  bool SetCursorsFromTimes(PreciseTime a, PreciseTime b);
  TickTime GetTimePosition() const { return m_timePosition; }

  // Groups.
  CGVantrelGroupData* GetGroup(int index) const;
  CGVantrelGroupData* GetCurrentGroup() const { return GetGroup(m_currentGroup); }
  int GetCurrentGroupIndex() const { return m_currentGroup; }
  int CountGroupsWithData() const;
  int FirstEmptyGroup() const;
  void ValidateCurrentGroup();
  void SetCurrentGroup(int index);
  bool AddGroups(const std::vector<vt::SVantrelGroupEntry>& entries, std::optional<TickTime> a,
                 std::optional<TickTime> b);
  bool AddToCurrentGroup(const std::vector<vt::SVantrelChannelKey>& keys, std::optional<TickTime> position,
                         std::optional<TickTime> a, std::optional<TickTime> b);

  // Printing.
  vt::SPrintSettings& GetPrintSettings() { return m_print; }
  const vt::SPrintSettings& GetPrintSettings() const { return m_print; }
  int GetPrintedGroupCount() const { return m_printedGroupCount; }
  void UpdatePrintGroups();
  void PreparePrint();
  CGVantrelGroupData* GetPrintedGroup(int n) const;
  int CountPrintPages();
  double GetPrintTraceThickness() const;
  // The print settings dialog's result: the block and the comment are taken, the printed groups
  // counted again; not marked modified and not broadcast.
  void SetPrintSettings(const vt::SPrintSettings& settings);

  // Batches in use and the header of a single batch.
  void RegisterBatch(const vt::Guid& batch);
  const std::set<vt::Guid, GuidLess>& GetBatchesInUse() const { return m_batchesInUse; }
  void LoadHeaderInfo();
  const CVTDataHeaderInfo& GetHeaderInfo() const { return m_headerInfo; }
  std::string GetBatchNameText() const;
  std::string GetFileMessageText() const { return m_headerInfo.headerText; }
  std::string GetInstrumentNameText() const { return m_headerInfo.instrumentName; }
  std::string GetInstrumentTypeText() const { return m_headerInfo.recorderType; }
  std::string GetSerialNoText() const { return m_headerInfo.serialNumber; }
  std::string GetSampleRateText() const;
  std::string GetStartTimeText() const;
  std::string GetStopTimeText() const;
  std::string GetStartConditionText() const;
  std::string GetStopConditionText() const;
  std::string GetTimeCorrectionText() const;
  std::string GetDataCountText() const;

  void RebuildChannelMaps();
  void ShowSelectedChannelProperties();
  bool CanShowSheet();
  bool CanCopySheetRows();
  // The rows of the current group between the earlier and the later cursor, as copied.
  std::string GetCursorRangeText();
  void CopyCursorRangeToClipboard();

  // Display switches and the tag mode.
  void SetTagMode(int mode);
  int GetTagMode() const { return m_tagMode; }
  void SetAlarmsShown(bool shown);
  bool AreAlarmsShown() const { return m_alarmsShown; }
  void SetLegendShown(bool shown);
  bool IsLegendShown() const { return m_legendShown; }
  void SetGraphColours(uint32_t grid, uint32_t back);

  // Time axis.
  int64_t GetTimeScale() const { return m_timeScale; }
  void SetTimeScale(int64_t ms) { m_timeScale = ms; }
  static double GetScaleWidth(int64_t ms);
  double GetCurrentInterval() const;
  double SamplesPerPixel(int64_t ms) const;
  bool IsTooCompressed() const;
  bool AdjustTimeScale();
  bool IsCoarsestScale() const;
  void StepTimeScale(int step);
  double GetSpanForWidth(int pixels) const;
  void FitRangeToWidth(PreciseTime* start, int width, PreciseTime* end);
  void GetRangeToShow(PreciseTime* start, int width, PreciseTime* end);
  void GetCurrentGroupRange(PreciseTime* start, PreciseTime* end) const;
  void GetShownRange(PreciseTime* start, PreciseTime* end);
  void ShowRange(PreciseTime start, PreciseTime end);
  void ShowTimeRange(int64_t from, int64_t to);
  bool IsLongRange(const CGVantrelGroupData* group = nullptr) const;

  // Cursor searches: cursorB false moves cursor A (hint 8), true cursor B (hint 9).
  void SearchAlarmBackward(bool cursorB);
  void SearchAlarmForward(bool cursorB);
  void SearchMarkBackward(bool cursorB);
  void SearchMarkForward(bool cursorB);
  void SearchDataStart(bool cursorB);
  void SearchDataEnd(bool cursorB);

  // Marks. AppendMark takes the edit-mark dialog's record; the new item, or null.
  CGVantrelMarkData* AppendMark(const SNgMarkData& record);
  void DeleteMarksInCursorRange();
  void DeleteMark(int id);
  void UpdateMark(const SNgMarkData& record);

  // Trend conversion (CGVantrelDocConvert.cpp). The options for a conversion of the groups
  // around the current one: the cursor range (else the current group's data), the conversion
  // folder (made when missing) and the graph name as file name.
  SDataConvertOption PrepareConvertOption(bool text);
  // Stores the options with the groups in order and within 0..49.
  void SetConvertOption(const SDataConvertOption& option);
  SDataConvertOption GetConvertOption() const { return m_convertOption; }
  bool IsLongConversion() const;
  // Waits for a previous conversion, then writes the stored options on a worker over a copy of
  // what they name; ended(result) runs on the worker when it is over. The cancel flag is
  // cleared here only, before the worker starts, so an early Cancel is never lost.
  void StartConversion(std::function<void(int result)> ended);
  // The progress window's cancel function (data: the document).
  static void CancelConversion(void* document);
  // Joins and forgets an ended or cancelled worker; nothing without one.
  void WaitForConvertThread();
  vt::TrendConversion* GetConversion() const { return m_conversion.get(); }

  // vt::NgChannelOwner
  bool PadsSheetCells() const override { return m_sheetPadding != 0; }
  int GetNameKind() const override { return m_tagMode; }
  void AddBatchInUse(const vt::Guid& batch) override { RegisterBatch(batch); }
  void ProcessPendingEvents() override {}

  // Display state saved with a graph.
  uint32_t m_gridColour = 0x025E5E5E;
  uint32_t m_backColour = 0x02FFFFFF;
  uint8_t m_alarmsShown = 1;
  uint8_t m_legendShown = 1;
  uint8_t m_axisClip = 0;
  int32_t m_axisGrouping = 0;
  int32_t m_legendMode = 1;
  int32_t m_axisLayout = 4;
  int32_t m_tagMode = 0;
  uint8_t m_cursorValuesShown = 1;
  int32_t m_cursorTransparency = 70;
  int32_t m_traceThickness = 1;
  uint8_t m_sheetPadding = 1;
  std::string m_graphName;
  std::string m_printComment;
  int32_t m_windowCount = 0;
  std::array<SGraphWindowEntry, 3> m_windows{};
  // Before the save question: marks the document modified when the window's open views or their
  // placements (as the host reports them) differ from the window records; the records stay.
  // Without a host nothing is compared.
  void CheckWindowLayout();
  // Whether the open views differ from the records: in count, in a kind, in the flags, or in the
  // part of the placement that the flags make count (bit 0 the minimised position, bit 1 the
  // maximised one, neither the show state and normal rectangle).
  static bool WindowLayoutDiffers(const std::vector<SGraphWindowEntry>& open, int count,
                                  const SGraphWindowEntry* records);
  // The trend conversion's worker exists (the copy of sheet rows is off meanwhile).
  bool m_converting = false;

  // Saved graphs (GraphConfigurationRecord.cpp).
  // The record of the document as it stands: groups with data, marks, cursors, the settings and
  // print blocks, and the views as the host reports them (which become the window records).
  void FillGraphConfiguration(SGraphConfiguration& record);
  // The group arrays of the record and the tag mode only (what the display settings edit).
  void FillGroupEntries(SGraphConfiguration& record);
  // Applies a record to a new document: groups, marks, settings, then the views opened or placed
  // through the host, each kept on the screen; the records then describe the views as placed.
  // False (after message 10212) when a group cannot be restored. Not marked modified.
  bool ApplyGraphConfiguration(SGraphConfiguration& record);
  // Holds the batch of every tag of the record while it is applied.
  void AddConfigurationBatches(const SGraphConfiguration& record, CVTBatchLoader* loader) const;
  // The name a plain save uses: the graph name, else the window's title.
  std::string GetGraphName() const;
  // File > Save graph: under the graph name through the host's saved-graph store (a stored name
  // asks the store's overwrite prompt). Cleared modified flag and true when it saved; a save
  // that added a name refreshes the catalogue's saved-graph lists.
  bool SaveGraph();
  // Asks for a name (preset with the current one); false when the user cancelled.
  using GraphNameAsker = std::function<bool(std::string* name)>;
  // Save graph as: asks until a name is saved or the user cancels; the name becomes the graph
  // name and the title. False when nothing was saved.
  bool SaveGraphAs(const GraphNameAsker& askName);
  // The display settings dialog's record taken back: batches in use emptied, groups restored
  // (group 0 current), marks reloaded or renumbered as the dialog reports. False after 10212.
  bool ApplyDisplaySettings(SGraphConfiguration& record, bool messageGroupsChanged, uint64_t removedGroups);

 private:
  void SetModified();
  void BroadcastItemHint(int hint, void* item);
  vt::WindowHandle MainWindow() const;
  void SetCursor(bool cursorB, TickTime t);
  void FinishLoad(bool scaleChanged, int hint);
  void SetCurrentPrintRange();
  void CleanWriteGroups(CGCore* moved);
  // Restores the record's groups into the reset groups; false after message 10212.
  bool RestoreGroups(SGraphConfiguration& record);
  void ApplyWindowRecords(const SGraphConfiguration& record);
  // Saves the record under name; notifies the saved-graph lists when the name was new.
  bool StoreGraph(const std::string& name, const GraphConfigurationHolder& holder, bool* added);
  // The range kept inside the current group's data, span kept where it fits.
  void KeepInData(PreciseTime* start, PreciseTime* end, double span) const;

  vt::GraphDocumentOwner* owner_;
  CGCore* m_container = nullptr;
  CGVantrelMarkDataManager* m_marks = nullptr;
  CGVantrelAlarmDataManager* m_alarms = nullptr;
  std::unique_ptr<VTAlarmLoader> m_alarmLoader;
  TickTime m_cursorA, m_cursorB, m_timePosition;
  int32_t m_currentGroup = 0;
  int64_t m_timeScale = 10000;
  vt::SPrintSettings m_print;
  int32_t m_printedGroupCount = 1;
  std::set<vt::Guid, GuidLess> m_batchesInUse;
  CVTDataHeaderInfo m_headerInfo;
  void* m_hintItem = nullptr;
  vt::GraphViewLink* graphView_ = nullptr;
  SDataConvertOption m_convertOption;
  std::unique_ptr<vt::TrendConversion> m_conversion;
};

// A sampling interval in milliseconds: "%u mSec" below 1000, "%u Min" above 59,999, else
// "%u Sec".
std::string FormatInterval(int32_t ms);
