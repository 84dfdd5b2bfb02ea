// Steps a test takes while one of the program's modal windows runs its own
// message loop: one step a timer tick, each once the window is shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace modal_steps {

using StepFn = std::function<void(HWND)>;

inline const char* g_class = nullptr;
inline std::vector<StepFn> g_steps;
inline size_t g_next = 0;

inline void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowA(g_class, nullptr);
    if (!window || !IsWindowVisible(window) || g_next >= g_steps.size()) return;
    g_steps[g_next++](window);
}

}  // namespace modal_steps

// Runs `run`, which shows a window of `class_name` modally, while the steps
// act on that window; every step must have run before it closed.
template <class Run>
auto RunWithSteps(const char* class_name, std::vector<modal_steps::StepFn> steps, Run run) {
    modal_steps::g_class = class_name;
    modal_steps::g_steps = std::move(steps);
    modal_steps::g_next = 0;
    struct End {
        UINT_PTR timer;
        ~End() {
            KillTimer(nullptr, timer);
            EXPECT_EQ(modal_steps::g_next, modal_steps::g_steps.size())
                << "the window closed before every step ran";
        }
    } end{SetTimer(nullptr, 0, 30, modal_steps::Step)};
    return run();
}
