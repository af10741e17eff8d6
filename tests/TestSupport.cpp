#include "TestSupport.h"

std::string Formatted(const char* format, const std::string& argument)
{
    std::string text(strlen(format) + argument.size(), '\0');
    text.resize(snprintf(&text[0], text.size() + 1, format, argument.c_str()));
    return text;
}

int RunModal(CDialog& dlg, std::vector<Step> steps, DWORD timeoutMs)
{
    size_t count = steps.size();
    ScriptRun run =
        PlayModal(dlg, std::move(steps), timeoutMs, [] { return testing::Test::HasFailure(); });
    if (run.timedOut)
        ADD_FAILURE() << "script timed out at step " << run.played;
    else if (!testing::Test::HasFailure() && run.played != count)
        ADD_FAILURE() << "the dialog ended at step " << run.played << " of its " << count;
    return run.result;
}

void WithLauncher(const std::function<void(CLauncherDlg&)>& body)
{
    CLauncherDlg dlg;
    RunModal(dlg, {Do([&] { body(dlg); }), End(dlg)});
}

Step OnDialog(const char* caption, std::function<void(HWND)> action)
{
    return [caption, action] {
        HWND hDlg = FindDialog(caption);
        if (hDlg != NULL)
            action(hDlg);
        return hDlg != NULL;
    };
}

Step CloseMessageBox(const char* caption, std::vector<std::string>& texts, HWND* owner)
{
    return OnDialog(caption, [&texts, owner](HWND box) {
        texts = StaticTexts(box);
        if (owner != NULL)
            *owner = GetWindow(box, GW_OWNER);
        EndDialog(box, IDOK);
    });
}

void ExpectNoLaunchBeyond(const StandInEmulator& emulator, size_t count)
{
    EXPECT_FALSE(WaitUntil([&] { return emulator.Launches().size() > count; }, 500))
        << "launches recorded";
}

// Wine reports no count of handles (GetProcessHandleCount and GetGuiResources
// give 0), so the open kernel handles are counted one by one.
int OpenKernelHandles(bool bOtherProcessesOnly)
{
    int count = 0;
    DWORD flags;
    for (UINT_PTR value = 4; value < 0x4000; value += 4) {
        DWORD id = GetProcessId((HANDLE)value);
        count += GetHandleInformation((HANDLE)value, &flags) &&
                 (!bOtherProcessesOnly || (id != 0 && id != GetCurrentProcessId()));
    }
    return count;
}
