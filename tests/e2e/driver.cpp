// waktuna-drive: a small Windows console program the end-to-end tests use to
// look at Waktuna's windows from outside and send them messages, as a user's
// actions or the shell would. One command per run; prints results on stdout,
// exits 1 when what was asked for is not there.
//
//   find CLASS [SECONDS]          wait for a top-level window of the class; print its handle
//   gone CLASS [SECONDS]          wait until no window of the class is left
//   visible HWND                  print 1 or 0
//   text HWND                     print the window's text
//   controls HWND                 print "class<TAB>text<TAB>visible" for each child
//   click HWND TEXT               press the child button with this text (BM_CLICK)
//   post HWND MSG WPARAM LPARAM   PostMessage (numbers in decimal or 0x hex)
//   send HWND MSG WPARAM LPARAM   SendMessage, prints the result
//   rect HWND                     print "x y width height" of the window
//   nth-child HWND CLASS N        print the handle of the Nth (from 0) descendant of that class
//   type-text HWND TEXT           WM_SETTEXT to that window (an edit box then tells its parent)
//   set-date HWND Y M D [h m s]   set a date-time picker and tell its parent, as a user's pick does
//   dpi-changed HWND DPI W H      tell a window, as Windows does, that it is now on a monitor of
//                                 that DPI, suggesting W x H at its top-left corner
//   windows                       list every top-level window: handle, class, visible, text
//   count PROCESS.EXE             print how many processes run that program
//   foreground HWND               bring the window to the front and give it the focus
//   tray-icons                    print the number of icons in the notification area
//   wait-dialog SECONDS           wait for the message dialog; print the local time it was
//                                 found ("HH:MM:SS.mmm"), a TAB and its texts joined by "|"
//   tray-delete HWND              remove the window's tray icon, as a restarting shell does
//   taskbar-created HWND          tell the window the taskbar was created again
//   menu                          wait for an open popup menu, then close it
//   child HWND CLASS [SECONDS]    wait for a descendant window of the class; print its handle
//   set-text HWND ID TEXT         put TEXT into the child control ID (edit or drop-down box)
//   get-text HWND ID              print the text of the child control ID
//   checked HWND ID               print 1 when the child button ID is ticked, else 0
//   enabled HWND ID               print 1 when the child control ID is enabled, else 0
//   reg-set NAME dword|sz VALUE   write a value of HKLM\Software\Waktuna3, the machine defaults
//   reg-set-user NAME dword|sz VALUE  the same in the user's key (HKCU)
//   reg-get NAME [KEY]            print a value as the program reads it (the user's key, else
//                                 the machine's), or of another key (exit 1 when missing)
//   reg-get-machine NAME          print the machine's value only (exit 1 when missing)
//   control HWND ID               print the handle of the child control ID
//   reg-deny-write                let nobody change the user's key any more
//   start EXE                     start a program and return at once
//   start-time EXE                start a program, print the milliseconds until its tray
//                                 icon is there
#include <windows.h>

#include <shellapi.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kKey = "Software\\Waktuna3";

HWND ParseHwnd(const char* s) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtoll(s, nullptr, 0)));
}
uintptr_t ParseNumber(const char* s) { return static_cast<uintptr_t>(std::strtoll(s, nullptr, 0)); }

// Sends a message whose lParam points to `data`, copied into the memory of
// the window's process for the time of the call (the system carries no
// such data across processes). False when it could not be sent.
bool SendWithData(HWND hwnd, UINT msg, WPARAM wp, const void* data, size_t size, size_t offset = 0,
                  LRESULT* result = nullptr) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    SIZE_T written = 0;
    const bool ok = remote && WriteProcessMemory(process, remote, data, size, &written);
    if (ok) {
        const LRESULT r = SendMessageA(hwnd, msg, wp, reinterpret_cast<LPARAM>(static_cast<char*>(remote) + offset));
        if (result) *result = r;
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

std::string ClassOf(HWND h) {
    char buf[256] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

std::string TextOf(HWND h) {
    // WM_GETTEXT reaches controls of other processes (GetWindowText does not).
    char buf[4096] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                        2000, &result);
    return buf;
}

std::vector<HWND> TopLevel(const std::string& cls) {
    std::vector<HWND> found;
    struct Ctx {
        const std::string* cls;
        std::vector<HWND>* found;
    } ctx{&cls, &found};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(lp);
            if (c->cls->empty() || ClassOf(h) == *c->cls) c->found->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return found;
}

bool WaitFor(const std::string& cls, double seconds, bool present, HWND* out) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        auto w = TopLevel(cls);
        if (present && !w.empty()) {
            *out = w.front();
            return true;
        }
        if (!present && w.empty()) return true;
        if (static_cast<int>(end - GetTickCount()) <= 0) return false;
        Sleep(50);
    }
}

