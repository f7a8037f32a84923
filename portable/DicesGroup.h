// One die type with N faces: a picture per face for the dice area, and its entry in
// the selection panel (a button showing face 1 captioned "N-sided die").
#pragma once

#include <string>
#include <vector>

#include "Core.h"

#include "ImagePreloader.h"

class Button;
class MainClass;
class Sprite;

struct DicesGroup {
    // Loads media/dN/1.png to media/dN/N.png and the entry button; a missing or
    // broken picture ends the program inside the loader.
    explicit DicesGroup(int nbSided);
    // The pictures the constructor loads, in its order: the faces, then the entry's, which
    // the first frame draws.
    static std::vector<ImagePreloader::Picture> pictures(int nbSided);
    ~DicesGroup();
    DicesGroup(const DicesGroup&) = delete;
    DicesGroup& operator=(const DicesGroup&) = delete;

    // Draws face currentDice (0-based) at posBegin, scale times the dice-area width
    // wide; the roller passes 1/k for k columns. Returns posBegin.
    Int2 drawMain(const Int2& halfSizeMain, Int2 posBegin, float scale, int currentDice);
    Int2 getSizeInsight();
    void setInsightPos(const Int2& pos);
    void drawInsight(MainClass* this_);
    bool isInInsight(const Int2& pos);
    void updateImage();

    Button* insightButton;
    std::vector<Sprite*> dices;  // element k shows face k + 1
};
