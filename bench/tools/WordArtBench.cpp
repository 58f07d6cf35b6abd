// The text sheet's preset gallery against the bare renderer: the time from the start of a fill
// to the last thumbnail shown in the gallery, against the sum of DrawEffectText calls on the
// same presets in the preview font. Once with the shipped presets, once with 200 generated ones;
// medians of a few rounds. With --phases, where the user-interface thread's time went in each
// fill: waiting, taking thumbnails, painting, other messages.
//   build/wine-run build/bench/wordart_bench.exe SHIPPED.xml [--phases]
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "TextPropSheet.h"
#include "WordArtPresets.h"
#include "ZVImage.h"
#include "../BenchClock.h"

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(L"WordArtBench") {}
};
CBenchApp theApp;

const int kRounds = 5;

double Now() { return benchclock::Seconds(); }

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The user-interface thread's time in a fill, by what it did.
struct Phases {
    double waiting = 0, taking = 0, painting = 0, other = 0;
    int paints = 0, wakes = 0;
};
Phases g_phases;
bool g_showPhases = false;
const UINT kThumbnailMessage = WM_APP + 0x123;   // the page's wake message

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const double start = Now();
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        const double spent = Now() - start;
        if (msg.message == WM_PAINT) {
            g_phases.painting += spent;
            ++g_phases.paints;
        } else if (msg.message == kThumbnailMessage) {
            g_phases.taking += spent;
            ++g_phases.wakes;
        } else {
            g_phases.other += spent;
        }
    }
}

// 200 presets through every effect kind, outline and shadow.
bool WriteGenerated(const std::wstring& path)
{
    std::string xml = "<WordArts>";
    for (int i = 0; i < 200; ++i) {
        char preset[400];
        snprintf(preset, sizeof preset,
                 "<WordArt Name=\"G%d\" TextEffect=\"%d\" TextColor=\"FF%06X\" bTextGradient=\"%d\" GradientColor=\"FF808080\""
                 " ExtrudedText=\"0\" OutlineColor1=\"FF%06X\" OutlineThickness1=\"%d\" OutlineAlpha1=\"255\""
                 " OutlineColor2=\"FFFFFFFF\" OutlineThickness2=\"%d\" OutlineAlpha2=\"255\" bEnableShadow=\"%d\""
                 " ShadowColor=\"FF000000\" ShadowThickness=\"4\" ShadowAlpha=\"128\" ShadowX=\"4\" ShadowY=\"4\"/>",
                 i, i % 7, (i * 2654435761u) & 0xFFFFFF, i % 3 == 0, (i * 40503u) & 0xFFFFFF, 2 + i % 10, 2 + i % 5,
                 i % 4 == 0);
        xml += preset;
    }
    xml += "</WordArts>";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, xml.data(), DWORD(xml.size()), &written, nullptr) && written == xml.size();
    ::CloseHandle(file);
    return ok;
}

// The renderer alone on the presets, as the gallery draws them.
double BareRender(const std::vector<CWordArtInfo>& presets)
{
    LOGFONTW font = {};
    font.lfHeight = -48;
    font.lfWeight = FW_NORMAL;
    wcscpy_s(font.lfFaceName, L"Arial Black");
    const double start = Now();
    for (CWordArtInfo preset : presets) {
        preset.SetLogFont(&font);
        preset.SetText(L"Text");
        CZVImage picture;
        preset.DrawEffectText(&picture);
    }
    return Now() - start;
}

// A fill of the sheet's gallery, from its start to the last thumbnail shown: taken by the page
// and painted where in view.
double GalleryFill(CTextPropSheet& sheet, int count)
{
    CDlgTextFuncMain& page = sheet.m_pageMain;
    g_phases = Phases();
    const double start = Now();
    page.StartThumbnailThread();
    const double started = Now();
    while (page.ThumbnailsShown() < count) {
        const double wait = Now();
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        g_phases.waiting += Now() - wait;
        Pump();
        if (!page.IsThumbnailThreadRunning() && page.ThumbnailsShown() < count) {
            Pump();
            if (page.ThumbnailsShown() < count) {
                fwprintf(stderr, L"wordart_bench: %d of %d thumbnails shown\n", page.ThumbnailsShown(), count);
                return -1;
            }
        }
    }
    const double paint = Now();
    page.m_listPresets.UpdateWindow();
    g_phases.painting += Now() - paint;
    const double fill = Now() - start;
    if (g_showPhases)
        fwprintf(stderr, L"  fill %6.1f ms: start %5.1f  waiting %6.1f  taking %5.1f (%d wakes)  painting %5.1f (%d paints)  other %5.1f\n",
                 fill * 1e3, (started - start) * 1e3, g_phases.waiting * 1e3, g_phases.taking * 1e3, g_phases.wakes,
                 g_phases.painting * 1e3, g_phases.paints, g_phases.other * 1e3);
    return fill;
}

bool Measure(const wchar_t* title, const std::wstring& file)
{
    const std::vector<CWordArtInfo> presets = LoadWordArtPresets(file.c_str());
    if (presets.empty()) {
        fwprintf(stderr, L"wordart_bench: no presets in %ls\n", file.c_str());
        return false;
    }
    CWordArtInfo style;
    CTextPropSheet sheet(CToolHost(), style);
    sheet.m_pageMain.m_strPresetFile = file.c_str();
    if (!sheet.Create())
        return false;
    Pump();
    // The fill the page started on opening is the first warm-up.
    std::vector<double> fills, bare;
    for (int round = 0; round < kRounds; ++round) {
        const double fill = GalleryFill(sheet, int(presets.size()));
        if (fill < 0)
            return false;
        fills.push_back(fill);
        bare.push_back(BareRender(presets));
    }
    sheet.DestroyWindow();
    const double f = Median(fills), b = Median(bare);
    wprintf(L"%-18ls %4d presets  gallery %7.1f ms  bare %7.1f ms  ratio %.2f (target 1.3 or less)\n", title,
            int(presets.size()), f * 1000, b * 1000, f / b);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fwprintf(stderr, L"usage: wordart_bench SHIPPED.xml [--phases]\n");
        return 2;
    }
    g_showPhases = argc > 2 && wcscmp(argv[2], L"--phases") == 0;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring generated = std::wstring(temp) + L"wordart_bench_generated.xml";
    if (!WriteGenerated(generated))
        return 1;
    const bool ok = Measure(L"shipped presets", argv[1]) && Measure(L"200 generated", generated);
    ::DeleteFileW(generated.c_str());
    return ok ? 0 : 1;
}
