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

set(VELMORA_WINE_ENV "export WINEPREFIX='${VELMORA_WINE_PREFIX}' WINEDEBUG=-all \
WINEDLLOVERRIDES='mscoree,mshtml='
unset DISPLAY WAYLAND_DISPLAY")

function(velmora_wine_script name body)
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine/${name}
        CONTENT "#!/bin/sh\n${VELMORA_WINE_ENV}\n${body}\n"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
            WORLD_READ WORLD_EXECUTE)
endfunction()

# No debug chatter, no Mono or Gecko installer, no display needed.
foreach(target core_tests velmora-tool velmora-charger-sim)
    velmora_wine_script(${target} "exec '${VELMORA_WINE}' '$<TARGET_FILE:${target}>' \"$@\"")
endforeach()

# The first program of a wine session starts wine's services, and they keep that program's
# output pipes open until the session ends: a test reading them would wait that long. So
# the session starts once before the tests, detached from every pipe, and stays up (at
# most a minute after its last program) until the tests are done.
get_filename_component(wine_dir ${VELMORA_WINE} DIRECTORY)
find_program(VELMORA_WINESERVER wineserver HINTS ${wine_dir} REQUIRED)
velmora_wine_script(start "set -e
[ -f \"$WINEPREFIX/system.reg\" ] || '${VELMORA_WINE}' wineboot --init
'${VELMORA_WINESERVER}' -w
'${VELMORA_WINESERVER}' -p60
'${VELMORA_WINE}' '$<TARGET_FILE:velmora-tool>' catalogue")
velmora_wine_script(stop "exec '${VELMORA_WINESERVER}' -k")
add_test(NAME wine_start COMMAND sh -c "'${CMAKE_BINARY_DIR}/wine/start' </dev/null >/dev/null 2>&1")
add_test(NAME wine_stop COMMAND ${CMAKE_BINARY_DIR}/wine/stop)
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

add_test(NAME core_tests_wine COMMAND ${CMAKE_BINARY_DIR}/wine/core_tests --gtest_brief=1)

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
set_tests_properties(core_tests_wine tools_cli_wine PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
