#pragma once
// The slide show's background music. The viewer frame plays its list through this interface:
// CMCIControl over an MCI window is the real player; tests put a fake in its place. When a tune
// ends, the player's window sends the frame MCIWNDM_NOTIFYMODE with MCI_MODE_STOP (a fake sends
// the same), and the frame moves on to the next tune.
#include <windows.h>

class CWnd;

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    // Makes the player's window under the parent, which hears when a tune stops; true when
    // there is one.
    virtual bool Create(CWnd* parent) = 0;
    // Stops what plays, opens the file and plays it from the start; false without a window,
    // with an empty path, or when the file cannot be opened (no sound device under Wine).
    virtual bool OpenAndPlay(const wchar_t* path) = 0;
    // Resumes when paused, starts when stopped.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // In percent; see MusicVolumeUnits.
    virtual void SetVolume(double percent) = 0;
    virtual void Close() = 0;
    virtual bool IsOpened() const = 0;
    virtual bool HasWindow() const = 0;
};

// The MCI volume of a percentage: tenths of a percent, truncated, within 0 to 1000.
int MusicVolumeUnits(double percent);
