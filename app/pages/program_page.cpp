#include "pages/program_page.h"

#include <commctrl.h>
#include <commdlg.h>
#include <uxtheme.h>

#include <vector>

#include "ui/controls.h"
#include "ui/file_dialog.h"
#include "pages/page_save.h"
#include "win/program_files.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/files.h"
#include "waktuna/files/lines.h"
#include "waktuna/pages/task_editor.h"  // kLineOpenFileCaption
#include "waktuna/settings/settings.h"

namespace app {

namespace {

enum ControlId : int {
    // Ids of their own, so a test can find each control among the main window's.
    kSkinId = 2100, kLanguageId, kOpenFileId,
    kPrayerId, kFileId, kBrowseId, kPlayId, kPauseId, kStopId, kProgressId,
    kEffectId, kAlphaBlendId,
    kBarPositionId, kBarSpeedId, kBarWidthId, kBarAlphaId,
    kHHmmId, kHHmmssId, kRoundingId,
    kStartWithWindowsId, kAlwaysOnTopId, kDropZoneId,
    kSaveId, kExportId, kImportId,
    kHijriCalendarId, kImsakId,
    kUseDuaId, kHotKeyId,
};

constexpr UINT_PTR kProgressTimer = 1;
constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;

// Two columns in a page of about 430 x 305 pixels.
const ControlSpec kControls[] = {
    {0, "STATIC", SS_CENTERIMAGE, 4, 4, 100, 21,
     FontId::kNormal, waktuna::kLineSelectSkinColor, "Select skin color"},
    {kSkinId, "COMBOBOX", kDropList, 106, 4, 110, 300},
    {0, "STATIC", SS_CENTERIMAGE, 4, 30, 100, 21,
     FontId::kNormal, waktuna::kLineSelectLanguage, "Select Language"},
    {kLanguageId, "COMBOBOX", kDropList, 106, 30, 110, 200},
    {kOpenFileId, "BUTTON", kButton, 106, 55, 110, 21,
     FontId::kNormal, waktuna::kLineOpenFileCaption, "Open File"},

    {0, "STATIC", 0, 12, 74, 100, 16, FontId::kNormal, waktuna::kLineAdzanSound, "Adzan Sound"},
    {kPrayerId, "COMBOBOX", kDropList, 12, 98, 72, 200},
    {kFileId, "EDIT", kEdit, 88, 98, 96, 21, FontId::kNormal, 0, "", WS_EX_CLIENTEDGE},
    {kBrowseId, "BUTTON", kButton, 186, 98, 22, 21, FontId::kNormal, 0, "..."},
    {kPlayId, "BUTTON", kButton, 12, 124, 62, 22, FontId::kNormal, waktuna::kLinePlay, "Play"},
    {kPauseId, "BUTTON", kButton, 79, 124, 62, 22, FontId::kNormal, waktuna::kLinePause, "Pause"},
    {kStopId, "BUTTON", kButton, 146, 124, 62, 22, FontId::kNormal, waktuna::kLineStop, "Stop"},
    {kProgressId, PROGRESS_CLASSA, 0, 12, 154, 196, 14},

    {0, "STATIC", SS_CENTERIMAGE, 4, 186, 100, 21,
     FontId::kNormal, waktuna::kLineDialogMessage, "Dialog Message"},
    {kEffectId, "COMBOBOX", kDropList, 106, 186, 110, 220},
    {kAlphaBlendId, "BUTTON", kCheck, 106, 212, 110, 18, FontId::kNormal, 0, "Alpha Blend"},

    {0, "STATIC", SS_CENTERIMAGE, 4, 240, 100, 21,
     FontId::kNormal, waktuna::kLineHijriCalendar, "Hijri calendar"},
    {kHijriCalendarId, "COMBOBOX", kDropList, 106, 240, 110, 100},
    // Two lines: the caption is longer than the column is wide.
    {0, "STATIC", SS_LEFT, 4, 264, 170, 30,
     FontId::kNormal, waktuna::kLineImsakMinutes, "Imsak, minutes before Fajr (0 = none)"},
    {kImsakId, "EDIT", kEdit | ES_NUMBER, 176, 266, 40, 21, FontId::kNormal, 0, "0", WS_EX_CLIENTEDGE},

    {0, "STATIC", SS_CENTERIMAGE, 224, 4, 200, 18, FontId::kNormal, waktuna::kLineMovingText, "Moving Text"},
    {kBarPositionId, "COMBOBOX", kDropList, 224, 24, 98, 200},
    {kBarSpeedId, "COMBOBOX", kDropList, 326, 24, 100, 200},
    {kBarWidthId, "EDIT", kEdit, 224, 50, 60, 21, FontId::kNormal, 0, "100%", WS_EX_CLIENTEDGE},
    {0, "STATIC", SS_CENTERIMAGE | SS_RIGHT, 288, 50, 34, 21, FontId::kNormal, 0, "Alpha"},
    {kBarAlphaId, "EDIT", kEdit, 326, 50, 60, 21, FontId::kNormal, 0, "0", WS_EX_CLIENTEDGE},

    {0, "STATIC", SS_CENTERIMAGE, 224, 80, 200, 18, FontId::kNormal, waktuna::kLineTimeFormat, "Time Format"},
    {kHHmmId, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 232, 110, 80, 18,
     FontId::kNormal, 0, "HH:mm"},
    {kHHmmssId, "BUTTON", BS_AUTORADIOBUTTON, 316, 110, 100, 18, FontId::kNormal, 0, "HH:mm:ss"},
    {kRoundingId, "COMBOBOX", kDropList | WS_GROUP, 232, 132, 186, 200},

    {kStartWithWindowsId, "BUTTON", kCheck, 224, 168, 202, 18,
     FontId::kNormal, waktuna::kLineAutoStartWithWindows, "Auto tart with windows"},
    {kAlwaysOnTopId, "BUTTON", kCheck, 224, 188, 202, 18,
     FontId::kNormal, waktuna::kLineWindowAlwaysOnTop, "Window Always on Top"},
    {kDropZoneId, "BUTTON", kCheck, 224, 208, 202, 18, FontId::kNormal, 0, "Drop Zone"},
    {kUseDuaId, "BUTTON", kCheck, 224, 228, 202, 18,
     FontId::kNormal, waktuna::kLineUseDua, "Play the Dua after the adzan"},
    {0, "STATIC", SS_CENTERIMAGE, 224, 248, 144, 21, FontId::kNormal, waktuna::kLineHotKey, "Hot key: Ctrl+Alt+"},
    {kHotKeyId, "COMBOBOX", kDropList, 370, 248, 56, 300},

    {kSaveId, "BUTTON", kButton, 224, 272, 64, 24, FontId::kNormal, waktuna::kLineSave, "Save"},
    {kExportId, "BUTTON", kButton, 293, 272, 64, 24, FontId::kNormal, 0, "Export"},
    {kImportId, "BUTTON", kButton, 362, 272, 64, 24, FontId::kNormal, 0, "Import"},
};

// Frames drawn on the page (a group box's inside would not be painted).
constexpr RECT kAdzanFrame = {4, 82, 216, 178};
constexpr RECT kTimeFrame = {224, 100, 426, 162};

constexpr const char* kSoundFilter =
    "Supported Sound Files (*.wav,*.mp3 ) | *.MP3;*.WAV|Others Audio Video format "
    "(*.mid,*.midi,*.avi,*.rmi,*.mpg,*.wmv,*.asf)| *.MID;*.MIDI;*.AVI;*.RMI;*.MPG;*.WMV;*.ASF|All Files (*.*)|*.*";
constexpr const char* kSettingsFilter = "Waktuna Setting (*.sav )|*.SAV";

int Selected(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
void Select(HWND combo, int item) { SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0); }
bool Ticked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Tick(HWND button, bool on) { SendMessageA(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

// Refills a drop-down and keeps its selected position.
void Refill(HWND combo, const std::vector<std::string>& items) {
    const int kept = Selected(combo);
    FillChoices(combo, items);
    if (kept >= 0 && kept < static_cast<int>(items.size())) Select(combo, kept);
}

}  // namespace

ProgramPage::~ProgramPage() {
    if (hwnd() && timer_running_) KillTimer(hwnd(), kProgressTimer);
}

void ProgramPage::OnDpiChanged() {
    Page::OnDpiChanged();
    // The open list is wide enough for the longest skin name.
    SendMessageA(controls_[kSkinId], CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Scale(160)), 0);
}

void ProgramPage::Build() {
    controls_.Create(hwnd(), kControls, host_.GetLook(), host_.Language());
    // The progress bar takes the skin's colours only without visual styles.
    SetWindowTheme(controls_[kProgressId], L"", L"");
    SendMessageA(controls_[kProgressId], PBM_SETRANGE32, 0, 0);  // no track yet
    std::vector<HWND> buttons;
    for (int id : {kPlayId, kPauseId, kStopId, kBrowseId, kSaveId, kExportId, kImportId}) buttons.push_back(controls_[id]);
    bold_buttons_.Set(hwnd(), buttons, host_.GetLook(), FontId::kNormal, FontId::kBold);
    std::vector<std::string> skins(waktuna::SkinNames().begin(), waktuna::SkinNames().end());
    FillChoices(controls_[kSkinId], skins);
    OnDpiChanged();
    language_files_ = ListLanguageFiles(host_.ProgramFolder());
    FillChoices(controls_[kLanguageId], waktuna::LanguageEntries(language_files_));
    FillChoices(controls_[kHotKeyId], waktuna::HotKeyEntries());
    FillChoiceLists();
    Bind();
    StartupRunKeys run;
    model_.FirstLoad(host_.Settings(), Surroundings(&run));
    ToControls();
}

waktuna::ProgramPageSurroundings ProgramPage::Surroundings(const waktuna::SettingsStore* run) const {
    waktuna::ProgramPageSurroundings around;
    around.program_path = ProgramFilePath();
    around.run = run;
    around.rounding_in_force = static_cast<int>(waktuna::ReadDword(host_.Settings(), "Pembulatan") & 0xff);
    around.drop_zone_visible = host_.DropZoneVisible();
    return around;
}

void ProgramPage::FillChoiceLists() {
    const waktuna::LanguageList& language = host_.Language();
    Refill(controls_[kPrayerId], waktuna::AdzanPrayerEntries(language));
    Refill(controls_[kBarPositionId], waktuna::BarPositionEntries(language));
    Refill(controls_[kBarSpeedId], waktuna::BarSpeedEntries(language));
    Refill(controls_[kRoundingId], waktuna::RoundingEntries(language));
    Refill(controls_[kEffectId], waktuna::EffectEntries(language));
    Refill(controls_[kHijriCalendarId], waktuna::HijriCalendarEntries(language));
}

void ProgramPage::ApplyLanguage() {
    Page::ApplyLanguage();
    if (hwnd()) FillChoiceLists();
}

void ProgramPage::ApplyColours() {
    const waktuna::SkinPalette& palette = host_.GetLook().palette();
    if (HWND progress = controls_[kProgressId]) {
        SendMessageA(progress, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(palette.TintColor));
        SendMessageA(progress, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(palette.BandColor));
    }
    Page::ApplyColours();
}

void ProgramPage::Refresh() {
    FromControls();
    StartupRunKeys run;
    model_.Refresh(host_.Settings(), Surroundings(&run));
    ToControls();
}

void ProgramPage::Bind() {
    bindings_.Choice(kSkinId, &model_.skin);
    bindings_.Choice(kPrayerId, &model_.adzan_prayer);
    bindings_.Text(kFileId, &model_.adzan_file);
    bindings_.Choice(kEffectId, &model_.dialog_effect);
    bindings_.Check(kAlphaBlendId, &model_.use_alpha_blend);
    bindings_.Choice(kBarPositionId, &model_.bar_position);
    bindings_.Choice(kBarSpeedId, &model_.bar_motion);
    bindings_.Text(kBarWidthId, &model_.bar_width);
    bindings_.Text(kBarAlphaId, &model_.bar_alpha);
    bindings_.Check(kHHmmssId, &model_.seconds);
    bindings_.Choice(kRoundingId, &model_.rounding);
    bindings_.Check(kStartWithWindowsId, &model_.start_with_windows);
    bindings_.Check(kAlwaysOnTopId, &model_.always_on_top);
    bindings_.Check(kDropZoneId, &model_.show_drop_zone);
    bindings_.Choice(kHijriCalendarId, &model_.hijri_calendar);
    bindings_.Text(kImsakId, &model_.imsak_minutes);
    bindings_.Check(kUseDuaId, &model_.use_dua);
    bindings_.Choice(kHotKeyId, &model_.hot_key);
}

void ProgramPage::ToControls() {
    bindings_.ToControls(controls_);
    // The language by its name; "HH:mm" is the other radio button.
    Select(controls_[kLanguageId], waktuna::LanguageItem(language_files_, model_.language));
    Tick(controls_[kHHmmId], !model_.seconds);
    ShowRoundingState();
}

void ProgramPage::FromControls() {
    bindings_.FromControls(controls_);
    model_.language = waktuna::LanguageOfItem(language_files_, Selected(controls_[kLanguageId]));
}

void ProgramPage::Leave() {
    if (!hwnd()) return;
    FromControls();
    const waktuna::ProgramPage::LookToRestore restore = model_.Leave();
    if (restore.skin) host_.PreviewSkin(*restore.skin);
    if (restore.language) host_.PreviewLanguage(*restore.language);
    Select(controls_[kSkinId], model_.skin);
    Select(controls_[kLanguageId], waktuna::LanguageItem(language_files_, model_.language));
}

void ProgramPage::OnDropZoneShown(bool shown) {
    if (!hwnd()) return;
    model_.show_drop_zone = shown;
    Tick(controls_[kDropZoneId], shown);
}

void ProgramPage::ShowRoundingState() {
    EnableWindow(controls_[kRoundingId], !Ticked(controls_[kHHmmssId]));
}

void ProgramPage::Error(const std::string& text) {
    host_.ShowMessageDialog(waktuna::DialogButtons::Ok, text, waktuna::DialogKind::Error);
}

void ProgramPage::OnCommand(int id, int code) {
    switch (id) {
    case kSkinId:
        if (code == CBN_SELCHANGE && Selected(controls_[kSkinId]) >= 0) {
            model_.skin = Selected(controls_[kSkinId]);
            host_.PreviewSkin(model_.skin);
        }
        break;
    case kLanguageId:
        if (code == CBN_SELCHANGE && Selected(controls_[kLanguageId]) >= 0) {
            model_.language = waktuna::LanguageOfItem(language_files_, Selected(controls_[kLanguageId]));
            host_.PreviewLanguage(model_.language);
        }
        break;
    case kEffectId:
        if (code == CBN_SELCHANGE && Selected(controls_[kEffectId]) >= 0)
            host_.ShowEffectSample(Selected(controls_[kEffectId]));
        break;
    case kPrayerId:
        if (code == CBN_SELCHANGE)
            SetText(controls_[kFileId], waktuna::StoredAdzanFile(host_.Settings(), Selected(controls_[kPrayerId])));
        break;
    case kHHmmId:
    case kHHmmssId:
        if (code == BN_CLICKED) ShowRoundingState();
        break;
    case kDropZoneId:
        if (code == BN_CLICKED) host_.ShowDropZone(Ticked(controls_[kDropZoneId]));
        break;
    case kOpenFileId:
        // The built-in English has no file to open.
        if (code == BN_CLICKED)
            EditLanguageFile(host_.ProgramFolder(),
                             waktuna::LanguageOfItem(language_files_, Selected(controls_[kLanguageId])));
        break;
    case kBrowseId:
        if (code == BN_CLICKED) ChooseAdzanFile();
        break;
    case kPlayId:
        if (code == BN_CLICKED) Play();
        break;
    case kPauseId:
        if (code == BN_CLICKED) trial_.Pause();
        break;
    case kStopId:
        if (code == BN_CLICKED) StopPlayer();
        break;
    case kSaveId:
        if (code == BN_CLICKED) Save();
        break;
    case kExportId:
        if (code == BN_CLICKED) Export();
        break;
    case kImportId:
        if (code == BN_CLICKED) Import();
        break;
    }
}

LRESULT ProgramPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const waktuna::SkinPalette& palette = host_.GetLook().palette();
    switch (msg) {
    case WM_TIMER:
        if (wp == kProgressTimer) {
            ProgressTick();
            return 0;
        }
        if (wp == HoverFont::kTimerId) {
            bold_buttons_.OnTimer();
            return 0;
        }
        break;
    case WM_SETCURSOR:
        bold_buttons_.OnSetCursor(reinterpret_cast<HWND>(wp));
        break;
    case WM_CTLCOLOREDIT:
        // The file box: the edge colour on the page colour.
        if (reinterpret_cast<HWND>(lp) == controls_[kFileId]) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, palette.PageColor);
            SetTextColor(dc, palette.EdgeColor);
            return reinterpret_cast<LRESULT>(page_brush_.get());
        }
        break;
    case WM_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, palette.PageColor);
        return reinterpret_cast<LRESULT>(page_brush_.get());
    }
    case WM_PAINT:
        return Painted([this](HDC dc, const RECT& client) {
            PaintPage(dc, client);
            for (RECT frame : {kAdzanFrame, kTimeFrame}) {
                RECT scaled = {Scale(frame.left), Scale(frame.top), Scale(frame.right), Scale(frame.bottom)};
                DrawEdge(dc, &scaled, EDGE_ETCHED, BF_RECT);
            }
        });
    case WM_DESTROY:
        if (timer_running_) KillTimer(hwnd(), kProgressTimer);
        timer_running_ = false;
        trial_.Stop();
        break;
    }
    return Page::OnMessage(msg, wp, lp);
}

