#pragma once
// The command notices of a text sheet page, dispatched by a table of control ids that the page
// got at construction (a message map holds fixed ids only).
#include <windows.h>
#include <cstddef>

template <typename Page>
struct TextPageCommand {
    UINT id, code;
    void (Page::*handler)();
};

// Runs the handler of the notice's control and code; false when none matches.
template <typename Page, size_t N>
bool RunTextPageCommand(Page* page, const TextPageCommand<Page> (&table)[N], WPARAM wParam, LPARAM lParam)
{
    if (!lParam)
        return false;
    for (const TextPageCommand<Page>& entry : table)
        if (entry.id == LOWORD(wParam) && entry.code == HIWORD(wParam)) {
            (page->*entry.handler)();
            return true;
        }
    return false;
}
