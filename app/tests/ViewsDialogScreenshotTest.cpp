// Pictures of a graph window's list view, sheet view and mark dialog over a stored recording with
// alarms and marks, each view in a child frame of its own, taken from the whole screen. Runs only
// when VT_SCREENSHOT_DIR names the folder for the pictures (xvfb_dialogs.sh runs it under a
// virtual X server); skipped otherwise.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "store/testing/StoredDataFixture.h"
#undef slots
#include <QMdiArea>

#include "app/CVantrelApp.h"
#include "app/tests/ScreenshotTest.h"
#include "document/ui/CDlgEditMark.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "gadget/GPageController.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/testing/GuiTestSupport.h"
#include "store/CVTBatchCache.h"
#include "store/CVTImportManager.h"
#include "trend/testing/NgSheetArt.h"

namespace {

// A storage of its own with one recording of an hour, alarms on both channels and all.
struct Recording : store_test::StoredDataTest {
  void TestBody() override {}
  void Make() {
    SetUp();
    recgen::NewerFile file = store_test::RecordingFile(1, 1, 3600, store_test::kBaseMs, 1000);
    for (int i = 0; i < 14; ++i) {
      recgen::NewerAlarm a;
      a.channel = int16_t(i % 3 == 2 ? -1 : i % 2 + 1);
      const int64_t ms = store_test::kBaseMs + (60 + i * 230) * 1000LL;
      a.time = recgen::NewerTime::At(int32_t(ms / 1000), 0);
      a.dataNo = 1 + (ms - store_test::kBaseMs) / 1000;
      a.action = uint16_t(i % 4 == 3 ? 2 : 1);
      a.levelMask = uint16_t(1 << (i % 4));
      a.type = int16_t(i % 8 + 1);
      file.alarms.push_back(a);
    }
    Store(file, "LINE1.DAE");
  }
  using store_test::StoredDataTest::storage_;
  using store_test::StoredDataTest::TearDown;
};

SNgMarkData Mark(int64_t second, const char* title, const char* comment) {
  SNgMarkData r;
  CDlgEditMark::SetDefaultMark(&r);
  r.time = PreciseTime{store_test::kBaseMs / 1000 + second, 0.0};
  r.groupMask = 1;
  std::snprintf(r.note.title, sizeof r.note.title, "%s", title);
  std::snprintf(r.label, sizeof r.label, "%.15s", title);
  std::snprintf(r.note.comment, sizeof r.note.comment, "%s", comment);
  return r;
}

class ViewsDialogScreenshotTest : public vt_test::ScreenshotTest {};

TEST_F(ViewsDialogScreenshotTest, ListViewSheetViewAndMarkDialog) {
  auto app = std::make_unique<CVantrelApp>();
  ASSERT_TRUE(app->InitInstance());
  ASSERT_TRUE(vt::PumpUntil([&] { return app->m_importManager->IsIdle(); }, 5000));
  Recording data;
  data.Make();
  CVTBatchCache::Instance().SetStorage(&data.storage_);
  vt_test::RegisterNgSheetArt();

  QMdiArea area;
  area.setWindowTitle("Graph 1");
  area.resize(1100, 640);
  area.show();
  vt::MdiFrameMaker maker{&area};
  vt::DocTemplate graph{"Graph", [] { return std::make_unique<CVantrelDoc>(); },
                        [] { return std::make_unique<CVantrelGraphView>(); }};
  vt::DocTemplate list{"Graph", nullptr, [] { return std::make_unique<CVantrelListView>(); }};
  vt::DocTemplate sheet{"Graph", nullptr, [] { return std::make_unique<CVantrelSheetView>(); }};
  for (vt::DocTemplate* t : {&graph, &list, &sheet}) t->SetFrameMaker(&maker);
  {
    auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
    ASSERT_NE(doc, nullptr);
    CGVantrelDoc* d = doc->GetGadgetDocument();
    vt::SVantrelGroupEntry e;
    e.keys = {{store_test::RecordingGuid(1).ToText(), 1, -1}, {store_test::RecordingGuid(1).ToText(), 2, -1}};
    ASSERT_TRUE(d->AddGroups({e}, std::nullopt, std::nullopt));
    d->AppendMark(Mark(300, "Start of batch 17", "Pressure rose after the valve change"));
    d->AppendMark(Mark(900, "Operator note", "Sample taken for the laboratory"));
    d->AppendMark(Mark(1500, "Valve V12 opened", "Manually, by the shift lead"));
    d->AppendMark(Mark(2400, "Calibration", ""));
    d->SetCursors(store_test::MsTime(store_test::kBaseMs + 500 * 1000),
                  store_test::MsTime(store_test::kBaseMs + 1000 * 1000));
    d->UpdateAll(HINT_CURSORS, d);

    auto show = [&](vt::DocTemplate& t, const std::string& picture) -> vt::View* {
      vt::View* view = t.CreateFrame(doc);
      auto* frame = view ? dynamic_cast<vt::ChildFrame*>(view->GetFrame()) : nullptr;
      if (!frame) return nullptr;
      frame->showMaximized();
      vt::PumpBriefly(300);
      vt::PumpBriefly(300);
      EXPECT_TRUE(SaveScreen(picture));
      return view;
    };
    auto* listView = dynamic_cast<CVantrelListView*>(show(list, "list_view.png"));
    ASSERT_NE(listView, nullptr);
    // The mark page too, picked by its tab.
    const vt::Rect tab = listView->GetListRoot()->GetPageController()->PageAt(1)->TabRect();
    vt::SendLeftClick(*listView->GetHostWindow(),
                      vt::Point{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    vt::PumpBriefly(300);
    vt::PumpBriefly(300);
    EXPECT_TRUE(SaveScreen("list_view_marks.png"));
    auto* sheetView = dynamic_cast<CVantrelSheetView*>(show(sheet, "sheet_view.png"));
    ASSERT_NE(sheetView, nullptr);

    // The mark dialog for the first mark, over the sheet view.
    SNgMarkData record;
    static_cast<CGVantrelMarkData*>(d->GetMarkDataManager()->GetFirstChild())->ToNgMarkData(&record);
    vt::OnNextDialog(CDlgEditMark::kTemplateId, [&](vt::DialogWindow& dialog) {
      vt::PumpBriefly(300);
      vt::PumpBriefly(300);
      EXPECT_TRUE(SaveScreen("mark_dialog.png"));
      dialog.EndDialog(2);
    });
    EXPECT_EQ(
        vt_ui::DialogMarkEditor::Instance().Edit(sheetView->GetHostWindow(), &record, MARK_SOURCE_USER, 0),
        2);

    doc->SetModifiedFlag(false);
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(&area)) f->close();
    vt::PumpBriefly(100);
  }
  CVTBatchCache::Instance().SetStorage(app->m_currentStorage);
  data.TearDown();
  app->ExitInstance();
}

}  // namespace
