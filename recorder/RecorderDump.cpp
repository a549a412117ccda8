// RecorderDump: see RecorderDump.h. Numbers are formatted with std::to_chars, which knows no
// locale; each line is built in one string and handed to the sink whole.
#include "recorder/RecorderDump.h"

#include <charconv>
#include <ctime>
#include <type_traits>
#include <vector>

#include "recorder/WrappingMath.h"

namespace {

// Records read per range: every channel of a range is read before the next range.
constexpr int kRecordsPerRange = 4096;

// A line under construction.
class Text {
 public:
  Text& operator<<(std::string_view v) {
    s_ += v;
    return *this;
  }
  Text& operator<<(const char* v) { return *this << std::string_view(v); }
  Text& operator<<(const std::string& v) { return *this << std::string_view(v); }
  template <typename T, typename = std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, char> &&
                                                    !std::is_same_v<T, bool>>>
  Text& operator<<(T v) {
    char b[24];
    s_.append(b, std::size_t(std::to_chars(b, b + sizeof b, v).ptr - b));
    return *this;
  }
  // Six significant digits, as printf's %.6g.
  Text& Num(double v) {
    char b[40];
    s_.append(b, std::size_t(std::to_chars(b, b + sizeof b, v, std::chars_format::general, 6).ptr - b));
    return *this;
  }
  // Upper-case hexadecimal of at least six digits, after "0x".
  Text& Hex6(unsigned v) {
    char b[16];
    const std::size_t n = std::size_t(std::to_chars(b, b + sizeof b, v, 16).ptr - b);
    s_ += "0x";
    if (n < 6) s_.append(6 - n, '0');
    for (std::size_t i = 0; i < n; ++i) s_ += char(b[i] >= 'a' ? b[i] - 'a' + 'A' : b[i]);
    return *this;
  }
  // A number of at least width digits, zero-padded.
  Text& Padded(int v, int width) {
    char b[16];
    const std::size_t n = std::size_t(std::to_chars(b, b + sizeof b, v).ptr - b);
    if (int(n) < width) s_.append(std::size_t(width) - n, '0');
    s_.append(b, n);
    return *this;
  }
  Text& Quoted(std::string_view v) { return *this << "\"" << v << "\""; }
  Text& Time(TickTime t) { return *this << FormatTickTime(t); }
  const std::string& str() const { return s_; }
  std::string& str() { return s_; }

