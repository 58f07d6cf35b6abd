#include "ToolHost.h"
#include <vector>
#include "LayerInfo.h"
#include "PicEditView.h"

namespace {

struct ToolHostEntry {
    CRuntimeClass* frameClass;
    ToolHostKind kind;
    ToolHostViewGetter view;
    ToolHostHooks hooks;
};

std::vector<ToolHostEntry>& Entries()
{
    static std::vector<ToolHostEntry> entries;
    return entries;
}

int ClassDepth(const CRuntimeClass* c)
{
    int depth = 0;
    while (c && c->m_pfnGetBaseClass) {
        c = c->m_pfnGetBaseClass();
        ++depth;
    }
    return depth;
}

} // namespace

void RegisterToolHostFrame(CRuntimeClass* frameClass, ToolHostKind kind, ToolHostViewGetter view, ToolHostHooks hooks)
{
    if (!frameClass)
        return;
    UnregisterToolHostFrame(frameClass);
    Entries().push_back({frameClass, kind, std::move(view), std::move(hooks)});
}

void UnregisterToolHostFrame(CRuntimeClass* frameClass)
{
    std::vector<ToolHostEntry>& entries = Entries();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->frameClass == frameClass) {
            entries.erase(it);
            return;
        }
    }
}

bool FindToolHost(CToolHost& host, CWnd* frame)
{
    host = CToolHost();
    if (!frame)
        frame = AfxGetMainWnd();
    if (!frame)
        return false;
    // A mode frame may derive from another one: the deepest class that matches decides.
    const ToolHostEntry* best = nullptr;
    int bestDepth = -1;
    for (const ToolHostEntry& entry : Entries()) {
        if (!frame->IsKindOf(entry.frameClass))
            continue;
        const int depth = ClassDepth(entry.frameClass);
        if (depth > bestDepth) {
            best = &entry;
            bestDepth = depth;
        }
    }
    if (!best)
        return false;
    host.frame = frame;
    host.kind = best->kind;
    host.view = best->view ? best->view(frame) : nullptr;
    host.hooks = best->hooks;
    return true;
}

bool CToolHost::HasView() const
{
    return view && ::IsWindow(view->m_hWnd);
}

bool CToolHost::WorksOnLayerZero() const
{
    return kind == ToolHostKind::Cosmetics || kind == ToolHostKind::EffectStudio || kind == ToolHostKind::Splitter;
}

CLayerInfo* CToolHost::TargetLayer() const
{
    if (!view)
        return nullptr;
    return WorksOnLayerZero() ? view->doc.layers.GetLayer(0) : view->doc.layers.GetCurrentLayer();
}

void CToolHost::TakeLayerZero() const
{
    if (view && WorksOnLayerZero())
        view->doc.layers.currentId = 0;
}

bool CToolHost::AppliesSelection() const
{
    return kind != ToolHostKind::Splitter;
}

void CToolHost::RefitCanvas() const
{
    if (!view)
        return;
    if (kind == ToolHostKind::Splitter)
        view->doc.RefitCanvas();
    else
        view->RefitCanvas();
}
