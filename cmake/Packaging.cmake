# Install rules and the Debian package: `cmake --install` (make install) and `cpack -G DEB`
# (make package) lay down the same tree: the three programs, the desktop entry, the icon,
# the file type, the udev rule for the USB link, the manual pages and the README.
include(GNUInstallDirs)

set(VELD23_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS veld23 veld23-tool veld23-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${VELD23_PACKAGING_DIR}/veld23.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELD23_PACKAGING_DIR}/veld23.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${VELD23_PACKAGING_DIR}/veld23-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME veld23.xml)
# udev reads rules from lib/udev/rules.d below the prefix; never the multiarch libdir.
install(FILES ${VELD23_PACKAGING_DIR}/60-veld23-ftdi.rules DESTINATION lib/udev/rules.d)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages: roff sources with the version filled in, compressed as Debian keeps them.
find_program(VELD23_GZIP gzip REQUIRED)
set(man_pages)
foreach(page veld23 veld23-tool veld23-sim)
    set(page_source ${VELD23_PACKAGING_DIR}/man/${page}.1.in)
    set(page_roff ${PROJECT_BINARY_DIR}/man/${page}.1)
    configure_file(${page_source} ${page_roff} @ONLY)
    add_custom_command(OUTPUT ${page_roff}.gz
                       COMMAND ${VELD23_GZIP} -9nkf ${page_roff}
                       DEPENDS ${page_roff}
                       COMMENT "Compressing the manual page ${page}.1"
                       VERBATIM)
    list(APPEND man_pages ${page_roff}.gz)
endforeach()
add_custom_target(veld23_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veld23)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VELD23 editor team")
set(CPACK_PACKAGE_CONTACT "VELD23 editor team <info@tessalinesound.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and remote control of the VELD23 loudspeaker processor")
# The body under the summary line; CPack indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Designs a whole configuration of the VELD23 24-bit digital loudspeaker
processor (parametric equalisers, crossovers, levels, delays,
compressor/limiter with noise gate, SUB Reinforcement) with live response
curves, writes it into one of the processor's memories over a serial port
or an FTDI USB link, reads memories back and keeps configurations in .v23
and .v13 files.
.
Also contains veld23-tool, for scripting and checking without windows, and
veld23-sim, a processor stand-in on a pseudo terminal.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Dependencies from the shared libraries the programs link; Qt draws its windows
# through a platform plugin that no library pulls in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# A converter plugged in before the package came gets the new rule at once.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VELD23_PACKAGING_DIR}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR})
include(CPack)
