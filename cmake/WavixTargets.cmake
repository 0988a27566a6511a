# Common settings for every target of the project.

if(WAVIX_FUZZ)
  # Coverage instrumentation and sanitizers for everything the fuzz targets link.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WAVIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Strict warnings for our own code only (Qt's and GoogleTest's headers are system headers).
# They stop the build only with WAVIX_WERROR: a packager's or user's build with another
# compiler or optimisation level must not fail on a warning that compiler adds.
function(wavix_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(WAVIX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports false -Wrestrict positives inside libstdc++'s std::string when
    # optimising (GCC bug 105329); they are not in our code.
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# A static library of the project with strict warnings.
function(wavix_library target)
  add_library(${target} STATIC ${ARGN})
  wavix_warnings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# The environment of every test. gtest_discover_tests hands its PROPERTIES through several
# unquoted list expansions (CMake 3.25), each of which eats one level of escaping, so the
# separators are escaped eight times over; plain ";" would deliver only the first variable.
string(REPEAT "\\" 8 _wavix_escaped)
set(WAVIX_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen${_wavix_escaped};WAVIX_BUILD_DIR=${PROJECT_BINARY_DIR}${_wavix_escaped};WAVIX_SOURCE_DIR=${PROJECT_SOURCE_DIR}")

# A GoogleTest executable registered with CTest. Tests run with the offscreen Qt platform so
# that widget tests need no display. The test's main() comes from GoogleTest; a test that
# needs a Qt application object links wavix_qt_test_main instead (see wavix_qt_test).
function(wavix_test target)
  add_executable(${target} ${ARGN})
  wavix_warnings(${target})
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gmock)
  target_link_libraries(${target} PRIVATE GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${WAVIX_TEST_ENVIRONMENT}")
endfunction()

# A GoogleTest executable whose main() first creates a QApplication (widgets, timers and
# the event loop are available to every test).
function(wavix_qt_test target)
  add_executable(${target} ${ARGN})
  wavix_warnings(${target})
  target_link_libraries(${target} PRIVATE wavix_qt_test_main GTest::gtest GTest::gmock)
  include(GoogleTest)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${WAVIX_TEST_ENVIRONMENT}")
endfunction()
