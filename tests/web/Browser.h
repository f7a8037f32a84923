#pragma once

// Debian's Chromium, headless, driven through the DevTools protocol on a pipe: input events
// that reach the page as a person's would, screenshots, and the page's state read with
// JavaScript. The page's folder is served by tools/web/serve while the object lives.

#include <sys/types.h>

#include <string>

#include "XInput.h"

class Browser {
public:
    Browser(const std::string& folder, const std::string& page, int width, int height);
    ~Browser();

    // A command (params: the members of its JSON object); the answer, empty on an error or
    // after 30 seconds.
    std::string call(const std::string& method, const std::string& params = "");
    // String(expression) in the page; empty when it throws.
    std::string evaluate(const std::string& expression);
    bool waitFor(const std::string& expression, double seconds);
    // A key pressed and released: a character types itself; other keys go by their DOM name
    // and Windows code ("Escape", 27).
    void key(const std::string& name, int code = 0);
    void resize(int width, int height);
    Shot screenshot();

private:
    pid_t children[2] = {-1, -1};  // the server, Chromium
    int toChromium = -1, fromChromium = -1, lastId = 0;
    std::string pending, session, profile;

public:
    std::string navigated;  // the answer to the navigation, for a failure to show
};

// A text as a JSON string.
std::string jsonString(const std::string& text);
