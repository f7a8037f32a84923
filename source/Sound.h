#pragma once

/// One loaded sound: an OpenAL buffer with the whole decoded audio and the OpenAL source
/// that plays it, unpositioned. Sounds are made only by SoundManager::loadSound; whoever
/// receives one deletes it, and must do so before the application object (and with it
/// the audio system) goes away.
class Sound {
public:
    /// Releases the source, then the buffer.
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    /// Always true: a sound that fails to load ends the program instead of existing.
    bool isLoaded() const;

    /// Starts the sound from its beginning; a sound already playing restarts rather than
    /// layering a second copy. With blockUntilEnd the call returns once the source has
    /// stopped, in steps of 10 ms, and nothing else runs meanwhile.
    void play(bool blockUntilEnd);

    /// Stops the sound; no effect when it is not playing.
    void stop();

    /// True while the source plays (a paused source counts as playing).
    bool isPlaying();

    /// Volume 0 to 255, as a gain of vol / 256: 255 is slightly below full gain.
    void setVolume(unsigned char vol);

    ///@{
    /// The OpenAL names, for callers that need a property this class does not cover.
    unsigned int getBufferID() const { return bufferID; }
    unsigned int getSourceID() const { return sourceID; }
    ///@}

private:
    friend class SoundManager;

    /// Takes ownership of both OpenAL objects; the source is already attached to the buffer.
    Sound(unsigned int parBufferID, unsigned int parSourceID);

    unsigned int bufferID;
    unsigned int sourceID;
};
