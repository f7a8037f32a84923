#include "MainClass.h"

#include <algorithm>
#include <cmath>

#include "Button.h"
#include "Display.h"
#include "Font.h"
#include "RollerSettings.h"
#include "Sound.h"
#include "SoundManager.h"
#include "TextElement.h"
#include "Utils.h"

bool isSmallMode = false;

const MainClass::DieType MainClass::DIE_TYPES[6] = {
    {4, '4', 0, 0, &MainClass::dicesGroup4},   {6, '6', 0, 1, &MainClass::dicesGroup6},
    {8, '8', 0, 2, &MainClass::dicesGroup8},   {10, '0', 1, 0, &MainClass::dicesGroup10},
    {12, '1', 1, 1, &MainClass::dicesGroup12}, {20, '2', 1, 2, &MainClass::dicesGroup20},
};

namespace {

const char* const PICTURE_SIMPLE = "media/simple.png";
const char* const PICTURE_MULTI = "media/multi.png";
const char* const PICTURE_CLEAR = "media/clear.png";
const char* const PICTURE_REROLL = "media/reroll.png";

// The desktop entry names the same window class (StartupWMClass=Kelvarro).
WindowIdentity identity() {
    return {"Kelvarro",
            {"media/icons/kelvarro-16.png", "media/icons/kelvarro-32.png",
             "media/icons/kelvarro-48.png", "media/icons/kelvarro-128.png"}};
}

}  // namespace

std::vector<ImagePreloader::Picture> MainClass::pictures() {
    // The first frame shows one-die mode: Clear and Reroll are not drawn yet.
    std::vector<ImagePreloader::Picture> list = {{PICTURE_SIMPLE, true}, {PICTURE_MULTI, true}};
    for (const DieType& type : DIE_TYPES) {
        const std::vector<ImagePreloader::Picture> group = DicesGroup::pictures(type.nbSided);
        list.insert(list.end(), group.begin(), group.end());
    }
    list.push_back({PICTURE_CLEAR, false});
    list.push_back({PICTURE_REROLL, false});
    return list;
}

MainClass::MainClass(const char* argv0)
    : ImagePreloader(pictures()),
      AbstractMainClass(argv0, WINDOW_TITLE_DESKTOP_APP, WINDOW_WIDTH_DESKTOP_APP,
                        WINDOW_HEIGHT_DESKTOP_APP, false, identity()),
      textMain(nullptr),
      textSelect(nullptr),
      textAdd(nullptr),
      oneDiceOnly(true),
      buttonSimple(nullptr),
      buttonMulti(nullptr),
      buttonClear(nullptr),
      buttonReroll(nullptr),
      millisecondEndRoll(-1),
      isAppRunning(true),
      sound(nullptr) {
    Utils::initRandomSeed();

    // Every caption and label is made with the default font, so it comes first.
    Font::setDefaultFont(new Font("Segoe UI Symbol", "media/default_font.png", 1.5f, 6, 2));

    buttonSimple = new Button(PICTURE_SIMPLE, "One die");
    buttonMulti = new Button(PICTURE_MULTI, "Multiple dice");
    buttonSimple->hide();

    for (const DieType& type : DIE_TYPES) {
        this->*type.group = new DicesGroup(type.nbSided);
    }

    buttonClear = new Button(PICTURE_CLEAR, "Clear dice heap (c)");
    buttonReroll = new Button(PICTURE_REROLL, "Reroll (space)");
    // Every picture is taken: no worker outlives the loading.
    ImagePreloader::finish();

    sound = getSoundManager()->loadSound("media/44061__marnik__dicewood.wav");

    onWindowResize();
}

MainClass::~MainClass() {
    // The sound goes before the base class shuts the audio system down.
    delete sound;
    delete buttonSimple;
    delete buttonMulti;
    delete buttonClear;
    delete buttonReroll;
    delete textMain;
    delete textSelect;
    delete textAdd;
    for (const DieType& type : DIE_TYPES) {
        delete (this->*type.group);
    }
    delete Font::getDefaultFont();
    Font::setDefaultFont(nullptr);
}

bool MainClass::update() {
    return Utils::getMillisecond() < millisecondEndRoll;
}

bool MainClass::isRunning() {
    return isAppRunning;
}

// ---------------------------------------------------------------------------------
// Heap and rolling

