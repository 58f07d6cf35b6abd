#include "LayerDocument.h"
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cwchar>
#include <memory>
#include <thread>
#include "ImageLimits.h"
#include "LocalFileIO.h"
#include "PictureType.h"
#include "ProjectFile.h"
#include "XmlDocument.h"
#include "XmlWriter.h"
#include "ZVGraphicsPath.h"
#include "ZVSvgPathTokenizer.h"
#include "ZipArchive.h"

namespace {

// What a project may ask the reader to build. A document the editor makes stays far below
// these; a file that claims more is refused layer by layer instead of exhausting a 32-bit
// address space.
const size_t kMaxProjectLayers = 1000;
const uint64_t kMaxProjectPixels = uint64_t(1) << 28;
const int kMaxFontHeight = 2000;   // pixels, either sign
const int kMaxThickness = 1000;    // outlines, shadows, borders
const int kMaxShadowOffset = 10000;
const size_t kMaxOutlineChars = 1 << 20;
const long kMaxPolygonPoints = 20000;

// Encoding a picture holds it as ARGB and the encoder's working planes beside it, in all about
// five four-byte copies; the workers together stay within this part of the address space.
const uint64_t kEncodeBytesPerPixel = 20;
const uint64_t kEncodeAllowance = uint64_t(768) << 20;

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return std::wstring();
    std::wstring folder = path.substr(0, slash);
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/') && folder.size() > 3)
        folder.pop_back();
    return folder;
}

std::wstring TitleOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::wstring WithExtension(const std::wstring& path, const wchar_t* extension)
{
    const std::wstring folder = FolderOf(path);
    return (folder.empty() ? std::wstring() : folder + L"\\") + TitleOf(path) + extension;
}

void PutText(XmlNode* element, const wchar_t* name, const wchar_t* text)
{
    element->AddAttribute(name)->SetValue(text);
}

void PutInt(XmlNode* element, const wchar_t* name, int number)
{
    element->AddAttribute(name)->SetIntValue(number);
}

void PutBool(XmlNode* element, const wchar_t* name, bool on)
{
    element->AddAttribute(name)->SetValue(on ? L"true" : L"false");
}

void PutColour(XmlNode* element, const wchar_t* name, COLORREF colour)
{
    element->AddAttribute(name)->SetHexValue(int(colour));
}

void PutReal(XmlNode* element, const wchar_t* name, double number)
{
    element->AddAttribute(name)->SetFloatValue(number);
}

COLORREF ColourOf(const Gdiplus::Color& colour)
{
    return RGB(colour.GetR(), colour.GetG(), colour.GetB());
}

Gdiplus::Color OpaqueColour(COLORREF colour)
{
    return Gdiplus::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

const wchar_t* Value(XmlNode* element, const wchar_t* name)
{
    XmlAttribute* attribute = element->FindAttribute(name);
    return attribute ? attribute->value : nullptr;
}

bool ReadInt(XmlNode* element, const wchar_t* name, int& out)
{
    const wchar_t* text = Value(element, name);
    if (!text)
        return false;
    out = _wtoi(text);
    return true;
}

// An integer that must lie in [low, high]; false (the layer is refused) when it does not.
bool ReadIntIn(XmlNode* element, const wchar_t* name, int& out, int low, int high)
{
    int number = out;
    if (!ReadInt(element, name, number))
        return true;
    if (number < low || number > high)
        return false;
    out = number;
    return true;
}

bool ReadFlag(XmlNode* element, const wchar_t* name, bool fallback)
{
    XmlAttribute* attribute = element->FindAttribute(name);
    return attribute ? attribute->GetBoolValue() : fallback;
}

bool ReadColour(XmlNode* element, const wchar_t* name, COLORREF& out)
{
    XmlAttribute* attribute = element->FindAttribute(name);
    if (!attribute)
        return false;
    out = COLORREF(attribute->GetHexValue());
    return true;
}

// A real that is finite; the fallback otherwise.
double ReadReal(XmlNode* element, const wchar_t* name, double fallback)
{
    const wchar_t* text = Value(element, name);
    if (!text)
        return fallback;
    const double number = _wtof(text);
    return std::isfinite(number) && std::fabs(number) < 1e7 ? number : fallback;
}

// A picture's name must stay in the project's folder: no separator, drive or parent.
bool IsPlainFileName(const wchar_t* name)
{
    if (!name || !*name || std::wcslen(name) >= MAX_PATH)
        return false;
    if (std::wcspbrk(name, L"\\/:") || std::wcsstr(name, L".."))
        return false;
    return IsSafeEntryName(name);
}

// Runs job(i) for i in [0, count) on up to threads workers (the caller's thread among them).
template <typename Job>
void RunOnWorkers(size_t count, unsigned threads, const Job& job)
{
    std::atomic<size_t> next{0};
    const auto work = [&]() {
        for (size_t i; (i = next++) < count;)
            job(i);
    };
    std::vector<std::thread> workers;
    const unsigned extra = threads > 1 ? std::min<unsigned>(threads - 1, unsigned(count)) : 0;
    for (unsigned t = 0; t < extra; ++t) {
        try {
            workers.emplace_back(work);
        } catch (...) {
            break;   // fewer workers: the caller's thread still does everything left
        }
    }
    work();
    for (std::thread& worker : workers)
        worker.join();
}

unsigned CoreCount()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

// A fresh folder of our own in the temporary folder; empty when none could be made.
std::wstring MakeWorkFolder()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return std::wstring();
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[64];
        std::swprintf(name, 64, L"kqd-%lx-%lx-%x", GetCurrentProcessId(), GetTickCount(), serial++);
        std::wstring folder = std::wstring(temp) + name;
        if (folder.size() + 32 >= MAX_PATH)
            return std::wstring();
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder + L"\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::wstring();
    }
    return std::wstring();
}

