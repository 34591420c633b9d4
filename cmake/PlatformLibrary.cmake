# The platform library both products and the platform tests link: every backend source of
# the calling folder but its composition root (entry.cpp), with the embedded preview still,
# linked to the core, the engine and the system libraries named as arguments.
function(kelvora_platform_library)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/entry.cpp ${CMAKE_CURRENT_SOURCE_DIR}/event_file.cpp)
  # The event file's writer belongs to the portable core, which calls it: every program
  # built on the core (the unit tests too) gets this platform's.
  target_sources(kelvora_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/event_file.cpp)
  add_library(kelvora_platform STATIC ${sources} ${CMAKE_SOURCE_DIR}/backends/backends.cpp)
  add_subdirectory(${CMAKE_SOURCE_DIR}/backends/still ${CMAKE_CURRENT_BINARY_DIR}/still)
  target_link_libraries(kelvora_platform PUBLIC kelvora_core kelvora_engine kelvora_preview_still ${ARGN})
endfunction()
