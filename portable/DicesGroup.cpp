#include "DicesGroup.h"

#include <string>

#include "Button.h"
#include "Sprite.h"

std::vector<ImagePreloader::Picture> DicesGroup::pictures(int nbSided) {
    const std::string folder = "media/d" + std::to_string(nbSided) + "/";
    std::vector<ImagePreloader::Picture> list;
    for (int i = 1; i <= nbSided; ++i) {
        list.push_back({folder + std::to_string(i) + ".png", false});
    }
    list.push_back({folder + "1.png", true});
    return list;
}

DicesGroup::DicesGroup(int nbSided) : insightButton(nullptr) {
    const std::vector<ImagePreloader::Picture> list = pictures(nbSided);
    for (int i = 0; i < nbSided; ++i) {
        dices.push_back(new Sprite(list[i].path.c_str()));
    }
    const std::string caption = std::to_string(nbSided) + "-sided die";
    insightButton = new Button(list.back().path.c_str(), caption.c_str());
}

DicesGroup::~DicesGroup() {
    for (Sprite* face : dices) {
        delete face;
    }
    delete insightButton;
}

Int2 DicesGroup::drawMain(const Int2& halfSizeMain, Int2 posBegin, float scale, int currentDice) {
    // The heap is only filled with faces 0 to N - 1; anything else is not drawn
    // rather than read past the table.
    if (currentDice < 0 || currentDice >= static_cast<int>(dices.size())) {
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

Int2 DicesGroup::getSizeInsight() {
    return insightButton->getSize();
}

void DicesGroup::setInsightPos(const Int2& pos) {
    insightButton->setPosition(pos);
}

void DicesGroup::drawInsight(MainClass* this_) {
    insightButton->draw(this_);
}

bool DicesGroup::isInInsight(const Int2& pos) {
    return insightButton->isIn(pos);
}

void DicesGroup::updateImage() {
    insightButton->updateImage();
    for (Sprite* face : dices) {
        face->updateImage();
    }
}
