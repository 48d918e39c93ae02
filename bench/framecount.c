// Counts, over a stretch of seconds, the frames windows show and the processor time their
// processes spend. A frame is one report of new pixels in the window from the X server's DAMAGE
// extension; the damage is taken back at each report, so drawing that lands before the report
// is read joins its frame. The processor time is user plus system time from /proc/PID/stat.
//
//   framecount SECONDS PID:WINDOW...
//
// prints one line for each pair: PID WINDOW PROCESSOR_SECONDS FRAMES. bench/compare-kmag.sh
// builds and runs it.
#include <X11/extensions/Xdamage.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum { MaxWindows = 8 };

struct Watched {
    long pid;
    Window window;
    Damage damage;
    double cpuAtStart;
    long frames;
};

static double processorSeconds(long pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%ld/stat", pid);
    FILE* file = fopen(path, "r");
    if (file == NULL)
        return -1;
    char line[1024];
    const char* read = fgets(line, sizeof line, file);
    fclose(file);
    // The command name, in parentheses, may hold blanks; utime and stime are the 12th and 13th
    // fields after it.
    const char* rest = read != NULL ? strrchr(line, ')') : NULL;
    unsigned long user = 0, system = 0;
    if (rest == NULL || sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu",
                               &user, &system) != 2)
        return -1;
    return (double)(user + system) / (double)sysconf(_SC_CLK_TCK);
}

static double now(void) {
    struct timespec time;
    clock_gettime(CLOCK_MONOTONIC, &time);
    return (double)time.tv_sec + (double)time.tv_nsec / 1e9;
}

int main(int argc, char* argv[]) {
    if (argc < 3 || argc - 2 > MaxWindows) {
        fprintf(stderr, "usage: %s SECONDS PID:WINDOW... (at most %d)\n", argv[0], MaxWindows);
        return 2;
    }
    const double seconds = atof(argv[1]);
    Display* display = XOpenDisplay(NULL);
    int eventBase = 0, errorBase = 0, major = 1, minor = 1;
    // The extension wants its version agreed on before any other request.
    if (display == NULL || !XDamageQueryExtension(display, &eventBase, &errorBase) ||
        !XDamageQueryVersion(display, &major, &minor)) {
        fprintf(stderr, "framecount: no X server with the DAMAGE extension\n");
        return 1;
    }
    struct Watched watched[MaxWindows];
    const int count = argc - 2;
    for (int i = 0; i < count; ++i) {
        long window = 0;
        if (sscanf(argv[i + 2], "%ld:%li", &watched[i].pid, &window) != 2) {
            fprintf(stderr, "framecount: not PID:WINDOW: %s\n", argv[i + 2]);
            return 2;
        }
        watched[i].window = (Window)window;
        watched[i].damage = XDamageCreate(display, watched[i].window, XDamageReportNonEmpty);
        watched[i].frames = 0;
    }
    // A new damage holds the whole window, what it showed before: not a frame.
    XSync(display, False);
    for (int i = 0; i < count; ++i)
        XDamageSubtract(display, watched[i].damage, None, None);
    XSync(display, True);
    for (int i = 0; i < count; ++i)
        watched[i].cpuAtStart = processorSeconds(watched[i].pid);
    const double end = now() + seconds;
    struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        // Events already read, the one of each new damage among them, come first: poll() sees
        // only what is still on the connection.
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != eventBase + XDamageNotify)
                continue;
            const Damage damage = ((XDamageNotifyEvent*)&event)->damage;
            for (int i = 0; i < count; ++i)
                if (watched[i].damage == damage)
                    ++watched[i].frames;
            XDamageSubtract(display, damage, None, None);
        }
        XFlush(display);
        const double left = end - now();
        if (left <= 0)
            break;
        poll(&connection, 1, (int)(left * 1000) + 1);
    }
    for (int i = 0; i < count; ++i)
        printf("%ld 0x%lx %.3f %ld\n", watched[i].pid, (unsigned long)watched[i].window,
               processorSeconds(watched[i].pid) - watched[i].cpuAtStart, watched[i].frames);
    XCloseDisplay(display);
    return 0;
}
