#pragma once

#include "Core.h"

/// Which pointer buttons are held and where the pointer last moved. The application learns
/// of presses and releases through its own handlers; this adds a queryable state.
///
/// Buttons are GLUT's numbers: 0 left, 1 middle, 2 right, 3 and 4 the wheel (one press and
/// release per notch), higher numbers the extra buttons. Numbers 0..4 have a slot; higher
/// numbers are never held as far as getMouseButton is concerned.
///
/// One manager exists, owned by AbstractMainClass, which alone creates it and feeds it
/// events; the application reaches it with getMouseManager().
class MouseManager {
public:
    ///@{
    /// GLUT's number of a main button.
    static constexpr int MOUSE_LEFT_BUTTON = 0;
    static constexpr int MOUSE_MIDDLE_BUTTON = 1;
    static constexpr int MOUSE_RIGHT_BUTTON = 2;
    ///@}

    /// True while button n is held; false for a number without a slot.
    bool getMouseButton(int n);

    /// Last pointer position from a motion event (with or without a button held), in
    /// virtual coordinates, which equal window pixels. Presses and releases do not move it:
    /// the handlers get the press position as arguments. (0, 0) before the first motion.
    const Int2& getMousePosition() const { return mousePosition; }
    /// The same position as the window system reported it.
    const Int2& getMouseRealPosition() const { return mouseRealPosition; }

private:
    friend class AbstractMainClass;

    static constexpr int NB_BUTTON_SLOTS = 5;

    MouseManager();
    ~MouseManager();
    MouseManager(const MouseManager&) = delete;
    MouseManager& operator=(const MouseManager&) = delete;

    void onPointerPressed(int button, int x, int y);
    void onPointerReleased(int button, int x, int y);
    void onPointerMoving(bool isClicking, int x, int y);
    /// The table slot of a button, or -1 when it has none.
    int getButtonTableIdFromMouseId(int n);

    bool mouseButton[NB_BUTTON_SLOTS];
    bool mouseButtonBefore[NB_BUTTON_SLOTS];
    Int2 mousePosition;
    Int2 mouseRealPosition;
};