void MainClass::roll() {
    sound->play(false);
    for (std::pair<int, int>& dice : dicesStack) {
        dice.second = Utils::random(dice.first);
    }
    millisecondEndRoll = Utils::getMillisecond() + DURATION_ROLL;
}

void MainClass::addDice(int nbSided) {
    if (dicesStack.size() >= static_cast<std::size_t>(LIMIT_NB_DICES)) {
        return;
    }
    if (oneDiceOnly) {
        dicesStack.emplace_back(nbSided, 0);
        roll();
    } else {
        dicesStack.emplace_back(nbSided, Utils::random(nbSided));
    }
}

void MainClass::chooseDice(int nbSided) {
    if (oneDiceOnly) {
        clearHeap();
    }
    addDice(nbSided);
}

void MainClass::clearHeap() {
    dicesStack.clear();
}

void MainClass::setOneDiceMode(bool oneDice) {
    oneDiceOnly = oneDice;
    clearHeap();
    // The hidden mode button marks the current mode; the visible one switches.
    if (oneDice) {
        buttonSimple->hide();
        buttonMulti->show();
    } else {
        buttonSimple->show();
        buttonMulti->hide();
    }
}

// ---------------------------------------------------------------------------------
// Input

namespace {

const int KEY_ESCAPE = 27;  // Escape arrives as its character code

// Shared start of both input handlers: now and then a fresh seed, and any press ends
// a running roll animation (an action that rolls starts a new one).
void inputPrologue(long& millisecondEndRoll) {
    if (Utils::random(100) == 0) {
        Utils::initRandomSeed();
    }
    millisecondEndRoll = -1;
}

}  // namespace

DicesGroup* MainClass::groupOf(int nbSided) {
    for (const DieType& type : DIE_TYPES) {
        if (type.nbSided == nbSided) {
            return this->*type.group;
        }
    }
    return nullptr;
}

void MainClass::onKeyPressed(int virtualKey) {
    inputPrologue(millisecondEndRoll);
    for (const DieType& type : DIE_TYPES) {
        if (virtualKey == type.key) {
            chooseDice(type.nbSided);
            return;
        }
    }
    switch (virtualKey) {
        case KEY_ESCAPE:
            isAppRunning = false;
            break;
        case ' ':
            roll();
            break;
        case 'C':
        case 'c':
            clearHeap();
            break;
        case 'M':
        case 'm':
            setOneDiceMode(false);
            break;
        case 'S':
        case 's':
            setOneDiceMode(true);
            break;
        default:
            break;
    }
}

void MainClass::onKeyReleased(int) {}

void MainClass::onPointerPressed(int, int x, int y) {
    inputPrologue(millisecondEndRoll);
    const Int2 p(x, y);
    // The normal layout's dice area, kept in small mode too.
    const bool inDiceArea = POS_MAIN < p && p < POS_MAIN + HALF_SIZE_MAIN * 2.0f;
    for (const DieType& type : DIE_TYPES) {
        if ((this->*type.group)->isInInsight(p)) {
            chooseDice(type.nbSided);
            return;
        }
    }
    if (buttonSimple->isIn(p)) {
        setOneDiceMode(true);
    } else if (buttonMulti->isIn(p)) {
        setOneDiceMode(false);
    } else if (!oneDiceOnly && buttonClear->isIn(p)) {
        clearHeap();
    } else if ((!oneDiceOnly && buttonReroll->isIn(p)) || inDiceArea) {
        roll();
    }
}

void MainClass::onPointerReleased(int, int, int) {}

void MainClass::onWindowResize() {
    const Int2 size = getDisplay()->getWindowSize();
    isSmallMode = size.x() < LIMIT_WIDTH_SMALL_MODE || size.y() < LIMIT_HEIGHT_SMALL_MODE;

    delete textMain;
    delete textAdd;
    delete textSelect;
    const float textSize = isSmallMode ? TEXT_SIZE_SMALL_MODE : TEXT_SIZE;
    Font* font = Font::getDefaultFont();
    textMain = new TextElement(font, "Roll result", textSize, COLOR_TEXT_ON_BACK);
    textAdd = new TextElement(font, "Add a new die:", textSize, COLOR_TEXT_ON_BACK);
    textSelect = new TextElement(font, "Roll a die:", textSize, COLOR_TEXT_ON_BACK);
}

// ---------------------------------------------------------------------------------
// Drawing

