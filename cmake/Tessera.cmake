# Helpers shared by every folder's CMakeLists.txt.

# tessera_library(NAME SOURCES... [DEPS libs...]): a static library of one subsystem, whose
# headers are included as "folder/Unit.h" from src/.
function(tessera_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    message(STATUS "${name}: no sources yet, not built")
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tessera_test(NAME SOURCES... [DEPS libs...] [LABELS labels...] [ENVIRONMENT VAR=value...]):
# one GoogleTest program, registered with CTest test by test.
function(tessera_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS;ENVIRONMENT" ${ARGN})
  if(NOT ARG_SOURCES)
    message(STATUS "${name}: no sources yet, not built")
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    TESSERA_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TESSERA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  include(GoogleTest)
  set(properties)
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# tessera_bench(NAME SOURCES... [DEPS libs...]): one Google Benchmark program.
function(tessera_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
