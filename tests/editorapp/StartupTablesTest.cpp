// The rules of start-up and the start page without its window: first mode, page size and place,
// skins, hot-key values, tiles, version, title, log-on command and data seeding.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <set>
#include <string>
#include "EditorAppTestSupport.h"
#include "KQCmdUI.h"
#include "LumivoVersion.h"
#include "StartupTables.h"
#include "ZVQuery.h"

namespace {

using editorapp::RegValueGuard;
using testsupport::TempFolder;

TEST(StartupTables, FirstModeFollowsThePrecedenceOfTheSwitches)
{
    const struct {
        const wchar_t* line;
        StartMode mode;
    } cases[] = {
        {L"", StartMode::None},
        {L"/start", StartMode::None},
        {L"/batch", StartMode::None},
        {L"/page /editor", StartMode::Editor},
        {L"/combine /cosmet /page", StartMode::Cosmet},
        {L"-combine -page", StartMode::Page},
        {L"/split /effect", StartMode::Effect},
        {L"/crop /split", StartMode::Split},
        {L"/combine /crop /start", StartMode::Crop},
        {L"/combine", StartMode::Combine},
    };
    for (const auto& c : cases) {
        CKQCmdUI cmd;
        if (*c.line)
            ASSERT_TRUE(cmd.Parse(c.line)) << c.line;
        EXPECT_EQ(FirstModeFromSwitches(cmd), c.mode) << c.line;
    }
}

TEST(StartupTables, PageSizeByFontHeightFallsBackToWhatFitsTheWorkArea)
{
    const struct {
        int font, workWidth, workHeight;
        StartPageSize size;
    } cases[] = {
        {12, 1920, 1040, {1024, 730, 160, 150}},
        {14, 1920, 1040, {1024, 730, 160, 150}},
        {15, 1920, 1040, {1302, 930, 200, 190}},
        {25, 1920, 1040, {1302, 930, 200, 190}},
        {26, 3840, 2100, {2048, 1460, 310, 300}},
        // 144 DPI on 1280 x 1024: the middle size would be cut off.
        {18, 1280, 994, {1024, 730, 160, 150}},
        {30, 1920, 1040, {1302, 930, 200, 190}},
        {30, 1302, 930, {1302, 930, 200, 190}},
        {30, 1301, 2000, {1024, 730, 160, 150}},
        // Nothing fits: the smallest.
        {12, 800, 600, {1024, 730, 160, 150}},
    };
    for (const auto& c : cases) {
        const StartPageSize size = ChooseStartPageSize(c.font, c.workWidth, c.workHeight);
        EXPECT_EQ(size.width, c.size.width) << c.font << " " << c.workWidth;
        EXPECT_EQ(size.height, c.size.height) << c.font << " " << c.workWidth;
        EXPECT_EQ(size.tileWidth, c.size.tileWidth) << c.font << " " << c.workWidth;
        EXPECT_EQ(size.tileHeight, c.size.tileHeight) << c.font << " " << c.workWidth;
    }
}

TEST(StartupTables, CentringRoundsTowardZeroAndKeepsTheWorkAreaOrigin)
{
    const struct {
        RECT work;
        int width, height;
        POINT at;
    } cases[] = {
        {{0, 0, 1280, 1024}, 1024, 730, {128, 147}},
        {{0, 0, 1281, 1025}, 1024, 730, {128, 147}},
        {{100, 30, 1380, 1054}, 1024, 730, {228, 177}},
        // Larger than the area: a negative half, rounded toward zero.
        {{0, 0, 1023, 729}, 1024, 730, {0, 0}},
        {{0, 0, 1021, 727}, 1024, 730, {-1, -1}},
    };
    for (const auto& c : cases) {
        const POINT at = CenterInWorkArea(c.work, c.width, c.height);
        EXPECT_EQ(at.x, c.at.x) << c.work.right;
        EXPECT_EQ(at.y, c.at.y) << c.work.bottom;
    }
}

TEST(StartupTables, SkinsHaveTheirBackgroundsCaptionColoursAndCommands)
{
    const struct {
        DWORD stored;
        unsigned skin;
        const wchar_t* file;
        bool systemCaption;
        COLORREF caption;
        UINT command;
    } cases[] = {
        {0, 0, L"BKWhite.webp", false, RGB(0, 0, 0), 32824},
        {1, 1, L"BKBlack.webp", false, RGB(255, 255, 255), 33178},
        {2, 2, L"BKPink.webp", false, RGB(255, 255, 255), 32851},
        {3, 3, L"BKYellow.webp", true, 0, 33120},
        {4, 4, L"BKGreen.webp", false, RGB(255, 255, 255), 33121},
        {5, 5, L"BKBlue.webp", false, RGB(255, 255, 255), 32830},
        {6, 6, L"BKPurple.webp", false, RGB(255, 255, 255), 32908},
        {7, 1, L"BKBlack.webp", false, RGB(255, 255, 255), 33178},
        {9, 1, L"BKBlack.webp", false, RGB(255, 255, 255), 33178},
        {0xFFFFFFFF, 1, L"BKBlack.webp", false, RGB(255, 255, 255), 33178},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeSkin(c.stored), c.skin) << c.stored;
        const SkinLook& look = GetSkinLook(c.stored);
        EXPECT_STREQ(look.background, c.file) << c.stored;
        EXPECT_EQ(look.systemCaptionColour, c.systemCaption) << c.stored;
        if (!c.systemCaption)
            EXPECT_EQ(look.captionColour, c.caption) << c.stored;
        EXPECT_EQ(SkinFromCommand(c.command), static_cast<int>(c.skin)) << c.stored;
    }
    EXPECT_EQ(SkinFromCommand(33268), -1);
    // The editor keeps its own value even where only the browser's exists.
    EXPECT_STREQ(kEditorSkinValue, L"HKCU\\Software\\Lumivo\\LumivoTools\\Skin");
}

