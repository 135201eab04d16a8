# The Debian package (cpack -G DEB, see scripts/package.sh): what goes into it beside the
# programs' own install rules, and the package's control fields.

# Debian wants 0755 folders whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian's copyright file (machine-readable) and changelog; a native package keeps the
# changelog as changelog.gz.
set(MIVRA_DEBIAN ${PROJECT_SOURCE_DIR}/packaging/debian)
set(MIVRA_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/mivra)
execute_process(COMMAND date -u -R -d ${MIVRA_RELEASE_DATE}
    OUTPUT_VARIABLE MIVRA_RELEASE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
find_program(MIVRA_GZIP gzip REQUIRED)
configure_file(${MIVRA_DEBIAN}/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
    COMMAND ${MIVRA_GZIP} -9nc ${PROJECT_BINARY_DIR}/debian/changelog > ${PROJECT_BINARY_DIR}/debian/changelog.gz
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog
    COMMENT "Compressing the package changelog")
add_custom_target(mivra_debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${MIVRA_DEBIAN}/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
    DESTINATION ${MIVRA_PACKAGE_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mivra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Mivra-projektet)
set(CPACK_PACKAGE_CONTACT "Mivra-projektet <support@mivra.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scheduler for a congregation's public talks")
set(CPACK_PACKAGE_DESCRIPTION
    "Mivra keeps the public talk programme of one congregation: congregations and\n"
    "circuits, visiting speakers and their talks, the home congregation's brothers\n"
    "and hosts. Week by week it schedules visiting and outgoing speakers and follows\n"
    "each invitation, with chairman, reader and host rotations, special weeks,\n"
    "availability, the talk history and a needs list. It prints schedules, letters\n"
    "and lists, and makes backups and exports. Its texts are in Swedish.\n"
    "\n"
    "The package holds the desktop program mivra and mivra-cli, which runs its\n"
    "jobs (listings, the printed schedule as PDF, the export, a demo data folder)\n"
    "without a window.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://mivra.example.org)
# Libraries through dpkg-shlibdeps; the report faces and Qt's Swedish dialogs by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
