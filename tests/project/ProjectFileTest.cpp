#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>
#include "DocumentTestSupport.h"
#include "LayerDocument.h"
#include "PageTemplate.h"
#include "ProjectFile.h"
#include "TestSupport.h"
#include "XmlDocument.h"
#include "ZipArchive.h"

namespace projectfiletest {

using documenttest::Plain;
using documenttest::Quadrants;
using documenttest::SamePixels;
using testsupport::TempFolder;

const RECT kView = {0, 0, 800, 600};

// A document whose background is a 200 x 120 picture, laid out at the zoom.
void StartDocument(CLayerDocument& doc, float zoom, long width = 200, long height = 120)
{
    doc.viewRect = kView;
    doc.zoom = zoom;
    ASSERT_TRUE(doc.NewBlankDocument(RGBQUAD{0, 0, 0, 255}, width, height, 96, 255));
    doc.layers.GetLayer(0)->displayed = Quadrants(width, height);
    doc.layers.GetLayer(0)->source = Quadrants(width, height);
}

// Puts the current layer's unturned top left at (x, y) picture pixels.
void PlaceCurrent(CLayerDocument& doc, float x, float y)
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    layer->location = ZVPOINTF{doc.canvasRect.left + x * doc.zoom, doc.canvasRect.top + y * doc.zoom};
    doc.UpdateLayerOrigin(layer);
}

ZVPOINTF PicturePlace(CLayerDocument& doc, const CLayerInfo& layer)
{
    return ZVPOINTF{(layer.location.x - doc.canvasRect.left) / doc.zoom, (layer.location.y - doc.canvasRect.top) / doc.zoom};
}

