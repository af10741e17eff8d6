// The launcher window as a user meets it: real controls, real input, real files.
#include "TestSupport.h"
#include "win/ComApartment.h"

#include <shlobj.h>

namespace {

const int kCheckBoxes[] = {IDC_FULLSCREEN, IDC_SCANLINES, IDC_NOSOUND,
                           IDC_NOVOICE,    IDC_NOLIMIT,   IDC_DEBUG};

// The centre of a rectangle of a window's client area, on the screen.
POINT ScreenCenter(HWND hWnd, const RECT& rect)
{
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(hWnd, &point);
    return point;
}

// Where the last mouse message that this thread took from its queue was, and
// when it last came from elsewhere: a drag moves on only once the control has
// had the cursor's last move, however slowly the machine passes input on.
POINT g_lastMouse;
DWORD g_lastMouseMoved;

LRESULT CALLBACK NoteMouse(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION) {
        POINT pt = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
        if (pt.x != g_lastMouse.x || pt.y != g_lastMouse.y)
            g_lastMouseMoved = GetTickCount();
        g_lastMouse = pt;
    }
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}

class LauncherWindowTest : public LauncherTest
{
protected:
    void SetUp() override { MakeFiles(dir / "roms", {"b.bin", "a.bin", "c.bin"}); }
    void TearDown() override { AfxGetApp()->m_pMainWnd = NULL; }
};

TEST_F(LauncherWindowTest, EachSliderSetsItsValueWhenTheMouseReleasesIt)
{
    CLauncherDlg dlg;
    struct Slider
    {
        CSliderCtrl& slider;
        int& value;
        int nValueBox, target;
    };
    const std::vector<Slider> sliders = {
        {dlg.m_audioSlider, dlg.m_audioVolume, IDC_AUDIO_VALUE, 40},
        {dlg.m_voiceSlider, dlg.m_voiceVolume, IDC_VOICE_VALUE, 70},
        {dlg.m_speedSlider, dlg.m_speed, IDC_SPEED_VALUE, 150}};
    POINT grip = {};
    DWORD moved = 0;
    std::vector<Step> steps = {Do([&] { SetForegroundWindow(dlg.m_hWnd); })};
    for (const Slider& s : sliders) {
        steps.push_back(Do([&] {
            RECT thumb;
            s.slider.SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
            MouseDown(grip = ScreenCenter(s.slider.m_hWnd, thumb));
        }));
        // Drag until the thumb sits at the target, one move at a time, each
        // from where the pointer is by the pixels that the values still to go
        // take on the channel.
        // Wine's X11 driver echoes each move of the pointer back as a motion
        // of its own, and on a slow machine the echo of an earlier move may
        // come after a later one and put the thumb back there: the thumb is
        // corrected until it has held still at the target for a while.
        steps.push_back(Until([&] {
            POINT cursor;
            if (!GetCursorPos(&cursor))
                return false;
            if (g_lastMouse.x != cursor.x || g_lastMouse.y != cursor.y) {
                // Under load a move may reach the cursor and never the control:
                // after a while without news, a move of a pixel brings one.
                if (GetTickCount() - std::max(moved, g_lastMouseMoved) >= Scaled(300)) {
                    MouseMove({cursor.x + 1, cursor.y});
                    moved = GetTickCount();
                }
                return false;
            }
            int pos = s.slider.GetPos();
            grip = cursor;
            if (pos == s.target)
                return GetTickCount() - g_lastMouseMoved >= Scaled(300);
            RECT channel;
            s.slider.SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
            int range = (int)(s.slider.SendMessage(TBM_GETRANGEMAX) -
                              s.slider.SendMessage(TBM_GETRANGEMIN));
            int pixels = MulDiv(s.target - pos, channel.right - channel.left, range);
            grip.x += pixels != 0 ? pixels : pos > s.target ? -1 : 1;
            MouseMove(grip);
            moved = GetTickCount();
            return false;
        }));
        steps.push_back(Do([&] {
            // Not yet released: nothing changes.
            EXPECT_EQ(s.value, 100);
            MouseUp(grip);
        }));
        // The thumb lets the mouse go once it has taken the release.
        steps.push_back(Until([&] { return GetCapture() != s.slider.m_hWnd; }));
        steps.push_back(Do([&] {
            EXPECT_EQ(s.value, s.target);
            EXPECT_EQ(s.slider.GetPos(), s.target);
            EXPECT_EQ(ControlText(dlg.m_hWnd, s.nValueBox), std::to_string(s.target));
        }));
    }
    // The keyboard moves the thumb but not the setting.
    steps.push_back(Do([&] {
        SetFocus(dlg.m_speedSlider.m_hWnd);
        PressKey(VK_RIGHT);
    }));
    steps.push_back(Until([&] { return dlg.m_speedSlider.GetPos() == 151; }));
    steps.push_back(Do([&] {
        EXPECT_EQ(dlg.m_speed, 150);
        EXPECT_EQ(ControlText(dlg.m_hWnd, IDC_SPEED_VALUE), "150");
        dlg.EndDialog(0);
    }));
    HHOOK hHook = SetWindowsHookExA(WH_MOUSE, NoteMouse, NULL, GetCurrentThreadId());
    RunModal(dlg, steps);
    UnhookWindowsHookEx(hHook);
}

