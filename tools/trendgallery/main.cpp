// trendgallery: a trend panel of 100 channels on three Y axes, six hours of one-second samples
// shown in a 1,200 x 700 window, written to a PNG; a second PNG of the window caught half way
// through the refill, with the load-progress overlay over the previous frame; and a third of a
// panel of the same channels with its axis legend, beside a trend sheet of them with a row
// every ten seconds, marks on a few rows, a selected column and a selection of rows. The first
// panel carries marks with open notes whose comments wrap.
//
// Usage: trendgallery PANEL.png PROGRESS.png SHEET.png. Exit code 0 on success, 1 on a usage or
// write failure. The windows are test hosts (a front image is what the screen would show).
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/qt/Raster.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "trend/Marks.h"
#include "trend/NgSheet.h"
#include "trend/NgWaveform.h"
#include "trend/testing/FakeNgChannel.h"
#include "trend/testing/FakeNgRows.h"
#include "trend/testing/NgSheetArt.h"

namespace {

constexpr int kChannels = 100, kWidth = 1200, kHeight = 700;
constexpr int64_t kSamples = 86400;
const PreciseTime kStart{1700000000, 0.0};

// A channel that answers the trend sheet's row reads from its samples (the value at or before
// the row's time) and photographs the window the first time it is read, half way through a
// refill (the buffers refill from the last channel to the first).
class GalleryChannel : public vt_test::FakeNgChannel {
 public:
  void ReadMinMaxOver(PreciseTime from, PreciseTime to, double* mn, double* mx, uint16_t* status) override {
    if (host && snapshot && snapshot->isNull()) *snapshot = host->FrontImage().copy();
    FakeNgChannel::ReadMinMaxOver(from, to, mn, mx, status);
  }
  int ReadRowValue(PreciseTime t, int* inData, int* exact, double* v, uint16_t* s) override {
    double unused = 0;
    return ReadRowMinMax(t, inData, exact, v, &unused, s);
  }
  int ReadRowMinMax(PreciseTime t, int* inData, int* exact, double* mn, double* mx, uint16_t* s) override {
    const double pos = Offset(t) / interval;
    const int64_t i = int64_t(std::floor(pos + 1e-9));
    *inData = pos > -1e-9 && i < Size() ? 1 : 0;
    *exact = *inData && std::fabs(pos - std::round(pos)) < 1e-6 ? 1 : 0;
    *mn = *inData ? mins[size_t(i)] : 0;
    *mx = *inData ? (maxs.empty() ? mins[size_t(i)] : maxs[size_t(i)]) : 0;
    *s = *inData ? statuses[size_t(i)] : NoData();
    return 1;
  }
  void GetUnit(std::string* out) override { *out = unit; }
  int GetDecimals() override { return 1; }
  int IsShown() override { return 1; }
  uint32_t GetColour() override { return colour; }

