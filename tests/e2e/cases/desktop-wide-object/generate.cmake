# A desktop whose defaults are one object of 86,000 members (1 MB). Each
# member used to be looked up among all the members before it as the object
# was built: this file took 17 seconds to load (release build), not a tenth.
set(entries "")
foreach(outer RANGE 100 185)
  set(chunk "")
  foreach(inner RANGE 100 1099)
    string(APPEND chunk "\"k${outer}${inner}\":1,")
  endforeach()
  string(APPEND entries "${chunk}")
endforeach()
file(WRITE "${GENERATED}/wide.json"
     "{\"clock\":{\"wallStart\":\"2025-01-31T09:15:00Z\"},\"defaults\":{${entries}\"k\":0}}")
