# What `cmake --install` puts where, and the packages CPack makes of it:
#   Linux:   kelvarro_<version>_<arch>.deb (component roller) and
#            libtovrik-dev_<version>_<arch>.deb (component dev)
#   Windows: Kelvarro-<version>-win64.zip / -win32.zip (the program, its DLLs and media/ in
#            one folder) and Kelvarro-<version>-win64.exe / -win32.exe, installers of the same
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Tovrik maintainers")
set(CPACK_PACKAGE_CONTACT "Tovrik maintainers <maintainers@tovrik.invalid>")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
# The desktop entry's and metainfo's reverse-DNS name, and the home page, under whose
# docs/ the metainfo's screenshots are.
set(KELVARRO_APP_ID "org.tovrik.kelvarro")
set(KELVARRO_HOMEPAGE "https://tovrik.invalid/kelvarro")
set(KELVARRO_LICENSE "MIT")
set(generated "${PROJECT_BINARY_DIR}/packaging")

# The copyright file (the installer's licence page on Windows) carries the font's licence
# as media/LICENSE states it.
file(READ media/LICENSE licence)
string(REGEX REPLACE "^.*carries its licence:\n\n" "" licence "${licence}")
string(REGEX REPLACE "\n+$" "" licence "${licence}")
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " BITSTREAM_VERA " ${licence}")
configure_file(packaging/copyright.in "${generated}/copyright" @ONLY)

