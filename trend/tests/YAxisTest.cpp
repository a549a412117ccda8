// Y axes: label and grid steps, the value mappings with their over-range and clip rules,
// label formats and widths, the drawn labels, ticks and titles, and the axis record.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <thread>

#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/RecordingDc.h"
#include "trend/YAxis.h"

namespace {

class YAxisTest : public gadget_test::GadgetEnv {
 protected:
  // A shown axis over (0, top) .. (40, top + height) with the scale and label mode.
  CGNgYAxis* MakeAxis(double mn, double mx, int top, int height, int scale = SCALE_LINEAR,
                      int labels = LABELS_ON, int exponent = 0) {
    axes_.push_back(std::make_unique<CGNgYAxis>(nullptr, 0));
    CGNgYAxis* axis = axes_.back().get();
    axis->SetBounds(0, top, 40, height);
    SNgAxisSetting r;
    r.shown = 1;
    r.labelMode = int16_t(labels);
    r.scaleType = int16_t(scale);
    r.exponent = int16_t(exponent);
    r.gridLevel = 1;
    r.scaleMinimum = mn;
    r.scaleMaximum = mx;
    std::strcpy(r.name, "Flow");
    axis->SetSetting(&r);
    return axis;
  }
  std::vector<std::unique_ptr<CGNgYAxis>> axes_;
};

std::vector<std::string> Texts(const vt::RecordingDc& dc) {
  std::vector<std::string> out;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::TextOut)) out.push_back(r.text);
  return out;
}

}  // namespace

TEST_F(YAxisTest, StepsAndGridLevels) {
  struct Case {
    double mn, mx;
    double steps[3];
    int labelWidth, decimals;
  } cases[] = {
      {0, 100, {20, 10, 5}, 3, 0},         // width 3 digits
      {0, 5, {2, 1, 0.5}, 3, 0},           // format width 1, raised to the minimum 3
      {-1, 1, {0.5, 0.25, 0.1}, 4, 1},     // 1 + 2 + 1
      {100, 0, {-20, -10, -5}, 3, 0},      // inverted: negative steps
      {0, 0.02, {0.1, 0.05, 0.02}, 3, 1},  // the 0.125 term dominates small spans
      {0, 1000, {200, 100, 50}, 4, 0},
  };
  for (const Case& c : cases) {
    CGNgYAxis* a = MakeAxis(c.mn, c.mx, 0, 100);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a->m_labelSteps[i], c.steps[i], 1e-12) << c.mn << ".." << c.mx;
    EXPECT_EQ(a->m_labelWidth, c.labelWidth) << c.mn << ".." << c.mx;
    EXPECT_EQ(a->m_decimals, c.decimals) << c.mn << ".." << c.mx;
  }
  const double grids[] = {20, 20, 10, 5, 2, 1};  // levels 0 (keeps the step) .. 5
  for (int level = 0; level <= 5; ++level) {
    CGNgYAxis* a = MakeAxis(0, 100, 0, 100);
    a->m_gridLevel = level;
    a->SetRange(0.0, 100.0);
    EXPECT_NEAR(a->m_gridStep, grids[level], 1e-12) << level;
  }
  CGNgYAxis* a = MakeAxis(0, 100, 0, 100, SCALE_LINEAR, LABELS_OFF);
  EXPECT_EQ(a->m_labelWidth, 1);
}

