#pragma once
// How convert and optimize choose a picture's quality and where they write it.
#include <string>
#include "BatchResult.h"

class CBatchEngine;

// The quality to save with: chosen when above 0, else by the larger side after any resampling
// (90 from 2560, 80 from 1600, 70 from 800, else 60), never above a JPEG source's own estimated
// quality (sourceJpegQuality 0: not a JPEG or unknown, no cap). 100 or more means "leave the
// library's quality as it is" and gives 0.
int AutoQuality(int chosen, int width, int height, int sourceJpegQuality);

// The target of source for the type extension: beside it when overwriting, else in outputFolder
// under the sub-folder path that source has below currentFolder. False when the result would
// not fit MAX_PATH.
bool MakeBatchTargetPath(const std::wstring& source, const std::wstring& currentFolder,
                         const std::wstring& outputFolder, bool overwriteOriginal, const wchar_t* extension,
                         std::wstring& target);

// The picture tasks of convert and optimize, on the engine's settings and counters (sizes and
// the count grow only for a picture written). currentFolder is the list's folder, whose
// sub-folders the output folder mirrors.
// Writes source to target: the source itself is replaced in one step; any other file already
// there is kept and the picture takes the next free tilde name.
BatchItemResult SaveOptimizedImage(CBatchEngine& engine, const wchar_t* source, const std::wstring& target);
BatchItemResult ConvertImages(CBatchEngine& engine, const std::wstring& currentFolder, int item, const wchar_t* path);
// In test mode the picture goes to a temporary file, measured and deleted; nothing else changes.
BatchItemResult OptimizeImages(CBatchEngine& engine, const std::wstring& currentFolder, int item, const wchar_t* path);
