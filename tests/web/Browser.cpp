#include "Browser.h"

#include <fcntl.h>
#include <lodepng.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

pid_t spawn(std::vector<std::string> argv, int in, int out, int thirdFd, int fourthFd) {
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // The DevTools pipe is fds 3 (commands in) and 4 (answers out).
        if (thirdFd >= 0)
            dup2(thirdFd, 3), dup2(fourthFd, 4);
        if (in >= 0)
            dup2(in, 0);
        if (out >= 0)
            dup2(out, 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        for (int fd = 5; fd < 256; ++fd)
            close(fd);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100 && waitpid(pid, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (waitpid(pid, nullptr, WNOHANG) == 0)
        kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
}

std::string decodeBase64(const std::string& text) {
    std::string out;
    int bits = 0, value = 0;
    for (char c : text) {
        int v = c >= 'A' && c <= 'Z'   ? c - 'A'
                : c >= 'a' && c <= 'z' ? c - 'a' + 26
                : c >= '0' && c <= '9' ? c - '0' + 52
                : c == '+'             ? 62
                : c == '/'             ? 63
                                       : -1;
        if (v < 0)
            continue;
        value = (value << 6) | v, bits += 6;
        if (bits >= 8)
            bits -= 8, out += char((value >> bits) & 0xff);
    }
    return out;
}

}  // namespace

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\', out += c;
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string field(const std::string& json, const std::string& key) {
    const std::string name = "\"" + key + "\":";
    size_t at = json.find(name);
    if (at == std::string::npos)
        return "";
    at += name.size();
    std::string out;
    if (json[at] != '"') {
        while (at < json.size() && json[at] != ',' && json[at] != '}')
            out += json[at++];
        return out;
    }
    for (++at; at < json.size() && json[at] != '"'; ++at) {
        if (json[at] != '\\') {
            out += json[at];
            continue;
        }
        const char e = json[++at];
        if (e == 'n')
            out += '\n';
        else if (e == 't')
            out += '\t';
        else if (e == 'u')
            out += char(std::stoi(json.substr(at + 1, 4), nullptr, 16)), at += 4;
        else
            out += e;
    }
    return out;
}

Server::Server(const std::string& folder) {
    int output[2];
    if (pipe(output) != 0)
        return;
    pid = spawn({SOURCE "/tools/web/serve", folder}, -1, output[1], -1, -1);
    close(output[1]);
    FILE* lines = fdopen(output[0], "r");
    char line[200] = {};
    if (fgets(line, sizeof line, lines))
        url = std::string(line).substr(0, std::string(line).find('\n'));
    fclose(lines);
}

Server::~Server() {
    stop(pid);
}

Browser::Browser(const std::string& url, int width, int height) {
    char dir[] = "/tmp/tovrik-web-profile-XXXXXX";
    if (!mkdtemp(dir))
        return;
    profile = dir;
    int commands[2], answers[2];
    if (pipe(commands) != 0 || pipe(answers) != 0)
        return;
    std::vector<std::string> argv = {"chromium",
                                     "--headless=new",
                                     "--use-angle=swiftshader",
                                     "--enable-unsafe-swiftshader",
                                     "--remote-debugging-pipe",
                                     "--no-first-run",
                                     "--no-default-browser-check",
                                     "--user-data-dir=" + profile,
                                     "about:blank"};
    if (geteuid() == 0)
        argv.insert(argv.begin() + 1, "--no-sandbox");  // Chromium refuses root otherwise
    pid = spawn(argv, -1, -1, commands[0], answers[1]);
    close(commands[0]), close(answers[1]);
    toBrowser = commands[1], fromBrowser = answers[0];
    const std::string target =
        field(call("Target.createTarget", "{\"url\":\"about:blank\"}"), "targetId");
    session = field(
        call("Target.attachToTarget", "{\"targetId\":" + jsonText(target) + ",\"flatten\":true}"),
        "sessionId");
    resize(width, height);
    call("Page.navigate", "{\"url\":" + jsonText(url) + "}");
}

Browser::~Browser() {
    std::error_code ignored;  // Chromium may still be writing its profile
    close(toBrowser), close(fromBrowser);
    stop(pid);
    if (!profile.empty())
        std::filesystem::remove_all(profile, ignored);
}

std::string Browser::call(const std::string& method, const std::string& params) {
    const int id = ++lastId;
    std::string message = "{\"id\":" + std::to_string(id) + ",\"method\":" + jsonText(method) +
                          ",\"params\":" + params;
    if (!session.empty())
        message += ",\"sessionId\":" + jsonText(session);
    message += "}";
    message += '\0';
    for (size_t sent = 0; sent < message.size();) {
        const ssize_t n = write(toBrowser, message.data() + sent, message.size() - sent);
        if (n <= 0)
            return "";
        sent += size_t(n);
    }
    return read(id);
}

// Answers and events come NUL-separated; events are dropped.
std::string Browser::read(int id) {
    const std::string start = "{\"id\":" + std::to_string(id) + ",";
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    for (;;) {
        for (size_t end; (end = pending.find('\0')) != std::string::npos;) {
            const std::string message = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (message.rfind(start, 0) == 0)
                return message.find("\"error\":") == start.size() ? "" : message;
        }
        const int left = int(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        pollfd p{fromBrowser, POLLIN, 0};
        if (left <= 0 || poll(&p, 1, left) <= 0)
            return "";
        char buffer[1 << 16];
        const ssize_t n = ::read(fromBrowser, buffer, sizeof buffer);
        if (n <= 0)
            return "";
        pending.append(buffer, size_t(n));
    }
}

std::string Browser::evaluate(const std::string& expression) {
    const std::string answer =
        call("Runtime.evaluate", "{\"expression\":" + jsonText("String(" + expression + ")") +
                                     ",\"returnByValue\":true}");
    return answer.find("\"exceptionDetails\"") == std::string::npos ? field(answer, "value") : "";
}

bool Browser::waitFor(const std::string& expression, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (evaluate(expression) != "true") {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void Browser::key(char character) {
    const std::string text(1, character);
    const int code = character >= 'a' && character <= 'z' ? character - 'a' + 'A' : character;
    const std::string common =
        ",\"key\":" + jsonText(text) + ",\"windowsVirtualKeyCode\":" + std::to_string(code);
    call("Input.dispatchKeyEvent",
         "{\"type\":\"keyDown\",\"text\":" + jsonText(text) + common + "}");
    call("Input.dispatchKeyEvent", "{\"type\":\"keyUp\"" + common + "}");
}

void Browser::key(const std::string& name, int code) {
    const std::string common =
        ",\"key\":" + jsonText(name) + ",\"windowsVirtualKeyCode\":" + std::to_string(code) + "}";
    call("Input.dispatchKeyEvent", "{\"type\":\"rawKeyDown\"" + common);
    call("Input.dispatchKeyEvent", "{\"type\":\"keyUp\"" + common);
}

void Browser::click(int x, int y) {
    const std::string at = ",\"x\":" + std::to_string(x) + ",\"y\":" + std::to_string(y) +
                           ",\"button\":\"left\",\"clickCount\":1}";
    call("Input.dispatchMouseEvent", "{\"type\":\"mousePressed\"" + at);
    call("Input.dispatchMouseEvent", "{\"type\":\"mouseReleased\"" + at);
}

void Browser::touch(int x, int y) {
    const std::string point = "[{\"x\":" + std::to_string(x) + ",\"y\":" + std::to_string(y) + "}]";
    call("Input.dispatchTouchEvent", "{\"type\":\"touchStart\",\"touchPoints\":" + point + "}");
    call("Input.dispatchTouchEvent", "{\"type\":\"touchEnd\",\"touchPoints\":[]}");
}

void Browser::resize(int width, int height) {
    call("Emulation.setDeviceMetricsOverride", "{\"width\":" + std::to_string(width) +
                                                   ",\"height\":" + std::to_string(height) +
                                                   ",\"deviceScaleFactor\":1,\"mobile\":false}");
}

Shot Browser::screenshot() {
    const std::string png =
        decodeBase64(field(call("Page.captureScreenshot", "{\"format\":\"png\"}"), "data"));
    std::vector<unsigned char> rgba;
    unsigned w = 0, h = 0;
    Shot shot;
    if (png.empty() ||
        lodepng::decode(rgba, w, h, reinterpret_cast<const unsigned char*>(png.data()),
                        png.size()) != 0)
        return shot;
    shot.width = int(w), shot.height = int(h);
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        shot.pixels.push_back({rgba[i], rgba[i + 1], rgba[i + 2]});
    return shot;
}
