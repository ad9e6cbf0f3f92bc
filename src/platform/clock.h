#pragma once

// The calendar time of a moment, in UTC or on the machine's local clock.
#include <ctime>

namespace drav::platform {

// The fields of `when`; all zero when the system cannot convert it (far outside its range).
std::tm CalendarTime(std::time_t when, bool utc);

}  // namespace drav::platform
