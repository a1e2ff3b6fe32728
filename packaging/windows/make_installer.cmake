# Makes the Windows installer from the build: installs the portable program folder into a
# staging folder, writes the installer's lists of files to install and to remove, and runs
# makensis. Run by the target "installer" with -D BUILD_DIR, STAGE, SCRIPT, ICON, VERSION,
# VERSION_QUAD, MAKENSIS and OUTFILE.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component portable
                        --prefix ${STAGE} --strip
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Installing the program folder into ${STAGE} failed")
endif()
set(folder ${STAGE}/deradu)

# Every file and folder below the program folder, each folder before what it holds.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${folder} ${folder}/*)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${folder} ${folder}/*)
list(SORT files)
set(folders ${entries})
list(REMOVE_ITEM folders ${files})
list(SORT folders)

function(windows_path out path)
  string(REPLACE "/" "\\" path "${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

set(install_lines "")
set(remove_lines "")
set(size 0)
set(current "")
foreach(file IN LISTS files)
  get_filename_component(below ${file} DIRECTORY)
  windows_path(below_windows "${below}")
  windows_path(file_windows "${file}")
  windows_path(source "${folder}/${file}")
  if(NOT below STREQUAL current OR install_lines STREQUAL "")
    set(current ${below})
    if(below STREQUAL "")
      string(APPEND install_lines "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install_lines "SetOutPath \"$INSTDIR\\${below_windows}\"\n")
    endif()
  endif()
  string(APPEND install_lines "File \"${folder}/${file}\"\n")
  string(APPEND remove_lines "Delete \"$INSTDIR\\${file_windows}\"\n")
  file(SIZE ${folder}/${file} bytes)
  math(EXPR size "${size} + ${bytes}")
endforeach()
# The deepest folders first, each only when empty.
list(REVERSE folders)
foreach(below IN LISTS folders)
  windows_path(below_windows "${below}")
  string(APPEND remove_lines "RMDir \"$INSTDIR\\${below_windows}\"\n")
endforeach()
file(WRITE ${STAGE}/install_files.nsh "${install_lines}")
file(WRITE ${STAGE}/remove_files.nsh "${remove_lines}")
math(EXPR size_kb "(${size} + 1023) / 1024")

execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DVERSION_QUAD=${VERSION_QUAD}
                        -DFILES=${STAGE}/install_files.nsh -DREMOVALS=${STAGE}/remove_files.nsh
                        -DICON=${ICON} -DOUTFILE=${OUTFILE} -DSIZE_KB=${size_kb} ${SCRIPT}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "makensis failed")
endif()
