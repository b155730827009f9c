# Fails when any C++ source under the project's own folders is not clang-formatted.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/plan/*.cpp ${SOURCE_DIR}/plan/*.h
  ${SOURCE_DIR}/planfile/*.cpp ${SOURCE_DIR}/planfile/*.h
  ${SOURCE_DIR}/render/*.cpp ${SOURCE_DIR}/render/*.h
  ${SOURCE_DIR}/dialog/*.cpp ${SOURCE_DIR}/dialog/*.h
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h
  ${SOURCE_DIR}/res/*.cpp ${SOURCE_DIR}/res/*.h
  ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
  ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h
  ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/fuzz/*.h)
if(NOT sources)
  return()
endif()
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "clang-format: these sources need formatting (run clang-format -i):\n${err}")
endif()
