# Windows libraries that only the settings dialog and the preview use are imported on first
# call rather than at start: the full-screen saver then never loads them, nor what they
# load in turn (printing, theming, certificates, ...), which is several megabytes of memory
# under Wine. Each call makes an import library from a list of the functions we call.
#   kelvora_delay_import(TARGET DLL FUNCTION...)
function(kelvora_delay_import target dll)
  set(definition ${CMAKE_CURRENT_BINARY_DIR}/delay/${dll}.def)
  set(library ${CMAKE_CURRENT_BINARY_DIR}/delay/lib${dll}_delay.a)
  list(JOIN ARGN "\n" functions)
  file(CONFIGURE OUTPUT ${definition} CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${functions}\n")
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${definition} --dllname ${dll}.dll --output-delaylib ${library}
    DEPENDS ${definition} VERBATIM)
  add_custom_target(${target}_${dll}_delay DEPENDS ${library})
  add_dependencies(${target} ${target}_${dll}_delay)
  target_link_libraries(${target} PUBLIC ${library})
endfunction()
