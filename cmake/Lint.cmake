# `lint`: the style check (clang-format, no changes made) and clang-tidy with the
# bugprone and performance checks over the project's own sources.
find_program(CLANG_FORMAT_EXE NAMES clang-format clang-format-14)
find_program(CLANG_TIDY_EXE NAMES clang-tidy clang-tidy-14)
file(GLOB_RECURSE VELMORA_LINT_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/core/*.cpp ${PROJECT_SOURCE_DIR}/core/*.h
  ${PROJECT_SOURCE_DIR}/cli/*.cpp ${PROJECT_SOURCE_DIR}/cli/*.h
  ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
  ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h
  ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
file(GLOB_RECURSE VELMORA_TIDY_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/core/*.cpp ${PROJECT_SOURCE_DIR}/cli/*.cpp)
set(lint_commands)
if(CLANG_FORMAT_EXE)
  list(APPEND lint_commands COMMAND ${CLANG_FORMAT_EXE} --dry-run --Werror ${VELMORA_LINT_SOURCES})
endif()
if(CLANG_TIDY_EXE)
  list(APPEND lint_commands COMMAND ${CLANG_TIDY_EXE} -p ${PROJECT_BINARY_DIR} --quiet ${VELMORA_TIDY_SOURCES})
endif()
add_custom_target(lint ${lint_commands}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "clang-format check and clang-tidy (bugprone, performance)"
  VERBATIM)
