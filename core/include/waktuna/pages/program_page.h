// The program settings page as a model: what its controls show when the page
// is built and each time it is shown, the order and results of Save, the
// adzan file stored the moment it is chosen, start with Windows (a value of
// the system's Run key), and export and import of settings files.
//
// The window binds its controls to the fields below and asks the model; the
// model never applies anything to the running program itself. The window
// lets the program take up a Save only when everything was stored.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/calc/prayer.h"
#include "waktuna/files/files.h"
#include "waktuna/files/language.h"
#include "waktuna/settings/settings_writer.h"
#include "waktuna/settings/settings_store.h"
#include "waktuna/watch/watch_actions.h"

namespace waktuna {

// Texts of this page beyond the original lines.
inline constexpr int kLineStartWithWindowsValue = 246;  // the Run value in a "not stored" list
inline constexpr int kLineAdzanPathNotKept = 247;       // the chosen file's name cannot be kept
inline constexpr int kLineExportFailed = 248;           // the settings file could not be written
inline constexpr int kLineImportUnreadable = 249;       // the settings file could not be read
inline constexpr int kLineSettingsUnreadable = 250;     // the settings key could not be read
inline constexpr int kLineImportEmpty = 251;            // the settings file holds no settings
inline constexpr int kLineImportDone = 252;             // the settings were imported
inline constexpr int kLineImsakRefused = 303;           // the Imsak minutes are not 0..60
inline constexpr int kLineUseDua = 311;                 // "Play the Dua after the adzan"
inline constexpr int kLineHotKey = 312;                 // "Hot key: Ctrl+Alt+"
inline constexpr int kLineHotKeyTaken = 313;            // the chosen hot key is taken by another program

// Start with Windows: the value "Waktuna3" under this key of
// HKEY_LOCAL_MACHINE, holding the program file's path in double quotes.
inline constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValueName = "Waktuna3";

// The Run value's text for the program file at `programPath`.
std::string RunValueText(std::string_view programPath);
// True when the Run key holds a value "Waktuna3" naming this very program
// file (letters A-Z compared without case). A Run key that could not be
// opened (nullptr) reads as off.
bool StartsWithWindows(const SettingsStore* run, std::string_view programPath);

// ---- Drop-down entries -----------------------------------------------------

inline constexpr int kEffectEntryCount = 9;
inline constexpr int kAdzanPrayerCount = 5;

// The 40 skin names, by skin number (never translated).
std::span<const char* const> SkinNames();
// "Random", "Normal", then line 209 + " 1" .. " 7".
std::vector<std::string> EffectEntries(const LanguageList& language);
// Fajr, Zuhr, Asr, Maghrib, Isha (lines 2, 4, 5, 6, 7).
std::vector<std::string> AdzanPrayerEntries(const LanguageList& language);
// The prayer of an item of the prayer drop-down (0..4).
Prayer AdzanPrayerOfItem(int item);
std::vector<std::string> BarPositionEntries(const LanguageList& language);  // lines 210-212
std::vector<std::string> BarSpeedEntries(const LanguageList& language);     // lines 213-217
std::vector<std::string> RoundingEntries(const LanguageList& language);     // lines 222-224
// "Tabular", "Umm al-Qura (Saudi Arabia)": item n is HijriCalendar n.
std::vector<std::string> HijriCalendarEntries(const LanguageList& language);  // lines 305-306

// The language drop-down: the built-in English first (an empty Language),
// then the language files by name, in the order the folder lists them.
inline constexpr const char* kBuiltInEnglishEntry = "English";
std::vector<std::string> LanguageEntries(const std::vector<std::string>& files);
// The item showing a stored Language: the file of that name (letters A-Z
// compared without case, as the file system does), else the built-in
// English, which is what the program falls back to.
int LanguageItem(const std::vector<std::string>& files, std::string_view name);
// The Language stored for an item: empty for the built-in English and for
// no item.
std::string LanguageOfItem(const std::vector<std::string>& files, int item);

// The hot-key drop-down (the key pressed with Ctrl+Alt): F1..F24, A..Z,
// 0..9; each entry is also the HotKey text stored for it.
std::vector<std::string> HotKeyEntries();
// The item of the key a stored HotKey text gives (F12 when none is
// stored); -1 for a key the list does not hold, which Save leaves stored.
int HotKeyItem(std::string_view stored);

// The skin number of a stored Skin text: the leading number when it is a
// skin (0..39), else 0 (Blue Aqua).
int SkinInRange(std::string_view stored);
// A stored DialogEffect: 0..8 as it is, anything else 0 (Random).
int DialogEffectInRange(uint32_t stored);

// ---- The adzan file of a prayer -------------------------------------------

// A file chosen in the open-file dialog, as the window sees it: the path in
// the system's code page and whether it came through that conversion
// unchanged, and the same for the file's short (8.3) path, which has only
// plain letters when the file system keeps short names.
struct ChosenFile {
    std::string path;
    bool path_exact = true;
    std::string short_path;
    bool short_path_exact = false;
};

// The path to store: the path itself when it came through unchanged, else
// the short path when that did; nullopt when neither names the file (the
// user is told, line 247, and nothing is stored).
std::optional<std::string> PathToStore(const ChosenFile& file);

// Stores `path` at once as the adzan file of the prayer drop-down's item
// (0..4). No item selected (-1): nothing is written and the result is Ok.
SaveResult StoreAdzanFile(SettingsStore& settings, int prayerItem, std::string_view path);
// The stored adzan file of an item; empty for no item.
std::string StoredAdzanFile(const SettingsStore& settings, int prayerItem);

// ---- Trying the adzan file ------------------------------------------------

// The Play, Pause and Stop buttons of the adzan group with their progress
// bar. A player exists from Play until Stop or the end of the track; the
// progress timer runs exactly while one does.
class AdzanTrial {
public:
    using Opener = std::function<std::unique_ptr<Player>(const std::string& file)>;

