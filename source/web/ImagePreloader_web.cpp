// The picture preloader without threads: a static host sends no cross-origin isolation,
// so the page has no shared memory for workers. Each picture is read and prepared on the
// main thread when its sprite takes it; the files are already in memory (preloaded with
// the page), so what the threads would hide is the decoding alone.
#include <utility>

#include "ImagePreloader.h"
#include "Utils.h"
#include "WholeFile.h"

namespace {

ImagePreloader* active = nullptr;

bool readAndPrepare(const ImagePreloader::Picture& wanted, PreparedPicture* out) {
    std::vector<unsigned char> bytes;
    if (!readWholeFile(wanted.path, &bytes))
        return false;
    return wanted.drawnAtStart ? Image::decode(bytes.data(), bytes.size(), out)
                               : Image::check(std::move(bytes), out);
}

}  // namespace

ImagePreloader::ImagePreloader(std::vector<Picture> pictures) {
    UTILS_ASSERT(active == nullptr);
    for (Picture& picture : pictures)
        entries.push_back(Entry{std::move(picture), State::Waiting, PreparedPicture()});
    active = this;
}

ImagePreloader::~ImagePreloader() {
    finish();
}

void ImagePreloader::finish() {
    stopping = true;
    entries.clear();
    if (active == this)
        active = nullptr;
}

bool ImagePreloader::take(const std::string& path, PreparedPicture* out) {
    return active != nullptr && active->takeEntry(path, out);
}

void ImagePreloader::work() {}

bool ImagePreloader::takeEntry(const std::string& path, PreparedPicture* out) {
    for (Entry& entry : entries) {
        if (entry.wanted.path == path && entry.state != State::Taken) {
            entry.state = State::Taken;
            return readAndPrepare(entry.wanted, out);
        }
    }
    return false;
}
