#include "xserver.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace ts {

namespace {

using Clock = std::chrono::steady_clock;

bool exists(const std::string& p) {
    struct stat st {};
    return stat(p.c_str(), &st) == 0;
}

int quietErrors(Display*, XErrorEvent*) { return 0; }

std::string windowTitle(Display* d, Window w) {
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    std::string t;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &n, &after, &data) == Success &&
        data != nullptr) {
        t.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
        return t;
    }
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name != nullptr) {
        t = name;
        XFree(name);
    }
    return t;
}

Window search(Display* d, Window w, const std::string& title) {
    if (windowTitle(d, w) == title) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) return w;
    }
    Window root, parent, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && found == 0; ++i) found = search(d, kids[i], title);
    if (kids != nullptr) XFree(kids);
    return found;
}

}  // namespace

XServer::XServer() {
    int n = 20;
    for (; n < 200; ++n)
        if (!exists("/tmp/.X" + std::to_string(n) + "-lock") && !exists("/tmp/.X11-unix/X" + std::to_string(n)))
            break;
    int fds[2];
    if (pipe(fds) != 0) {
        error_ = "pipe failed";
        return;
    }
    const std::string disp = ":" + std::to_string(n);
    const std::string fd = std::to_string(fds[1]);
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execlp("Xvfb", "Xvfb", disp.c_str(), "-screen", "0", "1600x1200x24", "-noreset", "-nolisten", "tcp",
               "-displayfd", fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes the display number when it is ready.
    std::string got;
    const auto until = Clock::now() + std::chrono::seconds(10);
    pollfd p{fds[0], POLLIN, 0};
    while (got.find('\n') == std::string::npos && Clock::now() < until) {
        if (poll(&p, 1, 100) > 0) {
            char buf[32];
            const ssize_t r = read(fds[0], buf, sizeof buf);
            if (r <= 0) break;
            got.append(buf, std::size_t(r));
        }
    }
    close(fds[0]);
    if (got.find('\n') == std::string::npos) {
        error_ = "Xvfb did not start (is the xvfb package installed?)";
        return;
    }
    name_ = ":" + got.substr(0, got.find('\n'));
    XSetErrorHandler(quietErrors);
    dpy_ = XOpenDisplay(name_.c_str());
    if (dpy_ == nullptr) error_ = "cannot connect to " + name_;
}

XServer::~XServer() {
    if (dpy_ != nullptr) XCloseDisplay(dpy_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int st;
        waitpid(pid_, &st, 0);
    }
}

Window XServer::FindWindow(const std::string& title, int timeoutMs) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        const Window w = search(dpy_, DefaultRootWindow(dpy_), title);
        if (w != 0) return w;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (Clock::now() < until);
    return 0;
}

bool XServer::Grab(Window w, std::vector<unsigned>& pixels) {
    XImage* img = XGetImage(dpy_, w, 0, 0, 640, 480, AllPlanes, ZPixmap);
    if (img == nullptr) return false;
    pixels.resize(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) pixels[std::size_t(y) * 640 + x] = unsigned(XGetPixel(img, x, y)) & 0xFFFFFF;
    XDestroyImage(img);
    return true;
}

unsigned XServer::Pixel(Window w, int x, int y) {
    XImage* img = XGetImage(dpy_, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (img == nullptr) return ~0u;
    const unsigned c = unsigned(XGetPixel(img, 0, 0)) & 0xFFFFFF;
    XDestroyImage(img);
    return c;
}

void XServer::Resize(Window w, unsigned width, unsigned height) {
    XMoveResizeWindow(dpy_, w, 0, 0, width, height);
    XSync(dpy_, False);
}

void XServer::Key(Window w, unsigned long keysym) {
    XSetInputFocus(dpy_, w, RevertToParent, CurrentTime);
    const KeyCode code = XKeysymToKeycode(dpy_, keysym);
    XTestFakeKeyEvent(dpy_, code, True, 0);
    XTestFakeKeyEvent(dpy_, code, False, 0);
    XSync(dpy_, False);
}

void XServer::CloseRequest(Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(dpy_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(dpy_, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy_, w, False, NoEventMask, &e);
    XSync(dpy_, False);
}

bool XServer::Exists(Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(dpy_, w, &a) != 0;
}

Program::Program(const std::string& binary, const std::string& dir, const std::string& display) {
    errPath_ = dir + "/.stderr";
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        const int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(err, 2);
        if (display.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", display.c_str(), 1);
        }
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // In sanitizer builds: what the window system's libraries keep until exit is not ours.
        setenv("LSAN_OPTIONS", "suppressions=" LSAN_SUPPRESSIONS ":print_suppressions=0", 1);
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

Program::~Program() {
    if (!done_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        int st;
        waitpid(pid_, &st, 0);
    }
}

bool Program::Wait(int timeoutMs, int& status) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        int st;
        if (waitpid(pid_, &st, WNOHANG) == pid_) {
            done_ = true;
            status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (Clock::now() < until);
    return false;
}

bool Program::Running() {
    int st;
    return !done_ && waitpid(pid_, &st, WNOHANG) == 0;
}

std::string Program::Stderr() const {
    std::ifstream in(errPath_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace ts
