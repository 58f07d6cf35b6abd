#pragma once
// Message-map entries of window messages (ON_WM_...), with the thunks that unpack each
// message into its handler's arguments. Included by Wnd.h.

// The old single colour message, the map's key for all WM_CTLCOLOR... messages.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

namespace appframe {
namespace msg {

inline CWnd* Wnd(WPARAM w) { return CWnd::FromHandle(reinterpret_cast<HWND>(w)); }
inline CWnd* Wnd(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }
inline CPoint Point(LPARAM l) { return CPoint(l); }

// A thunk per handler shape: F's signature must be Sig, the body calls it as CALL.
#define APPFRAME_THUNK(Name, Sig, CALL) \
    template <class T, auto F> LRESULT Name(CCmdTarget* target, const AFX_MSGCALL& m) \
    { \
        CheckHandler<Sig, F>(); \
        T* t = static_cast<T*>(target); \
        (void)m; \
        CALL; \
    }

APPFRAME_THUNK(Void, void(), (t->*F)(); return 0)
APPFRAME_THUNK(Create, int(LPCREATESTRUCT), return (t->*F)(reinterpret_cast<LPCREATESTRUCT>(m.lParam)))
APPFRAME_THUNK(Activate, void(UINT, CWnd*, BOOL),
               (t->*F)(LOWORD(m.wParam), Wnd(m.lParam), HIWORD(m.wParam) != 0); return 0)
APPFRAME_THUNK(MDIActivate, void(BOOL, CWnd*, CWnd*),
               (t->*F)(reinterpret_cast<HWND>(m.lParam) == t->m_hWnd, Wnd(m.lParam), Wnd(m.wParam)); return 0)
APPFRAME_THUNK(Size, void(UINT, int, int),
               (t->*F)(static_cast<UINT>(m.wParam), (short)LOWORD(m.lParam), (short)HIWORD(m.lParam)); return 0)
APPFRAME_THUNK(Sizing, void(UINT, LPRECT), (t->*F)(static_cast<UINT>(m.wParam), reinterpret_cast<LPRECT>(m.lParam)); return TRUE)
APPFRAME_THUNK(Timer, void(UINT_PTR), (t->*F)(static_cast<UINT_PTR>(m.wParam)); return 0)
APPFRAME_THUNK(EraseBkgnd, BOOL(CDC*), return (t->*F)(CDC::FromHandle(reinterpret_cast<HDC>(m.wParam))))
APPFRAME_THUNK(NcHitTest, LRESULT(CPoint), return (t->*F)(Point(m.lParam)))
APPFRAME_THUNK(NcCalcSize, void(BOOL, NCCALCSIZE_PARAMS*),
               (t->*F)(static_cast<BOOL>(m.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(m.lParam)); return 0)
APPFRAME_THUNK(WindowPos, void(WINDOWPOS*), (t->*F)(reinterpret_cast<WINDOWPOS*>(m.lParam)); return 0)
APPFRAME_THUNK(ShowWindow, void(BOOL, UINT), (t->*F)(static_cast<BOOL>(m.wParam), static_cast<UINT>(m.lParam)); return 0)
APPFRAME_THUNK(Focus, void(CWnd*), (t->*F)(Wnd(m.wParam)); return 0)
APPFRAME_THUNK(Key, void(UINT, UINT, UINT),
               (t->*F)(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)); return 0)
APPFRAME_THUNK(Mouse, void(UINT, CPoint), (t->*F)(static_cast<UINT>(m.wParam), Point(m.lParam)); return 0)
APPFRAME_THUNK(MouseWheel, BOOL(UINT, short, CPoint),
               return (t->*F)(LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)), Point(m.lParam)))
