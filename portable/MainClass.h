// Kelvarro, the dice roller: the application object the library creates and drives.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "AbstractMainClass.h"
#include "Core.h"
#include "DicesGroup.h"
#include "FrameSnapshot.h"
#include "ImagePreloader.h"

class Button;
class Sound;
class TextElement;

// One-die mode (at start): choosing a die type replaces the heap by one die of that
// type and rolls it. Multiple-dice mode: each choice adds a die (up to 200) and the
// heap is rolled on demand. Every roll plays the dice sound and fades a veil over the
// dice for DURATION_ROLL milliseconds.
//
// The preloader is the first base, so the pictures are decoding on the spare cores
// before the base class opens the window.
class MainClass : private ImagePreloader, public AbstractMainClass {
public:
    explicit MainClass(const char* argv0);
    ~MainClass() override;
    MainClass(const MainClass&) = delete;
    MainClass& operator=(const MainClass&) = delete;

    // True while a roll animation runs; the main loop then draws continuously.
    bool update() override;
    void render() override;
    // Every mouse button acts alike.
    void onPointerPressed(int button, int x, int y) override;
    void onPointerReleased(int button, int x, int y) override;
    void onKeyPressed(int virtualKey) override;
    void onKeyReleased(int virtualKey) override;
    // Decides the small mode from the new window size and rebuilds the labels.
    void onWindowResize() override;
    bool isRunning() override;

    // Opacity of the veil with r milliseconds of the roll left (1 to DURATION_ROLL); the
    // window tests check the fade against it.
    static int getVeilAlpha(long r);

private:
    // Columns of the dice grid for n dice: ceil(sqrt(n)).
    static int getNbColumns(std::size_t n);
    // Top-left corner of die `index` in a grid of nbItemsWidth columns.
    static Int2 getDicePosition(int index, int nbItemsWidth, const Int2& posBegin,
                                const Int2& halfSizeMain);
    friend struct RollerProbe;  // lets the window tests read and set the state

    void addDice(int nbSided);
    void roll();
    void chooseDice(int nbSided);
    void clearHeap();
    void setOneDiceMode(bool oneDice);
    // The six die types: faces, the key that chooses one, the entry's column and row in
    // the selection panel, and the group. Everything done per type goes through it.
    struct DieType {
        int nbSided;
        char key;
        int column;
        int row;
        DicesGroup* MainClass::*group;
    };
    static const DieType DIE_TYPES[6];
    // Every picture the constructor loads, in its order.
    static std::vector<ImagePreloader::Picture> pictures();
    // The group of the type with nbSided faces; null for any other count.
    DicesGroup* groupOf(int nbSided);
    // Whether the dice area, outline included, is clear of everything else drawn.
    bool standsApart(const Int2& diceAreaEnd, int panelTop, int panelLeft) const;
    void drawDice(const Int2& halfSizeMain);
    void drawOutlineAndVeil(const Int2& diceAreaEnd);
    // Everything outside the dice area, in its order.
    void drawPanel(const Int2& windowSize, int buttonWidth);
    void drawTabLines(const Int2& windowSize, int buttonWidth);

    // Everything a frame shows outside the dice area depends on.
    struct FrameState {
        Int2 windowSize;
        bool oneDie, small;
        bool emptyHeap;  // "Roll result" is drawn over a heap only
        bool operator==(const FrameState& o) const {
            return windowSize == o.windowSize && oneDie == o.oneDie && small == o.small &&
                   emptyHeap == o.emptyHeap;
        }
    };

    TextElement* textMain;    // "Roll result", above the dice area
    TextElement* textSelect;  // "Roll a die:", heads the panel in one-die mode
    TextElement* textAdd;     // "Add a new die:", heads it in multiple-dice mode
    DicesGroup* dicesGroup4 = nullptr;
    DicesGroup* dicesGroup6 = nullptr;
    DicesGroup* dicesGroup8 = nullptr;
    DicesGroup* dicesGroup10 = nullptr;
    DicesGroup* dicesGroup12 = nullptr;
    DicesGroup* dicesGroup20 = nullptr;
    // The heap in the order of addition: (number of faces, face shown, 0-based).
    std::vector<std::pair<int, int>> dicesStack;
    bool oneDiceOnly;
    Button* buttonSimple;  // "One die"; hidden (veiled) while that mode is current
    Button* buttonMulti;   // "Multiple dice"; hidden while that mode is current
    Button* buttonClear;
    Button* buttonReroll;
    // Utils::getMillisecond() value at which the running roll animation ends; -1 when
    // an input started no roll.
    long millisecondEndRoll;
    bool isAppRunning;
    Sound* sound;
    // A rolling frame without its dice, outline and veil, and what it showed.
    FrameSnapshot kept;
    FrameState keptState = {};
};
