// Times how long a program takes from being started to its window being mapped on an
// X display: the start-up benchmark runs quorvane.exe and Wine's notepad through it.
//
//   quorvane_startup_timer [--timeout=SECONDS] TITLE_PART -- COMMAND [ARGUMENT...]
//
// Listens on the root window for windows being created and mapped, then starts
// COMMAND. The clock starts just before the fork and stops when the X server reports
// the mapping (MapNotify) of a top-level window whose title contains TITLE_PART, or,
// if a window was mapped before its title was set, when that title arrives. The
// events wake the timer: there is no polling, so the measurement adds no load of its
// own. Then the program is killed (and the process that owns the window, if the
// command handed over to another), and the timer waits for it and for its window to
// be gone, so that the next run starts on an empty display.
//
// Prints the milliseconds on standard output and exits 0; exits 1 (with a message on
// standard error) if the program ended first or no such window appeared in time.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string>
#include <string_view>

namespace {

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Windows may go away between an event and the request that follows it: their
// errors (BadWindow) are expected, and must not end the timer.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The window's title: _NET_WM_NAME (UTF-8) if set, WM_NAME otherwise.
// One window property of the given type and format, as raw bytes (format 32 comes back
// as longs); empty when the window has no such property.
std::string PropertyOf(Display* display, Window window, Atom property, Atom wantedType, int wantedFormat,
                       long maxLongs) {
    std::string bytes;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, maxLongs, False, wantedType, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (type == wantedType && format == wantedFormat) {
            const std::size_t unit = format == 32 ? sizeof(long) : static_cast<std::size_t>(format) / 8;
            bytes.assign(reinterpret_cast<char*>(data), count * unit);
        }
        XFree(data);
    }
    return bytes;
}

std::string TitleOf(Display* display, Window window) {
    static const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    std::string title = PropertyOf(display, window, netWmName, utf8, 8, 1024);
    if (!title.empty()) return title;
    XTextProperty property{};
    if (XGetWMName(display, window, &property) && property.value) {
        if (property.format == 8) title.assign(reinterpret_cast<char*>(property.value), property.nitems);
        XFree(property.value);
    }
    return title;
}

// The process that owns the window, as it says in _NET_WM_PID; 0 if it does not say.
pid_t OwnerOf(Display* display, Window window) {
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    const std::string pid = PropertyOf(display, window, netWmPid, XA_CARDINAL, 32, 1);
    if (pid.size() != sizeof(long)) return 0;
    long owner = 0;
    std::memcpy(&owner, pid.data(), sizeof owner);
    return static_cast<pid_t>(owner);
}

bool ChildEnded(pid_t child, int* status) { return waitpid(child, status, WNOHANG) == child; }

int Usage() {
    std::fprintf(stderr, "usage: quorvane_startup_timer [--timeout=SECONDS] TITLE_PART -- COMMAND [ARGUMENT...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    double timeoutMs = 60'000;
    int index = 1;
    if (index < argc && std::strncmp(argv[index], "--timeout=", 10) == 0) {
        timeoutMs = std::atof(argv[index] + 10) * 1e3;
        ++index;
    }
    if (argc - index < 3 || std::strcmp(argv[index + 1], "--") != 0 || timeoutMs <= 0) return Usage();
    const std::string_view wanted = argv[index];
    char** command = argv + index + 2;

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup timer: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXError);
    const Window root = DefaultRootWindow(display);
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);  // listening before the program starts

    const double start = NowMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("startup timer: fork");
        return 1;
    }
    if (child == 0) {
        // The program's own output would mix with the result.
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, STDOUT_FILENO);
        execvp(command[0], command);
        std::perror("startup timer: exec");
        _exit(127);
    }

    std::set<Window> mappedUntitled;  // mapped before their title said which they are
    Window found = None;
    double elapsed = -1;
    int status = 0;
    bool ended = false;
    const int connection = ConnectionNumber(display);
    while (found == None) {
        while (found == None && XPending(display) > 0) {
            XEvent event{};
            XNextEvent(display, &event);
            const double at = NowMs();
            if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
            } else if (event.type == MapNotify && event.xmap.event == root) {
                const Window window = event.xmap.window;
                if (TitleOf(display, window).find(wanted) != std::string::npos) {
                    found = window;
                    elapsed = at - start;
                } else {
                    mappedUntitled.insert(window);
                }
            } else if (event.type == UnmapNotify && event.xunmap.event == root) {
                mappedUntitled.erase(event.xunmap.window);
            } else if (event.type == PropertyNotify && mappedUntitled.count(event.xproperty.window) != 0 &&
                       (event.xproperty.atom == XA_WM_NAME || event.xproperty.atom == netWmName)) {
                if (TitleOf(display, event.xproperty.window).find(wanted) != std::string::npos) {
                    found = event.xproperty.window;
                    elapsed = at - start;
                }
            }
        }
        if (found != None) break;
        if (ChildEnded(child, &status)) {
            ended = true;
            break;
        }
        const double left = start + timeoutMs - NowMs();
        if (left <= 0) break;
        // Wakes for X events; every 50 ms also to notice a program that ended early.
        pollfd waiting{connection, POLLIN, 0};
        const int wait = static_cast<int>(left < 50 ? left + 1 : 50);
        if (poll(&waiting, 1, wait) < 0 && errno != EINTR) {
            std::perror("startup timer: poll");
            break;
        }
    }

    if (found == None) {
        if (ended) {
            std::fprintf(stderr, "startup timer: %s ended before a window titled \"...%s...\" was mapped\n",
                         command[0], argv[index]);
        } else {
            std::fprintf(stderr, "startup timer: no window titled \"...%s...\" within %.0f s\n", argv[index],
                         timeoutMs / 1e3);
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
        }
        XCloseDisplay(display);
        return 1;
    }

    std::printf("%.3f\n", elapsed);
    std::fflush(stdout);

    // Done with it: the program goes, and so does its window. The window may belong
    // to a process that the command started in turn (Wine's "wine notepad" runs
    // start.exe, which starts notepad.exe): that one goes too.
    const pid_t owner = OwnerOf(display, found);
    kill(child, SIGKILL);
    if (owner > 0 && owner != child) kill(owner, SIGKILL);
    waitpid(child, &status, 0);
    const double deadline = NowMs() + 10'000;
    bool gone = false;
    while (!gone) {
        while (!gone && XPending(display) > 0) {
            XEvent event{};
            XNextEvent(display, &event);
            if (event.type == DestroyNotify && event.xdestroywindow.window == found) gone = true;
        }
        const double left = deadline - NowMs();
        if (gone || left <= 0) break;
        pollfd waiting{connection, POLLIN, 0};
        poll(&waiting, 1, static_cast<int>(left) + 1);
    }
    XCloseDisplay(display);
    if (!gone) {
        std::fprintf(stderr, "startup timer: the window was still there 10 s after %s was killed\n", command[0]);
        return 1;
    }
    return 0;
}