struct EncodeJob {
    CZVImage* picture = nullptr;
    std::wstring path;
    bool ok = false;
};

// The text of a path's points: "M%.3f,%.3f", then " L%.3f,%.3f" for each further point, "z".
std::wstring OutlineText(const CZVGraphicsPath& path)
{
    const long count = path.GetPointCount();
    if (count <= 0)
        return std::wstring();
    std::vector<ZVPOINTF> points;
    try {
        points.resize(size_t(count));
    } catch (const std::bad_alloc&) {
        return std::wstring();
    }
    path.GetPathPoints(points.data(), count);
    std::wstring text;
    wchar_t item[96];
    for (long i = 0; i < count; ++i) {
        std::swprintf(item, 96, i == 0 ? L"M%.3f,%.3f" : L" L%.3f,%.3f", double(points[i].x), double(points[i].y));
        text += item;
    }
    return text + L"z";
}

} // namespace

std::wstring PolygonOutlineText(const std::vector<ZVPOINTF>& points)
{
    CZVGraphicsPath path;
    if (!points.empty())
        path.AddPolygonPoints(points.data(), long(points.size()));
    return OutlineText(path);
}

std::wstring ShapeSlotOutlineText(const ShapeSettings& shape)
{
    const float w = float(shape.width), h = float(shape.height);
    CZVGraphicsPath path;
    switch (shape.shape) {
    case SHAPE_RECTANGLE: path.AddRectangle(0, 0, w, h); break;
    case SHAPE_ROUNDED_RECT: path.AddRoundedRect(0, 0, w, h, float(std::min(shape.width, shape.height) / 8)); break;
    case SHAPE_ELLIPSE: path.AddEllipse(0, 0, w, h); break;
    case SHAPE_TRIANGLE: path.AddTriangle(0, 0, w, h); break;
    case SHAPE_RIGHT_TRIANGLE: path.AddRightTriangle(0, 0, w, h); break;
    case SHAPE_DIAMOND: path.AddDiamond(0, 0, w, h); break;
    case SHAPE_PENTAGON: path.AddPentagon(0, 0, w, h); break;
    case SHAPE_HEXAGON: path.AddHexagon(0, 0, w, h); break;
    case SHAPE_BALLOON: path.AddBallonSW(0, 0, w, h); break;
    case SHAPE_POLYGON: return PolygonOutlineText(shape.points);
    default: return std::wstring();
    }
    return OutlineText(path);
}

// As the canvas composes its full-size picture: each visible layer at its drawn place, a turned
// one at the corner of its turned picture.
BOOL CLayerDocument::RenderPreview(CZVImage& output)
{
    std::vector<CLayerInfo>& list = layers.layers;
    if (list.empty() || zoom <= 0 || !list[0].displayed.IsValid())
        return FALSE;
    CZVImage flat;
    if (!flat.Copy(list[0].displayed))
        return FALSE;
    const ZVPOINTF base = list[0].location;
    for (size_t i = 1; i < list.size(); ++i)
        if (list[i].visible)
            ComposeOnto(flat, list[i], CompositeOffset(list[i].drawOrigin, base, canvasRect, zoom), false);
    output.Transfer(flat);
    return TRUE;
}

