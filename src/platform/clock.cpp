#include "platform/clock.h"

namespace drav::platform {

std::tm CalendarTime(std::time_t when, bool utc) {
  std::tm out{};
  // The reentrant forms: the report may be written while another thread reads the clock.
#ifdef _WIN32
  if ((utc ? gmtime_s(&out, &when) : localtime_s(&out, &when)) != 0) out = std::tm{};
#else
  if ((utc ? gmtime_r(&when, &out) : localtime_r(&when, &out)) == nullptr) out = std::tm{};
#endif
  return out;
}

}  // namespace drav::platform
