// Start-up time of the real vantor: from starting the process to its first
// frame on screen (the window showing more than one colour), median of ten
// runs, in the working directory given as the argument (with the textures).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// The viewer's window once it shows a drawn frame, or 0.
bool frameShown(Display* x) {
    Window root = DefaultRootWindow(x), parent = 0, *children = nullptr;
    unsigned count = 0;
    bool shown = false;
    if (!XQueryTree(x, root, &root, &parent, &children, &count)) return false;
    for (unsigned i = 0; i < count && !shown; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(x, children[i], &a) || a.map_state != IsViewable ||
            a.width != 600 || a.height != 600) {
            continue;
        }
        // The sky at the top and the figure's middle differ once a frame is drawn.
        XImage* image = XGetImage(x, children[i], 300, 0, 1, 300, AllPlanes, ZPixmap);
        if (image == nullptr) continue;
        shown = XGetPixel(image, 0, 0) != XGetPixel(image, 0, 299);
        XDestroyImage(image);
    }
    if (children != nullptr) XFree(children);
    return shown;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_startup VANTOR WORKING_DIRECTORY\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr) return 1;
    std::vector<double> times;
    for (int run = 0; run < 10; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            if (chdir(argv[2]) != 0 || freopen("/dev/null", "w", stdout) == nullptr) _exit(1);
            execl(argv[1], "vantor", static_cast<char*>(nullptr));
            _exit(127);
        }
        while (!frameShown(x)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "start  process start to first frame: median %.0f ms (fastest %.0f, slowest %.0f)\n",
        times[times.size() / 2], times.front(), times.back());
    return 0;
}
