# Fails when the program named by PROGRAM loads an audio library, Qt WebEngine or Qt's SVG
# library as it starts: sound is loaded once the window shows, the window icon is kept as raw
# pixels, and the game has no use for a web engine.
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${PROGRAM}"
     RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
foreach(library IN LISTS resolved unresolved)
  get_filename_component(name "${library}" NAME)
  if(name MATCHES "SDL|asound|pulse|WebEngine|Svg")
    message(FATAL_ERROR "${PROGRAM} loads ${name} as it starts")
  endif()
endforeach()
