#pragma once
// The word-art presets of WordArt.xml: a root element WordArts with one element per preset
// (its name is not looked at). Each field of a CWordArtInfo comes from the preset's child
// element of that name (its text) or, when there is none, from its attribute of that name. A
// field that a preset does not carry keeps the value of the preset before it, as the presets
// are read into one working record that starts from the defaults; the shipped file names every
// field on every preset, so that the rule never matters there.
#include <vector>
#include "WordArtInfo.h"
#include "XmlDocument.h"
#include "ZVUILibDef.h"

namespace wordart {
// A hexadecimal colour ("FF0000FF", "ff0000ff", "0x..."): the digits up to the first other
// character, the low 32 bits kept; no digits read as 0.
ZVUILIB_API uint32_t ParseHex(const wchar_t* text);
// A decimal integer as the C library's _wtoi reads it, held at the ends of int instead of
// overflowing.
ZVUILIB_API int ParseInt(const wchar_t* text);
// A decimal number as _wtof reads it, truncated towards zero and held at the ends of int; not a
// number reads as 0.
ZVUILIB_API int ParseTruncated(const wchar_t* text);
} // namespace wordart

// The presets of a parsed document, in file order; none without a WordArts element.
ZVUILIB_API std::vector<CWordArtInfo> ReadWordArtPresets(XmlDocument& document);
// The presets of a file; none when it is missing or does not parse.
ZVUILIB_API std::vector<CWordArtInfo> LoadWordArtPresets(const wchar_t* path);
// The user's WordArt.xml in the suite's application-data folder when it exists, else the copy
// in Data\Editor\WordArt beside the library.
ZVUILIB_API CString WordArtPresetFile();
