#include "PicDetailLayout.h"
#include "BrowserUtil.h"
#include "PhotoDate.h"

namespace {

std::wstring TimeText(int64_t time)
{
    ALT::TString<wchar_t, 0, 8> text;
    TimeToStr(time, text);
    return text.GetBuffer() ? std::wstring(text.GetBuffer()) : std::wstring();
}

} // namespace

// The times are optional lines; those left out take no room, so the ones below close up.
std::vector<DetailLine> DetailLines(const PicDetails& d, int lineHeight, int margin)
{
    wchar_t size[256] = {};
    FormatSizeText64(true, size, d.fileSize);
    std::vector<DetailLine> lines;
    auto add = [&](const wchar_t* label, std::wstring value) {
        const int top = margin + static_cast<int>(lines.size()) * (lineHeight + margin);
        lines.push_back({top, label, std::move(value)});
    };
    add(L"File Name", d.fileName);
    add(L"File Size", size);
    add(L"Width", std::to_wstring(d.width));
    lines.back().label2 = L"Height";
    lines.back().value2 = std::to_wstring(d.height);
    add(L"Bits Per Pixel", std::to_wstring(d.bitsPerPixel));
    if (d.photoTime)
        add(L"Photo Time", TimeText(d.photoTime));
    if (d.createTime)
        add(L"Create Time", TimeText(d.createTime));
    if (d.modifyTime)
        add(L"Last Modified Time", TimeText(d.modifyTime));
    return lines;
}
