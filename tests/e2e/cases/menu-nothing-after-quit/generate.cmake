# The user quits, and the timeline goes on at that moment and after: a colour
# picked in the panel shown before, a click, a look. None of it may happen.
file(READ "${CASE}/../menu-quit/desktop.json" desktop)
string(JSON desktop SET "${desktop}" timeline [=[[
  {"at": 1, "popover": "open"},
  {"at": 2, "click": "Choose your own color"},
  {"at": 3, "click": "Quit"},
  {"at": 3, "pickColor": {"srgb": [0.9, 0.3, 0.1, 1]}},
  {"at": 3, "click": "GPT"},
  {"at": 3, "look": "popover"},
  {"at": 4, "pickColor": {"srgb": [0.1, 0.3, 0.9, 1]}}]]=])
file(WRITE "${GENERATED}/quit.json" "${desktop}")
