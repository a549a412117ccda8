// What a bound channel exchanges and keeps: the 56-byte channel setting, the 200-byte axis
// setting, the 392-byte mark record and the 248-byte saved entry against golden bytes (with the
// saved entry's round trip), scale normalisation, logarithmic channels, and the text cells of
// sheet rows.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

#include "document/testing/DocumentFixture.h"
#include "testing/TempFolder.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

// n bytes of fill with the given hex runs at their offsets: the golden form of a record.
std::vector<uint8_t> Golden(size_t n, uint8_t fill,
                            std::initializer_list<std::pair<size_t, const char*>> runs) {
  std::vector<uint8_t> out(n, fill);
  for (const auto& [at, hex] : runs) {
    std::string h;
    for (const char* p = hex; *p; ++p)
      if (*p != ' ') h += *p;
    for (size_t i = 0; i + 1 < h.size(); i += 2)
      out.at(at + i / 2) = uint8_t(std::stoi(h.substr(i, 2), nullptr, 16));
  }
  return out;
}

class ChannelRecordsTest : public DocumentTest {
 protected:
  // Channel 1 of a recording with unit "degC", colour 0x123456, a span 0..1000 and 2 decimals
  // when asked.
  CGVantrelNgChannel* Channel(int decimals = 0) {
    recgen::NewerFile m = RecordingFile(1, 1, 10, T, 1000);
    m.channels[0].unit = "degC";
    m.channels[0].colour = 0x123456;
    m.channels[0].decimals = int16_t(decimals);
    m.channels[0].spanHigh = 1000 * int32_t(std::pow(10, decimals));
    Store(m, "A.DAE");
    return Bind(RecordingGuid(1), 1);
  }
};

TEST_F(ChannelRecordsTest, ExchangeRecordsMatchTheirGoldenBytes) {
  SNgChannelSetting cs;
  cs.shown = 1, cs.index = 3, cs.channelIndex = 3, cs.axisIndex = 5;
  cs.tripShown[0] = 1, cs.tripShown[2] = 1;
  cs.tripValue[0] = 1.5, cs.tripValue[1] = -2.0, cs.tripValue[3] = 100.0;
  cs.colour = 0x0200FF80;
  const auto csBytes = vt::ChannelSettingBytes(cs);
  EXPECT_EQ(std::vector<uint8_t>(csBytes.begin(), csBytes.end()),
            Golden(56, 0,
                   {{0, "01 00 0300 0300 0500 0100 0000 0100 0000"},
                    {16, "000000000000F83F 00000000000000C0 0000000000000000 0000000000005940"},
                    {48, "80FF0002 00000000"}}));

  SNgMarkData md;
  md.id = 1194, md.markKind = 3, md.groupMask = 0x8000000000000001ull;
  md.time = PreciseTime{1700000000, 0.25};
  vt::CopyTextField(md.label, sizeof md.label, "Message from the recorder");  // cut to 15
  md.colour = 0x0200B4FF, md.noteCount = 1;
  md.note.kind = 1, md.note.position = 50, md.note.value = 0.5;
  vt::CopyTextField(md.note.title, sizeof md.note.title, "Message");
  vt::CopyTextField(md.note.comment, sizeof md.note.comment, "Pump started");
  const auto mdBytes = vt::MarkDataBytes(md);
  EXPECT_EQ(std::vector<uint8_t>(mdBytes.begin(), mdBytes.end()),
            Golden(392, 0,
                   {{0, "AA040000 03000000 0100000000000080 00F1536500000000 000000000000D03F"},
                    {32, "4D6573736167652066726F6D20746800"},  // "Message from th"
                    {48, "FFB40002 01000000 0100 0000 32000000 000000000000E03F"},
                    {72, "4D657373616765"},
                    {136, "50756D702073746172746564"}}));
}

