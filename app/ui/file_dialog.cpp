#include "ui/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "ui/page.h"
#include "waktuna/pages/program_page.h"
#include "win/handles.h"
#include "win/program_files.h"

namespace app {

namespace {

// The dialog takes the filter's parts with zeros between them and two at the end.
std::wstring DialogFilter(std::string_view filter) {
    std::wstring parts;
    size_t start = 0;
    for (;;) {
        const size_t bar = filter.find('|', start);
        std::string_view piece = filter.substr(start, bar == std::string_view::npos ? filter.npos : bar - start);
        const size_t first = piece.find_first_not_of(' ');
        piece = first == piece.npos ? std::string_view() : piece.substr(first, piece.find_last_not_of(' ') - first + 1);
        parts += ToWide(std::string(piece));
        parts.push_back(L'\0');
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    parts.push_back(L'\0');
    return parts;
}

}  // namespace

std::optional<std::string> AskFileName(PageHost& host, HWND owner, const FileQuestion& question) {
    const std::wstring filter = DialogFilter(question.filter);
    const std::wstring title = ToWide(question.title);
    const bool save = question.kind == FileDialog::Save;
    std::vector<wchar_t> name(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = question.default_extension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return std::nullopt;
    const std::wstring chosen(name.data());
    waktuna::ChosenFile file = ChosenFileOf(chosen);
    if (save && !file.path_exact && GetFileAttributesW(chosen.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // A new file has no short name until it exists.
        UniqueFile created(CreateFileW(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (created) {
            created.reset();
            file = ChosenFileOf(chosen);
        }
    }
    auto path = waktuna::PathToStore(file);
    if (!path)
        host.ShowMessageDialog(waktuna::DialogButtons::Ok, host.Language().Line(waktuna::kLineAdzanPathNotKept),
                               waktuna::DialogKind::Error);
    return path;
}

}  // namespace app
