#include "HistoryStore.h"
#include <algorithm>
#include <cstring>
#include <string>

struct HistoryTile {
    HistoryTile(size_t size, std::shared_ptr<uint64_t> counter)
        : bytes(new BYTE[size]), size(size), counter(std::move(counter))
    {
        *this->counter += size;
    }
    ~HistoryTile() { *counter -= size; }

    std::unique_ptr<BYTE[]> bytes;
    size_t size;
    std::shared_ptr<uint64_t> counter;
};

// Helpers of StoredPicture, which the header names outside any anonymous namespace.
namespace historystore {

// Reaches the picture's settings and file facts, which have no public setters, so that a
// picture rebuilt from tiles equals the one stored.
class PictureAccess : public CxImage {
public:
    using CxImage::Info;
    static const Info& InfoOf(const CxImage& p) { return p.*(&PictureAccess::m_info); }
    static const std::wstring& FileNameOf(const CxImage& p) { return p.*(&PictureAccess::m_fileName); }
    static const std::vector<BYTE>& ExifBlockOf(const CxImage& p) { return p.*(&PictureAccess::m_exifBlock); }
    static bool HasFrames(const CxImage& p) { return !(p.*(&PictureAccess::m_frames)).empty(); }

    static void Settle(CxImage& p, const Info& info, const CX_IMAGE_EXIFINFO& exif, const std::vector<BYTE>& exifBlock,
                       const std::wstring& fileName)
    {
        p.*(&PictureAccess::m_info) = info;
        p.*(&PictureAccess::m_exif) = exif;
        p.*(&PictureAccess::m_exifBlock) = exifBlock;
        p.*(&PictureAccess::m_fileName) = fileName;
        p.SetXDPI(info.xdpi);
        p.SetYDPI(info.ydpi);
    }
};

// A picture with several frames is kept whole: its frames are not reachable plane by plane.
struct WholeCopy {
    WholeCopy(const CZVImage& from, std::shared_ptr<uint64_t> counter) : picture(from), counter(std::move(counter))
    {
        for (long i = 0; const CxImage* frame = picture.GetFrame(i); ++i) {
            const uint64_t plane = uint64_t(frame->GetWidth()) * frame->GetHeight();
            size += frame->GetDIBSize() + (frame->AlphaIsValid() ? plane : 0) + (frame->SelectionIsValid() ? plane : 0);
        }
        *this->counter += size;
    }
    ~WholeCopy() { *counter -= size; }

    CZVImage picture;
    uint64_t size = 0;
    std::shared_ptr<uint64_t> counter;
};

} // namespace historystore

using historystore::PictureAccess;
using historystore::WholeCopy;

namespace {

bool SameGeometry(const StoredPlane& a, const StoredPlane& b)
{
    return a.rowBytes == b.rowBytes && a.rows == b.rows && a.tileBytes == b.tileBytes;
}

// Calls visit(index, column offset, column bytes, first row, row count) for every tile.
template <class Visit>
void ForEachTile(const StoredPlane& plane, uint32_t tileRows, const Visit& visit)
{
    size_t index = 0;
    for (uint32_t y = 0; y < plane.rows; y += tileRows)
        for (uint32_t x = 0; x < plane.rowBytes; x += plane.tileBytes, ++index)
            visit(index, x, std::min(plane.tileBytes, plane.rowBytes - x), y, std::min(tileRows, plane.rows - y));
}

} // namespace

class StoredPicture {
public:
    bool valid = false;
    DWORD width = 0, height = 0;
    WORD bpp = 0;
    uint32_t tileRows = 0;
    PictureAccess::Info info;
    CX_IMAGE_EXIFINFO exif = {};
    std::vector<BYTE> exifBlock;
    std::wstring fileName;
    std::vector<RGBQUAD> palette;
    StoredPlane pixels, alpha, selection;
    bool hasAlpha = false, hasSelection = false;
    std::shared_ptr<const WholeCopy> whole;

