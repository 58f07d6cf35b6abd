#include "ShapeLibrary.h"
#include <windows.h>
#include <cwchar>
#include "TString.h"
#include "XmlDocument.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kLibraryFile[] = L"Editor\\Shapes\\Basic.xml";
const wchar_t kInstalledLibraryFile[] = L"Data\\Editor\\Shapes\\Basic.xml";

int32_t IntAttribute(XmlNode& node, const wchar_t* name)
{
    const XmlAttribute* a = node.FindAttribute(name);
    return a ? static_cast<int32_t>(std::wcstol(a->value, nullptr, 10)) : 0;
}

void AddEntry(ShapeLibrary& library, XmlNode* child, const wchar_t* attribute, int32_t width, int32_t height)
{
    if (!child)
        return;
    const XmlAttribute* a = child->FindAttribute(attribute);
    library.push_back(ShapeLibraryEntry{a ? a->value : L"", width, height});
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

const ShapeLibraryEntry* ShapeLibraryEntryFor(const ShapeLibrary& library, int shapeNumber)
{
    if (shapeNumber < 9 || static_cast<size_t>(shapeNumber - 9) >= library.size())
        return nullptr;
    return &library[shapeNumber - 9];
}

bool LoadShapeLibrary(ShapeLibrary& library, const wchar_t* path)
{
    library.clear();
    XmlDocument document;
    if (!path || !XmlLoadFile(&document, path))
        return false;
    XmlNode* root = document.FindChild(L"shapes");
    if (!root)
        return false;
    XmlNode::ChildPos at;
    for (XmlNode* shape = root->FindFirstChild(L"shape", at); shape; shape = root->FindNextChild(L"shape", at)) {
        const int32_t width = IntAttribute(*shape, L"width"), height = IntAttribute(*shape, L"height");
        AddEntry(library, shape->FindChild(L"polygon"), L"points", width, height);
        AddEntry(library, shape->FindChild(L"path"), L"d", width, height);
    }
    return true;
}

bool LoadShapeLibrary(ShapeLibrary& library)
{
    const ALT::TString<wchar_t, 0, 8> user = GetKQDataFolder(kLibraryFile);
    const std::wstring userPath = user.GetString();
    if (FileExists(userPath))
        return LoadShapeLibrary(library, userPath.c_str());
    // As an installer would have placed it beside the program.
    const CModulePathStr installed(kInstalledLibraryFile);
    return LoadShapeLibrary(library, installed.GetString());
}
