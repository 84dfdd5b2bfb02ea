// Owners of Windows handles: each closes its handle, with the call its kind
// needs, when it goes out of scope. Code that opens a handle keeps it in one
// of these, so every path out of a function closes it.
#pragma once

#include <windows.h>

#include <utility>

namespace app {

// Traits: the value meaning "no handle" and the call that closes one.
template <class Handle, auto Close>
struct NullTraits {
    static Handle Invalid() { return nullptr; }
    static void Destroy(Handle h) { Close(h); }
};
template <auto Close>
struct InvalidValueTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Destroy(HANDLE h) { Close(h); }
};

template <class Handle, class Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle h) : h_(h) {}
    Owned(Owned&& o) noexcept : h_(o.release()) {}
    Owned& operator=(Owned&& o) noexcept {
        reset(o.release());
        return *this;
    }
    ~Owned() { reset(); }

    void reset(Handle h = Traits::Invalid()) {
        if (h_ != Traits::Invalid() && h_ != h) Traits::Destroy(h_);
        h_ = h;
    }
    // Gives the handle away (to an owner that closes it itself).
    Handle release() { return std::exchange(h_, Traits::Invalid()); }
    Handle get() const { return h_; }
    // For calls that return a handle through a pointer: closes the one held.
    Handle* put() {
        reset();
        return &h_;
    }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    operator Handle() const { return h_; }

private:
    Handle h_ = Traits::Invalid();
};

inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline void CloseKey(HKEY h) { RegCloseKey(h); }
inline void CloseMenu(HMENU h) { DestroyMenu(h); }  // and its submenus
inline void CloseFind(HANDLE h) { FindClose(h); }
inline void CloseLibrary(HMODULE h) { FreeLibrary(h); }
inline void CloseLocal(HLOCAL h) { LocalFree(h); }
inline void CloseMemoryDC(HDC h) { DeleteDC(h); }

// A process token, mutex or event (null when none).
using UniqueHandle = Owned<HANDLE, NullTraits<HANDLE, CloseKernelHandle>>;
// A file opened with CreateFile (INVALID_HANDLE_VALUE when none).
using UniqueFile = Owned<HANDLE, InvalidValueTraits<CloseKernelHandle>>;
using UniqueFind = Owned<HANDLE, InvalidValueTraits<CloseFind>>;
using UniqueKey = Owned<HKEY, NullTraits<HKEY, CloseKey>>;
using UniqueMenu = Owned<HMENU, NullTraits<HMENU, CloseMenu>>;
using UniqueLibrary = Owned<HMODULE, NullTraits<HMODULE, CloseLibrary>>;
using UniqueLocal = Owned<HLOCAL, NullTraits<HLOCAL, CloseLocal>>;
using MemoryDC = Owned<HDC, NullTraits<HDC, CloseMemoryDC>>;

}  // namespace app
