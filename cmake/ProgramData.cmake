# Generates the program folder's data tree from the text sources in data/.
find_program(DEBIAN_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT DEBIAN_PYTHON)
  find_program(DEBIAN_PYTHON NAMES python3 REQUIRED)
endif()

set(GEN_DATA ${CMAKE_SOURCE_DIR}/tools/gen_data.py)
file(GLOB_RECURSE DATA_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/data/* ${CMAKE_SOURCE_DIR}/tools/*.py)
set(DATA_STAMP ${CMAKE_BINARY_DIR}/program-data.stamp)
add_custom_command(
  OUTPUT ${DATA_STAMP}
  COMMAND ${DEBIAN_PYTHON} ${GEN_DATA} --out ${PROGRAM_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${DATA_STAMP}
  DEPENDS ${DATA_SOURCES}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Generating the program folder's pictures and sounds")
add_custom_target(program-data ALL DEPENDS ${DATA_STAMP})
if(TARGET nibbet-simulator)
  add_dependencies(nibbet-simulator program-data)
endif()
