// Starts a program on an X display and stops it as soon as its first
// top-level window is mapped. Prints the time from start to that moment
// and the peak resident memory of the program up to it:
//
//     mapwatch [-t SEKUNDEN] [-n SEKUNDEN] PROGRAMM [ARGUMENTE…]
//     → millisekunden=123.4 rss_kb=45678
//
// -n lets the program run on for a while after the map before it is
// stopped, so that it draws its window and falls idle; the memory figure
// then covers the drawing too.
//
// The watcher listens on the root window before it starts the program, so
// the map is seen the moment the X server performs it, not at the next poll.
// SIGTERM ends the program; callgrind, when it runs the program, still writes
// its counts then.

#include <xcb/xcb.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double jetztMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

[[noreturn]] void abbruch(const char *text)
{
    std::fprintf(stderr, "mapwatch: %s\n", text);
    std::exit(2);
}

} // namespace

int main(int argc, char **argv)
{
    int arg = 1;
    double frist = 300;
    double nachlauf = 0;
    while (arg + 1 < argc && (std::strcmp(argv[arg], "-t") == 0 || std::strcmp(argv[arg], "-n") == 0)) {
        (argv[arg][1] == 't' ? frist : nachlauf) = std::atof(argv[arg + 1]);
        arg += 2;
    }
    if (arg >= argc)
        abbruch("Aufruf: mapwatch [-t SEKUNDEN] [-n SEKUNDEN] PROGRAMM [ARGUMENTE…]");

    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        abbruch("keine Verbindung zum X-Server (DISPLAY?)");
    const xcb_window_t wurzel = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t maske = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t c = xcb_change_window_attributes_checked(x, wurzel, XCB_CW_EVENT_MASK, &maske);
    if (xcb_generic_error_t *fehler = xcb_request_check(x, c)) {
        std::free(fehler);
        abbruch("kann das Wurzelfenster nicht beobachten");
    }

    const double start = jetztMs();
    const pid_t kind = fork();
    if (kind < 0)
        abbruch("fork");
    if (kind == 0) {
        close(xcb_get_file_descriptor(x));
        execvp(argv[arg], argv + arg);
        std::fprintf(stderr, "mapwatch: %s: %s\n", argv[arg], std::strerror(errno));
        _exit(127);
    }

    double gemappt = -1;
    const int fd = xcb_get_file_descriptor(x);
    while (gemappt < 0) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(x)) {
            const uint8_t art = e->response_type & 0x7f;
            if (art == XCB_MAP_NOTIFY) {
                const auto *m = reinterpret_cast<xcb_map_notify_event_t *>(e);
                // Menus and tooltips do not count; the first real window does.
                if (!m->override_redirect)
                    gemappt = jetztMs();
            }
            std::free(e);
        }
        if (gemappt >= 0)
            break;
        if (xcb_connection_has_error(x))
            abbruch("Verbindung zum X-Server verloren");
        int status = 0;
        if (waitpid(kind, &status, WNOHANG) == kind)
            abbruch("das Programm endete, ohne ein Fenster zu zeigen");
        if (jetztMs() - start > frist * 1e3) {
            kill(kind, SIGKILL);
            abbruch("kein Fenster innerhalb der Frist");
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }

    if (nachlauf > 0) {
        const timespec warten{time_t(nachlauf), long((nachlauf - time_t(nachlauf)) * 1e9)};
        nanosleep(&warten, nullptr);
    }
    kill(kind, SIGTERM);
    int status = 0;
    rusage verbrauch{};
    wait4(kind, &status, 0, &verbrauch);
    std::printf("millisekunden=%.1f rss_kb=%ld\n", gemappt - start, verbrauch.ru_maxrss);
    xcb_disconnect(x);
    return 0;
}
