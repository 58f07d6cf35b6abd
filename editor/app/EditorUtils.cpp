#include "EditorUtils.h"
#include <gdiplus.h>
#include <array>
#include <cstring>
#include <string>
#include "AppFrame.h"
#include "FormatPrintf.h"
#include "LocalFileIO.h"
#include "RegPath.h"
#include "ShellService.h"
#include "XmlDocument.h"
#include "ZVUILibApp.h"

namespace {

struct FilterFormat {
    const wchar_t* label;
    const wchar_t* patterns;
};

// The open dialog's formats in the order the dialog lists them.
const FilterFormat kOpenFormats[] = {
    {L"KQD", L"*.kqd"},
    {L"BMP", L"*.bmp;*.dib;*.rle"},
    {L"GIF", L"*.gif"},
    {L"ICO", L"*.ico;*.cur"},
    {L"JBG", L"*.jbg"},
    {L"JP2", L"*.jp2;*.j2k"},
    {L"JPC", L"*.jpc;*.j2c"},
    {L"JPG", L"*.jpg;*.jpe;*.jpeg"},
    {L"MNG", L"*.mng;*.jng;*.png"},
    {L"PCX", L"*.pcx"},
    {L"PGX", L"*.pgx"},
    {L"PNM", L"*.pnm;*.pgm;*.ppm"},
    {L"PSD", L"*.psd"},
    {L"RAS", L"*.ras"},
    {L"RAW", L"*.nef;*.crw;*.cr2;*.mrw;*.raf;*.erf;*.3fr;*.dcr;*.raw;*.dng;*.pef;*.x3f;*.arw;*.sr2;*.mef;*.orf"},
    {L"SKA", L"*.ska"},
    {L"TGA", L"*.tga"},
    {L"TIF", L"*.tif;*.tiff"},
    {L"WBM", L"*.wbm;*.wbmp"},
    {L"WEBP", L"*.webp"},
    {L"WMF EMF", L"*.wmf;*.emf"},
};

// Every pattern of the formats above, in the order of the first entry (not quite the formats' order).
const wchar_t kAllOpenPatterns[] =
    L"*.kqd;*.bmp;*.dib;*.rle;*.gif;*.ico;*.cur;*.jbg;*.jp2;*.j2k;*.jpc;*.j2c;*.jpg;*.jpe;*.jpeg;*.mng;*.jng;*.png;"
    L"*.pcx;*.pgx;*.pnm;*.pgm;*.ppm;*.psd;*.ras;*.nef;*.crw;*.cr2;*.mrw;*.raf;*.erf;*.3fr;*.dcr;*.raw;*.dng;*.pef;"
    L"*.x3f;*.arw;*.sr2;*.mef;*.orf;*.ska;*.tga;*.tif;*.tiff;*.wbm;*.wbmp;*.wmf;*.emf;*.webp";

// The save dialog's entries; a null label is the program's own document, whose label is translated.
// Their positions are the save types of GetSaveTypeFromFileName.
const FilterFormat kSaveFormats[] = {
    {L"JPG", L"jpg"}, {L"WebP", L"webp"}, {nullptr, L"kqd"}, {L"PNG", L"png"},
    {L"BMP", L"bmp"}, {L"GIF", L"gif"}, {L"ICO", L"ico"}, {L"TGA", L"tga"},
};

struct SaveExtension {
    const wchar_t* extension;
    int type;
};

const SaveExtension kSaveExtensions4[] = {{L"jpeg", 1}, {L"webp", 2}};
const SaveExtension kSaveExtensions3[] = {
    {L"kqd", 3}, {L"bmp", 5}, {L"gif", 6}, {L"jpg", 1}, {L"png", 4}, {L"mng", 4}, {L"jng", 4}, {L"ico", 7}, {L"tga", 8},
};

// The folder part of a path ("C:\" for a file at a drive's root); empty without one.
std::wstring FolderOf(const std::wstring& path)
{
    const size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos)
        return std::wstring();
    return path.substr(0, cut == 2 && path[1] == L':' ? cut + 1 : cut);
}

// Handles every message waiting for the thread, through the application's pump when there is an
// application (its accelerators and pre-translation apply). False when a quit message came: it is
// posted again so that the loop above still ends.
bool PumpWaitingMessages()
{
    MSG msg;
    if (CWinApp* app = AfxGetApp()) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!app->PumpMessage()) {
                ::PostQuitMessage(static_cast<int>(app->m_msgCur.wParam));
                return false;
            }
        }
        return true;
    }
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

// The words that RandomRange mixes in: 540 values of a SplitMix32 sequence, made by the compiler.
constexpr size_t kMixWords = 540;

constexpr std::array<uint32_t, kMixWords> MakeMixTable()
{
    std::array<uint32_t, kMixWords> table = {};
    uint32_t seed = 0x4C756D69u;
    for (size_t i = 0; i < kMixWords; ++i) {
        seed += 0x9E3779B9u;
        uint32_t z = seed;
        z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
        z = (z ^ (z >> 13)) * 0xC2B2AE35u;
        table[i] = z ^ (z >> 16);
    }
    return table;
}

