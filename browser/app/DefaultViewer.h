#pragma once
// Whether the browser is the system's picture viewer, and making it so: the installer program
// KQInst.exe registers the browser's capabilities, then the system's default-apps settings let
// the user choose it.
#include <windows.h>

// The registered application's name, which also prefixes its file types ("LumivoShows.jpg").
extern const wchar_t kShowsAppName[];
// The picture extensions the browser claims, ";"-separated.
extern const wchar_t kViewerExtensions[];

// The extension's own key must not name another program; the user's choice, when there is
// one, must name ours. An extension with neither counts as ours.
bool IsExtensionAssociated(const wchar_t* extension, const wchar_t* prefix);
// Every extension of the list is associated with the browser.
bool IsDefaultViewer(const wchar_t* extensions = kViewerExtensions);
// The capabilities and the registered-applications entry are in place; with checkExtensions
// the extensions are asked too.
bool IsRegisteredApplication(bool checkExtensions);

enum class RegisterResult {
    SettingsOpened, // the system's default-apps page is up
    NoSettings,     // registered (or tried to), but the system has no default-apps page to show
};
// Runs "KQInst.exe /install" from the folder (the program's own by default) and waits for it when
// the browser is not registered yet, then opens the default-apps settings.
RegisterResult RegisterAsDefaultViewer(const wchar_t* installerFolder = nullptr);
// False, quietly, when neither the settings app nor the older association page can be reached.
bool OpenDefaultAppsSettings();
