#include "ui/window.h"

#include <exception>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/gdi.h"

namespace app {

namespace {
// The property that marks a window as one of ours and holds its object.
constexpr const char* kObjectProperty = "WaktunaWindow";
}  // namespace

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

namespace {

// The per-monitor functions, where Windows has them (8.1 and 10 1607 on).
using DpiForWindowFn = UINT(WINAPI*)(HWND);
using DpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

DpiForWindowFn DpiForWindow() {
    static const auto fn = reinterpret_cast<DpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return fn;
}

DpiForMonitorFn DpiForMonitor() {
    static const auto fn = [] {
        HMODULE shcore = LoadLibraryA("shcore.dll");
        return shcore ? reinterpret_cast<DpiForMonitorFn>(reinterpret_cast<void*>(
                            GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    return fn;
}

int MonitorDpi(HMONITOR monitor) {
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    if (DpiForMonitor() && monitor && DpiForMonitor()(monitor, kEffectiveDpi, &x, &y) == S_OK && y)
        return static_cast<int>(y);
    return SystemDpi();
}

// The DPI Windows gives the window.
int WindowsDpi(HWND hwnd) {
    if (DpiForWindow())
        if (const UINT dpi = DpiForWindow()(hwnd)) return static_cast<int>(dpi);
    return MonitorDpi(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

bool IsChildStyle(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0; }

}  // namespace

int SystemDpi() {
    static const int dpi = [] {
        const WindowDC dc(nullptr);
        const int d = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        return d > 0 ? d : 96;
    }();
    return dpi;
}

int DpiAt(POINT point) { return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

int DpiOf(HWND hwnd) {
    if (const Window* w = Window::FromHandle(hwnd)) return w->Dpi();
    return hwnd ? WindowsDpi(hwnd) : DpiAt({0, 0});
}

int Window::Dpi() const {
    if (hwnd_ && IsChildStyle(hwnd_)) {
        HWND root = GetAncestor(hwnd_, GA_ROOT);
        if (root && root != hwnd_) return DpiOf(root);
    }
    if (dpi_) return dpi_;
    // Not created yet: new windows open on the primary monitor.
    return hwnd_ ? WindowsDpi(hwnd_) : DpiAt({0, 0});
}

void Window::ChangeDpi(int dpi, const RECT& bounds) {
    if (dpi <= 0 || !hwnd_) return;
    dpi_ = dpi;
    SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    OnDpiChanged();
    // Then our windows inside it, each parent before its children.
    std::vector<HWND> inside;
    EnumChildWindows(
        hwnd_,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&inside));
    for (HWND child : inside)
        if (Window* w = FromHandle(child)) w->OnDpiChanged();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

Window::~Window() {
    if (hwnd_) {
        // Unbind first: the messages of the destruction must not reach a
        // half-destroyed object.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        RemovePropA(hwnd_, kObjectProperty);
        HWND h = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

bool Window::CreateWin(const WindowSpec& spec) {
    static std::set<std::string> registered;
    if (!registered.count(spec.class_name)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = spec.class_style;
        wc.lpfnWndProc = Procedure;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = spec.background;
        wc.hIcon = spec.icon;
        wc.lpszClassName = spec.class_name;
        if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
        registered.insert(spec.class_name);
    }
    const bool top_level = (spec.style & WS_CHILD) == 0;
    const int planned = Dpi();
    CreateWindowExA(spec.ex_style, spec.class_name, spec.title, spec.style, spec.x, spec.y,
                    spec.width, spec.height, spec.parent, spec.menu_or_id, Instance(), this);
    if (!hwnd_ || !top_level) return hwnd_ != nullptr;
    // Sized for the monitor it was meant for; on another monitor it takes
    // that monitor's DPI, keeping its top-left corner.
    dpi_ = planned;
    if (const int actual = WindowsDpi(hwnd_); actual != planned) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        r.right = r.left + MulDiv(r.right - r.left, actual, planned);
        r.bottom = r.top + MulDiv(r.bottom - r.top, actual, planned);
        ChangeDpi(actual, r);
    }
    return true;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

namespace {

std::function<void(const std::string&)>& UnexpectedErrorHandler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}

// The message counts as handled by default, and the error is passed on.
LRESULT Unexpected(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, const char* what) noexcept {
    try {
        if (UnexpectedErrorHandler()) UnexpectedErrorHandler()(what);
    } catch (...) {
        // Out of memory even for the message: nothing more can be done.
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

void SetUnexpectedErrorHandler(std::function<void(const std::string& what)> handler) {
    UnexpectedErrorHandler() = std::move(handler);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetPropA(hwnd, kObjectProperty, self);
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    try {
        if (msg == WM_DPICHANGED && lp && !IsChildStyle(hwnd))
            self->ChangeDpi(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        else
            result = self->OnMessage(msg, wp, lp);
    } catch (const std::exception& e) {
        result = Unexpected(hwnd, msg, wp, lp, e.what());
    } catch (...) {
        result = Unexpected(hwnd, msg, wp, lp, "unknown error");
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        RemovePropA(hwnd, kObjectProperty);
        self->hwnd_ = nullptr;
        self->OnFinalDestroy();
    }
    return result;
}

}  // namespace app
