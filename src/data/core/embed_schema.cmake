# Writes db/schema.sql into a source file as a byte array (no string-length limits).
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from db/schema.sql at build time.\n"
  "#include \"data/core/schema.h\"\n\n"
  "namespace omrix::data {\n\n"
  "std::string_view embeddedSchemaSql() {\n"
  "    static const unsigned char kSchema[] = {${bytes}};\n"
  "    return std::string_view(reinterpret_cast<const char*>(kSchema), sizeof kSchema);\n"
  "}\n\n"
  "}  // namespace omrix::data\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
