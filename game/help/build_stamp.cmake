# Writes the build time into OUTPUT (a C++ source defining help::kBuildTimestamp). Run at every
# build; the file is rewritten only when the time it holds changes.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  string(TIMESTAMP fields "%Y;%m;%d;%H;%M;%S" UTC)
else()
  string(TIMESTAMP fields "%Y;%m;%d;%H;%M;%S")
endif()
# Two-digit fields lose their leading zero so that C++ does not read them as octal.
list(TRANSFORM fields REPLACE "^0([0-9])" "\\1")
list(JOIN fields ", " arguments)
set(content "// Generated at build time by build_stamp.cmake.
#include \"game/help/build_stamp.h\"

const int64_t help::kBuildTimestamp = help::WallClockSeconds(${arguments});
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT content STREQUAL old)
  file(WRITE "${OUTPUT}" "${content}")
endif()