TEST_F(LauncherWindowTest, EachCheckBoxFlipsItsOwnSettingAndOnlyTheCloseMessageSaves)
{
    struct Ending
    {
        const char* how;
        std::function<void(HWND)> end;
        int result;
        bool saves;
    };
    const std::vector<Ending> endings = {
        {"the close box", [](HWND hDlg) { ClickAt(CloseBoxOf(hDlg)); }, IDCANCEL, true},
        {"Escape", [](HWND) { PressKey(VK_ESCAPE); }, IDCANCEL, false},
        {"File, Quit", [](HWND hDlg) { PostMessageA(hDlg, WM_COMMAND, ID_FILE_QUIT, 0); }, 0,
         false},
    };
    for (const Ending& ending : endings) {
        DeleteFileA((dir / "zorvane.ini").c_str());
        CLauncherDlg dlg;
        // Every box ticked, and the first one again.
        std::vector<Step> steps = {Do([&] { SetForegroundWindow(dlg.m_hWnd); })};
        for (int nID : kCheckBoxes)
            steps.push_back(Do([&dlg, nID] { ClickAt(CenterOf(GetDlgItem(dlg.m_hWnd, nID))); }));
        steps.push_back(Until([&] { return dlg.m_debug == 1; }));
        steps.push_back(Do([&] { ClickAt(CenterOf(GetDlgItem(dlg.m_hWnd, IDC_FULLSCREEN))); }));
        steps.push_back(Until([&] { return dlg.m_fullScreen == 0; }));
        steps.push_back(Do([&] {
            EXPECT_FALSE(IsDlgButtonChecked(dlg.m_hWnd, IDC_FULLSCREEN));
            ending.end(dlg.m_hWnd);
        }));
        EXPECT_EQ(RunModal(dlg, steps), ending.result) << ending.how;
        for (BOOL flag :
             {dlg.m_scanlines, dlg.m_noSound, dlg.m_noVoice, dlg.m_noLimit, dlg.m_debug})
            EXPECT_EQ(flag, 1) << ending.how;
        EXPECT_EQ(Contains(SettingsLines(), "SCANLINES=1"), ending.saves) << ending.how;
    }
}

TEST_F(LauncherWindowTest, EnterAButtonClickAndADoubleClickLaunchTheSelectedRom)
{
    StandInEmulator emulator(dir / "emu");
    WriteSettings("[SETTINGS]\r\nEMU_DIR=" + dir / "emu" + "\r\n");
    CLauncherDlg dlg;
    auto launched = [&](size_t count) {
        return Until([&, count] { return emulator.Launches().size() >= count; });
    };
    HWND& hTree = dlg.m_romTree.m_hWnd;
    RunModal(dlg, {Do([&] { SetForegroundWindow(dlg.m_hWnd); }), Do([] { PressKey(VK_RETURN); }),
                   launched(1), Do([&] {
                       SelectTreeItem(hTree, "c.bin");
                       ClickAt(CenterOf(GetDlgItem(dlg.m_hWnd, IDC_LAUNCH)));
                   }),
                   launched(2), Do([&] {
                       RECT item;
                       TreeView_GetItemRect(hTree,
                                            TreeView_GetNextSibling(hTree, TreeView_GetRoot(hTree)),
                                            &item, TRUE);
                       ClickAt(ScreenCenter(hTree, item), true);
                   }),
                   launched(3), End(dlg)});
    std::vector<Launch> launches = emulator.Launches();
    ASSERT_EQ(launches.size(), 3u);
    for (size_t i = 0; i < launches.size(); i++) {
        EXPECT_EQ(launches[i].commandLine, "o2em \"" + dir / "roms\\" + "acb"[i] + ".bin\" ");
        EXPECT_EQ(launches[i].directory, dir / "emu");
        EXPECT_TRUE(launches[i].romFound);
    }
}