    void RestoreInto(CZVImage& out) const
    {
        if (!valid) {
            out.Destroy();
            return;
        }
        if (whole) {
            out = whole->picture;
            return;
        }
        // A picture of the same shape is written over where it is: a fresh 12-megapixel buffer
        // costs more to have zeroed and faulted in than the tiles cost to copy.
        if (FitsInto(out)) {
            Unpack(out);
            out.SetEscape(0);   // as a new picture's
            return;
        }
        CZVImage made;
        if (!made.Create(width, height, bpp, info.type))
            throw std::bad_alloc();
        Unpack(made);
        out.Transfer(made);
    }

private:
    bool FitsInto(const CxImage& p) const
    {
        return p.IsValid() && !PictureAccess::HasFrames(p) && p.GetWidth() == width && p.GetHeight() == height &&
               p.GetBpp() == bpp && p.GetEffWidth() == pixels.rowBytes && p.GetNumColors() == palette.size();
    }

    // Every plane of p (of this picture's shape) written whole from the tiles.
    void Unpack(CxImage& p) const
    {
        if (!palette.empty())
            std::memcpy(p.GetPalette(), palette.data(), palette.size() * sizeof(RGBQUAD));
        Fill(pixels, p.GetBits());
        if (hasAlpha) {
            if (!p.AlphaCreate())
                throw std::bad_alloc();
            Fill(alpha, p.AlphaGetPointer());
        } else {
            p.AlphaDelete();
        }
        if (hasSelection) {
            if (!p.SelectionCreate())
                throw std::bad_alloc();
            Fill(selection, p.SelectionGetPointer());
        } else {
            p.SelectionDelete();
        }
        PictureAccess::Settle(p, info, exif, exifBlock, fileName);
    }

    void Fill(const StoredPlane& plane, BYTE* to) const
    {
        ForEachTile(plane, tileRows, [&](size_t i, uint32_t x, uint32_t w, uint32_t y, uint32_t h) {
            const BYTE* from = plane.tiles[i]->bytes.get();
            for (uint32_t r = 0; r < h; ++r)
                std::memcpy(to + size_t(y + r) * plane.rowBytes + x, from + size_t(r) * w, w);
        });
    }
};

namespace {

// The byte every byte of the w x h block at data holds, or -1 when they differ.
int UniformValue(const BYTE* data, uint32_t rowBytes, uint32_t w, uint32_t h)
{
    const BYTE value = data[0];
    for (uint32_t r = 0; r < h; ++r) {
        const BYTE* row = data + size_t(r) * rowBytes;
        // Every byte equals its neighbour and the first equals the value.
        if (row[0] != value || (w > 1 && std::memcmp(row, row + 1, w - 1) != 0))
            return -1;
    }
    return value;
}

// The plane's tiles, each shared with the first reference whose tile there is byte-equal.
StoredPlane StorePlane(const BYTE* data, uint32_t rowBytes, uint32_t rows, uint32_t tileBytes, uint32_t tileRows,
                       const std::vector<const StoredPlane*>& references, const std::shared_ptr<uint64_t>& counter)
{
    StoredPlane plane;
    plane.rowBytes = rowBytes;
    plane.rows = rows;
    plane.tileBytes = tileBytes;
    std::vector<const StoredPlane*> usable;
    for (const StoredPlane* ref : references)
        if (ref && !ref->tiles.empty() && SameGeometry(*ref, plane))
            usable.push_back(ref);
    // Tiles of one byte value throughout (an opaque alpha plane, a white or black area) are one
    // tile per value and size: an opaque 12-megapixel picture's alpha takes one tile, not 184.
    struct UniformTile {
        int value;
        HistoryTilePtr tile;
    };
    std::vector<UniformTile> uniform;
    ForEachTile(plane, tileRows, [&](size_t i, uint32_t x, uint32_t w, uint32_t y, uint32_t h) {
        const BYTE* at = data + size_t(y) * rowBytes + x;
        for (const StoredPlane* ref : usable) {
            const BYTE* tile = ref->tiles[i]->bytes.get();
            bool same = true;
            for (uint32_t r = 0; r < h && same; ++r)
                same = std::memcmp(tile + size_t(r) * w, at + size_t(r) * rowBytes, w) == 0;
            if (same) {
                plane.tiles.push_back(ref->tiles[i]);
                return;
            }
        }
        const int value = UniformValue(at, rowBytes, w, h);
        if (value >= 0) {
            for (const UniformTile& known : uniform)
                if (known.value == value && known.tile->size == size_t(w) * h) {
                    plane.tiles.push_back(known.tile);
                    return;
                }
        }
        auto tile = std::make_shared<HistoryTile>(size_t(w) * h, counter);
        for (uint32_t r = 0; r < h; ++r)
            std::memcpy(tile->bytes.get() + size_t(r) * w, at + size_t(r) * rowBytes, w);
        if (value >= 0)
            uniform.push_back(UniformTile{value, tile});
        plane.tiles.push_back(std::move(tile));
    });
    return plane;
}

// A copy of the layer's fields without pictures. The pictures are lent out while the copy is
// made, so that storing a step never copies pixels that the tiles already hold.
CLayerInfo FieldsOnly(const CLayerInfo& layer)
{
    CLayerInfo& lender = const_cast<CLayerInfo&>(layer);
    CZVImage* const pictures[] = {&lender.displayed,   &lender.source,      &lender.zoomedCopy,
                                  &lender.workingCopy, &lender.shadowCache, &lender.zoomedShadowCache};
    CZVImage held[6];
    for (int i = 0; i < 6; ++i)
        held[i].Transfer(*pictures[i]);
    CLayerInfo copy(layer);
    for (int i = 0; i < 6; ++i)
        pictures[i]->Transfer(held[i]);
    return copy;
}

} // namespace

