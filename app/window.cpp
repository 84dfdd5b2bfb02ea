#include "window.h"

#include <exception>
#include <set>
#include <string>

namespace app {

namespace {
// The property that marks a window as one of ours and holds its object.
constexpr const char* kObjectProperty = "WaktunaWindow";
}  // namespace

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

int Scale(int pixels) {
    static const int dpi = [] {
        HDC dc = GetDC(nullptr);
        const int d = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc) ReleaseDC(nullptr, dc);
        return d > 0 ? d : 96;
    }();
    return MulDiv(pixels, dpi, 96);
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
    CreateWindowExA(spec.ex_style, spec.class_name, spec.title, spec.style, spec.x, spec.y,
                    spec.width, spec.height, spec.parent, spec.menu_or_id, Instance(), this);
    return hwnd_ != nullptr;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd_, msg, wp, lp);
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
        result = self->OnMessage(msg, wp, lp);
    } catch (const std::exception&) {
        // Nothing may unwind through Windows' own frames; the message counts
        // as handled by default.
        result = DefWindowProcA(hwnd, msg, wp, lp);
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
