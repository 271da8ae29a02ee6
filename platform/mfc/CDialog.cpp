#include "CDialog.h"

#include "AfxModule.h"
#include "CControls.h"
#include "HostTranscript.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

void AfxThrowUserException() { throw new CUserException(); }

HWND CDataExchange::PrepareCtrl(int id) {
    HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!h) {
        vplat::Transcript::Get().Event("dialog", L"data exchange: no control " + std::to_wstring(id));
        Fail();
    }
    m_idLastControl = id;
    return h;
}

void CDataExchange::Fail() {
    // Back to the control that failed, as the user is to correct it.
    if (m_bSaveAndValidate && m_idLastControl) {
        if (HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl)) ::SetFocus(h);
    }
    AfxThrowUserException();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    HWND h = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(h)) dx->Fail();
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND h = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(h, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageW(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

// The index of the checked button of the group that starts at the control;
// -1 when none is checked.
void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND h = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (HWND c = h; c; c = ::GetWindow(c, GW_HWNDNEXT), ++index) {
        if (c != h && (::GetWindowLongW(c, GWL_STYLE) & WS_GROUP)) break;
        if (!(::SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if (dx->m_bSaveAndValidate) {
            if (::SendMessageW(c, BM_GETCHECK, 0, 0)) value = index;
        } else {
            ::SendMessageW(c, BM_SETCHECK, index == value, 0);
        }
    }
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND h = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        CWnd::FromHandle(h)->GetWindowText(value);
    } else {
        ::SetWindowTextW(h, value);
    }
}

INT_PTR AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_lpszTemplateName(MAKEINTRESOURCEW(templateId)), m_pParentWnd(parent) {}

CDialog::CDialog(LPCWSTR templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

HWND CDialog::PreModal() {
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!parent && AfxGetMainWnd()) parent = AfxGetMainWnd()->m_hWnd;
    return parent ? ::GetAncestor(parent, GA_ROOT) : nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent, HINSTANCE instance) {
    if (!tmpl) return FALSE;
    // The creation hook attaches the dialog's window to this object before
    // its first message, so OnInitDialog runs on it.
    AfxHookWindowCreate(this);
    HWND h = ::CreateDialogIndirectParamW(instance, tmpl, parent ? parent->m_hWnd : nullptr, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return h != nullptr && m_hWnd == h;
}

INT_PTR CDialog::DoModal() {
    HINSTANCE instance = AfxGetResourceHandle();
    LPCDLGTEMPLATE tmpl = m_lpDialogTemplate;
    if (!tmpl && m_lpszTemplateName) {
        HRSRC r = ::FindResourceW(instance, m_lpszTemplateName, RT_DIALOG);
        if (!r) return -1;
        tmpl = static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(instance, r)));
    }
    if (!tmpl) return -1;
    HWND parent = PreModal();
    bool enableParent = parent && ::IsWindowEnabled(parent);
    if (enableParent) ::EnableWindow(parent, FALSE);
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(tmpl, CWnd::FromHandle(parent), instance)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            ::ShowWindow(m_hWnd, SW_SHOW);
            RunModalLoop();
        }
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (enableParent) ::EnableWindow(parent, TRUE);
    if (m_hWnd) DestroyWindow();
    PostModal();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC r = ::FindResourceW(instance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (!r) return FALSE;
    m_pParentWnd = parent;
    return CreateDlgIndirect(static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(instance, r))), parent, instance);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent) {
    m_pParentWnd = parent;
    return CreateDlgIndirect(tmpl, parent, AfxGetResourceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent) {
    m_lpDialogTemplate = tmpl;
    m_pParentWnd = parent;
    return TRUE;
}

void CDialog::EndDialog(int result) {
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(result);
    ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
    // Controls bound by data exchange are subclassed here, and the data goes to them.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // Only keyboard and mouse input goes through the dialog manager.
    bool key = msg->message >= WM_KEYDOWN && msg->message <= 0x0109;
    bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    if (!key && !mouse) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

void CDialog::NextDlgCtrl() const {
    if (HWND h = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE)) ::SetFocus(h);
}

void CDialog::PrevDlgCtrl() const {
    if (HWND h = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE)) ::SetFocus(h);
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (!control) return;
    ::SetFocus(control->m_hWnd);
    if (::SendMessageW(control->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageW(control->m_hWnd, EM_SETSEL, 0, -1);
}
