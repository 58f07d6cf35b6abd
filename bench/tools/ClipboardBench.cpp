// GetClipboardImageSize against the full decodes that answer the same question, on a
// 40-megapixel picture on the real clipboard, first as a DIB, then as the editor's private
// block. Run through bench/tools/run-clipboard-bench.
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>
#include "ClipboardImageSize.h"
#include "CxImage.h"

namespace {

const DWORD kWidth = 7300, kHeight = 5480;   // 40.0 megapixels
const int kRuns = 5;

double MedianMs(const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

bool Put(UINT format, const std::vector<BYTE>& bytes)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* p = block ? ::GlobalLock(block) : nullptr;
    if (!p)
        return false;
    std::memcpy(p, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    const bool ok = ::SetClipboardData(format, block) != nullptr;
    ::CloseClipboard();
    return ok;
}

// The full decode of the clipboard's block of the format, as pasting does it.
bool FullDecode(UINT format, int& width, int& height)
{
    width = height = 0;
    if (!::OpenClipboard(nullptr))
        return false;
    CxImage image;
    bool ok = false;
    if (HANDLE block = ::GetClipboardData(format)) {
        if (format == CF_DIB) {
            ok = image.CreateFromHANDLE(block);
        } else if (const BYTE* p = static_cast<const BYTE*>(::GlobalLock(block))) {
            ok = image.UnDump(p, DWORD(::GlobalSize(block))) != 0;
            ::GlobalUnlock(block);
        }
    }
    ::CloseClipboard();
    if (ok) {
        width = int(image.GetWidth());
        height = int(image.GetHeight());
    }
    return ok;
}

// The clipboard's block of the format fetched and locked, nothing read from it: what every
// reader of the clipboard pays before it looks at a byte.
double FetchMs(UINT format)
{
    return MedianMs([format] {
        if (!::OpenClipboard(nullptr))
            return;
        if (HANDLE block = ::GetClipboardData(format)) {
            ::GlobalLock(block);
            ::GlobalUnlock(block);
        }
        ::CloseClipboard();
    });
}

// The same two questions on the block in memory, without the clipboard in between.
bool CompareInMemory(const char* name, const std::vector<BYTE>& block, bool dib)
{
    DWORD hw = 0, hh = 0;
    int fw = 0, fh = 0;
    const double header = MedianMs([&] {
        if (dib)
            CxImage::QueryDIBSize(block.data(), block.size(), hw, hh);
        else
            CxImage::QueryDumpSize(block.data(), DWORD(block.size()), hw, hh);
    });
    HGLOBAL handle = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(::GlobalLock(handle), block.data(), block.size());
    ::GlobalUnlock(handle);
    const double full = MedianMs([&] {
        CxImage image;
        const bool ok = dib ? image.CreateFromHANDLE(handle) : image.UnDump(block.data(), DWORD(block.size())) != 0;
        fw = ok ? int(image.GetWidth()) : 0;
        fh = ok ? int(image.GetHeight()) : 0;
    });
    ::GlobalFree(handle);
    const bool equal = int(hw) == fw && int(hh) == fh && hw == kWidth && hh == kHeight;
    const double ratio = full > 0 ? header / full : 0;
    std::printf("%-14s in memory: headers %9.4f ms  full decode %9.3f ms  ratio %.1e  answers %lux%lu / %dx%d %s  %s\n", name,
                header, full, ratio, hw, hh, fw, fh, equal ? "equal" : "DIFFER", equal && ratio <= 0.01 ? "ok" : "MISSED");
    return equal && ratio <= 0.01;
}

bool Compare(const char* name, UINT format)
{
    int hw = 0, hh = 0, fw = 0, fh = 0;
    const double header = MedianMs([&] { GetClipboardImageSize(nullptr, hw, hh); });
    const double full = MedianMs([&] { FullDecode(format, fw, fh); });
    const bool equal = hw == fw && hh == fh && hw == int(kWidth) && hh == int(kHeight);
    const double ratio = full > 0 ? header / full : 0;
    std::printf("%-14s clipboard: headers %9.3f ms  full decode %9.3f ms  ratio %.5f  answers %dx%d / %dx%d %s  %s\n", name,
                header, full, ratio, hw, hh, fw, fh, equal ? "equal" : "DIFFER", equal && ratio <= 0.01 ? "ok" : "MISSED");
    std::printf("%-14s clipboard: fetching the block alone %9.3f ms\n", name, FetchMs(format));
    return equal && ratio <= 0.01;
}

} // namespace

int wmain()
{
    CxImage picture;
    if (!picture.Create(kWidth, kHeight, 24)) {
        std::printf("clipboard_bench: no memory for the picture\n");
        return 2;
    }
    for (DWORD y = 0; y < kHeight; ++y) {
        BYTE* row = picture.GetBits(y);
        for (DWORD x = 0; x < kWidth * 3; ++x)
            row[x] = BYTE((x * 7 + y * 3) & 255);
    }
    std::printf("picture %lux%lu, %d runs each, medians\n", kWidth, kHeight, kRuns);
    bool ok = true;
    {
        std::vector<BYTE> dib;
        HANDLE handle = picture.CopyToHandle();
        if (!handle)
            return 2;
        dib.resize(::GlobalSize(handle));
        std::memcpy(dib.data(), ::GlobalLock(handle), dib.size());
        ::GlobalUnlock(handle);
        ::GlobalFree(handle);
        if (!Put(CF_DIB, dib))
            return 2;
        ok = CompareInMemory("DIB", dib, true) && ok;
    }
    ok = Compare("DIB", CF_DIB) && ok;
    {
        std::vector<BYTE> dump(picture.DumpSize());
        picture.Dump(dump.data());
        if (dump.empty() || !Put(PrivateImageClipboardFormat(), dump))
            return 2;
        ok = CompareInMemory("private block", dump, false) && ok;
    }
    ok = Compare("private block", PrivateImageClipboardFormat()) && ok;
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    return ok ? 0 : 1;
}
