#pragma once
// CZVUILibApp: the library's application object (user-folder settings, icons, language state)
// and the exported functions around it: translation and the language choice, the suite's user
// folders, temporary names, the library's module and named resources, mail.
#include "AppFrame.h"
#include "LangTable.h"
#include "TList.h"
#include "TString.h"
#include "ZVUILibDef.h"

// The suite's user folders, each from its registry value under HKCU\Software\Lumivo or a
// default below the documents folder.
enum KQ_FOLDER_TYPE : int32_t {
    KQ_FOLDER_USERDATA = 0,
    KQ_FOLDER_WALLPAPER = 1,
    KQ_FOLDER_THUMBNAIL = 2,
    KQ_FOLDER_CACHE = 3,
};
const int KQ_FOLDER_COUNT = 4;

class ZVUILIB_API CZVUILibApp : public CWinApp {
public:
    typedef ALT::TString<wchar_t, 0, 8> String;

    CZVUILibApp();
    ~CZVUILibApp() override;
    BOOL InitInstance() override;
    // The library's one application object.
    static CZVUILibApp& GetInstance();

    // The folder settings from the registry; a missing value leaves the setting empty.
    void ReadFolderSettings();
    // "Auto" (the registry's default) resolved by the system language, then the file loaded.
    void AutoSelectLanguage();
    void LoadCurrentLanguage();
    void SelectLanguage(const wchar_t* name);
    // <module folder>\Language\ with its trailing backslash.
    static String GetLanguageFolder();

    int m_nIconFontHeight = 0;   // |lfHeight| of the icon title font
    HICON m_hIconMain = nullptr; // icon 1001
    HICON m_hIconSmall = nullptr; // icon 1002
    String m_strLanguage;        // the language in effect: a file title, "English" or "Auto"
    String m_strLanguageSetting; // as chosen: "Auto" or a language name
    CLangTable m_langTable;
    String m_folders[KQ_FOLDER_COUNT]; // empty: the default
};

// Translation. The result points into the table and stays valid until the language changes.
ZVUILIB_API const wchar_t* TranslateString(const wchar_t* text);
ZVUILIB_API const wchar_t* LookupLangString(const wchar_t* text);
ZVUILIB_API bool LoadLanguageFile(const wchar_t* path);
ZVUILIB_API bool LoadLanguageList(const wchar_t* path);
ZVUILIB_API void AutoSelectLanguage();
ZVUILIB_API void LoadCurrentLanguage();
// Stores the choice in HKCU\Software\Lumivo\Language and reloads the table; the caller
// refreshes its own window texts.
ZVUILIB_API void SelectLanguage(const wchar_t* name);
// The language chooser; the language in effect after OK, null after Cancel.
ZVUILIB_API const wchar_t* ShowSelectLanguage();
// The choice as stored ("Auto", ...) when setting is true, else the language in effect.
ZVUILIB_API const wchar_t* GetLanguageName(bool setting);

// User folders. out holds MAX_PATH characters. A folder taken from its default is created.
ZVUILIB_API void GetKQFolder(wchar_t* out, KQ_FOLDER_TYPE type, bool takeDefault);
// A null path goes back to the default (the registry value is deleted). False for a type out of
// range or a path that does not fit MAX_PATH.
ZVUILIB_API bool SetKQFolder(const wchar_t* path, KQ_FOLDER_TYPE type);
// The application-data folder + "\Lumivo" [+ "\" + subPath]; nothing is created.
ZVUILIB_API ALT::TString<wchar_t, 0, 8> GetKQDataFolder(const wchar_t* subPath);
// <temp>_<prefix>_<thread id in hex>_[.<extension>]: the same name for the same thread and
// prefix; the file is not created. out holds MAX_PATH characters (empty when it would not fit).
ZVUILIB_API void GetKQTempFileName(wchar_t* out, const wchar_t* extension, const wchar_t* prefix);

ZVUILIB_API HINSTANCE GetZVUILibModule();
// The id of a named resource of the library (case-sensitive), 0 for an unknown name.
ZVUILIB_API UINT GetZVUILibRes(const char* name);

// Opens a new message of the mail program with the files attached: 1 when the message was
// handed over or the user cancelled it, 0 otherwise. The user is told when no mail program is
// installed or it could not take the message.
ZVUILIB_API int SendMail(const ALT::TList<ALT::TString<wchar_t, 0, 8>>& paths);
