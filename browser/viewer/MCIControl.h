#pragma once
// CMCIControl: the background music on an MCI window (no play bar, no menu), which tells its
// parent of every change of mode.
#include "MusicPlayer.h"

class CMCIControl : public MusicPlayer {
public:
    CMCIControl() = default;
    ~CMCIControl() override;
    CMCIControl(const CMCIControl&) = delete;
    CMCIControl& operator=(const CMCIControl&) = delete;

    bool Create(CWnd* parent) override;
    bool OpenAndPlay(const wchar_t* path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void SetVolume(double percent) override;
    void Close() override;
    bool IsOpened() const override { return m_bOpened; }
    bool HasWindow() const override { return m_hWnd != nullptr; }

private:
    long Mode() const;

    HWND m_hWnd = nullptr; // a child of the parent, destroyed with it or by Close
    bool m_bOpened = false;
};
