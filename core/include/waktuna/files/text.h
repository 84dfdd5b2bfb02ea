// Small helpers on 8-bit text: lines and trimming.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace waktuna {

// The lines of a text: CR LF, a lone CR and a lone LF each end a line; the
// last line needs no line end.
std::vector<std::string> SplitTextLines(std::string_view text);
// The same lines, one at a time, without copying them.
void ForEachTextLine(std::string_view text, const std::function<void(std::string_view)>& line);

// The text without the characters of codes 0..32 (spaces and control
// characters) at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace waktuna
