# Writes a C++ source whose function FUNCTION (in NAMESPACE) returns the text
# of INPUT, so a data file can be compiled into the program.
file(READ "${INPUT}" text)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <string_view>\n"
  "namespace ${NAMESPACE} {\n"
  "std::string_view ${FUNCTION}() {\n"
  "  static constexpr char text[] = R\"embedded_text(${text})embedded_text\";\n"
  "  return {text, sizeof text - 1};\n"
  "}\n"
  "}  // namespace ${NAMESPACE}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