TEST_F(YAxisTest, LinearMappingWithOverRangeAndClip) {
  CGNgYAxis* a = MakeAxis(0, 100, 10, 101);
  struct Case {
    double v;
    int state, y, stateAfter;
  } cases[] = {
      {50, 0, 60, 0},    {100, 0, 10, 0},  {0, 0, 110, 0}, {1e30, 0, -32768, 0},
      {5, 6, -32768, 0}, {5, 7, 32767, 0}, {5, 8, 0, 3},   {5, 3, 0, 3},
  };
  for (const Case& c : cases) {
    int s = c.state;
    EXPECT_EQ(a->ValueToPixel(c.v, &s), c.y) << c.v << " " << c.state;
    EXPECT_EQ(s, c.stateAfter) << c.v << " " << c.state;
  }
  a->m_clip = 1;
  int s = 0;
  EXPECT_EQ(a->ValueToPixel(150, &s), 9);
  EXPECT_EQ(a->ValueToPixel(-50, &s), 111);
  s = 6;
  EXPECT_EQ(a->ValueToPixel(0, &s), 9);

  CGNgYAxis* inv = MakeAxis(100, 0, 10, 101);
  s = 6;
  EXPECT_EQ(inv->ValueToPixel(0, &s), 32767);
  s = 7;
  EXPECT_EQ(inv->ValueToPixel(0, &s), -32768);

  // a zero-span scale puts drawable values in the middle, never a non-finite number
  CGNgYAxis* flat = MakeAxis(5, 5, 0, 101);
  s = 0;
  EXPECT_EQ(flat->ValueToPixel(5, &s), 50);
  EXPECT_EQ(flat->ValueToPixel(std::nan(""), &s), 0);
  EXPECT_EQ(s, 3);

  double v = 0;
  a->m_clip = 0;
  a->PixelToValue(60, &v);
  EXPECT_DOUBLE_EQ(v, 50.0);
  int y1, y2, skip;
  a->ValuePairToPixels(0, 0, 100, 0, &y1, &y2, &skip);
  EXPECT_EQ((std::vector<int>{y1, y2, skip}), (std::vector<int>{110, 10, 0}));
  a->ValuePairToPixels(0, 0, 100, 12, &y1, &y2, &skip);
  EXPECT_EQ(skip, 3);
}

TEST_F(YAxisTest, LogMappingAndPairs) {
  CGNgYAxis* a = MakeAxis(1, 1000, 0, 301, SCALE_LOG);
  struct Case {
    double v;
    int state, y, stateAfter;
  } cases[] = {
      {10, 0, 200, 0}, {1000, 0, 0, 0},    {1, 0, 300, 0}, {0, 0, 0, 3},
      {-5, 0, 0, 3},   {10, 6, -32768, 0}, {10, 7, 0, 3},  {kNgNoValue, 9, -32768, 0},
  };
  for (const Case& c : cases) {
    int s = c.state;
    EXPECT_EQ(a->ValueToPixel(c.v, &s), c.y) << c.v << " " << c.state;
    EXPECT_EQ(s, c.stateAfter) << c.v << " " << c.state;
  }
  int y1 = -1, y2 = -1, skip = -1;
  a->ValuePairToPixels(0, 0, 10, 0, &y1, &y2, &skip);
  EXPECT_EQ((std::vector<int>{y1, y2, skip}), (std::vector<int>{32767, 200, 0}));
  a->ValuePairToPixels(10, 0, -1, 0, &y1, &y2, &skip);
  EXPECT_EQ((std::vector<int>{y1, y2, skip}), (std::vector<int>{200, 32767, 0}));
  a->m_clip = 1;
  a->ValuePairToPixels(0, 0, 10, 0, &y1, &y2, &skip);
  EXPECT_EQ(y1, 301);
  y1 = y2 = 7;
  a->ValuePairToPixels(0, 0, -1, 0, &y1, &y2, &skip);
  EXPECT_EQ((std::vector<int>{y1, y2, skip}), (std::vector<int>{7, 7, 3}));
  double v = 0;
  a->PixelToValue(200, &v);
  EXPECT_NEAR(v, 10.0, 1e-9);

  CGNgYAxis* fromZero = MakeAxis(0, 100, 0, 301, SCALE_LOG);
  EXPECT_NEAR(fromZero->m_logLower, -37.93, 0.01);
  EXPECT_EQ(fromZero->m_labelWidth, 40);  // |-38| + 2
}

TEST_F(YAxisTest, ExponentFormatsUseThreeDigitsAndNeverHang) {
  CGNgYAxis* a = MakeAxis(0, 100000, 0, 200, SCALE_LINEAR, LABELS_ON, 1);
  EXPECT_EQ(a->m_format, "%8.1le");  // d = |5 - floor log10 25000| = 1, width d + 7
  EXPECT_EQ(a->FormatLabel(20000), "2.0E+004");
  EXPECT_EQ(a->FormatLabel(5), "5.0E+000");
  EXPECT_EQ(a->FormatLabel(-20000), "-2.0E+004");
  EXPECT_EQ(a->m_labelWidth, 3);  // longest trimmed label "1E5"/"2E4" is 3

  // Fitting the labels of a log axis with exponent labels must end: the axis is made on a thread
  // of its own against a deadline. A thread that hangs cannot be stopped, so the run ends there.
  std::packaged_task<CGNgYAxis*()> make([&] { return MakeAxis(0, 100, 0, 300, SCALE_LOG, LABELS_ON, 1); });
  std::future<CGNgYAxis*> made = make.get_future();
  std::thread maker(std::move(make));
  if (made.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    ADD_FAILURE() << "making a log axis with exponent labels did not return within 5 s";
    std::fflush(stdout);
    std::_Exit(1);
  }
  maker.join();
  CGNgYAxis* log = made.get();
  EXPECT_GE(log->m_labelWidth, 3);
  CGNgYAxis* zeros = MakeAxis(0, 0, 0, 300, SCALE_LINEAR, LABELS_ON, 1);
  EXPECT_EQ(zeros->m_labelWidth, 3);
}

