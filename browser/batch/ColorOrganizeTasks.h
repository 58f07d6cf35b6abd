#pragma once
// The colour task, which rewrites each picture in place, and the organize task, which copies or
// moves pictures into sub-folders by the date taken or by the picture size.
#include <string>
#include "BatchResult.h"

class CBatchEngine;

// Brightness and contrast, then hue and saturation, from the engine's settings; the picture is
// replaced in one step, and left as it is when it has frames that could not be written back.
BatchItemResult AdjustColors(CBatchEngine& engine, int item, const wchar_t* path);

// The stored size of a JPEG, PNG, GIF, BMP or WebP file from its header alone; false for other
// types and damaged headers.
bool ReadPictureHeaderSize(const wchar_t* path, unsigned& width, unsigned& height);
// The sub-folder a picture goes to: "\YYYY\MM" of the date taken (m_organizeBy 0) or
// "\WIDTHxHEIGHT" (1), read from the file's header where the type allows.
bool OrganizeFolderFor(const wchar_t* path, int organizeBy, std::wstring& subFolder);
// Copies (never replacing: a taken name gets the next tilde number) or moves the picture below
// the engine's output folder; the finish call reloads currentFolder.
BatchItemResult OrganizeFiles(CBatchEngine& engine, const std::wstring& currentFolder, int item, const wchar_t* path);
