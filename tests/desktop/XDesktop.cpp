#include "desktop/XDesktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {
// A window may go between the listing and the look at it; that is no failure of the test.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// The 32-bit items of a window's property, or none.
std::vector<unsigned long> Property(Display* display, Window window, const char* name, Atom type) {
    std::vector<unsigned long> items;
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* values = reinterpret_cast<unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data) XFree(data);
    return items;
}

pid_t ProgramOf(Display* display, Window window) {
    const auto pid = Property(display, window, "_NET_WM_PID", XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<pid_t>(pid[0]);
}

std::string TitleOf(Display* display, Window window) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name) return {};
    std::string title = name;
    XFree(name);
    return title;
}

std::vector<Window> Children(Display* display, Window window) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    std::vector<Window> found;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children)
        found.assign(children, children + count);
    if (children) XFree(children);
    return found;
}

// The program's top-level windows: children of the root, or of a window manager's frames.
std::vector<Window> ProgramWindows(Display* display, pid_t program) {
    std::vector<Window> found;
    for (Window top : Children(display, DefaultRootWindow(display))) {
        if (ProgramOf(display, top) == program) {
            found.push_back(top);
            continue;
        }
        for (Window inner : Children(display, top))
            if (ProgramOf(display, inner) == program) found.push_back(inner);
    }
    return found;
}

void SendToRoot(Display* display, Window window, const char* message, long first, long second) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, message, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}
} // namespace

XDesktop::XDesktop(std::string display) : name_(std::move(display)) {
    XSetErrorHandler(IgnoreErrors);
    display_ = XOpenDisplay(name_.c_str());
}

XDesktop::~XDesktop() {
    if (display_) XCloseDisplay(display_);
}

XDesktop::WindowId XDesktop::Find(pid_t program, const std::string& title) const {
    WindowId any = 0;
    for (Window window : ProgramWindows(display_, program)) {
        if (TitleOf(display_, window) != title) continue;
        if (Mapped(window)) return window;
        if (!any) any = window;
    }
    return any;
}

bool XDesktop::Mapped(WindowId window) const {
    XWindowAttributes attributes{};
    return window && XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
}

bool XDesktop::Shows(pid_t program, const std::string& title) const {
    return Mapped(Find(program, title));
}

XDesktop::Place XDesktop::PlaceOf(WindowId window) const {
    Place place;
    XWindowAttributes attributes{};
    Window child = 0;
    if (!window || !XGetWindowAttributes(display_, window, &attributes)) return place;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &place.left,
                          &place.top, &child);
    place.width = attributes.width;
    place.height = attributes.height;
    return place;
}

std::vector<XDesktop::WindowId> XDesktop::Stacking() const {
    return Property(display_, DefaultRootWindow(display_), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
}

bool XDesktop::StacksAbove(WindowId upper, WindowId lower) const {
    if (!Mapped(upper) || !Mapped(lower)) return false;
    const auto order = Stacking();
    const auto high = std::find(order.begin(), order.end(), upper);
    const auto low = std::find(order.begin(), order.end(), lower);
    return high != order.end() && low != order.end() && high > low;
}

XDesktop::WindowId XDesktop::Focus() const {
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(display_, &focused, &revert);
    return focused;
}

int XDesktop::OpenMenus(pid_t program) const {
    int menus = 0;
    for (Window window : Children(display_, DefaultRootWindow(display_))) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, window, &attributes) && attributes.override_redirect &&
            attributes.map_state == IsViewable && ProgramOf(display_, window) == program)
            ++menus;
    }
    return menus;
}

std::string XDesktop::Describe(pid_t program) const {
    const auto order = Stacking();
    std::ostringstream text;
    for (Window window : ProgramWindows(display_, program)) {
        const std::string title = TitleOf(display_, window);
        if (title.empty()) continue;
        const Place place = PlaceOf(window);
        const auto at = std::find(order.begin(), order.end(), window);
        text << "  \"" << title << "\" " << (Mapped(window) ? "mapped" : "unmapped") << " at "
             << place.left << "," << place.top << " " << place.width << "x" << place.height;
        if (at != order.end()) text << ", stacked " << (at - order.begin());
        if (window == Focus()) text << ", focused";
        text << "\n";
    }
    return text.str();
}

void XDesktop::Minimise(WindowId window) const {
    XIconifyWindow(display_, window, DefaultScreen(display_));
    XFlush(display_);
}

