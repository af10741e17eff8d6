// The launcher dialog: the ROM list on the left, the emulator's options on the right.
// Its members hold the launch settings; the three list values live only in the
// lists' current selections.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "resource.h"

class CLaunchWatch;

class CLauncherDlg : public CDialog
{
public:
    explicit CLauncherDlg(CWnd* pParent = NULL);

    enum
    {
        IDD = IDD_LAUNCHER_DIALOG
    };

    // Rebuilds m_options from the current settings; returns 1.
    int BuildOptions();
    // Starts the emulator on the selected ROM in the emulator directory.
    afx_msg void LaunchSelected();
    // Reads zorvane.ini in the current directory over the settings; returns 1.
    int LoadSettings();
    // Writes the fourteen settings to zorvane.ini in the current directory.
    void SaveSettings();
    // Lists the ROM directory's *.bin entries in the tree, sorted; returns 1.
    int FillRomList();
    // Shows a launch error (in UTF-8) in a box over the dialog, one at a time:
    // one that comes while another is shown waits for it, and one that is
    // shown or waiting already is not repeated.
    void ShowLaunchError(const CString& message);

    CString m_emuDir;
    CString m_options;
    CImageList m_imageList;
    CString m_romDir;
    CComboBox m_stick2Combo;
    CComboBox m_stick1Combo;
    CSliderCtrl m_speedSlider;
    CSliderCtrl m_voiceSlider;
    CSliderCtrl m_audioSlider;
    CComboBox m_windowSizeCombo;
    CTreeCtrl m_romTree;
    // The names under which the ANSI calls open the listed files whose own names
    // the code page cannot spell: their short aliases, "" where there is none.
    // An item's data is 1 + its index here, or 0 where its text opens the file.
    CStringArray m_romAliases;
    // The emulators started in the last seconds, watched for a stop at once.
    CLaunchWatch* m_pWatches;
    // The launch errors shown, or waiting to be, while a box is open.
    CStringArray m_launchErrors;
    BOOL m_fullScreen;
    BOOL m_scanlines;
    int m_audioVolume;
    int m_voiceVolume;
    BOOL m_noSound;
    BOOL m_noVoice;
    int m_speed;
    BOOL m_noLimit; // on: the speed limiter is switched off
    BOOL m_debug;
    HICON m_hIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The tree's image list and colours.
    void SetUpRomTree();
    // Watches an emulator started with this command line, ROM path and options
    // in the current directory; takes over its process handle.
    void WatchLaunch(HANDLE hProcess, LPCTSTR pszCommandLine, LPCTSTR pszRomPath);

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnDirectories();
    afx_msg void OnFullScreen();
    afx_msg void OnChangeAudioValue();
    afx_msg void OnReleasedCaptureAudioSlider(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnReleasedCaptureVoiceSlider(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnScanlines();
    afx_msg void OnReleasedCaptureSpeedSlider(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNoSound();
    afx_msg void OnNoVoice();
    afx_msg void OnNoLimit();
    afx_msg void OnDebug();
    afx_msg void OnDblClkRomTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAbout();
    afx_msg void OnClose();
    afx_msg void OnQuit();
    afx_msg LRESULT OnLaunchWatchEnded(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
