// The main road of the program in one run, in-process, over real widgets and commands: a start on
// an empty data root, an automatic import of five recorder files set up through the folder
// dialog, the instrument in the navigation tree and its files in the report list, and the exit.
// A picture of the main window after each step goes to <build>/artefacts/mainroad/NN.png (or to
// VT_SCREENSHOT_DIR under a real X server, where the whole screen is taken so that tool
// windows and dialogs show).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "GraphFrameFixture.h"
#include "app/CMainFrame.h"
#include "app/CNavigationDoc.h"
#include "app/CVantrelApp.h"
#include "app/CatalogueActions.h"
#include "app/FileConversion.h"
#include "app/qt/CCopiablePropertyWnd.h"
#include "app/qt/CNavigationWnd.h"
#include "document/GraphWindowHost.h"
#include "document/ui/CDlgCursorControl.h"
#include "document/ui/CDlgDataConvert.h"
#include "document/ui/CDlgFileConvert.h"
#include "document/ui/CDlgGraphNameInput.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/TrendConversionCommand.h"
#include "document/ui/WindowEntryPlacement.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "gadget/GRoot.h"
#include "gadget/GSkButton.h"
#include "gadget/sheet/GSheet.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/Profile.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/qt/PropertyGrid.h"
#include "platform/gui/qt/ReportView.h"
#include "platform/gui/testing/GuiTestSupport.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "platform/gui/testing/PdfPrintTarget.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"
#include "store/CVTImportManager.h"
#include "store/VTDataStorageManager.h"
#include "store/testing/CatalogueFixture.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"
#include "trend/NgWaveform.h"

