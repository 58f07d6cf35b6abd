// The batch dialogs and the batch panel in real windows, driven through their controls from
// inside their modal loops, on a profile kept in memory.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <map>
#include <string>
#include "BatchDialogIds.h"
#include "BatchRenameMethod.h"
#include "BatchTilePanel.h"
#include "DlgBatchColor.h"
#include "DlgBatchConvert.h"
#include "DlgBatchRename.h"
#include "DlgBatchReport.h"
#include "DlgBatchRotate.h"
#include "DlgBatchWatermark.h"
#include "DlgOptimize.h"
#include "DlgOptimizeReport.h"
#include "DlgOrganize.h"
#include "LumivoShowsApp.h"
#include "TestSupport.h"
#include "WindowTestApp.h"
#include "ZVImage.h"

namespace {

using testsupport::TempFolder;

class CBatchDialogsTestApp : public CWindowTestApp<CLumivoShowsApp> {
public:
    CBatchDialogsTestApp() : CWindowTestApp(L"LumivoShowsBatchTests") {}
};
CBatchDialogsTestApp theApp;

class MemoryProfile : public ProfileStore {
public:
    std::map<std::wstring, int> ints;
    std::map<std::wstring, std::wstring> strings;
    int GetInt(const wchar_t* section, const wchar_t* name, int fallback) override
    {
        auto found = ints.find(Key(section, name));
        return found == ints.end() ? fallback : found->second;
    }
    void WriteInt(const wchar_t* section, const wchar_t* name, int value) override { ints[Key(section, name)] = value; }
    std::wstring GetString(const wchar_t* section, const wchar_t* name, const wchar_t* fallback) override
    {
        auto found = strings.find(Key(section, name));
        return found == strings.end() ? fallback : found->second;
    }
    void WriteString(const wchar_t* section, const wchar_t* name, const wchar_t* value) override
    {
        strings[Key(section, name)] = value;
    }
    static std::wstring Key(const wchar_t* section, const wchar_t* name) { return std::wstring(section) + L"/" + name; }
};

// The engine's host is not asked anything by the dialogs.
class IdleHost : public BatchHost {
public:
    std::vector<BatchListItem> GetSelectedItems() override { return {}; }
    BatchListItem GetHoverItem() override { return {}; }
    std::wstring GetPictureFilter() override { return L"*.*"; }
    void ShowBatchRunningNote() override {}
    void PostProgress(int) override {}
    void PostNote(const std::wstring&) override {}
    void PostFolderReload(int, const std::wstring&) override {}
    void PostItemDone(const BatchItemDone&) override {}
    void PostSummary(const BatchSummary&) override {}
};

// Runs act on the first shown dialog of this thread other than except, from inside its modal
// loop (a thread timer looks for it).
std::function<void(HWND)> g_act;
HWND g_except = nullptr;
UINT_PTR g_timer = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (window != g_except && wcscmp(name, L"#32770") == 0 && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    if (!found || !g_act)
        return;
    ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    std::function<void(HWND)> act = std::move(g_act);
    g_act = nullptr;
    act(found);
}

void ActOnDialog(std::function<void(HWND)> act, HWND except = nullptr)
{
    if (g_timer)
        ::KillTimer(nullptr, g_timer);
    g_act = std::move(act);
    g_except = except;
    g_timer = ::SetTimer(nullptr, 0, 30, LookForDialog);
}

std::wstring Text(HWND window, int id = 0)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(id ? ::GetDlgItem(window, id) : window, text, 1024);
    return text;
}

void Click(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int id, int index)
{
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(::GetDlgItem(dialog, id)));
}

void Type(HWND dialog, int id, const wchar_t* text)
{
    ::SetDlgItemTextW(dialog, id, text);
}

void Slide(HWND dialog, int id, int position)
{
    const HWND slider = ::GetDlgItem(dialog, id);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, position);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(slider));
}

int SliderPos(HWND dialog, int id)
{
    return int(::SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0));
}

bool Checked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

