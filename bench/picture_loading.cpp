// The picture loading path on the dice roller's own media: file to decoded pixels with
// their mipmaps (what the worker threads do at start for the pictures the first frame
// draws), the check of a file kept compressed (what they do for the others), and decoded
// pixels to a texture (what the main thread does at a picture's first draw). Run on a
// display:
//   tests/run-with-display build/bench/picture_loading
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "Image.h"

namespace {

std::vector<std::vector<unsigned char>> rollerFiles() {
    std::vector<std::string> paths = {"simple.png", "multi.png", "clear.png", "reroll.png"};
    for (int sides : {4, 6, 8, 10, 12, 20}) {
        for (int face = 1; face <= sides; ++face) {
            paths.push_back("d" + std::to_string(sides) + "/" + std::to_string(face) + ".png");
        }
    }
    std::vector<std::vector<unsigned char>> files;
    for (const std::string& path : paths) {
        std::ifstream file(std::string(TOVRIK_MEDIA_DIR "/") + path, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return files;
}

const std::vector<std::vector<unsigned char>>& files() {
    static const std::vector<std::vector<unsigned char>> all = rollerFiles();
    return all;
}

// Every roller file through `prepare`, which must succeed.
template <class Prepare>
void prepareAll(benchmark::State& state, Prepare prepare) {
    for (auto _ : state) {
        for (const std::vector<unsigned char>& bytes : files()) {
            PreparedPicture picture;
            if (!prepare(bytes, &picture)) {
                state.SkipWithError("a roller picture does not decode or check");
                return;
            }
            benchmark::DoNotOptimize(picture);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(files().size()));
}

void decodeAll(benchmark::State& state) {
    prepareAll(state, [](const std::vector<unsigned char>& bytes, PreparedPicture* out) {
        return Image::decode(bytes.data(), bytes.size(), out);
    });
}
BENCHMARK(decodeAll)->Unit(benchmark::kMillisecond);

void checkAll(benchmark::State& state) {
    prepareAll(state, [](const std::vector<unsigned char>& bytes, PreparedPicture* out) {
        return Image::check(std::vector<unsigned char>(bytes), out);
    });
}
BENCHMARK(checkAll)->Unit(benchmark::kMillisecond);

void uploadAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<PreparedPicture> pictures(files().size());
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            Image::decode(files()[i].data(), files()[i].size(), &pictures[i]);
        }
        state.ResumeTiming();
        for (PreparedPicture& picture : pictures) {
            Image image(std::move(picture));
            benchmark::DoNotOptimize(image.getIdTexture());
        }
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(files().size()));
}
BENCHMARK(uploadAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutCreateWindow("picture loading");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
