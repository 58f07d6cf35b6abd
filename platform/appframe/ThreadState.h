#pragma once
// Per-thread state of the framework (internal): the window being created, the message being
// handled, the module made current by a ModuleScope, and the temporary wrapper objects that
// FromHandle hands out for handles no object owns.
#include <windows.h>
#include <unordered_map>

class CWnd;
class CDC;
class CGdiObject;
class CMenu;
class CImageList;

namespace appframe {

// The window that CWnd::CreateEx or a dialog is about to create: the creation hook attaches
// the object to the first new window of this class (a name or an atom), which keeps windows
// that the system makes on the side (the input method's) away from it.
struct PendingWindow {
    CWnd* wnd = nullptr;
    const wchar_t* className = nullptr;
};

// The last step of a gesture, from which the next one's change is measured.
struct GestureState {
    POINT point = {};
    ULONGLONG argument = 0;
};

template <class T> using TemporaryMap = std::unordered_map<void*, T*>;

struct ThreadState {
    PendingWindow pending;
    HHOOK creationHook = nullptr;
    int creationDepth = 0;

    GestureState gesture;
    MSG current = {};               // the message AfxWndProc is handling, for CWnd::Default
    HWND notifyLockout = nullptr;   // the window whose control notifications UpdateData holds back
    POINT lastMousePoint = {};      // of the last mouse move, which makes a repeat no activity
    UINT lastMouseMessage = 0;               // the message AfxWndProc is handling, for CWnd::Default
    HINSTANCE module = nullptr;     // made current by a ModuleScope; null: the program

    int tempLocks = 0;
    TemporaryMap<CWnd> windows;
    TemporaryMap<CDC> dcs;
    TemporaryMap<CGdiObject> gdiObjects;
    TemporaryMap<CMenu> menus;
    TemporaryMap<CImageList> imageLists;
};

ThreadState& CurrentThread();
// At thread and process detach: deletes the thread's state and its temporary objects.
void FreeThreadState();
void DeleteTemporaryObjects(ThreadState& state);

// The wrapper of the map for the handle, made by make() on first use.
template <class T, class Make> T* TemporaryObject(TemporaryMap<T>& map, void* handle, Make make)
{
    T*& slot = map[handle];
    if (!slot)
        slot = make();
    return slot;
}

// The framework's own module.
HINSTANCE FrameworkModule();

// Called when a window's object lets go of it: a destroyed main window ends the program's loop.
void MainWindowDestroyed(CWnd* wnd);

} // namespace appframe
