# Compiles the data files under resources/ into the program, so that the core and the command-line
# tool carry their stored grids and pages without Qt's resource system.
function(timbra_embed_resources target resource_dir)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE "${resource_dir}" "${resource_dir}/*.json")
    set(out "${CMAKE_CURRENT_BINARY_DIR}/EmbeddedResources.cpp")
    set(inputs)
    foreach(f IN LISTS files)
        list(APPEND inputs "${resource_dir}/${f}")
    endforeach()
    add_custom_command(
        OUTPUT "${out}"
        COMMAND ${CMAKE_COMMAND} -DRESOURCE_DIR=${resource_dir} -DOUTPUT=${out}
                -P "${PROJECT_SOURCE_DIR}/cmake/GenerateResources.cmake"
        DEPENDS ${inputs} "${PROJECT_SOURCE_DIR}/cmake/GenerateResources.cmake"
        COMMENT "Embedding stored grids and pages")
    target_sources(${target} PRIVATE "${out}")
endfunction()
