// The place-name window under Wine, driven through its controls while its
// modal loop runs: the shipped files listed, a section chosen, a column
// sorted, a place used; the search across every file; a file of 100,000
// places listed at once. The timings are printed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "ui/controls.h"
#include "modal_steps.h"
#include "windows/place_picker_window.h"
#include "recording_host.h"

using namespace app;

namespace {

std::optional<ChosenPlace> RunWindow(PageHost& host, std::vector<modal_steps::StepFn> steps) {
    return RunWithSteps(PlacePickerWindow::kClassName, std::move(steps),
                        [&] { return ChoosePlace(host, nullptr); });
}

HWND Control(HWND window, int id) { return GetDlgItem(window, id); }

std::string Text(HWND control) { return GetText(control); }

std::string Cell(HWND window, int row, int column) {
    char buf[256] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessageA(Control(window, PlacePickerWindow::kPlacesId), LVM_GETITEMTEXTA,
                 static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buf;
}

int Rows(HWND window) {
    return static_cast<int>(
        SendMessageA(Control(window, PlacePickerWindow::kPlacesId), LVM_GETITEMCOUNT, 0, 0));
}

int FindRow(HWND window, const std::string& name, int column = 0) {
    for (int i = 0; i < Rows(window); ++i)
        if (Cell(window, i, column) == name) return i;
    return -1;
}

double Milliseconds(const std::function<void()>& action) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    action();
    QueryPerformanceCounter(&b);
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Chooses an entry of the file drop-down or the section list as a user does;
// the milliseconds until the list is drawn.
double Choose(HWND window, int id, const std::string& text) {
    HWND control = Control(window, id);
    const bool combo = id == PlacePickerWindow::kFilesId;
    const LRESULT i = SendMessageA(control, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT,
                                   static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_GE(i, 0) << text;
    SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    return Milliseconds([&] {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        UpdateWindow(Control(window, PlacePickerWindow::kPlacesId));
    });
}

double Type(HWND window, const std::string& text) {
    return Milliseconds([&] {
        SetWindowTextA(Control(window, PlacePickerWindow::kSearchId), text.c_str());
        UpdateWindow(Control(window, PlacePickerWindow::kPlacesId));
    });
}

void ClickColumn(HWND window, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = Control(window, PlacePickerWindow::kPlacesId);
    click.hdr.idFrom = PlacePickerWindow::kPlacesId;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(window, WM_NOTIFY, PlacePickerWindow::kPlacesId, reinterpret_cast<LPARAM>(&click));
}

void PressKey(HWND control, WPARAM key) {
    SetFocus(control);
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

// The window reads every file for the search on a thread of its own as it
// opens; the timings are of the window's work, not of sharing the processor.
void LetTheSearchReadEveryFile(HWND) { Sleep(1500); }

// The source tree's dist folder, where Placenames\ lies as beside the program.
std::string DistFolder() {
    std::string dir = std::string(WAKTUNA_SOURCE_DIR) + "/dist/";
    for (char& c : dir) c = c == '/' ? '\\' : c;
    return dir[0] == '\\' ? "Z:" + dir : dir;
}

}  // namespace

TEST(PlacePickerWindow, ChooseASectionSortAndUseAPlace) {
    RecordingHost host;
    host.folder = DistFolder();
    const std::optional<ChosenPlace> chosen = RunWindow(host, {
        LetTheSearchReadEveryFile,
        [](HWND w) {
            EXPECT_EQ(SendMessageA(Control(w, PlacePickerWindow::kFilesId), CB_GETCOUNT, 0, 0), 22);
            // Nothing is chosen yet.
            EXPECT_EQ(SendMessageA(Control(w, PlacePickerWindow::kFilesId), CB_GETCURSEL, 0, 0), CB_ERR);
            EXPECT_EQ(Rows(w), 0);
            // The largest file.
            const double ms = Choose(w, PlacePickerWindow::kFilesId, "Europe");
            std::printf("[ timing ] Europe.wpn's first section listed in %.1f ms\n", ms);
            Choose(w, PlacePickerWindow::kFilesId, "Indonesia");
            EXPECT_EQ(Text(Control(w, PlacePickerWindow::kCountId)), " Total Place names : 149");
            EXPECT_EQ(SendMessageA(Control(w, PlacePickerWindow::kSectionsId), LB_GETCOUNT, 0, 0), 39);
            // The first section's coordinates are 8 characters wide.
            EXPECT_EQ(Cell(w, 0, 1).size(), 8u);
        },
        [](HWND w) {
            Choose(w, PlacePickerWindow::kSectionsId, "West Java");
            EXPECT_EQ(Rows(w), 1732);
            // West Java has two places named Bandung: the city is the one at -6.9222.
            const int row = FindRow(w, "-6.9222", 1);
            ASSERT_GE(row, 0);
            EXPECT_EQ(Cell(w, row, 0), "Bandung");
            EXPECT_EQ(Cell(w, row, 2), "107.606");
            // Latitude ascending puts the southernmost first; again, reversed.
            ClickColumn(w, 1);
            const double south = std::stod(Cell(w, 0, 1));
            ClickColumn(w, 1);
            EXPECT_GT(std::stod(Cell(w, 0, 1)), south);
            LVITEMA item{};
            item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(Control(w, PlacePickerWindow::kPlacesId), LVM_SETITEMSTATE,
                         static_cast<WPARAM>(FindRow(w, "-6.9222", 1)), reinterpret_cast<LPARAM>(&item));
            SendMessageA(Control(w, PlacePickerWindow::kUseId), BM_CLICK, 0, 0);
        },
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->name, "Bandung");
    EXPECT_EQ(chosen->latitude, "-6.9222");
    EXPECT_EQ(chosen->longitude, "107.606");
    // A place of a section carries its details too: Bandung lies about 770 m
    // up, in Western Indonesia Time (UTC+7).
    const int metres = std::stoi(chosen->altitude);
    EXPECT_GT(metres, 650);
    EXPECT_LT(metres, 850);
    EXPECT_EQ(chosen->time_zone, std::optional<std::string>("7"));
    // The shipped details files are whole: nothing to tell.
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_FALSE(FindWindowA(PlacePickerWindow::kClassName, nullptr));
}

TEST(PlacePickerWindow, SearchAcrossEveryFileAndEnterUsesAResult) {
    RecordingHost host;
    host.folder = DistFolder();
    const std::optional<ChosenPlace> chosen = RunWindow(host, {
        LetTheSearchReadEveryFile,
        [](HWND w) {
            const double first = Type(w, "B");
            const double again = Type(w, "Ba");
            double letters = 0;
            for (const char* typed : {"Ban", "Band", "Bandu", "Bandun", "Bandung"})
                letters += Type(w, typed);
            std::printf("[ timing ] search \"B\" %.1f ms, \"Ba\" %.1f ms, then %.1f ms a letter\n",
                        first, again, letters / 5);
            // One letter finds the most: over 10,000 places each.
            Type(w, "");
            for (const char* letter : {"B", "M", "S"})
                std::printf("[ timing ] search \"%s\" again %.1f ms\n", letter, Type(w, letter));
            Type(w, "Bandung");
            EXPECT_EQ(Cell(w, 0, 0), "Bandung");
            EXPECT_GE(FindRow(w, "Indonesia / West Java", 3), 0);

            Type(w, "mecca");
            EXPECT_GE(FindRow(w, "Mecca"), 0);
            // Another name of the place finds it, the largest place first.
            Type(w, "makkah");
            ASSERT_EQ(FindRow(w, "Mecca"), 0);
            EXPECT_EQ(Cell(w, 0, 3), "Asia / Saudi Arabia");
            EXPECT_EQ(Text(Control(w, PlacePickerWindow::kCountId)).rfind(" Places found : ", 0), 0u);
            // Enter in the search box takes the first place found.
            PressKey(Control(w, PlacePickerWindow::kSearchId), VK_RETURN);
        },
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->name, "Mecca");
    EXPECT_EQ(chosen->latitude, "21.4266");
    EXPECT_EQ(chosen->longitude, "39.8256");
    EXPECT_EQ(chosen->time_zone, std::optional<std::string>("3"));  // Arabia Standard Time
}

TEST(PlacePickerWindow, HundredThousandPlacesListAtOnce) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "waktuna-place-window";
    std::filesystem::create_directories(dir / "Placenames");
    {
        std::string bytes("\xC7\x00", 2);
        bytes.append(12, '\0');
        bytes += "\x02";
        bytes += '\0';
        for (const char* section : {"Jawa", "Sumatera"}) {
            bytes += '\xFA';
            bytes += static_cast<char>(std::strlen(section));
            bytes += section;
            for (int i = 0; i < (section[0] == 'J' ? 100000 : 10); ++i) {
                const std::string name = "Kampung " + std::to_string(i);
                const float lat = -6.0f - static_cast<float>(i % 1000) * 0.001f;
                const float lon = 106.0f + static_cast<float>(i % 997) * 0.001f;
                bytes += static_cast<char>(name.size());
                bytes += name;
                bytes.append(reinterpret_cast<const char*>(&lat), 4);
                bytes.append(reinterpret_cast<const char*>(&lon), 4);
            }
        }
        std::ofstream(dir / "Placenames" / "Big.wpn", std::ios::binary) << bytes;
        std::ofstream(dir / "Placenames" / "Damaged.wpn", std::ios::binary) << "Not a place file";
    }
    RecordingHost host;
    host.folder = dir.string() + "\\";
    const std::optional<ChosenPlace> chosen = RunWindow(host, {
        LetTheSearchReadEveryFile,
        [](HWND w) {
            const double ms = Choose(w, PlacePickerWindow::kFilesId, "Big");
            std::printf("[ timing ] 100,000 places listed in %.1f ms\n", ms);
            EXPECT_EQ(Rows(w), 100000);
            EXPECT_EQ(Text(Control(w, PlacePickerWindow::kCountId)), " Total Place names : 100000");
            ClickColumn(w, 0);
            ClickColumn(w, 0);
            EXPECT_EQ(Cell(w, 0, 0), "Kampung 99999");
            // A refused file empties the list and leaves the count; nothing to use.
            Choose(w, PlacePickerWindow::kFilesId, "Damaged");
            EXPECT_EQ(Rows(w), 0);
            EXPECT_EQ(Text(Control(w, PlacePickerWindow::kCountId)), " Total Place names : 100000");
            SendMessageA(Control(w, PlacePickerWindow::kUseId), BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindowVisible(w));
            PressKey(Control(w, PlacePickerWindow::kSectionsId), VK_ESCAPE);
        },
    });
    EXPECT_FALSE(chosen);
    std::filesystem::remove_all(dir);
}
