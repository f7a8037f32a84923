#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Image.h"

// Reads and decodes a program's pictures on worker threads while the main thread opens
// the window and makes textures; Sprite takes the decoded pictures from it. Workers only
// read files and decode: GL and events stay on the main thread. A picture that a worker
// cannot read or decode is left to the sprite's own loader, which then stops the program
// with its usual message, in the usual order.
//
// Created before the window, it should list the paths in the order the sprites load
// them; at most one is active at a time.
class ImagePreloader {
public:
    explicit ImagePreloader(std::vector<std::string> paths);
    // Stops the workers; pictures nobody took are dropped.
    ~ImagePreloader();
    ImagePreloader(const ImagePreloader&) = delete;
    ImagePreloader& operator=(const ImagePreloader&) = delete;

    // The next untaken picture listed under that path, waiting for its worker if needed;
    // false when no preloader is active, the path is not listed, or decoding failed.
    static bool take(const std::string& path, DecodedPicture* out);

    // Stops the workers and deactivates the preloader before it is destroyed.
    void finish();

private:
    enum class State { Waiting, Decoding, Ready, Failed, Taken };
    struct Entry {
        std::string path;
        State state = State::Waiting;
        DecodedPicture picture;
    };

    void work();
    bool takeEntry(const std::string& path, DecodedPicture* out);

    std::vector<Entry> entries;
    bool stopping = false;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::thread> workers;
};