APPFRAME_THUNK(SetCursor, BOOL(CWnd*, UINT, UINT), return (t->*F)(Wnd(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
APPFRAME_THUNK(ContextMenu, void(CWnd*, CPoint), (t->*F)(Wnd(m.wParam), Point(m.lParam)); return 0)
APPFRAME_THUNK(Scroll, void(UINT, UINT, CScrollBar*),
               (t->*F)(LOWORD(m.wParam), HIWORD(m.wParam), ScrollBarFromHandle(reinterpret_cast<HWND>(m.lParam))); return 0)
APPFRAME_THUNK(DropFiles, void(HDROP), (t->*F)(reinterpret_cast<HDROP>(m.wParam)); return 0)
// WM_CTLCOLORBTN ... WM_CTLCOLORSTATIC arrive as one entry; the kind is CTLCOLOR_BTN ...
APPFRAME_THUNK(CtlColor, HBRUSH(CDC*, CWnd*, UINT),
               return reinterpret_cast<LRESULT>((t->*F)(CDC::FromHandle(reinterpret_cast<HDC>(m.wParam)), Wnd(m.lParam),
                                                          m.message - WM_CTLCOLORMSGBOX)))
APPFRAME_THUNK(QueryDragIcon, HCURSOR(), return reinterpret_cast<LRESULT>((t->*F)()))
APPFRAME_THUNK(SysCommand, void(UINT, LPARAM), (t->*F)(static_cast<UINT>(m.wParam), m.lParam); return 0)
APPFRAME_THUNK(DeviceChange, BOOL(UINT, DWORD_PTR), return (t->*F)(static_cast<UINT>(m.wParam), static_cast<DWORD_PTR>(m.lParam)))
APPFRAME_THUNK(PowerBroadcast, UINT(UINT, LPARAM), return (t->*F)(static_cast<UINT>(m.wParam), m.lParam))
APPFRAME_THUNK(InitDialog, BOOL(), return (t->*F)())

#undef APPFRAME_THUNK

} // namespace msg
} // namespace appframe

#define APPFRAME_WM_ENTRY(message, thunk, fn) APPFRAME_ENTRY(message, 0, 0, 0, thunk, fn)

#define ON_WM_CREATE() APPFRAME_WM_ENTRY(WM_CREATE, Create, OnCreate)
#define ON_WM_DESTROY() APPFRAME_WM_ENTRY(WM_DESTROY, Void, OnDestroy)
#define ON_WM_NCDESTROY() APPFRAME_WM_ENTRY(WM_NCDESTROY, Void, OnNcDestroy)
#define ON_WM_CLOSE() APPFRAME_WM_ENTRY(WM_CLOSE, Void, OnClose)
#define ON_WM_ACTIVATE() APPFRAME_WM_ENTRY(WM_ACTIVATE, Activate, OnActivate)
#define ON_WM_MDIACTIVATE() APPFRAME_WM_ENTRY(WM_MDIACTIVATE, MDIActivate, OnMDIActivate)
#define ON_WM_SIZE() APPFRAME_WM_ENTRY(WM_SIZE, Size, OnSize)
#define ON_WM_SIZING() APPFRAME_WM_ENTRY(WM_SIZING, Sizing, OnSizing)
#define ON_WM_TIMER() APPFRAME_WM_ENTRY(WM_TIMER, Timer, OnTimer)
#define ON_WM_PAINT() APPFRAME_WM_ENTRY(WM_PAINT, Void, OnPaint)
#define ON_WM_ERASEBKGND() APPFRAME_WM_ENTRY(WM_ERASEBKGND, EraseBkgnd, OnEraseBkgnd)
#define ON_WM_NCPAINT() APPFRAME_WM_ENTRY(WM_NCPAINT, Void, OnNcPaint)
#define ON_WM_NCHITTEST() APPFRAME_WM_ENTRY(WM_NCHITTEST, NcHitTest, OnNcHitTest)
#define ON_WM_NCCALCSIZE() APPFRAME_WM_ENTRY(WM_NCCALCSIZE, NcCalcSize, OnNcCalcSize)
#define ON_WM_WINDOWPOSCHANGED() APPFRAME_WM_ENTRY(WM_WINDOWPOSCHANGED, WindowPos, OnWindowPosChanged)
#define ON_WM_SHOWWINDOW() APPFRAME_WM_ENTRY(WM_SHOWWINDOW, ShowWindow, OnShowWindow)
#define ON_WM_SETFOCUS() APPFRAME_WM_ENTRY(WM_SETFOCUS, Focus, OnSetFocus)
#define ON_WM_KEYDOWN() APPFRAME_WM_ENTRY(WM_KEYDOWN, Key, OnKeyDown)
#define ON_WM_KEYUP() APPFRAME_WM_ENTRY(WM_KEYUP, Key, OnKeyUp)
#define ON_WM_CHAR() APPFRAME_WM_ENTRY(WM_CHAR, Key, OnChar)
#define ON_WM_MOUSEMOVE() APPFRAME_WM_ENTRY(WM_MOUSEMOVE, Mouse, OnMouseMove)
#define ON_WM_MOUSELEAVE() APPFRAME_WM_ENTRY(WM_MOUSELEAVE, Void, OnMouseLeave)
#define ON_WM_MOUSEWHEEL() APPFRAME_WM_ENTRY(WM_MOUSEWHEEL, MouseWheel, OnMouseWheel)
#define ON_WM_LBUTTONDOWN() APPFRAME_WM_ENTRY(WM_LBUTTONDOWN, Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() APPFRAME_WM_ENTRY(WM_LBUTTONUP, Mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() APPFRAME_WM_ENTRY(WM_LBUTTONDBLCLK, Mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() APPFRAME_WM_ENTRY(WM_RBUTTONDOWN, Mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() APPFRAME_WM_ENTRY(WM_RBUTTONUP, Mouse, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() APPFRAME_WM_ENTRY(WM_RBUTTONDBLCLK, Mouse, OnRButtonDblClk)
#define ON_WM_SETCURSOR() APPFRAME_WM_ENTRY(WM_SETCURSOR, SetCursor, OnSetCursor)
#define ON_WM_CONTEXTMENU() APPFRAME_WM_ENTRY(WM_CONTEXTMENU, ContextMenu, OnContextMenu)
#define ON_WM_HSCROLL() APPFRAME_WM_ENTRY(WM_HSCROLL, Scroll, OnHScroll)
#define ON_WM_VSCROLL() APPFRAME_WM_ENTRY(WM_VSCROLL, Scroll, OnVScroll)
#define ON_WM_DROPFILES() APPFRAME_WM_ENTRY(WM_DROPFILES, DropFiles, OnDropFiles)
#define ON_WM_CTLCOLOR() APPFRAME_WM_ENTRY(WM_CTLCOLOR, CtlColor, OnCtlColor)
#define ON_WM_QUERYDRAGICON() APPFRAME_WM_ENTRY(WM_QUERYDRAGICON, QueryDragIcon, OnQueryDragIcon)
#define ON_WM_SYSCOMMAND() APPFRAME_WM_ENTRY(WM_SYSCOMMAND, SysCommand, OnSysCommand)
#define ON_WM_DEVICECHANGE() APPFRAME_WM_ENTRY(WM_DEVICECHANGE, DeviceChange, OnDeviceChange)
#define ON_WM_POWERBROADCAST() APPFRAME_WM_ENTRY(WM_POWERBROADCAST, PowerBroadcast, OnPowerBroadcast)
#define ON_WM_INITDIALOG() APPFRAME_WM_ENTRY(WM_INITDIALOG, InitDialog, OnInitDialog)
