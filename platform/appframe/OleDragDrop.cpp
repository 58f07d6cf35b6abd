#include "OleDragDrop.h"
#include <shlobj.h>
#include <atomic>
#include <vector>

// ---------------------------------------------------------------------------------------------
// The data object

class COleDataSource::DataObject final : public IDataObject {
public:
    struct Entry {
        FORMATETC format;
        HGLOBAL block;
    };

    ~DataObject() { Clear(); }

    void Add(const FORMATETC& format, HGLOBAL block)
    {
        for (Entry& e : m_entries)
            if (e.format.cfFormat == format.cfFormat && e.format.lindex == format.lindex && e.format.dwAspect == format.dwAspect) {
                GlobalFree(e.block);
                e.block = block;
                return;
            }
        m_entries.push_back({ format, block });
    }
    void Clear()
    {
        for (Entry& e : m_entries)
            GlobalFree(e.block);
        m_entries.clear();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (!format || !medium)
            return E_INVALIDARG;
        const Entry* entry = Find(*format);
        if (!entry)
            return DV_E_FORMATETC;
        // The taker owns what it gets: a copy of the block.
        const SIZE_T size = GlobalSize(entry->block);
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!copy)
            return E_OUTOFMEMORY;
        const void* from = GlobalLock(entry->block);
        void* to = GlobalLock(copy);
        if (from && to)
            memcpy(to, from, size);
        GlobalUnlock(copy);
        GlobalUnlock(entry->block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format && Find(*format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out)
            out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** ppenum) override
    {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (const Entry& e : m_entries)
            formats.push_back(e.format);
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppenum);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    const Entry* Find(const FORMATETC& format) const
    {
        for (const Entry& e : m_entries)
            if (e.format.cfFormat == format.cfFormat && (format.tymed & TYMED_HGLOBAL) && e.format.dwAspect == format.dwAspect)
                return &e;
        return nullptr;
    }
    std::atomic<ULONG> m_refs{ 1 };
    std::vector<Entry> m_entries;
};

// ---------------------------------------------------------------------------------------------
// COleDropSource

struct COleDropSource::Face final : public IDropSource {
    COleDropSource* owner;
    explicit Face(COleDropSource* o) : owner(o) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDropSource) {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as its owner: the drag that uses it runs inside the owner's call.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override { return owner->QueryContinueDrag(escape, keys); }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override { return owner->GiveFeedback(effect); }
};

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

COleDropSource::COleDropSource() : m_face(new Face(this)) {}

COleDropSource::~COleDropSource()
{
    delete m_face;
}

IDropSource* COleDropSource::GetInterface()
{
    return m_face;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & MK_RBUTTON))
        return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & MK_LBUTTON))
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---------------------------------------------------------------------------------------------
// COleDataSource

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource() : m_data(new DataObject) {}

COleDataSource::~COleDataSource()
{
    m_data->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    if (!hGlobal)
        return;
    FORMATETC format = { cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    if (lpFormatEtc) {
        format = *lpFormatEtc;
        format.cfFormat = cfFormat;
        format.tymed = TYMED_HGLOBAL;
    }
    m_data->Add(format, hGlobal);
}

void COleDataSource::Empty()
{
    m_data->Clear();
}

IDataObject* COleDataSource::GetDataObject()
{
    m_data->AddRef();
    return m_data;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT, COleDropSource* pDropSource)
{
    COleDropSource standard;
    COleDropSource* source = pDropSource ? pDropSource : &standard;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(m_data, source->GetInterface(), dwEffects, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

BOOL COleDataSource::SetClipboard()
{
    return SUCCEEDED(::OleSetClipboard(m_data)) && SUCCEEDED(::OleFlushClipboard());
}