 private:
  std::string s_;
};

// Sends a line with its newline; false when the sink failed.
bool Emit(DumpSink& out, Text& line) {
  line.str() += '\n';
  return out.Write(line.str());
}

class StringSink : public DumpSink {
 public:
  bool Write(std::string_view text) override {
    s += text;
    return true;
  }
  std::string s;
};

bool DumpHeader(CVTDataFileAccess& r, DumpSink& out) {
  std::string s;
  bool ok = true;
  auto line = [&](Text& t) { ok = ok && Emit(out, t); };
  r.GetHeaderText(&s);
  line(Text() << "header text: " << s);
  r.GetSerialNo(&s);
  line(Text() << "serial number: " << s);
  r.GetRecorderType(&s);
  line(Text() << "recorder type: " << s);
  r.GetInstrumentName(&s);
  line(Text() << "instrument: " << s);
  r.GetHostName(&s);
  line(Text() << "host: " << s);
  vt::Guid g;
  r.GetOriginalDataGuid(&g);
  line(Text() << "recording: " << g.ToText());
  const int kind = r.GetDataKind();
  line(Text() << "kind: " << kind << " ("
              << (kind == 0   ? "event"
                  : kind == 1 ? "display"
                              : "unknown")
              << ")");
  line(Text() << "start factor: " << r.GetStartFactor() << ", stop factor: " << r.GetStopFactor()
              << ", power failure: " << r.GetPowerFailure() << ", logging number: " << r.GetLoggingNo());
  line(Text() << "interval: " << r.GetDataInterval() << " ms, time changes: " << r.GetTimeChangeCount());
  TickTime t;
  r.GetStartTime(&t);
  line(Text() << "start time: " << FormatTickTime(t));
  r.GetEndTime(&t);
  line(Text() << "end time: " << FormatTickTime(t));
  r.GetCorrectedStartTime(&t);
  line(Text() << "corrected start: " << FormatTickTime(t));
  r.GetCorrectedEndTime(&t);
  line(Text() << "corrected end: " << FormatTickTime(t));
  if (r.GetTriggerTime(&t) == 0) line(Text() << "trigger time: " << FormatTickTime(t));
  int64_t a = 0, b = 0, c = 0, d = 0;
  r.GetStartDataNo(&a);
  r.GetEndDataNo(&b);
  r.GetTriggerDataNo(&c);
  r.GetMemStartDataNo(&d);
  line(Text() << "data numbers: start " << a << ", end " << b << ", trigger " << c << ", memory start " << d);
  std::vector<int64_t> blocks;
  const int nBlocks = r.GetTimeBlockStarts(&blocks);
  Text tb;
  tb << "time blocks: " << nBlocks << ":";
  for (int64_t p : blocks) tb << " " << p;
  line(tb);

  std::string stop;
  int startCode = 0, stopCode = 0;
  r.GetStartUserName(&s);
  r.GetStopUserName(&stop);
  r.GetStartUserCode(&startCode);
  r.GetStopUserCode(&stopCode);
  line(Text() << "users: start " << s << " (" << startCode << "), stop " << stop << " (" << stopCode << ")");
  int lot = 0, digits = 0;
  r.GetBatchInfo(&s, &lot, &digits);
  line(Text() << "batch: present " << r.HasBatchInfo() << ", number " << s << ", lot " << lot << " ("
              << digits << " digits, present " << r.HasLotNo() << ")");
  line(Text() << "batch comments: " << r.GetBatchCommentCount() << " of " << r.GetBatchCommentSlots()
              << " slots");
  for (int n = 0; n < r.GetBatchCommentSlots() && ok; ++n) {
    std::string user, text;
    if (r.GetBatchComment(n, &t, &user, &text) == 0)
      line(Text() << "  comment " << n << ": " << FormatTickTime(t) << " | " << user << " | " << text);
  }
  line(Text() << "batch texts: " << r.GetBatchTextCount() << " of " << r.GetBatchTextSlots() << " slots");
  for (int n = 0; n < r.GetBatchTextSlots() && ok; ++n) {
    std::string title, text;
    if (r.GetBatchText(n, &title, &text) == 0)
      line(Text() << "  text " << n << ": " << title << " | " << text);
  }
  return ok;
}

bool DumpChannelsAndGroups(CVTDataFileAccess& r, DumpSink& out) {
  bool ok = true;
  auto line = [&](Text& t) { ok = ok && Emit(out, t); };
  line(Text() << "channels: " << r.GetChannelCount());
  for (int i = 0; i < r.GetChannelCount() && ok; ++i) {
    vt::SChannelInfo ci;
    if (r.GetChannelInfo(i, &ci) != 0) {
      line(Text() << "  " << i << ": number " << r.GetChannelNo(i) << ", type " << r.GetChannelDataType(i)
                  << " (no information)");
      continue;
    }
    Text l;
    l << "  " << i << ": " << ci.name << " number " << ci.channelNo << ", type " << ci.dataType << ", range "
      << ci.rangeClass << ", tag ";
    l.Quoted(ci.tagName) << ", tag number ";
    l.Quoted(ci.tagNo) << ", unit ";
    l.Quoted(ci.unit) << ", decimals " << ci.decimals << ", span ";
    l.Num(ci.spanLow) << "..";
    l.Num(ci.spanHigh) << ", colour ";
    l.Hex6(unsigned(ci.colour)) << ", log " << ci.logScale << " (scale " << ci.scaleCode << ", exponents "
                                << ci.logExpLow << ".." << ci.logExpHigh << ")";
    line(l);
  }
  Text used;
  used << "groups: " << r.GetGroupCount() << " (used " << r.GetUsedGroupCount() << ":";
  for (int i = 0; i < r.GetUsedGroupCount(); ++i) used << " " << r.GetUsedGroupNo(i);
  line(used << ")");
  for (int i = 0; i < r.GetGroupCount() && ok; ++i) {
    std::string name;
    int count = 0, number = 0, inUse = 0;
    if (r.GetGroupInfo(i, &name, &count, &number, &inUse) != 0) {
      line(Text() << "  " << i << ": (no information)");
      continue;
    }
    Text l;
    l << "  " << i << ": number " << number << ", in use " << inUse << ", ";
    l.Quoted(name) << ", " << count << " channels:";
    for (int p = 0; p < count; ++p) {
      vt::SGroupChannelInfo gc;
      if (r.GetGroupChannel(i, p, &gc) != 0) {
        l << " ?";
        continue;
      }
      l << " [ch " << (gc.channelIndex < 0 ? -1 : r.GetChannelNo(gc.channelIndex)) << " index "
        << gc.channelIndex << ", scale valid " << gc.scaleValid << ", span ";
      l.Num(gc.spanLow) << "..";
      l.Num(gc.spanHigh) << ", raw " << gc.rawMin << ".." << gc.rawMax << ", colour ";
      l.Hex6(unsigned(gc.colour)) << ", display " << gc.display << ", log " << gc.logScale << ", trips";
      for (int k = 0; k < 4; ++k) {
        l << (k == 0 ? " " : ", ") << (k + 1) << (gc.tripValid[k] ? ":on " : ":off ");
        l.Num(gc.tripValue[k]);
      }
      l << "]";
    }
    line(l);
  }
  return ok;
}

bool DumpMessagesAndAlarms(CVTDataFileAccess& r, DumpSink& out) {
  bool ok = true;
  auto line = [&](Text& t) { ok = ok && Emit(out, t); };
  line(Text() << "messages: " << r.GetMessageCount());
  for (int i = 0; i < r.GetMessageCount() && ok; ++i) {
    std::string user, text;
    int number = 0, serial = 0, second = 0, word36 = 0, groups = 0;
    int64_t rel = 0;
    TickTime mt, it;
    if (r.GetMessage(i, &user, &number, &serial, &rel, &second, &text, &word36, &groups, &mt, &it) != 0)
      continue;
    Text l;
    l << "  " << i << ": ";
    l.Quoted(text) << " by ";
    l.Quoted(user) << ", number " << number << ", serial " << serial << ", record " << rel << ", at "
                   << FormatTickTime(mt) << ", entered " << FormatTickTime(it) << ", second word " << second
                   << ", word 36 " << word36 << ", groups " << groups << ":";
    for (int j = 0; j < groups; ++j) {
      int gno = 0;
      if (r.GetMessageGroup(i, j, &gno) == 0) l << " " << gno;
    }
    line(l);
  }
  line(Text() << "alarms: " << r.GetAlarmCount());
  for (int i = 0; i < r.GetAlarmCount() && ok; ++i) {
    int ch = 0, action = 0, level = 0, type = 0, last = 0;
    int64_t rel = 0;
    TickTime t;
    if (r.GetAlarm(i, &ch, &rel, &t, &action, &level, &type, &last) != 0) continue;
    line(Text() << "  " << i << ": channel " << (ch < 0 ? -1 : r.GetChannelNo(ch)) << ", record " << rel
                << ", " << FormatTickTime(t) << ", action " << action << ", level " << level << ", type "
                << type << ", word " << last);
  }
  return ok;
}

// The CSV lines of one channel's records read from first on.
bool EmitRecords(DumpSink& out, int channelNo, int first, const CVTData& data) {
  for (int i = 0; i < data.GetCount(); ++i) {
    const std::string fields = FormatRecordCsv(data, i);
    if (fields.empty()) continue;
    Text l;
    l << channelNo << "," << (first + i) << "," << fields;
    if (!Emit(out, l)) return false;
  }
  return true;
}

}  // namespace

