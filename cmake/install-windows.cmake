# Windows: vantor.exe's icon and version information, its launcher, the
# README.txt and the licence with Windows line ends, and the install rules of
# the zip (scripts/package --windows): one folder, the program beside its
# textures. Included by the top-level CMakeLists.txt.

# The copyright line, for vantor.exe's version information: the first line
# of the licence, LICENSE (which says the same as data/copyright).
file(STRINGS LICENSE COPYRIGHT_LINE LIMIT_COUNT 1)

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
configure_file(LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

# ---- Install: everything in one folder ----
install(TARGETS vantor RUNTIME DESTINATION .)
install(FILES ${TEXTURE_FILES} ${WINDOWS_FILES} DESTINATION .)

# ---- The zip (scripts/package --windows): one folder, named as the zip is ----
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME dancing-noodlet-${PROJECT_VERSION}-windows-x64)
include(CPack)
