# Writes the build's version (cmake -P, run by every build; see VelmoraVersion.cmake):
# PROJECT_VERSION, followed in a git checkout by git describe's distance from the tag
# vPROJECT_VERSION and the commit ("1.0-12-gabc1234"), or by the commit where that tag is
# missing ("1.0-gabc1234"); "-dirty" when files differ from the commit. Sources without
# git (an unpacked archive) give PROJECT_VERSION alone.
# In: SOURCE_DIR, PROJECT_VERSION, OUTPUT_DIR. Out: OUTPUT_DIR/version.txt, VersionText.cpp.
set(version ${PROJECT_VERSION})
find_program(VELMORA_GIT git)
# Only the sources' own checkout counts, not a repository they happen to be unpacked in.
if(VELMORA_GIT AND EXISTS ${SOURCE_DIR}/.git)
    execute_process(
        COMMAND ${VELMORA_GIT} describe --tags --always --dirty --match v${PROJECT_VERSION}
        WORKING_DIRECTORY ${SOURCE_DIR}
        OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND described)
        string(FIND "${described}" "v${PROJECT_VERSION}" at)
        if(at EQUAL 0)
            string(LENGTH "v${PROJECT_VERSION}" tag_length)
            string(SUBSTRING "${described}" ${tag_length} -1 distance)
            set(version "${PROJECT_VERSION}${distance}")
        else()
            set(version "${PROJECT_VERSION}-g${described}")
        endif()
    endif()
endif()

# Rewritten only when the version changed: nothing builds again otherwise.
file(CONFIGURE OUTPUT ${OUTPUT_DIR}/version.txt CONTENT "${version}\n")
file(CONFIGURE OUTPUT ${OUTPUT_DIR}/VersionText.cpp CONTENT "// Written by the build.
#include \"platform/Version.h\"

const char* velmora::versionText() {
    return \"${version}\";
}
")