std::string FormatRecordCsv(const CVTData& data, int index) {
  int16_t s1 = 0, s2 = 0;
  int32_t v1 = 0, v2 = 0;
  TickTime t;
  int st1 = 0, st2 = 0;
  uint8_t f1 = 0, f2 = 0;
  Text l;
  if (data.GetEventShort(index, &s1, &t, &st1, &f1) == 0)
    l << t.ticks << "," << s1 << "," << st1 << "," << f1;
  else if (data.GetEventInt(index, &v1, &t, &st1, &f1) == 0)
    l << t.ticks << "," << v1 << "," << st1 << "," << f1;
  else if (data.GetDisplayShort(index, &s1, &s2, &t, &st1, &st2, &f1, &f2) == 0)
    l << t.ticks << "," << s1 << "," << st1 << "," << f1 << "," << s2 << "," << st2 << "," << f2;
  else if (data.GetDisplayInt(index, &v1, &v2, &t, &st1, &st2, &f1, &f2) == 0)
    l << t.ticks << "," << v1 << "," << st1 << "," << f1 << "," << v2 << "," << st2 << "," << f2;
  return l.str();
}

std::string FormatTickTime(TickTime t) {
  int64_t seconds = 0;
  double fraction = 0;
  const int ms = t.ToTime64(&seconds, &fraction);
  std::time_t tt = std::time_t(seconds);
  std::tm tm{};
  Text text;
  if (gmtime_r(&tt, &tm) != nullptr) {
    text.Padded(tm.tm_year + 1900, 4) << "-";
    text.Padded(tm.tm_mon + 1, 2) << "-";
    text.Padded(tm.tm_mday, 2) << " ";
    text.Padded(tm.tm_hour, 2) << ":";
    text.Padded(tm.tm_min, 2) << ":";
    text.Padded(tm.tm_sec, 2) << ".";
    text.Padded(ms < 0 ? -ms : ms, 3) << " UTC";
  } else {
    text << "?";
  }
  text << " (" << t.ticks << ")";
  return text.str();
}

