# Installing: the program, its data folder under share/, and what a desktop
# needs to list and show it (desktop entry, icons, AppStream metainfo).
include(GNUInstallDirs)

set(NIBBET_APP_ID org.nibbetsimulator.NibbetSimulator)
# The program names its desktop entry, so Wayland shows the entry's icon.
target_compile_definitions(nibbet-simulator PRIVATE NIBBET_APP_ID="${NIBBET_APP_ID}")
set(NIBBET_SCREENSHOT_URL "https://nibbetsimulator.example/screenshots/device.png"
    CACHE STRING "Where software centres fetch the screenshot the metainfo names")

# The program finds its data relative to itself, so a prefix can move; only
# an absolute folder is kept as it is.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}")
  set(installed_data ${CMAKE_INSTALL_FULL_DATADIR}/nibbet-simulator)
else()
  file(RELATIVE_PATH installed_data /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${CMAKE_INSTALL_DATADIR}/nibbet-simulator)
endif()
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/shell/program_location.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS NIBBET_INSTALLED_PROGRAM_FOLDER="${installed_data}")

# The icon in the hicolor theme's sizes, drawn from the built program folder.
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_STAMP ${CMAKE_BINARY_DIR}/icons.stamp)
set(ICON_FILES)
foreach(size 16 32 48 64 128 256)
  list(APPEND ICON_FILES ${ICON_DIR}/${size}x${size}/apps/${NIBBET_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${ICON_STAMP}
  BYPRODUCTS ${ICON_FILES}
  COMMAND ${DEBIAN_PYTHON} ${CMAKE_SOURCE_DIR}/tools/gen_icons.py
          --program ${PROGRAM_DIR} --out ${ICON_DIR} --name ${NIBBET_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${ICON_STAMP}
  DEPENDS ${DATA_OUTPUTS} ${CMAKE_SOURCE_DIR}/tools/gen_icons.py
  COMMENT "Drawing the application icon")
add_custom_target(app-icons ALL DEPENDS ${ICON_STAMP})
add_dependencies(app-icons program-data)
# Building just the program (scripts/run) leaves everything to install.
if(TARGET nibbet-simulator)
  add_dependencies(nibbet-simulator app-icons)
endif()

set(METAINFO ${CMAKE_BINARY_DIR}/packaging/${NIBBET_APP_ID}.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/packaging/${NIBBET_APP_ID}.metainfo.xml.in ${METAINFO} @ONLY)

if(TARGET nibbet-simulator)
  install(TARGETS nibbet-simulator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The program itself lives in bin/, not twice; a generator's half-written
# file is no data.
install(DIRECTORY ${PROGRAM_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/nibbet-simulator
        PATTERN nibbet-simulator EXCLUDE
        PATTERN "*.tmp" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${NIBBET_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
install(FILES ${METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
