// A private X server (Xvfb) for the tests of the real window, and the real
// program started in it: window lookup, screenshots, keys and close requests.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace ts {

class XServer {
public:
    XServer();  // starts Xvfb on a free display; check ok()
    ~XServer();  // stops it by process id
    bool ok() const { return dpy_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& display() const { return name_; }
    Display* dpy() const { return dpy_; }

    // The mapped window with this title, or 0 after `timeoutMs`.
    Window FindWindow(const std::string& title, int timeoutMs);
    // Pixel (x, y) of the window as 0x00RRGGBB; fills `pixels` with the whole
    // 640 x 480 client area when given.
    bool Grab(Window w, std::vector<unsigned>& pixels);
    // One pixel of the window as 0x00RRGGBB, or ~0u when it cannot be read.
    unsigned Pixel(Window w, int x, int y);
    // Moves the window to the screen's corner and resizes it, as a user would.
    void Resize(Window w, unsigned width, unsigned height);
    // A real key press and release (XTEST) of `keysym`.
    void Key(Window w, unsigned long keysym);
    // A window manager's close request (WM_DELETE_WINDOW).
    void CloseRequest(Window w);
    bool Exists(Window w);

private:
    pid_t pid_ = -1;
    Display* dpy_ = nullptr;
    std::string name_, error_;
};

// The program started in `dir` on `display`; stderr goes to a file.
class Program {
public:
    Program(const std::string& binary, const std::string& dir, const std::string& display);
    ~Program();  // kills it when still running
    // Waits up to `timeoutMs` for the exit; true with `status` set when it ended.
    bool Wait(int timeoutMs, int& status);
    bool Running();
    std::string Stderr() const;
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::string errPath_;
    bool done_ = false;
};

}  // namespace ts
