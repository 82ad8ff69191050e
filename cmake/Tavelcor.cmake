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

# Logic libraries use at most QtCore (and QtNetwork): linking Qt Gui or
# Widgets, directly or through another library, is a configuration error.
# The check runs once every folder has been added.
set(TAVELCOR_PURE_LOGIC_TARGETS
    geodesy main_site main_survey main_edit gps_core tools_ransko platform_text platform_prompt platform_system platform_net
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
