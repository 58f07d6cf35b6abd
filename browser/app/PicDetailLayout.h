#pragma once
// The lines of the picture details panel: which are shown, their labels, values and tops.
#include <cstdint>
#include <string>
#include <vector>

struct PicDetails {
    std::wstring fileName;
    uint64_t fileSize = 0;
    int width = 0, height = 0, bitsPerPixel = 0;
    int64_t photoTime = 0, createTime = 0, modifyTime = 0; // 0: none recorded

    bool operator==(const PicDetails& o) const
    {
        return fileName == o.fileName && fileSize == o.fileSize && width == o.width && height == o.height &&
               bitsPerPixel == o.bitsPerPixel && photoTime == o.photoTime && createTime == o.createTime &&
               modifyTime == o.modifyTime;
    }
    bool operator!=(const PicDetails& o) const { return !(*this == o); }
};

// One line: a label (untranslated) and its value, and on the Width line a second pair.
struct DetailLine {
    int top;
    const wchar_t* label;
    std::wstring value;
    const wchar_t* label2 = nullptr;
    std::wstring value2;
};

std::vector<DetailLine> DetailLines(const PicDetails& details, int lineHeight, int margin);
