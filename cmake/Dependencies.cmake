# System libraries the library is built on; all come from Debian packages. The installed
# package's configuration includes this file too: there a missing library makes
# find_package(Tovrik) fail with its name, here it stops the configuration.
if(WIN32)
    include("${CMAKE_CURRENT_LIST_DIR}/DependenciesWindows.cmake")
    return()
endif()
include(CMakeFindDependencyMacro)

# tovrik_missing(<what>): the failure, in either place. A macro, so that return() leaves
# this file.
macro(tovrik_missing what)
    if(CMAKE_FIND_PACKAGE_NAME)
        set(${CMAKE_FIND_PACKAGE_NAME}_FOUND FALSE)
        set(${CMAKE_FIND_PACKAGE_NAME}_NOT_FOUND_MESSAGE "${what} was not found")
        return()
    endif()
    message(FATAL_ERROR "${what} was not found (tools/install-deps installs it)")
endmacro()

foreach(package "OpenGL COMPONENTS OpenGL GLX" GLUT PkgConfig Threads X11)
    separate_arguments(package)
    if(CMAKE_FIND_PACKAGE_NAME)
        find_dependency(${package})
    else()
        find_package(${package} REQUIRED)
    endif()
endforeach()
foreach(module OPENAL=openal ALUT=freealut VORBISFILE=vorbisfile)
    string(REPLACE "=" ";" module "${module}")
    list(GET module 0 prefix)
    list(GET module 1 name)
    pkg_check_modules(${prefix} QUIET IMPORTED_TARGET ${name})
    if(NOT ${prefix}_FOUND)
        tovrik_missing("${name} (pkg-config)")
    endif()
endforeach()
if(NOT TARGET lodepng::lodepng)
    find_library(LODEPNG_LIBRARY lodepng)
    find_path(LODEPNG_INCLUDE_DIR lodepng.h)
    if(NOT LODEPNG_LIBRARY OR NOT LODEPNG_INCLUDE_DIR)
        tovrik_missing("LodePNG")
    endif()
    add_library(lodepng::lodepng UNKNOWN IMPORTED)
    set_target_properties(lodepng::lodepng PROPERTIES
        IMPORTED_LOCATION "${LODEPNG_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${LODEPNG_INCLUDE_DIR}")
endif()
