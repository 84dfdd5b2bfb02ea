// Waktuna.exe: the program entry. Builds the main window (which runs the
// start-up) and runs the message loop until the program ends.
#include <windows.h>

#include <commctrl.h>

#include "form1.h"
#include "ui/message_loop.h"
#include "win/prepare_machine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    // The installer's one-off step: no window, no single-instance check.
    if (app::IsPrepareMachineCommand(command_line)) return app::PrepareMachine();

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    app::Form1 form;
    switch (form.Create()) {
    case app::Form1::Started::kFirst:
        break;
    case app::Form1::Started::kSecond:
        return 0;
    case app::Form1::Started::kFailed:
        return 1;
    }
    return app::RunMainLoop();
}
