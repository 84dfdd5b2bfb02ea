// Captions laid out on a few lines of a fixed width: the side panel's page
// buttons show long captions (and long translations) on two lines instead of
// cutting them at the button's edge.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace waktuna {

struct WrappedCaption {
    std::vector<std::string> lines;  // at least one; spaces between words dropped at a break
    // False when a line is still wider than the width: a single word too
    // wide, or more words than `maxLines` lines hold (the rest then stays on
    // the last line).
    bool fits = true;
};

// Breaks `text` at spaces into at most `maxLines` lines, each filled with as
// many words as `measure` (the pixel width of a text) lets fit in `width`.
// Words are never split; runs of spaces count as one break.
WrappedCaption WrapCaption(std::string_view text, int width, int maxLines,
                           const std::function<int(std::string_view)>& measure);

}  // namespace waktuna
