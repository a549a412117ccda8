// The alarm type icons of the alarm list, drawn in code: a strip of nine 16 x 16 cells (cell 0
// empty; 1 High, 2 Low, 3 Delta High, 4 Delta Low, 5 Rate High, 6 Rate Low, 7 Delay High,
// 8 Delay Low) and its one-bit mask, registered under kAlarmTypeIconsId and
// kAlarmTypeIconsMaskId. High kinds point up in red, low kinds down in blue; a delta is a
// hollow triangle, a rate a double chevron, a delay a triangle on a bar.
#pragma once

// Draws both bitmaps and registers them (again); run before the first list takes them.
void RegisterAlarmTypeIcons();
