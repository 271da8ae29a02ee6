// Shows the picture of a parameter in the dialog's picture control: loads the
// file, fits it into a frame with its proportions kept, and centres it there.
#pragma once

#include <afxwin.h>

class CImmagineMgr {
public:
    // The margin comes before the frame: the usable size is taken from both.
    void SetMargine(int margine) { m_nMargine = margine; }
    int GetMargine() const { return m_nMargine; }
    // The usable frame is the frame less the margin on every side.
    void SetCornice(int larghezza, int altezza);
    int GetLarghezza() const { return m_nLarghezza; }
    int GetAltezza() const { return m_nAltezza; }

    // The text after the last '.', in lower case; the whole path in lower case without one.
    CString GetEstensione(const CString& path) const;
    // Fits an image size into the usable frame, proportions kept.
    void Adatta(int& larghezza, int& altezza) const;
    // Loads, fits and shows the picture in the control; with a frame (dialog
    // client coordinates) the control is moved into it. A file that cannot be
    // shown is reported and the control keeps its picture.
    void Mostra(const CString& path, CStatic* controllo, const CRect* cornice) const;
    // The picture of a legend entry, named relative to the style folder: a
    // name that leaves the folder (absolute, with a drive, with "..") is
    // reported as a picture that cannot be shown, whether a file is there or not.
    void MostraDaCartella(const CString& cartella, const CString& nome, CStatic* controllo,
                          const CRect* cornice) const;
    // Whether a picture name stays inside the folder it is relative to.
    static bool NellaCartella(const CString& nome);

    // Pictures larger than this on either side are not shown: they are
    // refused from their header, before anything is decoded.
    static constexpr DWORD kLatoMassimo = 4096;

private:
    // "<path> - Immagine non esistente o danneggiata." in an OK box.
    static void Segnala(const CString& path);

    int m_nLarghezza = 0;
    int m_nAltezza = 0;
    int m_nMargine = 0;
};
