// CMainFrame: the program's main window. A multi-document frame for the graph windows with the
// menu bar (menu 128, or 131 while a graph window is active), the main and search toolbars, the
// status bar with the automatic-import indicator over pane 104, and three docking panes
// (Navigation left, Search top, Properties right) whose contents the catalogue hands in. It is
// the receiver of the program's private messages (AppMessages.h), posted by the import worker,
// the conversion threads and the user-interface thread itself, and it keeps the workspace (bars,
// panes, its own place) and the theme id in the user's profile.
//
// The window is a Qt widget behind this Qt-free face; tests find its parts by object name:
// "mdiArea", "toolbar.129", "toolbar.130", "statusbar", "pane.103", "pane.104",
// "importIndicator", "pane.134"/"pane.135"/"pane.136" and every command's action "cmd.<id>".
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/ui/CDlgCalculate.h"
#include "document/ui/CDlgCursorControl.h"
#include "document/ui/CGVantrelPrintRoots.h"
#include "platform/base/WindowHandles.h"
#include "store/GraphConfiguration.h"

class CGVantrelDoc;
class CListDoc;
class CNavigationDoc;
class CVantrelApp;
class CVantrelDoc;
class MainFrameWindow;
class QWidget;

namespace vt {
class CatalogDisplay;
class CommandRouter;
class CommandMap;
class DocTemplate;
struct WindowPlacement;
}  // namespace vt

class CMainFrame {
 public:
  // Docking panes: control ids (and with them the names their layout is saved under).
  static constexpr int kPaneNavigation = 134;
  static constexpr int kPaneSearch = 135;
  static constexpr int kPaneProperties = 136;
  // Status-bar panes beside the message pane.
  static constexpr int kStatusPane103 = 103;
  static constexpr int kStatusPane104 = 104;
  static constexpr int kStatusPaneWidth = 150;
  // The theme id kept in the profile; the look itself is always the one style.
  static constexpr const char* kLookEntry = "ApplicationLook";
  static constexpr int kDefaultLook = 217;

  // Reads the theme id from the application's profile into the application object. onClose
  // runs when the user closes the enabled window (it ends the event loop).
  CMainFrame(CVantrelApp& app, std::function<void()> onClose);
  // Saves the workspace into the profile, then takes the window down.
  ~CMainFrame();
  CMainFrame(const CMainFrame&) = delete;
  CMainFrame& operator=(const CMainFrame&) = delete;

  // Builds the window: theme, menus, bars, status bar with the indicator, panes; then the saved
  // workspace is put back. False when a part could not be made.
  bool Create(const std::string& title);
  // Draws the window's pictures ahead for Create to take; safe on any thread, before Create.
  static void PrepareArt();
  vt::WindowHandle GetSafeHwnd() const;
  void ShowWindow();
  bool IsWindowVisible() const;
  // The whole window, for the program's own window code.
  QWidget* Widget() const;

  // The contents of the three panes; the pane owns the widget from now on and deletes a
  // previous one.
  void SetNavigationContent(QWidget* content);
  void SetSearchContent(QWidget* content);
  void SetPropertiesContent(QWidget* content);

  // The route every menu, toolbar and posted command takes, and the frame's own commands on it.
  vt::CommandRouter& Router();
  vt::CommandMap& Commands();
  // Runs the enablers of every command now (the bars do it by themselves as well).
  void UpdateCommands();

  // Keeps the theme id in the application and the profile; the look stays the program's style.
  void OnApplicationLook(int id);
  // Writes the layout of bars and panes and the window's place into the profile.
  void SaveWorkspace();

  // A graph document whose trend conversion may end: WM_VT_CONVERTDONE with the document in
  // wParam runs join on the user-interface thread; a document that has gone meanwhile (never
  // registered or unregistered) is ignored. cancel, when given, lets StopConversions end it.
  void RegisterConversion(const void* document, std::function<void()> join,
                          std::function<void()> cancel = {});
  void UnregisterConversion(const void* document);
  // Exit and the end of the session: every registered conversion is cancelled and joined.
  void StopConversions();
  // Whether the active child window shows a graph window's document.
  bool HasActiveGraphDocument() const;