// Opens a folder picker with its "..." button and chooses a folder (a UTF-8
// path), or cancels for none; beforeOk runs once the folder is selected.
std::vector<Step> Browse(
    int nButton, const std::string& folder, std::function<void()> beforeOk = [] {})
{
    return {OnDialog("Settings",
                     [nButton](HWND hSettings) {
                         PostMessageA(hSettings, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                                      (LPARAM)GetDlgItem(hSettings, nButton));
                     }),
            Until([folder, nButton, beforeOk] {
                HWND hPicker = GetActiveWindow();
                if (hPicker == NULL || WindowText(hPicker) == "Settings" ||
                    WindowText(hPicker) == "Zorvane V0.1b")
                    return false;
                EXPECT_TRUE(Contains(StaticTexts(hPicker), nButton == IDC_BROWSE_ROMDIR
                                                               ? "Select the Roms Directory"
                                                               : "Select the O2em Directory"));
                if (folder.empty()) {
                    PostMessageA(hPicker, WM_COMMAND, IDCANCEL, 0);
                    return true;
                }
                // The picker takes the selection once its tree is filled.
                SendMessageW(hPicker, BFFM_SETSELECTIONW, TRUE, (LPARAM)Wide(folder).c_str());
                HWND hTree = FindWindowExA(hPicker, NULL, WC_TREEVIEWA, NULL);
                if (SelectedTreeItem(hTree) != folder.substr(folder.find_last_of('\\') + 1))
                    return false;
                beforeOk();
                PostMessageA(hPicker, WM_COMMAND, IDOK, 0);
                return true;
            })};
}

Step Type(int nID, const char* text)
{
    return OnDialog("Settings", [nID, text](HWND h) { SetDlgItemTextA(h, nID, text); });
}

Step Press(int nKey)
{
    return OnDialog("Settings", [nKey](HWND h) {
        SetForegroundWindow(h);
        PressKey(nKey);
    });
}

TEST_F(LauncherWindowTest, TheDirectoriesDialogEditsBothDirectoriesAndTheListFollows)
{
    MakeFiles(dir / "other", {"x.bin"});
    // Folders the code page cannot spell: the box gets each such name's short
    // alias, which the ANSI calls open.
    const std::string lodz = dir / u8"\u0141\u00f3d\u017a roms", nihon = dir / u8"\u65e5\u672c emu";
    MakeFiles(lodz, {"y.bin"});
    MakeFiles(nihon, {});
    const std::string gone = dir / u8"\u0141\u00f3d\u017a gone";
    MakeFiles(gone, {});
    WriteSettings("[SETTINGS]\r\nEMU_DIR=C:\\old emu\r\n");
    const std::vector<std::string> roms = {"a.bin", "b.bin", "c.bin"}, other = {"x.bin"};
    const std::string old = "C:\\old emu";
    std::vector<std::string> message;
    HWND owner = NULL;
    struct Case
    {
        const char* what;
        std::string romDir, emuDir;
        std::vector<std::string> items;
        std::vector<std::vector<Step>> steps;
    };
    const Step ok = OnDialog("Settings", [](HWND h) { ClickAt(CenterOf(GetDlgItem(h, IDOK))); });
    const std::vector<Case> cases = {
        {"OK unchanged", "roms", old, roms, {{ok}}},
        {"typed, Enter", "other", old, other, {{Type(IDC_ROMDIR, "other"), Press(VK_RETURN)}}},
        {"typed, Escape", "roms", old, roms, {{Type(IDC_ROMDIR, "other"), Press(VK_ESCAPE)}}},
        // A browsed folder, and what was typed before it, survive Escape.
        {"browsed, Escape",
         "other",
         dir / "other",
         other,
         {{Type(IDC_ROMDIR, "other")},
          Browse(IDC_BROWSE_EMUDIR, dir / "other"),
          {Press(VK_ESCAPE)}}},
        {"picker cancelled",
         "roms",
         old,
         roms,
         {Browse(IDC_BROWSE_ROMDIR, ""), {Press(VK_ESCAPE)}}},
        {"picked outside the code page",
         dir / ShortName(lodz),
         dir / ShortName(nihon),
         {"y.bin"},
         {Browse(IDC_BROWSE_ROMDIR, lodz), Browse(IDC_BROWSE_EMUDIR, nihon), {ok}}},
        // A folder with no short name (here: gone once picked) is refused, and
        // the box keeps what was typed.
        {"picked without a short name",
         "roms",
         old,
         roms,
         {{Type(IDC_ROMDIR, "typed")},
          Browse(IDC_BROWSE_ROMDIR, gone, [&] { RemoveDirectoryW(Wide(gone).c_str()); }),
          {CloseMessageBox(MSG_CAPTION_LAUNCHER_ERROR, message, &owner),
           OnDialog("Settings",
                    [&](HWND h) {
                        EXPECT_EQ(owner, h);
                        EXPECT_EQ(ControlText(h, IDC_ROMDIR), "typed");
                        EXPECT_EQ(ControlText(h, IDC_EMUDIR), old);
                    }),
           Press(VK_ESCAPE)}}}};
    for (const Case& c : cases) {
        CLauncherDlg dlg;
        AfxGetApp()->m_pMainWnd = &dlg;
        std::vector<std::string> items;
        std::vector<Step> steps = {
            Do([&] { PostMessageA(dlg.m_hWnd, WM_COMMAND, ID_SETTINGS_DIRECTORIES, 0); }),
            OnDialog("Settings", [&](HWND hSettings) {
                EXPECT_EQ(GetWindow(hSettings, GW_OWNER), dlg.m_hWnd);
                EXPECT_FALSE(IsWindowEnabled(dlg.m_hWnd));
                EXPECT_EQ(ControlText(hSettings, IDC_ROMDIR), "roms");
                EXPECT_EQ(ControlText(hSettings, IDC_EMUDIR), old);
            })};
        for (const std::vector<Step>& part : c.steps)
            steps.insert(steps.end(), part.begin(), part.end());
        steps.push_back(Until([&] { return FindDialog("Settings") == NULL; }));
        steps.push_back(Do([&] {
            items = TreeItems(dlg.m_romTree.m_hWnd);
            dlg.EndDialog(0);
        }));
        RunModal(dlg, steps);
        EXPECT_EQ(Str(dlg.m_romDir), c.romDir) << c.what;
        EXPECT_EQ(Str(dlg.m_emuDir), c.emuDir) << c.what;
        EXPECT_EQ(items, c.items) << c.what;
    }
    EXPECT_EQ(message, std::vector<std::string>{Formatted(MSG_FOLDER_NAME_UNSPELLABLE, gone)});
}

