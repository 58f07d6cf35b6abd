#include "ThreadState.h"
#include "DC.h"
#include "GdiObject.h"
#include "ImageList.h"
#include "Menu.h"
#include "WinApp.h"
#include "Wnd.h"

namespace appframe {

namespace {

// TlsAlloc rather than thread_local: the state is made on first use and freed from DllMain.
DWORD TlsIndex()
{
    static const DWORD index = TlsAlloc();
    return index;
}

// Temporary wrappers never own their handle: it is taken away before the wrapper goes.
template <class T, class Clear> void DeleteAll(TemporaryMap<T>& map, Clear clear)
{
    TemporaryMap<T> objects;
    objects.swap(map);
    for (auto& entry : objects) {
        clear(entry.second);
        delete entry.second;
    }
}

} // namespace

ThreadState& CurrentThread()
{
    auto* state = static_cast<ThreadState*>(TlsGetValue(TlsIndex()));
    if (!state) {
        state = new ThreadState;
        TlsSetValue(TlsIndex(), state);
    }
    return *state;
}

void DeleteTemporaryObjects(ThreadState& state)
{
    DeleteAll(state.windows, [](CWnd* w) { w->m_hWnd = nullptr; });
    DeleteAll(state.dcs, [](CDC* dc) { dc->m_hDC = dc->m_hAttribDC = nullptr; });
    DeleteAll(state.gdiObjects, [](CGdiObject* o) { o->m_hObject = nullptr; });
    DeleteAll(state.menus, [](CMenu* m) { m->m_hMenu = nullptr; });
    DeleteAll(state.imageLists, [](CImageList* l) { l->m_hImageList = nullptr; });
}

void FreeThreadState()
{
    auto* state = static_cast<ThreadState*>(TlsGetValue(TlsIndex()));
    if (!state)
        return;
    DeleteTemporaryObjects(*state);
    if (state->creationHook)
        UnhookWindowsHookEx(state->creationHook);
    delete state;
    TlsSetValue(TlsIndex(), nullptr);
}

HINSTANCE FrameworkModule()
{
    return ThisModule();
}

} // namespace appframe

APPFRAME_API void AfxLockTempMaps()
{
    ++appframe::CurrentThread().tempLocks;
}

APPFRAME_API BOOL AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    appframe::ThreadState& state = appframe::CurrentThread();
    if (state.tempLocks > 0 && --state.tempLocks == 0 && bDeleteTemps) {
        appframe::DeleteTemporaryObjects(state);
        return TRUE;
    }
    return FALSE;
}
