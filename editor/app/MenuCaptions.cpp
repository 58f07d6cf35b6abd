#include "MenuCaptions.h"
#include <cwctype>
#include <iterator>

namespace editorcaptions {

const wchar_t* const kTopMenuKeys[8] = {L"File", L"Edit", L"Image", L"Layer", L"Adjust", L"Filters", L"View", L"Help"};

namespace {

struct ItemCaption {
    UINT command;
    const wchar_t* key;
    bool ellipsis;
};
const ItemCaption kItems[] = {
    // File
    {32926, L"New", false}, {32925, L"Open", false}, {33169, L"From Clipboard", false},
    {33221, L"From Camera", false}, {32901, L"Save", false}, {32923, L"Save as", true},
    {57602, L"Close", false}, {33109, L"Shape to Page", false}, {33219, L"Print", true},
    {57665, L"Exit", false},
    // Edit
    {31007, L"Undo", false}, {31006, L"Redo", false}, {31008, L"Cut", false}, {31009, L"Copy", true},
    {31010, L"Paste", false}, {32857, L"Delete", false}, {33086, L"Select all", false},
    // Image
    {33012, L"Resize", true}, {33014, L"Canvas size", true}, {31013, L"Flip vertical", false},
    {31014, L"Flip horizontal", false}, {33017, L"Rotate left", false}, {33018, L"Rotate right", false},
    {31015, L"Rotate", true}, {31005, L"Crop", false}, {33087, L"Transparent color", true},
    // Layer
    {33021, L"Blank", true}, {33022, L"Open as layer", true}, {33023, L"Text", true},
    {33047, L"Duplicate", false}, {33026, L"Delete", false}, {33027, L"Convert text to image layer", false},
    {33045, L"Blank", true}, {33046, L"Automatic transparency", false}, {33092, L"Horizontal", false},
    {33093, L"Vertical", false}, {33094, L"F diagonal", false}, {33095, L"B diagonal", false},
    {33090, L"Radial", false}, {33030, L"Flip vertical", false}, {33029, L"Flip horizontal", false},
    {33031, L"Rotate left", false}, {33032, L"Rotate right", false}, {33033, L"Rotate", true},
    {33034, L"Crop layer", false}, {33035, L"Export layer", false}, {33036, L"Hide all layer", false},
    {33037, L"Show all layer", true}, {33048, L"Merge all visible layer", false},
    {33040, L"Merge all layer", false}, {33167, L"Add shadow", true}, {33041, L"Rename layer", true},
    {33042, L"Options", true},
    // Adjust
    {33051, L"Brightness / Contrast", true}, {33053, L"Hue / Saturation", true}, {33055, L"Negative", false},
    {33056, L"Gray Scale", false}, {33058, L"Threshold", true}, {33059, L"Gamma", true},
    // Filters
    {33062, L"Illusion", true}, {33063, L"Motion blur", true}, {33064, L"Radial blur", true},
    {33065, L"Zoom blur", true}, {33066, L"Ribbon", true}, {33067, L"Bulge", true}, {33068, L"Twist", true},
    {33069, L"Wave", true}, {33070, L"Ripple", true}, {33078, L"Shift", true}, {33072, L"Sunshine", true},
    {33073, L"Lens flare", true}, {33074, L"Blinds", true}, {33075, L"Glass tile", true},
    {33076, L"3D frame", true}, {33077, L"3D grid", true}, {33080, L"Mosaic", true}, {33081, L"Noisy", true},
    {33082, L"Splash", true}, {33083, L"Edge", false}, {33084, L"Emboss", false},
    // View
    {33105, L"Show grid", false}, {33106, L"Set the grid width", true}, {33002, L"Page", false},
    {33200, L"Split", false}, {33125, L"Layer List View", false}, {33126, L"Basic bar", false},
    {33127, L"Filter bar", false}, {33128, L"Material bar", false}, {33129, L"Frame bar", false},
    // Help
    {57664, L"About", true},
};

struct SubMenuCaption {
    int top, place;
    const wchar_t* key;
};
const SubMenuCaption kSubMenus[] = {
    {0, 9, L"Export"},
    {2, 2, L"Transform"},
    {3, 0, L"New"}, {3, 5, L"Insert new background"}, {3, 6, L"Transparent gradient"}, {3, 7, L"Transform"},
    {5, 0, L"Distort"}, {5, 1, L"Light"}, {5, 2, L"Other"},
    {6, 6, L"Window"},
};

// The keyboard letter of a caption: the character after its first single '&'.
wchar_t MnemonicOf(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] != L'&')
            return caption[i + 1];
        ++i;
    }
    return 0;
}