constexpr std::array<uint32_t, kMixWords> kMixTable = MakeMixTable();

uint32_t RotateLeft(uint32_t value, int bits)
{
    return (value << bits) | (value >> (32 - bits));
}

} // namespace

EditorText GetOpenFileFilter()
{
    const std::wstring files = TranslateString(L"Files");
    std::wstring filter = TranslateString(L"All Supported Picture Files");
    filter += L"|";
    filter += kAllOpenPatterns;
    filter += L"|";
    for (const FilterFormat& format : kOpenFormats) {
        filter += format.label;
        filter += L" " + files + L" (" + format.patterns + L")|" + format.patterns + L"|";
    }
    filter += TranslateString(L"All Files");
    filter += L" (*.*)|*.*||";
    return EditorText(filter.c_str());
}

// Each label, a blank and the translated word, as in the open filter ("JPG Files").
EditorText GetSaveFileFilter()
{
    const std::wstring files = TranslateString(L"files");
    std::wstring filter;
    for (const FilterFormat& format : kSaveFormats) {
        filter += format.label ? format.label : TranslateString(L"LumivoTools");
        filter += L" " + files + L" (*." + format.patterns + L")|*." + format.patterns + L"|";
    }
    filter += L"|";
    return EditorText(filter.c_str());
}

int GetSaveTypeFromFileName(const wchar_t* name)
{
    const int length = WStrLen(name);
    if (length < 3)
        return 0;
    if (length >= 4)
        for (const SaveExtension& e : kSaveExtensions4)
            if (WStrCompareNoCase(name + length - 4, e.extension) == 0)
                return e.type;
    for (const SaveExtension& e : kSaveExtensions3)
        if (WStrCompareNoCase(name + length - 3, e.extension) == 0)
            return e.type;
    return 0;
}

// The stream owns a copy of the resource and frees it on its last release; the picture holds the
// stream for as long as it needs the bytes, so nothing stays behind once the picture is gone.
bool LoadPngResource(UINT id, std::unique_ptr<Gdiplus::Image>& image)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!resource)
        return false;
    const DWORD size = ::SizeofResource(module, resource);
    const HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return false;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return false;
    void* copy = ::GlobalLock(block);
    if (!copy) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(copy, bytes, size);
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return false;
    }
    std::unique_ptr<Gdiplus::Image> picture(new Gdiplus::Image(stream));
    stream->Release();
    if (picture->GetLastStatus() != Gdiplus::Ok)
        return false;
    image = std::move(picture);
    return true;
}

int GetHistoryLimit(int64_t pixels)
{
    // Every step may hold a whole layer, so larger pictures keep fewer steps.
    if (pixels > 25000000)
        return 1;
    if (pixels > 16000000)
        return 3;
    if (pixels > 9000000)
        return 5;
    if (pixels > 4000000)
        return 10;
    return 20;
}

// The reported total is cut to whole kilobytes first: machines sold as 2 GB report a little less
// or more than 2^31 bytes, and only the cut total is compared.
bool IsLowMemorySystem()
{
    MEMORYSTATUSEX status = { sizeof status };
    if (!::GlobalMemoryStatusEx(&status))
        return false;
    return (status.ullTotalPhys & ~DWORDLONG(0x3FF)) < (DWORDLONG(1) << 31);
}

int CalcSidePaneWidth(double uiFontHeight, int workAreaWidth, int scrollBarWidth)
{
    const double scale = uiFontHeight / 12 > 1 ? uiFontHeight / 12 : 1;
    const double cell = 140 * scale;
    int columns = (workAreaWidth / 5 - scrollBarWidth) / static_cast<int>(cell + 20);
    if (columns < 2)
        columns = 2;
    return static_cast<int>(columns * cell + columns * 20 + scrollBarWidth);
}

int CalcSidePaneWidth()
{
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ICONMETRICSW metrics = { sizeof metrics };
    ::SystemParametersInfoW(SPI_GETICONMETRICS, sizeof metrics, &metrics, 0);
    const LONG height = metrics.lfFont.lfHeight < 0 ? -metrics.lfFont.lfHeight : metrics.lfFont.lfHeight;
    return CalcSidePaneWidth(height, work.right - work.left, ::GetSystemMetrics(SM_CXVSCROLL));
}

int CountSceneSlots(const wchar_t* picturePath)
{
    if (!picturePath || !*picturePath)
        return 0;
    const std::wstring path(picturePath);
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring title = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    const size_t dot = title.find_last_of(L'.');
    if (dot != std::wstring::npos)
        title.resize(dot);
    std::wstring description = FolderOf(path);
    if (!description.empty() && description.back() != L'\\')
        description += L'\\';
    description += title + L".xml";
    XmlDocument document;
    if (!XmlLoadFile(&document, description.c_str()))
        return 0;
    XmlNode* slots = document.FindChild(L"Slots");
    if (!slots)
        return 0;
    int count = 0;
    for (const XmlNode& child : slots->children)
        if (child.kind == XML_NODE_ELEMENT)
            ++count;
    return count;
}

