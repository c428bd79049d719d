# The layout of an installation, mirrored in the build folder: programs in
# bin/, the control library and the layers in lib/, the files the programs
# read at run time in share/quorvelle/ (and, where a program keeps them
# beside itself, in bin/). The build assembles the same tree under the build
# folder, so a program finds its files relative to its own file in the build
# folder, in an installation and in a copy of one alike, and
# `cmake --install` copies the built files unchanged.

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  # A prefix of its own: the programs keep folders beside them in bin/.
  set(CMAKE_INSTALL_PREFIX /opt/quorvelle CACHE PATH "Installation folder" FORCE)
endif()
set(QV_INSTALL_BINDIR bin)
set(QV_INSTALL_LIBDIR lib)
set(QV_INSTALL_DATADIR share/quorvelle)
file(RELATIVE_PATH QV_DATA_FROM_PROGRAM /${QV_INSTALL_BINDIR} /${QV_INSTALL_DATADIR})

set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${QV_INSTALL_LIBDIR})
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${QV_INSTALL_BINDIR})
# Programs find the libraries beside their folder, libraries each other:
# the same search path in the build folder and installed.
set(CMAKE_BUILD_WITH_INSTALL_RPATH ON)
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${QV_INSTALL_LIBDIR}")

# Everything the build copies into the run-time folders.
add_custom_target(qv_runtime_data ALL)

# qv_runtime_data(DEST folder [BASE dir] FILES f ...)
# Copies the files into DEST (relative to the build folder and to the
# installation prefix), keeping their paths below BASE, or flat without
# one; the folder is made anew when a file changes, so it holds exactly
# these files. It is installed as it stands in the build folder.
function(qv_runtime_data)
  cmake_parse_arguments(A "" "DEST;BASE" "FILES" ${ARGN})
  set(out ${PROJECT_BINARY_DIR}/${A_DEST})
  string(MAKE_C_IDENTIFIER "${A_DEST}" id)
  set(stamp ${PROJECT_BINARY_DIR}/CMakeFiles/qv_data_${id}.stamp)
  set(commands COMMAND ${CMAKE_COMMAND} -E rm -rf ${out} COMMAND ${CMAKE_COMMAND} -E make_directory ${out})
  foreach(file ${A_FILES})
    if(A_BASE)
      file(RELATIVE_PATH relative ${A_BASE} ${file})
    else()
      get_filename_component(relative ${file} NAME)
    endif()
    get_filename_component(folder ${out}/${relative} DIRECTORY)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                         COMMAND ${CMAKE_COMMAND} -E copy ${file} ${out}/${relative})
  endforeach()
  add_custom_command(OUTPUT ${stamp} ${commands} COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
                     DEPENDS ${A_FILES} COMMENT "Run-time files in ${A_DEST}" VERBATIM)
  add_custom_target(qv_data_${id} DEPENDS ${stamp})
  add_dependencies(qv_runtime_data qv_data_${id})
  install(DIRECTORY ${out}/ DESTINATION ${A_DEST})
endfunction()

# The files below `dir` matching `pattern`, except those in tests/ folders
# (judged on the path below `dir`).
function(qv_glob_data out dir pattern)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS RELATIVE ${dir} ${dir}/${pattern})
  list(FILTER all EXCLUDE REGEX "(^|/)tests/")
  list(TRANSFORM all PREPEND ${dir}/)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# qv_install_program(target): a program, installed into bin/; building it
# assembles the run-time files too.
function(qv_install_program target)
  add_dependencies(${target} qv_runtime_data)
  install(TARGETS ${target} RUNTIME DESTINATION ${QV_INSTALL_BINDIR})
endfunction()
