# A version text that would recolour the terminal, ring its bell and return
# the cursor, and a bundle path with an escape. Without the permission the
# user shows Lumetta in the Finder; granted it, reads the diagnostics and
# copies them.
file(READ "${CASE}/../menu-quit/desktop.json" desktop)
string(JSON desktop SET "${desktop}" trusted false)
string(JSON desktop SET "${desktop}" lumetta
       [=[{"version": "1.0\u001b[31m red\u0007\r\\", "bundlePath": "/Apps/\u001b]0;x\u0007Lumetta.app"}]=])
string(JSON desktop SET "${desktop}" timeline [=[[
  {"at": 1, "popover": "open"},
  {"at": 1.5, "click": "Show this copy in Finder"},
  {"at": 2, "trusted": true},
  {"at": 4, "toggle": "Diagnostics"},
  {"at": 4.5, "click": "Copy diagnostics"},
  {"at": 5, "look": "popover"}]]=])
file(WRITE "${GENERATED}/controls.json" "${desktop}")
