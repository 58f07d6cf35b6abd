// The picture list over a folder in a frame of its own:
//   PicListDemo.exe [FOLDER] [/size 0-4] [/toolbar top|bottom] [/fill] [/input "STEPS"]
// FOLDER defaults to the program folder's sample pictures; /size picks the cell size (0 list
// rows with size and date, 1 to 4 thumbnails); /toolbar places the strip of buttons (bottom by
// default); /fill fills the picture boxes instead of fitting the pictures. The strip switches
// the cell size, sorts by name, size, date or type, turns the direction and refreshes.
// /input plays mouse and key steps on the list once its folder is read, separated by ";",
// coordinates in the list's client area: "click X Y", "shift-click X Y", "dblclick X Y",
// "key NAME" (Home, End, Left, Right, Up, Down, PageUp, PageDown, Space, Escape), "type TEXT",
// "drag X1 Y1 X2 Y2", "band X1 Y1 X2 Y2 [hold]" (hold: the button stays down).
#include <algorithm>
#include <cwchar>
#include <sstream>
#include <string>
#include "KQPicListView.h"
#include "UIKitIds.h"
#include "ZVUILibApp.h"

namespace {

enum : unsigned int {
    kCmdSizeFirst = 100, // 100 .. 104: the cell sizes
    kCmdByName = 110,
    kCmdBySize,
    kCmdByDate,
    kCmdByType,
    kCmdDirection,
    kCmdRefresh,
};

// The strip's buttons: text, command, picture.
const struct {
    const wchar_t* text;
    unsigned int id;
    unsigned int picture;
} kButtons[] = {
    {L"List", kCmdSizeFirst + 0, IDB_KQ_PLV_FOLDER_48},
    {L"S", kCmdSizeFirst + 1, IDB_KQ_PLV_FOLDER_48},
    {L"M", kCmdSizeFirst + 2, IDB_KQ_PLV_FOLDER_48},
    {L"L", kCmdSizeFirst + 3, IDB_KQ_PLV_FOLDER_48},
    {L"XL", kCmdSizeFirst + 4, IDB_KQ_PLV_FOLDER_48},
    {L"Name", kCmdByName, IDB_KQ_PLV_SELECT},
    {L"Size", kCmdBySize, IDB_KQ_PLV_COPY_L},
    {L"Date", kCmdByDate, IDB_KQ_PLV_DOWNLOADING_L},
    {L"Type", kCmdByType, IDB_KQ_PLV_CUT_L},
    {L"Order", kCmdDirection, IDB_KQ_PLV_DOWNLOAD_L},
    {L"Refresh", kCmdRefresh, IDB_KQ_PLV_ADD_L},
};

class CDemoList : public CKQPicListView {
public:
    bool OnToolBarItemClicked(unsigned int id) override
    {
        if (id >= kCmdSizeFirst && id <= kCmdSizeFirst + 4) {
            const bool list = id == kCmdSizeFirst;
            m_bShowSize = m_bShowDate = list;
            ChangeIconSize(static_cast<KQ_LS_ICON_SIZE>(id - kCmdSizeFirst), true);
            return true;
        }
        switch (id) {
        case kCmdByName:
            SortItemByName();
            break;
        case kCmdBySize:
            SortItemBySize();
            break;
        case kCmdByDate:
            SortItemByDate();
            break;
        case kCmdByType:
            SortItemByType();
            break;
        case kCmdDirection:
            gKQListView_bSortAscend ? SortItemByDescend() : SortItemByAscend();
            break;
        case kCmdRefresh:
            UpdateFolder(m_strFolder.GetString(), true);
            break;
        }
        return true;
    }
};

const struct {
    const wchar_t* name;
    UINT key;
} kKeys[] = {{L"home", VK_HOME},   {L"end", VK_END},     {L"left", VK_LEFT},     {L"right", VK_RIGHT},
             {L"up", VK_UP},       {L"down", VK_DOWN},   {L"pageup", VK_PRIOR},  {L"pagedown", VK_NEXT},
             {L"space", VK_SPACE}, {L"escape", VK_ESCAPE}};

// Posts the steps to the window as the mouse and the keyboard would; false on a step it does
// not know.
bool PlayInput(HWND wnd, const std::wstring& script)
{
    auto post = [wnd](UINT message, WPARAM flags, int x, int y) { ::PostMessageW(wnd, message, flags, MAKELPARAM(x, y)); };
    std::wstringstream steps(script);
    std::wstring step;
    while (std::getline(steps, step, L';')) {
        std::wstringstream words(step);
        std::wstring verb, text;
        words >> verb;
        if (verb.empty())
            continue;
        int v[4] = {0, 0, 0, 0};
        if (verb == L"click" || verb == L"shift-click" || verb == L"dblclick") {
            if (!(words >> v[0] >> v[1]))
                return false;
            const WPARAM keys = verb == L"shift-click" ? MK_SHIFT : 0;
            post(WM_MOUSEMOVE, keys, v[0], v[1]);
            post(WM_LBUTTONDOWN, MK_LBUTTON | keys, v[0], v[1]);
            post(WM_LBUTTONUP, keys, v[0], v[1]);
            if (verb == L"dblclick") {
                post(WM_LBUTTONDBLCLK, MK_LBUTTON, v[0], v[1]);
                post(WM_LBUTTONUP, 0, v[0], v[1]);
            }
        } else if (verb == L"key") {
            words >> text;
            UINT key = 0;
            for (const auto& k : kKeys)
                if (_wcsicmp(k.name, text.c_str()) == 0)
                    key = k.key;
            if (!key)
                return false;
            ::PostMessageW(wnd, WM_KEYDOWN, key, 1);
            ::PostMessageW(wnd, WM_KEYUP, key, 0xC0000001);
        } else if (verb == L"type") {
            std::getline(words >> std::ws, text);
            for (wchar_t c : text)
                ::PostMessageW(wnd, WM_CHAR, c, 1);
        } else if (verb == L"drag" || verb == L"band") {
            if (!(words >> v[0] >> v[1] >> v[2] >> v[3]))
                return false;
            words >> text;
            const bool hold = verb == L"band" && text == L"hold";
            post(WM_MOUSEMOVE, 0, v[0], v[1]);
            post(WM_LBUTTONDOWN, MK_LBUTTON, v[0], v[1]);
            // In steps, as a hand moves: a drag starts, a band grows.
            const int steps = 8;
            for (int k = 1; k <= steps; ++k)
                post(WM_MOUSEMOVE, MK_LBUTTON, v[0] + (v[2] - v[0]) * k / steps, v[1] + (v[3] - v[1]) * k / steps);
            if (!hold)
                post(WM_LBUTTONUP, 0, v[2], v[3]);
        } else {
            return false;
        }
    }
    return true;
}

class CDemoFrame : public CFrameWnd {
public:
    CDemoList m_list;
    CString m_folder;
    int m_size = 2;
    KQ_LIST_TOOLBAR_TYPE m_strip = KQ_TOOLBAR_BOTTOM;
    std::wstring m_input;
    static const UINT_PTR kInputTimer = 1;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        // Short texts beside the icons, closer together than the strip's default gap.
        m_list.EnableToolBar(m_strip, 24, KQ_BT_ALIGN_CENTER, true);
        m_list.m_nSpace = 18;
        for (const auto& b : kButtons)
            m_list.AddButton(b.text, b.id, b.picture, reinterpret_cast<HINSTANCE>(-1));
        if (!m_list.CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST))
            return -1;
        m_list.m_bShowSize = m_list.m_bShowDate = m_size == 0;
        m_list.ChangeIconSize(static_cast<CKQPicListView::KQ_LS_ICON_SIZE>(m_size), false);
        m_list.PostMessage(KQLV_MSG_UPDATE_FOLDER, 0, LPARAM(m_folder.GetString()));
        if (!m_input.empty())
            SetTimer(kInputTimer, 100, nullptr);
        return 0;
    }
    // The steps wait for the folder's entries.
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != kInputTimer || m_list.IsScanning() || m_list.GetItemCount() == 0 || m_list.m_visible.empty())
            return;
        KillTimer(kInputTimer);
        if (!PlayInput(m_list.GetSafeHwnd(), m_input))
            ::MessageBoxW(m_hWnd, m_input.c_str(), L"Unknown input step", MB_OK | MB_ICONWARNING);
    }
    afx_msg void OnSize(UINT type, int cx, int cy)
    {
        CFrameWnd::OnSize(type, cx, cy);
        if (m_list.GetSafeHwnd())
            m_list.MoveWindow(0, 0, cx, cy);
    }
    afx_msg void OnSetFocus(CWnd*)
    {
        if (m_list.GetSafeHwnd())
            m_list.SetFocus();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"PicListDemo") {}
    BOOL InitInstance() override
    {
        auto frame = new CDemoFrame;
        frame->m_folder = CModulePathStr(L"..\\Data\\Sample").GetString();
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        for (int i = 1; argv && i < argc; ++i) {
            if (_wcsicmp(argv[i], L"/size") == 0 && i + 1 < argc)
                frame->m_size = std::max(0, std::min(4, _wtoi(argv[++i])));
            else if (_wcsicmp(argv[i], L"/toolbar") == 0 && i + 1 < argc)
                frame->m_strip = _wcsicmp(argv[++i], L"top") == 0 ? KQ_TOOLBAR_TOP : KQ_TOOLBAR_BOTTOM;
            else if (_wcsicmp(argv[i], L"/input") == 0 && i + 1 < argc)
                frame->m_input = argv[++i];
            else if (_wcsicmp(argv[i], L"/fill") == 0)
                frame->m_list.m_nFitMode = 1;
            else if (argv[i][0] != L'/')
                frame->m_folder = argv[i];
        }
        ::LocalFree(argv);
        if (!frame->Create(nullptr, L"Picture list")) {
            delete frame;
            return FALSE;
        }
        m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 0, 0, 1000, 700, SWP_NOZORDER | SWP_NOMOVE);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        return TRUE;
    }
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
