#include "CImmagineMgr.h"

#include <CxImage.h>
#include <TranslatorBinding.h>

void CImmagineMgr::SetCornice(int larghezza, int altezza) {
    m_nLarghezza = larghezza - 2 * m_nMargine;
    m_nAltezza = altezza - 2 * m_nMargine;
}

CString CImmagineMgr::GetEstensione(const CString& path) const {
    const int punto = path.ReverseFind(L'.');
    CString estensione = punto < 0 ? path : path.Mid(punto + 1);
    estensione.MakeLower();
    return estensione;
}

void CImmagineMgr::Adatta(int& w, int& h) const {
    if (w == 0 || h == 0) return;
    const int W = m_nLarghezza, H = m_nAltezza;
    if (h < w) {
        const int h1 = h * W / w;
        if (h1 < H) {
            w = W;
            h = h1;
        } else {
            w = static_cast<int>(static_cast<double>(H) / h * w);
            h = H;
        }
    } else {
        const int w1 = w * H / h;
        if (w1 < W) {
            w = w1;
            h = H;
        } else {
            h = static_cast<int>(static_cast<double>(W) / w * h);
            w = W;
        }
    }
}

void CImmagineMgr::Mostra(const CString& path, CStatic* controllo, const CRect* cornice) const {
    if (!controllo || !controllo->m_hWnd) return;
    const CString estensione = GetEstensione(path);
    DWORD formato = CXIMAGE_FORMAT_UNKNOWN;
    if (estensione == L"jpg") formato = CXIMAGE_FORMAT_JPG;
    else if (estensione == L"bmp") formato = CXIMAGE_FORMAT_BMP;
    else if (estensione == L"tif") formato = CXIMAGE_FORMAT_TIF;
    else if (estensione == L"png") formato = CXIMAGE_FORMAT_PNG;
    // The header first: a picture of a size the panel cannot sensibly show
    // (a few kilobytes may claim 16384 x 16384) is refused before decoding.
    DWORD larghezza = 0, altezza = 0;
    CxImage immagine;
    if (formato != CXIMAGE_FORMAT_UNKNOWN && CxImage::ReadSize(path, formato, larghezza, altezza) &&
        larghezza <= kLatoMassimo && altezza <= kLatoMassimo)
        immagine = CxImage(path, formato);
    if (!immagine.IsValid()) {
        Segnala(path);
        return;
    }
    int w = static_cast<int>(immagine.GetWidth()), h = static_cast<int>(immagine.GetHeight());
    Adatta(w, h);
    // A frame no larger than its margins leaves no room: nothing is shown.
    if (w <= 0 || h <= 0) return;
    if (!immagine.Resample(w, h, 1)) return;
    CDC* dc = controllo->GetDC();
    HBITMAP bitmap = immagine.MakeBitmap(dc ? dc->GetSafeHdc() : nullptr);
    if (dc) controllo->ReleaseDC(dc);
    if (!bitmap) return;
    // The control gives back the picture it showed, which is ours to delete.
    HBITMAP vecchia = controllo->SetBitmap(bitmap);
    if (vecchia && vecchia != bitmap) DeleteObject(vecchia);
    if (!cornice) return;
    const int m = m_nMargine;
    int x, y;
    if (h < w) {
        x = cornice->left + m;
        y = cornice->top + m + (cornice->bottom - cornice->top - 2 * m - h) / 2;
    } else {
        x = cornice->left + m + (cornice->right - cornice->left - 2 * m - w) / 2;
        y = cornice->top + m;
    }
    controllo->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CImmagineMgr::Segnala(const CString& path) {
    CString messaggio = path;
    messaggio += TranslateText(L" - Immagine non esistente o danneggiata.");
    AfxMessageBox(messaggio, MB_OK);
}

bool CImmagineMgr::NellaCartella(const CString& nome) {
    if (nome.IsEmpty() || nome[0] == L'\\' || nome[0] == L'/' || nome.Find(L':') >= 0) return false;
    // Every part of the name between separators: ".." would climb out, and
    // so may a part of dots and blanks only, which the file system trims.
    int inizio = 0;
    const int n = nome.GetLength();
    for (int i = 0; i <= n; ++i) {
        if (i < n && nome[i] != L'\\' && nome[i] != L'/') continue;
        CString parte = nome.Mid(inizio, i - inizio);
        inizio = i + 1;
        if (parte == L"." || parte.IsEmpty()) continue;
        if (parte.SpanIncluding(L". ") == parte) return false;
    }
    return true;
}

void CImmagineMgr::MostraDaCartella(const CString& cartella, const CString& nome, CStatic* controllo,
                                    const CRect* cornice) const {
    const CString path = cartella + nome;
    if (!NellaCartella(nome)) {
        if (controllo && controllo->m_hWnd) Segnala(path);
        return;
    }
    Mostra(path, controllo, cornice);
}
