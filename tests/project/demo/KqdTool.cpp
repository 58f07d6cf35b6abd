// The project file from the command line:
//   KqdTool.exe make OUT.kqd BACKGROUND [PICTURE...]
//     the background, each picture as a layer (the first turned by 0.5 rad, the last hidden;
//     with a single picture it is placed twice), a text and a shape layer
//   KqdTool.exe info FILE.kqd      one line per layer: type, name, size, place, angle, visible, alpha
//   KqdTool.exe export FILE.kqd OUT.png
// Exit code 0 on success, 1 on a failure (reported on standard error).
#include <windows.h>
#include <cstdio>
#include <string>
#include "LayerDocument.h"
#include "LocalFileIO.h"
#include "ZipArchive.h"

namespace {

const wchar_t* const kTypeNames[] = {L"background", L"image", L"text", L"shape", L"slot", L"overlay", L"material"};

int Fail(const wchar_t* what, const wchar_t* path)
{
    std::fwprintf(stderr, L"KqdTool: %ls: %ls\n", what, path);
    return 1;
}

void PrepareDocument(CLayerDocument& doc)
{
    doc.viewRect = RECT{0, 0, 1600, 1200};
}

// Unpacks the project into a fresh folder and reads it; the folder is removed again.
bool OpenProject(CLayerDocument& doc, const wchar_t* path)
{
    wchar_t temp[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, temp))
        return false;
    wchar_t name[64];
    std::swprintf(name, 64, L"KqdTool-%lx-%lx", GetCurrentProcessId(), GetTickCount());
    const std::wstring folder = std::wstring(temp) + name;
    bool ok = UnzipToFolder(path, folder.c_str()) && doc.LoadProject((folder + L"\\main.xml").c_str());
    GetLocalFileIO().DeleteTree(folder.c_str(), false);
    return ok;
}

int Make(int argc, wchar_t** argv)
{
    if (argc < 4)
        return Fail(L"usage", L"make OUT.kqd BACKGROUND [PICTURE...]");
    CLayerDocument doc;
    PrepareDocument(doc);
    if (!doc.OpenImageFile(argv[3]))
        return Fail(L"cannot open", argv[3]);
    std::vector<const wchar_t*> pictures(argv + 4, argv + argc);
    if (pictures.size() == 1)
        pictures.push_back(pictures[0]);
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (!doc.AddImageFileLayer(pictures[i]))
            return Fail(L"cannot open", pictures[i]);
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        const float step = 60.0f * doc.zoom * float(i + 1);
        layer->location.x += step;
        layer->location.y += step;
        if (i == 0)
            layer->SetAngle(0.5f);
        if (i + 1 == pictures.size() && i > 0)
            layer->visible = 0;
        doc.UpdateLayerOrigin(layer);
    }
    doc.insertPoint = POINT{doc.canvasRect.left + 40, doc.canvasRect.top + 40};
    CWordArtInfo text;
    text.SetText(L"Lakeside \"<1>\" & more");
    lstrcpynW(text.m_LogFont.lfFaceName, L"Arial", LF_FACESIZE);
    text.m_LogFont.lfHeight = -48;
    text.m_LogFont.lfWeight = FW_BOLD;
    text.SetTextColor1(Gdiplus::Color(255, 250, 220, 60));
    if (!doc.AddTextLayer(text))
        return Fail(L"cannot add", L"text");
    doc.insertPoint = POINT{doc.canvasRect.left + 60, doc.canvasRect.top + 160};
    ShapeSettings shape;
    shape.shape = SHAPE_ELLIPSE;
    shape.width = 160;
    shape.height = 100;
    shape.outlineWidth = 4;
    shape.outlineColour = RGB(20, 40, 160);
    shape.fillOn = 1;
    shape.fillColour = RGB(120, 200, 255);
    if (!doc.AddShapeLayer(shape))
        return Fail(L"cannot add", L"shape");
    if (!doc.SaveProject(argv[2]))
        return Fail(L"cannot save", argv[2]);
    return 0;
}

int Info(int argc, wchar_t** argv)
{
    if (argc < 3)
        return Fail(L"usage", L"info FILE.kqd");
    CLayerDocument doc;
    PrepareDocument(doc);
    if (!OpenProject(doc, argv[2]))
        return Fail(L"cannot read", argv[2]);
    for (CLayerInfo& layer : doc.layers.layers) {
        const bool named = layer.type >= 0 && layer.type < int(sizeof(kTypeNames) / sizeof(kTypeNames[0]));
        std::wprintf(L"%d %ls \"%ls\" %dx%d at %.1f,%.1f angle %g %ls alpha %d\n", layer.id,
                     named ? kTypeNames[layer.type] : L"?", layer.name.GetString(), layer.width, layer.height,
                     double((layer.location.x - doc.canvasRect.left) / doc.zoom),
                     double((layer.location.y - doc.canvasRect.top) / doc.zoom), double(layer.angle),
                     layer.visible ? L"visible" : L"hidden", layer.alpha);
    }
    return 0;
}

int Export(int argc, wchar_t** argv)
{
    if (argc < 4)
        return Fail(L"usage", L"export FILE.kqd OUT.png");
    CLayerDocument doc;
    PrepareDocument(doc);
    if (!OpenProject(doc, argv[2]))
        return Fail(L"cannot read", argv[2]);
    if (!doc.ExportImage(argv[3]))
        return Fail(L"cannot write", argv[3]);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"make")
        return Make(argc, argv);
    if (command == L"info")
        return Info(argc, argv);
    if (command == L"export")
        return Export(argc, argv);
    std::fwprintf(stderr, L"KqdTool make OUT.kqd BACKGROUND [PICTURE...] | info FILE.kqd | export FILE.kqd OUT.png\n");
    return 1;
}
