#include "COptionTreeSpinnerButton.h"

#include <cmath>

#include "COptionTree.h"
#include "COptionTreeBufferDC.h"
#include "NumeroTesto.h"

BEGIN_MESSAGE_MAP(COptionTreeSpinnerButton, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOVE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_CANCELMODE, &COptionTreeSpinnerButton::OnCancelMode)
    ON_MESSAGE(WM_OT_STEPUP, &COptionTreeSpinnerButton::OnStepUp)
    ON_MESSAGE(WM_OT_STEPDOWN, &COptionTreeSpinnerButton::OnStepDown)
    ON_MESSAGE(WM_OT_EDITCHANGED, &COptionTreeSpinnerButton::OnEditChanged)
END_MESSAGE_MAP()

COptionTreeSpinnerButton::COptionTreeSpinnerButton() { m_ctlEdit.SetOwnerSpinner(this); }

COptionTreeSpinnerButton::~COptionTreeSpinnerButton() = default;

int COptionTreeSpinnerButton::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    CRect rc;
    GetClientRect(&rc);
    rc.right -= OT_SPINNER_BUTTONS;
    if (!m_ctlEdit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, rc, this, OT_SPINNER_EDIT_ID)) return -1;
    m_ctlEdit.SetSel(0, 0);
    m_ctlEdit.SetFont(COptionTree::GetNormalFont());
    m_ctlEdit.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    int delay = 0;
    DWORD speed = 0;
    ::SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    ::SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    m_nRepeatDelay = (delay + 1) * 250;
    m_nRepeatInterval = 400 - 12 * static_cast<int>(speed);
    return 0;
}

void COptionTreeSpinnerButton::OnDestroy() {
    StopRepeat();
    if (m_ctlEdit.m_hWnd) m_ctlEdit.DestroyWindow();
    CWnd::OnDestroy();
}

void COptionTreeSpinnerButton::PlaceEdit() {
    if (!m_ctlEdit.m_hWnd) return;
    CRect rc;
    GetClientRect(&rc);
    rc.right -= OT_SPINNER_BUTTONS;
    m_ctlEdit.SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
}

void COptionTreeSpinnerButton::OnMove(int, int) { PlaceEdit(); }
void COptionTreeSpinnerButton::OnSize(UINT, int, int) { PlaceEdit(); }
BOOL COptionTreeSpinnerButton::OnEraseBkgnd(CDC*) { return TRUE; }

void COptionTreeSpinnerButton::SetSpinnerFont(CFont* font) {
    if (m_hWnd) SetFont(font);
    if (m_ctlEdit.m_hWnd) m_ctlEdit.SetFont(font);
}

void COptionTreeSpinnerButton::SetRange(double minimum, double maximum) {
    m_dMinValue = minimum;
    m_dMaxValue = maximum;
}

double COptionTreeSpinnerButton::GetValue() const {
    if (!m_hWnd || !m_ctlEdit.m_hWnd) return 0.0;
    CString text;
    m_ctlEdit.GetWindowText(text);
    double value = m_dLastGood;
    LeggiNumeroDigitato(text, value);
    return value;
}

bool COptionTreeSpinnerButton::HasValidText() const {
    if (!m_ctlEdit.m_hWnd) return true;
    CString text;
    m_ctlEdit.GetWindowText(text);
    double value = 0;
    return LeggiNumeroDigitato(text, value);
}

void COptionTreeSpinnerButton::ValidateText() {
    if (!m_hWnd || !m_ctlEdit.m_hWnd) return;
    if (HasValidText()) m_dLastGood = GetValue();
    else SetValue(m_dLastGood);
}

void COptionTreeSpinnerButton::SetValue(double value) {
    if (std::isfinite(value)) m_dLastGood = value;
    if (m_ctlEdit.m_hWnd) m_ctlEdit.SetWindowText(FormatValue(value));
}

CString COptionTreeSpinnerButton::FormatValue(double value) const { return FormattaNumeroCon(L"%.0f", value); }

void COptionTreeSpinnerButton::StepUp() {
    double v = GetValue(), s = GetStep();
    if (v + s <= m_dMaxValue) {
        SetValue(v + s);
    } else if (HasOption(OTSB_WRAPAROUND)) {
        SetValue(m_dMinValue);
    }
}

