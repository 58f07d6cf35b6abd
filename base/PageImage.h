#pragma once
// CPageImage: byte-addressed access to an image of 4096-byte pages through a movable window.
// Positions are absolute; the window start is subtracted to reach the store.
#include <windows.h>
#include <cstdint>
#include "ZVUILibDef.h"

const uint32_t PAGE_IMAGE_PAGE_SIZE = 4096;

// Transfer hooks: position, buffer, count, context; they answer the bytes moved.
typedef uint32_t (*PageImageReadHook)(uint32_t position, void* buffer, uint32_t count, void* context);
typedef uint32_t (*PageImageWriteHook)(uint32_t position, const void* buffer, uint32_t count, void* context);

class ZVUILIB_API CPageImage {
public:
    virtual ~CPageImage() {}
    virtual bool ReadPage(uint32_t position, void* page) = 0;
    virtual bool WritePage(uint32_t position, const void* page) = 0;
    virtual uint32_t GetPageKind(uint32_t position) = 0;
    virtual bool LoadMemory(uint32_t size, const void* data, bool compressed, uint32_t dataSize = 0) = 0;
    virtual bool CreateImage(const wchar_t* path, uint32_t size) = 0;
    virtual bool OpenImage(const wchar_t* path, HANDLE handle) = 0;
    virtual void CloseImage() = 0;
    virtual uint32_t Read(uint32_t position, void* buffer, uint32_t count) = 0;
    virtual uint32_t Write(uint32_t position, const void* buffer, uint32_t count) = 0;
    virtual uint32_t SetWindowStart(uint32_t start) = 0;
    virtual void SetReadHook(PageImageReadHook hook, void* context) = 0;
    virtual void SetWriteHook(PageImageWriteHook hook, void* context) = 0;
    virtual bool IsOutside(uint32_t position) = 0;
    virtual uint32_t CallReadHook(uint32_t position, void* buffer, uint32_t count) = 0;
    virtual uint32_t CallWriteHook(uint32_t position, const void* buffer, uint32_t count) = 0;
};
