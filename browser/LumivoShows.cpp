// The picture browser's entry: its one application object runs the start-up.
#include "LumivoShowsApp.h"

CLumivoShowsApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
