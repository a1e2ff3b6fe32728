# GoogleTest for the logic tests: the installed package, or, in a cross build whose toolchain
# has none, built here from Debian's googletest sources.
if(CMAKE_CROSSCOMPILING)
  set(DERADU_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
      "GoogleTest sources, built with the cross toolchain")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Its build file also names the targets GTest::gtest and GTest::gtest_main.
  add_subdirectory(${DERADU_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
