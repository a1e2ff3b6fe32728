// When this program was built, as wall-clock seconds since 1970 (the local time of the build,
// or the UTC time of SOURCE_DATE_EPOCH for reproducible builds), read without a time zone.
// The definition is generated at every build by build_stamp.cmake.
#pragma once

#include <chrono>
#include <cstdint>

namespace help {

extern const int64_t kBuildTimestamp;

constexpr int64_t WallClockSeconds(int year, unsigned month, unsigned day, int hour, int minute,
                                   int second) {
  using namespace std::chrono;
  const sys_days date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
  return date.time_since_epoch().count() * int64_t{86400} + hour * 3600 + minute * 60 + second;
}

}  // namespace help
