#include "ModalScript.h"
#include "Patience.h"

namespace {
struct Script
{
    CDialog* dlg;
    std::vector<Step> steps;
    std::function<bool()> stop;
    size_t next;
    DWORD deadline;
    bool timedOut;
};
Script* g_script = NULL;
} // namespace

// A step that opens a modal window (a message box, a nested dialog) stays on
// the stack while the ticks of that window's loop play the steps after it.
// Once cancelled, every tick ends what has opened over the dialog since, until
// the dialog has ended: a handler that shows one box after another would
// otherwise hang the test.
static void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD)
{
    Script* script = g_script;
    if (script == NULL || script->dlg->m_hWnd == NULL)
        return;
    script->timedOut = GetTickCount() > script->deadline;
    if (script->timedOut || script->stop()) {
        HWND active = GetActiveWindow();
        if (active != NULL && active != script->dlg->m_hWnd)
            EndDialog(active, IDCANCEL);
        EndDialog(script->dlg->m_hWnd, IDCANCEL);
        return;
    }
    if (script->next >= script->steps.size())
        return;
    size_t step = script->next++;
    if (!script->steps[step]() && script->next == step + 1)
        script->next = step;
}

ScriptRun PlayModal(CDialog& dlg, std::vector<Step> steps, DWORD timeoutMs,
                    std::function<bool()> stop)
{
    Script script = {&dlg, std::move(steps), std::move(stop), 0, GetTickCount() + Scaled(timeoutMs),
                     false};
    // A script may run a dialog of its own; the outer script goes on after it.
    Script* outer = g_script;
    g_script = &script;
    UINT_PTR timer = SetTimer(NULL, 0, 10, ScriptTick);
    int result = dlg.DoModal();
    KillTimer(NULL, timer);
    g_script = outer;
    return {result, script.next, script.timedOut};
}

Step Do(std::function<void()> action)
{
    return [action]() {
        action();
        return true;
    };
}
