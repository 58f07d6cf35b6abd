// The editor program's entry: its one application object runs the start-up.
#include "LumivoToolsApp.h"

CLumivoToolsApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