namespace {

using catalogue_test::Batch;
using catalogue_test::File;
using vt_test::ReadLogs;

constexpr const char* kSerial = "QR7001";
constexpr int kFilePrint = 57607;
constexpr int kConvertExcelFile = vt::CatalogueActions::ID_CONVERT_EXCEL_FILE;

// Five recorder files of one instrument: a batch of event data in two newer-format files with
// messages and alarms, a batch of display data, and two older-format files.
std::vector<Batch> RoadBatches() {
  const std::vector<catalogue_test::Channel> channels = {
      {1, "T-101", "Inlet", "degC"}, {2, "T-102", "Outlet", "degC"}, {3, "P-201", "Pressure", "bar"}};
  const std::vector<catalogue_test::Group> groups = {{1, "Temps", {1, 2}}, {2, "Press", {3}}};

  Batch event;
  event.guid = "B0000000-0000-0000-0000-00000000000B";
  event.serialNo = kSerial;
  event.dataKind = 0;
  event.batchNo = "ROAD-1";
  event.lotNo = "042";
  File e1;
  e1.name = "E1.DAE";
  e1.start = 1000, e1.end = 4000, e1.startDataNo = 1;
  e1.channels = channels;
  e1.groups = groups;
  e1.messages = {{1500, "ann", "valve 50% open", {}}};
  e1.alarms = {{1200, 1, 1, 1, 1}, {2200, 3, 2, 1, 2}};
  e1.comments = {{1100, "ann", "first comment"}};
  File e2 = e1;
  e2.name = "E2.DAE";
  e2.start = 4010, e2.end = 7000, e2.startDataNo = 302;
  e2.messages = {{5000, "bob", "load step", {1}}};
  e2.alarms = {{6000, 2, 1, 2, 1}};
  e2.comments = {};
  event.files = {e1, e2};

  Batch display;
  display.guid = "C0000000-0000-0000-0000-00000000000C";
  display.serialNo = kSerial;
  display.dataKind = 1;
  display.batchNo = "ROAD-2";
  File d1 = e1;
  d1.name = "D1.DAD";
  d1.start = 8000, d1.end = 9000, d1.startDataNo = 1;
  d1.messages = {};
  d1.alarms = {{8500, 1, 1, 1, 1}};
  d1.comments = {};
  display.files = {d1};

  Batch older;
  older.serialNo = kSerial;
  File o1;
  o1.name = "O1.DEV";
  o1.olderFormat = true;
  o1.start = 10000, o1.end = 11000, o1.startDataNo = 1;
  File o2 = o1;
  o2.name = "O2.DEV";
  o2.start = 12000, o2.end = 13000, o2.startDataNo = 1;
  older.files = {o1, o2};
  return {event, display, older};
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The row of the report list whose first column reads text; -1 when none does.
int RowOf(const vt::ReportView& report, const std::string& text) {
  for (int row = 0; row < report.model()->rowCount(); ++row)
    if (report.model()->index(row, 0).data().toString().toStdString() == text) return row;
  return -1;
}

// The plot of the graph view's panel in the view window's coordinates.
vt::Rect PlotInWindow(CVantrelGraphView* view) {
  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();
  vt::Rect plot = panel->m_graph->m_screen->Rect();
  for (CGCore* c = panel->m_graph->m_screen->GetParent(); c && c != view->GetRoot(); c = c->GetParent())
    if (IsPrimitive(c)) {
      vt::Point o;
      static_cast<CGPrimitive*>(c)->GetChildOffset(&o);
      plot.left -= o.x, plot.right -= o.x, plot.top -= o.y, plot.bottom -= o.y;
    }
  return plot;
}

QWidget* WidgetOf(const vt::DialogWindow& dialog) {
  return static_cast<QWidget*>(vt::WindowNative(dialog.GetSafeHwnd()));
}

// A workbook read back with xlrd: per sheet its name, its row count and its first rows, each
// as a JSON list of cell values.
struct Sheet {
  std::string name;
  int rows = 0;
  std::vector<std::string> head;
};

std::vector<Sheet> ReadSheets(const std::string& path) {
  const std::string command =
      "/usr/bin/python3 " VT_SOURCE_ROOT "/document/tests/read_sheets.py '" + path + "' 60";
  std::vector<Sheet> out;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return out;
  char line[65536];
  while (std::fgets(line, sizeof line, p)) {
    std::string s(line);
    if (!s.empty() && s.back() == '\n') s.pop_back();
    if (s.rfind("sheet ", 0) == 0) {
      Sheet sheet;
      const size_t blank = s.find(' ', 6);
      sheet.rows = std::atoi(s.substr(6, blank - 6).c_str());
      sheet.name = s.substr(blank + 2, s.size() - blank - 3);  // the JSON quotes dropped
      out.push_back(sheet);
    } else if (!out.empty()) {
      out.back().head.push_back(s);
    }
  }
  ::pclose(p);
  return out;
}

std::vector<std::string> Names(const std::vector<Sheet>& sheets) {
  std::vector<std::string> names;
  for (const Sheet& s : sheets) names.push_back(s.name);
  return names;
}

// A sheet of samples: the program's name first, the graph name (when one is given), the column
// captions closing the header, and data rows after it.
void ExpectTrendHeader(const Sheet& sheet, const std::string& graphName) {
  SCOPED_TRACE(sheet.name);
  ASSERT_FALSE(sheet.head.empty());
  EXPECT_EQ(sheet.head[0].rfind("[\"Vantrel ", 0), 0u) << sheet.head[0];
  size_t captions = 0;
  bool named = false;
  for (size_t r = 0; r < sheet.head.size(); ++r) {
    named = named || sheet.head[r] == "[\"Graph name\", \"" + graphName + "\"]";
    if (sheet.head[r].rfind("[\"Date\", \"Time\"", 0) == 0) {
      captions = r;
      break;
    }
  }
  EXPECT_TRUE(named || graphName.empty());
  ASSERT_GT(captions, 0u) << "no caption row";
  EXPECT_GT(size_t(sheet.rows), captions + 1) << "no data rows";
}

// Notes every time the watched widget is shown or hidden.
class ShowWatch : public QObject {
 public:
  explicit ShowWatch(QWidget* widget) { widget->installEventFilter(this); }
  std::vector<bool> changes;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) changes.push_back(true);
    if (event->type() == QEvent::Hide) changes.push_back(false);
    return false;
  }
};

