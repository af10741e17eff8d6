#include "TestSupport.h"

std::string Formatted(const char* format, const std::string& argument)
{
    std::string text(strlen(format) + argument.size(), '\0');
    text.resize(snprintf(&text[0], text.size() + 1, format, argument.c_str()));
    return text;
}

namespace {
struct Script
{
    CDialog* dlg;
    std::vector<Step> steps;
    size_t next;
    DWORD deadline;
};
Script* g_script = NULL;
} // namespace

// A step that opens a modal window (a message box, a nested dialog) stays on
// the stack while the ticks of that window's loop play the steps after it.
static void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD)
{
    Script* script = g_script;
    if (script == NULL || script->dlg->m_hWnd == NULL)
        return;
    bool timedOut = GetTickCount() > script->deadline;
    if (timedOut || testing::Test::HasFailure()) {
        if (timedOut)
            ADD_FAILURE() << "script timed out at step " << script->next;
        g_script = NULL;
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

int RunModal(CDialog& dlg, std::vector<Step> steps, DWORD timeoutMs)
{
    Script script = {&dlg, std::move(steps), 0, GetTickCount() + timeoutMs};
    // A script may run a dialog of its own; the outer script goes on after it.
    Script* outer = g_script;
    g_script = &script;
    UINT_PTR timer = SetTimer(NULL, 0, 10, ScriptTick);
    int result = dlg.DoModal();
    KillTimer(NULL, timer);
    g_script = outer;
    if (!testing::Test::HasFailure()) {
        EXPECT_EQ(script.next, script.steps.size()) << "the dialog ended before its script";
    }
    return result;
}

Step Do(std::function<void()> action)
{
    return [action]() {
        action();
        return true;
    };
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

std::vector<std::string> StaticTexts(HWND hDlg)
{
    std::vector<std::string> texts;
    for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64];
        GetClassNameA(child, className, sizeof className);
        WCHAR text[2048] = L"";
        GetWindowTextW(child, text, 2048);
        if (lstrcmpiA(className, "Static") == 0 && *text != L'\0')
            texts.push_back(Utf8(text));
    }
    return texts;
}

StandInEmulator::StandInEmulator(const std::string& directory) : m_log(directory + "\\launches.log")
{
    std::string standIn = ProgramDirectory() + "\\..\\standin\\o2em.exe";
    CreateDirectoryW(Wide(directory).c_str(), NULL);
    EXPECT_TRUE(CopyFileA(standIn.c_str(), (directory + "\\o2em.exe").c_str(), FALSE)) << standIn;
    SetEnvironmentVariableA("ZORVANE_O2EM_LOG", m_log.c_str());
}

StandInEmulator::~StandInEmulator()
{
    SetEnvironmentVariableA("ZORVANE_O2EM_LOG", NULL);
    SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", NULL);
    SetEnvironmentVariableA("ZORVANE_O2EM_EXIT", NULL);
    SetEnvironmentVariableA("ZORVANE_O2EM_WAIT", NULL);
    HWND hWnd;
    for (int tries = 0; tries < 20 && (hWnd = FindWindowA(NULL, "O2em stand-in")) != NULL; tries++)
        SendMessageTimeoutA(hWnd, WM_COMMAND, IDOK, 0, SMTO_ABORTIFHUNG, 1000, NULL);
}

std::vector<Launch> StandInEmulator::Launches() const
{
    std::vector<Launch> launches;
    for (const std::string& line : ReadLines(m_log)) {
        if (line.rfind("cmdline: ", 0) == 0)
            launches.push_back({line.substr(9), "", false, ""});
        else if (line.rfind("cwd: ", 0) == 0 && !launches.empty())
            launches.back().directory = line.substr(5);
        else if (line == "rom: found" && !launches.empty())
            launches.back().romFound = true;
        else if (line.rfind("file: ", 0) == 0 && !launches.empty())
            launches.back().romFile = line.substr(6);
    }
    return launches;
}

std::vector<Launch> StandInEmulator::WaitForLaunches(size_t count) const
{
    std::vector<Launch> launches = Launches();
    for (DWORD deadline = GetTickCount() + 5000;
         launches.size() < count && GetTickCount() < deadline; launches = Launches())
        Sleep(20);
    EXPECT_GE(launches.size(), count) << "launches recorded";
    return launches;
}

void StandInEmulator::ExpectNoLaunchBeyond(size_t count) const
{
    Sleep(500);
    EXPECT_LE(Launches().size(), count) << "launches recorded";
}

static std::string TreeItemText(HWND hTree, HTREEITEM hItem)
{
    WCHAR text[1024] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(hTree, TVM_GETITEMW, 0, (LPARAM)&item);
    return Utf8(text);
}

std::vector<std::string> TreeItems(HWND hTree)
{
    std::vector<std::string> items;
    for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
         hItem = TreeView_GetNextSibling(hTree, hItem))
        items.push_back(TreeItemText(hTree, hItem));
    return items;
}

std::string SelectedTreeItem(HWND hTree)
{
    return TreeItemText(hTree, TreeView_GetSelection(hTree));
}

bool SelectTreeItem(HWND hTree, const std::string& text)
{
    for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
         hItem = TreeView_GetNextSibling(hTree, hItem))
        if (TreeItemText(hTree, hItem) == text)
            return TreeView_SelectItem(hTree, hItem);
    return false;
}

// Wine reports no count of handles (GetProcessHandleCount and GetGuiResources
// give 0), so the open kernel handles are counted one by one.
int OpenKernelHandles()
{
    int count = 0;
    DWORD flags;
    for (UINT_PTR value = 4; value < 0x4000; value += 4)
        count += GetHandleInformation((HANDLE)value, &flags) ? 1 : 0;
    return count;
}
