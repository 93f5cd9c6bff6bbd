# A timeline that ends at 0 s: its steps run, and the second one fails.
file(READ "${CASE}/../menu-quit/desktop.json" desktop)
string(JSON desktop SET "${desktop}" timeline [=[[
  {"at": 0, "popover": "open"},
  {"at": 0, "click": "Nothing such"}]]=])
file(WRITE "${GENERATED}/zero.json" "${desktop}")
