# What `cmake --install` puts under the prefix: the programs in bin/, and on Linux the
# desktop entry, the icon in the hicolor theme and the AppStream metadata. On Windows the
# window program takes its Qt DLLs and plugins along (windeployqt) and the other DLLs it
# loads from outside the system (compiler runtime, SQLite, Qt's own dependencies).
# The packages (VelmoraPackaging.cmake) are made from this.
include(GNUInstallDirs)

set(VELMORA_HOMEPAGE "https://github.com/velmora/velmora-tester" CACHE STRING
    "Home page named in the AppStream metadata")
set(VELMORA_SCREENSHOT_URL
    "https://raw.githubusercontent.com/velmora/velmora-tester/main/docs/screenshots" CACHE STRING
    "Where the AppStream metadata finds the screenshots of docs/screenshots/")
set(VELMORA_APPSTREAM_ID io.github.velmora.VelmoraTester)
set(VELMORA_PACKAGE_MAINTAINER "Velmora Tester maintainers <velmora@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the packages, with the address bugs are sent to")

set(velmora_programs velmora-tool velmora-charger-sim)
if(TARGET velmora-tester)
    list(PREPEND velmora_programs velmora-tester)
endif()

if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
    # Every DLL the programs load from outside Windows itself goes beside them: looked for
    # beside the compiler (MSYS2's runtime and libraries), in Qt and in CMAKE_PREFIX_PATH.
    install(TARGETS ${velmora_programs} RUNTIME_DEPENDENCY_SET velmora_dlls
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    get_filename_component(velmora_dll_dirs ${CMAKE_CXX_COMPILER} DIRECTORY)
    foreach(prefix IN LISTS CMAKE_PREFIX_PATH)
        list(APPEND velmora_dll_dirs ${prefix}/bin)
    endforeach()
    if(TARGET velmora-tester)
        find_package(Qt6 6.4 REQUIRED COMPONENTS Core)
        set(velmora_qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
        list(APPEND velmora_dll_dirs ${velmora_qt_bin})
    endif()
    install(RUNTIME_DEPENDENCY_SET velmora_dlls
        PRE_EXCLUDE_REGEXES "[Aa][Pp][Ii]-[Mm][Ss]-" "[Ee][Xx][Tt]-[Mm][Ss]-"
        POST_EXCLUDE_REGEXES "[Ss][Yy][Ss][Tt][Ee][Mm]32/"
        DIRECTORIES ${velmora_dll_dirs}
        DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(MSVC)
        include(InstallRequiredSystemLibraries)  # the Visual C++ runtime
    endif()
    if(TARGET velmora-tester)
        # The Qt plugins (platform, styles, SVG pictures) are loaded, not linked: windeployqt
        # knows which ones a Widgets program needs.
        find_program(VELMORA_WINDEPLOYQT NAMES windeployqt6 windeployqt HINTS ${velmora_qt_bin}
            REQUIRED)
        install(CODE "execute_process(
            COMMAND \"${VELMORA_WINDEPLOYQT}\" --no-translations --no-system-d3d-compiler
                --no-opengl-sw \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/velmora-tester.exe\"
            COMMAND_ERROR_IS_FATAL ANY)")
    endif()
else()
    install(TARGETS ${velmora_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(TARGET velmora-tester)
    # The window program carries the Roboto fonts (Apache 2.0): their licence goes along.
    install(FILES ${PROJECT_SOURCE_DIR}/app/resources/fonts/LICENSE-2.0.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora-tester
        RENAME fonts-roboto-LICENSE-2.0.txt)
endif()

# A sanitizer tree is for tests: nothing is installed from it, and no icon is drawn in it.
if(NOT (UNIX AND TARGET velmora-tester) OR VELMORA_SANITIZE)
    return()
endif()

# The desktop integration of the window program.
set(velmora_packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${velmora_packaging}/linux/velmora-tester.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${velmora_packaging}/linux/${VELMORA_APPSTREAM_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${VELMORA_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${VELMORA_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# What a Debian user finds in /usr/share/doc and man: the copyright, the changelog (of the
# version the package carries, written when it is installed) and a manual page a program.
set(velmora_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/velmora-tester)
configure_file(${velmora_packaging}/linux/copyright ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright DESTINATION ${velmora_doc_dir})
install(CODE "
    file(STRINGS \"${VELMORA_VERSION_FILE}\" velmora_version LIMIT_COUNT 1)
    string(REPLACE \"-\" \"+\" VELMORA_DEBIAN_VERSION \"\${velmora_version}\")
    set(VELMORA_PACKAGE_MAINTAINER \"${VELMORA_PACKAGE_MAINTAINER}\")
    configure_file(\"${velmora_packaging}/linux/changelog.in\"
        \"${CMAKE_BINARY_DIR}/packaging/changelog\" @ONLY)
    execute_process(COMMAND gzip -9nf \"${CMAKE_BINARY_DIR}/packaging/changelog\"
        COMMAND_ERROR_IS_FATAL ANY)
    file(INSTALL \"${CMAKE_BINARY_DIR}/packaging/changelog.gz\"
        DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${velmora_doc_dir}\")")
set(velmora_man_pages)
foreach(program IN LISTS velmora_programs)
    set(page ${CMAKE_BINARY_DIR}/packaging/man/${program}.1.gz)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
        COMMAND gzip -9nc ${velmora_packaging}/linux/man/${program}.1 > ${page}
        DEPENDS ${velmora_packaging}/linux/man/${program}.1 VERBATIM)
    list(APPEND velmora_man_pages ${page})
endforeach()
add_custom_target(velmora_man_pages ALL DEPENDS ${velmora_man_pages})
install(FILES ${velmora_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The icon: the SVG, and the PNG sizes desktops and menus ask for, drawn from it.
set(velmora_icon_svg ${velmora_packaging}/icons/velmora-tester.svg)
set(velmora_icon_sizes 16 22 24 32 48 64 128 256)
set(velmora_icon_dir ${CMAKE_BINARY_DIR}/packaging/hicolor)
find_package(Qt6 6.4 QUIET REQUIRED COMPONENTS Gui Svg)  # found by app/ already
add_executable(velmora-render-icon ${velmora_packaging}/icons/render_icon.cpp)
target_link_libraries(velmora-render-icon PRIVATE Qt6::Gui Qt6::Svg)
velmora_strict(velmora-render-icon)
set(velmora_icon_pngs ${velmora_icon_sizes})
list(TRANSFORM velmora_icon_pngs REPLACE "(.+)" "${velmora_icon_dir}/\\1x\\1/apps/velmora-tester.png")
add_custom_command(OUTPUT ${velmora_icon_pngs}
    COMMAND velmora-render-icon ${velmora_icon_svg} ${velmora_icon_dir} ${velmora_icon_sizes}
    DEPENDS velmora-render-icon ${velmora_icon_svg}
    COMMENT "Drawing the icon in ${velmora_icon_sizes} pixels" VERBATIM)
add_custom_target(velmora_icons ALL DEPENDS ${velmora_icon_pngs})
install(FILES ${velmora_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${velmora_icon_dir} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
