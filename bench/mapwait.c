/* mapwait: start a program under an X server and report how long it takes
 * until a top-level window with a given title is mapped, how long until the
 * program then goes idle, and the program's resident memory at the map.
 *
 * Idle is the first moment after the map from which the program uses less
 * than 3 % of a core for 300 ms (its CPU time, all threads, read every 5 ms).
 *
 * usage: mapwait TITLE SETTLE_MS PROGRAM [ARGS...]
 * prints: map_ms=<ms> idle_ms=<ms> rss_kib=<kib> [settled_rss_kib=<kib>]
 * (idle_ms=-1 when the program did not go idle within 20 s)
 */
#define _GNU_SOURCE
#include <xcb/xcb.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

/* The CPU time the process has used so far, all its threads, in ms. */
static double cpu_ms(clockid_t clock)
{
    struct timespec ts;
    if (clock_gettime(clock, &ts) != 0)
        return -1;
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

enum { IDLE_WINDOW_MS = 300, IDLE_SAMPLE_MS = 5, IDLE_GIVE_UP_MS = 20000 };
#define IDLE_SHARE 0.03

/* Samples the process's CPU time from now on and returns the first sample
 * time (ms since t0) from which it used under IDLE_SHARE of a core for
 * IDLE_WINDOW_MS, or -1. */
static double wait_for_idle(pid_t pid, double t0)
{
    clockid_t clock;
    if (clock_getcpuclockid(pid, &clock) != 0)
        return -1;
    enum { MAX_SAMPLES = IDLE_GIVE_UP_MS / IDLE_SAMPLE_MS + 2 };
    static double at[MAX_SAMPLES], used[MAX_SAMPLES];
    int n = 0, from = 0;
    double start = now_ms();
    while (n < MAX_SAMPLES && now_ms() - start < IDLE_GIVE_UP_MS) {
        at[n] = now_ms();
        used[n] = cpu_ms(clock);
        if (used[n] < 0)
            return -1;
        ++n;
        /* Every start whose window is complete is judged, oldest first. */
        while (from < n && at[n - 1] - at[from] >= IDLE_WINDOW_MS) {
            if (used[n - 1] - used[from] < IDLE_SHARE * (at[n - 1] - at[from]))
                return at[from] - t0;
            ++from;
        }
        usleep(IDLE_SAMPLE_MS * 1000);
    }
    return -1;
}

static long rss_kib(pid_t pid)
{
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmRSS:", 6) == 0)
            kib = strtol(line + 6, NULL, 10);
    fclose(f);
    return kib;
}

static int title_matches(xcb_connection_t *c, xcb_window_t w, const char *title)
{
    xcb_get_property_cookie_t ck = xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    xcb_get_property_reply_t *r = xcb_get_property_reply(c, ck, NULL);
    int ok = 0;
    if (r) {
        int len = xcb_get_property_value_length(r);
        ok = len == (int)strlen(title) && memcmp(xcb_get_property_value(r), title, len) == 0;
        free(r);
    }
    return ok;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s TITLE SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const char *title = argv[1];
    int settle = atoi(argv[2]);
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "mapwait: cannot connect to the X server\n");
        return 2;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    double t0 = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    xcb_generic_event_t *ev;
    double mapped = -1;
    while (mapped < 0 && (ev = xcb_wait_for_event(c))) {
        if ((ev->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            xcb_map_notify_event_t *m = (xcb_map_notify_event_t *)ev;
            if (title_matches(c, m->window, title))
                mapped = now_ms() - t0;
        }
        free(ev);
    }
    long rss = rss_kib(pid);
    double idle = mapped < 0 ? -1 : wait_for_idle(pid, t0);
    printf("map_ms=%.1f idle_ms=%.1f rss_kib=%ld", mapped, idle, rss);
    if (settle > 0) {
        usleep(settle * 1000);
        printf(" settled_rss_kib=%ld", rss_kib(pid));
    }
    printf("\n");
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    xcb_disconnect(c);
    return mapped < 0;
}
