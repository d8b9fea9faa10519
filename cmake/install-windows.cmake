# Windows: vantor.exe's icon and version information, its launcher, the
# README.txt and the licence with Windows line ends, and the install rules of
# the zip (scripts/package --windows): one folder, the program beside its
# textures. Included by the top-level CMakeLists.txt.

# The copyright line and the licence as data/copyright states them, without
# the Debian format's indent.
file(READ data/copyright COPYRIGHT)
string(REGEX MATCH "\nCopyright: ([^\n]*)" _ "${COPYRIGHT}")
set(COPYRIGHT_LINE "Copyright ${CMAKE_MATCH_1}")
string(REGEX REPLACE ".*\nLicense: Expat\n" "" LICENSE_TEXT "${COPYRIGHT}")  # the last paragraph
string(REGEX REPLACE "(^|\n) \\.?" "\\1" LICENSE_TEXT "${LICENSE_TEXT}")

# ---- Resources: the icon, under the name freeglut gives its windows, and the version ----
enable_language(RC)
configure_file(data/windows/vantor.rc.in ${CMAKE_BINARY_DIR}/vantor.rc @ONLY)
target_sources(vantor PRIVATE ${CMAKE_BINARY_DIR}/vantor.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/vantor.rc PROPERTIES OBJECT_DEPENDS ${ICON_FILE})

# ---- The launcher and the texts, with Windows line ends ----
set(WINDOWS_FILES
  ${CMAKE_BINARY_DIR}/dancing-noodlet.cmd
  ${CMAKE_BINARY_DIR}/README.txt
  ${CMAKE_BINARY_DIR}/LICENSE.txt)
configure_file(data/windows/dancing-noodlet.cmd ${CMAKE_BINARY_DIR}/dancing-noodlet.cmd @ONLY
               NEWLINE_STYLE CRLF)
configure_file(data/windows/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/LICENSE.txt CONTENT "${COPYRIGHT_LINE}\n\n${LICENSE_TEXT}"
     @ONLY NEWLINE_STYLE CRLF)

# ---- Install: everything in one folder ----
install(TARGETS vantor RUNTIME DESTINATION .)
install(FILES ${TEXTURE_FILES} ${WINDOWS_FILES} DESTINATION .)
