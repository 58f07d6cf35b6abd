#pragma once
// Animated GIF output: frames written in order with their own delays, under one global colour
// table (the first 8-bit frame's, or one made from all frames), a loop count and a comment.
#include <string>
#include "CxImage.h"

class ZVIMAGE_API CxImageGIF : public CxImage {
public:
    // Plain ASCII text; longer than 65535 bytes is cut.
    void SetComment(const char* text) { m_comment = text ? text : ""; }
    // Times the animation repeats; 0 for ever, -1 (the default) writes no loop block.
    void SetLoops(int loops) { m_loops = loops; }
    int GetLoops() const { return m_loops; }
    // With localColorMap each 8-bit frame keeps its own table; with localDispMeth each frame
    // keeps its own disposal method, otherwise this encoder's SetDisposalMethod applies to all.
    bool Encode(CxFile* file, CxImage** frames, int count, bool localColorMap = false, bool localDispMeth = false);
    bool Encode(FILE* file, CxImage** frames, int count, bool localColorMap = false, bool localDispMeth = false);

private:
    std::string m_comment;
    int m_loops = -1;
};
