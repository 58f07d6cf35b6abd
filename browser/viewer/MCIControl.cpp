#include "MCIControl.h"
#include <vfw.h>
#include <algorithm>
#include "AppFrame.h"

int MusicVolumeUnits(double percent)
{
    const double units = percent * 10;
    if (!(units > 0))
        return 0;
    return units >= 1000 ? 1000 : static_cast<int>(units);
}

CMCIControl::~CMCIControl()
{
    Close();
}

bool CMCIControl::Create(CWnd* parent)
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        return true;
    // No error box of its own: a tune that cannot be opened is reported once by the viewer, and a
    // modal box would stop the slide show behind it.
    m_hWnd = MCIWndCreateW(parent ? parent->GetSafeHwnd() : nullptr, AfxGetInstanceHandle(),
                           WS_CHILD | WS_VISIBLE | MCIWNDF_NOPLAYBAR | MCIWNDF_NOMENU | MCIWNDF_NOTIFYMODE | MCIWNDF_NOTIFYSIZE |
                               MCIWNDF_NOERRORDLG,
                           nullptr);
    if (m_hWnd)
        ::SetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(::GetStockObject(BLACK_BRUSH)));
    return m_hWnd != nullptr;
}

long CMCIControl::Mode() const
{
    return m_hWnd ? static_cast<long>(::SendMessageW(m_hWnd, MCIWNDM_GETMODEW, 0, 0)) : 0;
}

bool CMCIControl::OpenAndPlay(const wchar_t* path)
{
    if (!m_hWnd || !path || !*path)
        return false;
    Stop();
    if (::SendMessageW(m_hWnd, MCIWNDM_OPENW, 0, reinterpret_cast<LPARAM>(path)) != 0)
        return false;
    m_bOpened = true;
    ::SendMessageW(m_hWnd, MCI_SEEK, 0, MCIWND_START);
    ::SendMessageW(m_hWnd, MCI_PLAY, 0, 0);
    return true;
}

void CMCIControl::Play()
{
    const long mode = Mode();
    if (mode == MCI_MODE_PAUSE)
        ::SendMessageW(m_hWnd, MCI_RESUME, 0, 0);
    else if (mode == MCI_MODE_STOP)
        ::SendMessageW(m_hWnd, MCI_PLAY, 0, 0);
}

void CMCIControl::Pause()
{
    if (Mode() == MCI_MODE_PLAY)
        ::SendMessageW(m_hWnd, MCI_PAUSE, 0, 0);
}

void CMCIControl::Stop()
{
    m_bOpened = false;
    const long mode = Mode();
    if ((mode == MCI_MODE_PLAY || mode == MCI_MODE_PAUSE) && ::SendMessageW(m_hWnd, MCI_STOP, 0, 0) == 0)
        ::SendMessageW(m_hWnd, MCI_SEEK, 0, MCIWND_START);
}

void CMCIControl::SetVolume(double percent)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, MCIWNDM_SETVOLUME, 0, MusicVolumeUnits(percent));
}

void CMCIControl::Close()
{
    if (!m_hWnd)
        return;
    Stop();
    if (::IsWindow(m_hWnd))
        ::SendMessageW(m_hWnd, MCI_CLOSE, 0, 0);
    m_hWnd = nullptr;
}
