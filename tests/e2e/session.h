// Drives the real vantor as a person would: a virtual X server of its own, a
// working directory with texture files the test chose, keys, drags and menu
// choices sent with xdotool, and the window's pixels read back.
//
// Every wait polls for a condition with a bounded timeout.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A rectangle of window pixels, [x0, x1) x [y0, y1).
struct Area {
    int x0, y0, x1, y1;
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};
constexpr Area WHOLE_WINDOW{0, 0, 600, 600};
constexpr Area NOWHERE{0, 0, 0, 0};

// An RGB screenshot of the window, 0xRRGGBB per pixel, rows from the top.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Pixels inside `area` but outside `hole` that differ from `other`.
    int differences(const Screenshot& other, Area area, Area hole = NOWHERE) const;
    int count(const std::function<bool(uint32_t)>& test, int x0, int y0, int x1, int y1) const;
};

struct WindowGeometry {
    int x, y, width, height;
};

class Session {
public:
    // Prepares a working directory; textures are added before start().
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Writes a texture file into the working directory.
    void writeFile(const std::string& name, const std::string& bytes);
    // Writes sky, grass and face textures of plain colours (0xRRGGBB).
    void writePlainTextures(uint32_t sky, uint32_t grass, uint32_t face);
    // Starts vantor; with `waitForWindow`, also waits until its window shows a
    // frame. With `asNobody`, a root test runs it as the unprivileged user
    // nobody, for whom file permissions hold.
    void start(bool waitForWindow = true, bool asNobody = false);

    // ---- What the program did ----
    std::string output() const;  // its standard output so far
    std::string errors() const;  // its standard error so far
    bool waitForOutput(const std::string& text, double seconds = 10);
    // Waits for the process to end; its exit status, or -1 on a signal or timeout.
    int waitForExit(double seconds = 10);
    bool running();

    // ---- The window ----
    unsigned long window() const { return window_; }
    WindowGeometry geometry() const;
    Screenshot screenshot() const;
    // Waits until a screenshot satisfies `test`; returns the last one taken.
    Screenshot waitForPicture(const std::function<bool(const Screenshot&)>& test,
                              double seconds = 10);
    // Waits for the picture in `area` (but outside `hole`) to stay the same
    // over several frames.
    Screenshot waitForStillPicture(Area area = WHOLE_WINDOW, Area hole = NOWHERE,
                                   double seconds = 10);

    // ---- A person's input (window coordinates) ----
    void key(const std::string& keysym);  // xdotool key names: "h", "KP_8", "plus"
    void type(const std::string& text);
    void moveTo(int x, int y);
    void drag(int x0, int y0, int x1, int y1, int steps = 8);
    // Chooses from the pop-up menu: a root entry by position (0, 1, 2), then
    // optionally an entry of the submenu it opens (-1 for none).
    void chooseFromMenu(int rootEntry, int subEntry = -1, int atX = 300, int atY = 300);
    // Opens the menu and returns the geometry of its window.
    WindowGeometry openMenu(int atX, int atY);
    // The geometries of the pop-up menu windows now mapped.
    std::vector<WindowGeometry> openMenus() const;
    void xdotool(const std::string& arguments) const;
    // Asks the window to close, as a window manager's close button does.
    void requestClose();
    // Resizes the window as a window manager would.
    void resize(int width, int height);

    std::string directory() const { return dir_; }

private:
    void startServer();
    std::string readFile(const std::string& name) const;

    std::string dir_;
    std::string display_;
    pid_t server_ = -1;
    pid_t program_ = -1;
    int exitStatus_ = -2;
    void* x_ = nullptr;  // the test's own Display connection
    unsigned long window_ = 0;
};

// Polls `condition` every 20 ms until it holds or `seconds` pass.
bool waitUntil(const std::function<bool()>& condition, double seconds);
