/* window_watch: times a program's first window from outside, through the X server.
 *
 * usage: window_watch PIDFILE LINGER_SECONDS TIMEOUT_SECONDS
 *
 * Listens on the root window for windows being created and mapped, and prints "READY" once it listens; the
 * caller then starts the program and writes its process id into PIDFILE. Every top-level window gets a
 * damage object when it is created, so its first paint cannot be missed. When a window whose _NET_WM_PID is
 * that process is mapped, the time is kept; the watcher then listens LINGER_SECONDS longer, reads the
 * program's resident memory from /proc and prints
 *   RESULT mapped=T first_paint=T rss_kib=N
 * with times in seconds on CLOCK_REALTIME, the clock of bash's $EPOCHREALTIME. Exit status 1: no window
 * within TIMEOUT_SECONDS.
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double Now(void) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

/* Windows may be gone before their properties are read. */
static int IgnoreErrors(Display *display, XErrorEvent *error) {
    (void)display;
    (void)error;
    return 0;
}

static long WindowPid(Display *display, Window window, Atom pidAtom) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *value = NULL;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &value) == Success && value && count == 1 && format == 32)
        pid = (long)*(unsigned long *)value;
    if (value)
        XFree(value);
    return pid;
}

static long ReadPid(const char *path) {
    FILE *file = fopen(path, "r");
    long pid = -1;
    if (file) {
        if (fscanf(file, "%ld", &pid) != 1)
            pid = -1;
        fclose(file);
    }
    return pid;
}

static long ResidentKiB(long pid) {
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%ld/status", pid);
    FILE *file = fopen(path, "r");
    if (!file)
        return -1;
    while (fgets(line, sizeof line, file))
        sscanf(line, "VmRSS: %ld", &kib);
    fclose(file);
    return kib;
}

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s PIDFILE LINGER_SECONDS TIMEOUT_SECONDS\n", argv[0]);
        return 2;
    }
    const char *pidFile = argv[1];
    const double linger = atof(argv[2]);
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    int damageEvent, damageError;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    printf("READY\n");
    fflush(stdout);

    long pid = -1;
    Window target = 0;
    double mapped = 0, firstPaint = 0, deadline = Now() + atof(argv[3]);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            const double at = Now();
            if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles);
            } else if (event.type == MapNotify && event.xmap.event == root && !target &&
                       !event.xmap.override_redirect) {
                if (pid < 0)
                    pid = ReadPid(pidFile);
                if (pid > 0 && WindowPid(display, event.xmap.window, pidAtom) == pid) {
                    target = event.xmap.window;
                    mapped = at;
                    deadline = at + linger;
                }
            } else if (event.type == damageEvent + XDamageNotify) {
                const XDamageNotifyEvent *damage = (const XDamageNotifyEvent *)&event;
                if (target && damage->drawable == target && !firstPaint)
                    firstPaint = at;
            }
        }
        const double now = Now();
        if (now >= deadline)
            break;
        struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
        poll(&wait, 1, (int)((deadline - now) * 1000) + 1);
    }
    if (!target || !firstPaint) {
        printf("TIMEOUT\n");
        return 1;
    }
    printf("RESULT mapped=%.6f first_paint=%.6f rss_kib=%ld\n", mapped, firstPaint, ResidentKiB(pid));
    return 0;
}
