// The `batch` command of vtstore (see BatchCommand.h).
#include "tools/vtstore/BatchCommand.h"

#include <cstdio>
#include <cstdlib>

#include "platform/base/Guid.h"
#include "platform/base/TimeEngine.h"
#include "store/CVTBatchCache.h"
#include "store/VTDataStorage.h"
#include "store/VTDataStorageManager.h"

namespace {

std::string Format(const char* format, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

std::string TimeText(TickTime t) {
  vt::SystemTime st;
  if (!vt::FileTimeToSystemTime(vt::TicksToFileTime(t.ticks), &st)) return std::to_string(t.ticks);
  return Format("%04d-%02d-%02d %02d:%02d:%02d.%03d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                st.wSecond, st.wMilliseconds);
}

bool ParseTime(const std::string& text, TickTime* out) {
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos) {
    *out = TickTime(std::strtoll(text.c_str(), nullptr, 10));
    return true;
  }
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0, used = 0;
  char separator = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%n", &year, &month, &day, &separator, &hour, &minute,
                  &second, &used) != 7 ||
      (separator != ' ' && separator != 'T'))
    return false;
  if (text.size() > size_t(used)) {
    int more = 0;
    if (text[size_t(used)] != '.' || std::sscanf(text.c_str() + used, ".%3d%n", &ms, &more) != 1 ||
        size_t(used + more) != text.size())
      return false;
  }
  vt::SystemTime st;
  st.wYear = uint16_t(year);
  st.wMonth = uint16_t(month);
  st.wDay = uint16_t(day);
  st.wHour = uint16_t(hour);
  st.wMinute = uint16_t(minute);
  st.wSecond = uint16_t(second);
  st.wMilliseconds = uint16_t(ms);
  vt::FileTime ft;
  if (!vt::SystemTimeToFileTime(st, &ft)) return false;
  *out = TickTime(vt::FileTimeToTicks(ft));
  return true;
}

std::string StateText(int state) {
  return state == RECORDER_STATE_NO_DATA ? "no data" : Format("state %d", state);
}

// One record of the buffer as a line.
std::string RecordLine(const CVTData& data, int i) {
  TickTime t;
  int s1 = 0, s2 = 0;
  uint8_t f1 = 0, f2 = 0;
  if (data.GetKind() == DATA_KIND_EVENT) {
    int32_t value = 0;
    if (data.GetValueType() == VALUE_TYPE_SHORT) {
      int16_t v = 0;
      data.GetEventShort(i, &v, &t, &s1, &f1);
      value = v;
    } else {
      data.GetEventInt(i, &value, &t, &s1, &f1);
    }
    if (s1 == RECORDER_STATE_NO_DATA) return TimeText(t) + "  no data\n";
    return Format("%s  %d  %s  flags %x\n", TimeText(t).c_str(), value, StateText(s1).c_str(), f1);
  }
  int32_t lo = 0, hi = 0;
  if (data.GetValueType() == VALUE_TYPE_SHORT) {
    int16_t a = 0, b = 0;
    data.GetDisplayShort(i, &a, &b, &t, &s1, &s2, &f1, &f2);
    lo = a;
    hi = b;
  } else {
    data.GetDisplayInt(i, &lo, &hi, &t, &s1, &s2, &f1, &f2);
  }
  if (s1 == RECORDER_STATE_NO_DATA && s2 == RECORDER_STATE_NO_DATA) return TimeText(t) + "  no data\n";
  return Format("%s  min %d (%s)  max %d (%s)  flags %x\n", TimeText(t).c_str(), lo, StateText(s1).c_str(),
                hi, StateText(s2).c_str(), f1 | f2);
}

