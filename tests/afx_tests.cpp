// The class-library stand-in: message maps, data exchange, modal runs, strings.
#include "TestSupport.h"

namespace {

// Two levels of message maps over the Directories template.
class CBaseTestDlg : public CDialog
{
public:
    CBaseTestDlg() : CDialog(IDD_DIRECTORIES) {}
    std::vector<std::string> calls;

protected:
    afx_msg void OnBrowseRom() { calls.push_back("base rom"); }
    afx_msg void OnBrowseEmu() { calls.push_back("base emu"); }
    afx_msg void OnAbout() { calls.push_back("about"); }
    afx_msg void OnClose()
    {
        calls.push_back("close");
        CDialog::OnClose();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestDlg, CDialog)
ON_BN_CLICKED(IDC_BROWSE_ROMDIR, OnBrowseRom)
ON_BN_CLICKED(IDC_BROWSE_EMUDIR, OnBrowseEmu)
ON_COMMAND(ID_ABOUT_ABOUT, OnAbout)
ON_WM_CLOSE()
END_MESSAGE_MAP()

class CDerivedTestDlg : public CBaseTestDlg
{
protected:
    afx_msg void OnDerivedEmu() { calls.push_back("derived emu"); }
    afx_msg void OnClickRomDir(NMHDR* pNMHDR, LRESULT* pResult)
    {
        calls.push_back("notify " + std::to_string(pNMHDR->idFrom));
        *pResult = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestDlg, CBaseTestDlg)
ON_BN_CLICKED(IDC_BROWSE_EMUDIR, OnDerivedEmu)
ON_NOTIFY(NM_CLICK, IDC_ROMDIR, OnClickRomDir)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesComeFirstAndTheBaseMapStillAnswers)
{
    CDerivedTestDlg dlg;
    LRESULT notifyResult = 0;
    int result = RunModal(
        dlg, {Do([&] {
            SendMessageA(GetDlgItem(dlg.m_hWnd, IDC_BROWSE_ROMDIR), BM_CLICK, 0, 0);
            SendMessageA(GetDlgItem(dlg.m_hWnd, IDC_BROWSE_EMUDIR), BM_CLICK, 0, 0);
            // Nothing handles this command: it is ignored.
            SendMessageA(dlg.m_hWnd, WM_COMMAND, 4242, 0);
            // A menu's command (code 0) and an accelerator's (code 1, no control).
            SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_ABOUT_ABOUT, 0), 0);
            SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_ABOUT_ABOUT, 1), 0);
            NMHDR header = {GetDlgItem(dlg.m_hWnd, IDC_ROMDIR), IDC_ROMDIR, (UINT)NM_CLICK};
            notifyResult = SendMessageA(dlg.m_hWnd, WM_NOTIFY, IDC_ROMDIR, (LPARAM)&header);
            // The handler calls the default processing, which
            // turns the close message into Cancel.
            PostMessageA(dlg.m_hWnd, WM_CLOSE, 0, 0);
        })});

    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"base rom", "derived emu", "about", "about",
                                                   "notify 1009", "close"}));
    EXPECT_EQ(notifyResult, 7);
    EXPECT_EQ(result, IDCANCEL);
}

// A number, a string and a check box, exchanged with the launcher template's
// controls. (From members to controls, and the check box's range, the
// launcher's own tests show them.)
class CExchangeDlg : public CDialog
{
public:
    CExchangeDlg() : CDialog(IDD_LAUNCHER_DIALOG) {}
    int m_number = 99;
    CString m_text = "some text";
    int m_check = 0;
    CComboBox m_combo;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_WINDOW_SIZE, m_combo);
        DDX_Text(pDX, IDC_AUDIO_VALUE, m_number);
        DDX_Text(pDX, IDC_VOICE_VALUE, m_text);
        DDX_Check(pDX, IDC_FULLSCREEN, m_check);
    }
};

TEST(DataExchange, ReadsControlsWithTheLibrarysRules)
{
    CExchangeDlg dlg;
    std::vector<std::string> complaint;
    BOOL bParsed = TRUE;
    RunModal(dlg, {Do([&] {
                       // Blanks around a number are fine, empty text is 0, the box reads as 1.
                       SetDlgItemTextA(dlg.m_hWnd, IDC_AUDIO_VALUE, " 17 ");
                       SetDlgItemTextA(dlg.m_hWnd, IDC_VOICE_VALUE, "");
                       CheckDlgButton(dlg.m_hWnd, IDC_FULLSCREEN, BST_CHECKED);
                       EXPECT_TRUE(dlg.UpdateData(TRUE));
                       EXPECT_EQ(dlg.m_number, 17);
                       EXPECT_EQ(Str(dlg.m_text), "");
                       EXPECT_EQ(dlg.m_check, 1);
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

TEST(ModalRun, OpensCentredOnTheScreenAndOverItsOwner)
{
    CExchangeDlg main;
    AfxGetApp()->m_pMainWnd = &main;
    RECT mainRect = {}, ownedRect = {}, area = {};
    RunModal(
        main,
        {Do([&] {
             GetWindowRect(main.m_hWnd, &mainRect);
             CDialog owned(IDD_ABOUTBOX);
             RunModal(owned, {Do([&] { GetWindowRect(owned.m_hWnd, &ownedRect); }), End(owned)});
         }),
         End(main)});
    AfxGetApp()->m_pMainWnd = NULL;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((mainRect.left + mainRect.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((mainRect.top + mainRect.bottom) / 2, (area.top + area.bottom) / 2, 1);
    EXPECT_NEAR((ownedRect.left + ownedRect.right) / 2, (mainRect.left + mainRect.right) / 2, 1);
    EXPECT_NEAR((ownedRect.top + ownedRect.bottom) / 2, (mainRect.top + mainRect.bottom) / 2, 1);
}

TEST(String, FormatsAndHandsOutAWritableBuffer)
{
    CString s;
    std::string longText(5000, 'x');
    s.Format("%s|%d|%s", "a", -7, longText.c_str());
    EXPECT_EQ(s.GetLength(), 5005);
    EXPECT_EQ(std::string(s), "a|-7|" + longText);
    // Text passed as an argument is never read as a format.
    s.Format("%s", "%s%n%d");
    EXPECT_EQ(std::string(s), "%s%n%d");

    CString buffer;
    lstrcpyA(buffer.GetBuffer(10), "abc");
    buffer.ReleaseBuffer();
    EXPECT_EQ(std::string(buffer), "abc");
    EXPECT_EQ(std::string(buffer + "\\" + "d"), "abc\\d");
}

} // namespace
