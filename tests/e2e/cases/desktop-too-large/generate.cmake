# A valid desktop one byte over the size limit of 1,048,576 bytes.
string(REPEAT " " 1048575 blanks)
file(WRITE "${GENERATED}/large.json" "{}${blanks}")