// The controls of a launcher opened with no settings file.
void ExpectTheDefaults(CLauncherDlg& dlg)
{
    HWND hDlg = dlg.m_hWnd;
    EXPECT_EQ(ControlText(hDlg, IDC_WINDOW_SIZE), "Normal (2)");
    EXPECT_EQ(ControlText(hDlg, IDC_STICK1), "Right");
    EXPECT_EQ(ControlText(hDlg, IDC_STICK2), "Left");
    for (int nID : kCheckBoxes)
        EXPECT_FALSE(IsDlgButtonChecked(hDlg, nID)) << nID;
    for (int nID : {IDC_AUDIO_VALUE, IDC_VOICE_VALUE, IDC_SPEED_VALUE})
        EXPECT_EQ(ControlText(hDlg, nID), "100");
    for (CSliderCtrl* slider : {&dlg.m_audioSlider, &dlg.m_voiceSlider, &dlg.m_speedSlider})
        EXPECT_EQ(slider->GetPos(), 100);
    EXPECT_EQ(SendDlgItemMessageA(hDlg, IDC_SPEED_SLIDER, TBM_GETRANGEMAX, 0, 0), 200);
    EXPECT_EQ(TreeItems(dlg.m_romTree.m_hWnd),
              (std::vector<std::string>{"a.bin", "b.bin", "c.bin"}));
    EXPECT_EQ(SelectedTreeItem(dlg.m_romTree.m_hWnd), "a.bin");
    EXPECT_EQ(GetFocus(), dlg.m_romTree.m_hWnd);
    for (LRESULT icon :
         {dlg.SendMessage(WM_GETICON, ICON_BIG), dlg.SendMessage(WM_GETICON, ICON_SMALL),
          dlg.SendMessage(WM_QUERYDRAGICON)})
        EXPECT_EQ(icon, (LRESULT)dlg.m_hIcon);
}

void ExpectCentredOn(HWND hWnd, POINT center)
{
    EXPECT_NEAR(CenterOf(hWnd).x, center.x, 1);
    EXPECT_NEAR(CenterOf(hWnd).y, center.y, 1);
}

