#pragma once
// The 12-megapixel document of 20 layers that the document benchmarks share: a photo-like
// background, nine full-size layers (every third with an alpha gradient), six smaller ones with
// alpha, two text-sized and two shape-sized layers without source pictures.
#include <functional>
#include <string>
#include "LayerInfo.h"

const long kBenchWidth = 4000, kBenchHeight = 3000;

// Smooth light and shade with fine grain, as a photo has: no two tiles alike.
CZVImage BenchPhoto(long width, long height, unsigned seed, bool alphaGradient);
CLayerInfo BenchPictureLayer(CZVImage picture, int type, float x, float y);
// Each layer, bottom first, located in canvas pixels at zoom 1.0 from (0, 0).
void BuildBenchDocument(const std::function<void(CLayerInfo)>& add);
// A picture as a PAM file for the peer tools: RGBA rows from the top, alpha 255 where the
// picture has no plane.
bool WritePam(const CZVImage& picture, const std::wstring& path);
