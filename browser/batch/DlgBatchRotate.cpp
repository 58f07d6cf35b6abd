#include "DlgBatchRotate.h"
#include "BatchDialogIds.h"
#include "BatchPreview.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CDlgBatchRotate, CKQDialog)
    ON_COMMAND_RANGE(IDC_RT_LEFT, IDC_RT_LEFT + 4, OnChoice)
END_MESSAGE_MAP()

CDlgBatchRotate::CDlgBatchRotate(const std::wstring& samplePath, CWnd* parent)
    : CKQDialog(IDD_BATCH_ROTATE, parent), m_samplePath(samplePath)
{
}

BOOL CDlgBatchRotate::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    SetWindowText(TranslateString(L"Rotate"));
    SetDlgItemText(IDOK, TranslateString(L"OK"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    const struct {
        const wchar_t* word;
        const wchar_t* angle;
    } choices[] = {{L"Rotate Left", L" 90"}, {L"Rotate Right", L" 90"}, {L"Rotate", L" 180"}, {L"Flip horizontal", L""},
                   {L"Flip vertical", L""}};
    for (int i = 0; i < 5; ++i)
        SetDlgItemText(IDC_RT_LEFT + i, (std::wstring(TranslateString(choices[i].word)) + choices[i].angle).c_str());
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    m_picture.SubclassDlgItem(IDC_RT_PICTURE, this);
    m_pictureArea = PictureBoxArea(m_picture);
    // Skinned once the controls of their own are attached.
    EnableVisualManagerStyle(TRUE, TRUE);
    CRect box;
    m_picture.GetClientRect(&box);
    if (m_sample.LoadFile(m_samplePath.c_str())) {
        m_sample.ResampleInFrame(box.Width(), box.Height(), true);
        ShowPictureFitted(m_picture, m_pictureArea, m_sample);
    }
    return TRUE;
}

void CDlgBatchRotate::OnChoice(UINT nID)
{
    CZVImage shown = m_sample;
    if (shown.IsValid()) {
        switch (nID - IDC_RT_LEFT) {
        case 0: shown.RotateLeft(); break;
        case 1: shown.RotateRight(); break;
        case 2: shown.Rotate180(); break;
        case 3: shown.Mirror(); break;
        case 4: shown.Flip(); break;
        }
        ShowPictureFitted(m_picture, m_pictureArea, shown);
    }
    GetDlgItem(IDOK)->EnableWindow(TRUE);
}

void CDlgBatchRotate::OnOK()
{
    for (int i = 0; i < 5; ++i) {
        if (IsDlgButtonChecked(IDC_RT_LEFT + i) == BST_CHECKED) {
            const RotateCommand command = RotateCommandOf(RotateChoice(i));
            m_command = command.command;
            m_arguments = command.arguments;
            EndDialog(IDOK);
            return;
        }
    }
}