// Unpacks the archive into folder\open and reads it into doc.
BOOL OpenArchive(CLayerDocument& doc, const std::wstring& archive, const std::wstring& folder)
{
    const std::wstring open = folder + L"\\open";
    if (!UnzipToFolder(archive.c_str(), open.c_str()))
        return FALSE;
    return doc.LoadProject((open + L"\\main.xml").c_str());
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::string Utf16(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    return bytes;
}

std::wstring FromUtf16(const std::string& bytes)
{
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += wchar_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
    return text;
}

// A main.xml of the layers' elements, in a folder that holds Image0.webp (40 x 20).
std::wstring WriteProjectXml(const TempFolder& folder, const std::wstring& layers,
                             const std::wstring& root = L"<KQEditor Version=\"1\">")
{
    CZVImage picture = Quadrants(40, 20);
    EXPECT_TRUE(picture.Save(folder.At(L"Image0.webp").c_str(), 0));
    const std::wstring xml = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + root + L"<Layers>" + layers +
                             L"</Layers></KQEditor>\r\n";
    EXPECT_TRUE(TempFolder::Put(folder.At(L"main.xml"), Utf16(xml)));
    return folder.At(L"main.xml");
}

const wchar_t kBackground[] = L"<Layer Type=\"0\" Visible=\"true\" Alpha=\"255\" FileName=\"Image0.webp\" LayerName=\"Back\"/>";

CWordArtInfo EveryWordArtAttribute()
{
    CWordArtInfo art;
    art.SetText(L"Say \"hi\" <&> there");
    art.m_TextEffect = TE_DBL_OUTLINE;
    art.m_clrText1 = Gdiplus::Color(255, 200, 30, 40);
    art.m_bTextGradient = true;
    art.m_clrText2 = Gdiplus::Color(255, 10, 120, 230);
    art.m_bExtrudedText = true;
    art.m_clrOutline1 = Gdiplus::Color(255, 1, 2, 3);
    art.m_nOutlineThickness1 = 3;
    art.m_nOutlineAlpha1 = 200;
    art.m_clrOutline2 = Gdiplus::Color(255, 250, 251, 252);
    art.m_nOutlineThickness2 = 5;
    art.m_nOutlineAlpha2 = 150;
    art.m_bEnableShadow = true;
    art.m_clrShadow = Gdiplus::Color(255, 60, 70, 80);
    art.m_nShadowThickness = 6;
    art.m_nShadowAlpha = 90;
    art.m_nShadowOffsetX = -3;
    art.m_nShadowOffsetY = 7;
    lstrcpynW(art.m_LogFont.lfFaceName, L"Arial", LF_FACESIZE);
    art.m_LogFont.lfHeight = -28;
    art.m_LogFont.lfWeight = 700;
    art.m_LogFont.lfItalic = 1;
    art.m_LogFont.lfUnderline = 1;
    return art;
}

void ExpectSameWordArt(const CWordArtInfo& a, const CWordArtInfo& b)
{
    EXPECT_EQ(std::wstring(a.m_strText.GetString()), std::wstring(b.m_strText.GetString()));
    EXPECT_EQ(a.m_TextEffect, b.m_TextEffect);
    EXPECT_EQ(a.m_clrText1.GetValue(), b.m_clrText1.GetValue());
    EXPECT_EQ(a.m_bTextGradient, b.m_bTextGradient);
    EXPECT_EQ(a.m_clrText2.GetValue(), b.m_clrText2.GetValue());
    EXPECT_EQ(a.m_bExtrudedText, b.m_bExtrudedText);
    EXPECT_EQ(a.m_clrOutline1.GetValue(), b.m_clrOutline1.GetValue());
    EXPECT_EQ(a.m_nOutlineThickness1, b.m_nOutlineThickness1);
    EXPECT_EQ(a.m_nOutlineAlpha1, b.m_nOutlineAlpha1);
    EXPECT_EQ(a.m_clrOutline2.GetValue(), b.m_clrOutline2.GetValue());
    EXPECT_EQ(a.m_nOutlineThickness2, b.m_nOutlineThickness2);
    EXPECT_EQ(a.m_nOutlineAlpha2, b.m_nOutlineAlpha2);
    EXPECT_EQ(a.m_bEnableShadow, b.m_bEnableShadow);
    EXPECT_EQ(a.m_clrShadow.GetValue(), b.m_clrShadow.GetValue());
    EXPECT_EQ(a.m_nShadowThickness, b.m_nShadowThickness);
    EXPECT_EQ(a.m_nShadowAlpha, b.m_nShadowAlpha);
    EXPECT_EQ(a.m_nShadowOffsetX, b.m_nShadowOffsetX);
    EXPECT_EQ(a.m_nShadowOffsetY, b.m_nShadowOffsetY);
    EXPECT_EQ(std::wstring(a.m_LogFont.lfFaceName), std::wstring(b.m_LogFont.lfFaceName));
    EXPECT_EQ(a.m_LogFont.lfHeight, b.m_LogFont.lfHeight);
    EXPECT_EQ(a.m_LogFont.lfWeight, b.m_LogFont.lfWeight);
    EXPECT_EQ(a.m_LogFont.lfItalic, b.m_LogFont.lfItalic);
    EXPECT_EQ(a.m_LogFont.lfUnderline, b.m_LogFont.lfUnderline);
}

void ExpectSameShape(const ShapeSettings& a, const ShapeSettings& b)
{
    EXPECT_EQ(a.shape, b.shape);
    EXPECT_EQ(a.lineStyle, b.lineStyle);
    EXPECT_EQ(a.lineOption, b.lineOption);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.outlineWidth, b.outlineWidth);
    EXPECT_EQ(a.reserved1, b.reserved1);
    EXPECT_EQ(a.reserved2, b.reserved2);
    EXPECT_EQ(a.fillAlpha, b.fillAlpha);
    EXPECT_EQ(a.fillOn, b.fillOn);
    EXPECT_EQ(a.outlineColour, b.outlineColour);
    EXPECT_EQ(a.fillColour, b.fillColour);
    EXPECT_EQ(a.secondColour, b.secondColour);
    ASSERT_EQ(a.points.size(), b.points.size());
    for (size_t i = 0; i < a.points.size(); ++i) {
        EXPECT_FLOAT_EQ(a.points[i].x, b.points[i].x);
        EXPECT_FLOAT_EQ(a.points[i].y, b.points[i].y);
    }
}

