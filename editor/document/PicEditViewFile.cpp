// The picture edit view's files: projects opened from their archives, pictures added as layers,
// saving and saving as (projects or flattened pictures), a document from the clipboard and the
// hand-over of the shapes to the page maker.
#include <windows.h>
#include <commdlg.h>
#include <algorithm>
#include <atomic>
#include <vector>
#include "ChildFrame.h"
#include "ClipboardImageSize.h"
#include "DlgSaveChanges.h"
#include "EditFilePaths.h"
#include "EditorAppState.h"
#include "EditorUtils.h"
#include "LocalFileIO.h"
#include "MessageBox.h"
#include "PicEditView.h"
#include "ZVUILibApp.h"
#include "ZipArchive.h"

// ---- path arithmetic ----

namespace {

size_t NameStart(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

// The dot of the extension, npos when the name has none.
size_t ExtensionDot(const std::wstring& path)
{
    const size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos || dot < NameStart(path) ? std::wstring::npos : dot;
}

} // namespace

std::wstring FileTitleOf(const std::wstring& path)
{
    const size_t start = NameStart(path), dot = ExtensionDot(path);
    return path.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
}

std::wstring ExtensionOf(const std::wstring& path)
{
    const size_t dot = ExtensionDot(path);
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot + 1);
}

bool IsProjectPath(const std::wstring& path)
{
    return _wcsicmp(ExtensionOf(path).c_str(), L"kqd") == 0;
}

