# What the run wrote is a file the next run reads.
execute_process(
  COMMAND "${LUMETTA}" --defaults settings.json --classify
  WORKING_DIRECTORY "${GENERATED}"
  OUTPUT_QUIET
  ERROR_VARIABLE next_error
  RESULT_VARIABLE next_status)
if(NOT next_status EQUAL 0)
  message(FATAL_ERROR "the next run refuses the settings file it wrote: ${next_error}")
endif()
