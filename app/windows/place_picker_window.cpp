#include "windows/place_picker_window.h"

#include <commctrl.h>

#include "ui/controls.h"
#include "ui/message_loop.h"

namespace app {

namespace {

using waktuna::PlaceList;

constexpr int kWidth = 680, kHeight = 416;

constexpr DWORD kListStyle = LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                             WS_TABSTOP | WS_BORDER;

const ControlSpec kControls[] = {
    {PlacePickerWindow::kTitleId, "STATIC", SS_NOPREFIX, 12, 5, 200, 22, FontId::kTitle, 0, "Area"},
    {0, "STATIC", SS_NOPREFIX, 12, 42, 70, 16, FontId::kNormal, waktuna::kLineLoadData,
     "Load"},
    {PlacePickerWindow::kFilesId, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 85, 38, 180,
     300},
    {0, "STATIC", SS_NOPREFIX | SS_RIGHT, 280, 42, 64, 16, FontId::kNormal,
     waktuna::kLineSearchPlace, "Search"},
    {PlacePickerWindow::kSearchId, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 350, 38, 318,
     22},
    {PlacePickerWindow::kSectionsId, "LISTBOX",
     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_BORDER, 12, 70, 170, 300},
    {PlacePickerWindow::kPlacesId, WC_LISTVIEWA, kListStyle, 190, 70, 478, 300},
    {PlacePickerWindow::kCountId, "STATIC", SS_NOPREFIX, 12, 383, 330, 16},
    {PlacePickerWindow::kUseId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 528, 378, 140, 26,
     FontId::kNormal, waktuna::kLineUseSelectedData, "Use Selected Data"},
};

struct ColumnSpec {
    PlaceList::Column column;
    int line;
    int width;  // 96 DPI
    int format;
};
const ColumnSpec kColumns[] = {
    {PlaceList::kName, waktuna::kLinePlaceNamesColumn, 160, LVCFMT_LEFT},
    {PlaceList::kLatitude, waktuna::kLineLatitudeColumn, 75, LVCFMT_LEFT},
    {PlaceList::kLongitude, waktuna::kLineLongitudeColumn, 80, LVCFMT_LEFT},
    {PlaceList::kRegion, waktuna::kLineRegionColumn, 140, LVCFMT_LEFT},
};
constexpr int kSectionColumns = 3;

void AddColumn(HWND list, int index, const std::string& caption, int dpi) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    column.fmt = kColumns[index].format;
    column.cx = ScaleTo(kColumns[index].width, dpi);
    column.iSubItem = index;
    column.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

std::unique_ptr<waktuna::PlaceIndex> ReadIndex(const std::string& folder,
                                               const std::vector<std::string>& names) {
    auto index = std::make_unique<waktuna::PlaceIndex>();
    for (const std::string& name : names) index->AddFile(name, folder + name + ".wpn");
    return index;
}

}  // namespace

std::optional<ChosenPlace> ChoosePlace(PageHost& host, HWND owner) {
    const OnlyOne<PlacePickerWindow> only;
    if (!only) return std::nullopt;
    PlacePickerWindow window(host);
    return window.RunModal(owner);
}

PlacePickerWindow::PlacePickerWindow(PageHost& host)
    : SkinnedWindow(host.GetLook()),
      host_(host),
      folder_(host.ProgramFolder() + "Placenames\\") {}

void PlacePickerWindow::OnDpiChanged() {
    SkinnedWindow::OnDpiChanged();
    HWND list = controls_[kPlacesId];
    const int columns = Header_GetItemCount(ListView_GetHeader(list));
    for (int i = 0; i < columns && i < static_cast<int>(std::size(kColumns)); ++i)
        ListView_SetColumnWidth(list, i, Scale(kColumns[i].width));
}

PlacePickerWindow::~PlacePickerWindow() {
    if (hwnd()) DestroyWindow(hwnd());
}

bool PlacePickerWindow::Build(HWND owner) {
    RECT around{};
    if (owner) GetWindowRect(owner, &around);
    else SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
    // Centred on its owner: sized for the owner's monitor.
    if (owner) AdoptDpi(DpiOf(owner));
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = "Area";
    // Not clipping its children: the caption strip is painted under the
    // title before the title draws itself over it.
    spec.style = WS_POPUP;
    spec.ex_style = WS_EX_CONTROLPARENT;
    spec.width = Scale(kWidth);
    spec.height = Scale(kHeight);
    spec.x = around.left + (around.right - around.left - spec.width) / 2;
    spec.y = around.top + (around.bottom - around.top - spec.height) / 2;
    spec.parent = owner;
    SkinnedLayout layout;
    layout.buttons[0] = {kCloseId, 24, kClosePicture, "Close"};
    layout.corner = 14;
    if (!CreateSkinned(spec, layout)) return false;

    page_brush_.reset(CreateSolidBrush(look().palette().PageColor));
    controls_.Create(hwnd(), kControls, look(), host_.Language());
    HWND list = controls_[kPlacesId];
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_GRIDLINES);
    for (int i = 0; i < kSectionColumns; ++i)
        AddColumn(list, i, host_.Language().Line(kColumns[i].line), Dpi());
    SendMessageA(controls_[kSearchId], EM_LIMITTEXT, 126, 0);
    // The cue is a wide text; the language's is in the ANSI code page.
    const std::string cue = host_.Language().Line(waktuna::kLineSearchCue);
    std::wstring wide(cue.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, cue.c_str(), -1, wide.data(), static_cast<int>(wide.size()))));
    SendMessageW(controls_[kSearchId], EM_SETCUEBANNER, FALSE,
                 reinterpret_cast<LPARAM>(wide.c_str()));

    // The files beside the program, nothing chosen yet.
    const std::vector<std::string> names = waktuna::ListPlaceFiles(folder_);
    HWND files = controls_[kFilesId];
    for (const std::string& name : names)
        SendMessageA(files, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    // The search reads them all; the thread touches nothing but the files.
    try {
        reading_ = std::async(std::launch::async, ReadIndex, folder_, names);
    } catch (const std::exception&) {
        // No thread to be had: the first search reads them.
    }
    return true;
}

