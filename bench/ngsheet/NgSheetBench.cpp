// Benchmark of the trend sheet's paint far down a long row source against its first screen.
//
// A 1920 x 1080 trend sheet of 100 computed channels (single values and min/max pairs, one
// sample a second, alarm icons on, padding on) over a row source of 2,000,000 rows, one a
// second: the whole sheet is painted into the root's back buffer at row 0 and again scrolled
// so that row 1,000,000 is at the top. Each paint reads every visible cell from its channel,
// so the two should cost the same; the ratio (far / first) is printed last. Each measure takes
// the best of its runs.
//
// Usage: ngsheet_bench
#include <stdio.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkRoot.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "trend/NgSheet.h"
#include "trend/testing/FakeNgRows.h"
#include "trend/testing/NgSheetArt.h"

namespace {

constexpr int kChannels = 100;
constexpr int kRows = 2000000;
constexpr int kFarRow = 1000000;
constexpr int kRuns = 7;

double Best(const std::function<void()>& work) {
  return vt::bench::BestOf(kRuns, [&](int) { work(); });
}

class BenchRoot : public CGSkRoot {
 public:
  BenchRoot() : CGSkRoot(nullptr, nullptr, 0) {}
  using CGRoot::AllocateBackDC;
};

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; no window is shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  auto* master = new CGRootMaster;
  master->CreateManagers();
  RegisterSkinArt();
  SGSkinDescriptor skin = BuiltinSkinDescriptor();
  SetGadgetSkin(&skin);
  vt_test::RegisterNgSheetArt();
  SetNgSheetTimeTitleIds(5001, 5001);
  SetNgSheetSkin(DefaultNgSheetSkin());
  SetNgSheetBitmaps(DefaultNgSheetBitmaps());

  const PreciseTime start{1273478400, 0.0};
  vt_test::FakeNgRows rows(start, 1.0, kRows);
  for (int r = 0; r < kRows; r += 37) rows.marks[r] = {1 + r % 3, r % 2 ? 0x0200FF00u : 0x020000FFu};
  std::vector<std::unique_ptr<vt_test::FakeRowChannel>> channels;
  std::vector<CGNgChannel*> list;
  for (int c = 0; c < kChannels; ++c) {
    auto ch = std::make_unique<vt_test::FakeRowChannel>();
    ch->kind = c % 4 == 1 ? DATA_PAIRS : DATA_SINGLE;
    ch->samples = kRows;
    ch->interval = c % 3 == 0 ? 2.0 : 1.0;  // every third channel pads every other row
    ch->name = "CH" + std::to_string(c + 1);
    ch->value = [c](int64_t i) { return double((i * 7 + c * 13) % 1001) * 0.25; };
    ch->status = [](int64_t i) { return uint16_t(i % 5 == 0 ? 0x0003 : 0); };
    list.push_back(ch.get());
    channels.push_back(std::move(ch));
  }

  auto* root = new BenchRoot;
  root->AllocateBackDC(1920, 1080);
  root->SetBounds(0, 0, 1920, 1080);
  auto* sheet = new CGNgSDigital(root, 0, 0, 1920, 1080, 0, GSTYLE_ACTIVE, 1, 16, 0, 18);
  sheet->Build();
  sheet->SetChannels(kChannels, list.data());
  sheet->SelectColumn(3);
  sheet->SetTimeSource(&rows);
  sheet->SetLineCount(rows.GetRowCount());
  sheet->ResetSelection(0);
  sheet->ShowAlarms(1);
  sheet->SetPadding(1);
  sheet->SetNameKind(NAME_TAG);
  sheet->SetSelectionTimes(PreciseTime::AddSeconds(start, kFarRow + 5),
                           PreciseTime::AddSeconds(start, kFarRow + 9));
  sheet->LayoutTree();
  printf("sheet: %d channels, %d rows, body %d x %d\n", kChannels, kRows, sheet->m_body->ViewWidth(),
         sheet->m_body->ViewHeight());

  auto reads = [&] {
    int64_t n = 0;
    for (auto& c : channels) n += c->rowReads;
    return n;
  };
  sheet->SetScrollY(0);
  int64_t before = reads();
  const double first = Best([&] { sheet->Redraw(); });
  const int64_t firstReads = (reads() - before) / kRuns;
  sheet->SetScrollY(kFarRow * 18);
  printf("scrolled to y %d (row %d at the top)\n", sheet->m_body->m_scrollY, sheet->m_body->m_scrollY / 18);
  before = reads();
  const double far = Best([&] { sheet->Redraw(); });
  const int64_t farReads = (reads() - before) / kRuns;
  printf("first screen: %.2f ms, %lld cell reads\n", first * 1e3, (long long)firstReads);
  printf("row %d: %.2f ms, %lld cell reads\n", kFarRow, far * 1e3, (long long)farReads);

  delete root;
  ResetSheetSkin();
  ResetGadgetSkin();
  delete master;
  vt::bench::Report report("ngsheet");
  report.Info("row " + std::to_string(kFarRow) + " / first screen", far / first);
  return report.ExitCode();
}