TEST(StartupTables, HotKeyFlagsAreTranslatedToTheSystemsModifiers)
{
    const struct {
        DWORD stored;
        UINT modifiers, key;
        WORD controlWord;
    } cases[] = {
        {kDefaultCaptureHotkey, MOD_CONTROL, VK_F5, MAKEWORD(VK_F5, HOTKEYF_CONTROL)},
        {kDefaultSaveCaptureHotkey, MOD_CONTROL, VK_F6, MAKEWORD(VK_F6, HOTKEYF_CONTROL)},
        {0x10074, MOD_SHIFT, VK_F5, MAKEWORD(VK_F5, HOTKEYF_SHIFT)},
        {0x40041, MOD_ALT, 'A', MAKEWORD('A', HOTKEYF_ALT)},
        {0x70076, MOD_SHIFT | MOD_CONTROL | MOD_ALT, VK_F7, MAKEWORD(VK_F7, HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT)},
        {0x00041, 0, 'A', MAKEWORD('A', 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HotKeySystemModifiers(c.stored), c.modifiers) << std::hex << c.stored;
        EXPECT_EQ(HotKeyVirtualKey(c.stored), c.key) << std::hex << c.stored;
        EXPECT_EQ(HotKeyToControlWord(c.stored), c.controlWord) << std::hex << c.stored;
        EXPECT_EQ(HotKeyFromControlWord(c.controlWord), c.stored) << std::hex << c.stored;
    }
    // Shift+F7 from the control, as the options store it.
    EXPECT_EQ(HotKeyFromControlWord(MAKEWORD(VK_F7, HOTKEYF_SHIFT)), 0x10076u);
}

TEST(StartupTables, TilesInOrderWithTheirPicturesColoursGroupsAndKinds)
{
    const struct {
        StartTile tile;
        UINT image;
        COLORREF background;
        int group;
        unsigned userData;
        int kind, frames;
    } expected[] = {
        {StartTile::Page, 586, 0xEB7125, 0, 7, 2, 2},     {StartTile::Batch, 551, 0x2748D3, 0, 4, 1, 0},
        {StartTile::Browse, 230, 0x854718, 0, 1, 0, 2},   {StartTile::Editor, 238, 0xAC3452, 0, 3, 0, 0},
        {StartTile::Effect, 582, 0x3D19AC, 1, 6, 2, 2},   {StartTile::Combine, 549, 0xAE9C00, 1, 8, 0, 0},
        {StartTile::Split, 550, 0xAE9C00, 1, 9, 0, 0},    {StartTile::Capture, 630, 0x2748D3, 1, 10, 1, 0},
        {StartTile::Tarvex, 519, 0x000000, 1, 15, 0, 0},
    };
    ASSERT_EQ(kStartTileCount, sizeof expected / sizeof expected[0]);
    std::set<unsigned> userData;
    for (size_t i = 0; i < kStartTileCount; ++i) {
        const StartTileInfo& t = kStartTiles[i];
        EXPECT_EQ(t.tile, expected[i].tile) << i;
        EXPECT_EQ(t.image, expected[i].image) << i;
        EXPECT_EQ(t.background, expected[i].background) << i;
        EXPECT_EQ(t.group, expected[i].group) << i;
        EXPECT_EQ(t.userData, expected[i].userData) << i;
        EXPECT_EQ(t.kind, expected[i].kind) << i;
        EXPECT_EQ(t.frames, expected[i].frames) << i;
        EXPECT_EQ(FindStartTile(t.userData), &t) << i;
        userData.insert(t.userData);
    }
    EXPECT_EQ(userData.size(), kStartTileCount) << "each tile answers to its own user data";
    EXPECT_EQ(kNewVersionTile.image, 589u);
    EXPECT_EQ(kNewVersionTile.group, 1);
    EXPECT_EQ(kNewVersionTile.userData, 13u);
    EXPECT_EQ(FindStartTile(13), &kNewVersionTile);
    EXPECT_EQ(FindStartTile(2), nullptr);

    EXPECT_TRUE(StartTileShown(StartTile::Tarvex, false));
    EXPECT_FALSE(StartTileShown(StartTile::Tarvex, true));
    EXPECT_TRUE(StartTileShown(StartTile::Browse, true));
}

TEST(StartupTables, NewVersionTileOnlyForAStoredNewerVersion)
{
    const struct {
        const wchar_t* stored;
        bool newer;
    } cases[] = {
        {nullptr, false}, {L"", false}, {L"1.4.6", false}, {L"1.4.5", false},
        {L"1.4.7", true}, {L"1.10.0", true}, {L"2.0", true}, {L"garbage", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StoredVersionIsNewer(c.stored, ZVQUERY_CURRENT_VERSION_W), c.newer) << (c.stored ? c.stored : L"(null)");
}

TEST(StartupTables, TheVersionResourceAgreesWithTheProgramsVersion)
{
    EXPECT_STREQ(LUMIVO_VERSION_TEXT, ZVQUERY_CURRENT_VERSION_A);
}

TEST(StartupTables, TitleWithAndWithoutAFile)
{
    EXPECT_EQ(std::wstring(MakeStartPageTitle(L"Lumivo Tools", L"1.4.6", L"Open", nullptr).GetString()), L"Lumivo Tools 1.4.6");
    EXPECT_EQ(std::wstring(MakeStartPageTitle(L"Lumivo Tools", L"1.4.6", L"Open", L"").GetString()), L"Lumivo Tools 1.4.6");
    EXPECT_EQ(std::wstring(MakeStartPageTitle(L"Lumivo Tools", L"1.4.6", L"Open", L"C:\\a b\\c.png").GetString()),
              L"Lumivo Tools 1.4.6   Open C:\\a b\\c.png");
}

TEST(StartupTables, AutoStartCommandAndWhenTheSaveTouchesIt)
{
    EXPECT_EQ(std::wstring(MakeAutoStartCommand(L"C:\\Program Files\\Lumivo\\LumivoTools.exe").GetString()),
              L"\"C:\\Program Files\\Lumivo\\LumivoTools.exe\" /start");
    const struct {
        bool checked, loaded, resetting, writes;
    } cases[] = {
        {false, false, false, false}, {true, true, false, false}, {true, false, false, true},
        {false, true, false, true},   {true, true, true, true},   {false, false, true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutoStartNeedsWrite(c.checked, c.loaded, c.resetting), c.writes) << c.checked << c.loaded << c.resetting;
}

TEST(StartupTables, RunValueIsReadBoundedAndTerminated)
{
    const RegValueGuard guard(HKEY_CURRENT_USER, kRunKey, kRunValueName);
    // Stored without a terminator: the text still ends where the value does.
    const wchar_t unterminated[] = {L'"', L'x', L'"', L' ', L'/', L's'};
    ASSERT_TRUE(guard.Set(REG_SZ, unterminated, sizeof unterminated));
    EXPECT_EQ(std::wstring(ReadAutoStartValue().GetString()), L"\"x\" /s");
    // Longer than 4096 bytes: nothing is read past the bound.
    const std::wstring longText(3000, L'a');
    ASSERT_TRUE(guard.Set(REG_SZ, longText.c_str(), DWORD((longText.size() + 1) * sizeof(wchar_t))));
    EXPECT_EQ(std::wstring(ReadAutoStartValue().GetString()), L"");
    ASSERT_TRUE(guard.Set(REG_SZ, nullptr, 0));
    EXPECT_EQ(std::wstring(ReadAutoStartValue().GetString()), L"");
}

TEST(StartupTables, SeedingCopiesMissingFilesAndKeepsTheUsersOwn)
{
    TempFolder temp;
    const std::wstring from = temp.At(L"Data"), to = temp.At(L"User");
    CreateDirectoryW(from.c_str(), nullptr);
    CreateDirectoryW((from + L"\\StartPage").c_str(), nullptr);
    ASSERT_TRUE(TempFolder::Put(from + L"\\StartPage\\BKBlack.webp", "shipped"));
    ASSERT_TRUE(TempFolder::Put(from + L"\\top.xml", "shipped top"));
    CreateDirectoryW(to.c_str(), nullptr);
    ASSERT_TRUE(TempFolder::Put(to + L"\\top.xml", "changed by the user"));

    EXPECT_EQ(SeedDataFolder(from.c_str(), to.c_str()), 1);
    EXPECT_EQ(TempFolder::Get(to + L"\\StartPage\\BKBlack.webp"), "shipped");
    EXPECT_EQ(TempFolder::Get(to + L"\\top.xml"), "changed by the user");
    // A second start finds everything in place.
    EXPECT_EQ(SeedDataFolder(from.c_str(), to.c_str()), 0);
    EXPECT_EQ(SeedDataFolder(temp.At(L"missing").c_str(), to.c_str()), 0);
}

} // namespace
