# cmake --install: the programs in bin/, the Data folder that make-data wrote
# in share/duskwheel/Data, where the installed program looks when the working
# directory has none. make package turns the same into a Debian package.
include(GNUInstallDirs)
install(TARGETS duskwheel duskwheel-capture RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/Data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/duskwheel/Data
  PATTERN .made EXCLUDE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME duskwheel)
set(CPACK_PACKAGE_VENDOR "duskwheel")
set(CPACK_PACKAGE_CONTACT "duskwheel developers <duskwheel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "a 92-second real-time OpenGL demo with its music")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "duskwheel is a fixed audiovisual show of 92 seconds drawn with OpenGL\n in step with its music and that music's spectrum, started from a small\n settings launcher or straight from the command line (duskwheel --play).\n duskwheel-capture renders it offline to pictures or a video.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs really link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