int GetFileDateNumber(const wchar_t* path)
{
    FILETIME written = {}, local = {};
    SYSTEMTIME date = {};
    if (!path || !GetLocalFileIO().GetTimes(path, &written, nullptr, nullptr) || !::FileTimeToLocalFileTime(&written, &local) ||
        !::FileTimeToSystemTime(&local, &date))
        return 0;
    return date.wYear * 10000 + date.wMonth * 100 + date.wDay;
}

// The page maker draws from several threads at once: each thread has a state of its own, seeded
// from the tick count and the thread, so neither a lock nor a shared sequence is needed.
uint32_t RandomRange(uint32_t low, uint32_t high)
{
    if (high <= low)
        return low;
    thread_local uint32_t state = ::GetTickCount() ^ RotateLeft(::GetCurrentThreadId(), 16) ^ 0xA5A5A5A5u;
    // A xorshift step, then rounds of XOR and subtraction with words of the table that the
    // value itself picks.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    if (state == 0)
        state = 0x6D2B79F5u; // xorshift never leaves zero
    uint32_t value = state;
    for (int round = 0; round < 4; ++round) {
        value ^= kMixTable[value % kMixWords];
        value = RotateLeft(value, 11) - kMixTable[(value >> 7) % kMixWords];
    }
    const uint32_t span = high - low + 1; // 0 when the range spans every value
    return span == 0 ? low + value : low + value % span;
}

EditorText HotKeyToText(DWORD hotKey)
{
    static const struct {
        WORD key;
        const wchar_t* name;
    } kNamedKeys[] = {
        {VK_BACK, L"Back"}, {VK_TAB, L"Tab"}, {VK_RETURN, L"Enter"}, {VK_LEFT, L"Left"},
        {VK_UP, L"Up"}, {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"}, {VK_DELETE, L"Delete"},
    };
    const WORD modifiers = HIWORD(hotKey), key = LOWORD(hotKey);
    std::wstring text;
    if (modifiers & HOTKEYF_CONTROL)
        text += L"Ctrl+";
    if (modifiers & HOTKEYF_ALT)
        text += L"Alt+";
    if (modifiers & HOTKEYF_SHIFT)
        text += L"Shift+";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        text += static_cast<wchar_t>(key);
    } else if (key >= VK_F1 && key <= VK_F12) {
        text += L"F" + std::to_wstring(key - VK_F1 + 1);
    } else {
        const wchar_t* name = nullptr;
        for (const auto& named : kNamedKeys)
            if (named.key == key)
                name = named.name;
        if (!name)
            return EditorText();
        text += name;
    }
    return EditorText(text.c_str());
}

bool IsWindows10OrLater()
{
    win32::RegKey key;
    DWORD major = 0;
    return key.Open(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion", KEY_QUERY_VALUE) &&
           key.ReadDword(L"CurrentMajorVersionNumber", major) && major >= 10;
}

bool IsTarvexInstalled()
{
    win32::RegKey key;
    return key.Open(HKEY_CURRENT_USER, L"Software\\Orbrey\\Tarvex", KEY_READ);
}

bool GetLumivoToolsSkin(DWORD& skin)
{
    skin = 1;
    win32::RegKey key;
    return key.Open(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoTools", KEY_QUERY_VALUE) && key.ReadDword(L"Skin", skin);
}

bool SetSkinValue(const wchar_t* registryPath, DWORD skin)
{
    return RegSetPath(registryPath, &skin, REG_DWORD, sizeof skin);
}

int SPrintfW2(wchar_t* buffer, int capacity, const wchar_t* format, ...)
{
    if (!buffer || capacity <= 0)
        return -1;
    buffer[0] = 0;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int needed = FormatPrintfW(nullptr, format, args);
    va_end(args);
    int written = -1;
    if (needed >= 0 && needed < capacity)
        written = FormatPrintfW(buffer, format, again);
    va_end(again);
    return written;
}

// The start page waits here for the browser: its tray icon, hot keys and windows must keep
// answering, so the wait wakes for every message as well as for the end of the process.
bool RunAndWait(const wchar_t* program, const wchar_t* parameters, bool wait)
{
    if (!program || !*program)
        return false;
    const std::wstring folder = FolderOf(program);
    const win32::KernelHandle process =
        zvui::Shell().StartProgram(program, parameters, folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    if (!process.IsValid())
        return false;
    HANDLE handle = process.Get();
    while (wait) {
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1 || !PumpWaitingMessages())
            break; // the program ended, the quit message came, or the handle cannot be waited on
    }
    return true;
}