// Every kind and attribute the writer stores, saved at zoom 0.5 and read at zoom 1.3.
TEST(ProjectFile, RoundTripKeepsEveryLayer)
{
    TempFolder folder;
    CLayerDocument doc;
    StartDocument(doc, 0.5f);

    struct ImageCase {
        CZVImage picture;
        float x, y;
        int alpha;
        float angle;
        bool visible;
        int type;
        bool flip;
    };
    const ImageCase images[] = {
        {Quadrants(40, 20), 30, 10, 100, 0.0f, true, LAYER_IMAGE, false},       // opacity
        {Quadrants(30, 30), 50, 40, 255, 0.7f, true, LAYER_IMAGE, true},        // turned and flipped
        {Plain(10, 10, RGB(1, 2, 3)), 5, 5, 255, 0.0f, false, LAYER_IMAGE, false}, // hidden
        {Plain(12, 8, RGB(9, 8, 7)), 70, 3, 255, 0.0f, true, LAYER_PAGE_OVERLAY, false},
        {Plain(6, 14, RGB(90, 80, 70)), 90, 60, 180, 0.0f, true, LAYER_PAGE_MATERIAL, false},
    };
    for (const ImageCase& c : images) {
        ASSERT_TRUE(doc.AddImageLayer(c.picture, FALSE));
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        layer->type = c.type;
        layer->alpha = c.alpha;
        layer->visible = c.visible ? 1 : 0;
        if (c.flip)
            layer->FlipHorizontal();
        layer->SetAngle(c.angle);
        PlaceCurrent(doc, c.x, c.y);
    }

    ASSERT_TRUE(doc.AddTextLayer(EveryWordArtAttribute()));
    CLayerInfo* text = doc.layers.GetCurrentLayer();
    text->name = L"T \"quoted\" <a&b>\ttab";
    text->alpha = 200;
    text->flipHorizontal = 1;
    text->angle = 0.3f;
    text->RenderText();
    PlaceCurrent(doc, 60, 70);

    ShapeSettings polygon;
    polygon.shape = SHAPE_POLYGON;
    polygon.width = 50;
    polygon.height = 40;
    polygon.points = {{0, 0}, {50, 10}, {20, 40}};
    polygon.outlineWidth = 2;
    polygon.lineStyle = 1;
    polygon.reserved1 = 120;
    polygon.fillOn = 1;
    polygon.fillAlpha = 90;
    polygon.outlineColour = RGB(200, 10, 20);
    polygon.fillColour = RGB(10, 200, 20);
    polygon.secondColour = RGB(1, 2, 250);
    ASSERT_TRUE(doc.AddShapeLayer(polygon));
    CLayerInfo* shape = doc.layers.GetCurrentLayer();
    shape->flipVertical = 1;
    shape->angle = 0.4f;
    shape->visible = 0;
    shape->RenderShape();
    PlaceCurrent(doc, 100, 20);

    ASSERT_TRUE(doc.SaveProject(folder.At(L"round.kqd").c_str()));
    CLayerDocument read;
    read.viewRect = kView;
    read.zoom = 1.3f;
    ASSERT_TRUE(OpenArchive(read, folder.At(L"round.kqd"), folder.Root()));

    ASSERT_EQ(read.layers.layers.size(), doc.layers.layers.size());
    for (size_t i = 0; i < doc.layers.layers.size(); ++i) {
        SCOPED_TRACE(i);
        const CLayerInfo& a = doc.layers.layers[i];
        const CLayerInfo& b = read.layers.layers[i];
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(std::wstring(a.name.GetString()), std::wstring(b.name.GetString()));
        EXPECT_EQ(a.visible, b.visible);
        EXPECT_EQ(a.alpha, b.alpha);
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.height, b.height);
        EXPECT_FLOAT_EQ(a.angle, b.angle);
        EXPECT_EQ(a.flipVertical, b.flipVertical);
        EXPECT_EQ(a.flipHorizontal, b.flipHorizontal);
        const ZVPOINTF pa = PicturePlace(doc, a), pb = PicturePlace(read, b);
        EXPECT_NEAR(pa.x, pb.x, 0.01);
        EXPECT_NEAR(pa.y, pb.y, 0.01);
        EXPECT_TRUE(SamePixels(a.displayed, b.displayed));
        if (a.type == LAYER_TEXT)
            ExpectSameWordArt(a.wordArt, b.wordArt);
        if (a.type == LAYER_SHAPE)
            ExpectSameShape(a.shape, b.shape);
    }
}

