# SPDX-License-Identifier: LicenseRef-Tavelcor
# Build helpers shared by every folder.

# Adds every folder below the given roots that holds a CMakeLists.txt.
function(tavelcor_add_folders)
  foreach(root IN LISTS ARGN)
    file(GLOB_RECURSE lists CONFIGURE_DEPENDS
         RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/${root}/CMakeLists.txt
         ${CMAKE_CURRENT_SOURCE_DIR}/${root}/*/CMakeLists.txt
         ${CMAKE_CURRENT_SOURCE_DIR}/${root}/*/*/CMakeLists.txt)
    list(SORT lists)
    foreach(l IN LISTS lists)
      get_filename_component(dir ${l} DIRECTORY)
      add_subdirectory(${dir})
    endforeach()
  endforeach()
endfunction()

# The published sample files (registry maps, receiver logs, the KML schema)
# lie beside the project, never inside it; tests that read them skip when
# none of these places holds them.
set(TAVELCOR_SHARED_DATA_DIR "")
foreach(candidate "$ENV{TAVELCOR_SHARED_DATA}" "${PROJECT_SOURCE_DIR}/../shared/data" "/work/shared/data")
  if(candidate AND EXISTS "${candidate}/README.md" AND NOT TAVELCOR_SHARED_DATA_DIR)
    get_filename_component(TAVELCOR_SHARED_DATA_DIR "${candidate}" ABSOLUTE)
  endif()
endforeach()
if(NOT TAVELCOR_SHARED_DATA_DIR)
  set(TAVELCOR_SHARED_DATA_DIR "${PROJECT_SOURCE_DIR}/../shared/data")
endif()

# tavelcor_add_test(<name> SOURCES ... [LIBS ...] [GUI])
#
# One GoogleTest executable; each test case becomes its own CTest test so that
# `ctest -j` spreads them over all cores.  GUI tests get a QApplication on the
# offscreen platform; pure-logic tests get a plain QCoreApplication-free main.
function(tavelcor_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE test_support_gui)
  else()
    target_link_libraries(${name} PRIVATE test_support_core)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    TAVELCOR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TAVELCOR_SHARED_DATA="${TAVELCOR_SHARED_DATA_DIR}"
    TAVELCOR_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    TAVELCOR_BUILD_DIR="${PROJECT_BINARY_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests/bin)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=*.debug=false"
               TIMEOUT 600)
endfunction()
