# A desktop whose defaults are one object of 86,000 members (1 MB). Each
# member used to be looked up among all the members before it as the object
# was built: this file took 17 seconds to load (release build), not a tenth.
include("${CASE}/../../wide_members.cmake")
wide_members(entries)
file(WRITE "${GENERATED}/wide.json"
     "{\"clock\":{\"wallStart\":\"2025-01-31T09:15:00Z\"},\"defaults\":{${entries}\"k\":0}}")
