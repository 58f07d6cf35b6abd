#include "LayerDocument.h"
#include <cwchar>
#include "EditorAppState.h"
#include "ProjectFile.h"
#include "XmlDocument.h"
#include "XmlWriter.h"

namespace {

// An opaque 0xAARRGGBB from a COLORREF, as the page maker reads slot colours.
int OpaqueArgb(COLORREF colour)
{
    return int(0xFF000000u | (uint32_t(GetRValue(colour)) << 16) | (uint32_t(GetGValue(colour)) << 8) |
               GetBValue(colour));
}

} // namespace

void CLayerDocument::WriteSlot(XmlNode* slots, CLayerInfo* layer, const std::wstring& outline)
{
    XmlNode* slot = slots->AddChild(L"Slot", XML_NODE_ELEMENT);
    if (!slot)
        return;
    const ShapeSettings& shape = layer->shape;
    const int inset = int(shape.outlineWidth * 0.5 + 0.5);
    slot->AddAttribute(L"a")->SetFloatValue(LayerAngleToDegrees(layer->angle));
    slot->AddAttribute(L"width")->SetIntValue(shape.width - 2 * inset);
    slot->AddAttribute(L"height")->SetIntValue(shape.height - 2 * inset);
    slot->AddAttribute(L"flipv")->SetValue(layer->flipVertical ? L"true" : L"false");
    slot->AddAttribute(L"fliph")->SetValue(layer->flipHorizontal ? L"true" : L"false");
    slot->AddAttribute(L"border")->SetIntValue(shape.outlineWidth * 2);
    slot->AddAttribute(L"bordercolor")->SetHexValue(OpaqueArgb(shape.outlineColour));
    slot->AddAttribute(L"fill")->SetHexValue(OpaqueArgb(shape.fillColour));
    XmlNode* box = slot->AddChild(L"box", XML_NODE_ELEMENT);
    box->AddAttribute(L"x")->SetIntValue(int((layer->drawOrigin.x - canvasRect.left) / zoom));
    box->AddAttribute(L"y")->SetIntValue(int((layer->drawOrigin.y - canvasRect.top) / zoom));
    box->AddAttribute(L"width")->SetIntValue(int(layer->displayed.GetWidth()));
    box->AddAttribute(L"height")->SetIntValue(int(layer->displayed.GetHeight()));
    slot->AddChild(L"path", XML_NODE_ELEMENT)->AddAttribute(L"d")->SetValue(outline.c_str());
}

void CLayerDocument::WriteShapeSlot(XmlNode* slots, CLayerInfo* layer)
{
    if (!slots || !layer || layer->type != LAYER_SHAPE)
        return;
    WriteSlot(slots, layer, ShapeSlotOutlineText(layer->shape));
}

// A library figure's outline goes as the library holds it, in its own coordinates: the page
// maker scales every outline to its slot.
void CLayerDocument::WriteLayerSlot(XmlNode* slots, CLayerInfo* layer)
{
    if (!slots || !layer || layer->type != LAYER_SHAPE)
        return;
    const ShapeLibraryEntry* entry = ShapeLibraryEntryFor(GetEditorAppState().shapeLibrary, layer->shape.shape);
    WriteSlot(slots, layer, entry ? entry->path : std::wstring());
}

BOOL CLayerDocument::SaveSlotTemplate(const wchar_t* path, BOOL alphaChannel, int pageKind)
{
    if (!path || !*path || zoom <= 0)
        return FALSE;
    XmlDocument tree;
    XmlNode* slots = tree.AddChild(L"Slots", XML_NODE_ELEMENT);
    slots->AddAttribute(L"Move")->SetValue(layers.layers.size() >= 3 ? L"on" : L"off");
    slots->AddAttribute(L"Transparent")->SetValue(alphaChannel && pageKind == 0 ? L"on" : L"off");
    const std::wstring source = path;
    const size_t slash = source.find_last_of(L"\\/");
    const size_t dot = source.rfind(L'.');
    const std::wstring file =
        (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash + 1) ? source.substr(0, dot) : source) +
        L".xml";
    for (CLayerInfo& layer : layers.layers) {
        const int figure = layer.shape.shape;
        if ((figure >= SHAPE_RECTANGLE && figure < SHAPE_FIRST_LIBRARY) || figure == SHAPE_POLYGON)
            WriteShapeSlot(slots, &layer);
        else
            WriteLayerSlot(slots, &layer);
    }
    return XmlSaveFile(&tree, file.c_str()) ? TRUE : FALSE;
}
