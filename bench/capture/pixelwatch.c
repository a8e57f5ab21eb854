/* Times, from outside the program, how long the X screen takes to show a change after an input.
 * Native Linux, built by bench_capture.py: cc pixelwatch.c -lX11 libXtst.so.6
 *
 *   pixelwatch hotkey X Y R G B TOL TIMEOUT_MS
 *       sends Ctrl+Alt+A through XTest, then prints the ms until pixel (X, Y) is within TOL of R,G,B
 *   pixelwatch change X Y TOL TIMEOUT_MS
 *       the same, until pixel (X, Y) differs by more than TOL from what it was before the key
 *   pixelwatch drag X0 Y0 X1 Y1 STEPS TIMEOUT_MS
 *       presses the left button at X0,Y0, then moves towards X1,Y1 in STEPS steps; after each step
 *       waits until the pixel just inside the selection's new right edge (x - 1, Y0 + 1 + half the
 *       height) shows the frame colour #00AEFF, and prints each step's ms, then the button goes up
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

/* libXtst's entry points (its headers are not installed here). */
extern int XTestFakeKeyEvent(Display *, unsigned int, Bool, unsigned long);
extern int XTestFakeButtonEvent(Display *, unsigned int, Bool, unsigned long);
extern int XTestFakeMotionEvent(Display *, int, int, int, unsigned long);

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int pixel_is(Display *d, Window root, int x, int y, int r, int g, int b, int tol) {
    XImage *img = XGetImage(d, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 0;
    unsigned long p = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    int pr = (p >> 16) & 255, pg = (p >> 8) & 255, pb = p & 255;
    return abs(pr - r) <= tol && abs(pg - g) <= tol && abs(pb - b) <= tol;
}

static double wait_pixel(Display *d, Window root, int x, int y, int r, int g, int b, int tol, double start,
                         double timeout) {
    while (!pixel_is(d, root, x, y, r, g, b, tol)) {
        if (now_ms() - start > timeout) return -1;
    }
    return now_ms() - start;
}

static void key_combo(Display *d) {
    unsigned int ctrl = XKeysymToKeycode(d, XK_Control_L), alt = XKeysymToKeycode(d, XK_Alt_L);
    unsigned int a = XKeysymToKeycode(d, XK_a);
    XTestFakeKeyEvent(d, ctrl, True, 0);
    XTestFakeKeyEvent(d, alt, True, 0);
    XTestFakeKeyEvent(d, a, True, 0);
    XTestFakeKeyEvent(d, a, False, 0);
    XTestFakeKeyEvent(d, alt, False, 0);
    XTestFakeKeyEvent(d, ctrl, False, 0);
}

int main(int argc, char **argv) {
    Display *d = XOpenDisplay(NULL);
    if (!d || argc < 2) return 2;
    Window root = DefaultRootWindow(d);
    if (argv[1][0] == 'h' && argc == 9) {
        double start = now_ms();
        key_combo(d);
        XFlush(d);
        printf("%.1f\n", wait_pixel(d, root, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
                                    atoi(argv[6]), atoi(argv[7]), start, atof(argv[8])));
        return 0;
    }
    if (argv[1][0] == 'c' && argc == 6) {  /* change X Y TOL TIMEOUT_MS: the pixel leaves its colour */
        int x = atoi(argv[2]), y = atoi(argv[3]), tol = atoi(argv[4]);
        XImage *img = XGetImage(d, root, x, y, 1, 1, AllPlanes, ZPixmap);
        unsigned long p = XGetPixel(img, 0, 0);
        XDestroyImage(img);
        int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
        double start = now_ms(), timeout = atof(argv[5]);
        key_combo(d);
        XFlush(d);
        while (pixel_is(d, root, x, y, r, g, b, tol)) {
            if (now_ms() - start > timeout) { printf("-1\n"); return 0; }
        }
        printf("%.1f\n", now_ms() - start);
        return 0;
    }
    if (argv[1][0] == 'd' && argc == 8) {
        int x0 = atoi(argv[2]), y0 = atoi(argv[3]), x1 = atoi(argv[4]), y1 = atoi(argv[5]);
        int steps = atoi(argv[6]);
        double timeout = atof(argv[7]);
        XTestFakeMotionEvent(d, -1, x0, y0, 0);
        XSync(d, False);
        /* The move starts a detection pass, which disables the window while it searches. */
        struct timespec pause = {0, 500 * 1000 * 1000};
        nanosleep(&pause, NULL);
        XTestFakeButtonEvent(d, 1, True, 0);
        XSync(d, False);
        for (int i = 1; i <= steps; ++i) {
            int x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
            double start = now_ms();
            XTestFakeMotionEvent(d, -1, x, y, 0);
            XFlush(d);
            printf("%.2f\n", wait_pixel(d, root, x - 1, y0 + 1 + (y - y0) / 2, 0, 0xAE, 0xFF, 2, start, timeout));
        }
        XTestFakeButtonEvent(d, 1, False, 0);
        XSync(d, False);
        return 0;
    }
    return 2;
}
