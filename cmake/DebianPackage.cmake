# Install rules and the Debian package: the hack where XScreenSaver looks for it, its
# settings file for XScreenSaver's dialog, its entry for mate-screensaver and
# xfce4-screensaver, the media and default settings in /usr/share/kelvora/ (found from the
# program's own folder, see settings/settings.cpp), a launcher in /usr/bin with its
# manual page, a menu entry for the settings with its icon in every size of the icon
# theme, and the copyright file and
# changelog. `cpack -G DEB` in the Linux build tree makes it.
include(GNUInstallDirs)
# A package needs only the program and the files written from the settings table;
# scripts/package builds those, not every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(KELVORA_DEBIAN ${CMAKE_SOURCE_DIR}/packaging/debian)

# The changelog, compressed as Debian keeps it (no name or time stamp inside).
set(KELVORA_CHANGELOG ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${KELVORA_CHANGELOG}
  COMMAND gzip -9nc ${KELVORA_DEBIAN}/changelog > ${KELVORA_CHANGELOG}
  DEPENDS ${KELVORA_DEBIAN}/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(debian_changelog ALL DEPENDS ${KELVORA_CHANGELOG})

set(hack_folder ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(TARGETS kelvora RUNTIME DESTINATION ${hack_folder})
# Stripped as Debian strips programs: no symbols, and none of the compiler's notes.
install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${hack_folder}/kelvora\"
                              COMMAND_ERROR_IS_FATAL ANY)")
install(PROGRAMS ${KELVORA_DEBIAN}/kelvora.sh DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME kelvora)
install(FILES ${KELVORA_MANUAL_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${KELVORA_XSCREENSAVER_XML} DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${KELVORA_DEBIAN}/kelvora-screensaver.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers RENAME kelvora.desktop)
install(FILES ${KELVORA_DEBIAN}/kelvora-settings.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME kelvora.desktop)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/media/icons/kelvora_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kelvora.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/media/icons/kelvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${KELVORA_DEBIAN}/copyright ${KELVORA_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/media/kelvora.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora)
install(FILES ${KELVORA_MEDIA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora/durnwick/kelvora)

set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VENDOR "Durnwick")
set(CPACK_PACKAGE_CONTACT "Durnwick <kelvora@durnwick.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D screen saver: a carved pumpkin lit by a candle")
set(CPACK_PACKAGE_DESCRIPTION
    "A carved pumpkin lit from inside by a candle whose flame and smoke are particle\nsystems, drawn with OpenGL 3.3. Runs as an XScreenSaver hack (GL: kelvora\n--root), in MATE's and Xfce's screen saver settings, or on its own:\nkelvora /S, and kelvora /C for its settings.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL loads the GL library, and GL's and EGL's drivers are found, only when the program
# runs, so the package scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri | libgl1-amber-dri, libegl-mesa0")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "swayidle")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver | mate-screensaver | xfce4-screensaver")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KELVORA_WEBSITE})
include(CPack)
