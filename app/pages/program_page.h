// The program settings page (USettingpas): skin, language, the adzan file of
// each prayer with a trial player, the message dialog's effect, the bar, the
// time format, start with Windows, always on top, the drop zone, and export
// and import of settings files. The choices live in core's ProgramPage; this
// window shows them, previews what can be previewed and saves through it.
#pragma once

#include "ui/hover_font.h"
#include "ui/page.h"
#include "waktuna/pages/program_page.h"

namespace app {

class ProgramPage final : public Page {
public:
    explicit ProgramPage(PageHost& host) : Page(host) {}
    ~ProgramPage() override;

    void ApplyLanguage() override;
    void ApplyColours() override;
    void Refresh() override;
    void Leave() override;
    void OnDropZoneShown(bool shown) override;

protected:
    const char* ClassName() const override { return "WaktunaProgramPage"; }
    void Build() override;
    void OnCommand(int id, int code) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDpiChanged() override;

private:
    waktuna::ProgramPageSurroundings Surroundings(const waktuna::SettingsStore* run) const;
    void FillChoiceLists();
    void Bind();
    void ToControls();
    void FromControls();
    void ShowRoundingState();
    void ChooseAdzanFile();
    void Play();
    void StopPlayer();
    void ProgressTick();
    void Save();
    void Export();
    void Import();
    void Error(const std::string& text);

    waktuna::ProgramPage model_;
    std::vector<std::string> language_files_;  // the language drop-down's files, after the built-in English
    Bindings bindings_;
    waktuna::AdzanTrial trial_;
    bool timer_running_ = false;
    HoverFont bold_buttons_;
};

}  // namespace app
