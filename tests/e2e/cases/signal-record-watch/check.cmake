# Stopped by SIGHUP, the watch ends with its STOP line and the recording of
# what it observed is written, and replays.
if(NOT actual_stdout MATCHES "\nt=[0-9.]+s STOP\n$")
  message(FATAL_ERROR "the watch did not stop in order:\n${actual_stdout}")
endif()
execute_process(
  COMMAND "${LUMETTA}" --desktop recording.json --classify
  WORKING_DIRECTORY "${GENERATED}"
  OUTPUT_VARIABLE replayed
  ERROR_VARIABLE replay_error
  RESULT_VARIABLE replay_status)
if(NOT replay_status EQUAL 0 OR NOT replayed MATCHES "CLASSIFICATION: ChatGPT")
  message(FATAL_ERROR "the recording does not replay (${replay_status}): ${replay_error}")
endif()
