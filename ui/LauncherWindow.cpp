#include "core/LauncherDlg.h"
#include "o2em/LaunchWatch.h"

BEGIN_MESSAGE_MAP(CLauncherDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_COMMAND(ID_SETTINGS_DIRECTORIES, OnDirectories)
ON_BN_CLICKED(IDC_FULLSCREEN, OnFullScreen)
ON_EN_CHANGE(IDC_AUDIO_VALUE, OnChangeAudioValue)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_AUDIO_SLIDER, OnReleasedCaptureAudioSlider)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_VOICE_SLIDER, OnReleasedCaptureVoiceSlider)
ON_BN_CLICKED(IDC_SCANLINES, OnScanlines)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SPEED_SLIDER, OnReleasedCaptureSpeedSlider)
ON_BN_CLICKED(IDC_NOSOUND, OnNoSound)
ON_BN_CLICKED(IDC_NOVOICE, OnNoVoice)
ON_BN_CLICKED(IDC_NOLIMIT, OnNoLimit)
ON_BN_CLICKED(IDC_DEBUG, OnDebug)
ON_NOTIFY(NM_DBLCLK, IDC_ROM_TREE, OnDblClkRomTree)
ON_BN_CLICKED(IDC_LAUNCH, LaunchSelected)
ON_COMMAND(ID_ABOUT_ABOUT, OnAbout)
ON_WM_CLOSE()
ON_COMMAND(ID_FILE_QUIT, OnQuit)
ON_MESSAGE(WM_LAUNCH_WATCH_ENDED, OnLaunchWatchEnded)
ON_WM_DESTROY()
END_MESSAGE_MAP()

void CLauncherDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STICK2, m_stick2Combo);
    DDX_Control(pDX, IDC_STICK1, m_stick1Combo);
    DDX_Control(pDX, IDC_SPEED_SLIDER, m_speedSlider);
    DDX_Control(pDX, IDC_VOICE_SLIDER, m_voiceSlider);
    DDX_Control(pDX, IDC_AUDIO_SLIDER, m_audioSlider);
    DDX_Control(pDX, IDC_WINDOW_SIZE, m_windowSizeCombo);
    DDX_Control(pDX, IDC_ROM_TREE, m_romTree);
    DDX_Check(pDX, IDC_FULLSCREEN, m_fullScreen);
    DDX_Check(pDX, IDC_SCANLINES, m_scanlines);
    DDX_Text(pDX, IDC_AUDIO_VALUE, m_audioVolume);
    DDX_Text(pDX, IDC_VOICE_VALUE, m_voiceVolume);
    DDX_Check(pDX, IDC_NOSOUND, m_noSound);
    DDX_Check(pDX, IDC_NOVOICE, m_noVoice);
    DDX_Text(pDX, IDC_SPEED_VALUE, m_speed);
    DDX_Check(pDX, IDC_NOLIMIT, m_noLimit);
    DDX_Check(pDX, IDC_DEBUG, m_debug);
}

static void FillList(CComboBox& list, const LPCTSTR (&items)[4], int selection)
{
    list.InitStorage(4, 20);
    for (int i = 0; i < 4; i++)
        list.InsertString(i, items[i]);
    list.SetCurSel(selection);
}

BOOL CLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    UpdateData(TRUE);
    SetUpRomTree();

    // The defaults, which the settings file then overrides.
    m_romDir = "roms";
    m_emuDir = "";
    static const LPCTSTR windowSizes[4] = {"Tiny (1)", "Normal (2)", "Large (3)", "Giant (4)"};
    static const LPCTSTR sticks[4] = {"Disable", "Right", "Left", "Joystick"};
    FillList(m_windowSizeCombo, windowSizes, 1);
    FillList(m_stick1Combo, sticks, 1);
    FillList(m_stick2Combo, sticks, 2);
    m_audioSlider.SetRange(0, 100, TRUE);
    m_audioSlider.SetPos(100);
    m_audioVolume = 100;
    m_voiceSlider.SetRange(0, 100, TRUE);
    m_voiceSlider.SetPos(100);
    m_voiceVolume = 100;
    m_speedSlider.SetRange(0, 200, TRUE);
    m_speedSlider.SetPos(100);
    m_speed = 100;

    LoadSettings();
    FillRomList();
    UpdateData(FALSE);
    // The focus goes to the first tab stop, the tree, which then selects its first item.
    return TRUE;
}

void CLauncherDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CLauncherDlg::OnQueryDragIcon() { return (HCURSOR)m_hIcon; }

// The auto check boxes flip their own tick; the members follow.
void CLauncherDlg::OnFullScreen() { m_fullScreen = m_fullScreen == 0; }

void CLauncherDlg::OnScanlines() { m_scanlines = m_scanlines == 0; }

void CLauncherDlg::OnNoSound() { m_noSound = m_noSound == 0; }

void CLauncherDlg::OnNoVoice() { m_noVoice = m_noVoice == 0; }

void CLauncherDlg::OnNoLimit() { m_noLimit = m_noLimit == 0; }

void CLauncherDlg::OnDebug() { m_debug = m_debug == 0; }

// The value box only shows the slider's number.
void CLauncherDlg::OnChangeAudioValue() {}

// A slider's setting changes only when it releases the mouse.
void CLauncherDlg::OnReleasedCaptureAudioSlider(NMHDR*, LRESULT* pResult)
{
    m_audioVolume = m_audioSlider.GetPos();
    UpdateData(FALSE);
    *pResult = 0;
}

void CLauncherDlg::OnReleasedCaptureVoiceSlider(NMHDR*, LRESULT* pResult)
{
    m_voiceVolume = m_voiceSlider.GetPos();
    UpdateData(FALSE);
    *pResult = 0;
}

void CLauncherDlg::OnReleasedCaptureSpeedSlider(NMHDR*, LRESULT* pResult)
{
    m_speed = m_speedSlider.GetPos();
    UpdateData(FALSE);
    *pResult = 0;
}

void CLauncherDlg::OnDblClkRomTree(NMHDR*, LRESULT* pResult)
{
    LaunchSelected();
    *pResult = 0;
}

// The close box, the system menu's Close and Alt+F4 save; the default
// processing then turns the message into Cancel, which ends the dialog.
void CLauncherDlg::OnClose()
{
    SaveSettings();
    CDialog::OnClose();
}

// "Quit" ends without saving.
void CLauncherDlg::OnQuit() { EndDialog(0); }