CLayerInfo StoredLayer::Restore() const
{
    CLayerInfo layer;
    RestoreInto(layer);
    return layer;
}

void StoredLayer::RestoreInto(CLayerInfo& layer) const
{
    // The layer's own pictures are kept through the assignment so that a state of the same
    // size is written into their buffers.
    CZVImage displayed, source;
    displayed.Transfer(layer.displayed);
    source.Transfer(layer.source);
    layer = fields;
    layer.displayed.Transfer(displayed);
    layer.source.Transfer(source);
    if (m_displayed)
        m_displayed->RestoreInto(layer.displayed);
    else
        layer.displayed.Destroy();
    if (m_source)
        m_source->RestoreInto(layer.source);
    else
        layer.source.Destroy();
}

CLayeredManage StoredList::Restore() const
{
    CLayeredManage list(settings);
    list.layers.reserve(layers.size());
    for (const StoredLayerPtr& layer : layers)
        list.layers.push_back(layer->Restore());
    return list;
}

CHistoryStore::CHistoryStore(uint32_t tileSize) : m_tileSize(std::max<uint32_t>(tileSize, 1)), m_bytes(std::make_shared<uint64_t>(0))
{
}

std::shared_ptr<const StoredPicture> CHistoryStore::StorePicture(const CZVImage& picture,
                                                                 const std::vector<const StoredPicture*>& references,
                                                                 bool sameAsFirst)
{
    auto stored = std::make_shared<StoredPicture>();
    if (!picture.IsValid())
        return stored;
    stored->valid = true;
    if (PictureAccess::HasFrames(picture)) {
        stored->whole = std::make_shared<WholeCopy>(picture, m_bytes);
        return stored;
    }
    stored->width = picture.GetWidth();
    stored->height = picture.GetHeight();
    stored->bpp = picture.GetBpp();
    stored->tileRows = m_tileSize;
    stored->info = PictureAccess::InfoOf(picture);
    stored->exif = *picture.GetExifInfo();
    stored->exifBlock = PictureAccess::ExifBlockOf(picture);
    stored->fileName = PictureAccess::FileNameOf(picture);
    if (const DWORD colours = picture.GetNumColors())
        stored->palette.assign(picture.GetPalette(), picture.GetPalette() + colours);

    const auto planes = [&](StoredPlane StoredPicture::*member) {
        std::vector<const StoredPlane*> planes;
        for (const StoredPicture* ref : references)
            if (ref && ref->valid && !ref->whole && ref->tileRows == m_tileSize)
                planes.push_back(&(ref->*member));
        return planes;
    };
    const uint32_t w = stored->width, h = stored->height;
    const StoredPicture* same = sameAsFirst && !references.empty() ? references.front() : nullptr;
    const auto store = [&](const BYTE* data, uint32_t rowBytes, uint32_t tileBytes, StoredPlane StoredPicture::*member) {
        if (same && same->valid && !same->whole && same->tileRows == m_tileSize) {
            const StoredPlane& known = same->*member;
            if (known.rowBytes == rowBytes && known.rows == h && known.tileBytes == tileBytes && !known.tiles.empty())
                return known;
        }
        return StorePlane(data, rowBytes, h, tileBytes, m_tileSize, planes(member), m_bytes);
    };
    stored->pixels = store(picture.GetBits(), picture.GetEffWidth(), m_tileSize * (stored->bpp / 8), &StoredPicture::pixels);
    if (picture.AlphaIsValid()) {
        stored->hasAlpha = true;
        stored->alpha = store(picture.AlphaGetPointer(), w, m_tileSize, &StoredPicture::alpha);
    }
    if (picture.SelectionGetPointer()) {
        stored->hasSelection = true;
        stored->selection = store(picture.SelectionGetPointer(), w, m_tileSize, &StoredPicture::selection);
    }
    return stored;
}

