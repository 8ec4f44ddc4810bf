# Installation and the Debian package.
#   cmake --install build            installs the programs, their manual pages, menu entries,
#                                    software-centre metadata and icons
#   cpack --config build/CPackConfig.cmake -G DEB  (or: cmake --build build --target package)
include(GNUInstallDirs)

# Where the published copies of docs/screenshots are found; the software-centre metadata links to
# them.
set(TIMBRA_SCREENSHOT_URL "https://timbra.example/screenshots" CACHE STRING
    "Address of the published screenshots, named in the software-centre metadata")

# Manual pages and the package changelog take the project's version, then go in compressed, as
# Debian keeps them; -n leaves the time stamp out, so the same source gives the same file.
set(compressed_docs)
function(timbra_compress template output)
    get_filename_component(name "${output}" NAME_WLE)
    set(text "${PROJECT_BINARY_DIR}/uncompressed/${name}")
    configure_file("${template}" "${text}" @ONLY)
    add_custom_command(OUTPUT "${output}" DEPENDS "${text}"
        COMMAND gzip -9 -n -c "${text}" > "${output}" VERBATIM)
    set(compressed_docs ${compressed_docs} "${output}" PARENT_SCOPE)
endfunction()

set(man_programs timbra-cli)
if(TIMBRA_BUILD_GUI)
    list(APPEND man_programs timbra lowtimbra)
endif()
foreach(program IN LISTS man_programs)
    timbra_compress("${PROJECT_SOURCE_DIR}/docs/man/${program}.1.in" "${PROJECT_BINARY_DIR}/man/${program}.1.gz")
    install(FILES "${PROJECT_BINARY_DIR}/man/${program}.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
timbra_compress("${PROJECT_SOURCE_DIR}/docs/debian/changelog.in" "${PROJECT_BINARY_DIR}/doc/changelog.gz")
add_custom_target(compressed_docs ALL DEPENDS ${compressed_docs})
install(FILES "${PROJECT_BINARY_DIR}/doc/changelog.gz" "${PROJECT_SOURCE_DIR}/docs/debian/copyright"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/timbra)

install(TARGETS timbra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TIMBRA_BUILD_GUI)
    install(TARGETS timbra lowtimbra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    foreach(program timbra lowtimbra)
        install(FILES "${PROJECT_SOURCE_DIR}/resources/${program}/${program}.desktop"
                DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES "${PROJECT_SOURCE_DIR}/resources/${program}/${program}.svg"
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
        set(metainfo "org.timbra.${program}.metainfo.xml")
        configure_file("${PROJECT_SOURCE_DIR}/resources/${program}/${metainfo}.in"
                       "${PROJECT_BINARY_DIR}/metainfo/${metainfo}" @ONLY)
        install(FILES "${PROJECT_BINARY_DIR}/metainfo/${metainfo}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    endforeach()
    # The tract file type both desktop entries open.
    install(FILES "${PROJECT_SOURCE_DIR}/resources/timbra-tract.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
endif()

set(CPACK_PACKAGE_NAME timbra)
set(CPACK_PACKAGE_VENDOR "Timbra developers")
set(CPACK_PACKAGE_CONTACT "Timbra developers <maintainers@timbra.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY timbra)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Timbra (upland) and Lowtimbra (bottomland) judge a southern broadleaf stand\n\
from a tree tally and decide whether it should be managed or regenerated;\n\
timbra-cli does the same without a display.")
# dpkg-shlibdeps (from dpkg-dev) works out the Qt runtime packages the programs need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
