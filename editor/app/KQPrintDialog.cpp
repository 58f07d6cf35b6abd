#include "KQPrintDialog.h"
#include "BaseUtil.h"
#include "PrintDialog.h"

namespace editorprint {

namespace {

// Hands the dialog to the hook once it is laid out.
class CHookedDialog : public CKQPrintDialog {
public:
    CHookedDialog(CWnd* parent, const CPrintLayoutDialog& owner) : CKQPrintDialog(parent), m_owner(owner) {}
    BOOL OnInitDialog() override
    {
        const BOOL result = CKQPrintDialog::OnInitDialog();
        if (m_owner.ready)
            m_owner.ready(*this, m_owner.context);
        return result;
    }

private:
    const CPrintLayoutDialog& m_owner;
};

bool HasDefaultPrinter()
{
    CWinApp* app = AfxGetApp();
    PRINTDLGW defaults = {};
    // The application keeps the default printer's settings; nothing here to free.
    return app && app->GetPrinterDeviceDefaults(&defaults);
}

} // namespace

PrintChoice CKQPrintDialog::Choice() const
{
    PrintChoice choice;
    choice.unit = m_nUnit;
    choice.pictureDpi = m_dResolution;
    choice.printerDpi = m_nPrinterDpi;
    choice.width = m_dWidth;
    choice.height = m_dHeight;
    choice.marginLeft = m_dLeft;
    choice.marginTop = m_dTop;
    choice.spacing = m_dThickness;
    choice.copies = m_nCount;
    choice.centred = m_bCenter;
    return choice;
}

// The printer's driver takes whole pixels per inch; a fraction would make the printed photo
// differ from the size shown.
void CKQPrintDialog::UpdateResolution()
{
    ::CKQPrintDialog::UpdateResolution();
    m_dResolution = RoundDecimal(0, m_dResolution);
}

bool CPrintLayoutDialog::Run(CWnd* owner, const CZVImage& picture, PrintChoice& choice)
{
    if (!HasDefaultPrinter()) {
        appframe::Printers().ReportNoPrinter();
        return false;
    }
    CHookedDialog dialog(owner, *this);
    dialog.m_image.Copy(picture);
    if (dialog.DoModal() != IDOK)
        return false;
    choice = dialog.Choice();
    return true;
}

CPrintLayoutDialog& EditorPrintLayoutDialog()
{
    static CPrintLayoutDialog dialog;
    return dialog;
}

} // namespace editorprint
