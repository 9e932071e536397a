# Generates the program folder's data tree from the text sources in data/.
# The generator names its inputs and outputs itself, so every generated file
# is an output of the build: a deleted one is made again, and an edited
# source remakes only what changed.
find_program(DEBIAN_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT DEBIAN_PYTHON)
  find_program(DEBIAN_PYTHON NAMES python3 REQUIRED)
endif()

set(GEN_DATA ${CMAKE_SOURCE_DIR}/tools/gen_data.py)
function(list_from_generator option out)
  execute_process(COMMAND ${DEBIAN_PYTHON} ${GEN_DATA} ${option} ${ARGN}
                  OUTPUT_VARIABLE text RESULT_VARIABLE result
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "tools/gen_data.py ${option} failed")
  endif()
  string(STRIP "${text}" text)
  string(REPLACE "\n" ";" text "${text}")
  set(${out} ${text} PARENT_SCOPE)
endfunction()
list_from_generator(--list-inputs DATA_INPUTS)
list_from_generator(--list-outputs DATA_OUTPUTS --out ${PROGRAM_DIR})

# A source added, removed or renamed changes the lists: their folders'
# times send the build back through this file.
set(DATA_FOLDERS)
foreach(input ${DATA_INPUTS})
  get_filename_component(folder ${input} DIRECTORY)
  list(APPEND DATA_FOLDERS ${folder})
endforeach()
list(REMOVE_DUPLICATES DATA_FOLDERS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DATA_FOLDERS})

add_custom_command(
  OUTPUT ${DATA_OUTPUTS}
  COMMAND ${DEBIAN_PYTHON} ${GEN_DATA} --out ${PROGRAM_DIR}
  DEPENDS ${DATA_INPUTS}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Generating the program folder's pictures and sounds")
add_custom_target(program-data ALL DEPENDS ${DATA_OUTPUTS})
add_dependencies(nibbet-simulator program-data)
