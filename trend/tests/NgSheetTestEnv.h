// Fixture of the trend sheet tests: a root on the fake host holding a trend sheet built as the
// sheet view's root builds it, over computed channels and a row source of one row a second
// from 2010/05/10 08:00:00 UTC, shown in UTC.
#pragma once
#include <memory>
#include <vector>

#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/RecordingDc.h"
#include "trend/NgHooks.h"
#include "trend/NgSheet.h"
#include "trend/NgSheetData.h"
#include "trend/NgSheetTimeLine.h"
#include "trend/testing/FakeNgRows.h"
#include "trend/testing/NgSheetArt.h"
#include "trend/tests/TrendTestSupport.h"

namespace trend_test {

struct HookLog {
  std::vector<std::pair<CGPrimitive*, int>> calls;  // source, 0 mark click, 1 column, 2 row
};
extern HookLog g_hookLog;

class NgSheetEnv : public gadget_test::WidgetEnv {
 protected:
  static constexpr PreciseTime kStart{1273478400, 0.0};
  void SetUp() override {
    WidgetEnv::SetUp();
    host->Resize(900, 400);
    vt_test::RegisterNgSheetArt();
    SetNgSheetTimeTitleIds(5001, 5001);
    SetNgSheetSkin(DefaultNgSheetSkin());
    SetNgSheetBitmaps(DefaultNgSheetBitmaps());
    SetNgSheetMarkClickCallback([](CGPrimitive* s, int, int) { g_hookLog.calls.push_back({s, 0}); });
    SetNgSheetColumnSelectCallback([](CGPrimitive* s, int, int) { g_hookLog.calls.push_back({s, 1}); });
    SetNgSheetRowSelectCallback([](CGPrimitive* s, int, int) { g_hookLog.calls.push_back({s, 2}); });
    g_hookLog.calls.clear();
    sheet = new CGNgSDigital(root, 0, 0, 800, 300, 0, GSTYLE_ACTIVE, 1, 16, 0, 18);
    sheet->Build();
  }
  void TearDown() override {
    NgSheetMarkClickHook = NgSheetColumnSelectHook = NgSheetRowSelectHook = nullptr;
    ResetSheetSkin();
    g_ngSheetLook = NgSheetLook{};  // its bitmaps belong to this test's pool
    WidgetEnv::TearDown();
  }
  // Channels of the given kinds and intervals, bound in the sheet root's order.
  void Bind(std::vector<int> kinds, std::vector<double> intervals = {}) {
    channels.clear();
    for (size_t i = 0; i < kinds.size(); ++i) {
      auto c = std::make_unique<vt_test::FakeRowChannel>();
      c->kind = kinds[i];
      c->interval = i < intervals.size() ? intervals[i] : 1.0;
      c->name = "CH" + std::to_string(i + 1);
      channels.push_back(std::move(c));
    }
    list.clear();
    for (auto& c : channels) list.push_back(c.get());
    sheet->SetChannels(int(list.size()), list.data());
    sheet->SelectColumn(-1);
    sheet->SetTimeSource(&rows);
    sheet->SetLineCount(rows.GetRowCount());
    sheet->ResetSelection(1);
    sheet->LayoutTree();
  }
  CGNgSData* Column(int i) const {
    int k = 0;
    for (CGCore* c = sheet->m_screen->GetFirstChild(); c; c = sheet->m_screen->NextChild(c), ++k)
      if (k == i) return static_cast<CGNgSData*>(c);
    return nullptr;
  }
  int ColumnCount() const {
    int k = 0;
    for (CGCore* c = sheet->m_screen->GetFirstChild(); c; c = sheet->m_screen->NextChild(c)) ++k;
    return k;
  }
  PreciseTime RowTime(int row) const { return PreciseTime::AddSeconds(kStart, row); }

  ScopedDisplayZone zone{"UTC0"};
  vt_test::FakeNgRows rows{kStart, 1.0, 50};
  std::vector<std::unique_ptr<vt_test::FakeRowChannel>> channels;
  std::vector<CGNgChannel*> list;
  CGNgSDigital* sheet = nullptr;
};

}  // namespace trend_test
