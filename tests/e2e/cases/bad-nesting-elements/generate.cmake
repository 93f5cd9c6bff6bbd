# An accessibility tree 6,400 elements deep: each element's children hold the next.
string(REPEAT [=[,"children":[{"role":"AXGroup"]=] 6400 down)
string(REPEAT "}]" 6400 up)
file(WRITE "${GENERATED}/deep.json"
     "{\"apps\":[{\"pid\":1,\"name\":\"ChatGPT\",\"ax\":{\"role\":\"AXApplication\"${down}${up}}}]}")
