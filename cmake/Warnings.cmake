# Warnings for our own targets only; third-party headers are included as system headers.
add_library(timbra_warnings INTERFACE)
target_compile_options(timbra_warnings INTERFACE
    -Wall -Wextra -Wnon-virtual-dtor -Woverloaded-virtual $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
    $<$<BOOL:${TIMBRA_WERROR}>:-Werror>)

# The plain C++ core also refuses C-style casts.
add_library(timbra_core_warnings INTERFACE)
target_link_libraries(timbra_core_warnings INTERFACE timbra_warnings)
target_compile_options(timbra_core_warnings INTERFACE -Wold-style-cast)
