// Draws a graph body with cursors A and B and their value boxes, trips of the selected channel,
// the alarm strip, marks of every shape and an open and a closed note into
// <build>/artefacts/trendgallery-cursors.png for a look by eye; only a few facts are checked.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/qt/Raster.h"
#include "trend/AlarmBands.h"
#include "trend/GraphCursor.h"
#include "trend/MarkNotes.h"
#include "trend/Marks.h"
#include "trend/Trips.h"
#include "trend/ValueBox.h"
#include "trend/testing/FakeNgChannel.h"
#include "trend/tests/GraphTestEnv.h"
#include "trend/tests/TrendTestSupport.h"

using vt_test::FakeNgChannel;

namespace {

class CursorGalleryTest : public trend_test::GraphEnv {};

SNgMarkData Mark(int id, int shape, PreciseTime t, const char* label, uint32_t colour) {
  SNgMarkData r;
  r.id = id, r.markKind = shape, r.time = t, r.colour = colour;
  std::strncpy(r.label, label, sizeof r.label - 1);
  return r;
}

TEST_F(CursorGalleryTest, WritesTheCursorGallery) {
  trend_test::ScopedDisplayZone zone("UTC");
  RegisterNgMarkNoteArt();
  SetNgMarkNoteSkin(SGNgMarkNoteSkin{});
  SetCursorValueOpacity(30);

  FakeNgChannel channels[2];
  channels[0].name = "Boiler temperature";
  channels[0].Fill(2000, [](int64_t i) { return 50 + 30 * std::sin(double(i) / 60.0); });
  for (int i = 150; i < 260; ++i) channels[0].statuses[size_t(i)] |= 0x0001;
  for (int i = 400; i < 470; ++i) channels[0].statuses[size_t(i)] |= 0x0004;
  channels[1].name = "Feed pressure";
  channels[1].kind = DATA_PAIRS;
  channels[1].Fill(2000, [](int64_t i) { return 35 + 10 * std::cos(double(i) / 45.0); });
  for (int64_t i = 0; i < channels[1].Size(); ++i)
    channels[1].maxs[size_t(i)] = channels[1].mins[size_t(i)] + 6;
  for (int i = 300; i < 380; ++i) channels[1].statuses[size_t(i)] |= 0x0002;
  for (int i = 520; i < 600; ++i) channels[1].statuses[size_t(i)] |= 0x0008;

  CGNgChannel* list[2] = {&channels[0], &channels[1]};
  graph->SetChannels(2, list);
  SNgChannelSetting b[2];
  b[0].shown = 1, b[0].colour = 0x0000C0FF, b[0].channelIndex = 0;
  b[0].tripShown[0] = b[0].tripShown[1] = 1, b[0].tripValue[0] = 75, b[0].tripValue[1] = 22.5;
  b[1].shown = 1, b[1].colour = 0x0080FF80, b[1].channelIndex = 1;
  graph->m_screen->SetTraces(2, b);
  graph->m_trips->SetTrips(b, 2);
  graph->SetBackColor(0x00303030);
  graph->m_screen->SetBackColor(0x00202020);
  graph->m_screen->m_alarms->SetStyle(3);
  graph->SelectChannel(0, 0);
  const PreciseTime start = channels[0].start;
  auto at = [&](double s) { return PreciseTime::AddSeconds(start, s); };
  graph->SetVisibleRange(at(0), at(726));  // one second per pixel

  SNgMarkData marks[4] = {Mark(1, MARK_FLAG_LEFT, at(90), "Start-up", 0x0000FFFF),
                          Mark(2, MARK_FLAG_RIGHT, at(330), "Valve", 0x00FFC080),
                          Mark(3, MARK_FLAG_CENTRE, at(520), "Check", 0x00FF80FF),
                          Mark(4, MARK_PENNANT, at(640), "", 0x0080FFFF)};
  marks[1].noteCount = 1;
  marks[1].note.kind = 1, marks[1].note.position = 12, marks[1].note.value = 0.9;
  std::strcpy(marks[1].note.title, "Valve opened");
  std::strcpy(marks[1].note.comment, "Feed valve opened by hand after the pressure alarm.");
  marks[2].noteCount = 1;
  marks[2].note.value = 0.35;
  std::strcpy(marks[2].note.title, "Closed note");
  graph->m_marks->SetMarks(4, marks);

  graph->m_screen->m_cursor->m_valueMode = 1;
  graph->SetCursorTimes(at(200), at(560));
  graph->LayoutTree();
  graph->m_screen->RefillBuffers();

  vt::RecordingDc dc(800, 400);
  dc.FillSolidRect(vt::Rect{0, 0, 800, 400}, 0x00303030);
  graph->Paint(&dc);
  // A few facts: both cursors' boxes of both traces show, and the selected channel's trips.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(graph->m_screen->m_cursor->GetValueBox(i)->GetStyle(), 3) << i;
  EXPECT_EQ(graph->m_marks->FindMark(4)->GetStyle(), 3);

  const std::filesystem::path out =
      std::filesystem::path(VT_BINARY_ROOT) / "artefacts" / "trendgallery-cursors.png";
  std::filesystem::create_directories(out.parent_path());
  vt::Raster* image = dc.Surface();
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->save(QString::fromStdString(out.string()), "PNG"));

  // The same graph printed at twice the scale runs through every part's print path.
  g_printScale = 2;
  graph->SetPrintBounds(0, 0, 1600, 800);
  graph->ScalePrintRects(2);
  vt::RecordingDc print(1600, 800);
  graph->PrintTree(&print, 0);
  EXPECT_FALSE(print.RecordsOf(vt::DcOp::Polygon).empty());
  for (int id : {12199, 12200, 12201}) vt::RegisterBitmap(id, nullptr);
  SetCursorValueOpacity(100 - 0x50 * 100 / 255);
}

}  // namespace
