# Platform files live in folders named posix/ or windows/ anywhere below a source folder;
# every other file builds on every platform. So a new portable file or test joins each
# build by itself, and only the folder name decides where a platform file builds.

# velmora_glob_sources(<out> <base> <pattern>...): the files below base matching the
# patterns, less those in the other platform's folders.
function(velmora_glob_sources out base)
    set(patterns)
    foreach(pattern IN LISTS ARGN)
        list(APPEND patterns ${base}/${pattern})
    endforeach()
    # Relative paths, so the name of the checkout's own folder cannot match the rule.
    file(GLOB_RECURSE files RELATIVE ${base} CONFIGURE_DEPENDS ${patterns})
    if(WIN32)
        list(FILTER files EXCLUDE REGEX "(^|/)posix/")
    else()
        list(FILTER files EXCLUDE REGEX "(^|/)windows/")
    endif()
    list(TRANSFORM files PREPEND ${base}/)
    set(${out} ${files} PARENT_SCOPE)
endfunction()