std::wstring TimeStampedPath(const std::wstring& path, const SYSTEMTIME& t)
{
    wchar_t stamp[32];
    swprintf(stamp, 32, L"_%04u-%02u-%02u_%02u_%02u_%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    const std::wstring extension = ExtensionOf(path);
    return path.substr(0, NameStart(path)) + FileTitleOf(path) + stamp + (extension.empty() ? L"" : L"." + extension);
}

std::wstring FilterExtension(const std::wstring& filter, int index)
{
    // Entries come in pairs, the text first.
    size_t start = 0;
    for (int field = 0; field < 2 * index - 1; ++field) {
        const size_t bar = filter.find(L'|', start);
        if (bar == std::wstring::npos)
            return std::wstring();
        start = bar + 1;
    }
    const std::wstring pattern = filter.substr(start, filter.find_first_of(L"|;", start) - start);
    if (index < 1 || pattern.size() < 3 || pattern.compare(0, 2, L"*.") != 0 || pattern.find(L'*', 2) != std::wstring::npos)
        return std::wstring();
    return pattern.substr(1);
}

std::wstring WithFilterExtension(const std::wstring& path, const std::wstring& filter, int index)
{
    if (ExtensionDot(path) != std::wstring::npos)
        return path;
    return path + FilterExtension(filter, index);
}

std::wstring FreshProjectFolder(const std::wstring& tempFolder, const std::wstring& title)
{
    static std::atomic<unsigned> counter{0};
    std::wstring base = tempFolder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    base += L"~" + title + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (;;) {
        const std::wstring folder = base + std::to_wstring(++counter);
        if (::GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
            return folder;
    }
}

// ---- opening ----

namespace {

void RemoveFolder(std::wstring folder)
{
    if (::GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        GetLocalFileIO().DeleteTree(folder.c_str(), false);
}

} // namespace

BOOL CPicEditView::OpenProject(const wchar_t* path)
{
    if (!path || !*path)
        return FALSE;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length > MAX_PATH)
        return FALSE;
    // A folder of this open alone: another project of the same title may be open beside it,
    // and nothing the user keeps in the temporary folder is touched.
    const std::wstring folder = FreshProjectFolder(temp, FileTitleOf(path));
    ScopeGuard remove(RemoveFolder, folder);
    if (!UnzipToFolder(path, folder.c_str()))
        return FALSE;
    const std::wstring xml = folder + L"\\main.xml";
    if (::GetFileAttributesW(xml.c_str()) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    BeginIntake();
    // The reader fills the document only once the project has read whole; a failure leaves the
    // open picture as it was.
    if (!doc.LoadProject(xml.c_str()))
        return FALSE;
    filePath = path;
    doc.suggestedSaveName.Empty();
    // The project was laid out at the zoom of the moment; the layout that follows fits it to the
    // window and moves the layers with it.
    doc.zoom = doc.GetFitZoom();
    FinishIntake(true, false, true);
    return TRUE;
}

namespace {

// The open dialog's name buffer, grown while the user selects so that any number of files fits.
struct GrowingNames {
    std::vector<wchar_t> buffer;
};

UINT_PTR CALLBACK GrowNamesHook(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    auto* notify = reinterpret_cast<OFNOTIFYW*>(lParam);
    if (notify->hdr.code != CDN_SELCHANGE || !notify->lpOFN)
        return 0;
    OPENFILENAMEW* ofn = notify->lpOFN;
    auto* names = reinterpret_cast<GrowingNames*>(ofn->lCustData);
    const HWND dialog = ::GetParent(child);
    const LRESULT folder = ::SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
    const LRESULT spec = ::SendMessageW(dialog, CDM_GETSPEC, 0, 0);
    if (!names || folder < 0 || spec < 0)
        return 0;
    // The folder, then each name with its terminator, then the closing one; quotes and blanks
    // of the typed list count too, which leaves room.
    const size_t needed = static_cast<size_t>(folder) + static_cast<size_t>(spec) + 2;
    if (needed > ofn->nMaxFile) {
        names->buffer.assign(needed + MAX_PATH, L'\0');
        ofn->lpstrFile = names->buffer.data();
        ofn->nMaxFile = static_cast<DWORD>(names->buffer.size());
    }
    return 0;
}

} // namespace

BOOL CPicEditView::OpenAsLayers()
{
    EditorAppState& state = GetEditorAppState();
    const CStringW filter(GetOpenFileFilter().GetString());
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT, filter,
                       this);
    GrowingNames names;
    names.buffer.assign(7800, L'\0');
    dialog.m_ofn.lpstrFile = names.buffer.data();
    dialog.m_ofn.nMaxFile = static_cast<DWORD>(names.buffer.size());
    dialog.m_ofn.Flags |= OFN_ENABLEHOOK;
    dialog.m_ofn.lpfnHook = GrowNamesHook;
    dialog.m_ofn.lCustData = reinterpret_cast<LPARAM>(&names);
    const CStringW title = TranslateString(L"Open");
    dialog.m_ofn.lpstrTitle = title;
    const CStringW folder = state.currentFolder;
    dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : static_cast<const wchar_t*>(folder);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    BOOL lastAdded = FALSE;
    POSITION position = dialog.GetStartPosition();
    while (position) {
        const CStringW path = dialog.GetNextPathName(position);
        CStringW parent = path.Left(std::max(0, path.ReverseFind(L'\\')));
        while (!parent.IsEmpty() && parent[parent.GetLength() - 1] == L'\\')
            parent = parent.Left(parent.GetLength() - 1);
        state.currentFolder = parent;
        if (m_hWnd && ::GetFocus() != m_hWnd)
            SetFocus();
        lastAdded = doc.AddImageFileLayer(path);
        if (lastAdded) {
            RequestRedraw();
            currentChanged = 1;
            NotifyLayersChanged();
        }
    }
    return lastAdded;
}

BOOL CPicEditView::NewDocumentFromClipboard()
{
    CZVImage picture;
    if (!ReadClipboardPicture(m_hWnd, picture))
        return FALSE;
    BeginIntake();
    if (!doc.OpenImage(picture))
        return FALSE;
    FinishIntake(true, false, false);
    return TRUE;
}

// ---- saving ----

BOOL CPicEditView::WriteDocument(const wchar_t* path)
{
    const BOOL written = IsProjectPath(path) ? doc.SaveProject(path) : doc.ExportImage(path);
    if (!written) {
        CStringW text = TranslateString(L"Fail to save !");
        text += L"\n";
        text += path;
        BCGPMessageBox(text, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    if (doc.historyOn)
        doc.history.savedPosition = doc.history.position;
    modified = 0;
    CWnd* parent = m_hWnd ? GetParent() : nullptr;
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CChildFrame)))
        static_cast<CChildFrame*>(parent)->ClearTitleMark();
    return TRUE;
}

BOOL CPicEditView::Save()
{
    if (filePath.IsEmpty())
        return SaveAs(L"Save");
    std::wstring target = static_cast<const wchar_t*>(filePath);
    if (askBeforeOverwrite) {
        CDlgSaveChanges dialog(this);
        if (dialog.DoModal() != IDOK)
            return FALSE;
        if (dialog.m_choice == 1) {
            SYSTEMTIME now;
            ::GetLocalTime(&now);
            target = TimeStampedPath(target, now);
        }
        if (dialog.m_dontAsk)
            askBeforeOverwrite = 0;
    }
    if (!WriteDocument(target.c_str()))
        return FALSE;
    filePath = target.c_str();
    return TRUE;
}

BOOL CPicEditView::SaveAs(const wchar_t* title)
{
    EditorAppState& state = GetEditorAppState();
    int type = 0;
    if (doc.suggestedSaveName.IsEmpty() && !filePath.IsEmpty()) {
        doc.suggestedSaveName = FileTitleOf(static_cast<const wchar_t*>(filePath)).c_str();
        type = GetSaveTypeFromFileName(filePath);
    }
    const std::wstring filter = GetSaveFileFilter().GetString();
    CFileDialog dialog(FALSE, nullptr, doc.suggestedSaveName, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, filter.c_str(),
                       this);
    if (type > 0)
        dialog.m_ofn.nFilterIndex = static_cast<DWORD>(type);
    const CStringW caption = TranslateString(title ? title : L"Save As");
    dialog.m_ofn.lpstrTitle = caption;
    const CStringW folder = state.currentFolder;
    dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : static_cast<const wchar_t*>(folder);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    // A name typed without an extension takes the chosen type's, which then decides between a
    // project and a picture.
    const std::wstring path =
        WithFilterExtension(static_cast<const wchar_t*>(dialog.GetPathName()), filter, static_cast<int>(dialog.m_ofn.nFilterIndex));
    if (!WriteDocument(path.c_str()))
        return FALSE;
    filePath = path.c_str();
    CWnd* parent = m_hWnd ? GetParent() : nullptr;
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CChildFrame)))
        static_cast<CChildFrame*>(parent)->SetDocumentTitle(path.substr(path.find_last_of(L'\\') + 1).c_str());
    return TRUE;
}

// ---- shapes to a page ----

void CPicEditView::ExportShapeToPage()
{
    CDlgExportShapeToPage dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    wchar_t user[MAX_PATH] = {};
    GetKQFolder(user, static_cast<KQ_FOLDER_TYPE>(0), true);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u%02u%02u%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
    // The pages module looks for the user's own pages in the "My" folder of each kind.
    const std::wstring folder =
        std::wstring(user) + L"\\Data\\Page" + (dialog.m_target == 1 ? L"\\Template\\My" : L"\\Scene\\My");
    const std::wstring path = folder + L"\\" + stamp + L".webp";
    if (!GetLocalFileIO().Exists(folder.c_str()))
        GetLocalFileIO().MakeDirTree(folder.c_str());
    if (!doc.SaveSlotTemplate(path.c_str(), dialog.m_alpha, dialog.m_target) || !doc.ExportImage(path.c_str())) {
        CStringW text = TranslateString(L"Fail to save !");
        text += L"\n";
        text += path.c_str();
        BCGPMessageBox(text, MB_OK | MB_ICONERROR);
        return;
    }
    if (dialog.m_runPages)
        if (IEditorHost* host = GetEditorHost())
            host->OpenPageMaker(path.c_str());
}
