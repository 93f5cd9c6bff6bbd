# A named pipe that nobody writes to.
execute_process(COMMAND mkfifo "${GENERATED}/fifo.json" COMMAND_ERROR_IS_FATAL ANY)
