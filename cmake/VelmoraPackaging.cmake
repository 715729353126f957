# Packages made by CPack from the install rules (VelmoraInstall.cmake). In the build folder,
# after building:
#   cpack -G DEB     Debian 12 package; its dependencies are computed by dpkg-shlibdeps
#                    from the libraries the programs link (Qt, SQLite, the C++ runtime)
#   cpack -G NSIS    Windows installer (needs makensis), start menu entry and uninstaller
#   cpack -G ZIP     the same files as a folder to unpack, for Windows
# The version is the build's own (VelmoraVersion.cmake), read when cpack runs.
set(CPACK_PACKAGE_NAME velmora-tester)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Desktop companion of the Velmora battery charger and tester")
# Lines of at most 72 characters: the Debian description shows them as they are.
set(CPACK_PACKAGE_DESCRIPTION "Workshops and battery dealers watch a charge of the Velmora
Bluetooth charger live, read battery tests, send charge profiles from the
built-in battery catalogue, print receipts on a 58 mm printer and keep
every charge in a charge history.
Includes velmora-tool (captures, catalogue, charge history and receipts
on the command line) and velmora-charger-sim (a simulated charger).")
set(CPACK_PACKAGE_HOMEPAGE_URL ${VELMORA_HOMEPAGE})
set(CPACK_PACKAGE_CONTACT ${VELMORA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velmora Tester")
set(CPACK_STRIP_FILES ON)  # the debug information stays in the build folder
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/packaging/windows/NOTICE.txt)
set(CPACK_VELMORA_VERSION_FILE ${VELMORA_VERSION_FILE})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/VelmoraCPackVersion.cmake)

# Debian 12.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded, not linked, so not found by the library scan: without the platform plugins the
# window cannot start.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# BlueZ for the charger and the printer; the system's Roboto is shared with other programs
# where the embedded copy would be read into memory again.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bluez, fonts-roboto")

# Windows.
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")  # 64-bit programs: not "Program Files (x86)"
set(CPACK_NSIS_DISPLAY_NAME "Velmora Tester")
set(CPACK_NSIS_PACKAGE_NAME "Velmora Tester")
set(CPACK_NSIS_URL_INFO_ABOUT ${VELMORA_HOMEPAGE})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ${CMAKE_INSTALL_BINDIR})
if(TARGET velmora-tester)
    set(CPACK_PACKAGE_EXECUTABLES velmora-tester "Velmora Tester")  # the start menu entry
    set(CPACK_NSIS_INSTALLED_ICON_NAME ${CMAKE_INSTALL_BINDIR}/velmora-tester.exe)
    set(CPACK_NSIS_MUI_FINISHPAGE_RUN velmora-tester.exe)
endif()

if(WIN32)
    set(CPACK_GENERATOR NSIS ZIP)
else()
    set(CPACK_GENERATOR DEB)
endif()
include(CPack)