  // The models of the three panes; the frame owns them, the list document with the profile's
  // column layouts (it goes before the profile does).
  CNavigationDoc& NavigationDoc();
  CListDoc& ListDoc();
  // Fills the panes with the navigation tree, the search pane and the property pane, wired to
  // the frame (status pane 103, the focus flag, the command route, the context menus). Create
  // does it; it is public for tests that build a frame around stores of their own.
  void CreatePanes();
  // Copies the property pane's selected property (command 32983).
  void CopyProperty();

  // ---- Tool windows (qt/ToolWindowCommands.cpp) ----
  // Puts Window > Cursor control and Window > Statistics on the frame's route. Create does it.
  void CreateToolWindows();
  // The cursor-control and statistics windows, with this window as their transient parent: made
  // hidden on the first call, since most sessions never open them and making them is a good part
  // of the start. Null before Create and once the frame is going.
  CDlgCursorControl* GetCursorControl();
  CDlgCalculate* GetStatistics();

  // True while the instrument-limit message is on screen.
  bool IsLimitMessageShown() const;

  // The report list tells when it gains or loses the keyboard focus (the file conversion
  // commands need it). A menu taking the focus as it opens (byPopup) changes nothing: otherwise
  // opening the context menu would disable the very commands it holds.
  void SetReportListFocused(bool focused, bool byPopup);
  bool IsReportListFocused() const;

  // ---- Graph windows (MainFrameGraphWindows.cpp) ----
  // What ShowDocumentWindow answers when it made a new frame.
  static constexpr int kNewFrame = 10;
  // The templates of the graph, list and sheet views; their frames open in this window's MDI
  // area from now on. Null templates are let go (the frame does it itself as it goes).
  void SetDocTemplates(vt::DocTemplate* graph, vt::DocTemplate* list, vt::DocTemplate* sheet);
  vt::DocTemplate* GetGraphTemplate() const;
  vt::DocTemplate* GetListTemplate() const;
  vt::DocTemplate* GetSheetTemplate() const;
  // The graph window document of the active child window, or null.
  CVantrelDoc* GetActiveGraphDocument() const;
  // The graph window document holding this graph document, or null.
  CVantrelDoc* FindGraphDocument(const CGVantrelDoc* gadgetDoc) const;
  // Brings up doc's view of viewKind (1 graph, 2 list, 3 sheet): an open one is given the
  // placement (when one is given), restored and activated; otherwise a new frame is made from
  // the template and given the placement. kNewFrame when a new frame was made, else 0.
  int ShowDocumentWindow(vt::DocTemplate* docTemplate, int viewKind, CVantrelDoc* doc,
                         const vt::WindowPlacement* placement);
  // The views of the document's window, front to back (at most three): kind and placement.
  std::vector<SGraphWindowEntry> GetDocumentWindowPlacements(const CGVantrelDoc* doc) const;
  // Asks every modified graph window document whether to save; false when one was cancelled.
  bool SaveAllModified();
  // The display commands on the catalogue's selected rows (View > Display and its kin, and the
  // file of a file-open import); null before Create.
  vt::CatalogDisplay* GetCatalogDisplay() const;

 private:
  friend class MainFrameWindow;  // the Qt window, which calls back into the frame's state
  struct Impl;
  struct GraphWindows;
  // The Window menu's commands (after the frame's own, whose enablers they replace).
  void AddGraphWindowCommands();
  void OnWindowView(int viewKind);
  void ReleaseGraphWindows();
  void MakeToolWindows();
  std::unique_ptr<Impl> m_impl;
  bool m_toolWindowsClosed = false;  // the frame is going: no tool window is made any more
  // The tool windows go after the graph windows, whose documents still talk to them.
  std::unique_ptr<CDlgCursorControl> m_cursorControl;
  std::unique_ptr<CDlgCalculate> m_statistics;
  std::unique_ptr<GraphWindows> m_graphWindows;
  // The tool windows as the graph's printing sees them; they leave it before the windows go.
  std::unique_ptr<DialogPrintTool> m_cursorControlPrint;
  std::unique_ptr<DialogPrintTool> m_statisticsPrint;
};
