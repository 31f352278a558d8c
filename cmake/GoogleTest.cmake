# GoogleTest from Debian's sources, built by the same cross toolchain as the code under test.
set(VARNEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${VARNEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests run under Wine; the environment (prefix, locale, display) comes from scripts/test. No
# ctest entry takes more than a few seconds, ten times that emulated: one that hangs (a dialog
# that never comes or goes, a registration left pending) fails within a minute.
set(VARNEL_TEST_TIMEOUT 60 CACHE STRING "Seconds one ctest entry may run")

# Google Test's report of a run that reached its end without a failure. Under Wine a test
# process that crashes after it has run a thread may still exit with 0, so the exit code alone
# would let a crash pass.
set(VARNEL_TEST_PASSED "\\[  PASSED  \\]")
set(VARNEL_TEST_FAILED "\\[  FAILED  \\]")

# varnel_add_test(name SOURCES ... LIBRARIES ... [ENTRIES entry filter ...]): one executable and
# one ctest entry of its name, or one entry per pair of ENTRIES, each running the Google Test
# filter beside it.
function(varnel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ENTRIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} varnel_test_support varnel_options GTest::gtest)
  if(NOT ARG_ENTRIES)
    set(ARG_ENTRIES ${name} "*")
  endif()
  while(ARG_ENTRIES)
    list(POP_FRONT ARG_ENTRIES entry filter)
    add_test(NAME ${entry} COMMAND ${name} --gtest_color=no --gtest_filter=${filter})
    set_tests_properties(${entry} PROPERTIES TIMEOUT ${VARNEL_TEST_TIMEOUT}
      PASS_REGULAR_EXPRESSION "${VARNEL_TEST_PASSED}" FAIL_REGULAR_EXPRESSION "${VARNEL_TEST_FAILED}")
  endwhile()
endfunction()
