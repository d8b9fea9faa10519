#include "e2e/session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "bmp_writer.h"

namespace {

Display* asDisplay(void* x) { return static_cast<Display*>(x); }

double now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// A plain-coloured 64 x 64 BMP (colour as 0xRRGGBB).
std::string plainBmp(uint32_t rgb) {
    static uint32_t colour;  // bmpBytes takes a plain function
    colour = (rgb & 0xff00) | ((rgb >> 16) & 0xff) | ((rgb & 0xff) << 16);  // to B, G, R
    BmpFile bmp;
    bmp.width = bmp.height = 64;
    bmp.pixel = [](int, int) { return colour; };
    return bmpBytes(bmp);
}

bool isMenuWindow(Display* x, Window w) {
    char* name = nullptr;
    bool menu = false;
    if (XFetchName(x, w, &name) && name != nullptr) {
        menu = std::string(name) == "freeglut menu";
        XFree(name);
    }
    return menu;
}

// Mapped top-level windows, menus or not.
std::vector<Window> mappedWindows(Display* x, bool menus) {
    std::vector<Window> found;
    Window root = DefaultRootWindow(x), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x, root, &root, &parent, &children, &count)) return found;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(x, children[i], &a) || a.map_state != IsViewable) continue;
        if (isMenuWindow(x, children[i]) == menus) found.push_back(children[i]);
    }
    if (children != nullptr) XFree(children);
    return found;
}

WindowGeometry geometryOf(Display* x, Window w) {
    XWindowAttributes a;
    XGetWindowAttributes(x, w, &a);
    return {a.x, a.y, a.width, a.height};
}

// X errors (a window that vanished between two calls) are not test failures.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int Screenshot::differences(const Screenshot& other, Area area, Area hole) const {
    if (other.pixels.size() != pixels.size()) return area.x1 * area.y1;
    int n = 0;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x)
            n += !hole.contains(x, y) && at(x, y) != other.at(x, y);
    return n;
}

int Screenshot::count(const std::function<bool(uint32_t)>& test, int x0, int y0, int x1,
                      int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += test(at(x, y));
    return n;
}

bool waitUntil(const std::function<bool()>& condition, double seconds) {
    const double end = now() + seconds;
    while (!condition()) {
        if (now() > end) return false;
        pause(0.02);
    }
    return true;
}

Session::Session() {
    char pattern[] = "/tmp/vantor_e2e_XXXXXX";
    dir_ = mkdtemp(pattern);
    startServer();
}

Session::~Session() {
    if (program_ > 0 && exitStatus_ == -2) {
        kill(program_, SIGKILL);
        waitpid(program_, nullptr, 0);
    }
    if (x_ != nullptr) XCloseDisplay(asDisplay(x_));
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
    const std::string command = "rm -rf '" + dir_ + "'";
    if (std::system(command.c_str()) != 0) {
    }
}

// Starts a virtual X server on a display number picked at random from 100
// to 999, not the lowest free one: a number just freed by another test's
// server may still be in its shutdown, which can remove the new server's
// socket. Xvfb reports the number on the pipe once it accepts connections;
// the server is used only after a connection to it succeeds.
void Session::startServer() {
    std::mt19937 random(
        static_cast<unsigned>(getpid()) * 7919u +
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    XSetErrorHandler(ignoreXErrors);
    for (int attempt = 0; attempt < 10 && x_ == nullptr; ++attempt) {
        const std::string number = std::to_string(100 + random() % 900);
        if (access(("/tmp/.X" + number + "-lock").c_str(), F_OK) == 0) continue;
        int fds[2];
        if (pipe(fds) != 0) return;
        server_ = fork();
        if (server_ == 0) {
            close(fds[0]);
            const int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 1);
            dup2(devnull, 2);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", (":" + number).c_str(), "-displayfd", fd.c_str(), "-screen", "0",
                   "1024x768x24", "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string reported;
        pollfd p{fds[0], POLLIN, 0};
        char c;
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') reported += c;
        close(fds[0]);
        display_ = ":" + number;
        if (reported == number) x_ = XOpenDisplay(display_.c_str());
        if (x_ == nullptr) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
            server_ = -1;
        }
    }
}

