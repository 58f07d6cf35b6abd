#include "StartupTables.h"
#include <commctrl.h>
#include <string>
#include "KQCmdUI.h"
#include "ZVQuery.h"

StartMode FirstModeFromSwitches(const CKQCmdUI& switches)
{
    const struct {
        bool CKQCmdUI::*flag;
        StartMode mode;
    } kPrecedence[] = {
        {&CKQCmdUI::editor, StartMode::Editor}, {&CKQCmdUI::cosmet, StartMode::Cosmet},
        {&CKQCmdUI::page, StartMode::Page},     {&CKQCmdUI::effect, StartMode::Effect},
        {&CKQCmdUI::split, StartMode::Split},   {&CKQCmdUI::crop, StartMode::Crop},
        {&CKQCmdUI::combine, StartMode::Combine},
    };
    for (const auto& entry : kPrecedence)
        if (switches.*entry.flag)
            return entry.mode;
    return StartMode::None;
}

StartPageSize ChooseStartPageSize(int fontHeight, int workWidth, int workHeight)
{
    // From the smallest up; a font of at least minFontHeight asks for the row.
    static const struct {
        int minFontHeight;
        StartPageSize size;
    } kSizes[] = {
        {0, {1024, 730, 160, 150}},
        {15, {1302, 930, 200, 190}},
        {26, {2048, 1460, 310, 300}},
    };
    const int count = static_cast<int>(sizeof kSizes / sizeof kSizes[0]);
    int wanted = 0;
    for (int i = 0; i < count; ++i)
        if (fontHeight >= kSizes[i].minFontHeight)
            wanted = i;
    // At 144 DPI the middle size would run off a 1280 x 1024 screen.
    for (int i = wanted; i >= 0; --i)
        if (kSizes[i].size.width <= workWidth && kSizes[i].size.height <= workHeight)
            return kSizes[i].size;
    return kSizes[0].size;
}

