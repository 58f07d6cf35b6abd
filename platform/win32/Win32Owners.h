#pragma once
// Owners of Win32 handles, one kind each: an owner closes what it holds exactly once (when it goes
// out of scope, is reset or is assigned another), moves but never copies, and hands its handle
// over with Release. Every layer may include this header, base/ included.
//
// Sockets close through the socket header that windows.h brings in (winsock.h) or the one the
// includer put first (winsock2.h); the GDI owners need gdi32 only where they are used.
#include <windows.h>
#include <cwchar>
#include <string>
#include <vector>

namespace win32 {

// Traits name the handle's empty value and how it closes:
//   static Handle Invalid();  static void Close(Handle);
template <class Traits>
class UniqueHandle {
public:
    using Handle = decltype(Traits::Invalid());

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::Invalid(); }
    // The caller owns the handle from now on.
    Handle Release()
    {
        const Handle handle = m_handle;
        m_handle = Traits::Invalid();
        return handle;
    }
    void Reset(Handle handle = Traits::Invalid())
    {
        const Handle old = m_handle;
        m_handle = handle;
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For a function that hands a new handle out through a pointer: what was held is closed first.
    Handle* Out()
    {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};
// Kernel objects whose functions fail with null: events, threads, processes, mappings.
struct KernelTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};
struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::FindClose(handle); }
};
struct SocketTraits {
    static SOCKET Invalid() { return INVALID_SOCKET; }
    static void Close(SOCKET socket) { ::closesocket(socket); }
};
template <class T>
struct GdiObjectTraits {
    static T Invalid() { return nullptr; }
    static void Close(T object) { ::DeleteObject(object); }
};
// A DC of CreateCompatibleDC or CreateDC.
struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { ::DeleteDC(dc); }
};
// The screen's DC, GetDC(nullptr).
struct ScreenDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { ::ReleaseDC(nullptr, dc); }
};
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU menu) { ::DestroyMenu(menu); }
};
struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY key) { ::RegCloseKey(key); }
};

using FileHandle = UniqueHandle<FileTraits>;
using KernelHandle = UniqueHandle<KernelTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using Socket = UniqueHandle<SocketTraits>;
template <class T = HGDIOBJ>
using GdiObject = UniqueHandle<GdiObjectTraits<T>>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using ScreenDc = UniqueHandle<ScreenDcTraits>;
using Menu = UniqueHandle<MenuTraits>;

// No value of ours comes near this; a larger one is damage, not a setting.
const DWORD kMaxRegValueBytes = 1 << 20;

// An open registry key with typed values. A read succeeds only for a value of the type asked
// and of a size that fits; it never reads past what the value holds. Writes make the value.
class RegKey : public UniqueHandle<RegKeyTraits> {
public:
    using UniqueHandle::UniqueHandle;

    // Whatever a failed call left in its out-parameter is no key: the owner stays empty.
    bool Open(HKEY root, const wchar_t* path, REGSAM access)
    {
        return Took(::RegOpenKeyExW(root, path, 0, access, Out()));
    }
    // Made when missing.
    bool Create(HKEY root, const wchar_t* path, REGSAM access)
    {
        return Took(::RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, Out(), nullptr));
    }

    bool ReadDword(const wchar_t* name, DWORD& value) const
    {
        DWORD data = 0, type = 0, size = sizeof data;
        if (::RegQueryValueExW(Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data)
            return false;
        value = data;
        return true;
    }
    // REG_SZ or REG_EXPAND_SZ (not expanded). A stored text need not end in a terminator nor have
    // an even size: it ends at its first terminator or after its last whole character.
    bool ReadString(const wchar_t* name, std::wstring& text, DWORD maxBytes = kMaxRegValueBytes) const
    {
        DWORD size = 0;
        if (!SizeOf(name, REG_SZ, REG_EXPAND_SZ, maxBytes, size))
            return false;
        std::wstring read(size / sizeof(wchar_t) + 1, L'\0'); // room for an odd last byte
        if (!Fetch(name, REG_SZ, REG_EXPAND_SZ, &read[0], size))
            return false;
        read.resize(size / sizeof(wchar_t));
        text.assign(read.c_str());
        return true;
    }
    bool ReadBinary(const wchar_t* name, std::vector<BYTE>& data, DWORD maxBytes = kMaxRegValueBytes) const
    {
        DWORD size = 0;
        if (!SizeOf(name, REG_BINARY, REG_BINARY, maxBytes, size))
            return false;
        std::vector<BYTE> read(size);
        if (!Fetch(name, REG_BINARY, REG_BINARY, read.data(), size))
            return false;
        read.resize(size);
        data.swap(read);
        return true;
    }

    bool WriteDword(const wchar_t* name, DWORD value)
    {
        return Write(name, REG_DWORD, &value, sizeof value);
    }
    // Stored with its terminator.
    bool WriteString(const wchar_t* name, const wchar_t* text)
    {
        const size_t length = std::wcslen(text);
        if (length >= kMaxRegValueBytes / sizeof(wchar_t))
            return false;
        return Write(name, REG_SZ, text, DWORD((length + 1) * sizeof(wchar_t)));
    }
    bool WriteBinary(const wchar_t* name, const void* data, DWORD size)
    {
        return Write(name, REG_BINARY, data, size);
    }

private:
    bool Took(LONG status)
    {
        if (status == ERROR_SUCCESS)
            return true;
        Release();
        return false;
    }
    bool SizeOf(const wchar_t* name, DWORD type1, DWORD type2, DWORD maxBytes, DWORD& size) const
    {
        DWORD type = 0;
        size = 0;
        return ::RegQueryValueExW(Get(), name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
               (type == type1 || type == type2) && size <= maxBytes;
    }
    // size: the room on entry (the value's size as SizeOf found it), the bytes read on return. A
    // value that grew meanwhile fails rather than being cut.
    bool Fetch(const wchar_t* name, DWORD type1, DWORD type2, void* data, DWORD& size) const
    {
        DWORD type = 0, read = size;
        if (::RegQueryValueExW(Get(), name, nullptr, &type, static_cast<BYTE*>(data), &read) != ERROR_SUCCESS ||
            (type != type1 && type != type2) || read > size)
            return false;
        size = read;
        return true;
    }
    bool Write(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        return ::RegSetValueExW(Get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }
};

// An object selected into a DC for a scope; the one it replaced is selected back at the end. The
// object is borrowed: whoever owns it deletes it after the selection ends. Not for regions, which
// SelectObject copies rather than selects.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};


// The header of a device-independent bitmap whose first row is the top one, uncompressed.
inline BITMAPINFO TopDownBitmapInfo(LONG width, LONG height, WORD bitsPerPixel = 32)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace win32