TEST_F(ChannelRecordsTest, AxisSettingAndSavedEntryMatchTheirGoldenBytes) {
  CGVantrelNgChannel* ch = Channel();
  ch->SetIndexInGroup(2);
  ch->SetAxisIndex(4);
  ch->SetTrip(1, 1, 250.0);
  ch->SetMarkGroupMask(0x1000000000000005ull);

  SNgChannelSetting cs;
  ch->GetChannelSetting(&cs);
  EXPECT_EQ(std::make_tuple(cs.shown, cs.index, cs.channelIndex, cs.axisIndex, cs.colour),
            std::make_tuple(uint8_t(1), int16_t(2), int16_t(2), int16_t(4), 0x123456u));

  SNgAxisSetting axis;
  ch->GetAxisSetting(&axis);
  const auto axisBytes = vt::AxisSettingBytes(axis);
  EXPECT_EQ(std::vector<uint8_t>(axisBytes.begin(), axisBytes.end()),
            Golden(200, 0,
                   {{0, "01 01 0200 0000 0000 0100 0100 56341200"},
                    {16, "434830303100"},  // "CH001"
                    {144, "6465674300000000"},
                    {152, "0000000000000000 0000000000005940 0000000000000000 0000000000408F40"},
                    {184, "0000000000000000 0000000000408F40"}}));

  // Bytes the entry does not own (1 and 56) keep the caller's value.
  std::vector<uint8_t> entry(kSavedTagEntryBytes, 0xAA);
  ch->SaveEntry(entry.data());
  const std::vector<uint8_t> golden =
      Golden(kSavedTagEntryBytes, 0,
             {{0, "01 AA 0200 0200 0400 0000 0100 0000 0000"},
              {16, "0000000000000000 0000000000406F40 0000000000000000 0000000000000000"},
              {48, "56341200 01000000 AA 01 0100 0000 0000 0100 0100 00000000"},
              {72, "64656743"},
              {88, "0000000000000000 0000000000005940 0000000000000000 0000000000408F40"},
              {120, "0000000000000000 0000000000408F40 0500000000000010"},
              {144, "01000000BC9AF0DE0102030405060708"},
              {160, "54454D50"},
              {240, "FFFFFFFF 01000000"}});
  EXPECT_EQ(entry, golden);

  // Restored into a fresh channel, the entry binds and saves the same bytes again.
  CGVantrelNgChannel restored(nullptr);
  ASSERT_TRUE(restored.RestoreEntry(entry.data()));
  std::vector<uint8_t> again(kSavedTagEntryBytes, 0xAA);
  restored.SaveEntry(again.data());
  EXPECT_EQ(again, golden);
  // An entry whose batch is gone is refused and leaves the display fields alone.
  std::vector<uint8_t> stray = entry;
  stray[144] = 0x77;
  CGVantrelNgChannel unbound(nullptr);
  EXPECT_FALSE(unbound.RestoreEntry(stray.data()));
  EXPECT_EQ(unbound.GetColour(), 0x02CACACAu);
}

TEST_F(ChannelRecordsTest, NormalizeScaleKeepsScalesPositionsAndTripsUsable) {
  CGVantrelNgChannel* ch = Channel();
  struct Case {
    int kind;
    double min, max;
    double wantMin, wantMax;
  } cases[] = {
      {0, 5, 5, 0, 10},
      {0, 1e-17, 0, 5, -5},
      {0, -3e16, 2e16, -1e16, 1e16},
      {1, 100, 100, 200 / 6.32455532, 200 * 1.58113883},
      {1, 0, 10, 1e-16, 10},
      {1, 50, 5, 5, 50},
  };
  for (const Case& c : cases) {
    ch->SetScale(c.kind, c.min, c.max);
    ch->NormalizeScale();
    EXPECT_DOUBLE_EQ(ch->GetScaleMinimum(), c.wantMin) << c.kind << " " << c.min << " " << c.max;
    EXPECT_DOUBLE_EQ(ch->GetScaleMaximum(), c.wantMax) << c.kind << " " << c.min << " " << c.max;
  }
  struct Positions {
    double lower, upper, wantLower, wantUpper;
  } positions[] = {{50, 50, 49, 51}, {120, 130, 99, 100}, {80, 20, 20, 80}};
  for (const Positions& p : positions) {
    ch->SetPositions(p.lower, p.upper);
    ch->NormalizeScale();
    EXPECT_EQ(ch->GetPositionLower(), p.wantLower);
    EXPECT_EQ(ch->GetPositionUpper(), p.wantUpper);
  }
  ch->SetScale(0, -10, 10);
  ch->SetTrip(0, 1, 25.0);
  ch->SetTrip(1, 1, -25.0);
  ch->NormalizeScale();
  EXPECT_EQ(ch->GetTripValue(0), 10.0);
  EXPECT_EQ(ch->GetTripValue(1), -10.0);
  // A reset takes the scale from the file again.
  ch->ResetScale();
  EXPECT_EQ(std::make_pair(ch->GetScaleMinimum(), ch->GetScaleMaximum()), std::make_pair(0.0, 1000.0));
}

