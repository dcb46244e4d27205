# dusk_windows_resources(TARGET DESCRIPTION): links a program's manifest,
# version information and icon into it, as Explorer and the taskbar read
# them. The version is the project's; the icon is the one make-data draws,
# written before the Windows builds (the Makefile's windows-build does it).
set(DUSK_ICON "" CACHE FILEPATH "the programs' .ico, from make-data --icon")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(DUSK_MANIFEST_ARCH amd64)
else()
  set(DUSK_MANIFEST_ARCH x86)
endif()
if(DUSK_ICON AND NOT EXISTS "${DUSK_ICON}")
  message(FATAL_ERROR "DUSK_ICON names ${DUSK_ICON}, which does not exist (make-data --icon writes it)")
elseif(NOT DUSK_ICON)
  message(WARNING "no DUSK_ICON: the programs get no icon of their own (make windows gives them one)")
endif()

function(dusk_windows_resources target description)
  set(DUSK_RESOURCE_NAME ${target})
  set(DUSK_RESOURCE_FILE ${target}.exe)
  set(DUSK_RESOURCE_DESCRIPTION "${description}")
  set(DUSK_MANIFEST_NAME "duskwheel.${target}")
  set(folder ${CMAKE_BINARY_DIR}/resources/${target})
  set(DUSK_MANIFEST_FILE ${folder}/program.manifest)
  set(DUSK_ICON_LINE "")
  if(DUSK_ICON)
    set(DUSK_ICON_LINE "1 ICON \"${DUSK_ICON}\"")
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/backends/win32/resources/program.manifest.in ${DUSK_MANIFEST_FILE} @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/backends/win32/resources/program.rc.in ${folder}/program.rc @ONLY)
  set_source_files_properties(${folder}/program.rc PROPERTIES
    OBJECT_DEPENDS "${DUSK_MANIFEST_FILE};${DUSK_ICON}")
  target_sources(${target} PRIVATE ${folder}/program.rc)
endfunction()
