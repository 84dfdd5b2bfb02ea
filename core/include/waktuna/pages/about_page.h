// The About page's texts: the version caption, the notice, the contact and
// web links, and the licence files as the licence box shows them.
#pragma once

#include <string>
#include <string_view>

namespace waktuna {

// "Waktuna v3.10".
std::string AboutVersionCaption();
// Who made the program and where its place names come from.
std::string AboutNotice();

// The project's own placeholders until it has a public address and site
// (example.org is reserved for examples: nobody else's host is named).
inline constexpr std::string_view kAboutContact = "waktuna@example.org";
inline constexpr std::string_view kAboutWeb = "https://waktuna.example.org/";

// The contact link: "mailto:" + the address with the version caption as its
// subject (spaces written as %20).
std::string AboutMailLink();

// The licence files beside the program: Indonesian and English.
inline constexpr std::string_view kLicenceIndonesian = "Lisensi.txt";
inline constexpr std::string_view kLicenceEnglish = "License.txt";

// A licence file's bytes as a multi-line edit box shows them: every line end
// (CR LF, a lone LF, a lone CR) becomes CR LF; the text stops at a zero byte.
std::string LicenceBoxText(std::string_view bytes);

}  // namespace waktuna
