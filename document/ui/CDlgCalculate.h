// The statistics window: a modeless tool window that shows, for the current group of the graph
// window it is bound to, the minimum, maximum, peak-to-peak difference and mean of every shown
// channel between cursor A and cursor B (over all the data when no cursor is set), and copies
// that table to the clipboard as tab-separated text (its button or Ctrl+C).
//
// The main frame makes it hidden at start-up and binds it with Window > Statistics; its
// "Re-Calc." button sends that command again, so a recalculation binds it to the graph window
// active then. Every graph document passes its hints to the window's root through its repeater
// 1124; the root ignores them while the window is hidden, except that it forgets a document that
// detaches (a document going away). A calculation reads each channel once for all its figures,
// handles pending events at most every 20 ms meanwhile, and refuses a second request while it
// runs. User-interface thread only.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "document/ui/DialogFrame.h"
#include "gadget/GGroup.h"
#include "recorder/PreciseTime.h"

GADGET_DECLARE_RECORD(CGVTCalculate)
GADGET_DECLARE_RECORD(CGVTCalculateRoot)

class CGVantrelDoc;
class CGVTTimeLabelVolume;
class CGSheet;
class CGSDigitals;
class CGSChannelLine;
class CDlgProgressbar;

// The statistics gadget: section times, the two buttons and the table; it does the work.
class CGVTCalculate : public CGGroup {
 public:
  static constexpr int kRecalcId = 1121, kCopyId = 1122, kTimeAId = 1119, kTimeBId = 1120;
  static constexpr int kSheetId = 1125;
  static constexpr int kMinId = 1128, kMaxId = 1129, kPeakId = 1130, kMeanId = 1131;
  static constexpr int kMaxLines = 200;

  explicit CGVTCalculate(CGCore* root);
  const SGClassInfo* GetClassInfo() const override;
  // 2 recalculates; 4 follows the document; 8, 9 and 22 empty the figures when the cursors
  // left the section; 28 redraws.
  void OnUpdate(int hint, void* data) override;

  // The recalculation request for doc (null: an empty table).
  void Recalculate(CGVantrelDoc* doc);
  // Empties the section times and figures when doc's cursors are not the section any more.
  void ClearIfSectionChanged(CGVantrelDoc* doc);
  // The table as the clipboard gets it.
  std::string GetStatisticsText();
  // Puts the text on the clipboard; 10220 when that fails.
  void CopyStatistics();
  // The document the window shows, or null.
  CGVantrelDoc* GetDocument() const { return m_document; }
  void ForgetDocument(CGVantrelDoc* doc);

  CGSheet* m_sheet = nullptr;
  CGSChannelLine* m_lines = nullptr;
  CGSDigitals* m_columns[4] = {};
  CGVTTimeLabelVolume* m_timeA = nullptr;
  CGVTTimeLabelVolume* m_timeB = nullptr;
  bool m_busy = false;
  int m_nameKind = -1;
  int m_lineCount = -1;
  PreciseTime m_sectionA, m_sectionB;
  // Asked before a section of more than 50,000 samples is read (10016); true goes on.
  bool (*m_confirmLongRange)(vt::WindowHandle owner) = nullptr;

 private:
  void FillFigures(CGVantrelDoc* doc, CDlgProgressbar* progress);
  void EmptyFigures(int lines);

  CGVantrelDoc* m_document = nullptr;
};

class CGVTCalculateRoot : public vt::CGVTDialogRoot {
 public:
  CGVTCalculateRoot();
  const SGClassInfo* GetClassInfo() const override;
  // Passes hints on and redraws only while the window is shown.
  void OnUpdate(int hint, void* data) override;
  // Ctrl+C (its first press only) copies the table.
  void OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags) override;
  CGVTCalculate* Calculate() const;
};

// The root with its gadget, 473 x 389.
CGVTCalculateRoot* CreateCalculateRoot();

class CDlgCalculate : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 342;
  static constexpr int kCommandId = 32915;

  // Made at once, hidden, with parent (the main window) as its transient parent.
  explicit CDlgCalculate(vt::WindowHandle parent);
  ~CDlgCalculate() override;

  // Binds the window to doc (null: none): the title names the graph and its current group,
  // then the figures are calculated.
  void SetDocument(CGVantrelDoc* doc);
  CGVTCalculateRoot* GetRoot() const { return m_root; }
  // The command "Re-Calc." sends; the owner runs it (the main frame's Window > Statistics).
  std::function<void(int id)> commandSink;
  // Hands id to the command sink; nothing without one.
  void SendCommand(int id);

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override { ShowWindow(false); }
  vt::LResult WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) override;

 private:
  CGVTCalculateRoot* m_root = nullptr;
};

// "Statistics", or "Statistics[graph:group]" for a document.
std::string StatisticsTitle(const CGVantrelDoc* doc);