// The cases of the format read from files written by hand: what the reader takes and refuses.
TEST(ProjectFile, ReaderCases)
{
    const std::wstring image = L"<Layer Type=\"1\" Visible=\"true\" Alpha=\"255\" FileName=\"Image0.webp\" LayerName=\"Pic\"/>";
    const std::wstring text = L"<Layer Type=\"2\" LayerName=\"Words\"><WordArt FontName=\"Arial\" Height=\"-20\">ab</WordArt></Layer>";
    struct Case {
        const char* what;
        std::wstring root;
        std::wstring layers;
        BOOL result;
        std::vector<int> types;   // of the layers read; unchanged document when the result is FALSE
        std::vector<int> visible;
    };
    const std::wstring v1 = L"<KQEditor Version=\"1\">";
    const Case cases[] = {
        {"another version", L"<KQEditor Version=\"2\">", std::wstring(kBackground) + image, FALSE, {}, {}},
        {"no version", L"<KQEditor>", std::wstring(kBackground) + image, TRUE, {0, 1}, {1, 1}},
        {"\"True\" is not true", v1,
         L"<Layer Type=\"0\" Visible=\"True\" FileName=\"Image0.webp\"/>"
         L"<Layer Type=\"1\" Visible=\"TRUE\" FileName=\"Image0.webp\"/>",
         TRUE, {0, 1}, {0, 1}},
        {"a first layer without a type is a shape", v1, L"<Layer LayerName=\"x\"/>" + std::wstring(kBackground), TRUE, {0}, {1}},
        {"a layer without a type takes the one before", v1,
         std::wstring(kBackground) + text + L"<Layer LayerName=\"more\"><WordArt FontName=\"Arial\">cd</WordArt></Layer>",
         TRUE, {0, 2, 2}, {1, 1, 1}},
        {"type 4 reads as a picture", v1, std::wstring(kBackground) + L"<Layer Type=\"4\" FileName=\"Image0.webp\"/>", TRUE, {0, 1}, {1, 1}},
        {"no background", v1, image, FALSE, {}, {}},
        {"a background that does not decode", v1, L"<Layer Type=\"0\" FileName=\"main.xml\"/>" + image, FALSE, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::wstring xml = WriteProjectXml(folder, c.layers, c.root);
        CLayerDocument doc;
        StartDocument(doc, 1.0f, 7, 9);
        ASSERT_TRUE(doc.AddImageLayer(Plain(3, 3, RGB(1, 1, 1)), FALSE));
        EXPECT_EQ(doc.LoadProject(xml.c_str()), c.result);
        if (!c.result) {
            ASSERT_EQ(doc.layers.layers.size(), 2u);
            EXPECT_EQ(doc.layers.layers[0].width, 7);
            continue;
        }
        ASSERT_EQ(doc.layers.layers.size(), c.types.size());
        for (size_t i = 0; i < c.types.size(); ++i) {
            EXPECT_EQ(doc.layers.layers[i].type, c.types[i]) << i;
            EXPECT_EQ(doc.layers.layers[i].visible, c.visible[i]) << i;
        }
    }
    CLayerDocument doc;
    EXPECT_FALSE(doc.LoadProject(L"Z:\\no\\such\\folder\\main.xml"));
    TempFolder folder;
    const char* const unusable[] = {
        "not xml <<<",
        "<Other><Layers><Layer Type=\"0\" FileName=\"Image0.webp\"/></Layers></Other>",
        "<KQEditor Version=\"1\"><Other><Layer Type=\"0\" FileName=\"Image0.webp\"/></Other></KQEditor>",
    };
    for (const char* text : unusable) {
        SCOPED_TRACE(text);
        WriteProjectXml(folder, L"");
        ASSERT_TRUE(TempFolder::Put(folder.At(L"main.xml"), text));
        EXPECT_FALSE(doc.LoadProject(folder.At(L"main.xml").c_str()));
    }
}

// A name ending in .png gives the .kqd beside it with four entries; a turned layer is stored
// unturned from its source; a slot picture is stored as a picture.
TEST(ProjectFile, ArchiveEntries)
{
    TempFolder folder;
    CLayerDocument doc;
    StartDocument(doc, 1.0f);
    ASSERT_TRUE(doc.AddImageLayer(Quadrants(40, 20), FALSE));
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    layer->type = LAYER_SLOT_PICTURE;
    layer->SetAngle(0.5f);
    doc.UpdateLayerOrigin(layer);
    ASSERT_TRUE(doc.SaveProject(folder.At(L"x.png").c_str()));
    EXPECT_EQ(folder.List(), std::vector<std::wstring>{L"x.kqd"});

    ASSERT_TRUE(UnzipToFolder(folder.At(L"x.kqd").c_str(), folder.At(L"open").c_str()));
    EXPECT_EQ(Sorted(folder.List(L"open")),
              (std::vector<std::wstring>{L"Image0.webp", L"Image1.webp", L"main.xml", L"~preview.webp"}));
    CZVImage stored;
    ASSERT_TRUE(stored.LoadFile(folder.At(L"open\\Image1.webp").c_str()));
    EXPECT_TRUE(SamePixels(stored, Quadrants(40, 20)));
    CZVImage preview;
    ASSERT_TRUE(preview.LoadFile(folder.At(L"open\\~preview.webp").c_str()));
    EXPECT_EQ(preview.GetWidth(), 200u);
    EXPECT_EQ(preview.GetHeight(), 120u);

    XmlDocument xml;
    ASSERT_TRUE(XmlLoadFile(&xml, folder.At(L"open\\main.xml").c_str()));
    XmlNode::ChildPos position;
    XmlNode* list = xml.FindChild(L"KQEditor")->FindChild(L"Layers");
    XmlNode* second = list->FindFirstChild(L"Layer", position);
    second = list->FindNextChild(L"Layer", position);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(std::wstring(second->FindAttribute(L"Type")->value), L"1");
    EXPECT_EQ(std::wstring(second->FindAttribute(L"Angle")->value), L"0.5");
    EXPECT_EQ(std::wstring(second->FindAttribute(L"FileName")->value), L"Image1.webp");
}

// A turned layer without a source (the page and combine views keep none) is stored as shown.
TEST(ProjectFile, TurnedLayerWithoutSourceIsStoredAsShown)
{
    TempFolder folder;
    CLayerDocument doc;
    doc.keepSource = 0;
    StartDocument(doc, 1.0f);
    ASSERT_TRUE(doc.AddImageLayer(Quadrants(40, 20), FALSE));
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    layer->source = Quadrants(40, 20);
    layer->SetAngle(0.5f);
    layer->ClearSourceImage();
    PlaceCurrent(doc, 30, 30);
    const CZVImage shown = layer->displayed;
    const ZVPOINTF drawn = {(layer->drawOrigin.x - doc.canvasRect.left) / doc.zoom,
                            (layer->drawOrigin.y - doc.canvasRect.top) / doc.zoom};
    ASSERT_TRUE(doc.SaveProject(folder.At(L"p.kqd").c_str()));

    CLayerDocument read;
    read.viewRect = kView;
    read.keepSource = 0;
    ASSERT_TRUE(OpenArchive(read, folder.At(L"p.kqd"), folder.Root()));
    ASSERT_EQ(read.layers.layers.size(), 2u);
    const CLayerInfo& back = read.layers.layers[1];
    EXPECT_EQ(back.angle, 0.0f);
    EXPECT_TRUE(SamePixels(back.displayed, shown));
    const ZVPOINTF place = PicturePlace(read, back);
    EXPECT_NEAR(place.x, drawn.x, 0.01);
    EXPECT_NEAR(place.y, drawn.y, 0.01);
}

std::wstring FixturePath(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    dir.resize(dir.find_last_of(L'\\'));
    return dir + L"\\project-fixtures\\" + name;
}

// The bytes of main.xml: byte-order mark, header, CR LF, tabs, attribute order, escapes.
TEST(ProjectFile, MainXmlBytes)
{
    TempFolder folder;
    CLayerDocument doc;
    StartDocument(doc, 1.0f, 4, 2);
    ASSERT_TRUE(doc.AddImageLayer(Plain(2, 2, RGB(10, 20, 30)), FALSE));
    doc.layers.GetCurrentLayer()->name = L"Pic \"1\" <&>";
    PlaceCurrent(doc, 1.5f, 0.25f);
    ShapeSettings rectangle;
    rectangle.width = 10;
    rectangle.height = 6;
    rectangle.outlineWidth = 1;
    rectangle.outlineColour = RGB(0x20, 0x40, 0x80);
    ASSERT_TRUE(doc.AddShapeLayer(rectangle));
    doc.layers.GetCurrentLayer()->visible = 0;
    PlaceCurrent(doc, 2, 1);
    ASSERT_TRUE(doc.SaveProject(folder.At(L"golden.kqd").c_str()));
    ASSERT_TRUE(UnzipToFolder(folder.At(L"golden.kqd").c_str(), folder.At(L"open").c_str()));
    const std::string written = TempFolder::Get(folder.At(L"open\\main.xml"));
    const std::string golden = TempFolder::Get(FixturePath(L"golden-main.xml"));
    EXPECT_EQ(written, golden) << "written:\n" << std::string(written.begin(), written.end());
}

// A failed save returns FALSE, keeps the old archive byte for byte and leaves no temporary
// file beside it or in the temporary folder.
TEST(ProjectFile, FailedSaveKeepsOldArchive)
{
    enum Hindrance { READ_ONLY, HELD_OPEN, MISSING_FOLDER };
    struct Case {
        const char* what;
        Hindrance hindrance;
    };
    const Case cases[] = {{"read-only target", READ_ONLY}, {"target held open", HELD_OPEN}, {"missing folder", MISSING_FOLDER}};
    wchar_t tempPath[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, tempPath);
    const std::wstring ours = L"kqd-" + [] {
        wchar_t pid[16];
        swprintf(pid, 16, L"%lx-", GetCurrentProcessId());
        return std::wstring(pid);
    }();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string old = "old archive bytes";
        const std::wstring target =
            c.hindrance == MISSING_FOLDER ? folder.At(L"missing\\doc.kqd") : folder.At(L"doc.kqd");
        if (c.hindrance != MISSING_FOLDER) {
            ASSERT_TRUE(TempFolder::Put(target, old));
        }
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.hindrance == READ_ONLY)
            SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
        if (c.hindrance == HELD_OPEN)
            held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

        CLayerDocument doc;
        StartDocument(doc, 1.0f);
        ASSERT_TRUE(doc.AddImageLayer(Quadrants(40, 20), FALSE));
        EXPECT_FALSE(doc.SaveProject(target.c_str()));

        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (c.hindrance == MISSING_FOLDER) {
            EXPECT_TRUE(folder.List().empty());
        } else {
            EXPECT_EQ(TempFolder::Get(target), old);
            EXPECT_EQ(folder.List(), std::vector<std::wstring>{L"doc.kqd"});
        }
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((std::wstring(tempPath) + ours + L"*").c_str(), &found);
        EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "left behind: " << (find != INVALID_HANDLE_VALUE ? found.cFileName[0] : 0);
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
    }
}

