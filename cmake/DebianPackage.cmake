# Install rules and the Debian package: the hack where XScreenSaver looks for it, its
# settings file for XScreenSaver's dialog, the media and default settings in
# /usr/share/kelvora/ (found from the program's own folder, see settings/settings.cpp) and
# a launcher in /usr/bin. `cpack -G DEB` in the Linux build tree makes it.
include(GNUInstallDirs)
# A package needs only the program and the settings file; scripts/package builds those
# two, not every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS kelvora RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/kelvora.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME kelvora)
install(FILES ${KELVORA_XSCREENSAVER_XML} DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${CMAKE_SOURCE_DIR}/media/kelvora.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora)
install(FILES ${KELVORA_MEDIA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora/durnwick/kelvora)

set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VENDOR "Durnwick")
set(CPACK_PACKAGE_CONTACT "Durnwick <kelvora@durnwick.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D screen saver: a carved pumpkin lit by a candle")
set(CPACK_PACKAGE_DESCRIPTION
    "A carved pumpkin lit from inside by a candle whose flame and smoke are particle\nsystems, drawn with OpenGL 3.3. Runs as an XScreenSaver hack (GL: kelvora\n--root) or on its own: kelvora /S, and kelvora /C for its settings.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL loads the GL library only when the program runs, so the scan cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri | libgl1-amber-dri")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KELVORA_WEBSITE})
set(CPACK_STRIP_FILES ON)
include(CPack)
