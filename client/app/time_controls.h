#pragma once
// The pair of pick-only lists in which a window chooses a time before the auction end: the
// count txtTime (1 to 60) and the unit txtTimeType ("seconds", "minutes", "hours"), each
// entry's item value the number it stands for, so the time is count x unit seconds.

#include <cstdint>

namespace kv::ui {
class Form;
}

namespace kv::app {

// Fills the window's txtTime and txtTimeType and selects initialCount and "seconds".
void fillTimeCombos(kv::ui::Form& window, std::int16_t initialCount);
// Selects the count and unit that show seconds (halves of a count go to the even one); 1
// or less changes nothing, and more than 60 hours shows as 60 hours.
void setTimeControls(kv::ui::Form& window, std::int32_t seconds);
// The chosen time in seconds (count x unit); 0 when either list has no selection.
std::int32_t chosenTime(const kv::ui::Form& window);

} // namespace kv::app
