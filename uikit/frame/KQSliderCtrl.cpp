#include "KQSliderCtrl.h"

IMPLEMENT_DYNCREATE(CKQSliderCtrl, CBCGPSliderCtrl)

BEGIN_MESSAGE_MAP(CKQSliderCtrl, CBCGPSliderCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKQSliderCtrl::~CKQSliderCtrl() = default;

void CKQSliderCtrl::OnPaint()
{
    skinui::PaintBuffered(this, [this](CDC* dc) { Render(dc); });
}