class MainRoadTest : public vt_test::RuntimeRootTest {
 protected:
  void SetUp() override {
    RuntimeRootTest::SetUp();
    ASSERT_TRUE(vt::CreateFolders(root_ + "/in"));
    const char* screen = std::getenv("VT_SCREENSHOT_DIR");
    wholeScreen_ = screen && *screen;
    pictures_ = wholeScreen_ ? std::string(screen) : std::string(VT_BINARY_ROOT) + "/artefacts/mainroad";
    ASSERT_TRUE(vt::CreateFolders(pictures_));
  }
  void TearDown() override {
    if (app_) {
      app_->ExitInstance();
      app_.reset();
    }
    RuntimeRootTest::TearDown();
  }
  std::string Data() const { return root_ + "/Morvane/Vantrel/DATA"; }
  QMainWindow& Window() { return *static_cast<QMainWindow*>(app_->GetMainFrame()->Widget()); }
  CMainFrame& Frame() { return *app_->GetMainFrame(); }
  // Keyboard focus to a view of a graph window, as a click there gives it in an active window.
  void FocusView(QWidget* view) {
    Window().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window(), 2000));
    view->clearFocus();
    view->setFocus(Qt::MouseFocusReason);
    vt::PumpBriefly(20);
  }
  template <typename T>
  T* Find(const char* name) {
    return Window().findChild<T*>(QString::fromLatin1(name));
  }
  // A picture of the main window (of the whole screen under a real X server).
  void Picture(int step) {
    vt::PumpBriefly(50);
    char name[16];
    std::snprintf(name, sizeof name, "/%02d.png", step);
    const QString path = QString::fromStdString(pictures_ + name);
    if (wholeScreen_) {
      QScreen* screen = QGuiApplication::primaryScreen();
      ASSERT_TRUE(screen && screen->grabWindow(0).save(path, "PNG"));
    } else {
      ASSERT_TRUE(Window().grab().save(path, "PNG"));
    }
  }

  std::unique_ptr<CVantrelApp> app_;
  std::string pictures_;
  bool wholeScreen_ = false;
};

