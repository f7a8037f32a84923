#include "DicesGroup.h"

#include <sstream>
#include <string>

#include "Button.h"
#include "Sprite.h"

template <int N>
DicesGroup<N>::DicesGroup() : insightButton(nullptr), dices() {
    for (int i = 0; i < N; ++i) {
        std::ostringstream path;
        path << "media/d" << N << "/" << (i + 1) << ".png";
        dices[i] = new Sprite(path.str().c_str());
    }
    std::ostringstream caption;
    caption << N << "-sided die";
    std::ostringstream picture;
    picture << "media/d" << N << "/1.png";
    insightButton = new Button(picture.str().c_str(), caption.str().c_str());
}

template <int N>
DicesGroup<N>::~DicesGroup() {
    for (int i = 0; i < N; ++i) {
        delete dices[i];
    }
    delete insightButton;
}

template <int N>
Int2 DicesGroup<N>::drawMain(const Int2& halfSizeMain, Int2 posBegin, float scale,
                             int currentDice) {
    // The heap is only filled with faces 0 to N - 1; anything else is not drawn
    // rather than read past the table.
    if (currentDice < 0 || currentDice >= N) {
        return posBegin;
    }
    Sprite* face = dices[currentDice];
    face->setPosition(posBegin);
    const int originalWidth = face->getOriginalSize().x();
    if (originalWidth > 0) {
        const float ratio = 2.0f * static_cast<float>(halfSizeMain.x()) / originalWidth;
        face->setScale(ratio * scale);
    }
    face->draw();
    return posBegin;
}

template <int N>
Int2 DicesGroup<N>::getSizeInsight() {
    return insightButton->getSize();
}

template <int N>
void DicesGroup<N>::setInsightPos(const Int2& pos) {
    insightButton->setPosition(pos);
}

template <int N>
void DicesGroup<N>::drawInsight(MainClass* this_) {
    insightButton->draw(this_);
}

template <int N>
bool DicesGroup<N>::isInInsight(const Int2& pos) {
    return insightButton->isIn(pos);
}

template <int N>
void DicesGroup<N>::updateImage() {
    insightButton->updateImage();
    for (int i = 0; i < N; ++i) {
        dices[i]->updateImage();
    }
}

template struct DicesGroup<4>;
template struct DicesGroup<6>;
template struct DicesGroup<8>;
template struct DicesGroup<10>;
template struct DicesGroup<12>;
template struct DicesGroup<20>;
