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

# tavelcor_add_test(<name> SOURCES ... [LIBS ...] [GUI] [QT_NETWORK]
#                   [TIMEOUT seconds] [SUITES pattern ...])
#
# One GoogleTest executable, registered with CTest as ONE test that runs the
# whole program in one process, its cases in a shuffled order: starting a
# process per case costs far more than most cases, and a shuffled run shows
# a case that leans on state another case left behind. GoogleTest prints the
# seed of the order ("Randomizing tests' orders with a seed of N"); the same
# order again: GTEST_RANDOM_SEED=N ctest -R <name>.
#
# TIMEOUT: the time the whole program may take; 60 seconds unless the caller
# gives more and says why (four times that in the sanitizer build).
# SUITES: a program much longer than the others would run alone at the end of
# a `ctest -j` run; each pattern (a --gtest_filter, e.g. "KeypadOnX11.*")
# then becomes a test of its own, <name>/<n>, and one more test, <name>/rest,
# runs every case no pattern names, so each case still runs once.
#
# GUI tests get a QApplication on the offscreen platform; pure-logic tests get
# a plain QCoreApplication.
set(TAVELCOR_TEST_TIMEOUT 60 CACHE STRING "Default time-out of one test program, in seconds")
function(tavelcor_add_test name)
  cmake_parse_arguments(T "GUI;QT_NETWORK" "TIMEOUT" "SOURCES;LIBS;SUITES" ${ARGN})
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
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${TAVELCOR_TEST_TIMEOUT})
  endif()
  if(TAVELCOR_SANITIZE)
    # The instrumented build runs the same cases about three times slower.
    math(EXPR T_TIMEOUT "${T_TIMEOUT} * 4")
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen")
  set(modifications "QT_LOGGING_RULES=set:*.debug=false")
  if(T_QT_NETWORK AND TAVELCOR_SANITIZE)
    # Qt's network thread, when a request was abandoned at its time-out, can
    # still hold its objects as the process ends, and the leak check then
    # fails a test that passed. The address and undefined-behaviour checks
    # stay on for these tests; only the check for leaks at exit is left out.
    list(APPEND modifications
         "ASAN_OPTIONS=set:detect_leaks=0:detect_stack_use_after_return=1:check_initialization_order=1")
  endif()

  set(tests "")
  if(T_SUITES)
    set(index 0)
    foreach(pattern IN LISTS T_SUITES)
      math(EXPR index "${index} + 1")
      add_test(NAME ${name}/${index} COMMAND ${name} --gtest_shuffle "--gtest_filter=${pattern}")
      list(APPEND tests ${name}/${index})
    endforeach()
    list(JOIN T_SUITES ":" named)
    add_test(NAME ${name}/rest COMMAND ${name} --gtest_shuffle "--gtest_filter=-${named}")
    list(APPEND tests ${name}/rest)
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_shuffle)
    list(APPEND tests ${name})
  endif()
  set_tests_properties(${tests} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${environment}"
    ENVIRONMENT_MODIFICATION "${modifications}")
endfunction()

# Logic libraries use at most QtCore (and QtNetwork): linking Qt Gui or
# Widgets, directly or through another library, is a configuration error.
# The check runs once every folder has been added.
set(TAVELCOR_PURE_LOGIC_TARGETS
    geodesy main_site main_survey main_edit main_interact_core gps_core tools_ransko platform_text platform_prompt
    platform_system platform_net
    platform_link platform_serial platform_workbook
    CACHE INTERNAL "Libraries that must not link Qt Gui or Widgets")
set(TAVELCOR_FORBIDDEN_IN_LOGIC Qt6::Gui Qt6::Widgets
    CACHE INTERNAL "What logic libraries must not link")

# Every target that `target` links, directly or through others, in `out`.
function(_tavelcor_link_closure target out)
  set(seen "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(NOT TARGET ${current} OR current IN_LIST seen)
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(iface ${current} INTERFACE_LINK_LIBRARIES)
    if(iface)
      list(APPEND links ${iface})
    endif()
    foreach(item IN LISTS links)
      # Private links of static libraries appear as $<LINK_ONLY:name>; links
      # made from another folder carry a "::@(folder)" mark.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      string(REGEX REPLACE "::@\\(.*\\)$" "" item "${item}")
      if(TARGET ${item})
        list(APPEND pending ${item})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(tavelcor_check_pure_logic)
  foreach(target IN LISTS TAVELCOR_PURE_LOGIC_TARGETS)
    if(NOT TARGET ${target})
      continue()
    endif()
    _tavelcor_link_closure(${target} closure)
    foreach(forbidden IN LISTS TAVELCOR_FORBIDDEN_IN_LOGIC)
      if(TARGET ${forbidden})
        get_target_property(real ${forbidden} ALIASED_TARGET)
        if(NOT real)
          set(real ${forbidden})
        endif()
        if(real IN_LIST closure)
          message(SEND_ERROR "${target} is a logic library and must not link ${forbidden} "
                             "(it links: ${closure})")
        endif()
      endif()
    endforeach()
  endforeach()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tavelcor_check_pure_logic)

