#pragma once

class Sound;

/// Owns the audio system for the whole run: ALUT (and through it the default OpenAL
/// device and context) starts when the application object is built and shuts down when
/// it is destroyed. Only AbstractMainClass creates and destroys the one manager; other
/// code reaches it through AbstractMainClass::getSoundManager().
class SoundManager {
public:
    /// Loads a whole sound file into a new sound with its own buffer and source. Names
    /// ending in ".ogg" (any case) are decoded as Ogg Vorbis, anything else goes to
    /// ALUT's loader (WAV in practice). A file that cannot be loaded ends the program
    /// with a message; the result is never null and belongs to the caller. Loading the
    /// same file twice gives two independent sounds.
    Sound* loadSound(const char* fileName) const;

private:
    friend class AbstractMainClass;

    /// Starts ALUT with the program path; ends the program when no audio device opens.
    explicit SoundManager(const char* argv0);
    /// Shuts ALUT down: every sound must have been deleted before.
    ~SoundManager();

    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    /// ALUT's argument vector: a private copy of the program path, then null.
    char* argvCustom[2];
};
