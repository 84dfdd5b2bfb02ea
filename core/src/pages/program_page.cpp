#include "waktuna/pages/program_page.h"
#include "waktuna/files/lines.h"

#include "waktuna/calc/imsak.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/safe_file.h"
#include "waktuna/settings/settings_file.h"
#include "waktuna/look/dialog_effect.h"
#include "waktuna/look/skin.h"
#include "waktuna/settings/settings.h"

namespace waktuna {

namespace {

constexpr std::array<const char*, kSkinCount> kSkinNames = {
    "Blue Aqua",         "Corona",
    "Light Corona",      "Gray Aqua",
    "Red Aqua",          "Light Purple",
    "Gold Aqua",         "Green Aqua",
    "Sky Blue Aqua",     "Red Aqua II",
    "Blue Xp",           "Olive Green Xp",
    "Silver Xp",         "Purple Aqua",
    "Deep Blue Aqua",    "Gray Aqua II",
    "Vista Black Green", "Vista Black",
    "Vista Light Green", "Black Gradient",
    "Sky Blue Gradient", "Light Purple Gradient",
    "Ligt Corona Gradient", "Medium Gray Gradient",
    "Red Gradient",      "Light Fuchsia",
    "Yellow Gradient",   "Green Gradient",
    "Light Sky Blue Gradient", "Light Red Gradient",
    "Blue Xp Soft Gradient", "Light Olive Gradient",
    "Light Gray Corona", "Light Purple Gradient",
    "Light Navy Gradient", "Standard Gray Gradient",
    "Light Black Corona", "Light Black",
    "Light Black Green", "Light Black Gradient",
};

constexpr std::array<Prayer, kAdzanPrayerCount> kAdzanPrayers = {Shubuh, Dhuhur, Asar, Maghrib, Isya};
constexpr std::array<int, kAdzanPrayerCount> kAdzanPrayerLines = {2, 4, 5, 6, 7};

std::vector<std::string> Lines(const LanguageList& language, int first, int last) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; ++n) entries.push_back(language.Line(n));
    return entries;
}

bool ValidItem(int item, int count) { return item >= 0 && item < count; }

