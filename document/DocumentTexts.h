// Texts shared by the alarm and mark lists: the event time text and the order in which the lists
// sort their texts.
#pragma once
#include <string>

#include "recorder/TickTime.h"

namespace vt {

// "YYYY/MM/DD hh:mm:ss.mmm": date and hour in the display time zone, minutes and seconds from the
// process's local time (as the recorders' lists have always shown them), milliseconds of the
// ticks. Empty when the time cannot be broken down.
std::string EventTimeText(TickTime time);
// The lists' text order, a word sort: letters compare without case first, hyphens and
// apostrophes are passed over, and only texts equal so far compare by case (lower first) and
// then byte by byte. Negative, 0 or positive.
int CompareListText(const std::string& a, const std::string& b);

}  // namespace vt
