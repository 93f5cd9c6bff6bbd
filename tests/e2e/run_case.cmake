# Runs one end-to-end case: LUMETTA is the executable, CASE the case folder.
# Set the environment variable LUMETTA_UPDATE_EXPECTED=1 to rewrite the
# expected files from what the program printed (then read the diff!).
# A file `output-to` names where standard output goes instead (/dev/full).
# A case with a `generate.cmake` runs in a fresh folder of the build tree,
# GENERATED, where that script first writes the inputs too large to keep in git.
# A case with a `check.cmake` runs that script last, in the folder the case
# ran in, to check the files the run left there (it fails with FATAL_ERROR).
# A case with a `signal` file ("TERM 1") sends the program that signal after
# so many seconds, as `kill` would; such a run is on the real clock, so its
# standard output is not compared but left to the case's `check.cmake`.
file(STRINGS "${CASE}/args" arguments)
set(directory "${CASE}")
if(EXISTS "${CASE}/generate.cmake")
  get_filename_component(name "${CASE}" NAME)
  set(GENERATED "${CMAKE_CURRENT_BINARY_DIR}/e2e-generated/${name}")
  file(REMOVE_RECURSE "${GENERATED}")
  file(MAKE_DIRECTORY "${GENERATED}")
  include("${CASE}/generate.cmake")
  set(directory "${GENERATED}")
endif()
set(actual_stdout "")
set(stdout_to OUTPUT_VARIABLE actual_stdout)
if(EXISTS "${CASE}/output-to")
  file(STRINGS "${CASE}/output-to" output_file)
  set(stdout_to OUTPUT_FILE "${output_file}")
endif()
set(command "${LUMETTA}" ${arguments})
if(EXISTS "${CASE}/signal")
  file(STRINGS "${CASE}/signal" signal)
  separate_arguments(signal)
  list(GET signal 0 signal_name)
  list(GET signal 1 signal_after)
  set(command timeout --foreground --preserve-status -s ${signal_name} ${signal_after} ${command})
endif()
execute_process(
  COMMAND ${command}
  WORKING_DIRECTORY "${directory}"
  ${stdout_to}
  ERROR_VARIABLE actual_stderr
  RESULT_VARIABLE actual_status)

set(expected_status 0)
if(EXISTS "${CASE}/status")
  file(STRINGS "${CASE}/status" expected_status)
endif()
set(expected_stdout "")
if(EXISTS "${CASE}/stdout")
  file(READ "${CASE}/stdout" expected_stdout)
endif()
set(expected_stderr "")
if(EXISTS "${CASE}/stderr")
  file(READ "${CASE}/stderr" expected_stderr)
endif()

if(EXISTS "${CASE}/signal")
  set(expected_stdout "${actual_stdout}")
endif()

if(DEFINED ENV{LUMETTA_UPDATE_EXPECTED})
  if(NOT EXISTS "${CASE}/signal")
    file(WRITE "${CASE}/stdout" "${actual_stdout}")
  endif()
  if(actual_stderr STREQUAL "")
    file(REMOVE "${CASE}/stderr")
  else()
    file(WRITE "${CASE}/stderr" "${actual_stderr}")
  endif()
  if(actual_status EQUAL 0)
    file(REMOVE "${CASE}/status")
  else()
    file(WRITE "${CASE}/status" "${actual_status}\n")
  endif()
  return()
endif()

set(failed FALSE)
foreach(stream stdout stderr)
  if(NOT actual_${stream} STREQUAL expected_${stream})
    set(failed TRUE)
    string(RANDOM LENGTH 8 tag)
    set(actual_file "${CMAKE_CURRENT_BINARY_DIR}/e2e-actual-${tag}")
    file(WRITE "${actual_file}" "${actual_${stream}}")
    set(expected_file "${CASE}/${stream}")
    if(NOT EXISTS "${expected_file}")
      set(expected_file /dev/null)
    endif()
    execute_process(COMMAND diff -u "${expected_file}" "${actual_file}" OUTPUT_VARIABLE difference)
    file(REMOVE "${actual_file}")
    message("${stream} differs from ${CASE}/${stream}:\n${difference}")
  endif()
endforeach()
if(NOT actual_status STREQUAL expected_status)
  set(failed TRUE)
  message("exit status ${actual_status}, expected ${expected_status}")
endif()
if(failed)
  message(FATAL_ERROR "end-to-end case ${CASE} failed")
endif()
if(EXISTS "${CASE}/check.cmake")
  include("${CASE}/check.cmake")
endif()