BOOL CLayerDocument::ExportImage(const wchar_t* path)
{
    if (!path)
        return FALSE;
    CZVImage flat;
    if (!RenderPreview(flat))
        return FALSE;
    return flat.SaveFile(path, DWORD(GetTypeFromFileName(path))) ? TRUE : FALSE;
}

void CLayerDocument::WriteTextXml(XmlNode* layerElement, CWordArtInfo* wordArt)
{
    if (!layerElement || !wordArt)
        return;
    XmlNode* e = layerElement->AddChild(L"WordArt", XML_NODE_ELEMENT);
    if (!e)
        return;
    e->SetValue(wordArt->m_strText.GetString());
    PutInt(e, L"TextEffect", wordArt->m_TextEffect);
    PutColour(e, L"TextColor", ColourOf(wordArt->m_clrText1));
    PutBool(e, L"bTextGradient", wordArt->m_bTextGradient);
    PutColour(e, L"GradientColor", ColourOf(wordArt->m_clrText2));
    PutBool(e, L"ExtrudedText", wordArt->m_bExtrudedText);
    PutColour(e, L"OutlineColor1", ColourOf(wordArt->m_clrOutline1));
    PutInt(e, L"OutlineThickness1", wordArt->m_nOutlineThickness1);
    PutInt(e, L"OutlineAlpha1", wordArt->m_nOutlineAlpha1);
    PutColour(e, L"OutlineColor2", ColourOf(wordArt->m_clrOutline2));
    PutInt(e, L"OutlineThickness2", wordArt->m_nOutlineThickness2);
    PutInt(e, L"OutlineAlpha2", wordArt->m_nOutlineAlpha2);
    PutBool(e, L"bEnableShadow", wordArt->m_bEnableShadow);
    PutColour(e, L"ShadowColor", ColourOf(wordArt->m_clrShadow));
    PutInt(e, L"ShadowThickness", wordArt->m_nShadowThickness);
    PutInt(e, L"ShadowAlpha", wordArt->m_nShadowAlpha);
    PutInt(e, L"ShadowX", wordArt->m_nShadowOffsetX);
    PutInt(e, L"ShadowY", wordArt->m_nShadowOffsetY);
    PutText(e, L"FontName", wordArt->m_LogFont.lfFaceName);
    PutInt(e, L"Height", wordArt->m_LogFont.lfHeight);
    PutInt(e, L"Weight", wordArt->m_LogFont.lfWeight);
    PutInt(e, L"Italic", wordArt->m_LogFont.lfItalic);
    PutInt(e, L"Underline", wordArt->m_LogFont.lfUnderline);
}

void CLayerDocument::WriteShapeXml(XmlNode* layerElement, ShapeSettings* shape)
{
    if (!layerElement || !shape)
        return;
    XmlNode* e = layerElement->AddChild(L"Shape", XML_NODE_ELEMENT);
    if (!e)
        return;
    PutInt(e, L"Type", shape->shape);
    PutInt(e, L"DashStyle", shape->lineStyle);
    PutInt(e, L"ArrowStyle", shape->lineOption);
    PutInt(e, L"Width", shape->width);
    PutInt(e, L"Height", shape->height);
    PutInt(e, L"Border", shape->outlineWidth);
    PutInt(e, L"Alpha1", shape->reserved1);
    PutInt(e, L"Alpha2", shape->reserved2);
    PutInt(e, L"BorderAlpha", shape->fillAlpha);
    PutBool(e, L"bFill", shape->fillOn != 0);
    PutColour(e, L"clrBorder", shape->outlineColour);
    PutColour(e, L"clr1", shape->fillColour);
    PutColour(e, L"clr2", shape->secondColour);
    if (shape->shape == SHAPE_POLYGON)
        PutText(e, L"d", PolygonOutlineText(shape->points).c_str());
}

