#pragma once
// The basic-shape library: path outlines read from "Editor\Shapes\Basic.xml", numbered from 0
// in file order. Shape numbers from 9 up and frame shapes from 9 up name entry number - 9.
#include <cstdint>
#include <string>
#include <vector>

struct ShapeLibraryEntry {
    std::wstring path;   // path data or a point list, drawn as path text either way
    int32_t width = 0;
    int32_t height = 0;
};

typedef std::vector<ShapeLibraryEntry> ShapeLibrary;

// The entry for a shape or frame number, null when the number names none.
const ShapeLibraryEntry* ShapeLibraryEntryFor(const ShapeLibrary& library, int shapeNumber);

// Empties the list, then reads the file; a missing or unreadable file leaves it empty.
bool LoadShapeLibrary(ShapeLibrary& library, const wchar_t* path);
// The user data folder's copy, or, when that is missing, the one in Data\ beside the program.
bool LoadShapeLibrary(ShapeLibrary& library);
