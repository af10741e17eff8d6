// A script played inside a dialog's modal loop, as the tests and the benchmark
// drive the launcher dialog: one step per timer tick, inside the dialog's own
// loop and inside any loop nested in it (a message box, another dialog).
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

// One step of a script: true when done, false to be tried again on the next tick.
using Step = std::function<bool()>;

// A step that does something once; one that waits for a condition; one that
// ends the dialog with 0.
Step Do(std::function<void()> action);
inline Step Until(std::function<bool()> condition) { return condition; }
inline Step End(CDialog& dlg)
{
    return Do([&dlg] { dlg.EndDialog(0); });
}

struct ScriptRun
{
    int result;    // the dialog's
    size_t played; // steps done
    bool timedOut;
};

// Runs the dialog modally and plays the steps. Cancels the dialog, and the
// window active over it, when the steps take longer than the timeout (scaled)
// or as soon as stop() is true.
ScriptRun PlayModal(
    CDialog& dlg, std::vector<Step> steps, DWORD timeoutMs,
    std::function<bool()> stop = [] { return false; });
