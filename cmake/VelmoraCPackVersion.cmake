# Read by cpack when it starts (CPACK_PROJECT_CONFIG_FILE): the packages carry the version
# the build wrote, so a package made after a new commit names that commit.
file(STRINGS "${CPACK_VELMORA_VERSION_FILE}" velmora_version LIMIT_COUNT 1)
if(velmora_version)
    set(CPACK_PACKAGE_VERSION ${velmora_version})
    # In a Debian version a "-" starts the packaging revision: 1.0-12-gabc1234 becomes
    # 1.0+12+gabc1234, which still sorts after 1.0.
    string(REPLACE "-" "+" CPACK_DEBIAN_PACKAGE_VERSION ${velmora_version})
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${velmora_version}-${CPACK_SYSTEM_NAME}")
endif()