int MainClass::getVeilAlpha(long r) {
    // Rises from 0 to 255 over the first half of the roll and falls back over the
    // second: 512 / DURATION_ROLL is 256 per half roll.
    const long half = DURATION_ROLL / 2;
    if (r > half) {
        return static_cast<int>(256 - ((r - half) * 512) / DURATION_ROLL);
    }
    return static_cast<int>(std::min(255L, (r * 512) / DURATION_ROLL));
}

int MainClass::getNbColumns(std::size_t n) {
    return static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
}

Int2 MainClass::getDicePosition(int index, int nbItemsWidth, const Int2& posBegin,
                                const Int2& halfSizeMain) {
    const int column = index % nbItemsWidth;
    const int row = index / nbItemsWidth;
    return Int2(posBegin.x() + (2 * halfSizeMain.x() * column) / nbItemsWidth,
                posBegin.y() + (2 * halfSizeMain.y() * row) / nbItemsWidth);
}

void MainClass::render() {
    Display* display = getDisplay();

    // The per-frame hook of every picture (the clear comes once it is known to be needed).
    buttonSimple->updateImage();
    buttonMulti->updateImage();
    buttonClear->updateImage();
    buttonReroll->updateImage();
    for (const DieType& type : DIE_TYPES) {
        (this->*type.group)->updateImage();
    }

    const Int2 windowSize = display->getWindowSize();
    const int width = windowSize.x();
    const int height = windowSize.y();
    const Int2 buttonSize = buttonSimple->getSize();
    const int w = buttonSize.x();
    const int h = buttonSize.y();

    // Mode buttons at the bottom left, result label above the dice area.
    buttonSimple->setPosition(Int2(10, height - h - 10));
    buttonMulti->setPosition(Int2(10 + w + 10, height - h - 10));
    textMain->setPosition(Int2(10, 20));

    // Right-hand panel, two columns aligned to the right edge; in a narrow small
    // window it moves below the dice area.
    const int posX = width - w - 10 - w - 10;
    const int posX2 = width - w - 10;
    int yTop = 10;
    int posY = 30;
    if (isSmallMode && width <= LIMIT_WIDTH_HORIZ) {
        const int halfHeightSmall = static_cast<int>(HALF_SIZE_MAIN.y() * 0.5f);
        yTop = halfHeightSmall + 173;
        posY = halfHeightSmall + 193;
    }
    buttonClear->setPosition(Int2(posX, yTop));
    buttonReroll->setPosition(Int2(posX + w + 10, yTop));
    posY += h;
    textAdd->setPosition(Int2(posX, posY));
    textSelect->setPosition(Int2(posX, posY));
    posY += 40;
    const int step = h + 10;
    for (const DieType& type : DIE_TYPES) {
        (this->*type.group)
            ->setInsightPos(Int2(type.column == 0 ? posX : posX2, posY + type.row * step));
    }

    // While rolls animate only the dice area changes. Where it stands apart from
    // everything else, the frame but its dice, outline and veil is kept and drawn back in
    // the next frames, through any number of rolls, as long as nothing in it has changed:
    // software rendering then rasterises the panel's pictures and captions once rather
    // than in every frame, and a new roll draws only its dice.
    const Int2 halfSizeMain = isSmallMode ? HALF_SIZE_MAIN * 0.5f : HALF_SIZE_MAIN;
    const Int2 posEnd = POS_MAIN + halfSizeMain * 2.0f;
    const bool keeps =
        Utils::getMillisecond() < millisecondEndRoll && standsApart(posEnd, yTop, posX);
    const FrameState state = {windowSize, oneDiceOnly, isSmallMode, dicesStack.empty()};
    const bool drawnBack = keeps && kept.isTaken() && state == keptState;
    // Clear, unless the kept frame is drawn back: it covers every pixel, unblended.
    if (!drawnBack) {
        display->clearScreen(COLOR_BACK);
    }
    if (!keeps) {
        drawDice(halfSizeMain);
        drawOutlineAndVeil(posEnd);
        drawPanel(windowSize, w);
        return;
    }
    if (drawnBack) {
        kept.draw();
    } else {
        drawPanel(windowSize, w);
        keptState = state;
        kept.take(windowSize);
    }
    drawDice(halfSizeMain);
    drawOutlineAndVeil(posEnd);
}

