# Helpers shared by every module's CMakeLists.txt.
#
# A module is one folder, with sub-folders by family where it grows: its
# *.cpp files (not those under a tests/ folder) form the module's sources,
# and the *.cpp files of its tests/ folders one GoogleTest binary registered
# with CTest. Files are picked up by glob so that adding a source needs no
# edit of a CMakeLists.txt elsewhere.

set(QV_WARNINGS -Wall -Wextra -Wpedantic -Werror)

# Test binaries are compiled without optimisation and with line tables only,
# in every build type: the code under test keeps the build's own flags, and
# the tests, most of the compile work, build in half the time. GoogleTest's
# header, which every test file includes, is precompiled once a binary.
set(QV_TEST_OPTIONS -O0 -g1)
function(qv_test_target name)
  target_compile_options(${name} PRIVATE ${QV_WARNINGS} ${QV_TEST_OPTIONS})
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h>)
endfunction()

# The *.cpp files below `dir`, split by whether they lie in a tests/ folder
# (judged on the path below `dir`, so the checkout's own path never counts).
function(qv_glob_split dir sources tests)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS RELATIVE "${dir}" "${dir}/*.cpp")
  set(s "")
  set(t "")
  foreach(f ${all})
    if(f MATCHES "(^|/)tests/[^/]*$")
      list(APPEND t "${dir}/${f}")
    elseif(NOT f MATCHES "(^|/)tests/")
      list(APPEND s "${dir}/${f}")
    endif()
  endforeach()
  set(${sources} ${s} PARENT_SCOPE)
  set(${tests} ${t} PARENT_SCOPE)
endfunction()

function(qv_sources out dir)
  qv_glob_split("${dir}" srcs unused)
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# qv_layer(name DEPS a b ... PRIVATE_LIBS x y ... [TESTING f.cpp ... TESTING_LIBS ...])
# A stand-in layer: one shared library named qv<name>, so that the state a
# layer keeps (windows, registry handles) exists once per process even when
# both the control library and a program link it. It is installed with the
# programs. The TESTING sources (servers, fixtures, drivers that tests and
# measurements use) form the static library qv<name>_testing instead, which
# only tests and measurements link; their headers stay beside the layer's.
function(qv_layer name)
  cmake_parse_arguments(A "" "" "DEPS;PRIVATE_LIBS;PRIVATE_INCLUDES;TESTING;TESTING_LIBS" ${ARGN})
  qv_sources(srcs ${CMAKE_CURRENT_SOURCE_DIR})
  list(TRANSFORM A_TESTING PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  foreach(file ${A_TESTING})
    if(NOT file IN_LIST srcs)
      message(FATAL_ERROR "qv_layer(${name}): no source ${file}")
    endif()
  endforeach()
  list(REMOVE_ITEM srcs ${A_TESTING})
  add_library(qv${name} SHARED ${srcs})
  target_include_directories(qv${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_include_directories(qv${name} PRIVATE ${A_PRIVATE_INCLUDES})
  target_compile_options(qv${name} PRIVATE ${QV_WARNINGS})
  target_link_libraries(qv${name} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_LIBS})
  install(TARGETS qv${name} LIBRARY DESTINATION ${QV_INSTALL_LIBDIR})
  if(A_TESTING)
    add_library(qv${name}_testing STATIC ${A_TESTING})
    target_compile_options(qv${name}_testing PRIVATE ${QV_WARNINGS})
    target_link_libraries(qv${name}_testing PUBLIC qv${name} PRIVATE ${A_TESTING_LIBS})
  endif()
endfunction()

# The targets that `targets` link, directly or through others, themselves
# included.
function(qv_link_closure out)
  set(seen "")
  set(todo ${ARGN})
  while(todo)
    list(POP_FRONT todo target)
    if(NOT TARGET ${target} OR target IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${target})
    get_target_property(imported ${target} IMPORTED)
    if(imported)
      continue()
    endif()
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(linked ${target} ${property})
      if(linked)
        # A static library's private links read $<LINK_ONLY:name>.
        list(TRANSFORM linked REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1")
        list(APPEND todo ${linked})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# qv_test_support(target libs ...): a test or measurement program that
# links `libs` gets the test support of every layer they use (the
# qv<layer>_testing libraries), and the files the code under test reads at
# run time, beside the program as beside an installed one.
function(qv_test_support target)
  qv_link_closure(linked ${ARGN})
  foreach(lib ${linked})
    if(TARGET ${lib}_testing)
      target_link_libraries(${target} PRIVATE ${lib}_testing)
    endif()
  endforeach()
  add_dependencies(${target} qv_runtime_data)
endfunction()

# Real-window tests: the *.cpp files of tests/x11/ folders below `dir`
# form one more binary, <name>_x11, that runs on a private X server of its
# own (see platform/win/X11Testing.h). It is registered with CTest as one
# test labelled "x11", so one server serves all its tests.
function(qv_real_window_tests name dir libs)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS RELATIVE "${dir}" "${dir}/*.cpp")
  set(srcs "")
  foreach(f ${all})
    if(f MATCHES "(^|/)tests/x11/[^/]*$")
      list(APPEND srcs "${dir}/${f}")
    endif()
  endforeach()
  if(NOT srcs OR NOT TARGET qvwin_x11main)
    return()
  endif()
  add_executable(${name}_x11 ${srcs} $<TARGET_OBJECTS:qvwin_x11main>)
  qv_test_target(${name}_x11)
  target_include_directories(${name}_x11 PRIVATE ${dir} ${dir}/tests)
  target_link_libraries(${name}_x11 PRIVATE ${libs} qvwin GTest::gtest GTest::gmock)
  qv_test_support(${name}_x11 ${libs} qvwin)
  target_compile_definitions(${name}_x11 PRIVATE QV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name}_x11 COMMAND ${name}_x11)
  set_tests_properties(${name}_x11 PROPERTIES LABELS x11 ENVIRONMENT "QV_BUILD_DIR=${PROJECT_BINARY_DIR}")
endfunction()

# qv_tests(name LIBS a b ... [DIR dir] [RESOURCE_LOCK lock] [LABELS l])
# One GoogleTest binary from DIR/tests/*.cpp (DIR defaults to the current
# source folder), each test registered with CTest.
function(qv_tests name)
  cmake_parse_arguments(A "" "DIR" "LIBS;RESOURCE_LOCK;LABELS" ${ARGN})
  if(NOT A_DIR)
    set(A_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  qv_glob_split("${A_DIR}" unused srcs)
  qv_real_window_tests(${name} "${A_DIR}" "${A_LIBS}")
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  # Unit tests never open windows on a display, whatever DISPLAY says.
  if(TARGET qvwin_headless)
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:qvwin_headless>)
    target_link_libraries(${name} PRIVATE qvwin)
  endif()
  qv_test_target(${name})
  target_include_directories(${name} PRIVATE ${A_DIR} ${A_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  qv_test_support(${name} ${A_LIBS} qvwin)
  # Where the tests find the repository's files and write what they render.
  # ENVIRONMENT holds a single entry: the discovery script would split a list.
  target_compile_definitions(${name} PRIVATE QV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set(props ENVIRONMENT "QV_BUILD_DIR=${PROJECT_BINARY_DIR}")
  if(A_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK ${A_RESOURCE_LOCK})
  endif()
  if(A_LABELS)
    list(APPEND props LABELS ${A_LABELS})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()
