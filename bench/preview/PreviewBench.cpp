// Benchmark of the print preview far into a long sheet against its first page.
//
// A trend sheet of 20 computed channels over 5,000,000 rows (one a second) is previewed through
// the sheet's print root on an A4 page at 600 dots per inch: the preview begins once, then page 1
// and page 70,000 are each shown (drawn) several times. A preview draws only the page it shows,
// so the two should cost the same; the ratio (page 70,000 / page 1) is printed last.
//
// Usage: preview_bench
#include <stdio.h>

#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "document/ui/CGVantrelPrintRoots.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/PrintPreview.h"
#include "trend/NgSheet.h"
#include "trend/testing/FakeNgRows.h"
#include "trend/testing/NgSheetArt.h"

namespace {

constexpr int kChannels = 20;
constexpr int kRows = 5000000;
constexpr int kFarPage = 70000;
constexpr int kRuns = 5;

// The preview's job over the root alone.
class RootJob : public vt::PrintClient {
 public:
  explicit RootJob(CGRoot* root) : root_(root) {}
  bool OnPreparePrinting(vt::PrintInfo& info) override { return vt::DoPreparePrinting(info, 0); }
  void OnBeginPrinting(vt::DeviceContext* dc, vt::PrintInfo& info) override {
    root_->BeginPrinting(dc, &info);
  }
  void OnPrint(vt::DeviceContext* dc, vt::PrintInfo& info) override { root_->Print(dc, &info); }
  void OnEndPrinting(vt::DeviceContext* dc, vt::PrintInfo& info) override { root_->EndPrinting(dc, &info); }

 private:
  CGRoot* root_;
};

}  // namespace

int main(int argc, char** argv) {
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
  std::vector<std::unique_ptr<vt_test::FakeRowChannel>> channels;
  std::vector<CGNgChannel*> list;
  for (int c = 0; c < kChannels; ++c) {
    auto ch = std::make_unique<vt_test::FakeRowChannel>();
    ch->kind = c % 4 == 1 ? DATA_PAIRS : DATA_SINGLE;
    ch->samples = kRows;
    ch->name = "CH" + std::to_string(c + 1);
    ch->value = [c](int64_t i) { return double((i * 7 + c * 13) % 1001) * 0.25; };
    list.push_back(ch.get());
    channels.push_back(std::move(ch));
  }

  vt::bench::Report report("preview");
  {
    vt::CGVantrelSheetPrintRoot root(nullptr, kChannels, list.data(), &rows);
    RootJob job(&root);
    vt::PrintPreview preview(job, 720);
    if (!preview.Begin()) {
      report.Failed("the preview did not begin");
      return report.ExitCode();
    }
    printf("sheet: %d channels, %d rows, %d pages\n", kChannels, kRows, preview.LastPage());
    if (preview.LastPage() < kFarPage) {
      report.Failed("fewer pages than " + std::to_string(kFarPage));
      return report.ExitCode();
    }
    const double first = vt::bench::BestOf(kRuns, [&](int) { preview.ShowPage(1); });
    const double far = vt::bench::BestOf(kRuns, [&](int) { preview.ShowPage(kFarPage); });
    printf("page 1: %.2f ms\npage %d: %.2f ms\n", first * 1e3, kFarPage, far * 1e3);
    preview.End();
    report.AtMost("page " + std::to_string(kFarPage) + " / page 1", far / first, 2.0);
  }
  ResetSheetSkin();
  ResetGadgetSkin();
  delete master;
  return report.ExitCode();
}
