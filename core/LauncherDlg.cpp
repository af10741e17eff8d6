#include "core/LauncherDlg.h"

CLauncherDlg::CLauncherDlg(CWnd* pParent)
    : CDialog(CLauncherDlg::IDD, pParent), m_pWatches(NULL), m_fullScreen(0), m_scanlines(0),
      m_audioVolume(0), m_voiceVolume(0), m_noSound(0), m_noVoice(0), m_speed(0), m_noLimit(0),
      m_debug(0), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME))
{
}