TEST_F(ChannelRecordsTest, LogarithmicChannelsScaleByDecadesAndNeverGiveNaN) {
  for (int equal = 0; equal < 2; ++equal) {
    recgen::NewerFile m = RecordingFile(uint32_t(1 + equal), 1, 10, T, 1000);
    m.channels[0].flags |= 0x400;
    m.channels[0].logMantissaLow = equal ? 500 : 0;
    m.channels[0].logMantissaHigh = equal ? 500 : 1000;
    m.channels[0].spanLow = -2, m.channels[0].spanHigh = 3;  // decades
    Store(m, "L" + std::to_string(equal) + ".DAE");
    CGVantrelNgChannel* ch = Bind(RecordingGuid(uint32_t(1 + equal)), 1);
    EXPECT_EQ(ch->IsExponent(), 1);
    EXPECT_DOUBLE_EQ(ch->GetScaleMinimum(), 0.01);
    EXPECT_DOUBLE_EQ(ch->GetScaleMaximum(), 1000.0);
    double v = 0;
    uint16_t s = 0xFFFF;
    ch->ReadValueAt(At(T + 2000), &v, &s);
    EXPECT_EQ(s, 0);
    // Raw 2 is 10^(-2 + 5 x 2 / 1000) on the span, or 10^2 when the span limits are equal.
    EXPECT_NEAR(v, equal ? 100.0 : std::pow(10.0, -1.99), 1e-12) << equal;
    double mn = 0, mx = 0;
    ch->ReadMinMaxOver(At(T), At(T + 9000), &mn, &mx, &s);
    EXPECT_FALSE(std::isnan(mn) || std::isnan(mx));
    EXPECT_LT(mn, mx);
  }
}

TEST_F(ChannelRecordsTest, ValueCellsOfSheetRowText) {
  CGVantrelNgChannel* ch = Channel(2);
  struct Case {
    int code;
    double value;
    const char* text;
  } cases[] = {
      {0, 1.5, "\t        1.50"},
      {0, -1234.5, "\t    -1234.50"},
      {0, 1e15, "\t 1000000000000000.00"},  // longer than the cell: written whole
      {7, 0, "\t-OVER"},
      {3, 0, "\t"},
      {13, 0, "\t"},
  };
  for (const Case& c : cases) {
    std::string text;
    ch->FormatValueText(c.code, c.value, &text);
    EXPECT_EQ(text, c.text) << c.code;
  }
  // A row between samples pads with the earlier sample (no owner: padding on).
  std::string row;
  ch->FormatRowText(At(T + 3000, 0.5), &row);
  EXPECT_EQ(row, "\t        0.03");
  ch->SetScale(0, 0, 1);
  SNgAxisSetting axis;
  ch->GetAxisSetting(&axis);
  axis.exponent = 1;
  ch->SetAxisSetting(axis);
  row.clear();
  ch->FormatValueText(0, 0.1, &row);
  EXPECT_EQ(row, "\t   1.00E-001");
}

}  // namespace
}  // namespace document_test

namespace document_test {
namespace {

TEST_F(ChannelRecordsTest, ConvertedCellsOfAChannelOfPairs) {
  recgen::NewerFile m = RecordingFile(1, 1, 10, T, 1000, 2);
  m.records[2].values[0] = int16_t(0x8001);  // the minimum of pair 2 is -OVER
  Store(m, "D.DAD");
  CGVantrelNgChannel* ch = Bind(RecordingGuid(1), 1);
  CFileConverter converter;
  const std::string path = Path("cells.txt");
  ASSERT_EQ(converter.Open(FILE_FORMAT_TEXT, path.c_str(), false), FCONV_OK);
  ASSERT_EQ(converter.AddSheet("S"), FCONV_OK);
  int column = 0;
  EXPECT_EQ(ch->WriteHeaderCell(&converter, NAME_TAG, 0, &column), FCONV_OK);
  EXPECT_EQ(column, 2);
  column = 0;
  EXPECT_EQ(ch->WriteMinMaxCaptions(&converter, 1, &column), FCONV_OK);
  column = 0;
  EXPECT_EQ(ch->WriteRowCells(&converter, At(T + 2000), 2, &column, 1), FCONV_OK);
  EXPECT_EQ(column, 2);
  column = 0;
  EXPECT_EQ(ch->WriteRowCells(&converter, At(T + 3000, 0.5), 3, &column, 1),
            FCONV_OK);  // no value, no padding
  column = 0;
  EXPECT_EQ(ch->WriteRowCells(&converter, At(T + 3000, 0.5), 4, &column, 0), FCONV_OK);  // padded: pair 4
  ASSERT_EQ(converter.Close(), FCONV_OK);
  ASSERT_EQ(converter.GetConvertedFileNum(), 1u);
  // The name once over both columns; a state as its text, a cell without a value as an empty text.
  EXPECT_EQ(vt_test::ReadFileBytes(converter.GetCovnertedFilePath(0)),
            "TEMP\r\nMin\tMax\r\n-OVER\t52\r\n\t\r\n4\t54\r\n");
}

}  // namespace
}  // namespace document_test
