#include "Browser.h"

#include <lodepng.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The child's standard output and fds 3 and 4 (Chromium's DevTools pipe) are those given.
pid_t spawn(std::vector<std::string> argv, int out, int commands = -1, int answers = -1) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> args;
        for (std::string& arg : argv)
            args.push_back(arg.data());
        args.push_back(nullptr);
        for (auto [from, to] : {std::pair{out, 1}, {commands, 3}, {answers, 4}})
            dup2(from, to);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// The value of "key" in a JSON text, a string without escapes.
std::string field(const std::string& json, const std::string& key) {
    const size_t start = json.find("\"" + key + "\":\"") + key.size() + 4;
    return start < key.size() + 4 ? "" : json.substr(start, json.find('"', start) - start);
}

std::string decodeBase64(const std::string& text) {
    static const std::string DIGITS =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned value = 0, bits = 0;
    for (char c : text) {
        const size_t digit = DIGITS.find(c);
        if (digit >= DIGITS.size())
            continue;
        value = (value << 6) | unsigned(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += char((value >> bits) & 0xff);
        }
    }
    return out;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text)
        out += c == '"' || c == '\\' ? "\\" + std::string(1, c) : std::string(1, c);
    return out + "\"";
}

}  // namespace

Browser::Browser(const std::string& page, int width, int height, const std::string& before) {
    char dir[] = "/tmp/tovrik-web-profile-XXXXXX";
    int server[2], commands[2], answers[2];
    if (!mkdtemp(dir) || pipe(server) != 0 || pipe(commands) != 0 || pipe(answers) != 0)
        return;
    profile = dir;
    children[0] = spawn({SOURCE "/tools/web/serve", WEB_BUILD}, server[1]);
    char url[100] = {};
    FILE* line = fdopen(server[0], "r");
    const std::string address = fgets(url, sizeof url, line) ? std::strtok(url, "\n") : "";
    fclose(line);
    children[1] = spawn({"chromium", "--no-sandbox", "--headless=new", "--use-angle=swiftshader",
                         "--enable-unsafe-swiftshader", "--remote-debugging-pipe", "--no-first-run",
                         "--user-data-dir=" + profile, "about:blank"},
                        -1, commands[0], answers[1]);
    for (int fd : {server[1], commands[0], answers[1]})
        close(fd);
    toChromium = commands[1];
    fromChromium = answers[0];
    const std::string target = call("Target.createTarget", "\"url\":\"about:blank\"");
    session = field(call("Target.attachToTarget",
                         "\"flatten\":true,\"targetId\":" + jsonString(field(target, "targetId"))),
                    "sessionId");
    resize(width, height);
    call("Page.enable");
    call("Page.addScriptToEvaluateOnNewDocument", "\"source\":" + jsonString(before));
    call("Page.navigate", "\"url\":" + jsonString(address + page));
}

Browser::~Browser() {
    close(toChromium);
    close(fromChromium);
    for (pid_t child : children) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(profile, ignored);
}

// Answers and events come separated by NUL characters; events are dropped.
std::string Browser::call(const std::string& method, const std::string& params) {
    const std::string id = "{\"id\":" + std::to_string(++lastId) + ",";
    std::string message = id + "\"method\":" + jsonString(method) + ",\"params\":{" + params + "}";
    message += ",\"sessionId\":" + jsonString(session) + "}" + '\0';
    if (write(toChromium, message.data(), message.size()) != ssize_t(message.size()))
        return "";
    for (const auto end = Clock::now() + std::chrono::seconds(30);;) {
        for (size_t at; (at = pending.find('\0')) != std::string::npos;) {
            const std::string answer = pending.substr(0, at);
            pending.erase(0, at + 1);
            if (answer.rfind(id, 0) == 0)
                return answer.find("\"error\":") == id.size() ? "" : answer;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        pollfd ready{fromChromium, POLLIN, 0};
        char buffer[1 << 16];
        ssize_t n = 0;
        if (left.count() <= 0 || poll(&ready, 1, int(left.count())) <= 0 ||
            (n = read(fromChromium, buffer, sizeof buffer)) <= 0) {
            return "";
        }
        pending.append(buffer, size_t(n));
    }
}

std::string Browser::evaluate(const std::string& expression) {
    const std::string answer =
        call("Runtime.evaluate",
             "\"returnByValue\":true,\"expression\":" + jsonString("String(" + expression + ")"));
    return answer.find("\"exceptionDetails\"") == std::string::npos ? field(answer, "value") : "";
}

bool Browser::waitFor(const std::string& expression, double seconds) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (evaluate(expression) != "true") {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void Browser::key(const std::string& name, int code) {
    const std::string common = ",\"key\":" + jsonString(name) + ",\"windowsVirtualKeyCode\":" +
                               std::to_string(name.size() == 1 ? std::toupper(name[0]) : code);
    call("Input.dispatchKeyEvent", "\"type\":\"keyDown\"" + common);
    call("Input.dispatchKeyEvent", "\"type\":\"keyUp\"" + common);
}

void Browser::resize(int width, int height) {
    call("Emulation.setDeviceMetricsOverride",
         "\"deviceScaleFactor\":1,\"mobile\":false,"
         "\"width\":" +
             std::to_string(width) + ",\"height\":" + std::to_string(height));
}

Shot Browser::screenshot() {
    const std::string png = decodeBase64(field(call("Page.captureScreenshot"), "data"));
    std::vector<unsigned char> rgba;
    unsigned width = 0, height = 0;
    Shot shot;
    if (lodepng::decode(rgba, width, height, reinterpret_cast<const unsigned char*>(png.data()),
                        png.size()) == 0) {
        shot.width = int(width);
        shot.height = int(height);
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            shot.pixels.push_back({rgba[i], rgba[i + 1], rgba[i + 2]});
    }
    return shot;
}
