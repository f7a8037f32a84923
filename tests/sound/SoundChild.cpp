#include "SoundChild.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "MainClass.h"
#include "Sound.h"
#include "SoundManager.h"
#include "Utils.h"

namespace {

constexpr int STATUS_USAGE = 2;
constexpr int STATUS_STILL_PLAYING = 3;

int runWithApp(const char* argv0, const std::string& scenario, int argc, char** argv) {
    std::unique_ptr<MainClass> app(new MainClass(argv0));
    if (scenario == "init") {
        return 0;
    }
    if (argc < 1) {
        return STATUS_USAGE;
    }
    std::unique_ptr<Sound> sound(app->getSoundManager()->loadSound(argv[0]));
    int status = 0;
    if (scenario == "play" && argc == 2) {
        if (std::string(argv[1]) != "default") {
            sound->setVolume(static_cast<unsigned char>(std::atoi(argv[1])));
        }
        sound->play(true);
    } else if (scenario == "replay" && argc == 2) {
        sound->play(false);
        Utils::sleepMs(static_cast<unsigned int>(std::atoi(argv[1])));
        sound->play(false);
        status = waitUntilSilent(*sound, std::chrono::seconds(10)) ? 0 : STATUS_STILL_PLAYING;
    } else if (scenario != "load" || argc != 1) {
        status = STATUS_USAGE;
    }
    // The sound goes before the application, which shuts the audio system down.
    sound.reset();
    app.reset();
    return status;
}

}  // namespace

bool waitUntilSilent(Sound& sound, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (sound.isPlaying()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        Utils::sleepMs(5);
    }
    return true;
}

int runChildScenario(const char* argv0, int argc, char** argv) {
    if (argc < 1) {
        return STATUS_USAGE;
    }
    return runWithApp(argv0, argv[0], argc - 1, argv + 1);
}
