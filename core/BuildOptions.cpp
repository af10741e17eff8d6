#include "core/LauncherDlg.h"

// Each option is left out at its default, so the emulator runs as it does without it.
int CLauncherDlg::BuildOptions()
{
    CString options;
    auto appendNumber = [&options](LPCTSTR format, int value) {
        CString fragment;
        fragment.Format(format, value);
        options += fragment;
    };

    int windowSize = m_windowSizeCombo.GetCurSel() + 1;
    if (windowSize != 2)
        appendNumber(" -wsize=%d", windowSize);
    if (m_fullScreen)
        options += " -fullscreen";
    if (m_scanlines)
        options += " -scanlines";
    if (m_noSound)
        options += " -nosound";
    if (m_noVoice)
        options += " -novoice";
    if (m_audioVolume != 100 && !m_noSound)
        appendNumber(" -svolume=%d", m_audioVolume);
    if (m_voiceVolume != 100 && !m_noVoice)
        appendNumber(" -vvolume=%d", m_voiceVolume);
    if (m_debug)
        options += " -debug";
    if (m_noLimit)
        options += " -nolimit";
    if (m_speed != 100 && !m_noLimit)
        appendNumber(" -speed=%d", m_speed);
    int stick1 = m_stick1Combo.GetCurSel();
    if (stick1 != 1)
        appendNumber(" -s1=%d", stick1);
    int stick2 = m_stick2Combo.GetCurSel();
    if (stick2 != 2)
        appendNumber(" -s2=%d", stick2);

    m_options = options;
    return 1;
}