TEST_F(MainRoadTest, FromAnEmptyDataRootToExit) {
  // Five files waiting in the import folder, written a minute ago (an automatic run holds back
  // what was written in the last two seconds).
  int files = 0;
  for (const Batch& batch : RoadBatches())
    for (const std::string& path : catalogue_test::WriteBatchFiles(root_ + "/in", batch)) {
      std::filesystem::last_write_time(
          path, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
      ++files;
    }
  ASSERT_EQ(files, 5);

  // 1. A start on an empty data root: the storage list, the settings file, three panes, no timer.
  app_ = std::make_unique<CVantrelApp>(vt::AppFactory::Standard());
  ASSERT_TRUE(app_->InitInstance());
  ASSERT_NE(app_->GetMainFrame(), nullptr);
  EXPECT_TRUE(vt::FileExists(vt::JoinPath(Data(), kStorageListFileName)));
  // The settings file is made (empty) at start-up and written whole when the settings change.
  EXPECT_TRUE(vt::PathExists(Data() + "/VTConfiguration"));
  auto* navigation = Find<CNavigationWnd>("navigationPane");
  auto* report = Find<vt::ReportView>("reportList");
  auto* properties = Find<CCopiablePropertyWnd>("propertyPane");
  ASSERT_NE(navigation, nullptr);
  ASSERT_NE(report, nullptr);
  ASSERT_NE(properties, nullptr);
  EXPECT_TRUE(navigation->isVisible());
  EXPECT_TRUE(report->isVisible());
  EXPECT_TRUE(properties->isVisible());
  EXPECT_FALSE(app_->IsImportTimerArmed());
  Picture(1);

  // 2. The automatic-import dialog: a folder line made with Create through the folder dialog, the
  // interval "10 minutes", OK. The settings file holds it; the indicator comes and goes.
  auto* indicator = Find<QWidget>("importIndicator");
  ASSERT_NE(indicator, nullptr);
  ShowWatch watch(indicator);
  vt::ScriptedCommonDialogs folders;
  folders.QueueFolder(root_ + "/in", false);
  vt::OnNextDialog(329, [](vt::DialogWindow& d) {
    auto* root = static_cast<CGRoot*>(d.Host()->Client());
    auto click = [&](int id) {
      auto* button = static_cast<CGPrimitive*>(root->FindById(id));
      ASSERT_NE(button, nullptr) << id;
      vt::Rect r;
      button->GetAbsoluteRect(&r);
      vt::SendLeftClick(*d.Host(), vt::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    static_cast<CGPrimitive*>(root->FindById(1064))->SetValue(1);
    click(1027);  // Create: the folder comes from the scripted folder dialog
    click(1031);  // OK
  });
  app_->OnAutoImportSettings();
  EXPECT_TRUE(app_->IsImportTimerArmed());
  std::string settings;
  ASSERT_TRUE(vt::ReadWholeFile(Data() + "/VTConfiguration", settings));
  EXPECT_EQ(settings.rfind("Revision=101", 0), 0u);
  EXPECT_NE(settings.find("\tInterval=1\r\n"), std::string::npos);
  EXPECT_NE(settings.find(root_ + "/in"), std::string::npos);
  const std::string logs = root_ + "/Morvane/Vantrel/LOG";
  ASSERT_TRUE(
      vt::PumpUntil([&] { return ReadLogs(logs).find("FINISH IMPORT") != std::string::npos; }, 30000));
  ASSERT_TRUE(
      vt::PumpUntil([&] { return app_->m_importManager->IsIdle() && !indicator->isVisible(); }, 10000));
  vt::PumpBriefly(50);
  ASSERT_GE(watch.changes.size(), 2u);
  EXPECT_TRUE(watch.changes.front());
  EXPECT_FALSE(watch.changes.back());
  const std::string log = ReadLogs(logs);
  EXPECT_EQ(Count(log, "START AUTOMATIC IMPORT"), 1u);
  EXPECT_EQ(Count(log, "IMPORT: FILE="), 5u);
  int copies = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(Data())) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".DAE" && ext != ".DAD" && ext != ".DEV")) continue;
    ++copies;
    struct stat st {};
    ASSERT_EQ(stat(entry.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u) << entry.path();
  }
  EXPECT_EQ(copies, 5);
  Picture(2);

  // 3. The instrument in the tree; its "File" node lists the five files, the status counts
  // them; the property pane describes the file of the row clicked.
  QTreeWidgetItem* instrument = navigation->FindNode(CNavigationDoc::NODE_INSTRUMENT, kSerial);
  ASSERT_NE(instrument, nullptr);
  QTreeWidgetItem* fileNode = navigation->FindNode(CNavigationDoc::NODE_FILE, kSerial);
  ASSERT_NE(fileNode, nullptr);
  navigation->DataTree()->setCurrentItem(fileNode);
  ASSERT_TRUE(vt::PumpUntil([&] { return report->RowCount() == 5; }, 10000));
  auto* status = Find<QLabel>("pane.103");
  ASSERT_NE(status, nullptr);
  const std::string counted = status->text().toStdString();
  EXPECT_EQ(counted.rfind("5 Items : ", 0), 0u) << counted;
  EXPECT_EQ(counted.substr(counted.size() - 5), " mSec") << counted;
  const QRect first = report->visualRect(report->model()->index(0, 0));
  QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, first.center());
  vt::PumpBriefly(20);
  vt::PropertyGrid* grid = properties->Grid();
  ASSERT_EQ(grid->topLevelItemCount(), 1);
  EXPECT_EQ(grid->topLevelItem(0)->text(0).toStdString(), vt::LoadString(904));
  Picture(3);

  // 4. A double click on the first event file's row opens "Graph 1" in the frame, its trends
  // painted; a drag in the plot moves the cursors into the document; Window > Cursor control
  // reads the channels at both cursors.
  Window().resize(1100, 800);
  const int eventRow = RowOf(*report, "E1.DAE");
  ASSERT_GE(eventRow, 0);
  const QRect eventCell = report->visualRect(report->model()->index(eventRow, 0));
  QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, eventCell.center());
  QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, eventCell.center());
  ASSERT_TRUE(vt::PumpUntil([&] { return Frame().GetActiveGraphDocument() != nullptr; }, 10000));
  CVantrelDoc* graph = Frame().GetActiveGraphDocument();
  CGVantrelDoc* g = graph->GetGadgetDocument();
  EXPECT_EQ(graph->GetTitle(), "Graph 1");
  ASSERT_EQ(graph->GetViews().size(), 1u);
  auto* view = dynamic_cast<CVantrelGraphView*>(graph->GetViews()[0]);
  ASSERT_NE(view, nullptr);
  vt::ChildFrame* child = dynamic_cast<vt::ChildFrame*>(view->GetFrame());
  ASSERT_NE(child, nullptr);
  child->showMaximized();
  vt::PumpBriefly(100);
  EXPECT_GT(graph_frame_test::CountColours(child->GetViewWidget()->FrontImage()), 3);
  ASSERT_TRUE(g->HasCursor());
  const TickTime cursorA = g->GetCursorATime(), cursorB = g->GetCursorBTime();
  const vt::Rect plot = PlotInWindow(view);
  QWidget* plotWidget = child->GetViewWidget();
  const int y = (plot.top + plot.bottom) / 2;
  const int x0 = plot.left + (plot.right - plot.left) / 4;
  const int x1 = plot.left + 3 * (plot.right - plot.left) / 4;
  QTest::mousePress(plotWidget, Qt::LeftButton, {}, QPoint(x0, y));
  QTest::mouseMove(plotWidget, QPoint((x0 + x1) / 2, y));
  QTest::mouseMove(plotWidget, QPoint(x1, y));
  QTest::mouseRelease(plotWidget, Qt::LeftButton, {}, QPoint(x1, y));
  vt::PumpBriefly(20);
  // The press gave the view the focus, and the document knows it (the conversions need it).
  EXPECT_TRUE(plotWidget->hasFocus());
  EXPECT_TRUE(graph->HasFocus());
  ASSERT_TRUE(g->HasCursor());
  EXPECT_NE(g->GetCursorATime().ticks, cursorA.ticks);
  EXPECT_NE(g->GetCursorBTime().ticks, cursorB.ticks);
  EXPECT_LT(g->GetCursorATime().ticks, g->GetCursorBTime().ticks);
  ASSERT_TRUE(Frame().Router().Execute(CDlgCursorControl::kCommandId));
  CDlgCursorControl* cursorControl = Frame().GetCursorControl();
  ASSERT_NE(cursorControl, nullptr);
  // At the screen's right edge, over the property pane, as a user would put it aside.
  QWidget* controlWindow = WidgetOf(*cursorControl);
  const QRect screenRoom = QGuiApplication::primaryScreen()->availableGeometry();
  controlWindow->move(screenRoom.right() - controlWindow->frameGeometry().width() + 1, screenRoom.top());
  vt::PumpBriefly(100);
  EXPECT_TRUE(controlWindow->isVisible());
  CGVTCursorControl* control = cursorControl->GetRoot()->Control();
  EXPECT_EQ(control->GetDocument(), g);
  // Two lines a channel of the current group, the value on the second.
  const int lines = control->m_sheet->m_lineCount;
  EXPECT_EQ(lines, 2 * g->GetCurrentGroup()->GetChannelCount());
  int valuesShown = 0;
  for (int line = 1; line < lines; line += 2)
    for (CGVTSAlarmDigitals* column : {control->m_valueA, control->m_valueB}) {
      std::string text;
      column->GetLineValueText(line, &text);
      valuesShown += column->m_statuses[size_t(line)] != 3 && !text.empty();
    }
  EXPECT_EQ(valuesShown, lines) << "a value at A and at B on every channel's line";
  Picture(4);

  // 5. To Excel[Trend] with the graph view focused, into the temporary root: a sheet per group
  // after the header rows, with the alarm and mark lists; then To Excel[File] on two file rows.
  if (std::system("/usr/bin/python3 -c 'import xlrd' 2>/dev/null") != 0) {
    ADD_FAILURE() << "python3 with xlrd is not installed";
  } else {
    FocusView(plotWidget);
    const std::string trendBook = root_ + "/trend/road.xls";
    ASSERT_TRUE(vt::CreateFolders(root_ + "/trend"));
    ASSERT_TRUE(Frame().Router().Update(vt::kCommandConvertTrendExcel).Enabled());
    bool asked = false;
    vt::OnNextDialog(CDlgDataConvert::kTemplateId, [&](vt::DialogWindow& d) {
      auto& dialog = static_cast<CDlgDataConvert&>(d);
      asked = true;
      // Every group of the window, from the first to the last number there is.
      static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTDataConvertRoot::kGroupFromId))->SetText("1");
      static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTDataConvertRoot::kGroupToId))->SetText("50");
      static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTDataConvertRoot::kPathId))->SetText(trendBook);
      dialog_test::Click(d, static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTDataConvertRoot::kOkId)));
    });
    ASSERT_TRUE(Frame().Router().Execute(vt::kCommandConvertTrendExcel));
    EXPECT_TRUE(asked);
    ASSERT_TRUE(
        vt::PumpUntil([&] { return g->GetConversion() == nullptr && vt::FileExists(trendBook); }, 20000));
    const std::vector<Sheet> trend = ReadSheets(trendBook);
    std::vector<std::string> expected;
    for (int i = 0; i < GROUP_COUNT; ++i)
      if (CGVantrelGroupData* group = g->GetGroup(i); group && group->GetChannelCount() > 0)
        expected.push_back(group->GetDisplayName());
    ASSERT_EQ(expected.size(), 2u) << "the file's two display groups";
    expected.push_back("Alarm list");
    expected.push_back("Mark list");
    EXPECT_EQ(Names(trend), expected);
    for (size_t i = 0; i + 2 < trend.size(); ++i) ExpectTrendHeader(trend[i], "Graph 1");

    // The file rows of the event batch, chosen with Ctrl in the report list.
    const int secondRow = RowOf(*report, "E2.DAE");
    ASSERT_GE(secondRow, 0);
    QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, eventCell.center());
    QTest::mouseClick(report->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      report->visualRect(report->model()->index(secondRow, 0)).center());
    vt::PumpBriefly(20);
    ASSERT_TRUE(Frame().Router().Update(kConvertExcelFile).Enabled());
    const std::string fileFolder = root_ + "/files";
    vt::OnNextDialog(CDlgFileConvert::kTemplateId, [&](vt::DialogWindow& d) {
      auto& dialog = static_cast<CDlgFileConvert&>(d);
      dialog.m_root->m_folder = fileFolder;
      dialog.m_root->ShowFolder();
      dialog_test::Click(d, static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTFileConvertRoot::kOkId)));
    });
    ASSERT_TRUE(Frame().Router().Execute(kConvertExcelFile));
    ASSERT_TRUE(vt::PumpUntil([] { return !vt::GetFileConversion()->IsRunning(); }, 20000));
    EXPECT_EQ(vt::GetFileConversion()->LastResult(), 0);
    for (const char* name : {"E1.xls", "E2.xls"}) {
      SCOPED_TRACE(name);
      const std::vector<Sheet> file = ReadSheets(fileFolder + "/" + name);
      // Whole files go a sheet per piece of columns, named by its first and last channel.
      EXPECT_EQ(Names(file), (std::vector<std::string>{"CH001-CH003", "Alarm list", "Mark list"}));
      for (size_t i = 0; i + 2 < file.size(); ++i) ExpectTrendHeader(file[i], "");
    }
  }
  Picture(5);

  // 6. File > Print into a PDF: the pages the header counts, with the graph's name; then the
  // graph saved under a name, its window closed and opened again from the saved-graph list in
  // the same layout.
  {
    FocusView(plotWidget);
    const std::string printed = root_ + "/print";
    ASSERT_TRUE(vt::CreateFolders(printed));
    vt::PdfPrintTarget target(printed);
    vt::ScriptedCommonDialogs dialogs;
    dialogs.QueuePrint(vt::PrintRange::All);
    ASSERT_TRUE(Frame().Router().Update(kFilePrint).Enabled());
    ASSERT_TRUE(Frame().Router().Execute(kFilePrint));
    ASSERT_EQ(target.Files().size(), 1u);
    const std::string pdf = target.Files()[0];
    const int pages = vt::PdfPageCount(pdf);
    ASSERT_GE(pages, 1);
    const std::string first = vt::PdfText(pdf, 1, 1), last = vt::PdfText(pdf, pages, pages);
    // The header's "1/n" is the print root's page count.
    const std::string n = std::to_string(pages);
    EXPECT_NE(first.find("1/" + n), std::string::npos) << first;
    EXPECT_NE(last.find(n + "/" + n), std::string::npos) << last;
    EXPECT_NE(first.find("Graph 1"), std::string::npos) << first;
    std::filesystem::copy_file(pdf, pictures_ + "/06-print.pdf",
                               std::filesystem::copy_options::overwrite_existing);
  }
  vt::OnNextDialog(CDlgGraphNameInput::kTemplateId, [&](vt::DialogWindow& w) {
    auto& dialog = static_cast<CDlgGraphNameInput&>(w);
    static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTGraphNameInputRoot::kNameId))
        ->SetText("Road graph");
    dialog_test::Click(w, static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTGraphNameInputRoot::kOkId)));
  });
  ASSERT_TRUE(Frame().Router().Execute(vt_ui::ID_SAVE_GRAPH_AS));
  EXPECT_EQ(graph->GetTitle(), "Road graph");
  EXPECT_FALSE(graph->IsModified());
  const std::vector<SGraphWindowEntry> saved = vt::GetGraphWindowHost()->GetDocumentWindowPlacements(g);
  ASSERT_EQ(saved.size(), 1u);
  {
    vt::MessageBoxCapture unexpected(vt::kIdNo);
    child->close();
    vt::PumpBriefly(50);
    EXPECT_TRUE(unexpected.Boxes().empty()) << "a saved graph closes without a question";
  }
  ASSERT_TRUE(app_->GetGraphDocuments().empty());
  QTest::mouseClick(Find<QPushButton>("navigation.graph"), Qt::LeftButton);
  ASSERT_TRUE(vt::PumpUntil([&] { return RowOf(*report, "Road graph") >= 0; }, 10000));
  const QRect savedRow = report->visualRect(report->model()->index(RowOf(*report, "Road graph"), 0));
  QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, savedRow.center());
  QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, savedRow.center());
  ASSERT_TRUE(vt::PumpUntil([&] { return Frame().GetActiveGraphDocument() != nullptr; }, 10000));
  CVantrelDoc* reopened = Frame().GetActiveGraphDocument();
  EXPECT_EQ(reopened->GetTitle(), "Road graph");
  const std::vector<SGraphWindowEntry> placed =
      vt::GetGraphWindowHost()->GetDocumentWindowPlacements(reopened->GetGadgetDocument());
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(placed[0].viewKind, saved[0].viewKind);
  EXPECT_EQ(vt_ui::PlacementOf(placed[0]).showCmd, vt_ui::PlacementOf(saved[0]).showCmd);
  reopened->GetGadgetDocument()->CheckWindowLayout();
  EXPECT_FALSE(reopened->IsModified()) << "the saved layout shows unchanged";
  Picture(6);

  // 7. Exit: the settings file rewritten, the report columns in the profile, the worker stopped.
  std::filesystem::last_write_time(Data() + "/VTConfiguration",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  const auto before = std::filesystem::last_write_time(Data() + "/VTConfiguration");
  CVTImportManager* worker = app_->m_importManager.get();
  EXPECT_EQ(app_->ExitInstance(), 0);
  EXPECT_TRUE(worker == nullptr || app_->m_importManager == nullptr || worker->IsIdle());
  app_.reset();
  EXPECT_GT(std::filesystem::last_write_time(Data() + "/VTConfiguration"), before);
  std::string profile;
  ASSERT_TRUE(vt::ReadWholeFile(root_ + "/config/Morvane/Vantrel.ini", profile));
  EXPECT_NE(profile.find("ReportColumn"), std::string::npos);
}

}  // namespace
