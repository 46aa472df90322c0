#pragma once
#include <QPoint>
#include <chrono>
#include <dlfcn.h>
#include <functional>
#include <thread>

namespace wvs::test {

// The pointer and keys of the X server, pressed through its XTEST extension
// from a connection of their own, as a user's hand would: they go on while
// the program is busy.
class XHand {
public:
    XHand()
        : x11_(dlopen("libX11.so.6", RTLD_NOW)), xtst_(dlopen("libXtst.so.6", RTLD_NOW))
    {
        if (x11_ && xtst_ && dlsym(xtst_, "XTestFakeMotionEvent") && dlsym(xtst_, "XTestFakeButtonEvent")
            && dlsym(xtst_, "XTestFakeKeyEvent"))
            display_ = call<void *>(x11_, "XOpenDisplay", static_cast<const char *>(nullptr));
    }
    ~XHand()
    {
        if (display_)
            call(x11_, "XCloseDisplay", display_);
    }
    bool ready() const { return display_ != nullptr; }
    void moveTo(QPoint at) { send("XTestFakeMotionEvent", -1, at.x(), at.y()); }
    void leftButton(bool down) { send("XTestFakeButtonEvent", 1u, int(down)); }
    void click(QPoint at)
    {
        moveTo(at);
        leftButton(true);
        leftButton(false);
    }
    // Two clicks sent together, so that however busy the machine, they reach the window system well inside
    // its double-click time.
    void doubleClick(QPoint at)
    {
        moveTo(at);
        for (const int down : {1, 0, 1, 0})
            call(xtst_, "XTestFakeButtonEvent", display_, 1u, down, 0ul);
        flushAndRest();
    }
    void shiftClick(QPoint at)
    {
        const unsigned shiftCode = keycode(0xffe1ul);   // XK_Shift_L
        send("XTestFakeKeyEvent", shiftCode, 1);
        click(at);
        send("XTestFakeKeyEvent", shiftCode, 0);
    }
    void middleClick(QPoint at)
    {
        moveTo(at);
        send("XTestFakeButtonEvent", 2u, 1);
        send("XTestFakeButtonEvent", 2u, 0);
    }
    // A key held down (true) or let go, by its X keysym.
    void hold(unsigned long keysym, bool down) { send("XTestFakeKeyEvent", keycode(keysym), int(down)); }
    void drag(QPoint from, QPoint to)
    {
        moveTo(from);
        leftButton(true);
        for (int step = 1; step <= 4; ++step)
            moveTo(from + (to - from) * step / 4);
        leftButton(false);
    }
    // One notch of the wheel, away from the user (up) or towards him.
    void wheel(bool up)
    {
        send("XTestFakeButtonEvent", up ? 4u : 5u, 1);
        send("XTestFakeButtonEvent", up ? 4u : 5u, 0);
    }
    void escape() { key(0xff1bul); }   // XK_Escape
    // A key by its X keysym, with Shift held when asked.
    void key(unsigned long keysym, bool shift = false)
    {
        const unsigned shiftCode = keycode(0xffe1ul);   // XK_Shift_L
        if (shift)
            send("XTestFakeKeyEvent", shiftCode, 1);
        send("XTestFakeKeyEvent", keycode(keysym), 1);
        send("XTestFakeKeyEvent", keycode(keysym), 0);
        if (shift)
            send("XTestFakeKeyEvent", shiftCode, 0);
    }

private:
    // Calls the library's function of that name with these arguments.
    template <class R = int, class... A>
    static R call(void *library, const char *name, A... args)
    {
        return reinterpret_cast<R (*)(A...)>(dlsym(library, name))(args...);
    }
    // An XTEST event with no delay, sent at once; the hand then rests a moment.
    template <class... A>
    void send(const char *event, A... args)
    {
        call(xtst_, event, display_, args..., 0ul);
        flushAndRest();
    }
    void flushAndRest()
    {
        call(x11_, "XFlush", display_);
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    unsigned keycode(unsigned long keysym) { return call<unsigned char>(x11_, "XKeysymToKeycode", display_, keysym); }
    void *x11_, *xtst_, *display_ = nullptr;
};

// Lets the hand do its part while the program answers, as it would for a
// user; true when the hand finished within the time.
bool byHand(XHand &hand, const std::function<void(XHand &)> &part);

// Runs the case suite.childTest (named DISABLED_...) in a child process of
// this program on an X server of its own, and expects it to pass and to print
// marker. Xvfb chooses a free display itself; an Xvfb that is there but does
// not start fails the test.
void underX(const char *suite, const char *childTest, const char *marker);

} // namespace wvs::test
