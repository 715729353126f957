# Speed settings for the build trees that are built whole each time (the sanitizer, fuzz and
# Windows trees): every test program and application library parses the same Qt and
# GoogleTest headers, which costs more than most of our own files.
#   VELMORA_PCH          a precompiled header of those in each of our targets. Off by default:
#                        ccache keeps nothing compiled with one unless told to (the scripts
#                        that turn this on do), so a developer's build/ keeps plain compiles.
#   CMAKE_UNITY_BUILD    CMake's unity build; the files below are compiled on their own there.
option(VELMORA_PCH "Precompile the Qt and GoogleTest headers in each of our targets" OFF)
if(CMAKE_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # A unity build includes every file into another, so GCC takes a test fixture in an
    # anonymous namespace for one in a header and warns; in a file of its own it is right.
    add_compile_options(-Wno-subobject-linkage)
endif()

# Files with a file-level name (a constant, a helper) that another file of the same target
# also defines: one file of each such pair stays out of the unity build's combined files.
set(VELMORA_UNITY_BUILD_ALONE
    app/bench/ChargerBay.cpp
    app/catalogue/TambahDialog.cpp
    app/monitor/AddBayDialog.cpp
    app/monitor/BayCard.cpp
    app/monitor/BayCurve.cpp
    app/monitor/BayTexts.cpp
    app/monitor/BenchScreen.cpp
    app/printing/InformationDialog.cpp
    app/printing/JobDetailsDialog.cpp
    app/printing/ReceiptPreview.cpp
    app/shell/WindowSizing.cpp
    app/shell/desktop/posix/LogindSleepBlocker.cpp
    app/widgets/Notice.cpp
    bench/window/bays_bench.cpp
    core/certificate/CertificateBlock.cpp
    core/logger/LogRecord.cpp
    core/printing/PrinterRaster.cpp
    tests/app/bench_screen_test.cpp
    tests/app/bench_screen_window_test.cpp
    tests/app/bench_window_test.cpp
    tests/app/bluez/bluez_reconnect_test.cpp
    tests/app/bluez/rfcomm_transport_test.cpp
    tests/app/chart_test.cpp
    tests/app/diagnostic_e2e_test.cpp
    tests/app/journal_e2e_test.cpp
    tests/app/logger_e2e_test.cpp
    tests/core/chart_drawing_test.cpp
    tests/core/printer_brightness_test.cpp
    tests/core/socket_transport_test.cpp
    tests/journal/journal_bay_test.cpp
    tools/certificate_command.cpp
    tools/journal_command.cpp
    tools/log_command.cpp
    tools/receipt_commands.cpp)

# The targets defined in dir and below it.
function(velmora_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        velmora_targets_below(${sub} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The libraries target links, directly or through the libraries it links. Imported targets
# found in a subdirectory are not visible from the top: their names still count.
function(velmora_linked_libraries target out)
    set(seen ${target})
    set(index 0)
    list(LENGTH seen count)
    while(index LESS count)
        list(GET seen ${index} current)
        math(EXPR index "${index} + 1")
        if(TARGET ${current})
            get_target_property(aliased ${current} ALIASED_TARGET)
            get_target_property(type ${current} TYPE)
            set(links)
            if(NOT type STREQUAL "INTERFACE_LIBRARY")
                get_target_property(links ${current} LINK_LIBRARIES)
            endif()
            get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
            foreach(link IN LISTS aliased links interface)
                # Unset properties and generator expressions name no library here.
                if(link AND NOT link MATCHES "^\\$<" AND NOT link IN_LIST seen)
                    list(APPEND seen ${link})
                endif()
            endforeach()
        endif()
        list(LENGTH seen count)
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Applies the settings above to every target of ours; called once all are defined.
function(velmora_speed_up_build)
    velmora_targets_below(${PROJECT_SOURCE_DIR} targets)
    if(CMAKE_UNITY_BUILD AND targets)
        list(TRANSFORM VELMORA_UNITY_BUILD_ALONE PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE alone)
        set_source_files_properties(${alone} TARGET_DIRECTORY ${targets}
            PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
    if(VELMORA_PCH)
        velmora_precompile_headers("${targets}")
    endif()
endfunction()

# Gives each C++ target a precompiled header of what it can see of Qt and GoogleTest.
function(velmora_precompile_headers targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        get_target_property(source_dir ${target} SOURCE_DIR)
        if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$"
           OR NOT source_dir MATCHES "^${PROJECT_SOURCE_DIR}/"
           OR source_dir MATCHES "/googletest")
            continue()
        endif()
        velmora_linked_libraries(${target} linked)
        set(headers <algorithm> <functional> <memory> <optional> <string> <vector>)
        set(uses_qt_or_gtest OFF)
        foreach(module Core Gui Widgets Charts Test)
            if(Qt6::${module} IN_LIST linked)
                list(APPEND headers <Qt${module}/Qt${module}>)
                set(uses_qt_or_gtest ON)
            endif()
        endforeach()
        if(GTest::gtest IN_LIST linked OR gtest IN_LIST linked)
            list(APPEND headers <gtest/gtest.h>)
            set(uses_qt_or_gtest ON)
        endif()
        # A header of a few standard headers costs more to make than it saves.
        if(uses_qt_or_gtest)
            target_precompile_headers(${target} PRIVATE ${headers})
        endif()
    endforeach()
endfunction()
