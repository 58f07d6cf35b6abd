// The message box, the text input and the resize dialog through their front doors, driven from
// inside their modal loops.
#include "DialogIds.h"
#include "DialogsTest.h"
#include "DlgEditorResize.h"
#include "DlgInput.h"
#include "DlgMsg.h"

namespace {

int WindowHeight(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

bool Shown(HWND dialog, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

TEST(MyMessageBox, ButtonsByKindAndTheirResults)
{
    const struct {
        UINT kind;
        int press;
        int expected;
        bool yesNoShown;
    } cases[] = {{MB_YESNO, IDYES, IDYES, true}, {MB_YESNO, IDNO, IDNO, true}, {MB_OK, IDOK, IDOK, false}};
    for (const auto& c : cases) {
        bool yesShown = false, noShown = false, okShown = false;
        ActOnDialog([&](HWND dialog) {
            yesShown = Shown(dialog, IDYES);
            noShown = Shown(dialog, IDNO);
            okShown = Shown(dialog, IDOK);
            Click(dialog, c.press);
        });
        EXPECT_EQ(MyMessageBox(L"Delete?", c.kind), c.expected) << "kind " << c.kind;
        EXPECT_EQ(yesShown, c.yesNoShown);
        EXPECT_EQ(noShown, c.yesNoShown);
        EXPECT_EQ(okShown, !c.yesNoShown);
    }
}

TEST(MyMessageBox, CheckBoxShownOnlyWithAFlagAndStoredWhateverTheButton)
{
    int withCheck = 0, withoutCheck = 0;
    bool checkShown = true;
    ActOnDialog([&](HWND dialog) {
        withoutCheck = WindowHeight(dialog);
        checkShown = Shown(dialog, IDC_KQ_APPLY_ALL);
        Click(dialog, IDOK);
    });
    MyMessageBox(L"Saved.", MB_OK);
    EXPECT_FALSE(checkShown);

    bool all = false;
    ActOnDialog([&](HWND dialog) {
        withCheck = WindowHeight(dialog);
        checkShown = Shown(dialog, IDC_KQ_APPLY_ALL);
        ::CheckDlgButton(dialog, IDC_KQ_APPLY_ALL, BST_CHECKED);
        Click(dialog, IDNO);
    });
    EXPECT_EQ(MyMessageBox(L"Replace?", MB_YESNO, 1, L"Caption", &all), IDNO);
    EXPECT_TRUE(checkShown);
    EXPECT_TRUE(all);
    EXPECT_EQ(withCheck - withoutCheck, 30);
}

TEST(GetInputText, OkCopiesTheTextCancelLeavesIt)
{
    for (const int button : {IDOK, IDCANCEL}) {
        wchar_t text[MAX_PATH] = L"Lakeside";
        bool all = false;
        std::wstring shown;
        ActOnDialog([&](HWND dialog) {
            shown = ItemText(dialog, IDC_KQ_INPUT_TEXT);
            Type(dialog, IDC_KQ_INPUT_TEXT, L"Harbour");
            ::CheckDlgButton(dialog, IDC_KQ_APPLY_ALL, BST_CHECKED);
            Click(dialog, button);
        });
        const bool ok = GetInputText(text, L"Name", L"Rename", &all);
        EXPECT_EQ(shown, L"Lakeside");
        EXPECT_EQ(ok, button == IDOK);
        EXPECT_STREQ(text, button == IDOK ? L"Harbour" : L"Lakeside");
        EXPECT_EQ(all, button == IDOK);
    }
}

TEST(GetInputText, CheckBoxHiddenAndWindowShorterWithoutAFlag)
{
    int heights[2] = {};
    bool checkShown[2] = {};
    for (int i = 0; i < 2; ++i) {
        wchar_t text[MAX_PATH] = L"";
        bool all = false;
        ActOnDialog([&](HWND dialog) {
            heights[i] = WindowHeight(dialog);
            checkShown[i] = Shown(dialog, IDC_KQ_APPLY_ALL);
            Click(dialog, IDCANCEL);
        });
        GetInputText(text, L"Name", nullptr, i == 0 ? nullptr : &all);
    }
    EXPECT_FALSE(checkShown[0]);
    EXPECT_TRUE(checkShown[1]);
    EXPECT_EQ(heights[1] - heights[0], 20);
}

TEST(GetInputText, TextBoundedByTheBuffer)
{
    // The form without a size takes the MAX_PATH buffers its callers pass.
    LRESULT limit = 0;
    wchar_t path[MAX_PATH] = L"";
    ActOnDialog([&](HWND dialog) {
        limit = ::SendDlgItemMessageW(dialog, IDC_KQ_INPUT_TEXT, EM_GETLIMITTEXT, 0, 0);
        Click(dialog, IDCANCEL);
    });
    GetInputText(path, L"Name");
    EXPECT_EQ(limit, MAX_PATH - 1);

    // The sized form never writes past its capacity, even when the text was set around the limit.
    wchar_t small[8] = {L'x', L'x', L'x', L'x', L'x', L'x', L'x', L'x'};
    small[0] = 0;
    const wchar_t guard = L'#';
    wchar_t buffer[9];
    wmemcpy(buffer, small, 8);
    buffer[8] = guard;
    ActOnDialog([&](HWND dialog) {
        ::SetDlgItemTextW(dialog, IDC_KQ_INPUT_TEXT, L"A much longer name");
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(GetInputText(buffer, 8, L"Name"));
    EXPECT_EQ(wcslen(buffer), 7u);
    EXPECT_EQ(buffer[8], guard);
}

// The resize dialog on a 3000 x 2000 picture at 72 pixels/inch: what steps show, then OK.
struct ResizeRun {
    std::function<void(HWND)> steps;
    int option = 0;
    int width = 3000, height = 2000, resolution = 72;
    int result = -1;
    void Run(int press = IDOK)
    {
        ActOnDialog([this, press](HWND dialog) {
            steps(dialog);
            Click(dialog, press);
        });
        result = ShowDlgResize(&width, &height, &resolution, option);
        EXPECT_TRUE(DialogActDone());
    }
};

TEST(ShowDlgResize, UnitChangesRoundTrip)
{
    std::wstring inches[2], pixels[2];
    ResizeRun run;
    run.steps = [&](HWND dialog) {
        Choose(dialog, IDC_KQ_UNIT, 2);
        inches[0] = ItemText(dialog, IDC_KQ_WIDTH);
        inches[1] = ItemText(dialog, IDC_KQ_HEIGHT);
        Choose(dialog, IDC_KQ_UNIT, 0);
        pixels[0] = ItemText(dialog, IDC_KQ_WIDTH);
        pixels[1] = ItemText(dialog, IDC_KQ_HEIGHT);
    };
    run.Run();
    EXPECT_EQ(inches[0], L"41.67");
    EXPECT_EQ(inches[1], L"27.78");
    EXPECT_EQ(pixels[0], L"3000");
    EXPECT_EQ(pixels[1], L"2000");
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.width, 3000);
    EXPECT_EQ(run.height, 2000);
}

TEST(ShowDlgResize, KeepsAspectAndNeverFallsToZero)
{
    const struct {
        const wchar_t* typed;
        const wchar_t* width;
        const wchar_t* height;
    } cases[] = {{L"300", L"300", L"200"}, {L"", L"1", L"1"}, {L"0", L"1", L"1"}};
    for (const auto& c : cases) {
        std::wstring width, height;
        ResizeRun run;
        run.steps = [&](HWND dialog) {
            Type(dialog, IDC_KQ_WIDTH, c.typed);
            width = ItemText(dialog, IDC_KQ_WIDTH);
            height = ItemText(dialog, IDC_KQ_HEIGHT);
        };
        run.Run();
        EXPECT_EQ(width, c.width) << "typed " << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(height, c.height) << "typed " << testing::PrintToString(std::wstring(c.typed));
    }
}

TEST(ShowDlgResize, ReadBackInEachUnit)
{
    const struct {
        int unit, resolutionUnit;
        int width, height, resolution;
    } cases[] = {
        {0, 0, 3000, 2000, 72},
        {2, 0, 3000, 2000, 72},   // 41.67 x 27.78 inches
        {1, 0, 2999, 2000, 72},   // 105.83 x 70.56 cm
        {2, 1, 3000, 2000, 72},   // 28.35 pixels/cm: 72.009 per inch
    };
    for (const auto& c : cases) {
        ResizeRun run;
        run.steps = [&](HWND dialog) {
            Choose(dialog, IDC_KQ_UNIT, c.unit);
            Choose(dialog, IDC_KQ_RES_UNIT, c.resolutionUnit);
        };
        run.Run();
        EXPECT_EQ(run.result, 1);
        EXPECT_EQ(run.width, c.width) << "unit " << c.unit << "/" << c.resolutionUnit;
        EXPECT_EQ(run.height, c.height) << "unit " << c.unit << "/" << c.resolutionUnit;
        EXPECT_EQ(run.resolution, c.resolution) << "unit " << c.unit << "/" << c.resolutionUnit;
    }
    ResizeRun cancelled;
    cancelled.steps = [](HWND dialog) { Type(dialog, IDC_KQ_WIDTH, L"10"); };
    cancelled.Run(IDCANCEL);
    EXPECT_EQ(cancelled.result, 0);
    EXPECT_EQ(cancelled.width, 3000);
}

TEST(ShowDlgResize, PixelsOnlyHidesTheResolutionRow)
{
    for (const int option : {0, 1}) {
        bool shown[5] = {};
        ResizeRun run;
        run.option = option;
        run.steps = [&](HWND dialog) {
            int i = 0;
            for (int id : {IDC_KQ_UNIT, IDC_KQ_RESOLUTION, IDC_KQ_RES_SPIN, IDC_KQ_RES_UNIT, IDC_KQ_RESOLUTION_LABEL})
                shown[i++] = Shown(dialog, id);
        };
        run.Run();
        for (bool s : shown)
            EXPECT_EQ(s, option == 0) << "option " << option;
    }
}

} // namespace
