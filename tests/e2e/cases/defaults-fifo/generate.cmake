# A settings file that is a named pipe nobody writes to.
execute_process(COMMAND mkfifo "${GENERATED}/settings.json" COMMAND_ERROR_IS_FATAL ANY)