// Values no editor makes: the layer is refused, the rest of the project read, nothing crashes.
TEST(ProjectFile, HostileLayersAreRefused)
{
    struct Case {
        const char* what;
        std::wstring layer;   // {root}: the test folder
        int repeat;
        size_t maxLayers;
    };
    const Case cases[] = {
        {"parent folder", L"<Layer Type=\"1\" FileName=\"..\\outside.webp\"/>", 1, 1},
        {"parent folder, forward", L"<Layer Type=\"1\" FileName=\"../outside.webp\"/>", 1, 1},
        {"rooted name", L"<Layer Type=\"1\" FileName=\"{root}\\outside.webp\"/>", 1, 1},
        {"drive", L"<Layer Type=\"1\" FileName=\"Z:outside.webp\"/>", 1, 1},
        {"huge shape", L"<Layer Type=\"3\"><Shape Type=\"0\" Width=\"100000\" Height=\"100000\"/></Layer>", 1, 1},
        {"negative shape", L"<Layer Type=\"3\"><Shape Type=\"0\" Width=\"-5\" Height=\"10\"/></Layer>", 1, 1},
        {"huge border", L"<Layer Type=\"3\"><Shape Type=\"0\" Width=\"10\" Height=\"10\" Border=\"2000000000\"/></Layer>", 1, 1},
        {"huge font", L"<Layer Type=\"2\"><WordArt FontName=\"Arial\" Height=\"1073741824\">x</WordArt></Layer>", 1, 1},
        {"huge outline", L"<Layer Type=\"2\"><WordArt FontName=\"Arial\" OutlineThickness1=\"1073741824\">x</WordArt></Layer>", 1, 1},
        {"many layers", L"<Layer Type=\"3\"><Shape Type=\"0\" Width=\"4\" Height=\"4\"/></Layer>", 100000, 1001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder outer;
        CZVImage outside = Quadrants(8, 8);
        ASSERT_TRUE(outside.Save(outer.At(L"outside.webp").c_str(), 0));
        CreateDirectoryW(outer.At(L"project").c_str(), nullptr);
        std::wstring layer = c.layer;
        const size_t at = layer.find(L"{root}");
        if (at != std::wstring::npos)
            layer.replace(at, 6, outer.Root());
        std::wstring layers = kBackground;
        for (int i = 0; i < c.repeat; ++i)
            layers += layer;

        CZVImage picture = Quadrants(40, 20);
        ASSERT_TRUE(picture.Save(outer.At(L"project\\Image0.webp").c_str(), 0));
        const std::wstring xml = L"<KQEditor Version=\"1\"><Layers>" + layers + L"</Layers></KQEditor>";
        ASSERT_TRUE(TempFolder::Put(outer.At(L"project\\main.xml"), Utf16(xml)));
        CLayerDocument doc;
        doc.viewRect = kView;
        EXPECT_TRUE(doc.LoadProject(outer.At(L"project\\main.xml").c_str()));
        EXPECT_GE(doc.layers.layers.size(), 1u);
        EXPECT_LE(doc.layers.layers.size(), c.maxLayers);
        EXPECT_EQ(doc.layers.layers[0].width, 40);
    }
}

// Hidden layers are left out of the preview and of the export, as the canvas leaves them out.
TEST(ProjectFile, HiddenLayersStayOutOfExport)
{
    TempFolder folder;
    CLayerDocument doc;
    StartDocument(doc, 0.5f);
    ASSERT_TRUE(doc.AddImageLayer(Plain(20, 20, RGB(255, 0, 255)), FALSE));
    PlaceCurrent(doc, 10, 10);
    ASSERT_TRUE(doc.AddImageLayer(Plain(20, 20, RGB(0, 255, 255)), FALSE));
    PlaceCurrent(doc, 100, 60);
    doc.layers.GetCurrentLayer()->visible = 0;
    ASSERT_TRUE(doc.ExportImage(folder.At(L"flat.png").c_str()));
    CZVImage flat;
    ASSERT_TRUE(flat.LoadFile(folder.At(L"flat.png").c_str()));
    ASSERT_EQ(flat.GetWidth(), 200u);
    const RGBQUAD shown = documenttest::Top(flat, 15, 15);
    EXPECT_EQ(RGB(shown.rgbRed, shown.rgbGreen, shown.rgbBlue), RGB(255, 0, 255));
    const RGBQUAD hidden = documenttest::Top(flat, 110, 70);
    const RGBQUAD background = documenttest::Top(Quadrants(200, 120), 110, 70);
    EXPECT_EQ(RGB(hidden.rgbRed, hidden.rgbGreen, hidden.rgbBlue),
              RGB(background.rgbRed, background.rgbGreen, background.rgbBlue));
    EXPECT_FALSE(doc.ExportImage(folder.At(L"missing\\flat.png").c_str()));
}

// Templates written from shape layers, read back by the page maker's reader.
TEST(ProjectFile, SlotTemplatesReadBack)
{
    struct Case {
        const char* what;
        int figure;
        int outline;
        float angle;
        int extraLayers;
        BOOL alphaChannel;
        int pageKind;
        int move, transparent;
        double degrees;
        int slotWidth;
        int border;
    };
    const double quarter = documenttest::kPi / 2;
    const Case cases[] = {
        {"rectangle", SHAPE_RECTANGLE, 4, 0.0f, 0, FALSE, 1, 0, 0, 0.0, 96, 8},
        {"outline 5", SHAPE_RECTANGLE, 5, 0.0f, 0, FALSE, 1, 0, 0, 0.0, 94, 10},
        {"three layers move", SHAPE_ELLIPSE, 0, 0.0f, 1, FALSE, 1, 1, 0, 0.0, 100, 0},
        {"quarter turn", SHAPE_RECTANGLE, 0, float(quarter), 0, FALSE, 1, 0, 0, 90.0, 100, 0},
        {"transparent scene", SHAPE_RECTANGLE, 0, 0.0f, 0, TRUE, 0, 0, 1, 0.0, 100, 0},
        {"template page is not transparent", SHAPE_RECTANGLE, 0, 0.0f, 0, TRUE, 1, 0, 0, 0.0, 100, 0},
        {"scene without alpha", SHAPE_RECTANGLE, 0, 0.0f, 0, FALSE, 0, 0, 0, 0.0, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        CLayerDocument doc;
        StartDocument(doc, 0.5f);
        for (int i = 0; i < c.extraLayers; ++i)
            ASSERT_TRUE(doc.AddImageLayer(Plain(5, 5, RGB(1, 2, 3)), FALSE));
        ShapeSettings shape;
        shape.shape = c.figure;
        shape.width = 100;
        shape.height = 60;
        shape.outlineWidth = c.outline;
        shape.outlineColour = RGB(0x11, 0x22, 0x33);
        shape.fillColour = RGB(0x44, 0x55, 0x66);
        ASSERT_TRUE(doc.AddShapeLayer(shape));
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        layer->angle = c.angle;
        layer->RenderShape();
        PlaceCurrent(doc, 20, 10);
        ASSERT_TRUE(doc.SaveSlotTemplate(folder.At(L"page.png").c_str(), c.alphaChannel, c.pageKind));

        PageTemplate page;
        auto slots = page.Lock();
        ASSERT_TRUE(slots.ParseTemplate(folder.At(L"page.xml").c_str()));
        EXPECT_EQ(page.m_move.load(), c.move);
        EXPECT_EQ(page.m_transparent.load(), c.transparent);
        ASSERT_EQ(slots.GetSlotCount(), 1u);
        const TemplateSlot& slot = slots[0];
        EXPECT_NEAR(slot.record.angle, c.degrees, 1e-3);
        EXPECT_EQ(slot.record.width, c.slotWidth);
        EXPECT_EQ(slot.record.border, c.border);
        EXPECT_EQ(slot.record.borderColour, 0xFF112233u);
        EXPECT_EQ(slot.record.fillColour, 0xFF445566u);
        const LONG x = LONG((layer->drawOrigin.x - doc.canvasRect.left) / doc.zoom);
        EXPECT_EQ(slot.box.left, x);
        EXPECT_EQ(slot.box.right - slot.box.left, LONG(layer->displayed.GetWidth()));
        if (c.figure == SHAPE_RECTANGLE && c.angle == 0.0f) {
            // The outline's corners, fitted to the slot's size and centred in its box.
            std::vector<ZVPOINTF> points(size_t(slot.path.GetPointCount()));
            ASSERT_EQ(points.size(), 4u);
            slot.path.GetPathPoints(points.data(), long(points.size()));
            const float inset = float(100 - c.slotWidth) / 2;
            const float boxWidth = float(slot.box.right - slot.box.left);
            const float left = (boxWidth - float(c.slotWidth)) / 2;
            EXPECT_NEAR(points[0].x, left, 0.01);
            EXPECT_NEAR(points[1].x, left + float(c.slotWidth), 0.01);
            EXPECT_NEAR(points[2].y - points[1].y, 60 - 2 * inset, 0.01);
        }
    }
    CLayerDocument doc;
    StartDocument(doc, 1.0f);
    EXPECT_FALSE(doc.SaveSlotTemplate(L"Z:\\no\\such\\folder\\page.png", FALSE, 1));
}

TEST(ProjectFile, OutlineText)
{
    EXPECT_EQ(PolygonOutlineText({{0, 0}, {10, 0}, {10, 5}}), L"M0.000,0.000 L10.000,0.000 L10.000,5.000z");
    EXPECT_EQ(PolygonOutlineText({}), L"");
    ShapeSettings rectangle;
    rectangle.width = 8;
    rectangle.height = 4;
    EXPECT_EQ(ShapeSlotOutlineText(rectangle), L"M0.000,0.000 L8.000,0.000 L8.000,4.000 L0.000,4.000z");
    rectangle.shape = SHAPE_FIRST_LIBRARY;
    EXPECT_EQ(ShapeSlotOutlineText(rectangle), L"");
}

} // namespace projectfiletest
