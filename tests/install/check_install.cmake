# Installs the built library into a scratch prefix, then builds and runs a
# client against it twice: through the CMake package and through pkg-config.
# Given PYTHON, Python imports the installed package and reads the sample.
set(prefix "${BINARY_DIR}/install-check/prefix")
set(client_build "${BINARY_DIR}/install-check/client")
file(REMOVE_RECURSE "${BINARY_DIR}/install-check")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

run("${CMAKE_COMMAND}" --install "${BINARY_DIR}" --prefix "${prefix}")
run("${CMAKE_COMMAND}" -S "${SOURCE_DIR}/tests/install" -B "${client_build}" "-DCMAKE_PREFIX_PATH=${prefix}")
run("${CMAKE_COMMAND}" --build "${client_build}")
run("${client_build}/client")

file(GLOB_RECURSE pc_files "${prefix}/*/vantrel.pc")
list(GET pc_files 0 pc_file)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
execute_process(COMMAND pkg-config --cflags --libs vantrel OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "pkg-config does not find vantrel")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(c++ -std=c++17 "${SOURCE_DIR}/tests/install/client.cpp" ${flags} "-Wl,-rpath,${pc_dir}/.." -o "${client_build}/client-pc")
run("${client_build}/client-pc")

if(PYTHON)
  file(GLOB_RECURSE python_init "${prefix}/*__init__.py")
  list(FILTER python_init INCLUDE REGEX "/vantrel/__init__.py$")
  if(NOT python_init)
    message(FATAL_ERROR "the Python package is not installed")
  endif()
  get_filename_component(package "${python_init}" DIRECTORY)
  get_filename_component(site "${package}" DIRECTORY)
  set(ENV{PYTHONPATH} "${site}")
  run("${PYTHON}" -c "import vantrel, sys
assert vantrel._vantrel.__file__.startswith('${prefix}/'), vantrel._vantrel.__file__
assert len(vantrel.read_file('${SOURCE_DIR}/examples/ship.xml').GetMasses().GetMassBoxes().GetBoxEntry()) > 0")
endif()
