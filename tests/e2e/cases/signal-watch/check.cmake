# Stopped by SIGINT, the watch ends with its STOP line.
if(NOT actual_stdout MATCHES "^t=[0-9.]+s START .*\nt=[0-9.]+s STOP\n$")
  message(FATAL_ERROR "the watch did not stop in order:\n${actual_stdout}")
endif()
