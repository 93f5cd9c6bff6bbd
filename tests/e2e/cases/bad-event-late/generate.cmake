# The menu-bar desktop with the user's first step a day and more away: under
# virtual time every 60 Hz tick up to it would be simulated.
file(READ "${CASE}/../menu-quit/desktop.json" desktop)
string(JSON desktop SET "${desktop}" timeline [=[[
  {"at": 1, "popover": "open"},
  {"at": 1e5, "click": "Quit"}]]=])
file(WRITE "${GENERATED}/late.json" "${desktop}")
