// The Save of a setting page, up to the point where the running program may
// take the new values: an entry the page refuses, or a value the settings key
// did not store, is shown in an error dialog and nothing is applied.
#pragma once

#include <optional>
#include <string>

#include "ui/page.h"
#include "waktuna/settings/settings_writer.h"

namespace app {

// `refusal` is the text of the first refused entry, if any; `model.Save` is
// only called without one. True when every value was stored: the caller then
// applies (LoadSettings, RecomputeTimes) and shows the saved notice.
template <class Model>
bool StoreOrReport(PageHost& host, const std::optional<std::string>& refusal, const Model& model) {
    if (refusal) {
        host.ShowMessageDialog(waktuna::DialogButtons::Ok, *refusal, waktuna::DialogKind::Error);
        return false;
    }
    const waktuna::SaveResult result = model.Save(host.Settings());
    if (result.Ok()) return true;
    host.ShowMessageDialog(waktuna::DialogButtons::Ok, waktuna::NotStoredText(host.Language(), result),
                           waktuna::DialogKind::Error);
    return false;
}

}  // namespace app