POINT CenterInWorkArea(const RECT& work, int width, int height)
{
    return POINT{work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
}

namespace {
const SkinLook kSkins[kSkinCount] = {
    {L"White", L"BKWhite.webp", false, RGB(0, 0, 0), 32824},
    {L"Black", L"BKBlack.webp", false, RGB(255, 255, 255), 33178},
    {L"Pink", L"BKPink.webp", false, RGB(255, 255, 255), 32851},
    {L"Yellow", L"BKYellow.webp", true, RGB(0, 0, 0), 33120},
    {L"Green", L"BKGreen.webp", false, RGB(255, 255, 255), 33121},
    {L"Blue", L"BKBlue.webp", false, RGB(255, 255, 255), 32830},
    {L"Purple", L"BKPurple.webp", false, RGB(255, 255, 255), 32908},
};
} // namespace

const wchar_t kEditorSkinValue[] = L"HKCU\\Software\\Lumivo\\LumivoTools\\Skin";

unsigned NormalizeSkin(DWORD stored)
{
    return stored < kSkinCount ? stored : kDefaultSkin;
}

const SkinLook& GetSkinLook(unsigned skin)
{
    return kSkins[NormalizeSkin(skin)];
}

int SkinFromCommand(UINT command)
{
    for (unsigned i = 0; i < kSkinCount; ++i)
        if (kSkins[i].command == command)
            return static_cast<int>(i);
    return -1;
}

UINT HotKeySystemModifiers(DWORD hotKey)
{
    // The stored flags are the hot-key control's; the system numbers Shift and Alt the other way.
    const WORD flags = HIWORD(hotKey);
    UINT modifiers = 0;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    return modifiers;
}

UINT HotKeyVirtualKey(DWORD hotKey)
{
    return LOWORD(hotKey);
}

DWORD HotKeyFromControlWord(DWORD controlWord)
{
    return (static_cast<DWORD>(HIBYTE(LOWORD(controlWord))) << 16) | LOBYTE(LOWORD(controlWord));
}

WORD HotKeyToControlWord(DWORD hotKey)
{
    return MAKEWORD(LOBYTE(LOWORD(hotKey)), LOBYTE(HIWORD(hotKey)));
}

const StartTileInfo kStartTiles[] = {
    {StartTile::Page, 586, 0xEB7125, 0, 7, 2, 2},
    {StartTile::Batch, 551, 0x2748D3, 0, 4, 1, 0},
    {StartTile::Browse, 230, 0x854718, 0, 1, 0, 2},
    {StartTile::Editor, 238, 0xAC3452, 0, 3, 0, 0},
    {StartTile::Effect, 582, 0x3D19AC, 1, 6, 2, 2},
    {StartTile::Combine, 549, 0xAE9C00, 1, 8, 0, 0},
    {StartTile::Split, 550, 0xAE9C00, 1, 9, 0, 0},
    {StartTile::Capture, 630, 0x2748D3, 1, 10, 1, 0},
    {StartTile::Tarvex, 519, 0x000000, 1, 15, 0, 0},
};
const size_t kStartTileCount = sizeof kStartTiles / sizeof kStartTiles[0];
const StartTileInfo kNewVersionTile = {StartTile::NewVersion, 589, 0x000000, 1, 13, 0, 0};

bool StartTileShown(StartTile tile, bool tarvexInstalled)
{
    return tile != StartTile::Tarvex || !tarvexInstalled;
}

const StartTileInfo* FindStartTile(unsigned userData)
{
    if (userData == kNewVersionTile.userData)
        return &kNewVersionTile;
    for (const auto& info : kStartTiles)
        if (info.userData == userData)
            return &info;
    return nullptr;
}

bool StoredVersionIsNewer(const wchar_t* stored, const wchar_t* current)
{
    return stored && *stored && CompareVersionText(current, stored);
}

EditorText MakeStartPageTitle(const wchar_t* name, const wchar_t* version, const wchar_t* openWord, const wchar_t* firstFile)
{
    std::wstring title = std::wstring(name ? name : L"") + L" " + (version ? version : L"");
    if (firstFile && *firstFile)
        title += std::wstring(L"   ") + (openWord ? openWord : L"") + L" " + firstFile;
    return EditorText(title.c_str());
}

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValueName[] = L"Lumivo";

EditorText MakeAutoStartCommand(const wchar_t* programPath)
{
    return EditorText((L"\"" + std::wstring(programPath ? programPath : L"") + L"\" /start").c_str());
}

EditorText ReadAutoStartValue()
{
    const DWORD kMaxBytes = 4096;
    wchar_t text[kMaxBytes / sizeof(wchar_t) + 1] = {};
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return EditorText();
    DWORD type = 0, bytes = kMaxBytes;
    const LONG result = RegQueryValueExW(key, kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return EditorText();
    // A value stored without its terminator still ends inside the buffer.
    text[bytes / sizeof(wchar_t)] = 0;
    return EditorText(text);
}

bool AutoStartNeedsWrite(bool checked, bool checkedWhenLoaded, bool resetting)
{
    return resetting || checked != checkedWhenLoaded;
}

namespace {
int SeedFolder(const std::wstring& source, const std::wstring& target)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((source + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int copied = 0;
    CreateDirectoryW(target.c_str(), nullptr);
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring from = source + L"\\" + name, to = target + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied += SeedFolder(from, to);
        else if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES && CopyFileW(from.c_str(), (to + L".tmp").c_str(), FALSE)) {
            // Published whole or not at all, and never over a file that appeared meanwhile.
            if (MoveFileExW((to + L".tmp").c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
                ++copied;
            else
                DeleteFileW((to + L".tmp").c_str());
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return copied;
}
} // namespace

int SeedDataFolder(const wchar_t* source, const wchar_t* target)
{
    if (!source || !*source || !target || !*target)
        return 0;
    return SeedFolder(source, target);
}
