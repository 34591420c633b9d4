# The packages of each platform: Linux, a Debian package (DebianPackage.cmake); Windows,
# an installer and a zip (WindowsPackages.cmake). Both ship the same media: every file of
# media/ but the default settings, which go beside the program (the desktop's icons in
# media/icons/ go only into the Debian package's icon theme).
file(GLOB KELVORA_MEDIA_FILES LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/media/*)
list(REMOVE_ITEM KELVORA_MEDIA_FILES ${CMAKE_SOURCE_DIR}/media/kelvora.ini)
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackages.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/DebianPackage.cmake)
endif()
