#pragma once
// CProcessBase: one effect with its values, applied in place to a picture on the effect
// dialog's worker thread. Made by the dialog for one run and deleted with it.
class CZVImage;

class CProcessBase {
public:
    CProcessBase() = default;
    virtual ~CProcessBase() = default;
    CProcessBase(const CProcessBase&) = delete;
    CProcessBase& operator=(const CProcessBase&) = delete;

    // Leaves an empty picture alone.
    virtual void Process(CZVImage* picture) { (void)picture; }

    // When m_bGiveAngle is set, the run gives the layer that receives the result this angle.
    float m_fLayerAngle = 0.0f; // radians
    int m_bGiveAngle = 0;
};
