// The class-library stand-in: data exchange and strings. (Its message maps
// carry every handler of the launcher and the Directories dialog.)
#include "TestSupport.h"

namespace {

// A number exchanged with one of the launcher template's boxes. (From members
// to controls, check boxes and strings, the launcher's own tests show them.)
class CExchangeDlg : public CDialog
{
public:
    CExchangeDlg() : CDialog(IDD_LAUNCHER_DIALOG) {}
    int m_number = 99;
    CComboBox m_combo;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_WINDOW_SIZE, m_combo);
        DDX_Text(pDX, IDC_AUDIO_VALUE, m_number);
    }
};

TEST(DataExchange, ReadsANumberWithTheLibrarysRules)
{
    CExchangeDlg dlg;
    std::vector<std::string> complaint;
    BOOL bParsed = TRUE;
    RunModal(dlg, {Do([&] {
                       // Blanks around a number are fine, and empty text is 0.
                       SetDlgItemTextA(dlg.m_hWnd, IDC_AUDIO_VALUE, " 17 ");
                       EXPECT_TRUE(dlg.UpdateData(TRUE));
                       EXPECT_EQ(dlg.m_number, 17);
                       SetDlgItemTextA(dlg.m_hWnd, IDC_AUDIO_VALUE, "");
                       dlg.UpdateData(TRUE);
                       EXPECT_EQ(dlg.m_number, 0);
                       // Text that is not a number stops the exchange with a message.
                       dlg.m_number = 99;
                       SetDlgItemTextA(dlg.m_hWnd, IDC_AUDIO_VALUE, "12abc");
                       bParsed = dlg.UpdateData(TRUE);
                   }),
                   CloseMessageBox("Error", complaint), End(dlg)});
    EXPECT_EQ(complaint, std::vector<std::string>{"Please enter an integer."});
    EXPECT_FALSE(bParsed);
    EXPECT_EQ(dlg.m_number, 99);
    // The bound control is let go with the window, so that the object can run again.
    EXPECT_EQ(dlg.m_combo.m_hWnd, (HWND)NULL);
}

TEST(String, FormatsTextOfAnyLengthAndNeverReadsAnArgumentAsAFormat)
{
    std::string longText(5000, 'x');
    CString s;
    s.Format("%s|%d|%s", "%s%n%d", -7, longText.c_str());
    EXPECT_EQ(std::string(s), "%s%n%d|-7|" + longText);
    EXPECT_EQ(s.GetLength(), 5010);
}

TEST(String, GrownPastTheAddressSpaceEndsWithTheOutOfMemoryMessageNotACrash)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child;
    std::string program = ProgramDirectory() + "\\grow_string.exe";
    ASSERT_TRUE(
        CreateProcessA(program.c_str(), NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &child));
    CloseHandle(child.hThread);
    // The platform's fatal-error box, or the end of a program that never shows it.
    HWND hBox = NULL;
    for (DWORD deadline = GetTickCount() + Scaled(30000);
         hBox == NULL && WaitForSingleObject(child.hProcess, 50) == WAIT_TIMEOUT;)
        if (GetTickCount() > deadline || (hBox = FindWindowOf(child.dwProcessId, "Error")) != NULL)
            break;
    std::vector<std::string> texts = hBox != NULL ? StaticTexts(hBox) : std::vector<std::string>();
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(child.hProcess, Scaled(10000)), WAIT_OBJECT_0);
    DWORD dwExitCode = 0;
    GetExitCodeProcess(child.hProcess, &dwExitCode);
    TerminateProcess(child.hProcess, 0);
    CloseHandle(child.hProcess);
    EXPECT_EQ(texts, std::vector<std::string>{"Out of memory"});
    EXPECT_LT(dwExitCode, 0xC0000000) << std::hex << dwExitCode;
}

} // namespace
