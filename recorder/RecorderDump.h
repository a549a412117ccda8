// A plain-text listing of everything a reader delivers after Open (header, times, data numbers,
// batch, channels with their attributes, groups, messages, alarms), and of the samples of every
// channel as CSV. Developer tools print it; tests compare the listings of two files.
#pragma once
#include <string>

#include "recorder/CVTDataFileAccess.h"

std::string DumpFileAccess(CVTDataFileAccess& reader);
// One CSV line per record: channel number, record, time, then value and state, flags (event) or
// minimum, minimum state, minimum flags, maximum, maximum state, maximum flags (display).
std::string DumpRecordsCsv(CVTDataFileAccess& reader);
// "2023-11-14 22:13:20.750 UTC (ticks)".
std::string FormatTickTime(TickTime t);
