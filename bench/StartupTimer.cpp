// Times a program from its start to its window being mapped on the X display; the
// start-up benchmark (scripts/bench.sh) starts every program under Wine through it.
//
//   quorvane_startup_timer TITLE -- COMMAND [ARGUMENT...]
//
// Listens to the root window, then starts COMMAND. The clock stops when the X server
// maps a top-level window whose title contains TITLE, or when a mapped window gets
// such a title; X events wake the timer, so it adds no load of its own. Prints the
// milliseconds, then lets the program run for 200 ms more (quorvane.exe writes its
// start-up phases once its window is shown), kills it and waits for its window to go,
// so that the next run starts on an empty display. Exits 1 if no such window comes within 60 s.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The window's title (WM_NAME): Wine sets it as a Latin-1 string.
std::string TitleOf(Display* display, Window window) {
    char* name = nullptr;
    std::string title = XFetchName(display, window, &name) && name ? name : "";
    XFree(name);
    return title;
}

// The next X event, waiting at most 50 ms for it; false if none came.
bool NextEvent(Display* display, XEvent& event) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    if (XPending(display) == 0 && (poll(&connection, 1, 50) <= 0 || XPending(display) == 0)) return false;
    XNextEvent(display, &event);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = argc >= 4 && std::strcmp(argv[2], "--") == 0 ? XOpenDisplay(nullptr) : nullptr;
    if (!display) {
        std::fprintf(stderr, "usage, with DISPLAY set: quorvane_startup_timer TITLE -- COMMAND [ARGUMENT...]\n");
        return 2;
    }
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window may go before it is asked about
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);  // only the result goes there
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    std::set<Window> mapped;
    Window found = None;
    double elapsed = 0;
    int status = 0;
    while (child > 0 && found == None && NowMs() < start + 60'000 && waitpid(child, &status, WNOHANG) == 0) {
        XEvent event;
        if (!NextEvent(display, event)) continue;
        Window window = None;
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
        } else if (event.type == MapNotify && event.xmap.event == root) {
            mapped.insert(window = event.xmap.window);
        } else if (event.type == UnmapNotify && event.xunmap.event == root) {
            mapped.erase(event.xunmap.window);
        } else if (event.type == PropertyNotify && event.xproperty.atom == XA_WM_NAME) {
            if (mapped.count(event.xproperty.window) != 0) window = event.xproperty.window;
        }
        if (window != None && TitleOf(display, window).find(argv[1]) != std::string::npos) {
            found = window;
            elapsed = NowMs() - start;
        }
    }
    if (found == None) {
        std::fprintf(stderr, "startup timer: %s mapped no window titled \"%s\"\n", argv[3], argv[1]);
        if (child > 0) kill(child, SIGKILL);
        return 1;
    }
    std::printf("%.1f\n", elapsed);
    std::fflush(stdout);
    usleep(200'000);
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    for (const double end = NowMs() + 10'000; NowMs() < end;) {
        XEvent event;
        if (NextEvent(display, event) && event.type == DestroyNotify && event.xdestroywindow.window == found) return 0;
    }
    std::fprintf(stderr, "startup timer: the window was still there 10 s after %s was killed\n", argv[3]);
    return 1;
}
