#pragma once
// The host of the editing dialogs shared by the picture modes: the mode frame that is the
// application's main window, told apart by its run-time class. Each mode frame registers its
// class once at start-up; the dialogs look the host up here and never include a frame's header.
#include <functional>
#include "AppFrame.h"
#include "FrameRender.h"

class CLayerInfo;
class CPicEditView;
class CWordArtInfo;
class CZVImage;

enum class ToolHostKind { Editor, Cosmetics, EffectStudio, Splitter, PageMaker, Combiner };

// What the page maker's view does for the shared text and picture dialogs.
class IPageToolHost {
public:
    virtual ~IPageToolHost() = default;
    // Writes the style into the selected text layer, or adds a text layer with it when none is
    // selected; false when nothing changed.
    virtual bool UpdateOrAddTextLayer(const CWordArtInfo& style) = 0;
    // Writes the style into the selected text layer only; false when none is selected. A host
    // without text layers of its own keeps this answer.
    virtual bool UpdateSelectedTextLayer(const CWordArtInfo& style)
    {
        (void)style;
        return false;
    }
    // The current slot picture without its frame; false when there is none.
    virtual bool GetCurrentPictureUnframed(CZVImage& picture) = 0;
};

// The extras a frame adds to the common rules; each may be left empty.
struct ToolHostHooks {
    // The effect studio empties its view's brush pictures before an effect takes layer 0.
    std::function<void(CWnd* frame)> emptyBrushPictures;
    // The effect studio's base copy becomes the result an effect dialog ended with OK.
    std::function<void(CWnd* frame, const CZVImage& result)> takeBaseCopy;
    // The page maker's view, for the dialogs that edit its layers.
    std::function<IPageToolHost*(CWnd* frame)> pageHost;
    // The effect studio's colour settings, laid on its picture before a photo frame.
    std::function<FrameAdjustments(CWnd* frame)> colourAdjustments;
    // The effect studio's view goes back to the pointer tool and frees its tool cursor, and its
    // parameter bar releases its brush buttons, before a photo frame dialog takes layer 0.
    std::function<void(CWnd* frame)> resetBrushTool;
};

typedef std::function<CPicEditView*(CWnd* frame)> ToolHostViewGetter;

// Registers a frame class (a class registered again replaces its entry). The most derived
// registered class that the main window is a kind of decides.
void RegisterToolHostFrame(CRuntimeClass* frameClass, ToolHostKind kind, ToolHostViewGetter view,
                           ToolHostHooks hooks = ToolHostHooks());
void UnregisterToolHostFrame(CRuntimeClass* frameClass);

// The host found for one dialog; a copy of the entry, so that it outlives a re-registration.
class CToolHost {
public:
    CWnd* frame = nullptr;
    ToolHostKind kind = ToolHostKind::Editor;
    CPicEditView* view = nullptr;
    ToolHostHooks hooks;

    // A frame was matched and its view window exists.
    bool HasView() const;
    // The cosmetics, effect studio and splitter work on layer 0 and make it current.
    bool WorksOnLayerZero() const;
    // The layer an effect works on: layer 0 or the current layer; null when missing.
    CLayerInfo* TargetLayer() const;
    // Layer 0 made current when the kind works on it.
    void TakeLayerZero() const;
    // Whether the selection drawn on the canvas applies (not in the splitter).
    bool AppliesSelection() const;
    // The canvas fitted to the pictures again; the splitter through its document.
    void RefitCanvas() const;
};

// The host of the frame (the application's main window when null); false when no registered
// class matches.
bool FindToolHost(CToolHost& host, CWnd* frame = nullptr);
