# The settings file holds no colour picked after "Quit".
file(READ "${GENERATED}/settings.json" settings)
string(FIND "${settings}" "0.9,0.3,0.1" picked)
if(NOT picked EQUAL -1)
  message(FATAL_ERROR "a colour picked after Quit was stored: ${settings}")
endif()
