// The camera snapshot over the fake capture source: the lists, the preview's size, the default
// name, saving and its failures; and the system's source under Wine, which has no device.
#include "CxImage.h"
#include "DlgEditorCamera.h"
#include "FakeCaptureDevices.h"
#include "NewPictureIds.h"
#include "NewPictureRules.h"
#include "NewPictureTest.h"
#include "TestSupport.h"

using namespace newpicturetest;

namespace {

// The fake installed for the fixture's life.
class CameraTest : public testing::Test {
protected:
    void SetUp() override { m_previous = SetCaptureDevices(&m_fake); }
    void TearDown() override { SetCaptureDevices(m_previous); }

    SYSTEMTIME Clock() const
    {
        SYSTEMTIME t = {};
        t.wYear = 2024;
        t.wMonth = 3;
        t.wDay = 3;
        t.wHour = 14;
        t.wMinute = 5;
        t.wSecond = 9;
        return t;
    }
    int Run(CDlgEditorCamera& dialog, const std::function<void(HWND)>& steps)
    {
        ActOnDialog(steps);
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(DialogActDone());
        return int(result);
    }

    CFakeCaptureDevices m_fake;
    ICaptureDevices* m_previous = nullptr;
};

TEST_F(CameraTest, SizeListRefilledOnlyWhenTheDeviceChanges)
{
    std::vector<std::wstring> devices, sizes, afterSize, afterDevice;
    int selectedAfterSize = -1;
    SIZE openedAfterSize = {};
    int opensBefore = 0, opensAfterSize = 0;
    CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
    Run(dialog, [&](HWND w) {
        devices = ComboItems(w, IDC_NP_CAMERA_DEVICES);
        sizes = ComboItems(w, IDC_NP_CAMERA_SIZES);
        opensBefore = m_fake.opened;
        // Marking the list shows whether choosing a size refills it.
        ::SendDlgItemMessageW(w, IDC_NP_CAMERA_SIZES, CB_ADDSTRING, 0, LPARAM(L"mark"));
        Choose(w, IDC_NP_CAMERA_SIZES, 1);
        afterSize = ComboItems(w, IDC_NP_CAMERA_SIZES);
        selectedAfterSize = ComboSelection(w, IDC_NP_CAMERA_SIZES);
        openedAfterSize = m_fake.lastOpened;
        opensAfterSize = m_fake.opened;
        Choose(w, IDC_NP_CAMERA_DEVICES, 1);
        afterDevice = ComboItems(w, IDC_NP_CAMERA_SIZES);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(devices, (std::vector<std::wstring>{L"Fake Camera", L"Fake Document Camera"}));
    EXPECT_EQ(sizes, (std::vector<std::wstring>{L"320x240", L"640x480", L"1280x720"}));
    EXPECT_EQ(afterSize, (std::vector<std::wstring>{L"320x240", L"640x480", L"1280x720", L"mark"}));
    EXPECT_EQ(selectedAfterSize, 1);
    EXPECT_EQ(openedAfterSize.cx, 640);
    EXPECT_EQ(openedAfterSize.cy, 480);
    EXPECT_EQ(opensAfterSize, opensBefore + 1);
    EXPECT_EQ(afterDevice, (std::vector<std::wstring>{L"638x478", L"800x600"}));
}

TEST_F(CameraTest, NoSizeAskedOpensTheFirstListedSize)
{
    int selected = -1;
    CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
    Run(dialog, [&](HWND w) {
        selected = ComboSelection(w, IDC_NP_CAMERA_SIZES);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(m_fake.lastOpened.cx, 320);
    EXPECT_EQ(m_fake.lastOpened.cy, 240);
}

TEST_F(CameraTest, PreviewKeepsItsHeightAndTakesTheFramesProportions)
{
    CRect preview;
    CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
    Run(dialog, [&](HWND w) {
        HWND control = ::GetDlgItem(w, IDC_NP_CAMERA_PREVIEW);
        ::SetWindowPos(control, nullptr, 0, 0, 100, 180, SWP_NOMOVE | SWP_NOZORDER);
        Choose(w, IDC_NP_CAMERA_SIZES, 1);
        ::GetWindowRect(control, &preview);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(preview.Height(), 180);
    EXPECT_EQ(preview.Width(), 240);
}

TEST_F(CameraTest, DefaultNameIsMyPicturesAndTheTime)
{
    std::wstring path;
    CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
    Run(dialog, [&](HWND w) {
        path = ItemText(w, IDC_NP_CAMERA_PATH);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(path, std::wstring(SnapshotFolder().GetString()) + L"\\2024-03-03_14_05_09.bmp");
    EXPECT_FALSE(SnapshotFolder().IsEmpty());
}

TEST_F(CameraTest, OkSavesTheGrabbedFrameAsABmp)
{
    const struct {
        int device, size;
        int width, height;
    } cases[] = {{0, 0, 320, 240}, {0, 1, 640, 480}, {1, 0, 638, 478}};
    for (const auto& c : cases) {
        testsupport::TempFolder folder;
        const std::wstring path = folder.At(L"snap.bmp");
        CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
        EXPECT_EQ(Run(dialog, [&](HWND w) {
            Choose(w, IDC_NP_CAMERA_DEVICES, c.device);
            Choose(w, IDC_NP_CAMERA_SIZES, c.size);
            PumpFor(120);   // a few frames on show first
            Type(w, IDC_NP_CAMERA_PATH, path.c_str());
            Click(w, IDOK);
        }), IDOK) << c.width;
        EXPECT_EQ(std::wstring(dialog.m_strPath.GetString()), path);
        CxImage saved;
        ASSERT_TRUE(saved.Load(path.c_str(), 0)) << c.width;
        ASSERT_EQ(int(saved.GetWidth()), c.width);
        ASSERT_EQ(int(saved.GetHeight()), c.height);
        // The fake's last frame is the one grabbed by OK; both are bottom-up padded rows.
        const size_t stride = newpicture::FrameStride(c.width, 24);
        ASSERT_EQ(m_fake.lastFrame.size(), stride * size_t(c.height));
        for (int y = 0; y < c.height; ++y)
            ASSERT_EQ(memcmp(saved.GetBits(y), m_fake.lastFrame.data() + stride * size_t(y), size_t(c.width) * 3), 0)
                << "row " << y << " of " << c.width;
    }
}

TEST_F(CameraTest, FailedSaveNamesThePathAndKeepsTheDialogOpen)
{
    testsupport::TempFolder folder;
    const std::wstring path = folder.At(L"missing\\snap.bmp");
    std::wstring message;
    bool stillOpen = false;
    CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
    const int result = Run(dialog, [&](HWND w) {
        Type(w, IDC_NP_CAMERA_PATH, path.c_str());
        ActOnDialog([&](HWND box) {
            message = ItemText(box, 0xFFFF);
            if (message.empty()) {
                // The text lives in the box's static control.
                HWND child = ::FindWindowExW(box, nullptr, L"Static", nullptr);
                while (child && message.empty()) {
                    wchar_t text[512] = {};
                    ::GetWindowTextW(child, text, 512);
                    message = text;
                    child = ::FindWindowExW(box, child, L"Static", nullptr);
                }
            }
            Click(box, IDOK);
        }, w);
        Click(w, IDOK);
        stillOpen = ::IsWindow(w) && ::IsWindowVisible(w);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(stillOpen);
    EXPECT_NE(message.find(path), std::wstring::npos) << testing::PrintToString(message);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CameraTest, FailedConnectIsToldAndOkStaysDisabled)
{
    m_fake.failConnect = true;
    bool okEnabled = true;
    std::wstring message;
    CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
    // The message comes while the dialog opens, before it is shown.
    ActOnDialog([&](HWND box) {
        HWND child = ::FindWindowExW(box, nullptr, L"Static", nullptr);
        while (child) {
            wchar_t text[512] = {};
            ::GetWindowTextW(child, text, 512);
            message += text;
            child = ::FindWindowExW(box, child, L"Static", nullptr);
        }
        Click(box, IDOK);
        ActOnDialog([&](HWND w) {
            okEnabled = Enabled(w, IDOK);
            Click(w, IDOK);   // does nothing without a camera
            Click(w, IDCANCEL);
        }, box);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(okEnabled);
    EXPECT_NE(message.find(L"The camera could not be started."), std::wstring::npos) << testing::PrintToString(message);
    EXPECT_NE(message.find(L"hr=0x80040217"), std::wstring::npos) << testing::PrintToString(message);
}

TEST_F(CameraTest, SnapshotPathOnlyWhenOkSavedOne)
{
    testsupport::TempFolder folder;
    const std::wstring path = folder.At(L"taken.bmp");
    CString taken = L"untouched";
    ActOnDialog([](HWND w) { Click(w, IDCANCEL); });
    EXPECT_FALSE(TakeCameraSnapshot(nullptr, taken));
    EXPECT_EQ(taken, L"untouched");
    ActOnDialog([&](HWND w) {
        Type(w, IDC_NP_CAMERA_PATH, path.c_str());
        Click(w, IDOK);
    });
    ASSERT_TRUE(TakeCameraSnapshot(nullptr, taken));
    EXPECT_EQ(std::wstring(taken.GetString()), path);
    EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    // The snapshot is the frame grabbed by OK; no frame is grabbed after the dialog.
    const int frames = m_fake.frames;
    PumpFor(150);
    EXPECT_EQ(m_fake.frames, frames);
}

TEST_F(CameraTest, DeviceThatFailsToOpenLeavesNoSizesAndOkDisabled)
{
    std::vector<std::wstring> sizes;
    bool okBefore = false, okAfter = true;
    CDlgEditorCamera dialog(nullptr, [this] { return Clock(); });
    Run(dialog, [&](HWND w) {
        okBefore = Enabled(w, IDOK);
        m_fake.failConnect = true;
        ActOnDialog([](HWND box) { Click(box, IDOK); }, w);
        Choose(w, IDC_NP_CAMERA_DEVICES, 1);
        sizes = ComboItems(w, IDC_NP_CAMERA_SIZES);
        okAfter = Enabled(w, IDOK);
        Click(w, IDCANCEL);
    });
    EXPECT_TRUE(okBefore);
    EXPECT_TRUE(sizes.empty());
    EXPECT_FALSE(okAfter);
}

TEST_F(CameraTest, ShortSampleLeavesTheFrameAsItWas)
{
    CCameraDS camera;
    ASSERT_TRUE(camera.BuildGraph(0, 640, 480));
    ASSERT_TRUE(camera.QueryFrame());
    const std::vector<BYTE> first(camera.GetFrame(), camera.GetFrame() + 640 * 480 * 3);
    m_fake.shortSamples = true;
    EXPECT_FALSE(camera.QueryFrame());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), camera.GetFrame()));
    camera.CloseCamera();
    EXPECT_FALSE(camera.IsOpen());
    EXPECT_EQ(camera.GetFrame(), nullptr);
    camera.CloseCamera();   // twice is harmless
}

TEST(SystemCaptureDevices, WineHasNoDevice)
{
    ICaptureDevices& system = SystemCaptureDevices();
    EXPECT_EQ(system.Count(), 0);
    CString name;
    EXPECT_FALSE(system.Name(0, name));
    EXPECT_TRUE(system.Sizes(0).empty());
    CString detail;
    EXPECT_EQ(system.Open(0, 0, 0, detail), nullptr);
    EXPECT_EQ(CCameraDS::CameraCount(), 0);
}

} // namespace
