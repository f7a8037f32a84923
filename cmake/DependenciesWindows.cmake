# The Windows build's libraries, cross-built by tools/windows/build-deps into a prefix
# inside the build folder: freeglut, OpenAL32 and alut as DLLs that ship beside the
# program; libogg, libvorbis, libvorbisfile and lodepng linked in; OpenGL32 and GLU32
# from the system through mingw-w64's import libraries.
#
# The targets carry the names the Linux build gives its packages, so the library's own
# CMake code is the same on both platforms.
set(TOVRIK_WINDOWS_DEPS "${CMAKE_BINARY_DIR}/deps/prefix" CACHE PATH
    "Prefix of the cross-built Windows libraries (tools/windows/build-deps)")
set(deps "${TOVRIK_WINDOWS_DEPS}")
foreach(file lib/libfreeglut.dll.a lib/libOpenAL32.dll.a lib/libalut.dll.a lib/libvorbisfile.a
             lib/libvorbis.a lib/libogg.a lib/liblodepng.a)
    if(NOT EXISTS "${deps}/${file}")
        message(FATAL_ERROR "${deps}/${file} is missing: build the Windows libraries first "
                            "with tools/windows/build-deps (or use tools/windows/build).")
    endif()
endforeach()

# A DLL: its import library to link, the DLL itself to ship.
function(tovrik_windows_dll target implib dll)
    add_library(${target} SHARED IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES
        IMPORTED_IMPLIB "${deps}/lib/${implib}"
        IMPORTED_LOCATION "${deps}/bin/${dll}"
        INTERFACE_INCLUDE_DIRECTORIES "${deps}/include")
endfunction()

tovrik_windows_dll(GLUT::GLUT libfreeglut.dll.a freeglut.dll)
tovrik_windows_dll(PkgConfig::OPENAL libOpenAL32.dll.a OpenAL32.dll)
tovrik_windows_dll(PkgConfig::ALUT libalut.dll.a alut.dll)
set_property(TARGET PkgConfig::ALUT PROPERTY INTERFACE_LINK_LIBRARIES PkgConfig::OPENAL)

include("${CMAKE_CURRENT_LIST_DIR}/StaticCodecs.cmake")
tovrik_import_static_codecs("${deps}")

# Pictures are decoded on worker threads (std::thread, winpthreads linked in).
find_package(Threads REQUIRED)

add_library(OpenGL::GL INTERFACE IMPORTED GLOBAL)
set_property(TARGET OpenGL::GL PROPERTY INTERFACE_LINK_LIBRARIES opengl32)
add_library(OpenGL::GLU INTERFACE IMPORTED GLOBAL)
set_property(TARGET OpenGL::GLU PROPERTY INTERFACE_LINK_LIBRARIES glu32 OpenGL::GL)

# The DLLs that go beside every program.
set(TOVRIK_WINDOWS_DLLS
    "${deps}/bin/freeglut.dll" "${deps}/bin/OpenAL32.dll" "${deps}/bin/alut.dll")

# Functions nothing calls stay out of the program: the shared helpers that only the Linux
# program uses. Link-time optimisation sees the whole program and drops them; the linker's
# section garbage collection cannot, since the unwind tables refer to every function.
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)

# <windows.h> (brought by the GL headers) without its min/max macros and rarely used parts,
# so that it stays out of the way of the shared code.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)
