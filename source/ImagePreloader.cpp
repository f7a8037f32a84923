#include "ImagePreloader.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <utility>

#include "Utils.h"

namespace {

ImagePreloader* active = nullptr;

// Reads the whole file into one buffer of its measured size.
bool readAndPrepare(const ImagePreloader::Picture& wanted, PreparedPicture* out) {
    std::ifstream file(wanted.path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0 || !file.seekg(0)) {
        return false;
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size) || file.peek() != EOF) {
        return false;
    }
    return wanted.drawnAtStart ? Image::decode(bytes.data(), bytes.size(), out)
                               : Image::check(std::move(bytes), out);
}

// No exception may leave a worker thread (that would abort the program): a picture the
// worker runs out of memory for is left to the sprite's loader, which ends the program
// with its message if the memory is still short.
bool readAndPrepareOrFail(const ImagePreloader::Picture& wanted, PreparedPicture* out) {
    try {
        return readAndPrepare(wanted, out);
    } catch (const std::exception&) {
        *out = PreparedPicture();
        return false;
    }
}

}  // namespace

ImagePreloader::ImagePreloader(std::vector<Picture> pictures) {
    UTILS_ASSERT(active == nullptr);
    for (Picture& picture : pictures) {
        entries.push_back(Entry{std::move(picture), State::Waiting, PreparedPicture()});
    }
    active = this;
    const unsigned cores = std::thread::hardware_concurrency();
    for (unsigned i = 0; i < (cores > 1 ? cores : 1); ++i) {
        workers.emplace_back(&ImagePreloader::work, this);
    }
}

ImagePreloader::~ImagePreloader() {
    finish();
}

void ImagePreloader::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    for (std::thread& worker : workers) {
        worker.join();
    }
    workers.clear();
    entries.clear();
    if (active == this) {
        active = nullptr;
    }
}

bool ImagePreloader::take(const std::string& path, PreparedPicture* out) {
    return active != nullptr && active->takeEntry(path, out);
}

void ImagePreloader::work() {
    std::unique_lock<std::mutex> lock(mutex);
    for (Entry& entry : entries) {
        if (stopping) {
            return;
        }
        if (entry.state != State::Waiting) {
            continue;
        }
        entry.state = State::Decoding;
        lock.unlock();
        PreparedPicture picture;
        const bool prepared = readAndPrepareOrFail(entry.wanted, &picture);
        lock.lock();
        entry.picture = std::move(picture);
        entry.state = prepared ? State::Ready : State::Failed;
        changed.notify_all();
    }
}

bool ImagePreloader::takeEntry(const std::string& path, PreparedPicture* out) {
    std::unique_lock<std::mutex> lock(mutex);
    Entry* entry = nullptr;
    for (Entry& candidate : entries) {
        if (candidate.wanted.path == path && candidate.state != State::Taken) {
            entry = &candidate;
            break;
        }
    }
    if (entry == nullptr) {
        return false;
    }
    if (entry->state == State::Waiting) {
        // Taken out of order, before any worker reached it: the caller loads it itself.
        entry->state = State::Taken;
        return false;
    }
    changed.wait(lock, [&] { return entry->state != State::Decoding; });
    const bool prepared = entry->state == State::Ready;
    entry->state = State::Taken;
    *out = std::move(entry->picture);
    return prepared;
}