void CLayerDocument::WriteLayerXml(XmlNode* layersElement, CLayerInfo* layer)
{
    if (!layersElement || !layer)
        return;
    XmlNode* e = layersElement->AddChild(L"Layer", XML_NODE_ELEMENT);
    if (!e)
        return;
    // A turned picture layer is stored unturned and turned again on reading; without its source
    // (the page and combine views keep none) it is stored as shown, unturned at its drawn place.
    const bool asShown = IsRasterLayerKind(layer->type) && layer->angle != 0.0f && !layer->source.IsValid();
    const ZVPOINTF place = asShown ? layer->drawOrigin : layer->location;
    const int width = asShown ? int(layer->displayed.GetWidth()) : layer->width;
    const int height = asShown ? int(layer->displayed.GetHeight()) : layer->height;
    wchar_t fileName[32];
    std::swprintf(fileName, 32, L"Image%d.webp", layer->id);
    PutInt(e, L"Type", layer->type == LAYER_SLOT_PICTURE ? LAYER_IMAGE : layer->type);
    PutBool(e, L"Visible", layer->visible != 0);
    PutInt(e, L"Alpha", layer->alpha);
    PutText(e, L"FileName", fileName);
    PutText(e, L"LayerName", layer->name.GetString());
    PutInt(e, L"Width", width);
    PutInt(e, L"Height", height);
    PutBool(e, L"flipv", layer->flipVertical != 0);
    PutBool(e, L"fliph", layer->flipHorizontal != 0);
    PutReal(e, L"LocationX", (place.x - canvasRect.left) / zoom);
    PutReal(e, L"LocationY", (place.y - canvasRect.top) / zoom);
    PutReal(e, L"AngleX", (layer->drawOrigin.x - canvasRect.left) / zoom);
    PutReal(e, L"AngleY", (layer->drawOrigin.y - canvasRect.top) / zoom);
    PutReal(e, L"Angle", asShown ? 0.0 : double(layer->angle));
    if (layer->type == LAYER_TEXT)
        WriteTextXml(e, &layer->wordArt);
    else if (layer->type == LAYER_SHAPE)
        WriteShapeXml(e, &layer->shape);
}

BOOL CLayerDocument::SaveProject(const wchar_t* path)
{
    if (!path || !*path || layers.layers.empty() || zoom <= 0)
        return FALSE;
    const std::wstring target = WithExtension(path, L".kqd");
    if (target.size() >= MAX_PATH)
        return FALSE;
    // A read-only project is the user's to protect: it is not replaced.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return FALSE;

    // The flattening builds the layers' shadow caches: done before the workers read the layers.
    CZVImage preview;
    if (!RenderPreview(preview))
        return FALSE;

    XmlDocument tree;
    XmlNode* root = tree.AddChild(L"KQEditor", XML_NODE_ELEMENT);
    PutText(root, L"Version", L"1");
    XmlNode* list = root->AddChild(L"Layers", XML_NODE_ELEMENT);

    const std::wstring work = MakeWorkFolder();
    if (work.empty())
        return FALSE;
    struct RemoveWork {
        std::wstring folder;
        ~RemoveWork() { GetLocalFileIO().DeleteTree(folder.c_str(), false); }
    } removeWork{work.substr(0, work.size() - 1)};

    std::vector<EncodeJob> jobs;
    jobs.reserve(layers.layers.size() + 1);
    for (CLayerInfo& layer : layers.layers) {
        WriteLayerXml(list, &layer);
        const bool unturned = layer.angle == 0.0f || !layer.source.IsValid();
        EncodeJob job;
        job.picture = unturned ? &layer.displayed : &layer.source;
        wchar_t name[32];
        std::swprintf(name, 32, L"Image%d.webp", layer.id);
        job.path = work + name;
        jobs.push_back(job);
    }
    EncodeJob previewJob;
    previewJob.picture = &preview;
    previewJob.path = work + L"~preview.webp";
    jobs.push_back(previewJob);

    // As many encodes at once as the cores and the allowance for the largest picture permit.
    uint64_t largest = 1;
    for (const EncodeJob& job : jobs)
        if (job.picture->IsValid())
            largest = std::max<uint64_t>(largest, uint64_t(job.picture->GetWidth()) * job.picture->GetHeight());
    const uint64_t fit = std::max<uint64_t>(1, kEncodeAllowance / (largest * kEncodeBytesPerPixel));
    const unsigned threads = unsigned(std::min<uint64_t>(CoreCount(), fit));
    // The largest first, so that a big picture does not start last and finish alone.
    std::vector<size_t> order(jobs.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const auto pixels = [&](size_t i) {
            const CZVImage* p = jobs[i].picture;
            return p->IsValid() ? uint64_t(p->GetWidth()) * p->GetHeight() : 0;
        };
        return pixels(a) > pixels(b);
    });
    RunOnWorkers(jobs.size(), threads, [&](size_t i) {
        EncodeJob& job = jobs[order[i]];
        // An empty picture (a shape too small to draw) is kept as one transparent pixel, so that
        // every layer has its entry.
        CZVImage dot;
        if (!job.picture->IsValid()) {
            if (!dot.Create(1, 1, 24) || !dot.AlphaCreate())
                return;
            dot.AlphaSet(0);
        }
        job.ok = (job.picture->IsValid() ? *job.picture : dot).Save(job.path.c_str(), 0);
    });
    for (const EncodeJob& job : jobs)
        if (!job.ok)
            return FALSE;
    if (!XmlSaveFile(&tree, (work + L"main.xml").c_str()))
        return FALSE;

    // The archive is written beside the target, on its volume, and replaces it in one step.
    const std::wstring temp = GetLocalFileIO().TempNameBeside(target.c_str()).GetBuffer();
    if (!ZipFolder((work + L"*.*").c_str(), temp.c_str(), kProjectZipLevel))
        return FALSE;
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return FALSE;
    }
    return TRUE;
}

