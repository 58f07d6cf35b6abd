#pragma once
// The editor's print dialog: the library's layout dialog over the picture the canvas prints,
// with the print resolution kept to whole pixels per inch and the photos per page left to the
// user when a standard size is chosen. It is the canvas's IPrintLayoutDialog.
#include "CanvasPrint.h"
#include "dialogs/KQPrintDialog.h"

namespace editorprint {

class CKQPrintDialog : public ::CKQPrintDialog {
public:
    explicit CKQPrintDialog(CWnd* pParent = nullptr) : ::CKQPrintDialog(pParent) {}

    // What the canvas prints with: the dialog's values in its own units.
    PrintChoice Choice() const;

protected:
    void UpdateResolution() override;
    bool PresetSetsCount() const override { return false; }
};

// Runs the dialog for the canvas. Without a printer the framework tells the user so and no
// dialog opens.
class CPrintLayoutDialog : public IPrintLayoutDialog {
public:
    bool Run(CWnd* owner, const CZVImage& picture, PrintChoice& choice) override;
    // Called with the dialog once it is up (tests and the demonstration drive it); may be empty.
    void (*ready)(CKQPrintDialog& dialog, void* context) = nullptr;
    void* context = nullptr;
};

// The one the editor frame installs.
CPrintLayoutDialog& EditorPrintLayoutDialog();

} // namespace editorprint
