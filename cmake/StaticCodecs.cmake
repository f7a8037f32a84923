# The sound and picture codecs that the web and Windows builds compile from Debian's sources
# into a prefix of their own (tools/web/build-deps, tools/windows/build-deps), imported under
# the target names the Linux build's packages give them.
function(tovrik_import_static_codecs prefix)
    foreach(pair Ogg::ogg=libogg.a Vorbis::vorbis=libvorbis.a
                 PkgConfig::VORBISFILE=libvorbisfile.a lodepng::lodepng=liblodepng.a)
        string(REPLACE "=" ";" pair "${pair}")
        list(GET pair 0 target)
        list(GET pair 1 file)
        add_library(${target} STATIC IMPORTED GLOBAL)
        set_target_properties(${target} PROPERTIES
            IMPORTED_LOCATION "${prefix}/lib/${file}"
            INTERFACE_INCLUDE_DIRECTORIES "${prefix}/include")
    endforeach()
    set_property(TARGET Vorbis::vorbis PROPERTY INTERFACE_LINK_LIBRARIES Ogg::ogg)
    set_property(TARGET PkgConfig::VORBISFILE PROPERTY INTERFACE_LINK_LIBRARIES Vorbis::vorbis)
endfunction()
