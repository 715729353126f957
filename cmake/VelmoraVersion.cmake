# The version of the build, one for every program and the packages: the project's version
# and, in a git checkout, git describe against the tag vVERSION (VelmoraWriteVersion.cmake).
# It is written at every build, so a new commit shows without configuring again; the files
# change only when the version does, and then one small file compiles again.
#   velmora_version   library with velmora::versionText() (core/platform/Version.h)
#   VELMORA_VERSION_FILE   the version as one line, for the packaging
set(VELMORA_VERSION_DIR ${CMAKE_BINARY_DIR}/version)
set(VELMORA_VERSION_FILE ${VELMORA_VERSION_DIR}/version.txt)
set(velmora_write_version ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DPROJECT_VERSION=${PROJECT_VERSION} -DOUTPUT_DIR=${VELMORA_VERSION_DIR}
    -P ${CMAKE_CURRENT_LIST_DIR}/VelmoraWriteVersion.cmake)
execute_process(COMMAND ${velmora_write_version})  # there before the first build, too
add_custom_target(velmora_version_file
    COMMAND ${velmora_write_version}
    BYPRODUCTS ${VELMORA_VERSION_DIR}/VersionText.cpp ${VELMORA_VERSION_FILE}
    VERBATIM)
add_library(velmora_version STATIC ${VELMORA_VERSION_DIR}/VersionText.cpp)
target_include_directories(velmora_version PRIVATE ${PROJECT_SOURCE_DIR}/core)
add_dependencies(velmora_version velmora_version_file)
velmora_strict(velmora_version)
