# A compact settings file of 86,000 keys, 1,040,625 bytes: just under the
# limit of 1,048,576. The user slides the Codex tint, so the file is written.
include("${CASE}/../../wide_members.cmake")
wide_members(entries)
file(WRITE "${GENERATED}/settings.json" "{${entries}\"indicatorStrength\":0.2}")
file(READ "${CASE}/../menu-quit/desktop.json" desktop)
string(JSON desktop SET "${desktop}" timeline [=[[
  {"at": 1, "popover": "open"},
  {"at": 2, "slide": {"control": "Tint", "value": 0.22}}]]=])
file(WRITE "${GENERATED}/desktop.json" "${desktop}")
