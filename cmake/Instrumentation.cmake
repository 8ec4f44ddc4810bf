# Sanitizer, coverage and fuzzing builds instrument the project's own targets only: Debian's
# libraries and imported third-party targets stay as they were built. timbra_instrument_all runs
# once, after every target is defined.
if(TIMBRA_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TIMBRA_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

function(timbra_instrument target)
    if(TIMBRA_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(TIMBRA_COVERAGE)
        # Atomic counters: tests with threads otherwise leave torn, even negative, counts behind.
        target_compile_options(${target} PRIVATE --coverage -O0 -fprofile-update=atomic)
        target_link_options(${target} PRIVATE --coverage -fprofile-update=atomic)
    endif()
    if(TIMBRA_FUZZ)
        # Every undefined-behaviour report stops the run, so that libFuzzer sees it as a crash.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                                 -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# Every library and program defined under dir and its subfolders.
function(timbra_instrument_all dir)
    get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|MODULE_LIBRARY|EXECUTABLE)$")
            timbra_instrument(${target})
        endif()
    endforeach()
    get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        timbra_instrument_all("${subdir}")
    endforeach()
endfunction()
