#pragma once
// Message maps: a class's table binds messages, commands and notifications to its member
// functions. BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP build a constant table at compile time
// (nothing runs at start-up, whatever its length) chained to the base class's table. Each entry
// holds a typed thunk: the handler's signature is checked where the entry is written, and the
// thunk unpacks wParam and lParam into the handler's arguments.
#include <windows.h>
#include <commctrl.h>
#include <type_traits>
#include "AppFrameDef.h"

class CCmdTarget;
class CCmdUI;

// What a thunk receives: the message, and for commands the id and the extra record.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
    void* pExtra;   // CCmdUI* of an update, AFX_NOTIFY* of a notification
};

typedef LRESULT (*AFX_PTHUNK)(CCmdTarget* target, const AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;       // window message; WM_COMMAND or WM_NOTIFY for commands and notifications
    UINT nCode;          // notification code (16 bits), or the update marker
    UINT nID;            // first control or command id
    UINT nLastID;        // last id of a range
    UINT (*pfnMessage)(); // a registered message: its number, read at each dispatch
    AFX_PTHUNK pfn;      // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The extra record of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// OnCmdMsg with a handler-info record only tells whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

// nCode values of OnCmdMsg besides control notifications.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((int)(-1))

namespace appframe {
namespace msg {

// Entry codes beyond the 16 bits of a notification code: command-UI updates, and notifications
// reflected to the control that sent them.
const UINT kUpdateCode = 0x10000;
const UINT kReflected = 0x20000;

template <class Sig, class F> struct Matches : std::false_type {};
template <class R, class C, class... A> struct Matches<R(A...), R (C::*)(A...)> : std::true_type {};

template <class Sig, auto F> constexpr void CheckHandler()
{
    static_assert(Matches<Sig, decltype(F)>::value, "the handler's signature does not fit its message-map entry");
}

template <class T, auto F> LRESULT Command(CCmdTarget* t, const AFX_MSGCALL&)
{
    CheckHandler<void(), F>();
    (static_cast<T*>(t)->*F)();
    return 0;
}

template <class T, auto F> LRESULT CommandRange(CCmdTarget* t, const AFX_MSGCALL& m)
{
    CheckHandler<void(UINT), F>();
    (static_cast<T*>(t)->*F)(m.nID);
    return 0;
}

template <class T, auto F> LRESULT UpdateUI(CCmdTarget* t, const AFX_MSGCALL& m)
{
    CheckHandler<void(CCmdUI*), F>();
    (static_cast<T*>(t)->*F)(static_cast<CCmdUI*>(m.pExtra));
    return 0;
}

template <class T, auto F> LRESULT Notify(CCmdTarget* t, const AFX_MSGCALL& m)
{
    CheckHandler<void(NMHDR*, LRESULT*), F>();
    const AFX_NOTIFY* notify = static_cast<const AFX_NOTIFY*>(m.pExtra);
    (static_cast<T*>(t)->*F)(notify->pNMHDR, notify->pResult);
    return 0;
}

template <class T, auto F> LRESULT Message(CCmdTarget* t, const AFX_MSGCALL& m)
{
    CheckHandler<LRESULT(WPARAM, LPARAM), F>();
    return (static_cast<T*>(t)->*F)(m.wParam, m.lParam);
}

} // namespace msg
} // namespace appframe

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, nullptr, nullptr } \
        }; \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, &entries[0] }; \
        return &map; \
    }

#define APPFRAME_ENTRY(message, code, id, lastId, thunk, fn) \
    { static_cast<UINT>(message), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId), nullptr, \
      &appframe::msg::thunk<ThisClass, &ThisClass::fn> },

// Commands and control notifications.
#define ON_COMMAND(id, memberFxn) APPFRAME_ENTRY(WM_COMMAND, CN_COMMAND, id, id, Command, memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) APPFRAME_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, CommandRange, memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) APPFRAME_ENTRY(WM_COMMAND, appframe::msg::kUpdateCode, id, id, UpdateUI, memberFxn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    APPFRAME_ENTRY(WM_COMMAND, appframe::msg::kUpdateCode, id, idLast, UpdateUI, memberFxn)
#define ON_CONTROL(code, id, memberFxn) APPFRAME_ENTRY(WM_COMMAND, (WORD)(code), id, id, Command, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn) APPFRAME_ENTRY(WM_NOTIFY, (WORD)(code), id, id, Notify, memberFxn)

// Notifications handled by the control that sent them (see CWnd::OnChildNotify).
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    APPFRAME_ENTRY(WM_NOTIFY, (WORD)(code) | appframe::msg::kReflected, 0, 0, Notify, memberFxn)
#define ON_CONTROL_REFLECT(code, memberFxn) \
    APPFRAME_ENTRY(WM_COMMAND, (WORD)(code) | appframe::msg::kReflected, 0, 0, Command, memberFxn)

// Any message by number, with the raw parameters: LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) APPFRAME_ENTRY(message, 0, 0, 0, Message, memberFxn)
// A message registered at run time (RegisterWindowMessage): the variable is read at dispatch.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0, 0, 0, 0, +[]() -> UINT { return nMessageVariable; }, &appframe::msg::Message<ThisClass, &ThisClass::memberFxn> },