StoredLayerPtr CHistoryStore::StoreLayer(const CLayerInfo& layer, bool keepPixels)
{
    auto stored = std::make_shared<StoredLayer>();
    stored->fields = FieldsOnly(layer);
    if (!keepPixels)
        return stored;
    std::shared_ptr<const StoredLayer> newest;
    if (layer.serial != 0) {
        const auto it = m_newest.find(layer.serial);
        if (it != m_newest.end())
            newest = it->second.lock();
    }
    const StoredPicture* newestDisplayed = newest ? newest->m_displayed.get() : nullptr;
    const StoredPicture* newestSource = newest ? newest->m_source.get() : nullptr;
    stored->m_displayed = StorePicture(layer.displayed, {newestDisplayed, newestSource});
    stored->m_source = StorePicture(layer.source, {newestSource, stored->m_displayed.get(), newestDisplayed});
    stored->m_hasPixels = true;
    MarkNewest(stored);
    return stored;
}

void CHistoryStore::MarkNewest(const StoredLayerPtr& stored)
{
    const uint32_t serial = stored->fields.serial;
    if (serial == 0)
        return;
    for (auto it = m_newest.begin(); it != m_newest.end();)
        it = it->second.expired() ? m_newest.erase(it) : std::next(it);
    m_newest[serial] = stored;
}

std::shared_ptr<PreparedPictures> CHistoryStore::PreparePictures(const CLayerInfo& layer, uint32_t tileSize, bool sourceIsCopy)
{
    // A store of its own counts the tiles until one adopts them.
    CHistoryStore apart(tileSize);
    auto prepared = std::make_shared<PreparedPictures>();
    prepared->m_tileSize = apart.m_tileSize;
    prepared->m_displayed = apart.StorePicture(layer.displayed, {});
    // The original was copied from the picture: its tiles are the picture's, unread.
    prepared->m_source = apart.StorePicture(layer.source, {prepared->m_displayed.get()}, sourceIsCopy);
    return prepared;
}

void CHistoryStore::CountHere(const StoredPicture& picture)
{
    // The counter a tile names moves here with the tile's bytes; a tile shared by both pictures
    // moves once.
    const auto move = [this](std::shared_ptr<uint64_t>& counter, uint64_t size) {
        if (counter == m_bytes)
            return;
        *counter -= size;
        counter = m_bytes;
        *m_bytes += size;
    };
    if (picture.whole) {
        auto& whole = const_cast<WholeCopy&>(*picture.whole);
        move(whole.counter, whole.size);
    }
    for (const StoredPlane* plane : {&picture.pixels, &picture.alpha, &picture.selection})
        for (const HistoryTilePtr& tile : plane->tiles) {
            auto& owned = const_cast<HistoryTile&>(*tile);
            move(owned.counter, owned.size);
        }
}

StoredLayerPtr CHistoryStore::AdoptLayer(const CLayerInfo& layer, std::shared_ptr<PreparedPictures> prepared, bool keepPixels)
{
    if (!keepPixels || !prepared || prepared->m_tileSize != m_tileSize)
        return StoreLayer(layer, keepPixels);
    auto stored = std::make_shared<StoredLayer>();
    stored->fields = FieldsOnly(layer);
    CountHere(*prepared->m_displayed);
    CountHere(*prepared->m_source);
    stored->m_displayed = std::move(prepared->m_displayed);
    stored->m_source = std::move(prepared->m_source);
    stored->m_hasPixels = true;
    MarkNewest(stored);
    return stored;
}

std::shared_ptr<StoredList> CHistoryStore::StoreList(const CLayeredManage& list, bool keepPixels)
{
    auto stored = std::make_shared<StoredList>();
    stored->settings = list.CopyWithoutLayers();
    for (const CLayerInfo& layer : list.layers)
        stored->layers.push_back(StoreLayer(layer, keepPixels));
    return stored;
}
