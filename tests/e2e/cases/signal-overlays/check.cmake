# Stopped by SIGTERM, the run still prints its event log.
if(NOT actual_stdout MATCHES "\nOVERLAY EVENT LOG\n[0-9TZ:-]+ Power: desktop awake")
  message(FATAL_ERROR "no event log:\n${actual_stdout}")
endif()