std::optional<ChosenPlace> PlacePickerWindow::RunModal(HWND owner) {
    if (!Build(owner)) return std::nullopt;
    RunModalWindow(
        owner, hwnd(), controls_[kFilesId], [this] { Finish(std::nullopt); }, [this] { return done_; });
    if (hwnd()) DestroyWindow(hwnd());
    file_.Close();
    if (reading_.valid()) reading_.wait();
    return chosen_;
}

void PlacePickerWindow::Finish(std::optional<ChosenPlace> chosen) {
    if (done_) return;
    chosen_ = std::move(chosen);
    done_ = true;
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void PlacePickerWindow::LoadFile(const std::string& name) {
    const std::string path = folder_ + name + ".wpn";
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    HWND list = controls_[kPlacesId];
    HWND sections = controls_[kSectionsId];
    // The list asks for the rows it shows, so it need not be hidden while
    // they are read; it is drawn once, when they are there.
    list_.Clear();
    SendMessageA(list, LVM_SETITEMCOUNT, 0, 0);
    SendMessageA(sections, LB_RESETCONTENT, 0, 0);
    section_ = -1;
    // A search shown before is replaced by the file's first section.
    filling_search_ = true;
    SetText(controls_[kSearchId], "");
    filling_search_ = false;

    file_.Open(path);
    file_name_ = name;
    // Drawn once when filled: a list box redrawn for every name takes
    // longer than reading the file.
    SendMessageA(sections, WM_SETREDRAW, FALSE, 0);
    for (const std::string& section : file_.Sections())
        SendMessageA(sections, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(section.c_str()));
    if (!file_.Sections().empty()) {
        section_ = 0;
        std::vector<waktuna::Place> first = file_.FirstSectionPlaces();
        // The rows take altitude and zone from the index of every file.
        list_.ShowSection(std::move(first), waktuna::kFirstLoadCoordinateWidth, &Index(), name, 0);
        SendMessageA(sections, LB_SETCURSEL, 0, 0);
    }
    SendMessageA(sections, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(sections, nullptr, TRUE);
    ShowRows();
    // A refused file leaves the count as it was.
    if (!file_.Sections().empty()) SetCount(waktuna::kLineTotalPlaceNames, list_.Size());
}

void PlacePickerWindow::LoadSection(int index) {
    if (index < 0 || static_cast<size_t>(index) >= file_.Sections().size()) return;
    section_ = index;
    filling_search_ = true;
    SetText(controls_[kSearchId], "");
    filling_search_ = false;
    list_.ShowSection(file_.ReadSection(static_cast<size_t>(index)), waktuna::kSectionCoordinateWidth,
                      &Index(), file_name_, static_cast<size_t>(index));
    ShowRows();
    SetCount(waktuna::kLineTotalPlaceNames, list_.Size());
}

void PlacePickerWindow::Search(const std::string& text) {
    if (text.empty()) {
        // Back to the section the search replaced.
        if (section_ >= 0) {
            LoadSection(section_);
        } else {
            list_.Clear();
            ShowRows();
            SetText(controls_[kCountId], "");
        }
        return;
    }
    const waktuna::PlaceIndex& index = Index();
    list_.ShowFound(index, index.Find(text));
    ShowRows();
    SetCount(waktuna::kLinePlacesFound, list_.Size());
}

const waktuna::PlaceIndex& PlacePickerWindow::Index() {
    if (index_) return *index_;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    try {
        index_ = reading_.valid() ? reading_.get()
                                  : ReadIndex(folder_, waktuna::ListPlaceFiles(folder_));
    } catch (const std::exception&) {
        // Out of memory: the search finds nothing, the places have no details.
        index_ = std::make_unique<waktuna::PlaceIndex>();
    }
    SetCursor(old);
    // Told once, when the files were read.
    const std::string notice = waktuna::DamagedDetailsNotice(*index_, host_.Language());
    if (!notice.empty())
        host_.ShowMessageDialog(waktuna::DialogButtons::Ok, notice, waktuna::DialogKind::Warning);
    return *index_;
}

void PlacePickerWindow::UseSelected() {
    HWND list = controls_[kPlacesId];
    int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                            LVNI_SELECTED));
    // Enter after typing a search takes the first place found.
    if (row < 0 && list_.ShowsFound()) row = 0;
    if (row < 0) return;
    if (std::optional<ChosenPlace> chosen = list_.Chosen(static_cast<size_t>(row)))
        Finish(std::move(chosen));
}

