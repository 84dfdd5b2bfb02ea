// The alert-message page (UMessage) without its window: the check boxes, the
// minute boxes and the Friday time; loading, the click rules and which boxes
// they enable, the check of the minutes, and Save in its write order.
#pragma once

#include <optional>
#include <string>

#include "waktuna/calc/datetime.h"
#include "waktuna/settings/settings_writer.h"
#include "waktuna/settings/settings.h"

namespace waktuna {

// "Enter the minutes as a whole number from 1 to 1439."
inline constexpr int kLineAlertMinutes = 232;
// The saved notice and the page's title.
inline constexpr int kLineAlertPageTitle = 90;

struct AlertPage {
    bool before = false;               // Show message before
    std::string before_minutes = "5";
    bool message = false;              // Show message notification
    bool minimize = false;             // Minimize all windows
    bool adzan = false;                // Play adzan or sound
    bool shutdown = false;             // Shutdown my PC
    bool hibernate = false;            // Hibernate my PC
    bool after = false;                // Show message after
    std::string after_minutes = "5";
    bool shutdown_after = false;       // Shutdown my PC after
    bool hibernate_after = false;      // Hibernate after
    std::string delay_minutes = "5";
    bool friday = false;               // Message for Friday prayer
    DateTime friday_time = 0;          // the time picker (set to now by the window)
    bool information = false;          // Show information prayer times every
    std::string information_minutes = "10";
    bool imsak = false;                // Show message at Imsak (MImsak); counts while Imsak is on

    // Ticks and boxes from the stored values.
    void Load(const SettingsStore& store);

    // Which boxes can be edited.
    bool BeforeBoxEnabled() const { return before; }
    bool AfterBoxEnabled() const { return after; }
    bool DelayBoxEnabled() const { return shutdown_after || hibernate_after; }
    bool FridayTimeEnabled() const { return friday; }
    bool InformationBoxEnabled() const { return information; }

    // The paired check boxes: ticking one unticks its partner.
    void ClickShutdown(bool ticked);
    void ClickHibernate(bool ticked);
    void ClickShutdownAfter(bool ticked);
    void ClickHibernateAfter(bool ticked);

    // Every box that counts (its check box ticked) holds 1..1439 minutes;
    // else line kLineAlertMinutes.
    std::optional<int> Validate() const;

    // The ten values and MImsak as Save stores them.
    AlertSettings Collect() const;
    // Validate() first; writes Collect() in the page's order.
    SaveResult Save(SettingsStore& store) const { return WriteAlertSettings(store, Collect()); }
};

}  // namespace waktuna
