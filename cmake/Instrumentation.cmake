# Sanitizer, coverage and fuzzing builds are whole-tree switches.
if(TIMBRA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(TIMBRA_COVERAGE)
    # Atomic counters: tests with threads otherwise leave torn, even negative, counts behind.
    add_compile_options(--coverage -O0 -fprofile-update=atomic)
    add_link_options(--coverage -fprofile-update=atomic)
endif()
if(TIMBRA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TIMBRA_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Every undefined-behaviour report stops the run, so that libFuzzer sees it as a crash.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