std::wstring CaptionOf(HMENU menu, int place)
{
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(place), text, static_cast<int>(std::size(text)) - 1, MF_BYPOSITION);
    return text;
}

void SetCaption(HMENU menu, int place, const std::wstring& caption)
{
    MENUITEMINFOW info = {sizeof info};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    ::SetMenuItemInfoW(menu, static_cast<UINT>(place), TRUE, &info);
}

} // namespace

const wchar_t* ItemCaptionKey(UINT command, bool* ellipsis)
{
    for (const ItemCaption& item : kItems)
        if (item.command == command) {
            if (ellipsis)
                *ellipsis = item.ellipsis;
            return item.key;
        }
    return nullptr;
}

const wchar_t* SubMenuCaptionKey(int top, int place)
{
    for (const SubMenuCaption& sub : kSubMenus)
        if (sub.top == top && sub.place == place)
            return sub.key;
    return nullptr;
}

std::wstring WithMnemonic(const std::wstring& translated, const std::wstring& before)
{
    const size_t tab = before.find(L'\t');
    const std::wstring shortcut = tab == std::wstring::npos ? std::wstring() : before.substr(tab);
    const wchar_t letter = MnemonicOf(before.substr(0, tab));
    std::wstring caption = translated;
    if (letter && caption.find(L'&') == std::wstring::npos) {
        size_t at = std::wstring::npos;
        for (size_t i = 0; i < caption.size() && at == std::wstring::npos; ++i)
            if (std::towlower(caption[i]) == std::towlower(letter))
                at = i;
        if (at != std::wstring::npos)
            caption.insert(at, 1, L'&');
        else
            caption += std::wstring(L"(&") + static_cast<wchar_t>(std::towupper(letter)) + L")";
    }
    return caption + shortcut;
}

void ApplyMenuCaptions(HMENU menu, int top, const Translator& translate)
{
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int place = 0; place < count; ++place) {
        if (HMENU sub = ::GetSubMenu(menu, place)) {
            if (const wchar_t* key = SubMenuCaptionKey(top, place))
                SetCaption(menu, place, WithMnemonic(translate(key), CaptionOf(menu, place)));
            ApplyMenuCaptions(sub, top, translate);
            continue;
        }
        bool ellipsis = false;
        const wchar_t* key = ItemCaptionKey(::GetMenuItemID(menu, place), &ellipsis);
        if (!key)
            continue;   // separators and items of no table
        std::wstring text = translate(key);
        if (ellipsis)
            text += L"...";
        SetCaption(menu, place, WithMnemonic(text, CaptionOf(menu, place)));
    }
}

std::wstring FrameCaptionKeys()
{
    std::wstring keys = L"Editor\nFilter\nBasic\nLayer List View\nMaterial\nFrame\nAutomatic\n";
    for (const wchar_t* key : kTopMenuKeys)
        keys += std::wstring(key) + L"\n";
    for (const ItemCaption& item : kItems)
        keys += std::wstring(item.key) + L"\n";
    for (const SubMenuCaption& sub : kSubMenus)
        keys += std::wstring(sub.key) + L"\n";
    return keys;
}

} // namespace editorcaptions
