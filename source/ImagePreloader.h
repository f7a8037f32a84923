#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Image.h"

/// Reads a program's pictures on worker threads while the main thread opens the window and
/// makes textures; Sprite takes the prepared pictures from it. The pictures the first frame
/// draws are decoded; the others are only checked (Image::check) and decoded when first
/// drawn. Workers only read files, check and decode: GL and events stay on the main thread.
/// A picture that a worker cannot read or prepare is left to the sprite's own loader, which
/// then stops the program with its usual message, in the usual order.
///
/// Created before the window, it should list the pictures in the order the sprites load
/// them; at most one is active at a time.
class ImagePreloader {
public:
    /// A picture file to prepare.
    struct Picture {
        std::string path;   ///< As the sprite names it, relative to the working directory.
        bool drawnAtStart;  ///< decoded ahead rather than when first drawn
    };

    /// Becomes the active preloader and starts a worker per processor core on the pictures.
    explicit ImagePreloader(std::vector<Picture> pictures);
    /// Stops the workers; pictures nobody took are dropped.
    ~ImagePreloader();
    ImagePreloader(const ImagePreloader&) = delete;
    ImagePreloader& operator=(const ImagePreloader&) = delete;

    /// The next untaken picture listed under that path, waiting for its worker if needed;
    /// false when no preloader is active, the path is not listed, or it failed.
    static bool take(const std::string& path, PreparedPicture* out);

    /// Stops the workers and deactivates the preloader before it is destroyed.
    void finish();

private:
    enum class State { Waiting, Decoding, Ready, Failed, Taken };
    struct Entry {
        Picture wanted;
        State state = State::Waiting;
        PreparedPicture picture;
    };

    void work();
    bool takeEntry(const std::string& path, PreparedPicture* out);

    std::vector<Entry> entries;
    bool stopping = false;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::thread> workers;
};
