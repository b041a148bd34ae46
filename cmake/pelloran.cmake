# Helpers that keep each folder's build description to one line.

set(PELLORAN_OBJECT_LIBRARIES "" CACHE INTERNAL "")

# An object library made of every .cpp file of one source folder (main.cpp excepted: it
# belongs to the game executable alone, so tests can link everything else).
function(pelloran_add_folder target folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(${target} OBJECT ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARGN})
    set(PELLORAN_OBJECT_LIBRARIES ${PELLORAN_OBJECT_LIBRARIES} ${target} CACHE INTERNAL "")
endfunction()

# Test code is compiled for speed of building: GoogleTest's headers are parsed once, into the
# precompiled header of the test support library that every test target reuses, and the test
# files themselves (not the game code they test, which keeps the build type's flags) get light
# optimisation and line tables only. The sanitizers watch the game's code, not the tests': the
# test files go uninstrumented, which halves their share of the sanitizer build.
function(pelloran_test_target_options target)
    if(target STREQUAL "pelloran_test_support")
        target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
    else()
        target_precompile_headers(${target} REUSE_FROM pelloran_test_support)
    endif()
    target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo,Release>:-O1> -g1)
    if(PELLORAN_SANITIZE)
        target_compile_options(${target} PRIVATE -fno-sanitize=all)
    endif()
endfunction()

# One GoogleTest executable per test folder, every test registered with CTest under the given
# label; an optional fourth argument prefixes every test's name ("presentation." selects a
# family with one `ctest -R`).
function(pelloran_add_test_folder target folder label)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*_test.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE pelloran_test_support GTest::gtest GTest::gmock)
    pelloran_test_target_options(${target})
    set(prefix "")
    if(ARGC GREATER 3)
        set(prefix ${ARGV3})
    endif()
    # Tests on a real X server run alone: while other tests load the machine, late pointer events
    # from the server can move the game's pointer between a script's steps.
    set(serial FALSE)
    if(label STREQUAL "xvfb")
        set(serial TRUE)
    endif()
    math(EXPR timeout "300 * ${PELLORAN_TEST_TIME_SCALE}")
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${prefix}"
        PROPERTIES TIMEOUT ${timeout} LABELS ${label} RUN_SERIAL ${serial})
endfunction()
