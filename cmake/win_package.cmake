# The Windows archive: `cpack -G ZIP` in the Windows build gives deradu-<version>-win64.zip,
# holding one folder "deradu" with the programs, the help document and the readme, to be
# unpacked anywhere.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME deradu)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME deradu-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
