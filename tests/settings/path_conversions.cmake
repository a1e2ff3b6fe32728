# Paths become text only through settings::Utf8FromPath. path::string() and its kin throw on
# Windows for a file name with an unpaired UTF-16 surrogate, which Windows allows in any
# folder the game lists; wine cannot make such a name, so no test can list one. Fails, naming
# each place, where the programs' code converts a path to text in another way.
# Usage: cmake -DSOURCE_DIR=<project> -P path_conversions.cmake
file(GLOB_RECURSE sources LIST_DIRECTORIES false
     ${SOURCE_DIR}/common/*.cpp ${SOURCE_DIR}/common/*.h
     ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/game/*.h
     ${SOURCE_DIR}/viewer/*.cpp ${SOURCE_DIR}/viewer/*.h)
set(found "")
foreach(source IN LISTS sources)
  if(source MATCHES "/path_text[^/]*$")
    continue()
  endif()
  file(STRINGS ${source} lines REGEX "\\.(generic_)?(u8)?string\\(\\)")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    string(APPEND found "\n  ${source}: ${line}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "paths turned into text without Utf8FromPath:${found}")
endif()
