#pragma once

// A window of another X client laid over a window, as when the user brings another
// program to the front, and then taken away.
class CoverWindow {
public:
    // Maps a plain black window over `window` (same place and size) and waits until the
    // server has done it.
    explicit CoverWindow(unsigned long window);
    // Destroys the cover: the window below is uncovered.
    ~CoverWindow();
    CoverWindow(const CoverWindow&) = delete;
    CoverWindow& operator=(const CoverWindow&) = delete;

    bool covers() const { return cover != 0; }

private:
    void* display;
    unsigned long cover = 0;
};
