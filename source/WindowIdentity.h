#pragma once

#include <string>
#include <vector>

/// How the desktop tells a game's window from others: the game's name and its icon. A game
/// gives one as the last argument of AbstractMainClass's constructor:
///
///     MainClass::MainClass(const char* argv0)
///         : AbstractMainClass(argv0, "My game", 800, 600, false,
///                             WindowIdentity{"MyGame",
///                                            {"media/icon-32.png", "media/icon-48.png"}}) {}
///
/// A game that gives none (or an empty one) gets a window without them, as before.
///
/// On Linux (X11) the window gets WM_CLASS, with the name in lower case as its instance
/// ("mygame") and the name itself as its class ("MyGame"), the process id (_NET_WM_PID),
/// and the pictures as its icon (_NET_WM_ICON). Task bars, docks and window switchers show
/// that icon, and tie the window to the game's desktop entry when that entry names the
/// same class (StartupWMClass=MyGame).
///
/// On Windows the window and the program file take their icon from the program's resources
/// instead: an icon resource named GLUT_ICON, which GLUT loads for its windows.
struct WindowIdentity {
    /// The game's name, as the window system groups and labels its windows. Letters,
    /// digits, '-' and '_' are safest; empty leaves the window unnamed.
    std::string name;
    /// PNG pictures of the game's icon, one per size (square, 16 to 128 pixels: 16, 32 and
    /// 48 are the common ones), read from paths relative to the working directory like every
    /// other picture. A missing or broken picture ends the program as a missing picture does.
    std::vector<std::string> iconPictures;
};
