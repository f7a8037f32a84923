#pragma once

/// Pressed state of every key the program can be told about, in one flat table indexed by
/// key code.
///
/// - 0..255: the character code GLUT delivers for an ordinary key (case-sensitive);
/// - KEYASCII_: the special keys, translated by the callback layer. The arrow and page codes
///   share their codes with control characters 28..31, '!' (33) and '"' (34);
///   the function keys lie above 255;
/// - 268..270: Shift, Control and Alt: never recorded, read from GLUT's modifier state of
///   the input event being delivered (meaningful inside the input handlers).
///
/// One manager exists, owned by AbstractMainClass, which alone creates it and feeds it
/// events; the application reaches it with getKeyboardManager().
class KeyboardManager {
public:
    ///@{
    /// A key code (see the class description).
    static constexpr int KEYASCII_RIGHT = 28;
    static constexpr int KEYASCII_LEFT = 29;
    static constexpr int KEYASCII_UP = 30;
    static constexpr int KEYASCII_DOWN = 31;
    static constexpr int KEYASCII_PAGEUP = 33;
    static constexpr int KEYASCII_PAGEDOWN = 34;
    static constexpr int KEYASCII_TABULATION = 9;
    static constexpr int KEYASCII_DEL = 127;
    static constexpr int KEYASCII_ENTER = 13;
    static constexpr int KEYASCII_ESCAPE = 27;
    static constexpr int KEYASCII_F1 = 256;
    static constexpr int KEYASCII_F2 = 257;
    static constexpr int KEYASCII_F3 = 258;
    static constexpr int KEYASCII_F4 = 259;
    static constexpr int KEYASCII_F5 = 260;
    static constexpr int KEYASCII_F6 = 261;
    static constexpr int KEYASCII_F7 = 262;
    static constexpr int KEYASCII_F8 = 263;
    static constexpr int KEYASCII_F9 = 264;
    static constexpr int KEYASCII_F10 = 265;
    static constexpr int KEYASCII_F11 = 266;
    static constexpr int KEYASCII_F12 = 267;
    static constexpr int KEYASCII_SHIFT = 268;
    static constexpr int KEYASCII_CONTROL = 269;
    static constexpr int KEYASCII_ALT = 270;
    ///@}

    /// Installs a process-wide function called with the key code of every press, before the
    /// table records it. Null removes it. There is one hook, shared by all managers.
    void setKeyPressedEventFunction(void (*eventFunction_)(int));

    /// True while the key is held. For the modifier codes, the modifier state of the input
    /// event being delivered. Any code outside 0..270 ends the program.
    bool getKey(int key) {
        if (key >= 0 && key < KEYASCII_SHIFT) {
            return keys[key];
        }
        return getModifier(key, false);
    }

    /// True while the character key is held, in either case ('a' or 'A').
    bool getKeyNoCase(unsigned char key) { return keys[toLower(key)] || keys[toUpper(key)]; }

    /// True once per press of a held character key: the first query after the press
    /// answers true, later ones false until the key is released and pressed again.
    bool getKeyNoRepeat(unsigned char key) {
        if (!keys[key] || keysWaitForNoRepeat[key]) {
            return false;
        }
        keysWaitForNoRepeat[key] = true;
        return true;
    }

    /// Forgets every held key, for instance when the window loses track of releases.
    void initKeysAsNotPressed();

private:
    friend class AbstractMainClass;

    static constexpr int NB_KEYBOARD_KEYS = 271;

    KeyboardManager();
    ~KeyboardManager();
    KeyboardManager(const KeyboardManager&) = delete;
    KeyboardManager& operator=(const KeyboardManager&) = delete;

    void onKeyPressed(int key);
    void onKeyReleased(int key);
    bool getModifier(int key, bool waitForNoRepeat);

    static unsigned char toLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
    static unsigned char toUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

    bool keys[NB_KEYBOARD_KEYS];
    bool keysWaitForNoRepeat[NB_KEYBOARD_KEYS];
};
