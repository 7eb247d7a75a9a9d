# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What a desktop installs beside the program: the menu entry, the AppStream file, the icons in
# the icon theme and the manual pages; and the Debian package made of it all.
if(WIN32)
    return()
endif()

set(res ${PROJECT_SOURCE_DIR}/resources)
configure_file(${res}/org.velmora.Velmora.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${VELMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${res}/${VELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${VELMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${res}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The daily reminder: a systemd user timer and the service it starts, off until she turns them
# on (提醒我, or velmora-cli --reminders on). They run the program where the package puts it.
set(VELMORA_CLI /usr/bin/velmora-cli)
configure_file(${res}/systemd/velmora-remind.service.in ${PROJECT_BINARY_DIR}/velmora-remind.service
               @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/velmora-remind.service ${res}/systemd/velmora-remind.timer
        DESTINATION lib/systemd/user)

foreach(page velmora velmora-cli)
    configure_file(${res}/${page}.1.in ${PROJECT_BINARY_DIR}/${page}.1 @ONLY)
    # Debian wants manual pages compressed to the highest level.
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${page}.1.gz
        COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/${page}.1 > ${PROJECT_BINARY_DIR}/${page}.1.gz
        DEPENDS ${PROJECT_BINARY_DIR}/${page}.1)
    list(APPEND pages ${PROJECT_BINARY_DIR}/${page}.1.gz)
endforeach()
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nc ${res}/debian/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
    DEPENDS ${res}/debian/changelog)
add_custom_target(velmora_compressed_docs ALL DEPENDS ${pages} ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${res}/debian/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <maintainers@velmora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lists the phases of a menstrual cycle")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velmora takes the first day of the last period and the cycle length, and\n\
lists the menstrual period, the two safe periods, the fertile period, the\n\
ovulation day and the first day of the next period. It remembers both inputs,\n\
and exports the dates as an iCalendar file. velmora-cli prints the same on a\n\
terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a CJK font every caption is a row of boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-wqy-microhei | fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
