# Writes a C++ source whose function FUNCTION (in NAMESPACE) returns the text
# of INPUT, so a data file can be compiled into the program. The text is cut
# into pieces below the string-literal length compilers must support.
file(READ "${INPUT}" text)
string(LENGTH "${text}" length)
set(pieces "")
set(offset 0)
while(offset LESS length)
  string(SUBSTRING "${text}" ${offset} 30000 piece)
  string(APPEND pieces "      R\"embedded_text(${piece})embedded_text\",\n")
  math(EXPR offset "${offset} + 30000")
endwhile()
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <string>\n"
  "#include <string_view>\n"
  "namespace ${NAMESPACE} {\n"
  "std::string_view ${FUNCTION}() {\n"
  "  static const std::string text = [] {\n"
  "    static constexpr std::string_view pieces[] = {\n"
  "${pieces}"
  "    };\n"
  "    std::string whole;\n"
  "    for (std::string_view piece : pieces) whole += piece;\n"
  "    return whole;\n"
  "  }();\n"
  "  return text;\n"
  "}\n"
  "}  // namespace ${NAMESPACE}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
