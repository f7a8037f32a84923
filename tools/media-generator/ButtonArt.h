// The pictures of the roller's four action buttons, on a light card whose top strip
// stays empty for the dark caption the button draws there.
#pragma once

#include "Raster.h"
#include "Typeface.h"

#include <string>

// `name` is one of "simple" (one die), "multi" (several dice), "clear" (emptying
// the heap) and "reroll" (rolling again).
Raster renderButton(const Typefaces& faces, const std::string& name);

extern const char* const BUTTON_NAMES[4];
