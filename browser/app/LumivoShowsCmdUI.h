#pragma once
// CLumivoShowsCmdUI: the browser's command line. One switch, "/batch" (or "-batch"); the first
// argument is the folder to open, or a picture, whose folder opens with the viewer-only flag set.
#include <string>
#include "CmdLineParser.h"

class CLumivoShowsCmdUI : public CCmdLineParser {
public:
    CLumivoShowsCmdUI();

    bool OnArguments(const wchar_t** argv, int argc) override;
    const wchar_t* TranslateText(const wchar_t* text) override;

    std::wstring m_path;        // the picture named, empty for a folder or nothing
    std::wstring m_startFolder; // the folder named, or the picture's folder; empty without argument
    bool m_bBatch = false;
    bool m_bViewerOnly = false;
};