void PrintHwnd(HWND h) { std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h))); }

int TrayIcons() {
    // Wine's shell keeps each icon as a window of its own class, inside the
    // tray window or standing alone when no tray is docked.
    int count = 0;
    struct Ctx {
        int* count;
    } ctx{&count};
    auto visit = [](HWND h, LPARAM lp) -> BOOL {
        const std::string cls = ClassOf(h);
        if (cls == "__wine_tray_icon" || cls == "__winex11_tray_icon")
            ++*reinterpret_cast<Ctx*>(lp)->count;
        return TRUE;
    };
    EnumWindows(visit, reinterpret_cast<LPARAM>(&ctx));
    for (const char* tray : {"Shell_TrayWnd", "__winex11_standalone_tray"})
        for (HWND h : TopLevel(tray)) EnumChildWindows(h, visit, reinterpret_cast<LPARAM>(&ctx));
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string cmd = argv[1];
    auto arg = [&](int i) -> const char* { return i < argc ? argv[i] : ""; };
    if (cmd == "find" || cmd == "gone") {
        HWND h = nullptr;
        const double seconds = argc > 3 ? std::atof(argv[3]) : 10;
        if (!WaitFor(arg(2), seconds, cmd == "find", &h)) return 1;
        if (h) PrintHwnd(h);
        return 0;
    }
    if (cmd == "child") {
        const DWORD end = GetTickCount() + static_cast<DWORD>((argc > 4 ? std::atof(argv[4]) : 10) * 1000);
        for (;;) {
            struct Find {
                std::string cls;
                HWND found = nullptr;
            } find{arg(3)};
            EnumChildWindows(
                ParseHwnd(arg(2)),
                [](HWND h, LPARAM lp) -> BOOL {
                    auto* f = reinterpret_cast<Find*>(lp);
                    if (ClassOf(h) != f->cls) return TRUE;
                    f->found = h;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&find));
            if (find.found) {
                PrintHwnd(find.found);
                return 0;
            }
            if (static_cast<int>(end - GetTickCount()) <= 0) return 1;
            Sleep(50);
        }
    }
    if (cmd == "control") {
        HWND c = GetDlgItem(ParseHwnd(arg(2)), static_cast<int>(ParseNumber(arg(3))));
        if (!c) return 1;
        PrintHwnd(c);
        return 0;
    }
    if (cmd == "set-text" || cmd == "get-text" || cmd == "checked" || cmd == "enabled") {
        HWND c = GetDlgItem(ParseHwnd(arg(2)), static_cast<int>(ParseNumber(arg(3))));
        if (!c) return 1;
        if (cmd == "set-text") {
            // WM_SETTEXT carries its text across processes.
            DWORD_PTR result = 0;
            return SendMessageTimeoutA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(4)), SMTO_NORMAL,
                                       5000, &result) ? 0 : 1;
        }
        if (cmd == "get-text") std::printf("%s\n", TextOf(c).c_str());
        if (cmd == "checked") std::printf("%d\n", SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        if (cmd == "enabled") std::printf("%d\n", IsWindowEnabled(c) ? 1 : 0);
        return 0;
    }
    if (cmd == "visible") {
        std::printf("%d\n", IsWindowVisible(ParseHwnd(arg(2))) ? 1 : 0);
        return 0;
    }
    if (cmd == "text") {
        std::printf("%s\n", TextOf(ParseHwnd(arg(2))).c_str());
        return 0;
    }
    if (cmd == "controls" || cmd == "click") {
        HWND parent = ParseHwnd(arg(2));
        const std::string want = arg(3);
        std::vector<HWND> children;
        EnumChildWindows(
            parent,
            [](HWND h, LPARAM lp) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&children));
        for (HWND c : children) {
            const std::string text = TextOf(c);
            if (cmd == "controls") {
                std::printf("%s\t%s\t%d\n", ClassOf(c).c_str(), text.c_str(),
                            IsWindowVisible(c) ? 1 : 0);
            } else if (text == want && IsWindowVisible(c)) {
                PostMessageA(c, BM_CLICK, 0, 0);
                return 0;
            }
        }
        return cmd == "controls" ? 0 : 1;
    }
    if (cmd == "post" || cmd == "send") {
        HWND h = ParseHwnd(arg(2));
        const UINT msg = static_cast<UINT>(ParseNumber(arg(3)));
        const WPARAM wp = ParseNumber(arg(4));
        const LPARAM lp = static_cast<LPARAM>(ParseNumber(arg(5)));
        if (cmd == "post") return PostMessageA(h, msg, wp, lp) ? 0 : 1;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(h, msg, wp, lp, SMTO_NORMAL, 5000, &result)) return 1;
        std::printf("%lld\n", static_cast<long long>(result));
        return 0;
    }
    if (cmd == "nth-child") {
        std::vector<HWND> children;
        EnumChildWindows(
            ParseHwnd(arg(2)),
            [](HWND h, LPARAM lp) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&children));
        int n = std::atoi(arg(4));
        for (HWND c : children)
            if (ClassOf(c) == arg(3) && n-- == 0) {
                PrintHwnd(c);
                return 0;
            }
        return 1;
    }
    if (cmd == "type-text") {  // the system carries the text across processes
        return SendMessageA(ParseHwnd(arg(2)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(3))) ? 0 : 1;
    }
    if (cmd == "set-date") {  // set-date PICKER Y M D [h m s]: as if the user had picked it
        HWND picker = ParseHwnd(arg(2));
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = picker;
        change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        SYSTEMTIME& t = change.st;
        t.wYear = static_cast<WORD>(std::atoi(arg(3)));
        t.wMonth = static_cast<WORD>(std::atoi(arg(4)));
        t.wDay = static_cast<WORD>(std::atoi(arg(5)));
        t.wHour = static_cast<WORD>(std::atoi(arg(6)));
        t.wMinute = static_cast<WORD>(std::atoi(arg(7)));
        t.wSecond = static_cast<WORD>(std::atoi(arg(8)));
        // The picker reads the date from the program's own memory.
        LRESULT set = 0;
        const bool ok = SendWithData(picker, DTM_SETSYSTEMTIME, GDT_VALID, &change, sizeof change,
                                     offsetof(NMDATETIMECHANGE, st), &set) && set;
        // A notification cannot cross processes: a click on the first field
        // and a key up and down there bring it back to this value, and the
        // picker itself tells its parent.
        if (ok) {
            SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));  // the first field
            SendMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
            SendMessageA(picker, WM_KEYDOWN, VK_UP, 0);
            SendMessageA(picker, WM_KEYDOWN, VK_DOWN, 0);
        }
        return ok ? 0 : 1;
    }
    if (cmd == "dpi-changed") {
        HWND h = ParseHwnd(arg(2));
        const auto dpi = static_cast<WORD>(std::atoi(arg(3)));
        RECT r{};
        if (!GetWindowRect(h, &r)) return 1;
        r.right = r.left + std::atoi(arg(4));
        r.bottom = r.top + std::atoi(arg(5));
        return SendWithData(h, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), &r, sizeof r) ? 0 : 1;
    }
    if (cmd == "rect") {
        RECT r{};
        if (!GetWindowRect(ParseHwnd(arg(2)), &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == "windows") {
        for (HWND h : TopLevel("")) {
            char title[256] = {};
            GetWindowTextA(h, title, sizeof title);
            std::printf("0x%llx\t%s\t%d\t%s\n",
                        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h)),
                        ClassOf(h).c_str(), IsWindowVisible(h) ? 1 : 0, title);
        }
        return 0;
    }
    if (cmd == "count") {
        int n = 0;
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 pe{};
        pe.dwSize = sizeof pe;
        for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
            if (_stricmp(pe.szExeFile, arg(2)) == 0) ++n;
        CloseHandle(snap);
        std::printf("%d\n", n);
        return 0;
    }
    if (cmd == "foreground") {
        HWND h = ParseHwnd(arg(2));
        SetForegroundWindow(h);
        return GetForegroundWindow() == h ? 0 : 1;
    }
    if (cmd == "tray-icons") {
        std::printf("%d\n", TrayIcons());
        return 0;
    }
    if (cmd == "wait-dialog") {
        const DWORD end = GetTickCount() + static_cast<DWORD>(std::atof(arg(2)) * 1000);
        for (;;) {
            auto found = TopLevel("WaktunaMessageDialog");
            if (!found.empty() && IsWindowVisible(found.front())) {
                SYSTEMTIME t;
                GetLocalTime(&t);
                std::string texts;
                EnumChildWindows(
                    found.front(),
                    [](HWND h, LPARAM lp) -> BOOL {
                        auto* out = reinterpret_cast<std::string*>(lp);
                        if (!out->empty()) *out += "|";
                        *out += TextOf(h);
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&texts));
                std::printf("%02d:%02d:%02d.%03d\t%s\n", t.wHour, t.wMinute, t.wSecond,
                            t.wMilliseconds, texts.c_str());
                return 0;
            }
            if (static_cast<int>(end - GetTickCount()) <= 0) return 1;
            Sleep(10);
        }
    }
    if (cmd == "menu") {
        HWND popup = nullptr;
        if (!WaitFor("#32768", 5, true, &popup)) return 1;
        // Closes it as a click elsewhere would (its items belong to the
        // other process and cannot be read from here).
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return 0;
    }
    if (cmd == "tray-delete") {
        NOTIFYICONDATAA nid{};
        nid.cbSize = sizeof nid;
        nid.hWnd = ParseHwnd(arg(2));
        nid.uID = 1;
        return Shell_NotifyIconA(NIM_DELETE, &nid) ? 0 : 1;
    }
    if (cmd == "taskbar-created") {
        const UINT msg = RegisterWindowMessageA("TaskbarCreated");
        return PostMessageA(ParseHwnd(arg(2)), msg, 0, 0) ? 0 : 1;
    }
    if (cmd == "reg-set" || cmd == "reg-set-user") {
        HKEY key;
        const HKEY root = cmd == "reg-set" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        if (RegCreateKeyExA(root, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return 1;
        LSTATUS st;
        if (std::strcmp(arg(3), "dword") == 0) {
            const DWORD v = static_cast<DWORD>(ParseNumber(arg(4)));
            st = RegSetValueExA(key, arg(2), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                                sizeof v);
        } else {
            st = RegSetValueExA(key, arg(2), 0, REG_SZ, reinterpret_cast<const BYTE*>(arg(4)),
                                static_cast<DWORD>(std::strlen(arg(4)) + 1));
        }
        RegCloseKey(key);
        return st == ERROR_SUCCESS ? 0 : 1;
    }
    if (cmd == "reg-deny-write") {
        // Everyone may read the key; setting values is denied, even to
        // administrators (a deny entry comes first).
        HKEY key;
        // The user's own key, where the program writes (made when missing).
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, WRITE_DAC | KEY_READ, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return 1;
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
        BYTE acl_bytes[256];
        auto* acl = reinterpret_cast<PACL>(acl_bytes);
        InitializeAcl(acl, sizeof acl_bytes, ACL_REVISION);
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone);
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
        SECURITY_DESCRIPTOR sd;
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
        const LSTATUS st = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
        RegCloseKey(key);
        FreeSid(everyone);
        return st == ERROR_SUCCESS ? 0 : 1;
    }
    if (cmd == "reg-get" || cmd == "reg-get-machine") {
        HKEY key;
        const char* path = argc > 3 ? argv[3] : kKey;
        // What the program reads: the user's value, else the machine's.
        BYTE data[1024] = {};
        DWORD type = 0, size = 0;
        LSTATUS st = ERROR_FILE_NOT_FOUND;
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            if (cmd == "reg-get-machine" && root == HKEY_CURRENT_USER) continue;
            if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
            size = sizeof data - 1;
            st = RegQueryValueExA(key, arg(2), nullptr, &type, data, &size);
            RegCloseKey(key);
            if (st == ERROR_SUCCESS) break;
        }
        if (st != ERROR_SUCCESS) return 1;
        if (type == REG_DWORD)
            std::printf("0x%lx\n", *reinterpret_cast<DWORD*>(data));
        else
            std::printf("%s\n", reinterpret_cast<char*>(data));
        return 0;
    }
    if (cmd == "start" || cmd == "start-time") {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string line = std::string("\"") + arg(2) + "\"";
        const int before = TrayIcons();
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &pi))
            return 1;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        if (cmd == "start") return 0;
        for (int i = 0; i < 3000 && TrayIcons() <= before; ++i) Sleep(5);
        QueryPerformanceCounter(&t1);
        if (TrayIcons() <= before) return 1;
        std::printf("%lld\n", (t1.QuadPart - t0.QuadPart) * 1000 / f.QuadPart);
        return 0;
    }
    return 2;
}
