#include "EditViewCommandsTest.h"
#include "WindowTestApp.h"

namespace editviewtest {

namespace {

std::function<void(HWND)> g_act;
UINT_PTR g_timer = 0;
int g_acted = 0;

BOOL CALLBACK FindShownDialog(HWND wnd, LPARAM found)
{
    wchar_t cls[16] = {};
    ::GetClassNameW(wnd, cls, 16);
    if (::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd) && std::wstring(cls) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !g_act)
        return;
    StopActing();
    ++g_acted;
    std::function<void(HWND)> act;
    act.swap(g_act);
    act(dialog);
}

} // namespace

CZVImage Plain(long width, long height, COLORREF colour)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, CxImage::RGBtoRGBQUAD(colour));
    return p;
}

bool SamePixels(const CZVImage& a, const CZVImage& b)
{
    if (!a.IsValid() || !b.IsValid())
        return a.IsValid() == b.IsValid();
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || a.AlphaIsValid() != b.AlphaIsValid())
        return false;
    for (long y = 0; y < static_cast<long>(a.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(a.GetWidth()); ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y, true), q = b.GetPixelColor(x, y, true);
            if (p.rgbRed != q.rgbRed || p.rgbGreen != q.rgbGreen || p.rgbBlue != q.rgbBlue || p.rgbReserved != q.rgbReserved)
                return false;
        }
    return true;
}

void ActOnDialog(std::function<void(HWND)> act)
{
    StopActing();
    g_act = std::move(act);
    g_acted = 0;
    g_timer = ::SetTimer(nullptr, 0, 30, Tick);
}

int DialogsActedOn()
{
    return g_acted;
}

void StopActing()
{
    if (g_timer)
        ::KillTimer(nullptr, g_timer);
    g_timer = 0;
}

void AnswerBox(int button)
{
    ActOnDialog([button](HWND box) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); });
}

void Type(HWND dialog, int id, const wchar_t* text)
{
    ::SetDlgItemTextW(dialog, id, text);
}

void Click(HWND dialog, int id)
{
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void EditViewTest::SetUp()
{
    SetEditorHost(&host);
    ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400, nullptr, nullptr));
    view.UpdateClientRect();
    ASSERT_TRUE(view.doc.OpenImage(Plain(400, 300, RGB(255, 255, 255))));
    view.doc.zoom = 1.0f;
    view.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
    view.Recompose();
    host.refreshes = 0;
}

void EditViewTest::TearDown()
{
    StopActing();
    SetEditorHost(nullptr);
    view.DestroyWindow();
    PumpPending();
}

int EditViewTest::AddLayer(long width, long height, int x, int y, COLORREF colour)
{
    CLayerDocument& doc = view.doc;
    EXPECT_TRUE(doc.AddImageLayer(Plain(width, height, colour), FALSE));
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    layer->location = ZVPOINTF{doc.canvasRect.left + x * doc.zoom, doc.canvasRect.top + y * doc.zoom};
    doc.UpdateLayerOrigin(layer);
    return layer->id;
}

void ExpectSameLayers(const CLayeredManage& actual, const CLayeredManage& expected, const std::string& where)
{
    ASSERT_EQ(actual.layers.size(), expected.layers.size()) << where;
    for (size_t i = 0; i < actual.layers.size(); ++i) {
        const CLayerInfo& a = actual.layers[i];
        const CLayerInfo& e = expected.layers[i];
        const std::string at = where + ", layer " + std::to_string(i);
        EXPECT_EQ(a.id, e.id) << at;
        EXPECT_EQ(a.serial, e.serial) << at;
        EXPECT_EQ(a.type, e.type) << at;
        EXPECT_EQ(a.visible, e.visible) << at;
        EXPECT_EQ(a.alpha, e.alpha) << at;
        EXPECT_EQ(a.width, e.width) << at;
        EXPECT_EQ(a.height, e.height) << at;
        EXPECT_EQ(a.flipVertical, e.flipVertical) << at;
        EXPECT_FLOAT_EQ(a.location.x, e.location.x) << at;
        EXPECT_FLOAT_EQ(a.location.y, e.location.y) << at;
        EXPECT_TRUE(SamePixels(a.displayed, e.displayed)) << at;
    }
}

} // namespace editviewtest
