# Debian packages through CPack (scripts/make-deb.sh runs it on the release
# build): the editor package "orbitune" (the editor, orbitune-cli, the udev
# rule, the desktop entry, icons, metadata, manual pages and completion) and
# "orbitune-tools" with the meter simulator, which end users do not need.
# Each install() names its component: editor or tools.
set(CPACK_PACKAGE_NAME orbitune)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Orbitune developers")
set(CPACK_PACKAGE_CONTACT "The Orbitune developers <orbitune@users.noreply.github.com>")
# CPack's DEB generator puts this summary before every package's description
# unless it is CPack's own default; each description below starts with its
# package's synopsis instead.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_NAME} built using CMake")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installs into a staging folder through DESTDIR, so that an absolute folder
# (udev's, from its pkg-config file) lands in the package, never on this
# machine.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL editor tools)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME orbitune)
set(CPACK_DEBIAN_EDITOR_PACKAGE_SECTION electronics)
# Qt's Chinese texts for its dialogs; the satellite tables Import reads first.
set(CPACK_DEBIAN_EDITOR_PACKAGE_RECOMMENDS "qt6-translations-l10n, dtv-scan-tables")
set(CPACK_COMPONENT_EDITOR_DESCRIPTION "satellite plan editor for Q24, Q36 and Q9100 meters
Orbitune edits the satellite plans of satellite-finder meters: a plan is one
satellite with its transponders. It checks them against each meter family's
limits, saves them as .gnr, .planList or .Orbtab files, imports satellites
from DVB scan tables or satellites.xml, sends plans to a Q36 meter over USB
HID, reads them back and upgrades the meter's firmware.

The package holds the editor, the command-line tool orbitune-cli and the udev
rule that lets the user at the seat open the meter.")
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME orbitune-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_TOOLS_DESCRIPTION "meter simulator for Orbitune
orbitune-meter-sim plays a Q36 satellite-finder meter on a loopback TCP port,
so that the Orbitune editor and orbitune-cli can be tried and tested without
a meter. It can be told to misbehave: stop answering, drop the connection,
answer with a wrong length or code.")

# Every package carries the licence statement and the changelog Debian asks
# for. The changelog's one entry is this version, dated ORBITUNE_RELEASE_DATE
# in the form Debian wants ("Tue, 08 Dec 2026 00:00:00 +0000").
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" release_date "${ORBITUNE_RELEASE_DATE}")
if(NOT release_date)
  message(FATAL_ERROR "ORBITUNE_RELEASE_DATE is not YYYY-MM-DD: ${ORBITUNE_RELEASE_DATE}")
endif()
math(EXPR year "${CMAKE_MATCH_1}")
math(EXPR month "${CMAKE_MATCH_2}")
math(EXPR day "${CMAKE_MATCH_3}")
# Sakamoto's day of the week, 0 for Sunday.
set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR month_index "${month} - 1")
list(GET month_offsets ${month_index} offset)
set(y ${year})
if(month LESS 3)
  math(EXPR y "${y} - 1")
endif()
math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
set(weekday_names Sun Mon Tue Wed Thu Fri Sat)
list(GET weekday_names ${weekday} weekday_name)
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET month_names ${month_index} month_name)
set(padded_day ${day})
if(day LESS 10)
  set(padded_day 0${day})
endif()
set(ORBITUNE_CHANGELOG_DATE "${weekday_name}, ${padded_day} ${month_name} ${year} 00:00:00 +0000")
set(ORBITUNE_PACKAGER "${CPACK_PACKAGE_CONTACT}")
foreach(package orbitune orbitune-tools)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/${package}/changelog @ONLY)
  execute_process(COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/packaging/${package}/changelog COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/orbitune/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orbitune COMPONENT editor)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/orbitune-tools/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orbitune-tools COMPONENT tools)

include(CPack)
