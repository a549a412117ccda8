// Trips: index and colour by level, only the selected channel's trips drawn and hit, levels
// outside the axis, the record round trip, the tag drag with its clamp, the shrunk tag font, the
// highlight colour and the dotted line's phase.
#include <gtest/gtest.h>

#include "platform/gui/RecordingDc.h"
#include "trend/GraphBody.h"
#include "trend/Trips.h"
#include "trend/testing/FakeNgChannel.h"
#include "trend/tests/GraphTestEnv.h"

using vt_test::FakeNgChannel;

namespace {

int g_changes = 0;

class TripsTest : public trend_test::GraphEnv {
 protected:
  void SetUp() override {
    GraphEnv::SetUp();
    trips = graph->m_trips;
    ASSERT_NE(trips, nullptr);
    channels[1].decimalsValue = 3;
    CGNgChannel* list[2] = {&channels[0], &channels[1]};
    graph->SetChannels(2, list);
    records[0].tripShown[0] = records[0].tripShown[2] = 1;
    records[0].tripValue[0] = 20, records[0].tripValue[2] = 150;  // 150 lies above the scale
    records[1].tripShown[1] = 1, records[1].tripValue[1] = 50;
    trips->SetTrips(records, 2);
  }
  // The halftone lines drawn for the plot.
  std::vector<vt::DcRecord> Lines() {
    vt::RecordingDc dc(800, 400);
    trips->DrawTripLines(&dc, 10, 797);
    return dc.RecordsOf(vt::DcOp::FillRect);
  }

  struct Channel : FakeNgChannel {
    int decimalsValue = 2;
    int GetDecimals() override { return decimalsValue; }
  };
  CGNgTripManager* trips = nullptr;
  Channel channels[2];
  SNgChannelSetting records[2];
};

}  // namespace

TEST_F(TripsTest, IndexAndLevelColour) {
  EXPECT_EQ(trips->CountChildrenOfClass(GCLASS(CGNgTrip)), 400);
  EXPECT_EQ(trips->GetTrip(13)->m_colour, 0x02FF0000u);  // channel 3, level 2
  EXPECT_EQ(trips->GetTrip(12)->m_colour, 0x020000FFu);
  EXPECT_EQ(trips->GetTrip(14)->m_colour, 0x02FF00A0u);
  EXPECT_EQ(trips->GetTrip(15)->m_colour, 0x0200B4FFu);
  EXPECT_EQ(trips->Rect(), (vt::Rect{738, 27, 798, 27 + 400 - 8 - 58}));
  EXPECT_EQ(graph->m_screen->Rect().Width(), 727);
}

TEST_F(TripsTest, OnlyTheSelectedChannelsTripsInsideTheScaleAreDrawn) {
  EXPECT_TRUE(Lines().empty());  // no channel selected yet
  graph->SelectChannel(0, 0);
  std::vector<vt::DcRecord> lines = Lines();
  ASSERT_EQ(lines.size(), 1u);  // 150 lies outside 0..100
  const int y = ScreenY(20);
  EXPECT_EQ(lines[0].rect, (vt::Rect{10, y, 797, y + 1}));
  graph->SelectChannel(1, 0);
  lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect.top, ScreenY(50));
  EXPECT_EQ(trips->GetTrip(5)->m_decimals, 3);
}

TEST_F(TripsTest, RecordsRoundTrip) {
  trips->GetTrip(1)->SetStyle(3);
  trips->GetTrip(1)->SetValue(7.5);
  SNgChannelSetting back[2];
  trips->GetTrips(2, back);
  EXPECT_EQ(back[0].tripShown[0], 1);
  EXPECT_EQ(back[0].tripShown[1], 1);
  EXPECT_EQ(back[0].tripShown[3], 0);
  EXPECT_EQ(back[0].tripValue[1], 7.5);
  EXPECT_EQ(back[0].tripValue[2], 150);
  EXPECT_EQ(back[1].tripValue[1], 50);
}

