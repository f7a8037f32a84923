#include "SoundManager.h"

#include <AL/al.h>
#include <AL/alut.h>
#include <vorbis/vorbisfile.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "Sound.h"
#include "Utils.h"

namespace {

// Bytes asked of the decoder per read.
constexpr int OGG_BUFFER_SIZE = 32768;

// The most decoded bytes one OpenAL buffer takes.
constexpr unsigned long long MAX_SOUND_BYTES = std::numeric_limits<ALsizei>::max();

// Sample layout handed to ov_read: the byte order of every supported platform.
constexpr int OGG_LITTLE_ENDIAN = 0;
constexpr int OGG_16_BIT_WORDS = 2;
constexpr int OGG_SIGNED = 1;

bool hasOggExtension(const char* fileName) {
    std::string lower(fileName);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.size() > 3 && lower.compare(lower.size() - 4, 4, ".ogg") == 0;
}

void loadWav(const std::string& fileName, ALuint& sourceID, ALuint& bufferID) {
    alGenSources(1, &sourceID);
    bufferID = alutCreateBufferFromFile(fileName.c_str());
}

// Decodes the whole stream as 16-bit PCM; ends the program on any failure.
void loadOggPrivate(const std::string& fileName, std::vector<char>& buffer, ALenum& format,
                    ALsizei& freq) {
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        std::ostringstream text;
        text << "Cannot open " << fileName << " for reading..." << std::endl;
        Utils::print(text.str().c_str());
        Utils::dieErrorMessageToUser("cannot open ogg file for reading");
    }

    OggVorbis_File oggFile;
    if (ov_open(file, &oggFile, nullptr, 0) != 0) {
        // A failed open leaves the file with us.
        std::fclose(file);
        std::ostringstream text;
        text << "Error opening " << fileName << " for decoding" << std::endl;
        Utils::print(text.str().c_str());
        Utils::dieErrorMessageToUser("error opening ogg file for decoding");
    }
    // From here on the decoder owns the file and closes it in ov_clear.

    // Chained files with differing streams are decoded with the first stream's layout:
    // the whole sound is one buffer of one format.
    const vorbis_info* info = ov_info(&oggFile, -1);
    format = info->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    freq = static_cast<ALsizei>(info->rate);
    // More channels would be played as stereo: scrambled, and too long.
    if (info->channels > 2) {
        const std::string channels = std::to_string(info->channels);
        ov_clear(&oggFile);
        Utils::dieErrorMessageToUser(fileName + ": " + channels +
                                     " channels (mono and stereo sounds play)");
    }

    char block[OGG_BUFFER_SIZE];
    int bitStream = 0;
    long bytes;
    do {
        bytes = ov_read(&oggFile, block, OGG_BUFFER_SIZE, OGG_LITTLE_ENDIAN, OGG_16_BIT_WORDS,
                        OGG_SIGNED, &bitStream);
        if (bytes < 0) {
            ov_clear(&oggFile);
            std::cerr << "Error decoding " << fileName << std::endl;
            Utils::dieErrorMessageToUser("error decoding ogg file");
        }
        // OpenAL takes the size as an ALsizei: a longer sound would be cut or silent.
        if (static_cast<unsigned long long>(bytes) + buffer.size() > MAX_SOUND_BYTES) {
            ov_clear(&oggFile);
            Utils::dieErrorMessageToUser(fileName + ": decoded sound too long");
        }
        // Running out of memory is a fatal condition, not an exception escaping the library.
        try {
            buffer.insert(buffer.end(), block, block + bytes);
        } catch (const std::bad_alloc&) {
            ov_clear(&oggFile);
            Utils::die();
        }
    } while (bytes > 0);

    ov_clear(&oggFile);
}

void loadOgg(const std::string& fileName, ALuint& sourceID, ALuint& bufferID) {
    alGenBuffers(1, &bufferID);
    alGenSources(1, &sourceID);

    ALenum format;
    ALsizei freq;
    {
        std::vector<char> data;
        loadOggPrivate(fileName, data, format, freq);
        // A stream without samples still makes a (silent) sound: OpenAL gets a valid
        // pointer and a size of zero, since an empty vector has no first byte.
        char none = 0;
        const char* bytes = data.empty() ? &none : data.data();
        alBufferData(bufferID, format, bytes, static_cast<ALsizei>(data.size()), freq);
    }
}

}  // namespace

SoundManager::SoundManager(const char* argv0) {
    const std::size_t length = std::strlen(argv0);
    argvCustom[0] = new char[length + 1];
    std::memcpy(argvCustom[0], argv0, length + 1);
    argvCustom[1] = nullptr;

    int argc = 1;
    UTILS_ASSERT(alutInit(&argc, argvCustom) == AL_TRUE);
}

SoundManager::~SoundManager() {
    delete[] argvCustom[0];
    argvCustom[0] = nullptr;
    alutExit();
}

Sound* SoundManager::loadSound(const char* fileName) const {
    ALuint sourceID = 0;
    ALuint bufferID = AL_NONE;
    if (hasOggExtension(fileName)) {
        loadOgg(fileName, sourceID, bufferID);
    } else {
        loadWav(fileName, sourceID, bufferID);
    }

    alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSource3f(sourceID, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcei(sourceID, AL_BUFFER, static_cast<ALint>(bufferID));

    if (bufferID == AL_NONE) {
        const std::string message =
            std::string(fileName) + ": " + alutGetErrorString(alutGetError());
        Utils::dieErrorMessageToUser(message);
    }
    return new Sound(bufferID, sourceID);
}
