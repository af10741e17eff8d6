// The class-library stand-in: message maps, data exchange, strings.
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
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestDlg, CDialog)
ON_BN_CLICKED(IDC_BROWSE_ROMDIR, OnBrowseRom)
ON_BN_CLICKED(IDC_BROWSE_EMUDIR, OnBrowseEmu)
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
    RunModal(dlg,
             {Do([&] {
                  SendMessageA(GetDlgItem(dlg.m_hWnd, IDC_BROWSE_ROMDIR), BM_CLICK, 0, 0);
                  SendMessageA(GetDlgItem(dlg.m_hWnd, IDC_BROWSE_EMUDIR), BM_CLICK, 0, 0);
                  // Nothing handles this command: it is ignored.
                  SendMessageA(dlg.m_hWnd, WM_COMMAND, 4242, 0);
                  NMHDR header = {GetDlgItem(dlg.m_hWnd, IDC_ROMDIR), IDC_ROMDIR, (UINT)NM_CLICK};
                  notifyResult = SendMessageA(dlg.m_hWnd, WM_NOTIFY, IDC_ROMDIR, (LPARAM)&header);
              }),
              End(dlg)});

    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"base rom", "derived emu", "notify 1009"}));
    EXPECT_EQ(notifyResult, 7);
}

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

} // namespace
