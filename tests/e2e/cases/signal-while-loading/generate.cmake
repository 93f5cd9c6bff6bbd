# A desktop of 100,000 elements, which takes a while to load, and a timeline
# that would run for an hour of virtual time. SIGTERM comes while it loads.
string(REPEAT [=[{"role":"AXGroup"},]=] 100000 groups)
file(WRITE "${GENERATED}/big.json"
     "{\"clock\":{\"wallStart\":\"2026-12-01T09:00:00Z\"},\"apps\":[{\"pid\":700,\"name\":\"Finder\","
     "\"ax\":{\"role\":\"AXApplication\",\"children\":[${groups}{\"role\":\"AXGroup\"}]}}],"
     "\"timeline\":[{\"at\":3600,\"popover\":\"open\"}]}")