// Letters A-Z turned to lower case; every other byte as it is.
std::string LowerAsciiLetters(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace

std::string RunValueText(std::string_view programPath) {
    return '"' + std::string(programPath) + '"';
}

bool StartsWithWindows(const SettingsStore* run, std::string_view programPath) {
    if (run == nullptr) return false;
    const auto value = run->Read(kRunValueName);
    if (!value || value->type != kTypeString) return false;
    return LowerAsciiLetters(ReadString(*run, kRunValueName)) ==
           LowerAsciiLetters(RunValueText(programPath));
}

std::span<const char* const> SkinNames() { return kSkinNames; }

std::vector<std::string> LanguageEntries(const std::vector<std::string>& files) {
    std::vector<std::string> entries = {kBuiltInEnglishEntry};
    entries.insert(entries.end(), files.begin(), files.end());
    return entries;
}

int LanguageItem(const std::vector<std::string>& files, std::string_view name) {
    if (name.empty()) return 0;
    const std::string wanted = LowerAsciiLetters(name);
    for (size_t i = 0; i < files.size(); ++i)
        if (LowerAsciiLetters(files[i]) == wanted) return static_cast<int>(i) + 1;
    return 0;
}

std::string LanguageOfItem(const std::vector<std::string>& files, int item) {
    return item >= 1 && item <= static_cast<int>(files.size()) ? files[static_cast<size_t>(item) - 1] : std::string();
}

std::vector<std::string> HotKeyEntries() {
    std::vector<std::string> entries;
    for (int n = 1; n <= 24; ++n) entries.push_back('F' + IntText(n));
    for (char c = 'A'; c <= 'Z'; ++c) entries.emplace_back(1, c);
    for (char c = '0'; c <= '9'; ++c) entries.emplace_back(1, c);
    return entries;
}

int HotKeyItem(std::string_view stored) {
    const uint32_t key = HotKeyFromText(stored);
    const std::vector<std::string> entries = HotKeyEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (HotKeyFromText(entries[i]) == key) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> EffectEntries(const LanguageList& language) {
    std::vector<std::string> entries = {"Random", "Normal"};
    for (int n = 1; n <= kEffectLast - 1; ++n) entries.push_back(language.Line(209) + ' ' + IntText(n));
    return entries;
}

std::vector<std::string> AdzanPrayerEntries(const LanguageList& language) {
    std::vector<std::string> entries;
    for (int line : kAdzanPrayerLines) entries.push_back(language.Line(line));
    return entries;
}

Prayer AdzanPrayerOfItem(int item) {
    return ValidItem(item, kAdzanPrayerCount) ? kAdzanPrayers[static_cast<size_t>(item)] : Terbit;
}

std::vector<std::string> BarPositionEntries(const LanguageList& language) { return Lines(language, 210, 212); }
std::vector<std::string> BarSpeedEntries(const LanguageList& language) { return Lines(language, 213, 217); }
std::vector<std::string> RoundingEntries(const LanguageList& language) { return Lines(language, 222, 224); }
std::vector<std::string> HijriCalendarEntries(const LanguageList& language) { return Lines(language, kLineHijriTabular, kLineHijriUmmAlQura); }

int SkinInRange(std::string_view stored) {
    const int32_t skin = ReadWholeNumber(stored);
    return skin >= 0 && skin < kSkinCount ? skin : 0;
}

int DialogEffectInRange(uint32_t stored) {
    return stored <= static_cast<uint32_t>(kEffectLast) ? static_cast<int>(stored) : kEffectRandom;
}

// ---- The adzan file ----------------------------------------------------------

std::optional<std::string> PathToStore(const ChosenFile& file) {
    if (file.path_exact && !file.path.empty()) return file.path;
    if (file.short_path_exact && !file.short_path.empty()) return file.short_path;
    return std::nullopt;
}

SaveResult StoreAdzanFile(SettingsStore& settings, int prayerItem, std::string_view path) {
    SettingsWriter writer(settings);
    if (ValidItem(prayerItem, kAdzanPrayerCount))
        writer.String(AdzanValueName(AdzanPrayerOfItem(prayerItem)), path);
    return writer.Result();
}

std::string StoredAdzanFile(const SettingsStore& settings, int prayerItem) {
    if (!ValidItem(prayerItem, kAdzanPrayerCount)) return {};
    return ReadLocalFilePath(settings, AdzanValueName(AdzanPrayerOfItem(prayerItem)));
}

// ---- Trying the adzan file ----------------------------------------------------

bool AdzanTrial::Play(const std::string& file, bool fileExists, const Opener& open) {
    if (player_) {
        if (paused_) player_->Resume();
        paused_ = false;
        return true;
    }
    if (!fileExists) return false;
    player_ = open(file);
    paused_ = false;
    if (player_) player_->Play();
    return player_ != nullptr;
}

void AdzanTrial::Pause() {
    if (!player_) return;
    player_->Pause();
    paused_ = true;
}

void AdzanTrial::Stop() {
    if (!player_) return;
    player_->Stop();
    player_->Close();
    player_.reset();
    paused_ = false;
}

AdzanTrial::Progress AdzanTrial::Tick() {
    Progress progress;
    if (!player_) return progress;
    progress.length = player_->Length();
    progress.position = player_->Position();
    progress.running = progress.position < progress.length;
    if (!progress.running) Stop();
    return progress;
}

// ---- The page ------------------------------------------------------------------

void ProgramPage::LoadLook(const SettingsStore& settings) {
    // A preview in progress stays what the page shows (the page is shown
    // again while it is still the open one).
    const bool previewing = Previewing();
    stored_skin_ = SkinInRange(ReadString(settings, "Skin"));
    stored_language_ = ReadLanguageName(settings);
    if (previewing) return;
    skin = stored_skin_;
    language = stored_language_;
}

ProgramPage::LookToRestore ProgramPage::Leave() {
    LookToRestore restore;
    if (skin != stored_skin_) restore.skin = stored_skin_;
    if (language != stored_language_) restore.language = stored_language_;
    skin = stored_skin_;
    language = stored_language_;
    return restore;
}

void ProgramPage::FirstLoad(const SettingsStore& settings, const ProgramPageSurroundings& around) {
    // Everything from the settings key, a preview's skin and language too.
    skin = stored_skin_;
    language = stored_language_;
    bar_width = IntText(BarWidthInRange(ReadDword(settings, "BarWidth"))) + '%';
    bar_position = static_cast<int>(BarPositionInRange(ReadDword(settings, "BarPosition")));
    seconds = TimeFormatOf(ReadDword(settings, "TimeFormat")) == kFormatHHmmss;
    adzan_file.clear();
    Refresh(settings, around);
}

void ProgramPage::Refresh(const SettingsStore& settings, const ProgramPageSurroundings& around) {
    start_with_windows = StartsWithWindows(around.run, around.program_path);
    use_alpha_blend = ReadDword(settings, "UseAlphaBlend") == 1;
    dialog_effect = DialogEffectInRange(ReadDword(settings, "DialogEffect"));
    always_on_top = ReadDword(settings, "AlwaysOnTop") == 1;
    LoadLook(settings);
    bar_motion = static_cast<int>(BarMotionInRange(ReadDword(settings, "BarMotion")));
    // The file box shows the selected prayer's file; Fajr's when none is
    // selected yet, so the shown file always belongs to the shown prayer.
    if (!ValidItem(adzan_prayer, kAdzanPrayerCount)) adzan_prayer = 0;
    adzan_file = StoredAdzanFile(settings, adzan_prayer);
    if (ValidItem(around.rounding_in_force, 3)) rounding = around.rounding_in_force;
    if (around.drop_zone_visible) show_drop_zone = *around.drop_zone_visible;
    bar_alpha = IntText(ReadDword(settings, "BarAlpha"));
    hijri_calendar = static_cast<int32_t>(HijriCalendarOf(ReadDword(settings, kHijriCalendarValue)));
    imsak_minutes = IntText(ImsakMinutesOf(ReadDword(settings, kImsakValue)));
    use_dua = ReadDword(settings, "UseDua") == 1;
    hot_key = HotKeyItem(ReadString(settings, "HotKey"));
}

std::optional<int> ProgramPage::Validate() const {
    const int32_t minutes = ReadWholeNumber(imsak_minutes);
    if (!IsAcceptedWholeNumber(imsak_minutes) || minutes < 0 || minutes > kLastImsakMinute) return kLineImsakRefused;
    return std::nullopt;
}

SaveResult ProgramPage::Save(SettingsStore& settings, SettingsStore* run, std::string_view programPath,
                             const LanguageList& language_list) {
    SettingsWriter writer(settings);
    writer.String("Skin", IntText(SkinInRange(IntText(skin))))
        .String("Language", language)
        .Dword("BarPosition", static_cast<uint32_t>(ValidItem(bar_position, 3) ? bar_position : 0))
        .Dword("UseAlphaBlend", use_alpha_blend ? 1 : 0)
        .Dword("DialogEffect", static_cast<uint32_t>(DialogEffectInRange(static_cast<uint32_t>(dialog_effect))))
        .Dword("BarMotion", static_cast<uint32_t>(ValidItem(bar_motion, 5) ? bar_motion : 2));

    // The number at the start of the width box; outside 10..100 it is 100.
    const int32_t typed = ReadWholeNumber(bar_width);
    const int width = typed >= 10 && typed <= 100 ? typed : 100;
    bar_width = IntText(width) + '%';
    writer.Dword("BarWidth", static_cast<uint32_t>(width));

    writer.Dword("TimeFormat", seconds ? 1 : 0);
    writer.Dword("AlwaysOnTop", always_on_top ? 1 : 0);
    if (!seconds) {
        if (!ValidItem(rounding, 3)) rounding = 0;
        writer.Dword("Pembulatan", static_cast<uint32_t>(rounding));
    }
    writer.Dword("ShowDropZone", show_drop_zone ? 1 : 0);
    writer.Dword("BarAlpha", static_cast<uint32_t>(ReadWholeNumber(bar_alpha)));
    writer.Dword(kHijriCalendarValue, static_cast<uint32_t>(HijriCalendarOf(static_cast<uint32_t>(hijri_calendar))));
    writer.Dword(kImsakValue, ImsakMinutesOf(static_cast<uint32_t>(ReadWholeNumber(imsak_minutes))));
    writer.Dword("UseDua", use_dua ? 1 : 0);
    const std::vector<std::string> keys = HotKeyEntries();
    if (ValidItem(hot_key, static_cast<int>(keys.size()))) writer.String("HotKey", keys[static_cast<size_t>(hot_key)]);

    bool runStored = false;
    if (run != nullptr) {
        runStored = start_with_windows ? WriteString(*run, kRunValueName, RunValueText(programPath))
                                       : run->Delete(kRunValueName);
    }
    writer.Record(language_list.Line(kLineStartWithWindowsValue), runStored);
    SaveResult result = writer.Result();
    if (result.Ok()) {
        stored_skin_ = SkinInRange(IntText(skin));
        stored_language_ = language;
    }
    return result;
}

// ---- Settings files --------------------------------------------------------------

std::optional<std::string> ExportSettingsFile(const SettingsStore* settings, const std::string& path,
                                              const LanguageList& language, ReplaceFileFunction replace) {
    if (settings == nullptr) return language.Line(kLineSettingsUnreadable);
    if (!WriteFileReplacing(path, ExportSettingsText(*settings), replace))
        return language.Line(kLineExportFailed) + "\r\n" + path;
    return std::nullopt;
}

ImportOutcome ImportSettingsFile(const std::string& path, SettingsStore* settings, const LanguageList& language) {
    ImportOutcome outcome;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        outcome.message = language.Line(kLineImportUnreadable) + "\r\n" + path;
        return outcome;
    }
    if (settings == nullptr) {
        outcome.message = language.Line(kLineSettingsUnreadable);
        return outcome;
    }
    const SettingsImport imported = ImportSettingsText(*bytes, *settings);
    outcome.reload = imported.written > 0;
    if (!imported.not_stored.empty()) {
        outcome.message = NotStoredText(language, SaveResult{imported.not_stored});
        return outcome;
    }
    if (imported.written == 0) {
        outcome.message = language.Line(kLineImportEmpty) + "\r\n" + path;
        return outcome;
    }
    outcome.ok = true;
    outcome.message = language.Line(kLineImportDone);
    return outcome;
}

}  // namespace waktuna
