#include "FrameSnapshot.h"

#include "opengl/Texture.h"

FrameSnapshot::~FrameSnapshot() {
    Texture::unloadTexture(m_texture);
}

bool FrameSnapshot::take(const Int2& windowSize) {
    m_texture = Texture::copyFrame(m_texture, windowSize.x(), windowSize.y());
    m_size = windowSize;
    m_taken = m_texture != 0;
    return m_taken;
}

bool FrameSnapshot::isTaken() const {
    return m_taken;
}

void FrameSnapshot::draw() const {
    if (m_taken) {
        Texture::drawFrameCopy(m_texture, m_size.x(), m_size.y());
    }
}