bool MainClass::standsApart(const Int2& diceAreaEnd, int panelTop, int panelLeft) const {
    // The outline and the tab lines are 3 pixels wide: each reaches 2 pixels past its
    // line. "Roll result" ends above the dice area in every layout.
    const int reach = 2;
    const int tabLineY = buttonSimple->getPosition().y() - 5;
    return tabLineY - reach > diceAreaEnd.y() + reach &&
           (panelLeft - reach > diceAreaEnd.x() + reach ||
            panelTop - reach > diceAreaEnd.y() + reach);
}

void MainClass::drawDice(const Int2& halfSizeMain) {
    // The heap as a grid of ceil(sqrt(n)) columns, row by row from the top left.
    if (dicesStack.empty()) {
        return;
    }
    const int nbItemsWidth = getNbColumns(dicesStack.size());
    const float scaleItem = 1.0f / static_cast<float>(nbItemsWidth);
    for (std::size_t i = 0; i < dicesStack.size(); ++i) {
        const Int2 posDice =
            getDicePosition(static_cast<int>(i), nbItemsWidth, POS_MAIN, halfSizeMain);
        if (DicesGroup* group = groupOf(dicesStack[i].first)) {
            group->drawMain(halfSizeMain, posDice, scaleItem, dicesStack[i].second);
        }
    }
}

void MainClass::drawOutlineAndVeil(const Int2& diceAreaEnd) {
    Display* display = getDisplay();
    const long ms = Utils::getMillisecond();
    display->drawRoundedRectangle(POS_MAIN, diceAreaEnd, COLOR_BACK, 20.0f, 20.0f, false);
    if (ms < millisecondEndRoll) {
        const Color veil(COLOR_BACK.r(), COLOR_BACK.g(), COLOR_BACK.b(),
                         static_cast<unsigned char>(getVeilAlpha(millisecondEndRoll - ms)));
        display->drawRoundedRectangle(POS_MAIN, diceAreaEnd, veil, 0.0f, 0.0f, true);
    }
}

void MainClass::drawPanel(const Int2& windowSize, int buttonWidth) {
    // Result label, only over a heap.
    if (!dicesStack.empty()) {
        textMain->draw();
    }

    // Clear and Reroll belong to multiple-dice mode.
    if (!oneDiceOnly) {
        buttonClear->draw(this);
        buttonReroll->draw(this);
    }

    // Panel label.
    if (oneDiceOnly) {
        textSelect->draw();
    } else {
        textAdd->draw();
    }

    // Selection panel.
    for (const DieType& type : DIE_TYPES) {
        (this->*type.group)->drawInsight(this);
    }

    // Mode buttons; the current one is hidden and so drawn veiled.
    buttonSimple->draw(this);
    buttonMulti->draw(this);

    // Tab lines joining the mode buttons into a tab bar.
    drawTabLines(windowSize, buttonWidth);
}

void MainClass::drawTabLines(const Int2& windowSize, int buttonWidth) {
    Display* display = getDisplay();
    const int height = windowSize.y();
    const float thickness = 3.0f;
    const int limitRight =
        height > 1023 ? windowSize.x() + 10 : buttonMulti->getPosition().x() + buttonWidth + 10;

    if (oneDiceOnly) {
        const Int2 b = buttonSimple->getPosition();
        const int x1 = b.x() + buttonWidth + 5;
        const int y0 = b.y() - 5;
        display->drawLine(Int2(x1, y0), Int2(limitRight, y0), COLOR_BORDERS, thickness);
        display->drawLine(Int2(x1, y0), Int2(x1, height), COLOR_BORDERS, thickness);
        display->drawLine(Int2(limitRight, y0), Int2(limitRight, height), COLOR_BORDERS, thickness);
    } else {
        const Int2 b = buttonMulti->getPosition();
        const int xl = b.x() - 5;
        const int xr = b.x() + buttonWidth + 5;
        const int y0 = b.y() - 5;
        display->drawLine(Int2(xl, y0), Int2(0, y0), COLOR_BORDERS, thickness);
        display->drawLine(Int2(xl, y0), Int2(xl, height), COLOR_BORDERS, thickness);
        display->drawLine(Int2(xr, y0), Int2(limitRight, y0), COLOR_BORDERS, thickness);
        display->drawLine(Int2(xr, y0), Int2(xr, height), COLOR_BORDERS, thickness);
        display->drawLine(Int2(limitRight, y0), Int2(limitRight, height), COLOR_BORDERS, thickness);
    }
}
