# The web build's libraries. GLUT, the OpenGL 1.x calls (through Emscripten's emulation of
# the fixed pipeline) and OpenAL are Emscripten's own; what the browser lacks of freeglut,
# GLU and ALUT is written in source/web/, whose headers stand in for theirs. libogg,
# libvorbis, libvorbisfile and lodepng are built from Debian's sources by
# tools/web/build-deps into a prefix inside the build folder.
#
# The targets carry the names the Linux build gives its packages, so the library's own
# CMake code is the same on every platform.
set(TOVRIK_WEB_DEPS "${CMAKE_BINARY_DIR}/deps/prefix" CACHE PATH
    "Prefix of the libraries built for the web (tools/web/build-deps)")
set(deps "${TOVRIK_WEB_DEPS}")
foreach(file libvorbisfile.a libvorbis.a libogg.a liblodepng.a)
    if(NOT EXISTS "${deps}/lib/${file}")
        message(FATAL_ERROR "${deps}/lib/${file} is missing: build the web libraries first "
                            "with tools/web/build-deps (or use tools/web/build).")
    endif()
endforeach()

include("${CMAKE_CURRENT_LIST_DIR}/StaticCodecs.cmake")
tovrik_import_static_codecs("${deps}")

set(web "${CMAKE_CURRENT_LIST_DIR}/../source/web")
get_filename_component(web "${web}" ABSOLUTE)
add_library(GLUT::GLUT INTERFACE IMPORTED GLOBAL)
set_target_properties(GLUT::GLUT PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${web}/include"
    # The fixed pipeline emulated over WebGL; the blocking main loop yields to the browser
    # in its sleeps (Asyncify); the page learns how the program ended.
    INTERFACE_LINK_OPTIONS "-sLEGACY_GL_EMULATION=1;-sASYNCIFY=1;-sASYNCIFY_IMPORTS=tovrikWaitForFrame,tovrikWaitForInput;-sEXIT_RUNTIME=1;-sALLOW_MEMORY_GROWTH=1;-sINITIAL_MEMORY=67108864;--js-library=${web}/tovrik_gl.js;--js-library=${web}/tovrik_quads.js")
foreach(target OpenGL::GL OpenGL::GLU PkgConfig::ALUT Threads::Threads)
    add_library(${target} INTERFACE IMPORTED GLOBAL)
endforeach()
add_library(PkgConfig::OPENAL INTERFACE IMPORTED GLOBAL)
set_property(TARGET PkgConfig::OPENAL PROPERTY INTERFACE_LINK_OPTIONS "-lopenal")
