# Installing the program like a desktop program, and its Debian package.
#
#   <bindir>/quillon                        the program (help and icons are
#                                           resources compiled into it)
#   <libdir>/quillon/libquillon_webpreview.so   the embedded browser's plugin
#   <datadir>/applications/org.velmora.Quillon.desktop   the menu entry
#   <datadir>/metainfo/org.velmora.Quillon.metainfo.xml  AppStream data
#   <datadir>/icons/hicolor/{scalable,48x48}/apps/quillon.{svg,png}
#   <mandir>/man1/quillon.1.gz              the manual page
#   <datadir>/doc/quillon/{copyright,changelog.Debian.gz}
#   <datadir>/lintian/overrides/quillon     what lintian need not report
#
# Nothing else is installed: not the tests, the benchmarks or the
# quillon-builtins tool.  The program finds its plugin relative to itself,
# so an installation moved to another prefix keeps working.
# `cpack -G DEB` in the build folder makes the .deb.
include(GNUInstallDirs)

set(QUILLON_INSTALL_PLUGINDIR "${CMAKE_INSTALL_LIBDIR}/quillon" CACHE STRING
    "Where the embedded browser's plugin is installed (relative to the prefix)")

# The plugin folder as the program sees it from its own folder
# ("../lib/quillon" for the usual layout).
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_BINDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE _quillon_bindir)
cmake_path(ABSOLUTE_PATH QUILLON_INSTALL_PLUGINDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE _quillon_plugindir)
file(RELATIVE_PATH QUILLON_PLUGIN_RELATIVE_DIR "${_quillon_bindir}" "${_quillon_plugindir}")

install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(QUILLON_WEBENGINE)
    target_compile_definitions(quillon_gui PRIVATE QUILLON_PLUGIN_RELATIVE_DIR="${QUILLON_PLUGIN_RELATIVE_DIR}")
    install(TARGETS quillon_webpreview LIBRARY DESTINATION ${QUILLON_INSTALL_PLUGINDIR})
endif()

set(_quillon_packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${_quillon_packaging}/org.velmora.Quillon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_quillon_packaging}/org.velmora.Quillon.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/src/app/resources/icons/quillon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_quillon_packaging}/icons/quillon-48.png RENAME quillon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)

# The manual page and the changelog go compressed, without a name or a
# time in the gzip header, so a build makes the same files each time.
find_program(QUILLON_GZIP gzip REQUIRED)
set(_quillon_compressed ${CMAKE_BINARY_DIR}/packaging)
set(_quillon_compressed_files "")
foreach(pair "quillon.1;quillon.1.gz" "debian/changelog;changelog.Debian.gz")
    list(GET pair 0 _source)
    list(GET pair 1 _target)
    string(REGEX REPLACE "\\.gz$" "" _copy ${_quillon_compressed}/${_target})
    add_custom_command(OUTPUT ${_quillon_compressed}/${_target}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${_quillon_compressed}
                       COMMAND ${CMAKE_COMMAND} -E copy ${_quillon_packaging}/${_source} ${_copy}
                       COMMAND ${QUILLON_GZIP} -9nf ${_copy}
                       DEPENDS ${_quillon_packaging}/${_source}
                       COMMENT "Compressing ${_source}" VERBATIM)
    list(APPEND _quillon_compressed_files ${_quillon_compressed}/${_target})
endforeach()
add_custom_target(quillon_packaging_files ALL DEPENDS ${_quillon_compressed_files})
install(FILES ${_quillon_compressed}/quillon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(_quillon_docdir ${CMAKE_INSTALL_DATADIR}/doc/quillon)
install(FILES ${_quillon_packaging}/debian/copyright ${_quillon_compressed}/changelog.Debian.gz
        DESTINATION ${_quillon_docdir})
install(FILES ${_quillon_packaging}/debian/lintian-overrides RENAME quillon
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)

# A stripped installation (cpack strips, CPACK_STRIP_FILES) also loses the
# compiler's notes (.comment, .note), as Debian's own packages do.
if(CMAKE_STRIP)
    set(_quillon_binaries "${CMAKE_INSTALL_BINDIR}/quillon")
    if(QUILLON_WEBENGINE)
        list(APPEND _quillon_binaries "${QUILLON_INSTALL_PLUGINDIR}/libquillon_webpreview.so")
    endif()
    install(CODE "
if(CMAKE_INSTALL_DO_STRIP)
    foreach(_file ${_quillon_binaries})
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${_file}\"
                        RESULT_VARIABLE _status)
        if(NOT _status EQUAL 0)
            message(FATAL_ERROR \"cannot strip \${_file}\")
        endif()
    endforeach()
endif()")
endif()

# --- The Debian package ------------------------------------------------------
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and library of the small scripts of web pages")
set(CPACK_PACKAGE_CONTACT "Velmora <quillon@velmora.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillon.velmora.example/")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# CPack puts the summary first and starts each line of the extended
# description with one space.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillon edits the client-side scripts a web author puts into HTML pages,
keeps them in a user library of categories, makes them from a built-in
library of templates and previews them in an embedded browser (with Qt
WebEngine installed) or in the desktop's web browsers.")
# CPack's own SHLIBDEPS would make every library of every file a
# dependency, Qt WebEngine's with the plugin's, while the program runs
# without it.  So the fields come from dpkg-shlibdeps run by
# QuillonPackage.cmake when cpack starts: the program's libraries are
# Depends, the plugin's Recommends.  Qt's SVG image plugin, which draws the
# program's icons, is loaded at run time and no library names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(QUILLON_PACKAGE_EXTRA_DEPENDS "libqt6svg6")
set(_quillon_package_config ${CMAKE_BINARY_DIR}/QuillonPackageConfig.cmake)
if(QUILLON_WEBENGINE)
    set(_quillon_plugin_file "$<TARGET_FILE:quillon_webpreview>")
else()
    set(_quillon_plugin_file "")
endif()
file(GENERATE OUTPUT ${_quillon_package_config} CONTENT "\
set(QUILLON_PROGRAM_FILE \"$<TARGET_FILE:quillon>\")
set(QUILLON_PLUGIN_FILE \"${_quillon_plugin_file}\")
set(QUILLON_PACKAGE_EXTRA_DEPENDS \"${QUILLON_PACKAGE_EXTRA_DEPENDS}\")
set(QUILLON_BUILD_DIR \"${CMAKE_BINARY_DIR}\")
include(\"${PROJECT_SOURCE_DIR}/cmake/QuillonPackage.cmake\")
")
set(CPACK_PROJECT_CONFIG_FILE ${_quillon_package_config})
set(CPACK_GENERATOR DEB)
include(CPack)
