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

# ---- Precompiled headers
#
# Most of the build's time goes into reading the same Qt (and, in the tests,
# GoogleTest) headers again for every source file. Each library, program and
# test is compiled with one of a few precompiled headers, each built once and
# reused by every target of its kind:
#   core   Qt Core (the logic libraries and whatever uses no widgets)
#   gui    Qt Core, Gui and Widgets
# and in tests/ (compiled with the tests' own options) the same two with
# GoogleTest, held by test_support_core and test_support_gui.
# A target takes the headers of the libraries whose headers it may include:
# a logic library never sees a widget header through them. TAVELCOR_PCH=OFF
# (CMakeLists.txt) compiles without them.

set(TAVELCOR_PCH_CORE_HEADERS
    <QByteArray> <QDateTime> <QDebug> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject>
    <QString> <QStringList> <QStringView> <QTimer> <QVariant>
    <algorithm> <array> <functional> <map> <memory> <optional> <string> <utility> <vector>)
set(TAVELCOR_PCH_GUI_HEADERS
    ${TAVELCOR_PCH_CORE_HEADERS}
    <QApplication> <QColor> <QFont> <QImage> <QPainter> <QPointer> <QWidget>)
set(TAVELCOR_PCH_TEST_HEADERS <QCoreApplication> <QTemporaryDir> <gtest/gtest.h>)

# Every target that `target` may include headers of: its own links, and
# through them what each passes on to its users ($<LINK_ONLY:...> links of
# static libraries pass on nothing to include).
function(_tavelcor_usage_closure target out)
  set(seen "")
  get_target_property(pending ${target} LINK_LIBRARIES)
  if(NOT pending)
    set(pending "")
  endif()
  while(pending)
    list(POP_FRONT pending current)
    string(REGEX REPLACE "::@\\(.*\\)$" "" current "${current}")
    if(current MATCHES "^\\$<LINK_ONLY:" OR NOT TARGET ${current} OR current IN_LIST seen)
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    list(APPEND seen ${current})
    get_target_property(iface ${current} INTERFACE_LINK_LIBRARIES)
    if(iface)
      list(APPEND pending ${iface})
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(_tavelcor_real_target name out)
  set(${out} "" PARENT_SCOPE)
  if(TARGET ${name})
    get_target_property(aliased ${name} ALIASED_TARGET)
    if(aliased)
      set(${out} ${aliased} PARENT_SCOPE)
    else()
      set(${out} ${name} PARENT_SCOPE)
    endif()
  endif()
endfunction()

# The targets defined in `dir` and the folders below it.
function(_tavelcor_targets_below dir out)
  get_directory_property(found DIRECTORY ${dir} BUILDSYSTEM_TARGETS)
  get_directory_property(subdirs DIRECTORY ${dir} SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _tavelcor_targets_below(${sub} more)
    list(APPEND found ${more})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(tavelcor_use_precompiled_headers)
  if(NOT TAVELCOR_PCH)
    return()
  endif()
  _tavelcor_real_target(Qt6::Core qt_core)
  _tavelcor_real_target(Qt6::Widgets qt_widgets)
  _tavelcor_real_target(GTest::gtest gtest)

  add_library(tavelcor_pch_core STATIC ${PROJECT_SOURCE_DIR}/cmake/pch_host.cpp)
  target_link_libraries(tavelcor_pch_core PRIVATE Qt6::Core)
  target_precompile_headers(tavelcor_pch_core PRIVATE ${TAVELCOR_PCH_CORE_HEADERS})
  add_library(tavelcor_pch_gui STATIC ${PROJECT_SOURCE_DIR}/cmake/pch_host.cpp)
  target_link_libraries(tavelcor_pch_gui PRIVATE Qt6::Widgets)
  target_precompile_headers(tavelcor_pch_gui PRIVATE ${TAVELCOR_PCH_GUI_HEADERS})
  set_target_properties(tavelcor_pch_core tavelcor_pch_gui PROPERTIES AUTOMOC OFF)

  set(hosts tavelcor_pch_core tavelcor_pch_gui)
  if(TARGET test_support_core AND TARGET test_support_gui)
    target_precompile_headers(test_support_core PRIVATE ${TAVELCOR_PCH_CORE_HEADERS} ${TAVELCOR_PCH_TEST_HEADERS})
    target_precompile_headers(test_support_gui PRIVATE ${TAVELCOR_PCH_GUI_HEADERS} ${TAVELCOR_PCH_TEST_HEADERS})
    list(APPEND hosts test_support_core test_support_gui)
  endif()

  # The libraries, programs and tests; the benchmarks and fuzz targets keep
  # their own flags.
  _tavelcor_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(source_dir ${target} SOURCE_DIR)
    string(FIND "${source_dir}/" "${PROJECT_SOURCE_DIR}/bench/" in_bench)
    string(FIND "${source_dir}/" "${PROJECT_SOURCE_DIR}/fuzz/" in_fuzz)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$" OR target IN_LIST hosts
       OR in_bench EQUAL 0 OR in_fuzz EQUAL 0)
      continue()
    endif()
    _tavelcor_usage_closure(${target} uses)
    if(NOT qt_core IN_LIST uses)
      continue()
    endif()
    set(kind core)
    if(qt_widgets IN_LIST uses)
      set(kind gui)
    endif()
    string(FIND "${source_dir}/" "${PROJECT_SOURCE_DIR}/tests/" in_tests)
    if(in_tests EQUAL 0)
      # The tests' headers hold GoogleTest's: only for targets that use it.
      if(NOT gtest IN_LIST uses)
        continue()
      endif()
      target_precompile_headers(${target} REUSE_FROM test_support_${kind})
    else()
      target_precompile_headers(${target} REUSE_FROM tavelcor_pch_${kind})
    endif()
  endforeach()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tavelcor_use_precompiled_headers)