// ---- The adzan file -----------------------------------------------------------

void ProgramPage::ChooseAdzanFile() {
    const auto path = AskFileName(host_, host_.DialogOwner(), {FileDialog::Open, kSoundFilter,
                                   host_.Language().Line(waktuna::kLineOpenSoundFileForAdzan)});
    if (!path) return;
    SetText(controls_[kFileId], *path);
    const waktuna::SaveResult stored =
        waktuna::StoreAdzanFile(host_.Settings(), Selected(controls_[kPrayerId]), *path);
    if (!stored.Ok()) Error(waktuna::NotStoredText(host_.Language(), stored));
}

void ProgramPage::Play() {
    const std::string file = GetText(controls_[kFileId]);
    const bool started = !trial_.Active();
    if (!trial_.Play(file, waktuna::FileExists(file),
                     [this](const std::string& f) { return host_.OpenPlayer(f); }))
        return;
    if (started) SendMessageA(controls_[kProgressId], PBM_SETPOS, 0, 0);
    if (!timer_running_) timer_running_ = SetTimer(hwnd(), kProgressTimer, 50, nullptr) != 0;
    ProgressTick();
}

void ProgramPage::StopPlayer() {
    trial_.Stop();
    if (timer_running_) KillTimer(hwnd(), kProgressTimer);
    timer_running_ = false;
    SendMessageA(controls_[kProgressId], PBM_SETPOS, 0, 0);
}

