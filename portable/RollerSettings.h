// Constants shared by the dice roller's buttons, dice groups and screen, and the
// small-mode flag that sizes all of them.
#pragma once

#include "Core.h"

// Top-left corner of the dice area and half its size in the normal layout.
const Int2 POS_MAIN(10, 50);
const Int2 HALF_SIZE_MAIN(256, 192);

const Color COLOR_BACK(200, 200, 200, 255);           // background, hidden-button frame, dice veil
const Color COLOR_BORDERS(150, 150, 150, 255);        // visible-button frame, tab lines
const Color COLOR_TEXT(50, 50, 50, 255);              // button captions
const Color COLOR_TEXT_ON_BACK(150, 150, 150, 255);   // labels on the background
const Color COLOR_HIDDEN_BUTTON(200, 200, 200, 150);  // veil over a hidden button

const int DURATION_ROLL = 200;  // in Utils::getMillisecond units
const int LIMIT_NB_DICES = 200;

const int BUTTON_WIDTH = 204;
const int BUTTON_HEIGHT = 153;

// Below either limit the compact layout is used; at or below LIMIT_WIDTH_HORIZ it
// also moves the right-hand panel under the dice area.
const int LIMIT_WIDTH_SMALL_MODE = 950;
const int LIMIT_HEIGHT_SMALL_MODE = 750;
const int LIMIT_WIDTH_HORIZ = 550;

const float TEXT_SIZE = 20.0f;
const float TEXT_SIZE_SMALL_MODE = 13.0f;

const int WINDOW_WIDTH_DESKTOP_APP = 1024;
const int WINDOW_HEIGHT_DESKTOP_APP = 768;
const char* const WINDOW_TITLE_DESKTOP_APP = "Kelvarro (desktop version)";

// True while the window is small; written only by MainClass::onWindowResize and read
// by every size computation at the moment it runs.
extern bool isSmallMode;
