# A settings file kept elsewhere and linked to, as dotfiles often are; the
# user slides the Codex tint.
file(MAKE_DIRECTORY "${GENERATED}/dotfiles")
file(WRITE "${GENERATED}/dotfiles/lumetta.json" [=[{"indicatorStrength": 0.2}]=])
file(CREATE_LINK "dotfiles/lumetta.json" "${GENERATED}/settings.json" SYMBOLIC)
file(READ "${CASE}/../menu-quit/desktop.json" desktop)
string(JSON desktop SET "${desktop}" timeline [=[[
  {"at": 1, "popover": "open"},
  {"at": 2, "slide": {"control": "Tint", "value": 0.22}}]]=])
file(WRITE "${GENERATED}/desktop.json" "${desktop}")