int Describe(CVTBatch& batch, const std::vector<std::string>& args, std::string& out, std::string& error) {
  TickTime start, stop;
  batch.GetStartTime(&start);
  batch.GetStopTime(&stop);
  int64_t records = 0, byInterval = 0;
  batch.GetRecordCount(0, &records, false);
  batch.GetRecordCount(0, &byInterval, true);
  int interval = 0, kind = DATA_KIND_NONE;
  batch.GetDataInterval(batch.GetChannelNo(0), &interval);
  batch.GetDataKind(&kind);
  out += Format("span: %s .. %s\n", TimeText(start).c_str(), TimeText(stop).c_str());
  out += Format("kind: %s, interval: %d ms, records: %lld (by interval %lld), time changes: %d\n",
                kind == DATA_KIND_DISPLAY ? "display" : "event", interval, (long long)records,
                (long long)byInterval, batch.GetTimeChangeCount());
  out += Format("files: %d\n", batch.GetFileCount());
  for (int i = 0; i < batch.GetFileCount(); ++i) {
    CVTFile* file = batch.GetFile(i);
    TickTime s, e;
    file->GetTimeBlock(-1, &s, &e);
    out += Format("  file %d: %s, %lld records, %s .. %s, %d block(s) from batch block %d\n", i,
                  file->GetPath().c_str(), (long long)file->GetFileRecordCount(), TimeText(s).c_str(),
                  TimeText(e).c_str(), file->GetTimeBlockCount(), batch.GetFileBlockOffset(i));
  }
  out += Format("time blocks: %d\n", batch.GetTimeBlockCount());
  for (int b = 0; b < batch.GetTimeBlockCount(); ++b) {
    TickTime s, e;
    if (batch.GetTimeBlock(b, &s, &e) == STORE_OK)
      out += Format("  block %d: %s .. %s\n", b, TimeText(s).c_str(), TimeText(e).c_str());
  }
  if (args.size() == 1) return 0;

  TickTime from, to;
  char* end = nullptr;
  const long channel = std::strtol(args[2].c_str(), &end, 10);
  if (end == args[2].c_str() || *end != 0 || !ParseTime(args[3], &from) || !ParseTime(args[4], &to)) {
    error =
        "vtstore: --records needs a channel number and two times (YYYY-MM-DD HH:MM:SS[.mmm] UTC or ticks)\n";
    return 2;
  }
  CVTData data;
  const int result = batch.ReadRecords(int(channel), from, to, &data, -1, true);
  if (result != STORE_OK) {
    error = Format("vtstore: cannot read channel %ld (result %d)\n", channel, result);
    return 1;
  }
  out += Format("records of channel %ld: %d\n", channel, data.GetCount());
  for (int i = 0; i < data.GetCount(); ++i) out += RecordLine(data, i);
  return 0;
}

}  // namespace

int BatchCommand(const std::string& storageFolder, const std::vector<std::string>& args, std::string& out,
                 std::string& error) {
  vt::Guid guid;
  if ((args.size() != 1 && !(args.size() == 5 && args[1] == "--records")) ||
      !vt::Guid::Parse(args[0], guid)) {
    error = "usage: vtstore batch STORAGE GUID [--records CH FROM TO]\n";
    return 2;
  }
  CVTDataStorage storage;
  if (int rc = storage.OpenAt(storageFolder); rc != STORE_OK) {
    error = Format("vtstore: cannot open the storage in %s (result %d)\n", storageFolder.c_str(), rc);
    return 1;
  }
  CVTBatchCache& cache = CVTBatchCache::Instance();
  cache.Clear();
  cache.SetStorage(&storage);
  int code = 1;
  if (CVTBatch* batch = cache.Acquire(guid)) {
    out += "batch " + guid.ToText() + "\n";
    code = Describe(*batch, args, out, error);
    cache.Release(batch);
  } else {
    std::string status;
    storage.GetStatus(status);
    error = "vtstore: cannot load batch " + guid.ToText() + " (storage status " + status + ")\n";
  }
  cache.Clear();
  cache.SetStorage(nullptr);
  return code;
}

int RunBatchCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args) {
  std::string folder, out, error;
  if (args.size() < 3) {
    std::fputs("usage: vtstore batch STORAGE GUID [--records CH FROM TO]\n", stderr);
    return 2;
  }
  if (manager.GetStorageFolder(args[1], folder) != STORE_OK) {
    std::fprintf(stderr, "vtstore: no storage named '%s'\n", args[1].c_str());
    return 1;
  }
  const int code = BatchCommand(folder, std::vector<std::string>(args.begin() + 2, args.end()), out, error);
  std::fputs(out.c_str(), stdout);
  std::fputs(error.c_str(), stderr);
  return code;
}
