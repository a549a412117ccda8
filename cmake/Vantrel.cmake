# Build helpers shared by every subsystem folder.

# vt_test(<target> LABEL <label> SOURCES <files...> [LIBS <libs...>] [GUI_MAIN | OWN_MAIN])
# One GoogleTest executable; every test in it becomes a CTest test carrying the label.
# Every test binary links the test kit (testing/); its main() runs child-process bodies too.
# GUI_MAIN: main() makes the GUI application first (platform/gui/testing/GuiTestMain.cpp).
# OWN_MAIN: the sources bring main().
# A test target compiles only its own folder's sources: test support shared between folders is a
# library (<folder>/testing/), never another folder's tests/ files.
# Each test runs with a C.UTF-8 language, UTC and the offscreen Qt platform; tests that need
# another zone, language or data root set it themselves.
function(vt_test name)
  cmake_parse_arguments(T "OWN_MAIN;GUI_MAIN" "LABEL" "SOURCES;LIBS" ${ARGN})
  foreach(source ${T_SOURCES})
    get_filename_component(source ${source} ABSOLUTE)
    string(FIND "${source}" "${CMAKE_CURRENT_SOURCE_DIR}/" at)
    if(source MATCHES "/tests/" AND NOT at EQUAL 0)
      message(FATAL_ERROR "${name} compiles ${source}, another folder's test source; "
                          "shared test support goes into that folder's testing/ library")
    endif()
  endforeach()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} vttesting GTest::gtest Threads::Threads)
  if(T_GUI_MAIN)
    target_link_libraries(${name} PRIVATE vtgui_testing_main)
  elseif(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE vttesting_main)
  endif()
  # Tests may include anything of the tree (their own support headers among them).
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE VT_SOURCE_ROOT="${PROJECT_SOURCE_DIR}"
                                             VT_BINARY_ROOT="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${T_LABEL}"
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;TZ=UTC")
endfunction()

# vt_export_library(<target>): a shipped shared library exports only what is marked VT_EXPORT
# (see platform/base/Export.h); everything else stays hidden.
function(vt_export_library name)
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                           VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# vt_library_headers(<target> <folder>): the target exposes only its own folder's headers, still
# included as "<folder>/File.h": a folder of the build tree holds one link to the source folder and is
# the target's public include directory. A library that includes another's headers must link it.
function(vt_library_headers name folder)
  set_property(GLOBAL APPEND PROPERTY VT_LIBRARY_FOLDERS "${name}=${folder}")
  set(base ${PROJECT_BINARY_DIR}/include/${name})
  get_filename_component(parent ${base}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${base}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${base}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${name} PUBLIC ${base})
endfunction()

# The library links by folder, for the layer check (tools/checks/check_layers.py): when the tree is
# configured, layer-links.txt in the build folder gets one line per library folder (every target
# that vt_library_headers gave a folder; test-support folders, <folder>/testing, left out) with the
# library folders its targets link directly, PUBLIC or PRIVATE. An INTERFACE target without a
# folder (vtgui_qt) stands for what it links. A new library is covered without further ado.
function(vt_link_folders target out)
  get_property(pairs GLOBAL PROPERTY VT_LIBRARY_FOLDERS)
  foreach(pair ${pairs})
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 name)
    if(name STREQUAL target)
      list(GET pair 1 folder)
      set(${out} ${folder} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

function(vt_linked_folders target out)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(linked ${target} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(linked ${target} LINK_LIBRARIES)
  endif()
  set(folders)
  foreach(item IN LISTS linked)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
    if(NOT TARGET ${item})
      continue()
    endif()
    vt_link_folders(${item} folder)
    if(folder)
      list(APPEND folders ${folder})
    else()
      get_target_property(item_type ${item} TYPE)
      if(item_type STREQUAL "INTERFACE_LIBRARY")
        vt_linked_folders(${item} through)
        list(APPEND folders ${through})
      endif()
    endif()
  endforeach()
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

function(vt_write_layer_links)
  get_property(pairs GLOBAL PROPERTY VT_LIBRARY_FOLDERS)
  set(by_folder)
  foreach(pair ${pairs})
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 folder)
    if(folder MATCHES "(^|/)testing$")
      continue()
    endif()
    string(MAKE_C_IDENTIFIER "${folder}" key)
    vt_linked_folders(${name} linked)
    list(APPEND VT_LINKS_${key} ${linked})
    list(APPEND by_folder ${folder})
  endforeach()
  list(REMOVE_DUPLICATES by_folder)
  list(SORT by_folder)
  set(text "# Library folders and the library folders their targets link (written by CMake).\n")
  foreach(folder ${by_folder})
    string(MAKE_C_IDENTIFIER "${folder}" key)
    set(linked ${VT_LINKS_${key}})
    if(linked)
      list(REMOVE_DUPLICATES linked)
      list(REMOVE_ITEM linked ${folder})
      list(SORT linked)
    endif()
    string(REPLACE ";" " " linked "${linked}")
    string(APPEND text "${folder}: ${linked}\n")
  endforeach()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/layer-links.txt CONTENT "${text}" @ONLY)
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL vt_write_layer_links)

# vt_bench(<target> SOURCES <files...> [LIBS <libs...>])
# One benchmark executable: it may include anything of the tree and links the benchmark kit
# (bench/kit: best-of-N timer, work folder, report lines with target and verdict).
function(vt_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} vtbenchkit)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