void Session::writeFile(const std::string& name, const std::string& bytes) {
    ::writeFile(dir_ + "/" + name, bytes);
}

void Session::writePlainTextures(uint32_t sky, uint32_t grass, uint32_t face) {
    writeFile("sky.bmp", plainBmp(sky));
    writeFile("grass.bmp", plainBmp(grass));
    writeFile("smileycol.bmp", plainBmp(face));
}

void Session::start(bool waitForWindow, bool asNobody) {
    std::string program = VANTOR_PATH;
    if (asNobody) {
        // The build may sit where nobody cannot reach it: run a copy from here.
        program = dir_ + "/vantor";
        const std::string copy = "cp '" VANTOR_PATH "' '" + program + "'";
        if (std::system(copy.c_str()) != 0) return;
    }
    program_ = fork();
    if (program_ == 0) {
        if (chdir(dir_.c_str()) != 0) _exit(126);
        setenv("DISPLAY", display_.c_str(), 1);
        const int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        if (asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(125);
        execl(program.c_str(), "vantor", static_cast<char*>(nullptr));
        _exit(127);
    }
    if (!waitForWindow) return;
    Display* x = asDisplay(x_);
    waitUntil(
        [&] {
            const std::vector<Window> windows = mappedWindows(x, false);
            if (!windows.empty()) window_ = windows[0];
            return window_ != 0;
        },
        20);
    // The first frame is drawn once the window shows more than one colour.
    waitForPicture(
        [](const Screenshot& s) {
            return !s.pixels.empty() && s.count([&](uint32_t p) { return p != s.pixels[0]; }, 0, 0,
                                                s.width, s.height) > 0;
        },
        20);
}

std::string Session::readFile(const std::string& name) const {
    std::ifstream file(dir_ + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Session::output() const { return readFile("stdout.txt"); }
std::string Session::errors() const { return readFile("stderr.txt"); }

bool Session::waitForOutput(const std::string& text, double seconds) {
    return waitUntil([&] { return output().find(text) != std::string::npos; }, seconds);
}

bool Session::running() {
    if (exitStatus_ != -2) return false;
    int status = 0;
    if (waitpid(program_, &status, WNOHANG) == program_) {
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return true;
}

int Session::waitForExit(double seconds) {
    waitUntil([&] { return !running(); }, seconds);
    return running() ? -1 : exitStatus_;
}

WindowGeometry Session::geometry() const { return geometryOf(asDisplay(x_), window_); }

Screenshot Session::screenshot() const {
    Screenshot shot;
    Display* x = asDisplay(x_);
    if (window_ == 0) return shot;
    const WindowGeometry g = geometryOf(x, window_);
    XImage* image = XGetImage(x, window_, 0, 0, g.width, g.height, AllPlanes, ZPixmap);
    if (image == nullptr) return shot;
    shot.width = g.width;
    shot.height = g.height;
    shot.pixels.resize(static_cast<size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y)
        for (int xx = 0; xx < g.width; ++xx)
            shot.pixels[static_cast<size_t>(y) * g.width + xx] = XGetPixel(image, xx, y) & 0xffffff;
    XDestroyImage(image);
    return shot;
}

Screenshot Session::waitForPicture(const std::function<bool(const Screenshot&)>& test,
                                   double seconds) {
    Screenshot shot;
    waitUntil(
        [&] {
            shot = screenshot();
            return !shot.pixels.empty() && test(shot);
        },
        seconds);
    return shot;
}

Screenshot Session::waitForStillPicture(Area area, Area hole, double seconds) {
    Screenshot last = screenshot();
    int same = 0;
    waitUntil(
        [&] {
            pause(0.06);  // a tick, and with it a frame, comes at least every 51 ms
            Screenshot next = screenshot();
            same = next.differences(last, area, hole) == 0 ? same + 1 : 0;
            last = next;
            return same >= 4;
        },
        seconds);
    return last;
}

void Session::xdotool(const std::string& arguments) const {
    const std::string command = "DISPLAY=" + display_ + " xdotool " + arguments;
    if (std::system(command.c_str()) != 0) {
    }
}

void Session::key(const std::string& keysym) {
    xdotool("mousemove --window " + std::to_string(window_) + " 300 300 key " + keysym);
}

void Session::type(const std::string& text) {
    xdotool("mousemove --window " + std::to_string(window_) + " 300 300 type '" + text + "'");
}

void Session::moveTo(int x, int y) {
    xdotool("mousemove --window " + std::to_string(window_) + " " + std::to_string(x) + " " +
            std::to_string(y));
}

void Session::drag(int x0, int y0, int x1, int y1, int steps) {
    const std::string w = std::to_string(window_);
    std::string args = "mousemove --window " + w + " " + std::to_string(x0) + " " +
                       std::to_string(y0) + " mousedown 1";
    for (int i = 1; i <= steps; ++i) {
        args += " mousemove --window " + w + " " + std::to_string(x0 + (x1 - x0) * i / steps) +
                " " + std::to_string(y0 + (y1 - y0) * i / steps);
    }
    xdotool(args + " mouseup 1");
}

std::vector<WindowGeometry> Session::openMenus() const {
    std::vector<WindowGeometry> menus;
    for (Window w : mappedWindows(asDisplay(x_), true))
        menus.push_back(geometryOf(asDisplay(x_), w));
    return menus;
}

WindowGeometry Session::openMenu(int atX, int atY) {
    // A menu left open (a click outside every window does not close it) is
    // closed first, with a left click in the window's corner.
    if (!openMenus().empty()) {
        moveTo(2, 597);
        xdotool("click 1");
        waitUntil([&] { return openMenus().empty(); }, 5);
    }
    moveTo(atX, atY);
    xdotool("click 3");
    WindowGeometry menu{0, 0, 0, 0};
    waitUntil(
        [&] {
            const std::vector<WindowGeometry> menus = openMenus();
            if (menus.size() == 1) menu = menus[0];
            return menus.size() == 1;
        },
        10);
    return menu;
}

void Session::chooseFromMenu(int rootEntry, int subEntry, int atX, int atY) {
    const WindowGeometry root = openMenu(atX, atY);
    // Entries are 25 pixels apart inside a 2-pixel border.
    auto entryCentre = [](const WindowGeometry& m, int i) {
        return std::to_string(m.x + m.width / 2) + " " + std::to_string(m.y + 2 + 25 * i + 12);
    };
    xdotool("mousemove " + entryCentre(root, rootEntry));
    if (subEntry >= 0) {
        // The submenu opens once the program has seen the pointer move over
        // its entry; nudge the pointer until it has.
        WindowGeometry sub{0, 0, 0, 0};
        int tries = 0;
        waitUntil(
            [&] {
                for (const WindowGeometry& m : openMenus()) {
                    if (m.x != root.x) sub = m;
                }
                if (sub.width == 0 && ++tries % 10 == 0) xdotool("mousemove_relative -- 1 0");
                return sub.width > 0;
            },
            10);
        xdotool("mousemove " + entryCentre(sub, subEntry));
    }
    pause(0.1);  // let the program see the pointer over the entry
    xdotool("click 1");
    waitUntil([&] { return openMenus().empty(); }, 10);
}

void Session::requestClose() {
    Display* x = asDisplay(x_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window_, False, NoEventMask, &event);
    XFlush(x);
}

void Session::resize(int width, int height) {
    XResizeWindow(asDisplay(x_), window_, width, height);
    XFlush(asDisplay(x_));
}
