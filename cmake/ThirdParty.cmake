# Libraries taken from Debian: glad generates the GL loader at configure time; stb and
# glm are header-only and serve the Windows build as well, which sees only those two
# folders (never all of /usr/include) through links in the build tree.
set(KELVORA_GLAD_DIR ${CMAKE_BINARY_DIR}/glad)
if(NOT EXISTS ${KELVORA_GLAD_DIR}/src/gl.c)
  execute_process(
    COMMAND glad --api gl:core=3.3 --reproducible --out-path ${KELVORA_GLAD_DIR} c
    RESULT_VARIABLE glad_result OUTPUT_QUIET ERROR_QUIET)
  if(NOT glad_result EQUAL 0)
    message(FATAL_ERROR "glad could not generate the OpenGL loader (python3-glad installed?)")
  endif()
endif()
add_library(glad STATIC ${KELVORA_GLAD_DIR}/src/gl.c)
target_include_directories(glad PUBLIC ${KELVORA_GLAD_DIR}/include)

set(KELVORA_HEADER_LIBS ${CMAKE_BINARY_DIR}/header-libs)
file(MAKE_DIRECTORY ${KELVORA_HEADER_LIBS})
foreach(lib stb glm)
  if(NOT EXISTS ${KELVORA_HEADER_LIBS}/${lib})
    file(CREATE_LINK /usr/include/${lib} ${KELVORA_HEADER_LIBS}/${lib} SYMBOLIC)
  endif()
endforeach()
add_library(header_libs INTERFACE)
target_include_directories(header_libs SYSTEM INTERFACE ${KELVORA_HEADER_LIBS})

if(WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
  find_package(SDL2 REQUIRED)
  find_package(FLTK REQUIRED)
  find_package(X11 REQUIRED)
  find_package(OpenGL REQUIRED)
endif()

# Puts media/ beside a product as durnwick/kelvora/, and the default settings file
# beside the program only: one settings file per product folder, so that nobody edits
# a copy the product never reads. A build tree from before this rule loses its stale copy.
function(kelvora_place_media target)
  file(GLOB media_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/media/*)
  list(REMOVE_ITEM media_files ${CMAKE_SOURCE_DIR}/media/kelvora.ini)
  set(media_folder $<TARGET_FILE_DIR:${target}>/durnwick/kelvora)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${media_folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${media_files} ${media_folder}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${media_folder}/kelvora.ini
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/media/kelvora.ini
            $<TARGET_FILE_DIR:${target}>/kelvora.ini)
endfunction()