TEST_F(YAxisTest, DrawsLogLabelsAndTicksAtOneTwoFive) {
  CGNgYAxis* a = MakeAxis(1, 1000, 0, 300, SCALE_LOG);
  vt::RecordingDc dc(200, 400);
  a->DrawScale(&dc, vt::Rect{34, 0, 40, 300}, 0x000000FF);
  const std::vector<std::string> labels = {"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"};
  std::vector<std::string> texts = Texts(dc);
  texts.resize(std::min(texts.size(), labels.size()));
  EXPECT_EQ(texts, labels);
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::TextOut)[3].points[0].y,
            199 + 14 / 2);  // centred on its tick in the 14-pixel label font
  (void)(0);

  CGNgYAxis* decimals = MakeAxis(0.01, 1, 0, 40, SCALE_LOG);
  dc.Clear();
  decimals->DrawScale(&dc, vt::Rect{34, 0, 40, 40}, 0);
  texts = Texts(dc);
  texts.resize(3);
  EXPECT_EQ(texts, (std::vector<std::string>{"0.01", "0.1", "1"}));  // too low for 2 and 5

  CGNgYAxis* sameDecade = MakeAxis(10, 10, 0, 300, SCALE_LOG);
  dc.Clear();
  sameDecade->DrawScale(&dc, vt::Rect{34, 0, 40, 300}, 0);
  sameDecade->DrawGrid(&dc, 0, 100, 0);
  EXPECT_TRUE(dc.RecordsOf(vt::DcOp::TextOut).size() <= 1);  // at most the title
}

TEST_F(YAxisTest, LinearLabelsSkipCrowdedOnesAndOffShowsNone) {
  CGNgYAxis* a = MakeAxis(0, 100, 0, 101);
  vt::RecordingDc dc(200, 200);
  a->DrawScale(&dc, vt::Rect{34, 0, 40, 101}, 0);
  std::vector<std::string> texts = Texts(dc);
  ASSERT_GE(texts.size(), 6u);
  texts.resize(6);
  EXPECT_EQ(texts, (std::vector<std::string>{"  0", " 20", " 40", " 60", " 80", "100"}));

  CGNgYAxis* crowded = MakeAxis(0, 100, 0, 30);  // 20 apart is about 6 pixels: most labels skipped
  dc.Clear();
  crowded->DrawScale(&dc, vt::Rect{34, 0, 40, 30}, 0);
  const int h = dc.GetTextMetrics().height;
  int last = -100;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::TextOut)) {
    if (r.escapement) continue;
    EXPECT_GE(std::abs(r.points[0].y - h / 2 - last), h);
    last = r.points[0].y;
  }

  CGNgYAxis* off = MakeAxis(0, 100, 0, 101, SCALE_LINEAR, LABELS_OFF);
  dc.Clear();
  off->DrawScale(&dc, vt::Rect{34, 0, 40, 101}, 0);
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::TextOut)) EXPECT_NE(r.escapement, 0) << r.text;
}