bool DumpFileAccess(CVTDataFileAccess& r, DumpSink& out) {
  return DumpHeader(r, out) && DumpChannelsAndGroups(r, out) && DumpMessagesAndAlarms(r, out);
}

bool DumpRecordsCsv(CVTDataFileAccess& r, DumpSink& out, bool storedTimes) {
  int64_t start = 0, end = -1;
  r.GetStartDataNo(&start);
  r.GetEndDataNo(&end);
  const int64_t records = WrapAdd(WrapSub(end, start), 1);
  const int count = records > 0 && records < (1LL << 31) ? int(records) : 0;
  const int channels = r.GetChannelCount();
  std::vector<bool> failed(std::size_t(std::max(channels, 0)), false);
  // A file without records still reads each channel once, so that a failing read is listed.
  for (int first = 0; first < count || (first == 0 && count == 0); first += kRecordsPerRange) {
    const int n = std::min(kRecordsPerRange, count - first);
    for (int c = 0; c < channels; ++c) {
      if (failed[std::size_t(c)]) continue;
      CVTData data;
      const int result = r.ReadRecords(c, first, n, &data, storedTimes);
      if (result != 0) {
        failed[std::size_t(c)] = true;
        Text l;
        l << r.GetChannelNo(c) << ",error," << result;
        if (!Emit(out, l)) return false;
        continue;
      }
      if (!EmitRecords(out, r.GetChannelNo(c), first, data)) return false;
    }
    if (count == 0) break;
  }
  return true;
}

std::string DumpFileAccess(CVTDataFileAccess& r) {
  StringSink s;
  DumpFileAccess(r, s);
  return std::move(s.s);
}

std::string DumpRecordsCsv(CVTDataFileAccess& r, bool storedTimes) {
  StringSink s;
  DumpRecordsCsv(r, s, storedTimes);
  return std::move(s.s);
}
