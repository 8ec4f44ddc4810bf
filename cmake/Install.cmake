# Installation and the Debian package.
#   cmake --install build            installs the programs, their menu entries and icons
#   cpack --config build/CPackConfig.cmake -G DEB  (or: cmake --build build --target package)
include(GNUInstallDirs)
install(TARGETS timbra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TIMBRA_BUILD_GUI)
    install(TARGETS timbra lowtimbra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    foreach(program timbra lowtimbra)
        install(FILES "${PROJECT_SOURCE_DIR}/resources/${program}/${program}.desktop"
                DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES "${PROJECT_SOURCE_DIR}/resources/${program}/${program}.svg"
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    endforeach()
endif()

set(CPACK_PACKAGE_NAME timbra)
set(CPACK_PACKAGE_VENDOR "Timbra developers")
set(CPACK_PACKAGE_CONTACT "Timbra developers <timbra@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY timbra)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Timbra (upland) and Lowtimbra (bottomland) judge a southern broadleaf stand from a tree tally\n\
and decide whether it should be managed or regenerated; timbra-cli does the same without a display.")
# dpkg-shlibdeps (from dpkg-dev) works out the Qt runtime packages the programs need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
