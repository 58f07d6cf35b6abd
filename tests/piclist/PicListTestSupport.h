#pragma once
// Helpers of the picture-list tests: pictures of one colour, a view that counts, waiting.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "KQPicListView.h"
#include "TestSupport.h"

namespace pltest {

// A picture of one colour; the format from the extension (bmp, png, jpg).
bool WritePicture(const std::wstring& path, long width, long height, RGBQUAD colour);
// A file of exactly these bytes.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// Polls until done() holds or the time is up (a generous bound: the machine is busy).
bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 60000);
// The fixture folder beside the test program.
std::wstring Fixture(const wchar_t* name);

// The view with its cache in a folder of the test's own.
class TestView : public CKQPicListView {
public:
    explicit TestView(const std::wstring& cacheFolder);
    ~TestView() override;
    // Starts the scan and waits for its end (sorting included).
    bool Scan(const std::wstring& folder, bool refresh = false);
    // Loads the thumbnails of every file entry through the preview thread and waits.
    bool LoadAll();
    std::vector<std::wstring> FileNames();
    std::vector<std::wstring> FolderNames();
    CKQListFile* File(int fileIndex); // the caller holds the lock
};

} // namespace pltest
