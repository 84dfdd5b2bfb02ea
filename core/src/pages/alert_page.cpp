#include "waktuna/pages/alert_page.h"

#include "waktuna/calc/numbers.h"

namespace waktuna {

namespace {

uint16_t Minutes(const std::string& text) {
    const int32_t n = ReadWholeNumber(text);
    return n >= 1 && n <= static_cast<int32_t>(kLastAlertMinute) ? static_cast<uint16_t>(n) : 0;
}

bool MinutesAccepted(const std::string& text) { return Minutes(text) != 0; }

}  // namespace

void AlertPage::Load(const SettingsStore& store) {
    const AlertSettings a = ReadAlertSettings(store);
    before = a.message1 != 0;
    before_minutes = IntText(a.message1);
    message = a.m_message == 1;
    minimize = a.m_minimize == 1;
    adzan = a.m_adzan == 1;
    shutdown = a.m_shutdown == 1;
    hibernate = a.m_shutdown == 2;
    after = a.message2 != 0;
    after_minutes = IntText(a.message2);
    shutdown_after = a.m_shutdown_after == 1;
    hibernate_after = a.m_shutdown_after == 2;
    delay_minutes = IntText(a.m_time_shutdown);
    friday = a.m_jumat > 0;
    if (friday) friday_time = a.m_jumat;
    information = a.show_information > 0;
    information_minutes = IntText(a.show_information);
    imsak = a.m_imsak == 1;
}

void AlertPage::ClickShutdown(bool ticked) {
    shutdown = ticked;
    if (ticked) hibernate = false;
}

void AlertPage::ClickHibernate(bool ticked) {
    hibernate = ticked;
    if (ticked) shutdown = false;
}

void AlertPage::ClickShutdownAfter(bool ticked) {
    shutdown_after = ticked;
    if (ticked) hibernate_after = false;
}

void AlertPage::ClickHibernateAfter(bool ticked) {
    hibernate_after = ticked;
    if (ticked) shutdown_after = false;
}

std::optional<int> AlertPage::Validate() const {
    if ((before && !MinutesAccepted(before_minutes)) || (after && !MinutesAccepted(after_minutes)) ||
        (DelayBoxEnabled() && !MinutesAccepted(delay_minutes)) ||
        (information && !MinutesAccepted(information_minutes)))
        return kLineAlertMinutes;
    return std::nullopt;
}

AlertSettings AlertPage::Collect() const {
    AlertSettings a;
    a.message1 = before ? Minutes(before_minutes) : 0;
    a.message2 = after ? Minutes(after_minutes) : 0;
    a.m_message = message ? 1 : 0;
    a.m_minimize = minimize ? 1 : 0;
    a.m_adzan = adzan ? 1 : 0;
    a.m_shutdown = hibernate ? 2 : shutdown ? 1 : 0;
    a.m_jumat = friday ? friday_time : 0.0;
    a.show_information = information ? Minutes(information_minutes) : 0;
    a.m_shutdown_after = shutdown_after ? 1 : hibernate_after ? 2 : 0;
    a.m_time_shutdown = DelayBoxEnabled() ? Minutes(delay_minutes) : 0;
    a.m_imsak = imsak ? 1 : 0;
    return a;
}

}  // namespace waktuna
