// The roller's frame reaches the screen with no input at all, with and without a window
// manager: the first one, and again after the window was hidden and shown.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "Process.h"
#include "XInput.h"
// Last: Xlib's macros (None, Status...) would change the names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

// One pixel as the screen shows it; -1 where it cannot be read (the window is not viewable,
// or that pixel is off the screen). The whole window need not be on the screen: without a
// window manager it starts one pixel past the top-left corner.
int pixel(Display* display, unsigned long window, int x, int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return -1;
    const int value = int(XGetPixel(image, 0, 0) & 0xffffff);
    XDestroyImage(image);
    return value;
}

// Until `done` holds or the time is over.
bool waitFor(double seconds, const std::function<bool()>& done) {
    for (const auto end = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
         Clock::now() < end; std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        if (done())
            return true;
    return false;
}

TEST(RollerFirstFrame, IsOnScreenWithoutInputWithAndWithoutAWindowManager) {
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const struct {
        const char* what;
        bool managed;
        const char *hide, *show;
    } cases[] = {
        {"without a window manager", false, "windowunmap --sync WIN", "windowmap --sync WIN"},
        {"under openbox", true, "windowminimize --sync WIN", "windowactivate --sync WIN"}};
    const std::string ready = "/tmp/tovrik-first-frame-" + std::to_string(getpid());
    for (const auto& c : cases) {
        std::unique_ptr<Child> manager;
        if (c.managed) {
            // openbox runs its start-up command once it manages windows.
            std::remove(ready.c_str());
            manager.reset(
                new Child({"/usr/bin/openbox", "--sm-disable", "--startup", "touch " + ready}));
            ASSERT_TRUE(waitFor(20, [&] { return access(ready.c_str(), F_OK) == 0; }))
                << "openbox did not start";
        }
        Child roller({PROGRAM}, SOURCE);
        XWindow x;
        ASSERT_TRUE(x.find("Kelvarro \\(desktop version\\)", 20, [&] { return !roller.exited(); }))
            << c.what;
        // The dice area's background, where nothing else is drawn in the first frame.
        const auto shown = [&] { return pixel(display, x.id, 560, 300) == 0xc8c8c8; };
        EXPECT_TRUE(waitFor(20, shown)) << c.what << ": no first frame on the screen";
        EXPECT_TRUE(x.xdo(c.hide)) << c.what;
        EXPECT_TRUE(x.xdo(c.show)) << c.what;
        EXPECT_TRUE(waitFor(20, shown)) << c.what << ": no frame once shown again";
        EXPECT_TRUE(x.xdo("windowfocus --sync WIN")) << c.what;
        EXPECT_TRUE(x.xdo("key Escape")) << c.what;
        EXPECT_EQ(roller.finish(20).exitStatus, 0) << c.what;
    }
    std::remove(ready.c_str());
    XCloseDisplay(display);
}

}  // namespace
