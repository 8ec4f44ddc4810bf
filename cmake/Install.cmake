# Installation and the Debian package.
include(GNUInstallDirs)
install(TARGETS timbra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TIMBRA_BUILD_GUI)
    install(TARGETS timbra lowtimbra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
