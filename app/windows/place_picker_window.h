// The place-name window (FCities): the place-name files beside the program,
// their sections and places in a virtual list, sorting by a column, a search
// by the start of a name across every file, and "Use Selected Data", which
// hands the chosen place to the prayer-times page. Modal, created for each use.
#pragma once

#include <windows.h>

#include <future>
#include <memory>
#include <optional>
#include <string>

#include "ui/control_table.h"
#include "ui/page.h"
#include "ui/skinned_window.h"
#include "waktuna/files/place_search.h"
#include "waktuna/files/places.h"
#include "waktuna/pages/place_picker.h"

namespace app {

using ChosenPlace = waktuna::ChosenPlace;

// Runs the place-name window over `owner` until it closes; the place the user
// chose, or nothing when the window was closed without one (or one is open
// already).
std::optional<ChosenPlace> ChoosePlace(PageHost& host, HWND owner);

class PlacePickerWindow final : public SkinnedWindow {
public:
    static constexpr const char* kClassName = "FCities";
    enum ControlId : int {
        kCloseId = 100,
        kFilesId,
        kSearchId,
        kSectionsId,
        kPlacesId,
        kCountId,
        kUseId,
        kTitleId,
    };

    explicit PlacePickerWindow(PageHost& host);
    ~PlacePickerWindow() override;

    std::optional<ChosenPlace> RunModal(HWND owner);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void PaintBody(HDC dc, const RECT& client) override;
    void OnCaptionButton(int id) override;
    void OnDpiChanged() override;

private:
    bool Build(HWND owner);
    // What the window does for a user's actions.
    void LoadFile(const std::string& name);
    void LoadSection(int index);
    void Search(const std::string& text);
    void UseSelected();
    // Every file's places, read once (waiting for the thread reading them).
    const waktuna::PlaceIndex& Index();
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR& header);
    void ShowRows();
    void SetCount(int line, size_t count);
    void ShowRegionColumn(bool show);
    void Finish(std::optional<ChosenPlace> chosen);

    PageHost& host_;
    Brush page_brush_;
    std::string folder_;  // the Placenames folder beside the program, with its backslash

    waktuna::PlaceNameFile file_;
    std::string file_name_;  // of file_, without its extension
    waktuna::PlaceList list_;
    int section_ = -1;  // the section listed when no search is shown
    // Every file read into one index on a thread of its own while the window
    // opens; the first search waits for it if it is not done yet.
    std::future<std::unique_ptr<waktuna::PlaceIndex>> reading_;
    std::unique_ptr<waktuna::PlaceIndex> index_;
    bool region_column_ = false;
    bool filling_search_ = false;
    std::string cell_;  // the text handed to the list view last

    bool done_ = false;
    std::optional<ChosenPlace> chosen_;
};

}  // namespace app
