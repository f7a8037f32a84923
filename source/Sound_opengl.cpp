#include "Sound.h"

#include <AL/al.h>

#include "Utils.h"

namespace {
// 1/256: keeps the largest volume just under unity gain.
constexpr float VOLUME_STEP = 0.00390625f;
constexpr unsigned int POLL_INTERVAL_MS = 10;

ALint sourceState(ALuint source) {
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}
}  // namespace

Sound::Sound(unsigned int parBufferID, unsigned int parSourceID)
    : bufferID(parBufferID), sourceID(parSourceID) {}

Sound::~Sound() {
    ALuint source = sourceID;
    ALuint buffer = bufferID;
    // The source goes first: a buffer still attached to a source cannot be deleted.
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
}

bool Sound::isLoaded() const {
    return true;
}

void Sound::play(bool blockUntilEnd) {
    alSourcePlay(sourceID);
    if (!blockUntilEnd) {
        return;
    }
    ALint state;
    do {
        state = sourceState(sourceID);
        Utils::sleepMs(POLL_INTERVAL_MS);
    } while (state != AL_STOPPED);
}

void Sound::stop() {
    alSourceStop(sourceID);
}

bool Sound::isPlaying() {
    const ALint state = sourceState(sourceID);
    return state != AL_INITIAL && state != AL_STOPPED;
}

void Sound::setVolume(unsigned char vol) {
    alSourcef(sourceID, AL_GAIN, static_cast<float>(vol) * VOLUME_STEP);
}
