#pragma once

#include "Core.h"

/// The pixels of the frame being drawn, kept to be drawn again in later frames exactly as
/// they were. For frames that share a costly part which does not change (a panel of
/// pictures and captions beside an animation): draw that part once, take a snapshot, and
/// in the next frames draw the snapshot and then only what moves. Needs the window's
/// OpenGL context.
class FrameSnapshot {
public:
    FrameSnapshot() = default;
    ~FrameSnapshot();
    FrameSnapshot(const FrameSnapshot&) = delete;
    FrameSnapshot& operator=(const FrameSnapshot&) = delete;

    /// Keeps what the whole window (windowSize) shows so far in this frame. False, keeping
    /// nothing, when the window is larger than a texture can be.
    bool take(const Int2& windowSize);
    /// Whether pixels are kept.
    bool isTaken() const;
    /// Draws the kept pixels over the window as they were taken: whatever this frame drew
    /// before does not show through. Nothing when none are kept.
    void draw() const;

private:
    int m_texture = 0;
    Int2 m_size;
    bool m_taken = false;
};
