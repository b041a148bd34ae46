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
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${prefix}"
        PROPERTIES TIMEOUT 300 LABELS ${label} RUN_SERIAL ${serial})
endfunction()
