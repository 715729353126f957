# The tests of a Windows cross build, run under wine: the whole core test program in one
# run (a wine start per case would cost more than the cases), and the black-box tests of
# the command-line programs. Each program gets a launcher in wine/ that runs it under wine
# in the build's own wine prefix, so it also works by hand: build-windows/wine/velmora-tool.
#
# VELMORA_HOST_TOOL: velmora-tool of a native build. When set, every velmora-tool run of
# the black-box tests runs both programs and fails where their outputs differ.
find_program(VELMORA_WINE wine REQUIRED)
set(VELMORA_HOST_TOOL "" CACHE FILEPATH "velmora-tool of a native build, to compare against")
set(VELMORA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)

function(velmora_wine_launcher target)
    # No debug chatter, no Mono or Gecko installer, no display needed.
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine/${target}
        CONTENT "#!/bin/sh
export WINEPREFIX='${VELMORA_WINE_PREFIX}' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
unset DISPLAY WAYLAND_DISPLAY
exec '${VELMORA_WINE}' '$<TARGET_FILE:${target}>' \"$@\"
"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
            WORLD_READ WORLD_EXECUTE)
endfunction()

velmora_wine_launcher(core_tests)
velmora_wine_launcher(velmora-tool)
velmora_wine_launcher(velmora-charger-sim)

add_test(NAME core_tests_wine COMMAND ${CMAKE_BINARY_DIR}/wine/core_tests --gtest_brief=1)
set_tests_properties(core_tests_wine PROPERTIES TIMEOUT 300)

set(tool ${CMAKE_BINARY_DIR}/wine/velmora-tool)
if(VELMORA_HOST_TOOL)
    set(tool ${CMAKE_BINARY_DIR}/wine/velmora-tool-twin)
    file(GENERATE OUTPUT ${tool}
        CONTENT "#!/bin/sh
exec python3 '${PROJECT_SOURCE_DIR}/tests/tools/twin_tool.py' '${VELMORA_HOST_TOOL}' \
'${CMAKE_BINARY_DIR}/wine/velmora-tool' \"$@\"
"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
            WORLD_READ WORLD_EXECUTE)
endif()
add_test(NAME tools_cli_wine COMMAND ${CMAKE_COMMAND} -E env
    VELMORA_TOOL=${tool} VELMORA_SIM=${CMAKE_BINARY_DIR}/wine/velmora-charger-sim
    python3 ${PROJECT_SOURCE_DIR}/tests/tools/test_tools.py)
set_tests_properties(tools_cli_wine PROPERTIES TIMEOUT 300)
