// A plain-text listing of everything a reader delivers after Open (header, host, times, data
// numbers, batch, channels with their attributes, groups with every field of every place,
// messages with every field, alarms), and of the samples of every channel as CSV. Developer
// tools print it; tests compare the listings of two files.
//
// The listing is written piecewise to a DumpSink, so that a tool can stream it: the records are
// read in ranges of a few thousand records, every channel of a range before the next range, so
// memory stays independent of the file's size and the records are read from the file once.
#pragma once
#include <string>
#include <string_view>

#include "recorder/CVTDataFileAccess.h"

// Where a listing goes. Write returns false when the output failed; the listing stops there.
class DumpSink {
 public:
  virtual ~DumpSink() = default;
  virtual bool Write(std::string_view text) = 0;
};

// false when the sink failed.
bool DumpFileAccess(CVTDataFileAccess& reader, DumpSink& out);
// One CSV line per record: channel number, record, time ticks, then value, state, flags (event)
// or minimum, minimum state, minimum flags, maximum, maximum state, maximum flags (display). A
// channel whose read fails gives one line "number,error,result" and no further lines. With
// storedTimes false the records are read without their stored times (the reader derives them).
bool DumpRecordsCsv(CVTDataFileAccess& reader, DumpSink& out, bool storedTimes = true);

// The same into a string.
std::string DumpFileAccess(CVTDataFileAccess& reader);
std::string DumpRecordsCsv(CVTDataFileAccess& reader, bool storedTimes = true);
// The CSV fields of one record of a buffer after its channel and record numbers (time ticks
// and the values, states and flags as above); empty when the buffer has no such record.
std::string FormatRecordCsv(const CVTData& data, int index);
// "2023-11-14 22:13:20.750 UTC (ticks)".
std::string FormatTickTime(TickTime t);