void COptionTreeSpinnerButton::StepDown() {
    double v = GetValue(), s = GetStep();
    if (v - s >= m_dMinValue) {
        SetValue(v - s);
    } else if (HasOption(OTSB_WRAPAROUND)) {
        SetValue(m_dMaxValue);
    }
}

void COptionTreeSpinnerButton::OnPaint() {
    CPaintDC paint(this);
    if (!m_otSpinnerOwner) return;
    CRect rc;
    GetClientRect(&rc);
    int middle = (rc.bottom - rc.top) / 2;
    m_rcUp = CRect(rc.right - OT_SPINNER_BUTTONS, rc.top, rc.right - 2, middle);
    m_rcDown = CRect(rc.right - OT_SPINNER_BUTTONS, middle, rc.right - 2, rc.bottom);

    COptionTreeBufferDC dc(&paint, rc);
    dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    const double v = GetValue();
    const bool wrap = HasOption(OTSB_WRAPAROUND);
    UINT up = DFCS_SCROLLUP | (m_bUpPressed ? DFCS_PUSHED : 0) | (!wrap && v >= m_dMaxValue ? DFCS_INACTIVE : 0);
    UINT down = DFCS_SCROLLDOWN | (m_bDownPressed ? DFCS_PUSHED : 0) | (!wrap && v <= m_dMinValue ? DFCS_INACTIVE : 0);
    CRect r = m_rcUp;
    dc.DrawFrameControl(&r, DFC_SCROLL, up);
    r = m_rcDown;
    dc.DrawFrameControl(&r, DFC_SCROLL, down);
}

void COptionTreeSpinnerButton::OnLButtonDown(UINT, CPoint point) {
    if (m_rcUp.PtInRect(point)) {
        m_bUpPressed = 1;
        StepUp();
    } else if (m_rcDown.PtInRect(point)) {
        m_bDownPressed = 1;
        StepDown();
    } else {
        return;
    }
    Invalidate();
    m_ptLast = point;
    m_bFirstRepeat = 1;
    SetTimer(OT_REPEAT_TIMER, static_cast<UINT>(m_nRepeatDelay), nullptr);
    // Held until released anywhere: the release must reach the spinner.
    SetCapture();
}

void COptionTreeSpinnerButton::OnTimer(UINT_PTR id) {
    if (id != OT_REPEAT_TIMER) {
        CWnd::OnTimer(id);
        return;
    }
    if (!m_bUpPressed && !m_bDownPressed) {
        StopRepeat();
        return;
    }
    if (m_rcUp.PtInRect(m_ptLast)) {
        StepUp();
    } else if (m_rcDown.PtInRect(m_ptLast)) {
        StepDown();
    }
    Invalidate();
    if (m_bFirstRepeat) {
        m_bFirstRepeat = 0;
        SetTimer(OT_REPEAT_TIMER, static_cast<UINT>(m_nRepeatInterval), nullptr);
    }
}

void COptionTreeSpinnerButton::StopRepeat() {
    if (!m_hWnd) return;
    KillTimer(OT_REPEAT_TIMER);
    bool pressed = m_bUpPressed || m_bDownPressed;
    m_bUpPressed = m_bDownPressed = 0;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (pressed) Invalidate();
}

void COptionTreeSpinnerButton::OnLButtonUp(UINT, CPoint) { StopRepeat(); }

void COptionTreeSpinnerButton::OnCaptureChanged(CWnd* wnd) {
    if (!wnd || wnd->m_hWnd != m_hWnd) StopRepeat();
}

void COptionTreeSpinnerButton::OnShowWindow(BOOL show, UINT status) {
    if (!show) StopRepeat();
    CWnd::OnShowWindow(show, status);
}

LRESULT COptionTreeSpinnerButton::OnCancelMode(WPARAM, LPARAM) {
    StopRepeat();
    return 0;
}

LRESULT COptionTreeSpinnerButton::OnStepUp(WPARAM, LPARAM) {
    StepUp();
    Invalidate();
    return 0;
}

LRESULT COptionTreeSpinnerButton::OnStepDown(WPARAM, LPARAM) {
    StepDown();
    Invalidate();
    return 0;
}

LRESULT COptionTreeSpinnerButton::OnEditChanged(WPARAM, LPARAM) {
    Invalidate();
    return 0;
}