    // Resumes a paused player; without a player, opens `file` (when it
    // exists) and plays it from the start. True when a player exists
    // afterwards.
    bool Play(const std::string& file, bool fileExists, const Opener& open);
    void Pause();
    // Stops and releases the player.
    void Stop();
    bool Active() const { return player_ != nullptr; }

    struct Progress {
        uint32_t position = 0;  // milliseconds
        uint32_t length = 0;    // the bar's range, milliseconds
        bool running = false;   // false once the track has played to its end
    };
    // One tick of the progress timer. A player that has played to its end
    // (its position reached or passed its length) is released.
    Progress Tick();

private:
    std::unique_ptr<Player> player_;
    bool paused_ = false;
};

// ---- The page --------------------------------------------------------------

// What the page shows that lives outside the settings key.
struct ProgramPageSurroundings {
    std::string program_path;            // the program file's full path
    const SettingsStore* run = nullptr;  // the Run key opened for reading; nullptr when it cannot be
    int rounding_in_force = 0;           // the program's rounding mode now
    // Whether the drop zone window is visible; nullopt when it does not exist.
    std::optional<bool> drop_zone_visible;
};

struct ProgramPage {
    int32_t skin = 0;                // 0..39
    std::string language;            // the language drop-down's text; empty when none
    int32_t adzan_prayer = -1;       // prayer drop-down item, -1 when none
    std::string adzan_file;          // the file box
    int32_t dialog_effect = 0;       // 0 Random, 1 Normal, 2..8 Effect 1..7
    bool use_alpha_blend = false;
    int32_t bar_position = 0;        // 0..2
    int32_t bar_motion = 2;          // 0..4
    std::string bar_width = "100%";  // the width box as typed
    std::string bar_alpha = "0";     // the alpha box as typed
    bool seconds = false;            // "HH:mm:ss" selected, else "HH:mm"
    int32_t rounding = 0;            // 0..2
    bool start_with_windows = false;
    bool always_on_top = false;
    bool show_drop_zone = false;
    int32_t hijri_calendar = 0;      // 0 Tabular, 1 Umm al-Qura (HijriCalendar)
    std::string imsak_minutes = "0";  // the Imsak box as typed: 0 off, 1..60 (Imsak)
    bool use_dua = false;            // UseDua: the Dua plays after the adzan
    int32_t hot_key = -1;            // HotKeyEntries item; -1 keeps the stored HotKey

    // When the page is built: skin, bar width and position, language, time
    // format, start with Windows; the file box empty; then as on showing.
    void FirstLoad(const SettingsStore& settings, const ProgramPageSurroundings& around);
    // Each time the page is shown. The skin, the time format and the bar
    // width keep what the page shows (a skin preview stays selected).
    void Refresh(const SettingsStore& settings, const ProgramPageSurroundings& around);

    // A skin or language chosen but not saved is shown by the whole program
    // as a preview. Leaving the page without Save puts back the stored ones:
    // what to apply again (nothing for what was not changed). The page then
    // shows the stored ones too.
    struct LookToRestore {
        std::optional<int32_t> skin;
        std::optional<std::string> language;
    };
    LookToRestore Leave();
    bool Previewing() const { return skin != stored_skin_ || language != stored_language_; }

    // The rounding drop-down is usable with "HH:mm" only.
    bool RoundingEnabled() const { return !seconds; }

    // The Imsak box must hold a whole number from 0 to 60 (line
    // kLineImsakRefused); every other out-of-range number is mended.
    std::optional<int> Validate() const;

    // Writes every value in the page's order, then the Run value (`run`
    // opened for writing; nullptr when it could not be, which counts as not
    // stored). The width box is shown back as it was stored. A Save that
    // stored everything makes the previewed skin and language the stored ones.
    SaveResult Save(SettingsStore& settings, SettingsStore* run, std::string_view programPath,
                    const LanguageList& language);

private:
    void LoadLook(const SettingsStore& settings);

    int32_t stored_skin_ = 0;
    std::string stored_language_;
};

// ---- Settings files ----------------------------------------------------------

// Export: writes every value of the settings key to `path` (replacing it only
// once complete). nullopt when written, else the message for the user.
// `settings` is nullptr when the key could not be opened.
std::optional<std::string> ExportSettingsFile(const SettingsStore* settings, const std::string& path,
                                              const LanguageList& language,
                                              ReplaceFileFunction replace = StandardReplaceFile);

struct ImportOutcome {
    bool reload = false;     // values may have changed: reload the program's settings
    bool ok = false;         // everything in the file was stored
    std::string message;     // for the user: what went wrong, or that it was done
};

// Import: writes the values of the settings file at `path` into the key
// (`settings` is nullptr when the key could not be opened for writing).
ImportOutcome ImportSettingsFile(const std::string& path, SettingsStore* settings,
                                 const LanguageList& language);

}  // namespace waktuna