ZVPOINTF CLayerDocument::ReadLocation(XmlNode* element)
{
    const double x = ReadReal(element, L"LocationX", 0.0);
    const double y = ReadReal(element, L"LocationY", 0.0);
    return ZVPOINTF{float(zoom * x + canvasRect.left + ScrollX()), float(zoom * y + canvasRect.top + ScrollY())};
}

namespace {

// One "Layer" read ahead of building: its kind, element and, for picture kinds, the decoded
// picture.
struct PendingLayer {
    XmlNode* element = nullptr;
    int kind = 0;
    std::wstring file;   // empty: no picture to decode, or a name refused
    BYTE alphaFill = 255;   // the opacity of the alpha plane made for a picture without one
    CZVImage picture;
    CZVImage source;   // a copy made beside the decode when the document keeps sources
    bool ownAlpha = false;
    bool decoded = false;
};

bool IsPictureKind(int kind)
{
    return kind == LAYER_BACKGROUND || kind == LAYER_IMAGE || kind == LAYER_SLOT_PICTURE ||
           kind == LAYER_PAGE_OVERLAY || kind == LAYER_PAGE_MATERIAL;
}

bool ReadWordArt(XmlNode* element, CWordArtInfo& art)
{
    XmlNode* e = element->FindChild(L"WordArt");
    if (!e)
        return true;
    if (std::wcslen(e->value) > kMaxOutlineChars)
        return false;
    art.SetText(CString(e->value));
    int number = art.m_TextEffect;
    if (!ReadIntIn(e, L"TextEffect", number, TE_GLOW, TE_DBL_GLOW))
        return false;
    art.m_TextEffect = TextEffect(number);
    COLORREF colour;
    if (ReadColour(e, L"TextColor", colour))
        art.m_clrText1 = OpaqueColour(colour);
    art.m_bTextGradient = ReadFlag(e, L"bTextGradient", art.m_bTextGradient);
    if (ReadColour(e, L"GradientColor", colour))
        art.m_clrText2 = OpaqueColour(colour);
    art.m_bExtrudedText = ReadFlag(e, L"ExtrudedText", art.m_bExtrudedText);
    if (ReadColour(e, L"OutlineColor1", colour))
        art.m_clrOutline1 = OpaqueColour(colour);
    if (ReadColour(e, L"OutlineColor2", colour))
        art.m_clrOutline2 = OpaqueColour(colour);
    int alpha1 = art.m_nOutlineAlpha1, alpha2 = art.m_nOutlineAlpha2;
    if (!ReadIntIn(e, L"OutlineThickness1", art.m_nOutlineThickness1, 0, kMaxThickness) ||
        !ReadIntIn(e, L"OutlineThickness2", art.m_nOutlineThickness2, 0, kMaxThickness) ||
        !ReadIntIn(e, L"OutlineAlpha1", alpha1, 0, 255) || !ReadIntIn(e, L"OutlineAlpha2", alpha2, 0, 255))
        return false;
    art.m_nOutlineAlpha1 = (unsigned char)alpha1;
    art.m_nOutlineAlpha2 = (unsigned char)alpha2;
    art.m_bEnableShadow = ReadFlag(e, L"bEnableShadow", art.m_bEnableShadow);
    if (ReadColour(e, L"ShadowColor", colour))
        art.m_clrShadow = OpaqueColour(colour);
    if (!ReadIntIn(e, L"ShadowThickness", art.m_nShadowThickness, 0, kMaxThickness) ||
        !ReadIntIn(e, L"ShadowAlpha", art.m_nShadowAlpha, 0, 255) ||
        !ReadIntIn(e, L"ShadowX", art.m_nShadowOffsetX, -kMaxShadowOffset, kMaxShadowOffset) ||
        !ReadIntIn(e, L"ShadowY", art.m_nShadowOffsetY, -kMaxShadowOffset, kMaxShadowOffset))
        return false;
    if (const wchar_t* face = Value(e, L"FontName"))
        lstrcpynW(art.m_LogFont.lfFaceName, face, LF_FACESIZE);
    int fontHeight = art.m_LogFont.lfHeight, weight = art.m_LogFont.lfWeight;
    int italic = art.m_LogFont.lfItalic, underline = art.m_LogFont.lfUnderline;
    if (!ReadIntIn(e, L"Height", fontHeight, -kMaxFontHeight, kMaxFontHeight) ||
        !ReadIntIn(e, L"Weight", weight, 0, 1000) || !ReadIntIn(e, L"Italic", italic, 0, 255) ||
        !ReadIntIn(e, L"Underline", underline, 0, 255))
        return false;
    art.m_LogFont.lfHeight = fontHeight;
    art.m_LogFont.lfWeight = weight;
    art.m_LogFont.lfItalic = BYTE(italic);
    art.m_LogFont.lfUnderline = BYTE(underline);
    art.m_bChanged = true;
    return true;
}

// False when a value is outside what the editor can draw.
bool ReadShape(XmlNode* e, ShapeSettings& shape)
{
    if (!ReadIntIn(e, L"Type", shape.shape, 0, 1000) || !ReadIntIn(e, L"DashStyle", shape.lineStyle, 0, 16) ||
        !ReadIntIn(e, L"ArrowStyle", shape.lineOption, 0, 16) ||
        !ReadIntIn(e, L"Width", shape.width, 1, int(zvimage::kMaxSide)) ||
        !ReadIntIn(e, L"Height", shape.height, 1, int(zvimage::kMaxSide)) ||
        !ReadIntIn(e, L"Border", shape.outlineWidth, 0, kMaxThickness) ||
        !ReadIntIn(e, L"Alpha1", shape.reserved1, 0, 255) || !ReadIntIn(e, L"Alpha2", shape.reserved2, 0, 255) ||
        !ReadIntIn(e, L"BorderAlpha", shape.fillAlpha, 0, 255))
        return false;
    if (!zvimage::SizeAllowed(uint64_t(std::max(shape.width, 0)), uint64_t(std::max(shape.height, 0))))
        return false;
    shape.fillOn = ReadFlag(e, L"bFill", shape.fillOn != 0) ? 1 : 0;
    ReadColour(e, L"clrBorder", shape.outlineColour);
    ReadColour(e, L"clr1", shape.fillColour);
    ReadColour(e, L"clr2", shape.secondColour);
    if (const wchar_t* d = Value(e, L"d")) {
        if (std::wcslen(d) > kMaxOutlineChars)
            return false;
        // The outline text is path data ("M x,y L x,y ... z"). Its corners are the polygon's
        // as they were: the figure is closed by drawing, and a corner added here would grow the
        // polygon by one at every save.
        CZVSvgPathTokenizer tokens(d);
        CZVGraphicsPath path;
        path.ParsePath(tokens);
        const long count = path.GetPointCount();
        if (count > kMaxPolygonPoints)
            return false;
        if (count > 0) {
            std::vector<ZVPOINTF> points(static_cast<size_t>(count));
            path.GetPathPoints(points.data(), count);
            shape.points = points;
        }
    }
    return true;
}

} // namespace

