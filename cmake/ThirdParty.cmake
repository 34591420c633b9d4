# Libraries taken from Debian: glad generates the GL loader at configure time; stb and
# glm are header-only and serve the Windows build as well, which sees only those two
# folders (never all of /usr/include) through links in the build tree (and one patched
# copy, stb_image.h).
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
if(NOT EXISTS ${KELVORA_HEADER_LIBS}/glm)
  file(CREATE_LINK /usr/include/glm ${KELVORA_HEADER_LIBS}/glm SYMBOLIC)
endif()

# stb is a folder of links to Debian's headers, but for stb_image.h: that is Debian's
# with the checks of cmake/stb_image_jpeg_checks.patch. Without them a JPEG whose scan
# data ends inside a block drives the bit count below zero (and later shifts by 32 bits
# or more), and DC differences that add up past a short overflow an int.
set(stb_folder ${KELVORA_HEADER_LIBS}/stb)
set(stb_patch ${CMAKE_SOURCE_DIR}/cmake/stb_image_jpeg_checks.patch)
# A build tree from before the patch links the whole folder.
if(IS_SYMLINK ${stb_folder})
  file(REMOVE ${stb_folder})
endif()
file(MAKE_DIRECTORY ${stb_folder})
file(GLOB stb_headers /usr/include/stb/*.h)
list(REMOVE_ITEM stb_headers /usr/include/stb/stb_image.h)
foreach(header ${stb_headers})
  get_filename_component(name ${header} NAME)
  if(NOT EXISTS ${stb_folder}/${name})
    file(CREATE_LINK ${header} ${stb_folder}/${name} SYMBOLIC)
  endif()
endforeach()
find_program(KELVORA_PATCH patch REQUIRED)
execute_process(
  COMMAND ${KELVORA_PATCH} --quiet --fuzz=0 --reject-file=- --output=${stb_folder}/stb_image.h.new
          /usr/include/stb/stb_image.h ${stb_patch}
  RESULT_VARIABLE patch_result)
if(NOT patch_result EQUAL 0)
  message(FATAL_ERROR "${stb_patch} does not apply to /usr/include/stb/stb_image.h: a newer "
                      "stb_image may hold these checks already; compare it and mend or drop the patch")
endif()
# Unchanged content keeps its time stamp, so that reconfiguring rebuilds nothing.
file(COPY_FILE ${stb_folder}/stb_image.h.new ${stb_folder}/stb_image.h ONLY_IF_DIFFERENT)
file(REMOVE ${stb_folder}/stb_image.h.new)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${stb_patch} /usr/include/stb/stb_image.h)
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
  include(${CMAKE_CURRENT_LIST_DIR}/WaylandProtocols.cmake)
endif()

# Puts media/ beside a product as durnwick/kelvora/ (not media/icons/, which are the
# desktop's), and the default settings file beside the program only: one settings file
# per product folder, so that nobody edits a copy the product never reads. A build tree from before this rule loses its stale copy.
function(kelvora_place_media target)
  file(GLOB media_files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/media/*)
  list(REMOVE_ITEM media_files ${CMAKE_SOURCE_DIR}/media/kelvora.ini)
  set(media_folder $<TARGET_FILE_DIR:${target}>/durnwick/kelvora)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${media_folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${media_files} ${media_folder}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${media_folder}/kelvora.ini
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/media/kelvora.ini
            $<TARGET_FILE_DIR:${target}>/kelvora.ini)
endfunction()
