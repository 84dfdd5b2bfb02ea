// The date converter (UConvert): a small modal window that converts between
// the Western and the Hijri calendar as the user picks a date, shows the
// weekday, and sets the Hijri correction the whole program applies, in the
// program's Hijri calendar (saying so when Umm al-Qura falls back). The
// logic is waktuna::DateConverter; the window shows its state without
// running its own change handlers.
#pragma once

#include "ui/dialog_window.h"
#include "waktuna/pages/date_converter.h"

namespace app {

class DateConverterWindow final : public DialogWindow {
public:
    static constexpr const char* kClassName = "WaktunaConverter";

    explicit DateConverterWindow(PageHost& host);

    // Creates the window, shows it and runs its loop until it is closed.
    void RunModal();

protected:
    void OnControl(int id, int code) override;

private:
    bool Build();
    void PickCorrection(int item);
    // The model's state into the controls; their notifications meanwhile are ignored.
    void Show();
    std::string YearText(int id) const;
    // A year field shows `year`, selecting its item when the list has one.
    void ShowYear(int id, const std::string& year);

    PageHost& host_;
    waktuna::DateConverter model_;
    bool showing_ = false;
};

// Opens the converter unless it is open already.
inline void RunConverter(PageHost& host) { RunOnce<DateConverterWindow>(host); }

}  // namespace app
