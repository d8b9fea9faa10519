# Linux: the manual page, the AppStream metainfo, the install rules and the
# Debian package (scripts/package). Included by the top-level CMakeLists.txt.

# ---- The release, its date and the maintainer: the changelog's first entry ----
file(STRINGS data/changelog CHANGELOG_LINES)
list(GET CHANGELOG_LINES 0 CHANGELOG_HEADING)  # dancing-noodlet (1.0) unstable; ...
if(NOT CHANGELOG_HEADING MATCHES "\\(${PROJECT_VERSION}\\)")
  message(FATAL_ERROR "data/changelog's first entry is not version ${PROJECT_VERSION}")
endif()
list(FILTER CHANGELOG_LINES INCLUDE REGEX "^ -- ")  # NAME <ADDRESS>  Mon, 07 Dec 2026 09:00:00 +0000
list(GET CHANGELOG_LINES 0 CHANGELOG_TRAILER)
string(REGEX MATCH "^ -- ((.*) <(.*)>)  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) "
       _ "${CHANGELOG_TRAILER}")
if(NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "data/changelog's first entry names no maintainer and date: ${CHANGELOG_TRAILER}")
endif()
set(MAINTAINER "${CMAKE_MATCH_1}")
set(MAINTAINER_NAME "${CMAKE_MATCH_2}")
set(MAINTAINER_ADDRESS "${CMAKE_MATCH_3}")
set(MONTHS Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND MONTHS "${CMAKE_MATCH_5}" MONTH)
math(EXPR MONTH "${MONTH} + 101")  # 101 to 112: two digits after the first
string(SUBSTRING ${MONTH} 1 2 MONTH)
set(RELEASE_DATE ${CMAKE_MATCH_6}-${MONTH}-${CMAKE_MATCH_4})
# The one-line summary, with a capital for AppStream.
string(SUBSTRING "${PROJECT_DESCRIPTION}" 0 1 SUMMARY_START)
string(SUBSTRING "${PROJECT_DESCRIPTION}" 1 -1 SUMMARY_REST)
string(TOUPPER "${SUMMARY_START}" SUMMARY_START)
set(SUMMARY "${SUMMARY_START}${SUMMARY_REST}")

# ---- The manual page, the package's changelog and copyright ----
configure_file(data/vantor.1.in ${CMAKE_BINARY_DIR}/vantor.1 @ONLY)
configure_file(data/changelog ${CMAKE_BINARY_DIR}/changelog COPYONLY)
configure_file(data/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
set(GZIPPED ${CMAKE_BINARY_DIR}/vantor.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${GZIPPED} ${CMAKE_BINARY_DIR}/dancing-noodlet.1.gz
  COMMAND gzip -9 -n -k -f vantor.1 changelog
  COMMAND ${CMAKE_COMMAND} -E create_symlink vantor.1.gz dancing-noodlet.1.gz
  DEPENDS ${CMAKE_BINARY_DIR}/vantor.1 ${CMAKE_BINARY_DIR}/changelog
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(manual ALL DEPENDS ${GZIPPED})

# ---- The AppStream metainfo ----
# The id is reverse DNS; example.org stands for the project's own domain.
set(METAINFO_ID org.example.dancing_noodlet)
configure_file(data/dancing-noodlet.metainfo.xml.in ${CMAKE_BINARY_DIR}/${METAINFO_ID}.metainfo.xml
               @ONLY)

# ---- Install: the viewer, a launcher that starts it next to its textures,
# ---- a desktop entry and its metainfo, its icon, the manual page and the package's documents
include(GNUInstallDirs)
set(DATA_DIR ${CMAKE_INSTALL_DATADIR}/dancing-noodlet)
set(DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/dancing-noodlet)
install(TARGETS vantor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS data/dancing-noodlet DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TEXTURE_FILES} DESTINATION ${DATA_DIR})
install(FILES data/dancing-noodlet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${METAINFO_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The project has no homepage, and the metainfo names none. AppStream 1.0's
# validator warns about that, and lintian, which runs it, reports the warning
# as appstream-metadata-validation-failed: the package overrides that tag
# where the release's AppStream is 1.0 or later (older lintian knows no such
# tag and would reject the override).
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} --version OUTPUT_VARIABLE APPSTREAM_VERSION)
  string(REGEX MATCH "[0-9]+\\.[0-9.]+" APPSTREAM_VERSION "${APPSTREAM_VERSION}")
  if(APPSTREAM_VERSION VERSION_GREATER_EQUAL 1.0)
    install(FILES data/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
            RENAME dancing-noodlet)
  endif()
endif()
install(FILES ${ICON_FILE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/vantor.1.gz ${CMAKE_BINARY_DIR}/dancing-noodlet.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${DOC_DIR})

# ---- The Debian package (scripts/package), made from the install rules above ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dancing-noodlet)
set(CPACK_PACKAGE_CONTACT "${MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines as they appear in the control file's extended description.
set(CPACK_PACKAGE_DESCRIPTION [=[
The noodlet is a cartoon figure drawn with OpenGL: a bendable body, a head
wearing a smiley face, two arms and two legs, each a chain of short segments
that curls into a smooth arc. It waves, dances and does an arm wave, standing
on a grass ground inside a slowly spinning sky, lit by a scene light and by a
spotlight that you move from the keypad.

A right-click menu chooses the animation, left drags turn the camera around
the figure like a trackball, and single keys switch between orthogonal and
perspective viewing. Start it from the application menu or with
dancing-noodlet; its manual page, vantor(1), lists every control.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