TEST_F(YAxisTest, GridLinesFollowTheGridStep) {
  vt::RecordingDc dc(300, 300);
  auto ys = [&] {
    std::vector<int> out;
    for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::LineTo)) out.push_back(r.points[0].y);
    return out;
  };
  CGNgYAxis* a = MakeAxis(0, 100, 0, 101);
  a->m_gridLevel = 2;  // one step finer than the labels: every 10
  a->SetRange(0.0, 100.0);
  EXPECT_EQ(a->DrawGrid(&dc, 50, 250, 0x808080), 1);
  EXPECT_EQ(ys(), (std::vector<int>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0}));
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::LineTo)[0].points[1].x, 250);

  dc.Clear();
  CGNgYAxis* log = MakeAxis(1, 100, 0, 201, SCALE_LOG);
  log->DrawGrid(&dc, 50, 250, 0);
  const std::vector<int> logYs = ys();
  ASSERT_FALSE(logYs.empty());
  EXPECT_EQ(logYs.front(), 200);                                       // 1 on the last row (bottom - 1)
  EXPECT_NE(std::find(logYs.begin(), logYs.end(), 100), logYs.end());  // 10 in the middle
  EXPECT_EQ(logYs.back(), 0);                                          // 100 on the top row

  // scales that span nothing draw nothing and return at once
  for (CGNgYAxis* empty : {MakeAxis(10, 10, 0, 100, SCALE_LOG), MakeAxis(0, 0, 0, 100, SCALE_LOG)}) {
    dc.Clear();
    empty->DrawGrid(&dc, 0, 100, 0);
    empty->DrawScale(&dc, vt::Rect{34, 0, 40, 100}, 0);
  }
  CGNgYAxis* flat = MakeAxis(0, 1e-320, 0, 100);
  flat->DrawGrid(&dc, 0, 100, 0);
  flat->DrawScale(&dc, vt::Rect{34, 0, 40, 100}, 0);
  a->SetBounds(0, 0, 40, 0);
  EXPECT_EQ(a->DrawGrid(&dc, 0, 100, 0), 0);
}

TEST_F(YAxisTest, TitlePiecesFollowTheAxisLength) {
  CGNgYAxis* a = MakeAxis(0, 100, 0, 300);
  a->m_unit = "m3/h";
  a->SetText("Flow");
  vt::RecordingDc dc(100, 100);
  const int w = dc.GetTextExtent("x").cx;  // fixed advance per character
  struct Case {
    std::string name, unit;
    int length;
    std::string text;
    bool twoPiece;
  } cases[] = {
      {"Flow", "m3/h", 10 * w, "Flow[m3/h]", false},
      {"Flow", "m3/h", 9 * w, "[m3/h]", true},   // "m3/h[ ]" is 7 wide < 9w - 6
      {"Flow", "m3/h", 6 * w, "[m3/h]", false},  // 7w is not below 6w - 6
      {"Flow", "m3/h", 5 * w, "", false},        // nothing fits
      {"LongName", "", 4 * w, "", true},
  };
  for (const Case& c : cases) {
    a->SetText(c.name);
    a->m_unit = c.unit;
    const CGNgYAxis::Title t = a->ComposeAxisTitle(&dc, nullptr, c.length);
    EXPECT_EQ(t.text, c.text) << c.length;
    EXPECT_EQ(t.twoPiece, c.twoPiece) << c.length;
  }
}

TEST_F(YAxisTest, RecordRoundTripReadsTextsWithinTheirFields) {
  SNgAxisSetting r;
  r.shown = 1;
  r.labelMode = LABELS_ON;
  r.scaleType = SCALE_LINEAR;
  r.zoom = 4;
  r.gridLevel = 2;
  r.colour = 0x020000FF;
  std::memset(r.name, 'N', sizeof r.name);  // no terminator anywhere
  std::memcpy(r.unit, "ABCDEFGH", 8);
  r.lowerPosition = 25;
  r.upperPosition = 75;
  r.spanLower = -3;
  r.spanUpper = 3;
  r.scaleMinimum = -1;
  r.scaleMaximum = 1;
  CGNgYAxis a(nullptr, 0);
  a.SetSetting(&r);
  EXPECT_EQ(a.m_title.size(), 128u);
  EXPECT_EQ(a.m_unit, "ABCDEFGH");
  EXPECT_DOUBLE_EQ(a.m_storedTop, 0.25);
  EXPECT_DOUBLE_EQ(a.m_storedBottom, 0.75);
  EXPECT_DOUBLE_EQ(a.m_referenceSpan, 2.0);

  SNgAxisSetting out;
  out.shown = 9;
  std::strcpy(out.name, "keep");
  a.GetSetting(&out);
  EXPECT_STREQ(out.unit, "ABCDEFG");
  EXPECT_EQ(out.shown, 9);
  EXPECT_STREQ(out.name, "keep");
  EXPECT_EQ(out.zoom, 4);
  EXPECT_DOUBLE_EQ(out.lowerPosition, 25);
  EXPECT_DOUBLE_EQ(out.upperPosition, 75);
  EXPECT_EQ(out.scaleMinimum, -1);
  EXPECT_EQ(out.spanUpper, 3);
  EXPECT_EQ(out.gridLevel, 2);
}
