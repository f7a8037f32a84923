// ALUT's start-up, WAV loading and error texts for the browser, over Emscripten's OpenAL
// (which plays through the page's audio context).
#include <AL/alc.h>
#include <AL/alut.h>

#include <vector>

#include "WavFile.h"
#include "WholeFile.h"

namespace {

ALenum lastError = ALUT_ERROR_NO_ERROR;
ALCdevice* device = nullptr;
ALCcontext* context = nullptr;

ALuint fail(ALenum error) {
    lastError = error;
    return AL_NONE;
}

}  // namespace

extern "C" {

ALboolean alutInit(int*, char**) {
    if (context != nullptr)
        return fail(ALUT_ERROR_INVALID_OPERATION);
    device = alcOpenDevice(nullptr);
    if (device == nullptr)
        return fail(ALUT_ERROR_OPEN_DEVICE);
    context = alcCreateContext(device, nullptr);
    if (context == nullptr || !alcMakeContextCurrent(context)) {
        alcCloseDevice(device);
        device = nullptr;
        return fail(ALUT_ERROR_CREATE_CONTEXT);
    }
    return AL_TRUE;
}

ALboolean alutExit(void) {
    if (context == nullptr)
        return fail(ALUT_ERROR_INVALID_OPERATION);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
    return AL_TRUE;
}

ALuint alutCreateBufferFromFile(const char* fileName) {
    if (context == nullptr)
        return fail(ALUT_ERROR_NO_CURRENT_CONTEXT);
    std::vector<unsigned char> bytes;
    if (!readWholeFile(fileName, &bytes))
        return fail(ALUT_ERROR_IO_ERROR);
    WavFile wav;
    switch (readWav(bytes.data(), bytes.size(), &wav)) {
        case WavResult::NotWave:
            return fail(ALUT_ERROR_UNSUPPORTED_FILE_TYPE);
        case WavResult::Unsupported:
            return fail(ALUT_ERROR_UNSUPPORTED_FILE_SUBTYPE);
        case WavResult::Corrupt:
            return fail(ALUT_ERROR_CORRUPT_OR_TRUNCATED_DATA);
        case WavResult::Read:
            break;
    }
    const bool mono = wav.channels == 1;
    const ALenum format = wav.bitsPerSample == 8 ? (mono ? AL_FORMAT_MONO8 : AL_FORMAT_STEREO8)
                                                 : (mono ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16);
    ALuint buffer = AL_NONE;
    alGenBuffers(1, &buffer);
    if (buffer == AL_NONE)
        return fail(ALUT_ERROR_GEN_BUFFERS);
    static const unsigned char none = 0;
    alBufferData(buffer, format, wav.samples.empty() ? &none : wav.samples.data(),
                 static_cast<ALsizei>(wav.samples.size()), wav.sampleRate);
    return buffer;
}

ALenum alutGetError(void) {
    const ALenum error = lastError;
    lastError = ALUT_ERROR_NO_ERROR;
    return error;
}

const char* alutGetErrorString(ALenum error) {
    switch (error) {
        case ALUT_ERROR_NO_ERROR:
            return "no error";
        case ALUT_ERROR_OPEN_DEVICE:
            return "cannot open the audio device";
        case ALUT_ERROR_CREATE_CONTEXT:
            return "cannot create the audio context";
        case ALUT_ERROR_INVALID_OPERATION:
            return "audio already started, or not started";
        case ALUT_ERROR_NO_CURRENT_CONTEXT:
            return "audio not started";
        case ALUT_ERROR_GEN_BUFFERS:
            return "cannot make a sound buffer";
        case ALUT_ERROR_IO_ERROR:
            return "cannot read the file";
        case ALUT_ERROR_UNSUPPORTED_FILE_TYPE:
            return "not a WAV file";
        case ALUT_ERROR_UNSUPPORTED_FILE_SUBTYPE:
            return "not 8- or 16-bit PCM with one or two channels";
        case ALUT_ERROR_CORRUPT_OR_TRUNCATED_DATA:
            return "corrupt or cut short";
        default:
            return "unknown audio error";
    }
}

}  // extern "C"
