#include "SoundMedia.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace SoundMedia {

namespace {

constexpr double PI = 3.14159265358979323846;

int16_t toSample(double value) {
    const double scaled = std::round(value * 32767.0);
    return static_cast<int16_t>(std::fmax(-32768.0, std::fmin(32767.0, scaled)));
}

void putLe(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

void writePages(FILE* out, ogg_stream_state& stream, bool flush) {
    ogg_page page;
    while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
        std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), out);
        std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), out);
    }
}

}  // namespace

Pcm tone(int channels, int rate, double seconds, double frequency, double amplitude) {
    Pcm pcm;
    pcm.channels = channels;
    pcm.rate = rate;
    const auto frames = static_cast<std::size_t>(seconds * rate);
    for (std::size_t i = 0; i < frames; ++i) {
        const int16_t value = toSample(amplitude * std::sin(2.0 * PI * frequency * i / rate));
        pcm.samples.insert(pcm.samples.end(), static_cast<std::size_t>(channels), value);
    }
    return pcm;
}

Pcm noise(int channels, int rate, double seconds, double amplitude, uint32_t seed) {
    Pcm pcm;
    pcm.channels = channels;
    pcm.rate = rate;
    const auto count =
        static_cast<std::size_t>(seconds * rate) * static_cast<std::size_t>(channels);
    uint32_t state = seed;
    for (std::size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        const double unit = static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
        pcm.samples.push_back(toSample(amplitude * (2.0 * unit - 1.0)));
    }
    return pcm;
}

void writeWav(const std::string& path, const Pcm& pcm, bool eightBit) {
    const uint32_t bytesPerSample = eightBit ? 1 : 2;
    const uint32_t blockAlign = bytesPerSample * static_cast<uint32_t>(pcm.channels);
    const auto dataSize = static_cast<uint32_t>(pcm.samples.size() * bytesPerSample);

    std::vector<unsigned char> out;
    putTag(out, "RIFF");
    putLe(out, 36 + dataSize, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // integer PCM
    putLe(out, static_cast<uint32_t>(pcm.channels), 2);
    putLe(out, static_cast<uint32_t>(pcm.rate), 4);
    putLe(out, static_cast<uint32_t>(pcm.rate) * blockAlign, 4);
    putLe(out, blockAlign, 2);
    putLe(out, 8 * bytesPerSample, 2);
    putTag(out, "data");
    putLe(out, dataSize, 4);
    for (int16_t sample : pcm.samples) {
        if (eightBit) {
            out.push_back(static_cast<unsigned char>((sample >> 8) + 128));
        } else {
            putLe(out, static_cast<uint16_t>(sample), 2);
        }
    }
    writeFile(path, out);
}

void writeOgg(const std::string& path, const Pcm& pcm, int serial) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        throw std::runtime_error("cannot write " + path);
    }

    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, pcm.channels, pcm.rate, 0.4f) != 0) {
        std::fclose(out);
        throw std::runtime_error("vorbis encoder refused the layout");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    writePages(out, stream, true);

    // Feed the samples in slices, then an empty write that marks the end of the stream.
    const std::size_t frames = pcm.frames();
    const std::size_t slice = 4096;
    for (std::size_t start = 0;; start += slice) {
        const std::size_t count = start < frames ? std::min(slice, frames - start) : 0;
        if (count > 0) {
            float** channels = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (std::size_t i = 0; i < count; ++i) {
                for (int c = 0; c < pcm.channels; ++c) {
                    const std::size_t at = (start + i) * static_cast<std::size_t>(pcm.channels) +
                                           static_cast<std::size_t>(c);
                    channels[c][i] = static_cast<float>(pcm.samples[at] / 32768.0);
                }
            }
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                writePages(out, stream, false);
            }
        }
        if (count == 0) {
            break;
        }
    }
    writePages(out, stream, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    std::fclose(out);
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace SoundMedia
