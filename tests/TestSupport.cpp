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
    else if (!testing::Test::HasFailure())
        EXPECT_EQ(run.played, count) << "the dialog ended before its script";
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

void ExpectNoLaunchBeyond(const StandInEmulator& emulator, size_t count)
{
    Sleep(500);
    EXPECT_LE(emulator.Launches().size(), count) << "launches recorded";
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