TEST_F(TripsTest, TagDragMovesTheLevelWithinTheScale) {
  graph->SelectChannel(1, 0);
  CGNgTrip* trip = trips->GetTrip(5);
  vt::RecordingDc dc(800, 400);
  trips->Paint(&dc);  // the tag takes its size when drawn
  ASSERT_GT(trip->Rect().Height(), 0);
  const int y = ScreenY(50);
  g_changes = 0;
  trip->AddEventCallback(
      GEVENT_CHANGED, [](CGPrimitive*, int, void*) { ++g_changes; }, nullptr, 0);
  EXPECT_FALSE(trips->GetTrip(4)->HitTest(740, y, 3));  // another level of the channel is hidden

  graph->OnLButtonDown(0, 745, y);
  graph->OnMouseMove(0, 745, y + 10);
  EXPECT_DOUBLE_EQ(trip->m_value, ValueAtY(y + 10));
  graph->OnMouseMove(0, 745, y + 1000);  // beyond the scale: held at its minimum
  EXPECT_EQ(trip->m_value, 0);
  graph->OnLButtonUp(0, 745, y + 1000);
  EXPECT_EQ(g_changes, 1);

  SetScale(100, 0);  // an inverted axis clamps the same way
  trip->m_value = 50;
  trips->Paint(&dc);
  const int y2 = ScreenY(50);
  graph->OnLButtonDown(0, 745, y2);
  graph->OnMouseMove(0, 745, y2 - 1000);
  EXPECT_EQ(trip->m_value, 0);
  graph->OnLButtonUp(0, 745, y2);
}

TEST_F(TripsTest, TagFontShrinksForLongTextsAndHighlightFollowsTheBackground) {
  graph->SelectChannel(1, 0);
  CGNgTrip* trip = trips->GetTrip(5);
  trip->SetDecimals(12);  // "50.000000000000": 15 characters of 7 pixels in a 56-pixel box
  vt::RecordingDc dc(800, 400);
  trip->DrawMarker(&dc, 0x0000FF);
  std::vector<vt::DcRecord> texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].fontHeight, 56 / 15 * 2);
  EXPECT_EQ(texts[0].textAlign, vt::kTaRight | vt::kTaBottom);

  auto highlight = [&](vt::ColorRef back) {
    graph->SetBackColor(back);
    dc.Clear();
    trip->DrawHighlighted(&dc);
    return dc.RecordsOf(vt::DcOp::TextOut).at(0).color;
  };
  EXPECT_EQ(highlight(vt::ColorRef(128 | (128 << 8) | (128 << 16))), 0x02FFFFFFu);  // 384
  EXPECT_EQ(highlight(vt::ColorRef(129 | (128 << 8) | (128 << 16))), 0x02000000u);  // 385
}

TEST_F(TripsTest, DottedLineSwapsItsColoursWithTheScrollPhase) {
  graph->SelectChannel(1, 0);
  graph->m_screen->SetBackColor(0x00000000);
  const PreciseTime start{1000000000, 0};
  const double secondsPerPixel = 1.0;
  auto pixels = [&](int shift) {
    const PreciseTime s = PreciseTime::AddSeconds(start, shift * secondsPerPixel);
    graph->SetVisibleRange(s, PreciseTime::AddSeconds(s, 727 * secondsPerPixel));
    vt::RecordingDc dc(800, 400);
    trips->DrawTripLines(&dc, 10, 797);
    const int y = ScreenY(50);
    return std::pair{dc.GetPixel(100, y), dc.GetPixel(101, y)};
  };
  const auto a = pixels(0), b = pixels(1), c = pixels(2);
  EXPECT_NE(a.first, a.second);
  EXPECT_EQ(a.first, b.second);  // one pixel of scroll swaps the colours
  EXPECT_EQ(a.second, b.first);
  EXPECT_EQ(a, c);
}

TEST_F(TripsTest, PrintsSolidLinesAndWhiteTags) {
  graph->SelectChannel(1, 0);
  g_printScale = 2;  // as while printing
  axis->SetPrintBounds(0, 56, 80, 658);
  graph->SetPrintBounds(0, 0, 1600, 800);
  graph->ScalePrintRects(2);
  const int A = graph->m_timeAxis->Rect().Height();
  EXPECT_EQ(trips->PrintRect(), (vt::Rect{1600 - 18 - 120, 55, 1600 - 18, 55 + 800 - 60 - 2 * A - 56}));
  vt::RecordingDc dc(1600, 800);
  trips->PrintTripLines(&dc, 20, 1460);
  std::vector<vt::DcRecord> lines = dc.RecordsOf(vt::DcOp::FillRect);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect, (vt::Rect{20, PrintY(50), 1460, PrintY(50) + 1}));
  EXPECT_EQ(lines[0].color, 0x02FF0000u);
  dc.Clear();
  trips->PrintTree(&dc, 0);
  const std::vector<vt::DcRecord> tags = dc.RecordsOf(vt::DcOp::Polygon);
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].points[2], (vt::Point{1600 - 18 - 120, lines[0].rect.top}));  // the point at the level
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::TextOut).at(0).text, "50.000");  // the channel's three decimals
}
