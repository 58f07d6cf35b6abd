#pragma once
// CKQCmdUI: the editor's command line. Ten flag switches ("/editor", "-page"...) choose the first
// frame; the positional arguments are the pictures to open, or with "/il" a list file of them.
#include "CmdLineParser.h"
#include "TList.h"
#include "TString.h"

class CKQCmdUI : public CCmdLineParser {
public:
    typedef ALT::TList<ALT::TString<wchar_t, 0, 8>> FileList;

    CKQCmdUI();

    bool OnArguments(const wchar_t** argv, int argc) override;
    const wchar_t* TranslateText(const wchar_t* text) override;
    // The file list becomes the list file's lines; false when it cannot be read.
    bool ReadListFile(const wchar_t* path);

    bool page = false;
    bool cosmet = false;
    bool editor = false;
    bool effect = false;
    bool split = false;
    bool crop = false;
    bool combine = false;
    bool batch = false; // stored; nothing in the editor reads it
    bool start = false; // the start page stays hidden (the log-on start)
    bool il = false;    // the first argument is a list file
    FileList m_fileList;
};

// Whether the file lies in the user's temporary folder (or below it), the paths made full and
// compared without case.
bool IsInTempFolder(const wchar_t* path);
