# Fails when the program named by PROGRAM loads an audio library or Qt WebEngine as it
# starts: sound is loaded once the window shows, and the game has no use for a web engine.
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${PROGRAM}"
     RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
foreach(library IN LISTS resolved unresolved)
  get_filename_component(name "${library}" NAME)
  if(name MATCHES "SDL|asound|pulse|WebEngine")
    message(FATAL_ERROR "${PROGRAM} loads ${name} as it starts")
  endif()
endforeach()