TEST_F(LauncherWindowTest, OpensCentredWithTheDefaultsWhichTheAboutBoxLeavesAsTheyAre)
{
    CLauncherDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    std::vector<std::string> texts;
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RunModal(dlg, {Do([&] {
                       ExpectCentredOn(dlg.m_hWnd, {(area.left + area.right) / 2,
                                                    (area.top + area.bottom) / 2});
                       ExpectTheDefaults(dlg);
                       dlg.m_speed = 55;
                       // As an accelerator sends it: code 1, no control.
                       PostMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_ABOUT_ABOUT, 1), 0);
                   }),
                   OnDialog("The About box",
                            [&](HWND hAbout) {
                                texts = StaticTexts(hAbout);
                                EXPECT_EQ(GetWindow(hAbout, GW_OWNER), dlg.m_hWnd);
                                ExpectCentredOn(hAbout, CenterOf(dlg.m_hWnd));
                                ClickAt(CenterOf(GetDlgItem(hAbout, IDOK)));
                            }),
                   Until([] { return FindDialog("The About box") == NULL; }), Do([&] {
                       EXPECT_EQ(SelectedTreeItem(dlg.m_romTree.m_hWnd), "a.bin");
                       EXPECT_FALSE(FileExists(dir / "zorvane.ini"));
                       dlg.SaveSettings();
                       dlg.EndDialog(0);
                   })});
    EXPECT_TRUE(Contains(texts, "Zorvane v0.1b"));
    EXPECT_TRUE(Contains(texts, "Release Date 06/20/2002"));
    // Every setting in the file's order, as it was before the About box.
    EXPECT_EQ(SettingsLines(),
              (std::vector<std::string>{"[SETTINGS]", "ROMS_DIR=roms", "EMU_DIR=", "DEBUG=0",
                                        "NOAUDIO=0", "NOVOICE=0", "SCANLINES=0", "FULLSCREEN=0",
                                        "SPEEDLIMITER=0", "AUDIO=100", "VOICE=100", "SPEED=55",
                                        "WINDOW=1", "STICK1=1", "STICK2=2"}));
}

// CoInitializeEx for the multithreaded model: RPC_E_CHANGED_MODE where this
// thread has COM apartment-threaded, S_OK where it has none (taken down again).
HRESULT TryMultithreadedCom()
{
    HRESULT hr = CoInitializeEx(NULL, COINIT_MULTITHREADED);
    if (SUCCEEDED(hr))
        CoUninitialize();
    return hr;
}

// What the launcher's thread has of COM when it opens, and once F1 has asked
// the shell for the guide (whose box says that it is not beside the program).
HRESULT g_comAtOpening = E_PENDING, g_comForTheGuide = E_PENDING;

void CALLBACK CheckComAndQuit(HWND, UINT, UINT_PTR, DWORD)
{
    CWnd* pLauncher = AfxGetMainWnd();
    if (pLauncher == NULL || pLauncher->m_hWnd == NULL || g_comForTheGuide != E_PENDING)
        return;
    if (g_comAtOpening == E_PENDING) {
        g_comAtOpening = TryMultithreadedCom();
        PostMessageA(pLauncher->m_hWnd, WM_COMMAND, ID_HELP, 0);
        return;
    }
    HWND hBox = FindDialog(AfxGetApp()->m_pszAppName);
    if (hBox == NULL)
        return;
    g_comForTheGuide = TryMultithreadedCom();
    EndDialog(hBox, IDOK);
    PostMessageA(pLauncher->m_hWnd, WM_COMMAND, ID_FILE_QUIT, 0);
}

// The program as it runs: the application object's InitInstance. COM is set
// up apartment-threaded for the shell, which the guide's viewer and the folder
// pickers may reach, only once one of them is asked for: the program's start
// does not pay for it.
TEST_F(LauncherWindowTest, TheApplicationSetsUpComApartmentThreadedOnlyForTheShell)
{
    // The folder pickers of the tests before may have set it up on this thread.
    LeaveComApartment();
    ASSERT_EQ(TryMultithreadedCom(), S_OK);
    UINT_PTR timer = SetTimer(NULL, 0, 20, CheckComAndQuit);
    EXPECT_FALSE(AfxGetApp()->InitInstance());
    KillTimer(NULL, timer);
    // The dialog is gone: the application no longer points at it.
    EXPECT_EQ(AfxGetMainWnd(), (CWnd*)NULL);
    EXPECT_EQ(g_comAtOpening, S_OK);
    EXPECT_EQ(g_comForTheGuide, RPC_E_CHANGED_MODE);
    // Taken down again when the program ends.
    EXPECT_EQ(TryMultithreadedCom(), S_OK);
}

} // namespace