  std::string unit;
  uint32_t colour = 0x02000000;
  vt::FakeHostWindow* host = nullptr;
  QImage* snapshot = nullptr;
};

bool Save(const QImage& image, const char* path) {
  const QString p = QString::fromLocal8Bit(path);
  QDir().mkpath(QFileInfo(p).absolutePath());
  if (image.isNull() || !image.save(p, "PNG")) {
    std::fprintf(stderr, "trendgallery: cannot write %s\n", path);
    return false;
  }
  return true;
}

vt::ColorRef Hue(int i) {
  const double h = std::fmod(i * 0.61803398875, 1.0) * 6;
  const int k = int(h);
  const double f = h - k;
  const int v = 235, lo = 70, up = int(lo + (v - lo) * f), down = int(v - (v - lo) * f);
  const int rgb[6][3] = {{v, up, lo}, {down, v, lo}, {lo, v, up}, {lo, down, v}, {up, lo, v}, {v, lo, down}};
  return 0x02000000u | vt::Rgb(uint8_t(rgb[k][0]), uint8_t(rgb[k][1]), uint8_t(rgb[k][2]));
}

// The order the graph window's root follows when it shows a group, then the time range.
void ShowGroup(CGNgWaveform* panel, std::vector<CGNgChannel*>& list, std::vector<SNgChannelSetting>& records,
               SNgAxisSetting* axes, int selected, int legendMode) {
  panel->m_graph->SetChannels(kChannels, list.data());
  panel->SetBackColor(0x025E5E5E);
  panel->SetForeColor(0x02808080);
  CGNgYAxisManager* manager = panel->GetYAxisManager();
  manager->m_printColumnLimit = 3;
  manager->SetAxes(axes, 3);
  panel->m_graph->SetNameKind(0);
  panel->SetChannels(kChannels, records.data(), 3, axes);
  panel->SelectChannel(selected, -1);
  if (legendMode) panel->m_graph->m_legend->SetMode(legendMode);
  manager->SetClip(1);
  manager->SetLayout(AXIS_SLIDING);
  panel->SetLineWidths(1, 1, 1, 1);
  panel->SetDataRange(kStart, PreciseTime::AddSeconds(kStart, double(kSamples)));
  panel->SetVisibleRange(PreciseTime::AddSeconds(kStart, 3 * 3600.0),
                         PreciseTime::AddSeconds(kStart, 9 * 3600.0));
  panel->m_graph->m_timeAxis->m_division = 3600;  // an hour per division, as the root writes it
  panel->LayoutTree();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: trendgallery PANEL.png PROGRESS.png SHEET.png\n");
    return 1;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  auto* master = new CGRootMaster;
  master->CreateManagers();
  RegisterSkinArt();
  const SGSkinDescriptor skin = BuiltinSkinDescriptor();
  SetGadgetSkin(&skin);
  SetNgWaveformSkin();
  SetNgGraphSkin();

  vt::FakeHostWindow host(kWidth, kHeight);
  auto* root = new CGRoot(master, 0, 0);
  root->Attach(&host);
  auto* panel = new CGNgWaveform(root);
  panel->SetBounds(0, 0, kWidth, kHeight);
  panel->Build(150);

  // Channels: three families of waves around the scales of their axes.
  std::vector<std::unique_ptr<GalleryChannel>> channels;
  std::vector<CGNgChannel*> list;
  std::vector<SNgChannelSetting> records(kChannels);
  for (int i = 0; i < kChannels; ++i) {
    auto c = std::make_unique<GalleryChannel>();
    c->start = kStart;
    const int axis = i % 3;
    const double period = 3600.0 * (1 + i % 7), phase = i * 0.37;
    const double centre = axis == 0   ? 50
                          : axis == 1 ? 20
                                      : 500,
                 swing = axis == 0   ? 40
                         : axis == 1 ? 60
                                     : 400;
    c->Fill(kSamples, [&](int64_t k) {
      const double t = double(k);
      const double level = double((i / 3) % 11) / 10.0 - 0.5;  // channels spread over the scale
      return centre + swing * (0.3 * std::sin(2 * M_PI * t / period + phase) + 0.9 * level +
                               0.04 * std::sin(t / 97.0 + i));
    });
    c->name = "CH" + std::to_string(i + 1);
    records[size_t(i)].shown = 1;
    records[size_t(i)].index = int16_t(i);
    records[size_t(i)].channelIndex = int16_t(i);
    records[size_t(i)].axisIndex = int16_t(axis);
    records[size_t(i)].colour = Hue(i);
    list.push_back(c.get());
    channels.push_back(std::move(c));
  }
  SNgAxisSetting axes[3];
  const double lows[3] = {0, -50, 0}, highs[3] = {100, 100, 1000};
  const char* names[3] = {"Temperature", "Pressure", "Flow"};
  const char* units[3] = {"degC", "kPa", "l/min"};
  const vt::ColorRef axisColours[3] = {0x0280E0FF, 0x02FFC070, 0x0290FF90};
  for (int a = 0; a < 3; ++a) {
    axes[a].shown = 1, axes[a].labelMode = 2, axes[a].zoom = 1, axes[a].gridLevel = 1;
    axes[a].scaleMinimum = lows[a], axes[a].scaleMaximum = highs[a], axes[a].colour = axisColours[a];
    std::snprintf(axes[a].name, sizeof axes[a].name, "%s", names[a]);
    std::snprintf(axes[a].unit, sizeof axes[a].unit, "%s", units[a]);
  }

  // Alarm levels 1 and 2 active on two channels over a few minutes of the sheet's rows.
  for (int64_t k = 3 * 3600 + 150; k < 3 * 3600 + 330; ++k) channels[1]->statuses[size_t(k)] = 0x0001;
  for (int64_t k = 3 * 3600 + 60; k < 3 * 3600 + 200; ++k) channels[3]->statuses[size_t(k)] = 0x0003;
  for (int i = 0; i < kChannels; ++i) {
    channels[size_t(i)]->unit = units[i % 3];
    channels[size_t(i)]->colour = records[size_t(i)].colour;
  }
  ShowGroup(panel, list, records, axes, 0, 0);
  // Marks with open notes: comments that wrap at their blanks, and one word wider than a note.
  const struct {
    double hours;
    int shape;
    uint32_t colour;
    int position;
    double value;
    const char* title;
    const char* comment;
  } notes[] = {
      {4.0, MARK_FLAG_RIGHT, 0x0200FFFF, 20, 0.85, "Valve",
       "Valve opened by the operator after the pressure alarm"},
      {5.5, MARK_PENNANT, 0x0200FF00, 20, 0.5, "Setpoint", "Setpoint changed to 75 degC on line 2"},
      {7.5, MARK_FLAG_LEFT, 0x02FF80FF, -20, 0.3, "Calibration",
       "Recalibrated TI-204/TI-205/TI-206/TI-207 today"},
  };
  std::vector<SNgMarkData> marks(std::size(notes));
  for (size_t k = 0; k < marks.size(); ++k) {
    SNgMarkData& m = marks[k];
    m.id = int32_t(k + 1), m.markKind = notes[k].shape, m.colour = notes[k].colour;
    m.time = PreciseTime::AddSeconds(kStart, notes[k].hours * 3600);
    std::snprintf(m.label, sizeof m.label, "M%zu", k + 1);
    m.noteCount = 1;
    m.note.kind = 1, m.note.position = notes[k].position, m.note.value = notes[k].value;
    std::snprintf(m.note.title, sizeof m.note.title, "%s", notes[k].title);
    std::snprintf(m.note.comment, sizeof m.note.comment, "%s", notes[k].comment);
  }
  panel->m_graph->m_marks->SetMarks(int(marks.size()), marks.data());
  panel->LayoutTree();

  // Every progress paint is made (a clock that moves 20 ms per reading).
  int64_t fakeNow = 0;
  panel->m_progress->m_clock = [&] { return fakeNow += 20; };
  host.Invalidate(nullptr);
  host.RunPendingPaint();
  const QImage panelImage = host.FrontImage().copy();

  // A scroll by half a span refills again; channel 49 photographs the window half way.
  QImage progressImage;
  channels[49]->host = &host;
  channels[49]->snapshot = &progressImage;
  panel->m_graph->m_scrollBar->SetPosition(PreciseTime::AddSeconds(kStart, 6 * 3600.0));
  panel->m_graph->m_scrollBar->PositionChanged();

  // The same channels in a second window: a panel with its axis legend (a few channels unchecked,
  // one axis collapsed) beside a trend sheet with a row every ten seconds from the shown range.
  constexpr int kSheetWidth = 760;
  vt::FakeHostWindow sheetHost(kWidth + 10 + kSheetWidth, kHeight);
  auto* sheetRoot = new CGRoot(master, 0, 0);
  sheetRoot->SetBackColor(0x02404040);
  sheetRoot->SetOpaque(1);
  sheetRoot->Attach(&sheetHost);
  auto* second = new CGNgWaveform(sheetRoot);
  second->SetBounds(0, 0, kWidth, kHeight);
  second->Build(150);
  std::vector<SNgChannelSetting> sheetRecords = records;
  for (int i : {7, 8, 20, 41}) sheetRecords[size_t(i)].shown = 0;
  SNgAxisSetting sheetAxes[3] = {axes[0], axes[1], axes[2]};
  for (SNgAxisSetting& a : sheetAxes) a.legendFlag = 1;
  sheetAxes[2].legendFlag = 0;
  ShowGroup(second, list, sheetRecords, sheetAxes, 4, LEGEND_AXIS);

  vt_test::RegisterNgSheetArt();
  SetNgSheetSkin(DefaultNgSheetSkin());
  SetNgSheetBitmaps(DefaultNgSheetBitmaps());
  vt_test::FakeNgRows rows(PreciseTime::AddSeconds(kStart, 3 * 3600.0), 10.0, 6 * 360);
  rows.marks[2] = {1, 0x0200FF00};
  rows.marks[7] = {2, 0x020000FF};
  rows.marks[15] = {1, 0x0200FF00};
  auto* sheet =
      new CGNgSDigital(sheetRoot, kWidth + 10, 0, kSheetWidth, kHeight, 0, GSTYLE_ACTIVE, 1, 16, 0, 18);
  sheet->Build();
  sheet->SetChannels(kChannels, list.data());
  sheet->SetTimeSource(&rows);
  sheet->SetLineCount(rows.GetRowCount());
  sheet->SetNameKind(0);
  sheet->ShowAlarms(1);
  sheet->SelectColumn(4);
  sheet->SetSelectionTimes(PreciseTime::AddSeconds(kStart, 3 * 3600.0 + 40),
                           PreciseTime::AddSeconds(kStart, 3 * 3600.0 + 110));
  sheet->LayoutTree();
  sheetHost.Invalidate(nullptr);
  sheetHost.RunPendingPaint();
  const QImage sheetImage = sheetHost.FrontImage().copy();

  const bool ok = Save(panelImage, argv[1]) && Save(progressImage, argv[2]) && Save(sheetImage, argv[3]);
  delete master;
  return ok ? 0 : 1;
}
