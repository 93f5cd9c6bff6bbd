# A named pipe where the picture would go: refused before the mode runs.
execute_process(COMMAND mkfifo "${GENERATED}/shot.png" COMMAND_ERROR_IS_FATAL ANY)
