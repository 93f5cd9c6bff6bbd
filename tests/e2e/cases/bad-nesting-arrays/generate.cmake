# A timeline value of arrays nested 30,000 levels deep.
string(REPEAT "[" 30000 open)
string(REPEAT "]" 30000 close)
file(WRITE "${GENERATED}/deep.json"
     "{\"apps\":[{\"pid\":1,\"ax\":{\"id\":\"a\"}}],\"timeline\":[{\"at\":1,\"set\":"
     "{\"element\":\"a\",\"attribute\":\"AXValue\",\"value\":${open}${close}}}]}")