// Presses the button and answers the message box it opens; the box's text, empty when none came.
std::wstring PressExpectingMessage(HWND dialog, int id)
{
    std::wstring said;
    ActOnDialog(
        [&said](HWND box) {
            said = Text(box, 0xFFFF);
            if (said.empty()) {
                // The skinned box keeps its text elsewhere: read every static.
                for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                    said += Text(child);
            }
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        dialog);
    Click(dialog, id);
    PumpFor(100);
    if (g_timer) {
        ::KillTimer(nullptr, g_timer);
        g_timer = 0;
        g_act = nullptr;
    }
    return said;
}

std::wstring SamplePicture(const wchar_t* name)
{
    return testsupport::BinDir() + L"\\Data\\Sample\\" + name;
}

class BatchDialogsTest : public testing::Test {
protected:
    BatchDialogsTest() : engine(host) {}
    IdleHost host;
    CBatchEngine engine;
    MemoryProfile profile;
    TempFolder temp;
};

TEST_F(BatchDialogsTest, ConvertPlacesItsSlidersOnTheStepsAndWritesTheEngineAndProfile)
{
    struct Row {
        int maxWidth, maxHeight, quality;
        int resolutionPos, qualityPos;
    } const rows[] = {{1500, 1000, 80, 4, 5}, {800, 5000, 0, 6, 0}, {640, 640, 95, 0, 7}, {9000, 10, 100, 6, 7}};
    for (const Row& row : rows) {
        profile.ints[L"BatchConvert/MaxWidth"] = row.maxWidth;
        profile.ints[L"BatchConvert/MaxHeight"] = row.maxHeight;
        profile.ints[L"BatchConvert/Quality"] = row.quality;
        CDlgBatchConvert dialog(engine, temp.Root(), profile);
        int resolution = -1, quality = -1;
        ActOnDialog([&](HWND w) {
            resolution = SliderPos(w, IDC_BO_RES_SLIDER);
            quality = SliderPos(w, IDC_BO_QUALITY_SLIDER);
            Click(w, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(row.resolutionPos, resolution) << row.maxWidth << "x" << row.maxHeight;
        EXPECT_EQ(row.qualityPos, quality) << row.quality;
    }

    // The sliders write their steps; OK makes the folder and stores what it took.
    const std::wstring out = temp.At(L"out\\deeper");
    CDlgBatchConvert dialog(engine, temp.Root(), profile);
    std::wstring folderShown, width, qualityText;
    ActOnDialog([&](HWND w) {
        folderShown = Text(w, IDC_BO_FOLDER);
        Slide(w, IDC_BO_RES_SLIDER, 2);
        Slide(w, IDC_BO_QUALITY_SLIDER, 0);
        width = Text(w, IDC_BO_WIDTH);
        qualityText = Text(w, IDC_BO_QUALITY_VALUE);
        Choose(w, IDC_BO_TYPE, 1);
        Click(w, IDC_BO_TO_FOLDER);
        Type(w, IDC_BO_FOLDER, out.c_str());
        Click(w, IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(temp.Root() + L"\\Lumivo_Convert", folderShown);
    EXPECT_EQ(L"1024", width);
    EXPECT_EQ(L"Automatic", qualityText);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(out.c_str()));
    EXPECT_EQ(out, engine.m_outputFolder);
    EXPECT_EQ(1024, engine.m_maxWidth);
    EXPECT_EQ(0, engine.m_quality);
    EXPECT_EQ(1, engine.m_outputType);
    EXPECT_EQ(0, engine.m_overwriteOriginal);
    EXPECT_FALSE(engine.m_testOnly);
    EXPECT_EQ(1024, profile.ints[L"BatchConvert/MaxHeight"]);
    EXPECT_EQ(0, profile.ints[L"BatchConvert/Quality"]);
    EXPECT_EQ(1, profile.ints[L"BatchConvert/FileType"]);

    // Read back by the next dialog.
    CDlgBatchConvert again(engine, temp.Root(), profile);
    int type = -1;
    ActOnDialog([&](HWND w) {
        type = int(::SendDlgItemMessageW(w, IDC_BO_TYPE, CB_GETCURSEL, 0, 0));
        width = Text(w, IDC_BO_WIDTH);
        Click(w, IDCANCEL);
    });
    again.DoModal();
    EXPECT_EQ(1, type);
    EXPECT_EQ(L"1024", width);
}

TEST_F(BatchDialogsTest, ConvertRefusesAZeroSizeAReadOnlyFolderAndAFolderItCannotMake)
{
    const std::wstring readOnly = temp.At(L"locked");
    ASSERT_TRUE(CreateDirectoryW(readOnly.c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"file"), "x"));
    struct Row {
        const wchar_t* width;
        std::wstring folder;
        const wchar_t* said;
    } const rows[] = {
        {L"0", temp.At(L"a"), L"Invalid Value"},
        {L"", temp.At(L"a"), L"Invalid Value"},
        {L"800", readOnly, L"Folder is readonly"},
        {L"800", temp.At(L"file\\below"), L"Fail to create folder"},
    };
    // Wine keeps no read-only mark on folders; there that row has nothing to show.
    const bool marksFolders = (GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
    for (const Row& row : rows) {
        if (row.folder == readOnly && !marksFolders)
            continue;
        CDlgBatchConvert dialog(engine, temp.Root(), profile);
        std::wstring said;
        // OK clears the test flag only when it closes the dialog.
        engine.m_testOnly = true;
        bool stayed = false;
        ActOnDialog([&](HWND w) {
            Click(w, IDC_BO_TO_FOLDER);
            Type(w, IDC_BO_WIDTH, row.width);
            Type(w, IDC_BO_FOLDER, row.folder.c_str());
            said = PressExpectingMessage(w, IDOK);
            stayed = engine.m_testOnly;
            Click(w, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << row.said;
        EXPECT_NE(std::wstring::npos, said.find(row.said)) << row.said << ": " << testing::PrintToString(said);
        EXPECT_TRUE(stayed) << row.said;
    }
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchDialogsTest, OptimizeSchemesAndTheTestButton)
{
    struct Row {
        int scheme;
        const wchar_t* quality;
        bool limit;
        const wchar_t* width;
    } const rows[] = {{0, L"0", false, L"1920"}, {1, L"100", false, L"1920"}, {2, L"0", true, L"1200"}, {3, L"0", true, L"1920"}};
    profile.ints[L"BatchOptimize/RemoveEXIF"] = 1;
    for (const Row& row : rows) {
        CDlgOptimize dialog(engine, temp.Root(), profile);
        std::wstring quality, width;
        bool limit = !row.limit, exif = true;
        ActOnDialog([&](HWND w) {
            Choose(w, IDC_BO_SCHEME, row.scheme);
            quality = Text(w, IDC_BO_QUALITY);
            width = Text(w, IDC_BO_WIDTH);
            limit = Checked(w, IDC_BO_LIMIT);
            exif = Checked(w, IDC_BO_REMOVE_EXIF);
            Click(w, IDCANCEL);
        });
        dialog.DoModal();
        EXPECT_EQ(row.quality, quality) << row.scheme;
        EXPECT_EQ(row.limit, limit) << row.scheme;
        EXPECT_EQ(row.width, width) << row.scheme;
        EXPECT_FALSE(exif) << row.scheme;
    }

    // Test closes with OK in test mode and makes no folder.
    const std::wstring out = temp.At(L"never");
    CDlgOptimize dialog(engine, temp.Root(), profile);
    ActOnDialog([&](HWND w) {
        Click(w, IDC_BO_TO_FOLDER);
        Type(w, IDC_BO_FOLDER, out.c_str());
        Click(w, IDC_BO_TEST);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(engine.m_testOnly);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(out.c_str()));
}

TEST_F(BatchDialogsTest, RenamePreviewsEveryPatternOnTheSampleName)
{
    CBatchRenameMethod method;
    method.m_delimiterIndex = 2; // "_"
    const wchar_t* const wanted[kRenamePatternCount] = {
        L"2024-05-06_1.jpg",           L"2024-05-06_MyPicture.jpg",       L"2024-05-06_07-08_MyPicture.jpg",
        L"2024-05-06_07-08_1.jpg",     L"MyPicture.jpg",                  L"MyPicture_2024-05-06_07-08.jpg",
        L"MyPicture_2024-05-06.jpg",   L"MyPicture_1.jpg",                L"1_MyPicture.jpg",
        L"1_2024-05-06.jpg",           L"1_2024-05-06_07-08.jpg",         L"XXXX_MD5_STRING_XXXX.jpg",
    };
    CDlgBatchRename dialog(method, profile);
    dialog.m_clock = [] { return CTime(2024, 5, 6, 7, 8, 9); };
    std::vector<std::wstring> seen;
    int collapsed = 0, expanded = 0;
    bool moreShown = false;
    ActOnDialog([&](HWND w) {
        for (int i = 0; i < kRenamePatternCount; ++i) {
            Choose(w, IDC_RN_PATTERN, i);
            seen.push_back(Text(w, IDC_RN_PREVIEW));
        }
        RECT r;
        ::GetWindowRect(w, &r);
        collapsed = r.bottom - r.top;
        Click(w, IDC_RN_MORE);
        ::GetWindowRect(w, &r);
        expanded = r.bottom - r.top;
        moreShown = ::IsWindowVisible(::GetDlgItem(w, IDC_RN_MORE)) != FALSE;
        Click(w, IDCANCEL);
    });
    dialog.DoModal();
    ASSERT_EQ(size_t(kRenamePatternCount), seen.size());
    for (int i = 0; i < kRenamePatternCount; ++i)
        EXPECT_EQ(std::wstring(L"MyPicture.jpg -> ") + wanted[i], seen[i]) << i;
    EXPECT_GT(expanded, collapsed + 40);
    EXPECT_FALSE(moreShown);
}

TEST_F(BatchDialogsTest, RenameStartNumberSpinStopsAtZeroAndOkStoresTheRule)
{
    CBatchRenameMethod method;
    CDlgBatchRename dialog(method, profile);
    std::wstring afterOne, afterZero;
    ActOnDialog([&](HWND w) {
        const HWND spin = ::GetDlgItem(w, IDC_RN_START_SPIN);
        RECT r;
        ::GetClientRect(spin, &r);
        // Clicks on the lower arrow, as the mouse makes them.
        const LPARAM down = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) * 3 / 4);
        Type(w, IDC_RN_START, L"1");
        for (int i = 0; i < 2; ++i) {
            ::SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, down);
            ::SendMessageW(spin, WM_LBUTTONUP, 0, down);
            (i == 0 ? afterOne : afterZero) = Text(w, IDC_RN_START);
        }
        Choose(w, IDC_RN_PATTERN, 7);
        Click(w, IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(L"0", afterOne);
    EXPECT_EQ(L"0", afterZero);
    EXPECT_EQ(0, method.m_startNumber);
    EXPECT_EQ(7, method.m_patternIndex);
    EXPECT_EQ(L"[File Name][Number]", method.m_pattern);
    EXPECT_EQ(7, profile.ints[L"BatchRename/FilnameIndex"]);
}

TEST_F(BatchDialogsTest, WatermarkDragTypingAndTheArgumentText)
{
    profile.strings[L"Batch/WatermarkImage"] = SamplePicture(L"Badge.png");
    CDlgBatchWatermark dialog(SamplePicture(L"Lakeside.jpg"), profile);
    int dragged = -1, combo = -1;
    std::wstring typed, zoomTyped;
    bool okEnabled = false;
    ActOnDialog([&](HWND w) {
        okEnabled = Enabled(w, IDOK);
        CWatermarkWnd& preview = dialog.Preview();
        const CRect mark = preview.m_markRect;
        const CPoint grab = mark.CenterPoint();
        preview.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
        const CPoint to(grab.x - mark.left + 6, grab.y - mark.top + 5);
        preview.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        preview.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        dragged = preview.m_place.position;
        combo = int(::SendDlgItemMessageW(w, IDC_WM_POSITION, CB_GETCURSEL, 0, 0));
        Type(w, IDC_WM_OPACITY, L"0");
        Type(w, IDC_WM_ZOOM, L"250");
        // The dialog puts the values back in range a moment after typing (later on a busy machine).
        PumpUntil([&] { return Text(w, IDC_WM_OPACITY) == L"1" && Text(w, IDC_WM_ZOOM) == L"100"; }, 6000);
        typed = Text(w, IDC_WM_OPACITY);
        zoomTyped = Text(w, IDC_WM_ZOOM);
        Choose(w, IDC_WM_POSITION, 0);
        Click(w, IDC_WM_DEFAULT);
        Click(w, IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(8, dragged);
    EXPECT_EQ(8, combo);
    EXPECT_EQ(L"1", typed);
    EXPECT_EQ(L"100", zoomTyped);
    EXPECT_EQ(L"\"" + SamplePicture(L"Badge.png") + L"\" 0.00 0.00 0 10 /alpha=80", dialog.m_arguments);
    EXPECT_TRUE(dialog.m_tempFile.empty());
}

TEST_F(BatchDialogsTest, ATextWatermarkGoesToATemporaryFileAndItsPositionIsKept)
{
    CZVImage text;
    ASSERT_TRUE(text.LoadFile(SamplePicture(L"Badge.png").c_str()));
    CDlgBatchWatermark dialog(SamplePicture(L"Lakeside.jpg"), profile);
    bool okBefore = true;
    ActOnDialog([&](HWND w) {
        okBefore = Enabled(w, IDOK);
        dialog.UseTextWatermark(text, 30);
        Choose(w, IDC_WM_POSITION, 6);
        Click(w, IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_FALSE(okBefore);
    ASSERT_FALSE(dialog.m_tempFile.empty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(dialog.m_tempFile.c_str()));
    EXPECT_EQ(L"\"" + dialog.m_tempFile + L"\" 0.00 0.00 6 30 /alpha=80", dialog.m_arguments);
    EXPECT_EQ(6, profile.ints[L"Batch/WatermarkPos"]);
    EXPECT_EQ(L"", profile.strings[L"Batch/WatermarkImage"]);
    DeleteFileW(dialog.m_tempFile.c_str());
}

TEST_F(BatchDialogsTest, RotateChoicesGiveTheirCommands)
{
    struct Row {
        const wchar_t* command;
        const wchar_t* arguments;
    } const rows[] = {{L"RotaryZoom", L"-90 1 1"}, {L"RotaryZoom", L"90 1 1"}, {L"RotaryZoom", L"180 1 1"},
                      {L"Mirror", L""},           {L"Flip", L""}};
    for (int i = 0; i < 5; ++i) {
        CDlgBatchRotate dialog(SamplePicture(L"Lakeside.jpg"));
        bool okBefore = true;
        ActOnDialog([&](HWND w) {
            okBefore = Enabled(w, IDOK);
            ::CheckRadioButton(w, IDC_RT_LEFT, IDC_RT_LEFT + 4, IDC_RT_LEFT + i);
            Click(w, IDC_RT_LEFT + i);
            Click(w, IDOK);
        });
        ASSERT_EQ(IDOK, dialog.DoModal());
        EXPECT_FALSE(okBefore);
        EXPECT_EQ(rows[i].command, dialog.m_command);
        EXPECT_EQ(rows[i].arguments, dialog.m_arguments);
    }
}

TEST_F(BatchDialogsTest, ColourEditsMoveTheSlidersAndOkReadsThem)
{
    CDlgBatchColor dialog(SamplePicture(L"Lakeside.jpg"));
    int slider = 0, start = -1, lowest = 0;
    ActOnDialog([&](HWND w) {
        start = SliderPos(w, IDC_BC_SLIDER_0);
        lowest = int(::SendDlgItemMessageW(w, IDC_BC_SLIDER_0, TBM_GETRANGEMIN, 0, 0));
        Type(w, IDC_BC_EDIT_0 + 3, L"30");
        Type(w, IDC_BC_EDIT_0 + 2, L"-150");
        slider = SliderPos(w, IDC_BC_SLIDER_0 + 3);
        Click(w, IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(0, start);
    EXPECT_EQ(-100, lowest);
    EXPECT_EQ(30, slider);
    EXPECT_EQ(30, dialog.m_values.hue);
    EXPECT_EQ(-100, dialog.m_values.saturation);
    EXPECT_EQ(0, dialog.m_values.brightness);
}

TEST_F(BatchDialogsTest, OrganizeButtonsEndTheDialogWithTheirMethod)
{
    for (int by = 0; by < 2; ++by) {
        CDlgOrganize dialog(engine, temp.Root());
        std::wstring folder;
        bool stayed = false;
        ActOnDialog([&](HWND w) {
            folder = Text(w, IDC_OG_FOLDER);
            // Enter alone picks no method: the dialog stays.
            ::SendMessageW(w, WM_COMMAND, IDOK, 0);
            stayed = dialog.ContinueModal() != FALSE;
            Choose(w, IDC_OG_MODE, by);
            Click(w, by ? IDC_OG_RESOLUTION : IDC_OG_DATE);
        });
        ASSERT_EQ(IDOK, dialog.DoModal());
        EXPECT_TRUE(stayed);
        EXPECT_EQ(temp.Root() + L"\\Lumivo_Organize", folder);
        EXPECT_EQ(by, engine.m_organizeBy);
        EXPECT_EQ(by, engine.m_organizeMove);
        EXPECT_EQ(folder, engine.m_outputFolder);
    }
}

TEST_F(BatchDialogsTest, ReportsShowTheLinesAndTheFailures)
{
    CDlgOptimizeReport optimize(0, 2048, 0);
    std::wstring gain;
    ActOnDialog([&](HWND w) {
        gain = Text(w, IDC_OR_GAIN);
        Click(w, IDOK);
    });
    optimize.DoModal();
    EXPECT_EQ(L"Reduce file size -2K , -0.00%", gain);

    BatchSummary summary;
    summary.total = 3;
    summary.failures = {{L"C:\\p\\a.jpg", L"The picture cannot be written"}, {L"C:\\p\\b.jpg", L"The picture cannot be read"}};
    CDlgBatchReport report(summary);
    int rows = 0;
    std::wstring title;
    ActOnDialog([&](HWND w) {
        rows = int(::SendDlgItemMessageW(w, IDC_BR_LIST, LVM_GETITEMCOUNT, 0, 0));
        title = Text(w, IDC_BR_TITLE);
        Click(w, IDOK);
    });
    report.DoModal();
    EXPECT_EQ(2, rows);
    EXPECT_EQ(L"2 of 3 pictures failed", title);
    EXPECT_EQ(L"C:\\p\\a.jpg\tThe picture cannot be written\r\nC:\\p\\b.jpg\tThe picture cannot be read\r\n",
              report.CopyText());
}

TEST(BatchTilePanel, EightCaptionedTilesInTheirOrder)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Batch", WS_POPUP | WS_VISIBLE, CRect(0, 0, 160, 1000), nullptr, 0));
    CDockBarBatch panel;
    ASSERT_TRUE(panel.Create(CRect(0, 0, 160, 1000), &host, 1));
    panel.UpdateTileText();
    PumpPending();
    const wchar_t* const captions[] = {L"Color", L"Optimize", L"Resize Convert", L"Organize",
                                       L"Watermark", L"Rename", L"Gray", L"Rotate"};
    const BatchOperation operations[] = {BatchOperation::Color,     BatchOperation::Optimize, BatchOperation::Convert,
                                         BatchOperation::Organize,  BatchOperation::Watermark, BatchOperation::Rename,
                                         BatchOperation::Gray,      BatchOperation::Rotate};
    CBCGPWinUITiles* tiles = panel.GetWinUITiles();
    ASSERT_EQ(8, tiles->GetCount());
    int lastTop = -1;
    for (int i = 0; i < 8; ++i) {
        CBCGPWinUITile* tile = tiles->GetTile(i);
        EXPECT_EQ(captions[i], std::wstring(tile->GetName().GetString()));
        BatchOperation operation;
        ASSERT_TRUE(panel.OperationOf(tile, operation));
        EXPECT_EQ(operations[i], operation);
        EXPECT_EQ(DWORD_PTR(operations[i]), tile->GetUserData());
        // One column, top to bottom.
        EXPECT_GT(tile->GetRect().top, lastTop);
        lastTop = tile->GetRect().top;
    }
    EXPECT_EQ(110, CDockBarBatch::TileSide(12));
    EXPECT_EQ(220, CDockBarBatch::TileSide(24));

    // The panel as it shows, for the record.
    panel.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CRect area;
    panel.GetClientRect(&area);
    HDC screen = ::GetDC(panel.GetSafeHwnd());
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, area.Width(), area.Height());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, area.Width(), area.Height(), screen, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    CZVImage shot;
    shot.CreateFromHBITMAP(bitmap);
    const std::wstring out = testsupport::BinDir() + L"\\..\\out";
    CreateDirectoryW(out.c_str(), nullptr);
    EXPECT_TRUE(shot.SaveFile((out + L"\\BatchTilePanel.png").c_str(), 4));
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(panel.GetSafeHwnd(), screen);
    panel.DestroyWindow();
    host.DestroyWindow();
}

} // namespace
