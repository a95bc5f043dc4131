# `lint`: the style check (clang-format, no changes made) and clang-tidy with the
# bugprone and performance checks and the naming rules (.clang-tidy) over the project's own
# sources in core, gui and cli; a name against the rules fails the target. The style check is
# also the test `clang_format`, so that every test run (CI included) enforces it; clang-tidy
# is too slow for the suite (about 25 minutes for one process on two cores), so it runs here
# only, a file a process, VELMORA_LINT_JOBS at once.
find_program(CLANG_FORMAT_EXE NAMES clang-format clang-format-14)
find_program(CLANG_TIDY_EXE NAMES clang-tidy clang-tidy-14)
find_program(RUN_CLANG_TIDY_EXE NAMES run-clang-tidy run-clang-tidy-14)
set(VELMORA_LINT_JOBS 2 CACHE STRING "How many clang-tidy processes the lint target runs at once")
file(GLOB_RECURSE VELMORA_TIDY_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/core/*.cpp ${PROJECT_SOURCE_DIR}/gui/*.cpp ${PROJECT_SOURCE_DIR}/cli/*.cpp)
set(VELMORA_FORMAT_CHECK sh ${PROJECT_SOURCE_DIR}/cmake/check-format.sh ${PROJECT_SOURCE_DIR})
if(CLANG_FORMAT_EXE)
  list(APPEND VELMORA_FORMAT_CHECK ${CLANG_FORMAT_EXE})
endif()

set(lint_commands)
if(CLANG_FORMAT_EXE)
  list(APPEND lint_commands COMMAND ${VELMORA_FORMAT_CHECK})
endif()
# A process a file: a single clang-tidy over every file misread the files after a header
# edited while it ran (namespaces left open), and takes one core only.
if(CLANG_TIDY_EXE AND RUN_CLANG_TIDY_EXE)
  list(APPEND lint_commands COMMAND ${RUN_CLANG_TIDY_EXE} -clang-tidy-binary ${CLANG_TIDY_EXE}
       -p ${PROJECT_BINARY_DIR} -j ${VELMORA_LINT_JOBS} -quiet
       "^${PROJECT_SOURCE_DIR}/(core|gui|cli)/.*\\.cpp$")
elseif(CLANG_TIDY_EXE)
  list(APPEND lint_commands COMMAND ${CLANG_TIDY_EXE} -p ${PROJECT_BINARY_DIR} --quiet ${VELMORA_TIDY_SOURCES})
endif()
add_custom_target(lint ${lint_commands}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "clang-format check and clang-tidy (bugprone, performance, naming)"
  VERBATIM)

if(VELMORA_BUILD_TESTS)
  add_test(NAME clang_format COMMAND ${VELMORA_FORMAT_CHECK})
  set_tests_properties(clang_format PROPERTIES SKIP_RETURN_CODE 77)
endif()
