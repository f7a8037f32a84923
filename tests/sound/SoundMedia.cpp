#include "SoundMedia.h"

#include <lodepng.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

namespace SoundMedia {

Pcm::Pcm(int channels, int rate, double seconds) : channels(channels), rate(rate) {
    uint32_t state = 7;
    for (size_t i = 0; i < size_t(seconds * rate) * channels; ++i) {
        state = state * 1664525u + 1013904223u;
        samples.push_back(int16_t(int(state >> 16) - 32768) / 2);
    }
}

void writeWav(const std::string& path, const Pcm& pcm, bool eightBit) {
    const uint32_t bytes = eightBit ? 1 : 2, block = bytes * pcm.channels,
                   dataSize = uint32_t(pcm.samples.size() * bytes);
    std::vector<unsigned char> out;
    auto put = [&](uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    auto tag = [&](const char* text) { out.insert(out.end(), text, text + 4); };
    tag("RIFF"), put(36 + dataSize, 4), tag("WAVE"), tag("fmt "), put(16, 4), put(1, 2);
    put(pcm.channels, 2), put(pcm.rate, 4), put(pcm.rate * block, 4), put(block, 2),
        put(8 * bytes, 2);
    tag("data"), put(dataSize, 4);
    for (int16_t sample : pcm.samples)
        eightBit ? out.push_back(static_cast<unsigned char>((sample >> 8) + 128))
                 : put(uint16_t(sample), 2);
    lodepng::save_file(out, path);
}

void writeOgg(const std::string& path, const Pcm& pcm) {
    FILE* out = std::fopen(path.c_str(), "wb");
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, pcm.channels, pcm.rate, 0.4f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    auto writePages = [&](bool flush) {
        ogg_page page;
        while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) !=
               0) {
            std::fwrite(page.header, 1, size_t(page.header_len), out);
            std::fwrite(page.body, 1, size_t(page.body_len), out);
        }
    };
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    writePages(true);
    // The samples in slices, then an empty slice that ends the stream.
    const size_t frames = pcm.samples.size() / pcm.channels;
    for (size_t start = 0, count = 1; count > 0; start += count) {
        count = std::min<size_t>(4096, frames - std::min(start, frames));
        float** channels = vorbis_analysis_buffer(&dsp, int(std::max<size_t>(count, 1)));
        for (size_t i = 0; i < count * pcm.channels; ++i)
            channels[i % pcm.channels][i / pcm.channels] =
                pcm.samples[start * pcm.channels + i] / 32768.0f;
        vorbis_analysis_wrote(&dsp, int(count));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            for (ogg_packet packet; vorbis_bitrate_flushpacket(&dsp, &packet) == 1;
                 writePages(false))
                ogg_stream_packetin(&stream, &packet);
        }
    }
    writePages(true);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    std::fclose(out);
}

}  // namespace SoundMedia
