// A contact sheet of the media, for review at a glance: faces at full size and in
// the roller's smallest grid, the buttons as the roller draws them in both layouts,
// and text in the font at both of the roller's scales. Pictures are read back from
// the written files and shown through an imitation of the library's texture drawing
// (mipmap level, filtering, alpha test), so the sheet shows what the roller shows.
#pragma once

#include "Typeface.h"

#include <string>

bool writeContactSheet(const Typefaces& faces, const std::string& mediaDir, const std::string& path,
                       std::string& errorText);
