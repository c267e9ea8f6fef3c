#include "core/startup/program.h"
#include "platform/program_folder.h"
#include "platform/raw_arguments.h"
#include "win32/app/win32_widget_layer.h"

#include <windows.h>

#include <commctrl.h>

// Runvoy.exe: the same start-up as on every system, over the Win32 windows. Windows creates no
// window for the program, so a run that has nothing to say shows none.
int main() {
    const INITCOMMONCONTROLSEX controls{sizeof(controls),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    Win32WidgetLayer widgets;
    return runProgram(platform::rawArgumentText(0, nullptr), platform::programFolder(), widgets);
}
