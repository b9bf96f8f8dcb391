# Installation and the Debian package (cpack -G DEB; scripts/package-deb.sh builds it into dist/).
# The programs find their word lists in vb/ beside the executable (symbolic links resolved), so
# they are installed together in /usr/lib/vetrin with links to them in /usr/bin.
set(VETRIN_LIB_DIR lib/vetrin)
# cpack installs what scripts/package-deb.sh has built, not the whole build (tests, benchmarks).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(vetrinPrograms vrt)
if(VETRIN_GUI)
  list(APPEND vetrinPrograms vetrin)
endif()
install(TARGETS ${vetrinPrograms} RUNTIME DESTINATION ${VETRIN_LIB_DIR})
install(FILES ${VETRIN_WORD_LISTS} DESTINATION ${VETRIN_LIB_DIR}/vb)
foreach(program ${vetrinPrograms})
  set(link ${CMAKE_BINARY_DIR}/package-links/${program})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package-links)
  file(CREATE_LINK ../${VETRIN_LIB_DIR}/${program} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION bin)
endforeach()
if(VETRIN_GUI)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/vetrin.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/vetrin.png DESTINATION share/icons/hicolor/48x48/apps)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION share/doc/vetrin RENAME copyright)

set(VETRIN_PACKAGE_MAINTAINER "The Vetrin developers <vetrin@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

# The man pages and the package's changelog are compressed as Debian keeps them.
find_program(VETRIN_GZIP gzip)
# vrt.1: the man page, made by help2man from `vrt --help-all` and `vrt --version`. Without
# help2man the build goes on and the package has no man page for vrt.
find_program(VETRIN_HELP2MAN help2man)
if(VETRIN_HELP2MAN AND VETRIN_GZIP)
  set(manPage ${CMAKE_BINARY_DIR}/man/vrt.1)
  add_custom_command(OUTPUT ${manPage}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${VETRIN_HELP2MAN} --no-info --help-option=--help-all
            --name "check Visual Basic 5/6 projects against coding rules"
            --output ${manPage} $<TARGET_FILE:vrt>
    COMMAND ${VETRIN_GZIP} -9nf ${manPage}
    DEPENDS vrt
    COMMENT "Man page vrt.1 from vrt --help-all")
  add_custom_target(vrt_man ALL DEPENDS ${manPage}.gz)
  install(FILES ${manPage}.gz DESTINATION share/man/man1)
else()
  message(STATUS "help2man not found: no man page for vrt")
endif()
# vetrin.1, written by hand (the desktop application has no --help), and the changelog of this
# version, which a Debian package carries.
if(VETRIN_GZIP)
  string(TIMESTAMP VETRIN_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/man/changelog @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/vetrin.1.gz ${CMAKE_BINARY_DIR}/man/changelog.gz
    COMMAND ${VETRIN_GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/vetrin.1 > vetrin.1.gz
    COMMAND ${VETRIN_GZIP} -9nc changelog > changelog.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/vetrin.1 ${CMAKE_BINARY_DIR}/man/changelog
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/man)
  add_custom_target(vetrin_package_docs ALL
    DEPENDS ${CMAKE_BINARY_DIR}/man/vetrin.1.gz ${CMAKE_BINARY_DIR}/man/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/changelog.gz DESTINATION share/doc/vetrin)
  if(VETRIN_GUI)
    install(FILES ${CMAKE_BINARY_DIR}/man/vetrin.1.gz DESTINATION share/man/man1)
  endif()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vetrin)
set(CPACK_PACKAGE_VENDOR "the Vetrin developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "coding rule checker for Visual Basic 5/6 projects")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vetrin checks Visual Basic 5 and 6 projects (.vbp) against coding rules:\n"
    "unused variables and arguments, Option Explicit, file naming, line length and\n"
    "more. vrt is the command-line checker for terminals and CI (text, JSON, SARIF\n"
    "and CI formats); vetrin is the desktop application.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VETRIN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: the shared libraries the programs link (Qt, the C and C++ libraries), found by
# dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
include(CPack)