void XDesktop::Activate(WindowId window) const {
    SendToRoot(display_, window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
}

void XDesktop::AskToClose(WindowId window) const {
    SendToRoot(display_, window, "_NET_CLOSE_WINDOW", CurrentTime, 2); // 2: the user's doing
}

void XDesktop::WatchUnmapping(WindowId window) const {
    XSelectInput(display_, window, StructureNotifyMask);
    XSync(display_, False);
}

bool XDesktop::WasUnmapped(WindowId window) {
    XEvent event;
    while (XCheckTypedWindowEvent(display_, window, UnmapNotify, &event))
        unmapped_.push_back(window);
    if (std::find(unmapped_.begin(), unmapped_.end(), window) == unmapped_.end()) return false;
    // What the window manager did in the same step has reached the server too.
    XSync(display_, False);
    return true;
}

void XDesktop::WatchMoves() {
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    XSync(display_, False);
    XEvent event;
    while (XCheckWindowEvent(display_, DefaultRootWindow(display_), SubstructureNotifyMask, &event))
        ;
    watchingMoves_ = true;
    moves_.clear();
    frames_.clear();
}

bool XDesktop::CameDownToTop(WindowId window) {
    if (!watchingMoves_ || !window) return false;
    XEvent event;
    while (
        XCheckWindowEvent(display_, DefaultRootWindow(display_), SubstructureNotifyMask, &event)) {
        if (event.type == ConfigureNotify)
            moves_.emplace_back(event.xconfigure.window, event.xconfigure.y);
        else if (event.type == ReparentNotify)
            frames_.emplace_back(event.xreparent.window, event.xreparent.parent);
    }
    // The window itself, or a frame a window manager put it in.
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, window, &root, &parent, &children, &count) && children)
        XFree(children);
    const auto itsOwn = [&](WindowId moved) {
        return moved == window || moved == parent ||
               std::ranges::find(frames_, std::pair{window, moved}) != frames_.end();
    };
    bool wasAbove = false, atTop = false;
    for (const auto& [moved, top] : moves_)
        if (itsOwn(moved)) {
            wasAbove = wasAbove || top < 0;
            atTop = top == 0;
        }
    return wasAbove && atTop;
}

std::vector<unsigned long> XDesktop::Pixels(Place area) const {
    std::vector<unsigned long> pixels;
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), area.left, area.top,
                              static_cast<unsigned>(area.width), static_cast<unsigned>(area.height),
                              AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(static_cast<size_t>(area.width) * static_cast<size_t>(area.height));
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
            pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
}

void XDesktop::MoveTo(int x, int y) const {
    const std::string command =
        "DISPLAY=" + name_ + " xdotool mousemove " + std::to_string(x) + " " + std::to_string(y);
    [[maybe_unused]] const int status = std::system(command.c_str());
}

bool XDesktop::Answers(WindowId window) const {
    if (!window) return false;
    const Window root = DefaultRootWindow(display_);
    const Atom protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display_, "_NET_WM_PING", False);
    // The answer goes to the root window, to those who watch its structure.
    XSelectInput(display_, root, StructureNotifyMask | SubstructureNotifyMask);
    XEvent sent{};
    sent.xclient.type = ClientMessage;
    sent.xclient.window = window;
    sent.xclient.message_type = protocols;
    sent.xclient.format = 32;
    sent.xclient.data.l[0] = static_cast<long>(ping);
    sent.xclient.data.l[1] = CurrentTime;
    // A number of this ping's own, so that an earlier answer does not count.
    static long pings = 0;
    sent.xclient.data.l[2] = static_cast<long>(window);
    sent.xclient.data.l[3] = ++pings;
    XSendEvent(display_, window, False, NoEventMask, &sent);
    XFlush(display_);
    const bool answered = WaitFor([&] {
        XEvent event{};
        while (XCheckTypedWindowEvent(display_, root, ClientMessage, &event))
            if (event.xclient.message_type == protocols &&
                static_cast<Atom>(event.xclient.data.l[0]) == ping &&
                event.xclient.data.l[3] == pings)
                return true;
        return false;
    });
    XSelectInput(display_, root, watchingMoves_ ? SubstructureNotifyMask : NoEventMask);
    return answered;
}

void XDesktop::Click(int x, int y, int button) const {
    const std::string command = "DISPLAY=" + name_ + " xdotool mousemove " + std::to_string(x) +
                                " " + std::to_string(y) + " click " + std::to_string(button);
    [[maybe_unused]] const int status = std::system(command.c_str());
}

void XDesktop::Keys(const std::string& keys) const {
    const std::string command = "DISPLAY=" + name_ + " xdotool key " + keys;
    [[maybe_unused]] const int status = std::system(command.c_str());
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
