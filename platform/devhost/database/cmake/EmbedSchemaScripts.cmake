# Writes a C++ source holding every schema script of SCHEMA_DIR (in file-name order) as a raw
# string, so that the host binary carries its schema without files beside it.
file(GLOB scripts ${SCHEMA_DIR}/*.sql)
list(SORT scripts)
set(delimiter "HOSTSQL")
set(body "")
foreach(script IN LISTS scripts)
    get_filename_component(name ${script} NAME)
    file(READ ${script} text)
    string(FIND "${text}" ")${delimiter}\"" clash)
    if(NOT clash EQUAL -1)
        message(FATAL_ERROR "${name} contains the raw-string delimiter ${delimiter}")
    endif()
    string(APPEND body "        {\"${name}\", R\"${delimiter}(${text})${delimiter}\"},\n")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Generated from the schema scripts by EmbedSchemaScripts.cmake; do not edit.
#include \"EmbeddedSchemaScripts.h\"

namespace devhost::detail {

const std::vector<EmbeddedScript>& embeddedSchemaScripts() {
    static const std::vector<EmbeddedScript> scripts{
${body}    };
    return scripts;
}

} // namespace devhost::detail
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
