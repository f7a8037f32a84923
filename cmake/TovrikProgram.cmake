# The library's callback unit creates the application with `new MainClass(argv0)`,
# so every program compiles that unit against its own MainClass.h.
#
#   tovrik_add_program(<target> [NO_ENTRY] SOURCES <files...> [WEB_FILES <file@path>...])
#
# The directory of the first source must hold MainClass.h. NO_ENTRY leaves out the
# process entry (`main`), for test programs that bring their own. Under Emscripten the
# program is a page, <target>.html, and each WEB_FILES entry (a file or folder of the
# build machine, then @ and the path the program opens it by) is preloaded with it.
#
# TOVRIK_SOURCE_DIR holds the callback unit and TOVRIK_ENTRY_SOURCE is the process entry:
# in the source tree, or where the installed package put them (TovrikConfig.cmake).
if(NOT TOVRIK_SOURCE_DIR)
    set(TOVRIK_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../source")
endif()

function(tovrik_add_program target)
    cmake_parse_arguments(ARG "NO_ENTRY" "" "SOURCES;WEB_FILES" ${ARGN})
    set(frame "${TOVRIK_SOURCE_DIR}/OpenGLApp.cpp")
    if(NOT ARG_NO_ENTRY)
        list(APPEND frame ${TOVRIK_ENTRY_SOURCE})
    endif()
    add_executable(${target} ${ARG_SOURCES} ${frame})
    list(GET ARG_SOURCES 0 first)
    get_filename_component(appDir "${first}" ABSOLUTE)
    get_filename_component(appDir "${appDir}" DIRECTORY)
    target_include_directories(${target} PRIVATE "${appDir}")
    target_link_libraries(${target} PRIVATE Tovrik::tovrik)
    if(WIN32)
        if(NOT ARG_NO_ENTRY)
            # A windowed program (WinMain, no console) with its manifest.
            set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
            target_sources(${target} PRIVATE "${TOVRIK_SOURCE_DIR}/win32/Tovrik.rc")
        endif()
    elseif(EMSCRIPTEN)
        set(page "${TOVRIK_SOURCE_DIR}/web/page.html")
        set(scripts "${TOVRIK_SOURCE_DIR}/web/tovrik_gl.js;${TOVRIK_SOURCE_DIR}/web/tovrik_quads.js")
        # Every page at the top of the build folder, which a static host serves as it is.
        set_target_properties(${target} PROPERTIES SUFFIX ".html"
            LINK_DEPENDS "${page};${scripts}"
            RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}")
        target_link_options(${target} PRIVATE "--shell-file=${page}" -sMINIFY_HTML=0)
        foreach(file ${ARG_WEB_FILES})
            target_link_options(${target} PRIVATE "SHELL:--preload-file ${file}")
        endforeach()
    else()
        # Exported symbols let the call-stack dump of a fatal exit name the functions.
        set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON)
    endif()
endfunction()
