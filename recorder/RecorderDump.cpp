// RecorderDump: see RecorderDump.h. Numbers are formatted in the C locale through snprintf.
#include "recorder/RecorderDump.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "recorder/WrappingMath.h"

namespace {

void Line(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Line(std::string& out, const char* format, ...) {
  // Measured first: a group with sixteen places makes a line longer than any fixed buffer.
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (n > 0) {
    std::string line(std::size_t(n) + 1, '\0');
    std::vsnprintf(line.data(), line.size(), format, again);
    line.resize(std::size_t(n));
    out += line;
  }
  va_end(again);
  out += '\n';
}

}  // namespace

std::string FormatTickTime(TickTime t) {
  int64_t seconds = 0;
  double fraction = 0;
  const int ms = t.ToTime64(&seconds, &fraction);
  std::time_t tt = std::time_t(seconds);
  std::tm tm{};
  char text[64] = "?";
  if (gmtime_r(&tt, &tm) != nullptr)
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d UTC", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms < 0 ? -ms : ms);
  return std::string(text) + " (" + std::to_string(t.ticks) + ")";
}

std::string DumpFileAccess(CVTDataFileAccess& r) {
  std::string out, s;
  r.GetHeaderText(&s);
  Line(out, "header text: %s", s.c_str());
  r.GetSerialNo(&s);
  Line(out, "serial number: %s", s.c_str());
  r.GetRecorderType(&s);
  Line(out, "recorder type: %s", s.c_str());
  r.GetInstrumentName(&s);
  Line(out, "instrument: %s", s.c_str());
  vt::Guid g;
  r.GetOriginalDataGuid(&g);
  Line(out, "recording: %s", g.ToText().c_str());
  const int kind = r.GetDataKind();
  Line(out, "kind: %d (%s)", kind, kind == 0 ? "event" : kind == 1 ? "display" : "unknown");
  Line(out, "start factor: %d, stop factor: %d, power failure: %d, logging number: %d", r.GetStartFactor(),
       r.GetStopFactor(), r.GetPowerFailure(), r.GetLoggingNo());
  Line(out, "interval: %d ms, time changes: %d", r.GetDataInterval(), r.GetTimeChangeCount());
  TickTime t;
  r.GetStartTime(&t);
  Line(out, "start time: %s", FormatTickTime(t).c_str());
  r.GetEndTime(&t);
  Line(out, "end time: %s", FormatTickTime(t).c_str());
  r.GetCorrectedStartTime(&t);
  Line(out, "corrected start: %s", FormatTickTime(t).c_str());
  r.GetCorrectedEndTime(&t);
  Line(out, "corrected end: %s", FormatTickTime(t).c_str());
  if (r.GetTriggerTime(&t) == 0) Line(out, "trigger time: %s", FormatTickTime(t).c_str());
  int64_t a = 0, b = 0, c = 0, d = 0;
  r.GetStartDataNo(&a);
  r.GetEndDataNo(&b);
  r.GetTriggerDataNo(&c);
  r.GetMemStartDataNo(&d);
  Line(out, "data numbers: start %" PRId64 ", end %" PRId64 ", trigger %" PRId64 ", memory start %" PRId64, a,
       b, c, d);
  std::vector<int64_t> blocks;
  const int nBlocks = r.GetTimeBlockStarts(&blocks);
  std::string list;
  for (int64_t p : blocks) list += " " + std::to_string(p);
  Line(out, "time blocks: %d:%s", nBlocks, list.c_str());

  std::string stop;
  int startCode = 0, stopCode = 0;
  r.GetStartUserName(&s);
  r.GetStopUserName(&stop);
  r.GetStartUserCode(&startCode);
  r.GetStopUserCode(&stopCode);
  Line(out, "users: start %s (%d), stop %s (%d)", s.c_str(), startCode, stop.c_str(), stopCode);
  int lot = 0, digits = 0;
  r.GetBatchInfo(&s, &lot, &digits);
  Line(out, "batch: present %d, number %s, lot %d (%d digits, present %d)", r.HasBatchInfo(), s.c_str(), lot,
       digits, r.HasLotNo());
  Line(out, "batch comments: %d of %d slots", r.GetBatchCommentCount(), r.GetBatchCommentSlots());
  for (int n = 0; n < r.GetBatchCommentSlots(); ++n) {
    std::string user, text;
    if (r.GetBatchComment(n, &t, &user, &text) == 0)
      Line(out, "  comment %d: %s | %s | %s", n, FormatTickTime(t).c_str(), user.c_str(), text.c_str());
  }
  Line(out, "batch texts: %d of %d slots", r.GetBatchTextCount(), r.GetBatchTextSlots());
  for (int n = 0; n < r.GetBatchTextSlots(); ++n) {
    std::string title, text;
    if (r.GetBatchText(n, &title, &text) == 0)
      Line(out, "  text %d: %s | %s", n, title.c_str(), text.c_str());
  }

  Line(out, "channels: %d", r.GetChannelCount());
  for (int i = 0; i < r.GetChannelCount(); ++i) {
    SChannelInfo ci;
    if (r.GetChannelInfo(i, &ci) != 0) {
      Line(out, "  %d: number %d, type %d (no information)", i, r.GetChannelNo(i), r.GetChannelDataType(i));
      continue;
    }
    Line(out,
         "  %d: %s number %d, type %d, range %d, tag \"%s\", tag number \"%s\", unit \"%s\", "
         "decimals %d, span %.6g..%.6g, colour 0x%06X, log %d (scale %d, exponents %d..%d)",
         i, ci.name.c_str(), ci.channelNo, ci.dataType, ci.rangeClass, ci.tagName.c_str(), ci.tagNo.c_str(),
         ci.unit.c_str(), ci.decimals, ci.spanLow, ci.spanHigh, unsigned(ci.colour), ci.logScale,
         ci.scaleCode, ci.logExpLow, ci.logExpHigh);
  }
  Line(out, "groups: %d (used %d)", r.GetGroupCount(), r.GetUsedGroupCount());
  for (int i = 0; i < r.GetGroupCount(); ++i) {
    std::string name;
    int count = 0, number = 0, inUse = 0;
    if (r.GetGroupInfo(i, &name, &count, &number, &inUse) != 0) {
      Line(out, "  %d: (no information)", i);
      continue;
    }
    std::string places;
    for (int p = 0; p < count; ++p) {
      SGroupChannelInfo gc;
      if (r.GetGroupChannel(i, p, &gc) != 0) {
        places += " ?";
        continue;
      }
      char one[160];
      std::snprintf(one, sizeof one, " [ch %d span %.6g..%.6g raw %d..%d trips",
                    r.GetChannelNo(gc.channelIndex), gc.spanLow, gc.spanHigh, gc.rawMin, gc.rawMax);
      places += one;
      for (int k = 0; k < 4; ++k) {
        if (!gc.tripValid[k]) continue;
        std::snprintf(one, sizeof one, " %d:%.6g", k + 1, gc.tripValue[k]);
        places += one;
      }
      places += "]";
    }
    Line(out, "  %d: number %d, in use %d, \"%s\", %d channels:%s", i, number, inUse, name.c_str(), count,
         places.c_str());
  }
  Line(out, "messages: %d", r.GetMessageCount());
  for (int i = 0; i < r.GetMessageCount(); ++i) {
    std::string user, text;
    int number = 0, serial = 0, second = 0, word36 = 0, groups = 0;
    int64_t rel = 0;
    TickTime mt, it;
    if (r.GetMessage(i, &user, &number, &serial, &rel, &second, &text, &word36, &groups, &mt, &it) != 0)
      continue;
    std::string list;
    for (int j = 0; j < groups; ++j) {
      int gno = 0;
      if (r.GetMessageGroup(i, j, &gno) == 0) list += " " + std::to_string(gno);
    }
    Line(out,
         "  %d: \"%s\" by \"%s\", number %d, serial %d, record %" PRId64 ", at %s, entered %s, groups %d:%s",
         i, text.c_str(), user.c_str(), number, serial, rel, FormatTickTime(mt).c_str(),
         FormatTickTime(it).c_str(), groups, list.c_str());
  }
  Line(out, "alarms: %d", r.GetAlarmCount());
  for (int i = 0; i < r.GetAlarmCount(); ++i) {
    int ch = 0, action = 0, level = 0, type = 0, last = 0;
    int64_t rel = 0;
    if (r.GetAlarm(i, &ch, &rel, &t, &action, &level, &type, &last) != 0) continue;
    Line(out, "  %d: channel %d, record %" PRId64 ", %s, action %d, level %d, type %d, word %d", i,
         ch < 0 ? -1 : r.GetChannelNo(ch), rel, FormatTickTime(t).c_str(), action, level, type, last);
  }
  return out;
}

std::string DumpRecordsCsv(CVTDataFileAccess& r) {
  std::string out;
  int64_t start = 0, end = -1;
  r.GetStartDataNo(&start);
  r.GetEndDataNo(&end);
  const int64_t records = WrapAdd(WrapSub(end, start), 1);
  const int count = records > 0 && records < (1LL << 31) ? int(records) : 0;
  for (int c = 0; c < r.GetChannelCount(); ++c) {
    CVTData data;
    const int result = r.ReadRecords(c, 0, count, &data, true);
    if (result != 0) {
      Line(out, "%d,error,%d", r.GetChannelNo(c), result);
      continue;
    }
    for (int i = 0; i < data.GetCount(); ++i) {
      const SRecordData* rec = data.GetRecord(i);
      if (rec == nullptr) break;
      const int no = r.GetChannelNo(c);
      if (auto e = dynamic_cast<const SEventShortData*>(rec))
        Line(out, "%d,%d,%" PRId64 ",%d,%d,%d", no, i, e->time.ticks, e->value, e->state, e->flags);
      else if (auto e = dynamic_cast<const SEventIntData*>(rec))
        Line(out, "%d,%d,%" PRId64 ",%d,%d,%d", no, i, e->time.ticks, e->value, e->state, e->flags);
      else if (auto e = dynamic_cast<const SDispShortData*>(rec))
        Line(out, "%d,%d,%" PRId64 ",%d,%d,%d,%d,%d,%d", no, i, e->time.ticks, e->minValue, e->minState,
             e->minFlags, e->maxValue, e->maxState, e->maxFlags);
      else if (auto e = dynamic_cast<const SDispIntData*>(rec))
        Line(out, "%d,%d,%" PRId64 ",%d,%d,%d,%d,%d,%d", no, i, e->time.ticks, e->minValue, e->minState,
             e->minFlags, e->maxValue, e->maxState, e->maxFlags);
    }
  }
  return out;
}
