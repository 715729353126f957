# GoogleTest: the installed package where there is one, else built here from sources, as a
# cross build needs (Debian's googletest package puts them in /usr/src/googletest).
find_package(GTest QUIET)
if(NOT GTest_FOUND)
    set(VELMORA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
        "GoogleTest sources, built for the target when no installed package is found")
    if(NOT EXISTS ${VELMORA_GTEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest package and no sources in ${VELMORA_GTEST_SOURCE_DIR}")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)  # MSVC: the same C runtime as ours
    # Windows threads, not the winpthreads emulation.
    set(gtest_disable_pthreads ${WIN32} CACHE BOOL "" FORCE)
    add_subdirectory(${VELMORA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # The names the installed package gives its targets (newer sources define them too).
    foreach(library gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${library})
            add_library(GTest::${library} ALIAS ${library})
        endif()
    endforeach()
endif()
