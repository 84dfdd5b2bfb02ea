// Identifiers and layout shared by the files of the main window.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

namespace app::form1 {

enum TimerId : UINT_PTR { kClockTimer = 1, kSavedNoticeTimer = 2 };
enum ControlId : int {
    kHideButtonId = 100,
    kPageTitleId,     // on the caption strip: "Waktuna - [...]"
    kHeaderTitleId,   // line 48
    kDateLabelId,
    kVersionLabelId,
    kSavedNoticeId,
    kFirstPageButtonId = 200,
};
// Posted to close the program once every modal window has ended.
constexpr UINT kCloseLater = WM_APP + 30;
// Posted when a Command task was refused: the warning after the tick.
constexpr UINT kCommandRefused = WM_APP + 31;
// Posted when an error is to be shown after the present tick or handler.
constexpr UINT kErrorsLater = WM_APP + 32;
// Menu command identifiers are the item numbers plus this.
constexpr UINT kMenuBase = 1000;

// Layout, pixels at 96 DPI.
constexpr int kCaptionHeight = 29;
constexpr int kHeaderBottom = 82;
constexpr int kSideLeft = 6, kSideWidth = 130;
constexpr int kButtonTop = 88, kButtonHeight = 38;

// The side panel's button of page `index` (from the top, 0 = main page).
inline ControlSpec SideButtonSpec(int index, int id) {
    return {id, "BUTTON", BS_OWNERDRAW | WS_TABSTOP, kSideLeft + 4, kButtonTop + index * kButtonHeight,
            kSideWidth - 8, kButtonHeight - 4};
}

}  // namespace app::form1
