# The signal is caught however early it comes: the run ends in order, with
# its report, and exits 0 (a process killed by it would exit 143).
if(NOT actual_stdout MATCHES "\nEND at [0-9.]+ s: terminated \\(SIGTERM\\)\nPASTEBOARD empty\nLOGIN ITEM notRegistered\n$")
  message(FATAL_ERROR "the run did not end in order:\n${actual_stdout}")
endif()
