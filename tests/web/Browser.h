#pragma once

// Debian's Chromium, headless, driven through the DevTools protocol on a pipe: input events
// that reach the page as a person's would, screenshots, and the page's state read with
// JavaScript. The web build is served by tools/web/serve while the object lives.

#include <sys/types.h>

#include <string>

#include "XInput.h"

class Browser {
public:
    // That page of the web build, with `before` run ahead of the page's own scripts.
    Browser(const std::string& page, int width, int height, const std::string& before = "");
    ~Browser();

    // A command (params: the members of its JSON object); the answer, empty on an error or
    // after 30 seconds.
    std::string call(const std::string& method, const std::string& params = "");
    // String(expression) in the page; empty when it throws.
    std::string evaluate(const std::string& expression);
    bool waitFor(const std::string& expression, double seconds);
    // A key pressed and released: a character, or a key's DOM name and Windows code
    // ("Escape", 27).
    void key(const std::string& name, int code = 0);
    void resize(int width, int height);
    Shot screenshot();

private:
    pid_t children[2] = {-1, -1};  // the server, Chromium
    int toChromium = -1, fromChromium = -1, lastId = 0;
    std::string pending, session, profile;
};