void ProgramPage::ProgressTick() {
    const waktuna::AdzanTrial::Progress progress = trial_.Tick();
    HWND bar = controls_[kProgressId];
    // Track lengths in milliseconds pass 65 535 after a minute: the 32-bit range.
    if (static_cast<uint32_t>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)) != progress.length)
        SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(progress.length));
    if (progress.running || progress.length > 0)
        SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(progress.position), 0);
    if (!progress.running && timer_running_) {
        KillTimer(hwnd(), kProgressTimer);
        timer_running_ = false;
    }
}

// ---- Save, export, import ---------------------------------------------------------

void ProgramPage::Save() {
    FromControls();
    // A refused Imsak box stores nothing at all.
    if (const std::optional<int> refused = model_.Validate()) {
        Error(host_.Language().Line(*refused));
        return;
    }
    // The Run key is opened for this Save only; Save names it when it could
    // not be opened or written.
    StartupRunKeys run;
    struct Saving {
        waktuna::ProgramPage& page;
        waktuna::SettingsStore* run;
        std::string program;
        const waktuna::LanguageList& language;
        waktuna::SaveResult Save(waktuna::SettingsStore& settings) const {
            return page.Save(settings, run, program, language);
        }
    };
    const bool stored =
        StoreOrReport(host_, std::nullopt, Saving{model_, &run, ProgramFilePath(), host_.Language()});
    SetText(controls_[kBarWidthId], model_.bar_width);
    if (!stored) return;
    host_.LoadSettings();
    host_.RecomputeTimes();
    host_.ApplyDesktopSettings();
    host_.ShowSavedNotice();
    if (!host_.ApplyHotKey()) {
        host_.ShowMessageDialog(waktuna::DialogButtons::Ok,
                                host_.Language().Line(waktuna::kLineHotKeyTaken) + "\r\nCtrl+Alt+" +
                                    waktuna::ReadString(host_.Settings(), "HotKey"),
                                waktuna::DialogKind::Warning);
    }
}

