/* mapwait: start a program under an X server and report how long it takes
 * until a top-level window with a given title is mapped, and the program's
 * resident memory at that moment.
 *
 * usage: mapwait TITLE SETTLE_MS PROGRAM [ARGS...]
 * prints: map_ms=<ms> rss_kib=<kib> [settled_rss_kib=<kib>]
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
    printf("map_ms=%.1f rss_kib=%ld", mapped, rss);
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
