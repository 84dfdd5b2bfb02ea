// Task lines and task files: any bytes parse within the field ranges, and a
// task read from a file is written back and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "waktuna/files/tasks.h"

namespace {

void CheckRanges(const waktuna::TTask& t) {
    if (t.type > 9 || t.freq > 5 || t.day_of_week > 7 || t.date > 31 || t.month > 12) std::abort();
    if (!t.time_text.empty() && t.time_text.size() != 8) std::abort();
    if (t.message.size() > waktuna::kMaxTaskMessage + 3) std::abort();  // "%VERSION" -> "v3.10"
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace waktuna;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckRanges(ParseTaskLine(bytes));

    const std::vector<TTask> tasks = ReadTaskFileText(bytes);
    std::vector<TaskFileLine> lines;
    std::vector<TTask> comparable;
    for (const TTask& t : tasks) {
        CheckRanges(t);
        // A line that reached its Time field, and whose message has no second
        // "%VERSION" to be replaced on the next reading, reads back the same.
        if (t.time_text.empty() || t.message.find("%VERSION") != std::string::npos) continue;
        lines.push_back(ToTaskFileLine(t));
        comparable.push_back(t);
    }
    if (ReadTaskFileText(TaskFileText(lines)) != comparable) std::abort();
    return 0;
}