void ProgramPage::Export() {
    const auto path = AskFileName(host_, host_.DialogOwner(), {FileDialog::Save, kSettingsFilter, "Export Setting", L"sav"});
    if (!path) return;
    // A key that lists no value is one that could not be read.
    waktuna::SettingsStore& key = host_.Settings();
    if (const auto error = waktuna::ExportSettingsFile(key.Names().empty() ? nullptr : &key, *path, host_.Language()))
        Error(*error);
}

void ProgramPage::Import() {
    const auto path = AskFileName(host_, host_.DialogOwner(), {FileDialog::Open, kSettingsFilter, "Open Setting", L"sav"});
    if (!path) return;
    const waktuna::ImportOutcome outcome = waktuna::ImportSettingsFile(*path, &host_.Settings(), host_.Language());
    if (outcome.reload) {
        host_.LoadSettings();
        host_.RecomputeTimes();
        host_.ApplyDesktopSettings();
        host_.ApplyHotKey();
        // Every value may have changed, the skin and the time format too.
        StartupRunKeys run;
        model_.FirstLoad(host_.Settings(), Surroundings(&run));
        ToControls();
    }
    host_.ShowMessageDialog(waktuna::DialogButtons::Ok, outcome.message,
                            outcome.ok ? waktuna::DialogKind::Information : waktuna::DialogKind::Error);
}

}  // namespace app
