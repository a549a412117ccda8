# Build helpers shared by every subsystem folder.

# vt_test(<target> LABEL <label> SOURCES <files...> [LIBS <libs...>] [OWN_MAIN])
# One GoogleTest executable; every test in it becomes a CTest test carrying the label.
# Every test binary links the test kit (testing/); its main() runs child-process bodies too.
# OWN_MAIN: the sources bring main() (a Qt application object, ...).
# Each test runs with a C.UTF-8 language, UTC and the offscreen Qt platform; tests that need
# another zone, language or data root set it themselves.
function(vt_test name)
  cmake_parse_arguments(T "OWN_MAIN" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} vttesting GTest::gtest Threads::Threads)
  if(NOT T_OWN_MAIN)
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
  set(base ${PROJECT_BINARY_DIR}/include/${name})
  get_filename_component(parent ${base}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${base}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${base}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${name} PUBLIC ${base})
endfunction()

# vt_bench(<target> SOURCES <files...> [LIBS <libs...>])
# One benchmark executable: it may include anything of the tree and links the benchmark kit
# (bench/kit: best-of-N timer, work folder, report lines with target and verdict).
function(vt_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} vtbenchkit)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
