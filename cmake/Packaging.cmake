# Installing Zorvin as a desktop program, and its Debian package (cpack -G DEB, or tools/package.sh).
#   /usr/bin                         zorvin, zorvin-admin
#   /usr/share/applications          the menu entry
#   /usr/share/metainfo              the AppStream metainfo
#   /usr/share/icons/hicolor         the program's icon at 48 px, 128 px and scalable
#   /usr/share/man/man1              the manual pages
#   /usr/share/zorvin/Help           the help document (the program's read-only files, ProgramPaths)
#   /usr/share/doc/zorvin            copyright and change log
include(GNUInstallDirs)

set(ZORVIN_APP_ID org.zorvin.Zorvin)
set(zorvin_res ${PROJECT_SOURCE_DIR}/resources)

install(TARGETS zorvin zorvin-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${zorvin_res}/${ZORVIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${zorvin_res}/${ZORVIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48x48 128x128)
    install(FILES ${zorvin_res}/icons/${size}/zorvin.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${zorvin_res}/icons/zorvin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/resources/man/zorvin.1.gz ${CMAKE_BINARY_DIR}/resources/man/zorvin-admin.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Help/Help_Zorvin_Base_1_0.pdf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zorvin/Help)
install(FILES ${zorvin_res}/debian/copyright ${CMAKE_BINARY_DIR}/resources/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorvin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zorvin)
set(CPACK_PACKAGE_CONTACT "Zorvin developers <zorvin@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The database drivers are plug-ins the programs load by name, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql")
# Russian standard dialog buttons, and a desktop that opens the help document.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack indents the lines and turns the empty line into the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "personal database of people, events, notes and finances
Zorvin keeps everyone and everything a person deals with in one database:
people, families, organizations, addresses, phones and internet contacts,
events, notes, projects, groups, roles, the links between any two objects,
and personal finance. The user interface is Russian.

The database is an SQLite file of the user's own, or a PostgreSQL server
shared by several machines. The package holds the desktop program zorvin
and the administration command zorvin-admin.")
include(CPack)
