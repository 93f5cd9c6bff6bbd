# A valid desktop one byte over the size limit of 16,777,216 bytes.
string(REPEAT " " 16777215 blanks)
file(WRITE "${GENERATED}/large.json" "{}${blanks}")
