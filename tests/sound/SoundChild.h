#pragma once

#include <chrono>

class Sound;

// The scenarios this test program runs when started as a child ("--child <scenario>
// <args...>"), each in a process of its own with its own audio device:
//   init                    start the application (and with it the audio system)
//   load FILE               load one sound
//   play FILE VOLUME        load, set the volume unless VOLUME is "default", play to the end
//   replay FILE GAP_MS      load, play, play again GAP_MS later, wait for the end
// Returns the process's exit status; fatal paths of the library exit on their own.
int runChildScenario(const char* argv0, int argc, char** argv);

// Waits until the sound has stopped; false when it still plays after the limit.
bool waitUntilSilent(Sound& sound, std::chrono::seconds limit);
