// The base of every window of the program: one window procedure for all of
// them. The object is bound to its window at WM_NCCREATE (through the
// creation parameter), so even the earliest messages reach the object.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace app {

struct WindowSpec {
    const char* class_name = nullptr;
    const char* title = "";
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD ex_style = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND parent = nullptr;
    HMENU menu_or_id = nullptr;
    UINT class_style = CS_DBLCLKS;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr; }

    // The object of one of the program's windows; nullptr for any other
    // window (controls, other programs' windows).
    static Window* FromHandle(HWND hwnd);
    // A message for this window or one of its children, before it is
    // dispatched (see message_loop.h). True when it was handled here.
    virtual bool PreTranslate(MSG& msg) { return false; }

    // The DPI the window is laid out for: its monitor's. A child window
    // follows its top-level window.
    int Dpi() const;
    // Pixels at 96 DPI to pixels at the window's DPI.
    int Scale(int pixels) const { return MulDiv(pixels, Dpi(), 96); }
    // The window moved to a monitor of another DPI (WM_DPICHANGED): it takes
    // `bounds` (screen coordinates), and it and every window of ours inside
    // it lay themselves out again through OnDpiChanged.
    void ChangeDpi(int dpi, const RECT& bounds);

protected:
    // Registers the class (once per name) and creates the window bound to this.
    bool CreateWin(const WindowSpec& spec);
    // Every message of the window; the default passes it on to Windows.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    // The last message the window gets; the handle is gone after it.
    virtual void OnFinalDestroy() {}
    // Lays the window out again for Dpi() (its size is already set; a window
    // places its children, fonts and outline).
    virtual void OnDpiChanged() {}
    // The DPI sizes are computed for before the window exists (CreateWin
    // takes its real monitor's afterwards).
    void AdoptDpi(int dpi) { dpi_ = dpi; }
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    // WM_PAINT (with WM_ERASEBKGND answered as done): `paint(dc, client)`
    // draws the whole client area on the window's paint DC.
    template <class Paint>
    LRESULT Painted(Paint&& paint) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT client;
        GetClientRect(hwnd_, &client);
        paint(dc, client);
        EndPaint(hwnd_, &ps);
        return 0;
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
    int dpi_ = 0;  // 0: not known yet
};

// The module of the program (the resources' owner).
HINSTANCE Instance();

// An exception a window's handler lets out stops at the window procedure
// (nothing may unwind through Windows' own frames): its message goes here, for
// the program to show once the handler is left. Without a handler it is lost.
void SetUnexpectedErrorHandler(std::function<void(const std::string& what)> handler);

// DPIs. The program is aware of each monitor's DPI; on a system that cannot
// tell (before Windows 8.1) every monitor has the system's DPI.
int SystemDpi();
// The DPI of the monitor nearest to the point (screen coordinates).
int DpiAt(POINT point);
// The DPI of a window: of one of ours as it lays itself out, of any other
// as Windows gives it.
int DpiOf(HWND hwnd);
// Pixels at 96 DPI to pixels at `dpi`.
inline int ScaleTo(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

}  // namespace app
