# Helpers that give every target of the project the same flags and layout.
# Headers are included by their path from the repository root: "platform/text/ansi.h".

set(KV_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wno-missing-field-initializers)
if(KV_WERROR)
    list(APPEND KV_WARNINGS -Werror)
endif()

# kv_library(name SOURCES a.cpp ... DEPS other-lib ...)
function(kv_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${KV_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# kv_executable(name SOURCES a.cpp ... DEPS lib ...)
function(kv_executable name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${KV_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# kv_test(name SOURCES a_test.cpp ... DEPS lib ...): a GoogleTest executable whose cases
# are registered with CTest one by one.
function(kv_test name)
    if(NOT KV_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PROPERTIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${KV_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 300 ${ARG_PROPERTIES})
endfunction()

# kv_benchmark(name SOURCES a_bench.cpp ... DEPS lib ...): not part of the test run.
function(kv_benchmark name)
    if(NOT KV_BUILD_BENCHMARKS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${KV_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
