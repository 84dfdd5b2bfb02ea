#include "waktuna/look/caption_wrap.h"

#include <algorithm>

namespace waktuna {

namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = text.find_first_not_of(' ', at);
        if (start == std::string_view::npos) break;
        const size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

}  // namespace

WrappedCaption WrapCaption(std::string_view text, int width, int maxLines,
                           const std::function<int(std::string_view)>& measure) {
    WrappedCaption result;
    const std::vector<std::string_view> words = Words(text);
    if (words.empty()) {
        result.lines.emplace_back(text);
        return result;
    }
    std::string line;
    for (std::string_view word : words) {
        if (line.empty()) {
            line = word;
            continue;
        }
        std::string longer = line + ' ' + std::string(word);
        const bool last = static_cast<int>(result.lines.size()) + 1 >= maxLines;
        if (measure(longer) <= width || last) {
            line = std::move(longer);
        } else {
            result.fits = result.fits && measure(line) <= width;
            result.lines.push_back(std::move(line));
            line = word;
        }
    }
    result.fits = result.fits && measure(line) <= width;
    result.lines.push_back(std::move(line));
    return result;
}

}  // namespace waktuna