bool CLayerDocument::ReadUpperLayer(XmlNode* element, int kind, CZVImage& picture, CZVImage& source, bool ownAlpha)
{
    CLayerInfo layer;
    if (const wchar_t* name = Value(element, L"LayerName"))
        layer.name = name;
    layer.visible = ReadFlag(element, L"Visible", true) ? 1 : 0;
    int alpha = 255;
    ReadInt(element, L"Alpha", alpha);
    layer.alpha = std::clamp(alpha, 0, 255);
    const float angle = float(ReadReal(element, L"Angle", 0.0));
    if (IsPictureKind(kind)) {
        if (!picture.IsValid())
            return false;
        layer.type = kind == LAYER_SLOT_PICTURE ? LAYER_IMAGE : kind;
        layer.displayed.Transfer(picture);
        layer.source.Transfer(source);
        layer.ownAlpha = ownAlpha ? 1 : 0;
        layer.width = int32_t(layer.displayed.GetWidth());
        layer.height = int32_t(layer.displayed.GetHeight());
        // A turned layer is stored unturned at its own size, which a resize may have set apart
        // from the stored picture's.
        int width = layer.width, height = layer.height;
        if (angle != 0.0f && ReadInt(element, L"Width", width) && ReadInt(element, L"Height", height) &&
            width >= 1 && height >= 1 && zvimage::SizeAllowed(uint64_t(width), uint64_t(height))) {
            layer.width = width;
            layer.height = height;
        }
        // The flips are in the picture already: only the flags come back.
        layer.flipVertical = ReadFlag(element, L"flipv", false) ? 1 : 0;
        layer.flipHorizontal = ReadFlag(element, L"fliph", false) ? 1 : 0;
        if (layer.alpha < 255)
            layer.displayed.AlphaSetMax(BYTE(layer.alpha));
        layer.angle = angle;
        if (angle != 0.0f) {
            // A view that keeps no sources still turns a stored layer from its picture.
            if (!layer.source.IsValid())
                layer.source.Copy(layer.displayed);
            layer.SetAngle(angle);
        }
    } else if (kind == LAYER_TEXT) {
        CWordArtInfo art;
        if (!ReadWordArt(element, art))
            return false;
        layer.type = LAYER_TEXT;
        layer.wordArt = art;
        layer.flipVertical = ReadFlag(element, L"flipv", false) ? 1 : 0;
        layer.flipHorizontal = ReadFlag(element, L"fliph", false) ? 1 : 0;
        layer.angle = angle;
        layer.ownAlpha = 1;
        layer.RenderText();
        layers.currentType = LAYER_TEXT;
    } else {
        XmlNode* shapeElement = element->FindChild(L"Shape");
        if (!shapeElement)
            return false;
        ShapeSettings shape;
        if (!ReadShape(shapeElement, shape))
            return false;
        layer.type = LAYER_SHAPE;
        layer.shape = shape;
        layer.flipVertical = ReadFlag(element, L"flipv", false) ? 1 : 0;
        layer.flipHorizontal = ReadFlag(element, L"fliph", false) ? 1 : 0;
        layer.angle = angle;
        layer.ownAlpha = 1;
        layer.RenderShape();
        layers.currentType = LAYER_SHAPE;
    }
    if (!layer.displayed.IsValid())
        return false;
    layer.location = ReadLocation(element);
    layer.drawOrigin = layer.location;
    layer.framed = layer.movable = layer.selectable = 1;
    layer.picked = 0;
    layer.id = int32_t(layers.layers.size());
    UpdateLayerOrigin(&layer);
    return PutLayer(layer, false) != nullptr;
}

