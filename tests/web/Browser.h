#pragma once

// Debian's Chromium, headless, driven through the DevTools protocol on a pipe: real input
// events (keys, mouse, touch) as a person's reach the page, screenshots of what it shows,
// and the page's own state read with JavaScript. A static server for the web build.

#include <sys/types.h>

#include <string>

#include "XInput.h"

// A folder served on localhost by tools/web/serve, as long as the object lives.
class Server {
public:
    explicit Server(const std::string& folder);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;
    std::string url;  // "http://127.0.0.1:PORT/", empty when it did not start

private:
    pid_t pid = -1;
};

class Browser {
public:
    // One page of that viewport size, opened at url.
    Browser(const std::string& url, int width, int height);
    ~Browser();
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

    // A DevTools command on the page; its result object as JSON, empty on error or after
    // 30 seconds without an answer.
    std::string call(const std::string& method, const std::string& params = "{}");
    // String(expression) evaluated in the page; empty when it throws.
    std::string evaluate(const std::string& expression);
    // Whether the expression became true within the time.
    bool waitFor(const std::string& expression, double seconds);

    void key(char character);
    void key(const std::string& name, int code);  // "Escape", 27
    void click(int x, int y);
    void touch(int x, int y);
    void resize(int width, int height);
    Shot screenshot();

private:
    std::string read(int id);
    pid_t pid = -1;
    int toBrowser = -1, fromBrowser = -1;
    int lastId = 0;
    std::string pending, session, profile;
};

// The JSON text of a string.
std::string jsonText(const std::string& text);
// The value of `"key":` in a JSON text (a string unescaped, anything else as written).
std::string field(const std::string& json, const std::string& key);
