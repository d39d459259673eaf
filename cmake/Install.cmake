# What `cmake --install` puts where, and the Debian package `make package` builds from it:
# the two programs, the app's pictures and language files, a launcher entry with its icons,
# the Wireshark dissector, the AppStream metainfo with a screenshot made in script mode, and man pages from --help.
include(GNUInstallDirs)

set(APP_ID com.vornalex.massageremote)
set(DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)
set(PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS massage-remote chairctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The app finds these beside itself in a build, and under share/ once installed.
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/resources/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/massage-remote/resources)
install(FILES ${DESKTOP_DIR}/${APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The chair's Wireshark dissector, in the folder where Debian's Wireshark loads everyone's Lua
# plugins (lib/<multiarch>/wireshark/plugins, whatever the prefix).
if(CMAKE_LIBRARY_ARCHITECTURE)
    set(WIRESHARK_LUA_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/wireshark/plugins)
else()
    set(WIRESHARK_LUA_DIR ${CMAKE_INSTALL_LIBDIR}/wireshark/plugins)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/tools/wireshark/chair.lua DESTINATION ${WIRESHARK_LUA_DIR})

configure_file(${DESKTOP_DIR}/${APP_ID}.metainfo.xml.in ${PACKAGING_DIR}/${APP_ID}.metainfo.xml
               @ONLY)
install(FILES ${PACKAGING_DIR}/${APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon is drawn by the picture painter like every other picture.
set(ICON_ROOT ${PACKAGING_DIR}/icons)
add_custom_command(
    OUTPUT ${ICON_ROOT}/hicolor/scalable/apps/${APP_ID}.svg
    COMMAND ${QUIET_RUN} ${PACKAGING_DIR}/icons.log
            $<TARGET_FILE:picture-painter> --icons ${ICON_ROOT} --icon-name ${APP_ID}
    DEPENDS picture-painter
    COMMENT "Drawing the application icon"
    VERBATIM)

# The run's own lines (every write the chair gets) go to a file: a build prints its steps.
add_custom_command(
    OUTPUT ${PACKAGING_DIR}/screenshot.png
    COMMAND ${QUIET_RUN} ${PACKAGING_DIR}/screenshot.log
            $<TARGET_FILE:massage-remote> --script ${DESKTOP_DIR}/screenshot.script --idiom phone
            --screen 568x320 --chair simulated
            --settings ${PROJECT_SOURCE_DIR}/docs/screenshots/english.ini
    WORKING_DIRECTORY ${PACKAGING_DIR}
    DEPENDS massage-remote bundle-resources ${DESKTOP_DIR}/screenshot.script
    COMMENT "Making the store screenshot in script mode"
    VERBATIM)

# Man pages from each program's --help and --version.
find_program(HELP2MAN help2man)
set(man_pages)
# Both pages name where the README they point to is installed.
set(DOC_SECTION ${PROJECT_SOURCE_DIR}/resources/desktop/man-see-also.h2m)
if(HELP2MAN)
    foreach(program massage-remote chairctl)
        if(program STREQUAL "chairctl")
            set(summary "command-line companion for the massage chair link")
        else()
            set(summary "remote control for a motorised massage chair")
        endif()
        add_custom_command(
            OUTPUT ${PACKAGING_DIR}/${program}.1
            COMMAND ${HELP2MAN} --no-info --no-discard-stderr --name=${summary}
                    --include=${DOC_SECTION} --output=${PACKAGING_DIR}/${program}.1
                    $<TARGET_FILE:${program}>
            DEPENDS ${program} ${DOC_SECTION}
            COMMENT "Writing the ${program} man page"
            VERBATIM)
        list(APPEND man_pages ${PACKAGING_DIR}/${program}.1)
    endforeach()
    install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(STATUS "help2man not found: no man pages (scripts/install-deps installs it)")
endif()

add_custom_target(desktop-files ALL
    DEPENDS ${ICON_ROOT}/hicolor/scalable/apps/${APP_ID}.svg ${PACKAGING_DIR}/screenshot.png
            ${man_pages})
install(DIRECTORY ${ICON_ROOT}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PACKAGING_DIR}/screenshot.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/massage-remote/screenshots)

# The README and the pages and pictures it links, where Debian keeps a package's documents.
set(DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/massage-remote)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/ARCHITECTURE.md
        DESTINATION ${DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${DOC_DIR}/docs
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "*.svg")

# The Debian package: its dependencies are computed from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME massage-remote)
set(CPACK_PACKAGE_VENDOR Vornalex)
set(CPACK_PACKAGE_CONTACT "Vornalex <remote@vornalex.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Remote control for a motorised massage chair")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Finds the chair over Bluetooth Low Energy, keeps one link open and shows its state on one\n\
 landscape screen. Comes with chairctl, a command-line companion for technicians.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but wanted: the BlueZ daemon for the real chair, fonts for both languages and
# the native Wayland platform.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bluez, fonts-dejavu-core, fonts-wqy-microhei, qt6-wayland")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
