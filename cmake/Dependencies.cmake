# System libraries the library is built on; all come from Debian packages.
if(WIN32)
    include("${CMAKE_CURRENT_LIST_DIR}/DependenciesWindows.cmake")
    return()
endif()
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(GLUT REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
pkg_check_modules(ALUT REQUIRED IMPORTED_TARGET freealut)
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
find_library(LODEPNG_LIBRARY lodepng REQUIRED)
find_path(LODEPNG_INCLUDE_DIR lodepng.h REQUIRED)
add_library(lodepng::lodepng UNKNOWN IMPORTED)
set_target_properties(lodepng::lodepng PROPERTIES
    IMPORTED_LOCATION "${LODEPNG_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${LODEPNG_INCLUDE_DIR}")
