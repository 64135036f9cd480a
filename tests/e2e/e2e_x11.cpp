// What the end-to-end tests need of X that the stock tools lack:
//   e2e_x11 close <window>
//       asks the window to close as a window manager does: a WM_PROTOCOLS
//       client message carrying WM_DELETE_WINDOW (there is no window manager
//       under Xvfb, and destroying the window would skip the program's own
//       shut-down);
//   e2e_x11 colours <window> <x>
//       prints how many different colours the window shows in column <x>;
//   e2e_x11 box <window> <rrggbb>
//       prints "x y width height count" of the pixels of exactly that colour
//       (their bounding box and number), or "none".
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <set>
#include <string>

namespace {

bool parseWindow(const char* text, Window& window) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 0);
    if (end == text || *end != '\0' || value == 0)
        return false;
    window = static_cast<Window>(value);
    return true;
}

int sendClose(Display* display, Window window) {
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);

    // A window that does not take part in the protocol would ignore us.
    Atom* offered = nullptr;
    int count = 0;
    bool takesPart = false;
    if (XGetWMProtocols(display, window, &offered, &count) != 0) {
        for (int i = 0; i < count; ++i)
            takesPart = takesPart || offered[i] == deleteWindow;
        XFree(offered);
    }
    if (!takesPart) {
        std::cerr << "window does not offer WM_DELETE_WINDOW\n";
        return 1;
    }

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return sent != 0 ? 0 : 1;
}

// The window's columns from `x`, `width` wide (0: to the right edge), all
// rows; null, with the reason said, when the window or the column is not there.
XImage* grab(Display* display, Window window, int x, int width, XWindowAttributes& attributes) {
    if (XGetWindowAttributes(display, window, &attributes) == 0 || x < 0 || x >= attributes.width) {
        std::cerr << "no such window or column\n";
        return nullptr;
    }
    XImage* image = XGetImage(display, window, x, 0,
                              static_cast<unsigned>(width > 0 ? width : attributes.width - x),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        std::cerr << "cannot read the window\n";
    return image;
}

int countColours(Display* display, Window window, int x) {
    XWindowAttributes attributes;
    XImage* image = grab(display, window, x, 1, attributes);
    if (image == nullptr)
        return 1;
    std::set<unsigned long> colours;
    for (int y = 0; y < attributes.height; ++y)
        colours.insert(XGetPixel(image, 0, y));
    XDestroyImage(image);
    std::cout << colours.size() << '\n';
    return 0;
}

// A 24-bit TrueColor visual keeps red, green and blue in the usual bytes.
int colourBox(Display* display, Window window, const std::string& hex) {
    XWindowAttributes attributes;
    XImage* image = grab(display, window, 0, 0, attributes);
    if (image == nullptr)
        return 1;
    const unsigned long wanted = std::strtoul(hex.c_str(), nullptr, 16);
    int left = attributes.width, top = attributes.height, right = -1, bottom = -1;
    long count = 0;
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            if ((XGetPixel(image, x, y) & 0xFFFFFF) != wanted)
                continue;
            ++count;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    XDestroyImage(image);
    if (count == 0)
        std::cout << "none\n";
    else
        std::cout << left << ' ' << top << ' ' << (right - left + 1) << ' ' << (bottom - top + 1)
                  << ' ' << count << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    Window window = 0;
    const bool known = (command == "close" && argc == 3) || (command == "colours" && argc == 4) ||
                       (command == "box" && argc == 4);
    if (!known || !parseWindow(argv[2], window)) {
        std::cerr << "usage: e2e_x11 close <window> | e2e_x11 colours <window> <x>\n";
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::cerr << "cannot open the display\n";
        return 1;
    }
    const int result = command == "close" ? sendClose(display, window)
                       : command == "box" ? colourBox(display, window, argv[3])
                                          : countColours(display, window, std::atoi(argv[3]));
    XCloseDisplay(display);
    return result;
}
