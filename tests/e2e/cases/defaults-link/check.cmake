# The link stays a link, and its target holds the change.
if(NOT IS_SYMLINK "${GENERATED}/settings.json")
  message(FATAL_ERROR "settings.json is no longer a link")
endif()
file(READ "${GENERATED}/dotfiles/lumetta.json" settings)
string(FIND "${settings}" "\"indicatorStrength\":0.22," found)
if(found EQUAL -1)
  message(FATAL_ERROR "the link's target does not hold the change: ${settings}")
endif()
