# Test registration shared by both flavours.
#
# qk_add_gtest(NAME SOURCES ... LIBS ... [PREFIX p.] [PROPERTIES ...]) builds one
# GoogleTest program. Natively it runs directly; in the Windows build it runs
# under Wine, inside the WINE fixture that keeps one wineserver alive for the
# whole ctest run. PREFIX goes before every test name; PROPERTIES are added to
# every test of the program (they may replace the default TIMEOUT).
include(GoogleTest)

set(QK_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine")
set(QK_WINE_ENV
  "WINEPREFIX=${QK_WINE_PREFIX}" "WINEARCH=win64" "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml=")

if(WIN32)
  # Every Windows program of the build (tests, test discovery) runs through
  # wine-exec, which sets the prefix and the Wine environment itself: ctest's
  # per-test ENVIRONMENT does not reach test discovery.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-exec;${QK_WINE_PREFIX}")
  add_test(NAME wine.up COMMAND sh "${CMAKE_SOURCE_DIR}/scripts/wine-up" "${QK_WINE_PREFIX}")
  add_test(NAME wine.down COMMAND sh -c "wineserver -k; true")
  set_tests_properties(wine.up PROPERTIES FIXTURES_SETUP WINE ENVIRONMENT "${QK_WINE_ENV}" TIMEOUT 180)
  set_tests_properties(wine.down PROPERTIES FIXTURES_CLEANUP WINE ENVIRONMENT "${QK_WINE_ENV}")
endif()

function(qk_add_gtest name)
  cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  if(WIN32)
    gtest_discover_tests(${name} TEST_PREFIX "${ARG_PREFIX}"
      DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES FIXTURES_REQUIRED WINE TIMEOUT 120 ${ARG_PROPERTIES})
  else()
    gtest_discover_tests(${name} TEST_PREFIX "${ARG_PREFIX}" DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120 ${ARG_PROPERTIES})
  endif()
endfunction()
