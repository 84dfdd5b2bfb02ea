#include "waktuna/pages/about_page.h"

#include "waktuna/version.h"

namespace waktuna {

std::string AboutVersionCaption() { return std::string(kProgramCaption); }

std::string AboutNotice() {
    return "Prayer times, Hijri dates and the Qibla direction for your place, "
           "free to use and to share.\r\n"
           "Place names: GeoNames (www.geonames.org), "
           "licensed under Creative Commons Attribution 4.0 (CC-BY 4.0).";
}

std::string AboutMailLink() {
    std::string subject;
    for (char c : AboutVersionCaption()) {
        if (c == ' ')
            subject += "%20";
        else
            subject += c;
    }
    return "mailto:" + std::string(kAboutContact) + "?subject=" + subject;
}

std::string LicenceBoxText(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 32);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            text += "\r\n";
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace waktuna
