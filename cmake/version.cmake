# The version lives in project() alone; the programs read it from this header.
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${CMAKE_BINARY_DIR}/generated/dusk_version.h @ONLY)
set_source_files_properties(${CMAKE_SOURCE_DIR}/launcher/player_options.cpp PROPERTIES
  INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/generated)
