# Helpers shared by every folder's CMakeLists.txt.

set(VELKA_SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR})

# velka_test(NAME SOURCES ... LIBS ... [QT])
# One GoogleTest executable registered with CTest. Every test gets its own
# VELKA_TA_HOME and runtime folder so runs never share a registry store.
function(velka_test name)
  cmake_parse_arguments(T "QT" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock velka_test_support)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VELKA_TA_TEST_BIN_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# velka_fuzzer(NAME SOURCES ... LIBS ...)
# A fuzz target defines LLVMFuzzerTestOneInput; its seed corpus (real
# replies, listings, files) lives in corpus/NAME/ next to its source. With
# VELKA_LIBFUZZER it is a libFuzzer binary (the libraries under test carry
# the coverage instrumentation, see CMakeLists.txt); otherwise a small driver
# replays the corpus and feeds it random and mutated inputs, so the same
# target runs as a CTest case in every build.
add_custom_target(velka_fuzzers)
function(velka_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  if(NOT IS_DIRECTORY ${corpus})
    message(AUTHOR_WARNING "fuzz target ${name}: add a few real inputs as its seed corpus in ${corpus}/")
    set(corpus "")
  endif()
  if(VELKA_LIBFUZZER)
    add_executable(${name} ${F_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${F_SOURCES} ${VELKA_SOURCE_DIR}/tests/support/fuzz_driver.cpp)
    add_test(NAME ${name} COMMAND ${name} 20000 ${corpus})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  add_dependencies(velka_fuzzers ${name})
endfunction()

# velka_bench(NAME SOURCES ... LIBS ...)
function(velka_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()

# velka_shared_library(TARGET OUTPUT_NAME SOURCES ...)
# Shared libraries carry a distinctive file name (libvelka-<name>.so) and
# export only what is marked with their export macro.
function(velka_shared_library target output)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output})
  string(TOUPPER ${target} upper)
  target_compile_definitions(${target} PRIVATE ${upper}_BUILDING=1)
endfunction()