BOOL CLayerDocument::LoadProject(const wchar_t* xmlPath)
{
    if (!xmlPath)
        return FALSE;
    XmlDocument document;
    if (!XmlLoadFile(&document, xmlPath))
        return FALSE;
    XmlNode* root = document.FindChild(L"KQEditor");
    if (!root)
        return FALSE;
    if (const wchar_t* version = Value(root, L"Version"))
        if (_wtoi(version) != 1)
            return FALSE;
    XmlNode* list = root->FindChild(L"Layers");
    if (!list)
        return FALSE;
    std::wstring folder = FolderOf(xmlPath);
    if (!folder.empty())
        folder += L"\\";

    // The elements first, with the kind that a "Layer" without "Type" inherits: the one read
    // before it, and a shape for the first.
    std::vector<std::unique_ptr<PendingLayer>> pending;
    int kept = LAYER_SHAPE;
    XmlNode::ChildPos position;
    for (XmlNode* e = list->FindFirstChild(L"Layer", position); e && pending.size() < kMaxProjectLayers;
         e = list->FindNextChild(L"Layer", position)) {
        int kind = kept;
        ReadInt(e, L"Type", kind);
        kept = kind;
        if (!IsPictureKind(kind) && kind != LAYER_TEXT)
            kept = LAYER_SHAPE;
        auto layer = std::make_unique<PendingLayer>();
        layer->element = e;
        layer->kind = kind;
        const wchar_t* file = Value(e, L"FileName");
        if (IsPictureKind(kind) && IsPlainFileName(file))
            layer->file = folder + file;
        int alpha = 255;
        if (kind == LAYER_BACKGROUND && ReadInt(e, L"Alpha", alpha))
            layer->alphaFill = BYTE(std::clamp(alpha, 0, 255));
        pending.push_back(std::move(layer));
    }
    // No project without a background to build it on.
    const auto background = std::find_if(pending.begin(), pending.end(),
                                         [](const auto& layer) { return layer->kind == LAYER_BACKGROUND; });
    if (background == pending.end() || (*background)->file.empty())
        return FALSE;

    // The pictures are decoded side by side; a file that would take the project past its pixel
    // allowance is dropped.
    std::vector<PendingLayer*> decodes;
    for (auto& layer : pending)
        if (!layer->file.empty())
            decodes.push_back(layer.get());
    std::atomic<uint64_t> pixels{0};
    RunOnWorkers(decodes.size(), CoreCount(), [&](size_t i) {
        PendingLayer& layer = *decodes[i];
        if (pixels.load() > kMaxProjectPixels || !layer.picture.LoadFile(layer.file.c_str()))
            return;
        const uint64_t size = uint64_t(layer.picture.GetWidth()) * layer.picture.GetHeight();
        if ((pixels += size) > kMaxProjectPixels) {
            layer.picture.Destroy();
            return;
        }
        // What every picture layer needs is done here, beside the other decodes, so that the
        // building on the caller's thread only moves pictures.
        layer.picture.IncreaseBpp(24);
        layer.picture.ClearTransColor();
        layer.ownAlpha = layer.picture.AlphaIsValid();
        if (!layer.ownAlpha && layer.picture.AlphaCreate())
            layer.picture.AlphaSet(layer.alphaFill);
        if (keepSource)
            layer.source.Copy(layer.picture);
        layer.decoded = layer.picture.IsValid();
    });
    if (!(*background)->decoded)
        return FALSE;

    // The layers are built in document order; each background starts the document over.
    uint64_t drawnPixels = pixels.load();
    for (auto it = background; it != pending.end(); ++it) {
        PendingLayer& layer = **it;
        if (layer.kind != LAYER_BACKGROUND) {
            if (IsPictureKind(layer.kind) && !layer.decoded)
                continue;
            if (!IsPictureKind(layer.kind)) {
                // Text and shapes count against the same allowance as the pictures.
                if (drawnPixels > kMaxProjectPixels)
                    continue;
            }
            const size_t before = layers.layers.size();
            if (ReadUpperLayer(layer.element, layer.kind, layer.picture, layer.source, layer.ownAlpha) &&
                layers.layers.size() > before &&
                !IsPictureKind(layer.kind)) {
                const CZVImage& drawn = layers.layers.back().displayed;
                drawnPixels += uint64_t(drawn.GetWidth()) * drawn.GetHeight();
            }
            continue;
        }
        if (!layer.decoded)
            continue;
        CLayerInfo base;
        if (const wchar_t* name = Value(layer.element, L"LayerName"))
            base.name = name;
        base.displayed.Transfer(layer.picture);
        base.source.Transfer(layer.source);
        base.ownAlpha = layer.ownAlpha ? 1 : 0;
        base.width = int32_t(base.displayed.GetWidth());
        base.height = int32_t(base.displayed.GetHeight());
        ResetScroll();
        ClearLayersAndHistory();
        // Room for every layer at once: growing the list would copy the pictures it holds.
        layers.layers.reserve(size_t(pending.end() - it));
        SetHistoryLimitFor(base.width, base.height);
        // The canvas is laid at the zoom of the moment, which the upper layers' places use; the
        // view fits it to its window afterwards.
        StartWithBackground(base, true, false);
        layers.GetLayer(0)->visible = ReadFlag(layer.element, L"Visible", true) ? 1 : 0;
    }
    return TRUE;
}
