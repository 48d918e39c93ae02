/* Waits until every named X selection has an owner, or fails after a deadline.
 * Usage: wait-selection SECONDS SELECTION...
 * Session services announce themselves by owning a selection (WM_S0, _NET_WM_CM_S0,
 * _NET_SYSTEM_TRAY_S0), so waiting for the owner is waiting for the service to be ready. */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <time.h>

static double now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s SECONDS SELECTION...\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "wait-selection: cannot open display '%s'\n", XDisplayName(NULL));
        return 2;
    }
    int eventBase = 0, errorBase = 0;
    const int haveFixes = XFixesQueryExtension(display, &eventBase, &errorBase);
    const double deadline = now() + atof(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const Atom selection = XInternAtom(display, argv[i], False);
        /* Ask to be told of ownership changes before looking, so none slips between the two. */
        if (haveFixes)
            XFixesSelectSelectionInput(display, DefaultRootWindow(display), selection,
                                       XFixesSetSelectionOwnerNotifyMask);
        while (XGetSelectionOwner(display, selection) == None) {
            const double left = deadline - now();
            if (left <= 0) {
                fprintf(stderr, "wait-selection: nobody took the selection %s within %s s\n",
                        argv[i], argv[1]);
                return 1;
            }
            /* Without XFixes nothing wakes us, so look again every 50 ms. */
            const double wait = haveFixes ? left : (left < 0.05 ? left : 0.05);
            if (XPending(display) == 0) {
                fd_set fds;
                FD_ZERO(&fds);
                FD_SET(ConnectionNumber(display), &fds);
                struct timeval tv = {(time_t)wait, (suseconds_t)((wait - (time_t)wait) * 1e6)};
                select(ConnectionNumber(display) + 1, &fds, NULL, NULL, &tv);
            }
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
            }
        }
    }
    XCloseDisplay(display);
    return 0;
}
