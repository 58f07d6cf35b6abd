#pragma once
// The translated captions of the editor's menu bar. Items are found by command id, sub-menus by
// their place in their top-level menu, so a re-ordered menu can't mislabel an item. Every run
// sets whole captions: "..." never doubles and a language switch back and forth is lossless.
#include <functional>
#include <string>
#include <windows.h>

namespace editorcaptions {

using Translator = std::function<std::wstring(const wchar_t* key)>;

// The caption keys of the top-level menus, left to right.
extern const wchar_t* const kTopMenuKeys[8];

// The key of an item's caption and whether "..." follows its translation; null for an unknown
// command.
const wchar_t* ItemCaptionKey(UINT command, bool* ellipsis = nullptr);
// The key of the sub-menu at `place` of top-level menu `top`; null when there is none.
const wchar_t* SubMenuCaptionKey(int top, int place);

// A translated caption that keeps the keyboard letter of the caption it replaces: a
// translation with its own '&' stands; otherwise the letter is marked where the translation
// has it (ignoring case) or appended as "(&X)". The old caption's tab part (its shortcut)
// is kept.
std::wstring WithMnemonic(const std::wstring& translated, const std::wstring& before);

// Sets the captions of the drop-down menu of top-level menu `top` and of its sub-menus.
void ApplyMenuCaptions(HMENU menu, int top, const Translator& translate);

// Every key the editor frame translates for its window, panes and menus (for the check that
// each language file has them all).
std::wstring FrameCaptionKeys();

} // namespace editorcaptions
