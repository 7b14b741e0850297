# Regenerates the data set into WORK_DIR and fails unless every file equals the committed one in
# SOURCE_DIR/data, and data/ holds nothing generated-looking that the generator no longer makes.
# Folders inside data/ (the desktop icons) are compared file by file too.
#   cmake -DDATAGEN=... -DSOURCE_DIR=... -DWORK_DIR=... -P CompareData.cmake

cmake_minimum_required(VERSION 3.16)

foreach(var DATAGEN SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CompareData.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${DATAGEN}" "${WORK_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${DATAGEN} failed: ${result}")
endif()

file(GLOB_RECURSE generated RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
list(LENGTH generated count)
if(count EQUAL 0)
  message(FATAL_ERROR "the generator wrote nothing into ${WORK_DIR}")
endif()

set(problems "")
foreach(name IN LISTS generated)
  if(NOT EXISTS "${SOURCE_DIR}/data/${name}")
    string(APPEND problems "  data/${name} is missing: run groundline_datagen data\n")
    continue()
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/${name}"
                          "${SOURCE_DIR}/data/${name}" RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    string(APPEND problems "  data/${name} differs from what the generator makes\n")
  endif()
endforeach()

# strings.txt and the levels' overlays of it are the only hand-written files in data/; anything
# else must come from the generator.
set(hand_written strings.txt easy.txt normal.txt hard.txt)
file(GLOB_RECURSE committed RELATIVE "${SOURCE_DIR}/data" "${SOURCE_DIR}/data/*")
foreach(name IN LISTS committed)
  if(NOT name IN_LIST hand_written AND NOT name IN_LIST generated)
    string(APPEND problems "  data/${name} is no longer generated: remove it\n")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "the committed data set is out of date:\n${problems}")
endif()
message(STATUS "${count} generated files match data/")
