# Sets `out` to 86,000 members of a JSON object, `"k100100":1,` to
# `"k1851099":1,` (1,040,600 bytes, the last with a comma), for the cases that
# need an object as wide as a file near its size limit.
function(wide_members out)
  set(entries "")
  foreach(outer RANGE 100 185)
    set(chunk "")
    foreach(inner RANGE 100 1099)
      string(APPEND chunk "\"k${outer}${inner}\":1,")
    endforeach()
    string(APPEND entries "${chunk}")
  endforeach()
  set(${out} "${entries}" PARENT_SCOPE)
endfunction()