if(WIN32)
    # One folder with the program, its DLLs and media/, as the program is started from it.
    install(TARGETS Tovrik RUNTIME DESTINATION . COMPONENT roller)
    install(FILES ${TOVRIK_WINDOWS_DLLS} DESTINATION . COMPONENT roller)
    install(DIRECTORY media/ DESTINATION media COMPONENT roller)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(bits 64)
        # The installer itself is a 64-bit program too, and writes the 64-bit registry.
        set(CPACK_NSIS_DEFINES "Target amd64-unicode")
        set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    else()
        set(bits 32)
        set(CPACK_NSIS_DEFINES "Target x86-unicode")
        set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
    endif()
    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_PACKAGE_NAME Kelvarro)
    set(CPACK_PACKAGE_FILE_NAME "Kelvarro-${PROJECT_VERSION}-win${bits}")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    # The zip holds the folder as Kelvarro/ (packaging/windows/cpack-options.cmake).
    set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/packaging/windows/cpack-options.cmake")
    # The values reach the installer script as written here.
    set(CPACK_VERBATIM_VARIABLES ON)

    # The installer: Program Files\Kelvarro (or the folder /D= names; /S installs without
    # a question), a Start-menu shortcut that starts the roller in that folder, and an
    # uninstaller registered with the roller's icon and version that removes every file
    # the installer wrote.
    set(ico "${PROJECT_SOURCE_DIR}/packaging/icons/kelvarro.ico")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Kelvarro)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kelvarro)
    set(CPACK_NSIS_PACKAGE_NAME Kelvarro)
    set(CPACK_NSIS_DISPLAY_NAME Kelvarro)
    set(CPACK_NSIS_MUI_ICON "${ico}")
    set(CPACK_NSIS_MUI_UNIICON "${ico}")
    set(CPACK_NSIS_INSTALLED_ICON_NAME Tovrik.exe)
    set(CPACK_NSIS_URL_INFO_ABOUT "${KELVARRO_HOMEPAGE}")
    set(CPACK_NSIS_CONTACT "${CPACK_PACKAGE_CONTACT}")
    set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
    set(CPACK_RESOURCE_FILE_LICENSE "${generated}/copyright")
    # The shortcut's working folder is the output folder when it is made: the roller's own,
    # where it finds media/ (after the file copy the output folder is the last one copied).
    set(CPACK_NSIS_CREATE_ICONS_EXTRA [[
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Kelvarro.lnk" "$INSTDIR\Tovrik.exe"]])
    set(CPACK_NSIS_DELETE_ICONS_EXTRA [[
  Delete "$SMPROGRAMS\$MUI_TEMP\Kelvarro.lnk"]])
    include(CPack)
    return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# --- The library: static archive, public headers, the callback unit and the entry, and
# the package configuration that finds the system libraries and defines
# tovrik_add_program.
set(cmakeDir "${CMAKE_INSTALL_LIBDIR}/cmake/Tovrik")
set(TOVRIK_INSTALL_SOURCEDIR "${CMAKE_INSTALL_DATADIR}/tovrik")
install(TARGETS tovrik EXPORT TovrikTargets ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}"
    COMPONENT dev)
install(FILES ${TOVRIK_PUBLIC_HEADERS} DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/tovrik"
    COMPONENT dev)
install(FILES source/OpenGLApp.cpp source/Tovrik.cpp DESTINATION "${TOVRIK_INSTALL_SOURCEDIR}"
    COMPONENT dev)
install(EXPORT TovrikTargets NAMESPACE Tovrik:: DESTINATION "${cmakeDir}" COMPONENT dev)
configure_package_config_file(cmake/TovrikConfig.cmake.in "${generated}/TovrikConfig.cmake"
    INSTALL_DESTINATION "${cmakeDir}" PATH_VARS TOVRIK_INSTALL_SOURCEDIR)
# Before 1.0 a new minor version may change the interface.
write_basic_package_version_file("${generated}/TovrikConfigVersion.cmake"
    COMPATIBILITY SameMinorVersion)
install(FILES "${generated}/TovrikConfig.cmake" "${generated}/TovrikConfigVersion.cmake"
    cmake/TovrikProgram.cmake DESTINATION "${cmakeDir}" COMPONENT dev)
install(FILES cmake/Dependencies.cmake DESTINATION "${cmakeDir}"
    RENAME TovrikDependencies.cmake COMPONENT dev)
# The reference, without Doxygen's copy of jQuery: Debian ships that library once, in
# libjs-jquery, and the pages load it through a link.
set(referenceDir "${CMAKE_INSTALL_DATADIR}/doc/libtovrik-dev/html")
install(DIRECTORY "${TOVRIK_DOCS_DIR}/html/" DESTINATION "${referenceDir}" COMPONENT dev
    PATTERN jquery.js EXCLUDE)
file(RELATIVE_PATH jquery "/x/${referenceDir}" /x/share/javascript/jquery/jquery.js)
install(CODE "set(target /usr/share/javascript/jquery/jquery.js)
    if(CMAKE_INSTALL_PREFIX STREQUAL /usr)
        set(target ${jquery})
    endif()
    file(CREATE_LINK \${target}
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${referenceDir}/jquery.js\" SYMBOLIC)"
    COMPONENT dev)
# Registered with doc-base, so that documentation browsers list it.
install(FILES packaging/libtovrik-dev.doc-base DESTINATION "${CMAKE_INSTALL_DATADIR}/doc-base"
    RENAME libtovrik-dev COMPONENT dev)
# pkg-config's file names the prefix the install goes to (/usr in the package, any
# --prefix otherwise), so it is finished at install time; the rest is filled in now.
set(install_prefix "@install_prefix@")
configure_file(packaging/tovrik.pc.in "${generated}/tovrik.pc.in" @ONLY)
install(CODE "set(install_prefix \"\${CMAKE_INSTALL_PREFIX}\")
    configure_file(\"${generated}/tovrik.pc.in\" \"${generated}/tovrik.pc\" @ONLY)"
    COMPONENT dev)
install(FILES "${generated}/tovrik.pc" DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig"
    COMPONENT dev)

# --- The dice roller: the program in a private folder (libexec/), its media in a data
# folder, and a launcher in games/ that starts it from there; desktop entry, icons,
# metainfo, man page.
set(programDir "${CMAKE_INSTALL_LIBEXECDIR}/kelvarro")
set(dataDir share/games/kelvarro)
file(RELATIVE_PATH launcher_to_data "/x/games" "/x/${dataDir}")
file(RELATIVE_PATH launcher_to_program "/x/games" "/x/${programDir}/Tovrik")
configure_file(packaging/kelvarro.in "${generated}/kelvarro" @ONLY)
configure_file(packaging/kelvarro.metainfo.xml.in
    "${generated}/${KELVARRO_APP_ID}.metainfo.xml" @ONLY)
# Debian wants the man page and the changelog compressed, reproducibly.
foreach(file kelvarro.6 changelog)
    add_custom_command(OUTPUT "${generated}/${file}.gz"
        COMMAND gzip -9n -c "${PROJECT_SOURCE_DIR}/packaging/${file}" > "${generated}/${file}.gz"
        DEPENDS "packaging/${file}")
    list(APPEND compressed "${generated}/${file}.gz")
endforeach()
add_custom_target(packaging-files ALL DEPENDS ${compressed})

install(TARGETS Tovrik RUNTIME DESTINATION "${programDir}" COMPONENT roller)
install(DIRECTORY media/ DESTINATION "${dataDir}/media" COMPONENT roller
    PATTERN LICENSE EXCLUDE)
install(PROGRAMS "${generated}/kelvarro" DESTINATION games COMPONENT roller)
install(FILES packaging/kelvarro.desktop DESTINATION "${CMAKE_INSTALL_DATADIR}/applications"
    RENAME "${KELVARRO_APP_ID}.desktop" COMPONENT roller)
install(FILES "${generated}/${KELVARRO_APP_ID}.metainfo.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo" COMPONENT roller)
# The theme's icons: the roller's window icons, and a larger one for software centres.
foreach(icon media/icons/kelvarro-16 media/icons/kelvarro-32 media/icons/kelvarro-48
        media/icons/kelvarro-128 packaging/icons/kelvarro-256)
    string(REGEX REPLACE ".*-" "" size "${icon}")
    install(FILES "${icon}.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
        RENAME kelvarro.png COMPONENT roller)
endforeach()
install(FILES "${generated}/kelvarro.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6"
    COMPONENT roller)
foreach(component roller dev)
    set(package kelvarro)
    if(component STREQUAL dev)
        set(package libtovrik-dev)
    endif()
    install(FILES "${generated}/copyright" "${generated}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/${package}" COMPONENT ${component})
endforeach()

# --- The Debian packages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL roller dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KELVARRO_HOMEPAGE}")
set(CPACK_DEBIAN_ROLLER_PACKAGE_NAME kelvarro)
set(CPACK_DEBIAN_ROLLER_PACKAGE_SECTION games)
set(CPACK_DEBIAN_ROLLER_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_ROLLER_DESCRIPTION "desktop dice roller
Kelvarro rolls d4, d6, d8, d10, d12 and d20 dice, one at a time or a heap of up
to 200, with a wooden dice sound, and shows the faces. Keyboard and mouse
controls; small windows switch to a compact layout.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtovrik-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# A static library: what it links comes from the development packages, which
# dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "cmake, pkg-config, freeglut3-dev, libglu1-mesa-dev, \
libx11-dev, libopenal-dev, libalut-dev, libvorbis-dev, liblodepng-dev, libjs-jquery")
set(CPACK_COMPONENT_DEV_DESCRIPTION "small 2D game library (development files)
Tovrik opens one GLUT window, draws with OpenGL 1.x in window pixels, shows PNG
pictures and bitmap fonts, plays WAV and Ogg Vorbis sounds through OpenAL, and
calls the handlers of one application class. This package holds the static
library, its headers, its reference in HTML, the CMake package
(find_package(Tovrik) and tovrik_add_program(<game> SOURCES MainClass.cpp))
and the pkg-config file tovrik.")
include(CPack)
