// Binding of the GDI entry points on first use.
#include "GdiApi.h"

namespace {

GdiApi* Bind()
{
    static GdiApi api;
    bool complete = true;
#define ZV_GDI_BIND(library, name)                                                                 \
    if (HMODULE module = LoadLibraryW(library))                                                    \
        api.name = reinterpret_cast<decltype(api.name)>(reinterpret_cast<void*>(GetProcAddress(module, #name))); \
    complete = complete && api.name != nullptr;
    ZV_GDI_CALLS(ZV_GDI_BIND)
#undef ZV_GDI_BIND
    return complete ? &api : nullptr;
}

} // namespace

const GdiApi* Gdi()
{
    // A function-local static: bound once, safely from any thread.
    static const GdiApi* api = Bind();
    return api;
}