void PlacePickerWindow::ShowRows() {
    HWND list = controls_[kPlacesId];
    ShowRegionColumn(list_.ShowsFound());
    // No row stays selected or focused from the rows before (one by one: a
    // change of every row walks them all).
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    for (UINT state : {LVNI_SELECTED, LVNI_FOCUSED}) {
        const WPARAM row = static_cast<WPARAM>(
            SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), state));
        if (static_cast<int>(row) >= 0)
            SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, LVM_SETITEMCOUNT, list_.Size(), 0);
    if (list_.Size()) SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
    InvalidateRect(list, nullptr, FALSE);
}

void PlacePickerWindow::ShowRegionColumn(bool show) {
    if (show == region_column_) return;
    HWND list = controls_[kPlacesId];
    if (show) {
        AddColumn(list, kSectionColumns, host_.Language().Line(kColumns[kSectionColumns].line), Dpi());
    } else {
        SendMessageA(list, LVM_DELETECOLUMN, kSectionColumns, 0);
    }
    region_column_ = show;
}

void PlacePickerWindow::SetCount(int line, size_t count) {
    SetText(controls_[kCountId], waktuna::PlaceCountText(host_.Language().Line(line), count));
}

void PlacePickerWindow::OnCommand(int id, int code) {
    switch (id) {
    case kFilesId:
        if (code == CBN_SELCHANGE) {
            HWND files = controls_[kFilesId];
            const LRESULT i = SendMessageA(files, CB_GETCURSEL, 0, 0);
            if (i == CB_ERR) return;
            std::string name(static_cast<size_t>(SendMessageA(files, CB_GETLBTEXTLEN, i, 0)), '\0');
            SendMessageA(files, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name.data()));
            LoadFile(name);
        }
        break;
    case kSectionsId:
        if (code == LBN_SELCHANGE)
            LoadSection(static_cast<int>(SendMessageA(controls_[kSectionsId], LB_GETCURSEL, 0, 0)));
        break;
    case kSearchId:
        if (code == EN_CHANGE && !filling_search_) Search(GetText(controls_[kSearchId]));
        break;
    case kUseId:
        if (code == BN_CLICKED) UseSelected();
        break;
    case IDOK:
        // Enter: on the section list it lists that section; anywhere else it
        // uses the selected place.
        if (GetFocus() == controls_[kSectionsId])
            LoadSection(static_cast<int>(SendMessageA(controls_[kSectionsId], LB_GETCURSEL, 0, 0)));
        else
            UseSelected();
        break;
    case IDCANCEL:
        Finish(std::nullopt);
        break;
    }
}

LRESULT PlacePickerWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != kPlacesId) return 0;
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        auto& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            cell_ = list_.Text(static_cast<size_t>(item.iItem),
                               kColumns[item.iSubItem < 4 ? item.iSubItem : 0].column);
            lstrcpynA(item.pszText, cell_.c_str(), item.cchTextMax);
        }
        return 0;
    }
    case LVN_GETDISPINFOW: {
        auto& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            cell_ = list_.Text(static_cast<size_t>(item.iItem),
                               kColumns[item.iSubItem < 4 ? item.iSubItem : 0].column);
            const int n = MultiByteToWideChar(CP_ACP, 0, cell_.c_str(), -1, item.pszText,
                                              item.cchTextMax);
            if (n == 0) item.pszText[0] = L'\0';
        }
        return 0;
    }
    case LVN_COLUMNCLICK: {
        const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
        if (click.iSubItem < 0 || click.iSubItem > 3) return 0;
        list_.SortBy(kColumns[click.iSubItem].column);
        ShowRows();
        return 0;
    }
    case NM_DBLCLK: {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (activate.iItem >= 0) UseSelected();
        return 0;
    }
    }
    return 0;
}

void PlacePickerWindow::PaintBody(HDC dc, const RECT& client) { FillRect(dc, &client, page_brush_); }

void PlacePickerWindow::OnCaptionButton(int id) {
    if (id == kCloseId) Finish(std::nullopt);
}

LRESULT PlacePickerWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) != kCloseId) {
            OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        // Labels below the caption lie on the page colour; the title is
        // drawn over the caption strip by the skinned window.
        if (reinterpret_cast<HWND>(lp) != controls_[kTitleId]) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, look().palette().PageColor);
            SetTextColor(dc, look().palette().LabelTextColor);
            return reinterpret_cast<LRESULT>(page_brush_.get());
        }
        break;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_CLOSE:
        Finish(std::nullopt);
        return 0;
    case WM_DESTROY:
        done_ = true;
        break;
    }
    return SkinnedWindow::OnMessage(msg, wp, lp);
}

}  // namespace app
