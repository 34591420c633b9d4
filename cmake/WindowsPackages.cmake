# The Windows packages, made into packages/ of the build tree by every build (it takes a
# second or two): an installer built with NSIS's makensis (Debian's nsis package) from
# packaging/windows/kelvora.nsi.in, and a zip of the same files with a README for
# installing by hand. Both are made from one staging folder, so that they cannot ship
# different files.
set(package_name kelvora-${PROJECT_VERSION}-win64)
set(packages_folder ${CMAKE_BINARY_DIR}/packages)
set(KELVORA_WINDOWS_INSTALLER ${packages_folder}/${package_name}.exe)
set(KELVORA_WINDOWS_ZIP ${packages_folder}/${package_name}.zip)
set(staging_parent ${CMAKE_BINARY_DIR}/package_staging)
set(staging ${staging_parent}/${package_name})

# The installer installs and removes the media file by file (never a whole folder of the
# system folder), so its script names each one.
set(KELVORA_NSIS_INSTALL_MEDIA "")
set(KELVORA_NSIS_DELETE_MEDIA "")
foreach(media_file ${KELVORA_MEDIA_FILES})
  get_filename_component(media_name ${media_file} NAME)
  string(APPEND KELVORA_NSIS_INSTALL_MEDIA "  File \"${staging}/durnwick/kelvora/${media_name}\"\n")
  string(APPEND KELVORA_NSIS_DELETE_MEDIA "  Delete \"\${MEDIA_FOLDER}\\${media_name}\"\n")
endforeach()
set(KELVORA_NSIS_STAGING ${staging})
set(KELVORA_NSIS_ICON ${CMAKE_SOURCE_DIR}/media/kelvora.ico)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/kelvora.nsi.in
               ${CMAKE_BINARY_DIR}/kelvora.nsi @ONLY)
# Notepad on older Windows shows a file with bare line feeds as one line.
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt
               ${CMAKE_BINARY_DIR}/package_README.txt @ONLY NEWLINE_STYLE CRLF)

find_program(KELVORA_MAKENSIS makensis)
if(NOT KELVORA_MAKENSIS)
  message(STATUS "makensis not found: no Windows packages (Debian's nsis package has it)")
  return()
endif()

add_custom_command(
  OUTPUT ${KELVORA_WINDOWS_INSTALLER} ${KELVORA_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging_parent}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}/durnwick/kelvora ${packages_folder}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kelvora_scr> ${CMAKE_SOURCE_DIR}/media/kelvora.ini
          ${staging}
  COMMAND ${CMAKE_COMMAND} -E copy ${KELVORA_MEDIA_FILES} ${staging}/durnwick/kelvora
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/package_README.txt ${staging}/README.txt
  COMMAND ${KELVORA_MAKENSIS} -V2 -NOCD ${CMAKE_BINARY_DIR}/kelvora.nsi
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KELVORA_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${staging_parent}
          ${CMAKE_COMMAND} -E tar cf ${KELVORA_WINDOWS_ZIP} --format=zip ${package_name}
  DEPENDS kelvora_scr ${KELVORA_MEDIA_FILES} ${CMAKE_SOURCE_DIR}/media/kelvora.ini
          ${CMAKE_BINARY_DIR}/kelvora.nsi ${CMAKE_BINARY_DIR}/package_README.txt
  COMMENT "Making ${package_name}.exe and ${package_name}.zip"
  VERBATIM)
add_custom_target(windows_packages ALL DEPENDS ${KELVORA_WINDOWS_INSTALLER} ${KELVORA_WINDOWS_ZIP})
