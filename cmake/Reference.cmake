# The library's reference: Doxygen over the public headers, the main page and the
# examples, into <build>/docs/html (installed by the dev component). A Doxygen warning
# (an undocumented public member, a parameter named wrongly) fails the build.
find_program(DOXYGEN_EXECUTABLE doxygen)
if(NOT DOXYGEN_EXECUTABLE)
    message(FATAL_ERROR "doxygen was not found (tools/install-deps installs it)")
endif()
set(TOVRIK_DOCS_DIR "${PROJECT_BINARY_DIR}/docs")
set(pages "${PROJECT_SOURCE_DIR}/docs/reference/mainpage.md"
    "${PROJECT_SOURCE_DIR}/docs/reference/examples.dox")
set(inputs ${TOVRIK_PUBLIC_HEADERS} ${pages})
list(JOIN inputs "\" \"" TOVRIK_DOCS_INPUT)
set(TOVRIK_DOCS_INPUT "\"${TOVRIK_DOCS_INPUT}\"")
configure_file(docs/reference/Doxyfile.in "${TOVRIK_DOCS_DIR}/Doxyfile" @ONLY)
file(GLOB examples CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/examples/*/MainClass.*")
# The stamp is written only when Doxygen succeeds, so a failed run is retried.
add_custom_command(OUTPUT "${TOVRIK_DOCS_DIR}/html.stamp"
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${TOVRIK_DOCS_DIR}/html"
    COMMAND "${DOXYGEN_EXECUTABLE}" "${TOVRIK_DOCS_DIR}/Doxyfile"
    COMMAND "${CMAKE_COMMAND}" -E touch "${TOVRIK_DOCS_DIR}/html.stamp"
    DEPENDS ${inputs} ${examples} "${TOVRIK_DOCS_DIR}/Doxyfile"
    COMMENT "Making the library's reference with Doxygen")
add_custom_target(docs ALL DEPENDS "${TOVRIK_DOCS_DIR}/html.stamp")
