// Sheet outlines in model space and the north arrows at their corners.
#include <afx.h>
#include <windows.h>

#include <cwchar>
#include <memory>

#include "CAcadConvert.h"
#include "CGestoreTavole.h"
#include "Ombrix.h"
#include "ScopiSheetor.h"
#include "TranslatorBinding.h"

namespace {

void Stampa(const wchar_t* testo) { acutPrintf(L"%ls", testo); }

// The largest print scale an outline takes (1:1 000 000): beyond it the
// outline of a plotted sheet leaves any drawing's range.
constexpr double kScalaMassima = 1e6;

// The file dialog of a drawing to read; false when the person cancels.
bool ChiediDisegno(const wchar_t* titolo, std::wstring& percorso) {
    wchar_t file[1024] = L"";
    std::wstring t = titolo;
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = adsw_acadMainWnd();
    ofn.lpstrFilter = L"DWG (*.dwg)\0*.dwg\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = 1023;
    ofn.Flags = OFN_FILEMUSTEXIST;
    ofn.lpstrDefExt = L"dwg";
    ofn.lpstrTitle = t.c_str();
    if (!GetOpenFileNameW(&ofn)) return false;
    percorso = file;
    return true;
}

}  // namespace

bool ChiediDisegnoCartiglio(std::wstring& percorso) {
    return ChiediDisegno(TranslateText(L"Carica cartiglio"), percorso);
}

int CGestoreTavole::CreaContornoTavola() {
    if (!Avvio(nullptr)) return 3;
    // Every input must be answered, the sizes and the scale above zero: the
    // prompt asks again for anything else, and a cancel stops with nothing
    // drawn.
    ads_point punto = {0, 0, 0};
    int larghezza = 0, altezza = 0;
    double scala = 0;
    acedInitGet(7, nullptr);
    if (acedGetPoint(nullptr, TranslateText(L"Punto di inserimento del blocco"), punto) != RTNORM) return 3;
    acedInitGet(7, nullptr);
    if (acedGetInt(TranslateText(L"\nLarghezza in mm plottati: "), &larghezza) != RTNORM) return 3;
    acedInitGet(7, nullptr);
    if (acedGetInt(TranslateText(L"\nAltezza in mm plottati: "), &altezza) != RTNORM) return 3;
    for (;;) {
        acedInitGet(7, nullptr);
        if (acedGetReal(TranslateText(L"\nScala di stampa: "), &scala) != RTNORM) return 3;
        if (scala <= kScalaMassima) break;
        Stampa(TranslateText(L"\nScala fuori dai limiti (al massimo 1000000)."));
    }
    CreaBloccoContorno(punto, larghezza * scala / 1000, altezza * scala / 1000, scala);
    return 0;
}

int CGestoreTavole::CreaBloccoContorno(const ads_point punto, double w, double h, double scala) {
    // 1. The anonymous block.
    CADDatoArray base;
    base.Add(10, 0.0, 0.0, 0.0);
    ZylTableRecordID record;
    if (Ombrix::GetTableUtils()->CreaRecord(ZYL_TABELLA_BLOCCHI, L"*X", base, record) != 1 || record.IsNull())
        return 3;
    ZylBlockID blocco(record.GetObjectId());
    IEntityUtils* entita = Ombrix::GetEntityUtils();

    // 2. The outline.
    CADDatoArray vertici;
    vertici.Add(0, 0.0, 0.0, 0.0);
    vertici.Add(1, w, 0.0, 0.0);
    vertici.Add(2, w, h, 0.0);
    vertici.Add(3, 0.0, h, 0.0);
    CADDatoArray poli;
    poli.Add(10, vertici);
    poli.Add(10204, 1);
    poli.Add(8, m_szLayerContorno);
    ZylPolylineID polilinea;
    if (!entita->CreaPolilinea(ZYL_POLILINEA_2D, poli, polilinea, blocco) || polilinea.IsNull()) return 3;

    // 3. The scale attribute at the first vertex.
    CADDatoArray letti, bulge;
    if (!polilinea.GetVertici(letti, bulge) || letti.GetCount() == 0) return 3;
    double primo[3];
    letti[0].GetPunto(primo);
    CADDatoArray def;
    def.Add(72, 0);
    def.Add(73, 0);
    def.Add(10, primo);
    def.Add(50, 0.0);
    def.Add(40, h / 20);
    def.Add(8, m_szLayerScala);
    def.Add(2, L"SCALEDISTR");
    def.Add(3, L"Scala: ");
    if (entita->CreaEntita(ZYL_DEFINIZIONE_ATTRIBUTO, def, blocco) != 1) return 3;

    // 4. The reference.
    CADDatoArray rif;
    rif.Add(10, punto[0], punto[1], punto[2]);
    rif.Add(50, 0.0);
    rif.Add(8, m_szLayerContorno);
    ZylBlockRefID riferimento;
    if (!entita->InserisciBlocco(riferimento, blocco, rif) || riferimento.IsNull()) return 3;

    // 5. The scale into its attribute.
    CADDatoArray attributi;
    if (!riferimento.GetAttributi(attributi)) return 3;
    const CADDatoArray* tag = attributi.GetArray(2);
    CADDatoArray* testi = attributi.GetArray(1);
    CString valore;
    valore.Format(L"%lf", scala);
    for (int i = 0; tag && testi && i < tag->GetCount() && i < testi->GetCount(); ++i)
        if (std::wcscmp((*tag)[i].GetStringa(), L"SCALEDISTR") == 0) (*testi)[i].SetStringa(valore);
    return riferimento.SetAttributi(attributi) ? 0 : 3;
}

int CGestoreTavole::InserisciNord() {
    if (!Avvio(nullptr)) return 3;
    std::wstring percorso;
    if (!ChiediDisegno(TranslateText(L"Seleziona blocco nord"), percorso)) return 3;
    AcDbObjectId nord = BloccoDaFile(percorso);
    if (nord.isNull()) {
        Stampa(TranslateText(L"\nImpossibile leggere il disegno del nord."));
        return 3;
    }

    int distX = 40, distY = 40;
    acedInitGet(7, nullptr);
    acedGetInt(TranslateText(L"\nDistanza X dal bordo: "), &distX);
    acedGetInt(TranslateText(L"\nDistanza Y dal bordo: "), &distY);

    resbuf* filtro = acutBuildList(-4, L"<and", RTDXF0, L"INSERT", 8, m_szLayerContorno, -4, L"and>", RTNONE);
    Selezione sel;
    sel.Fatta(acedSSGet(L"X", nullptr, nullptr, filtro, sel.Nome()));
    acutRelRb(filtro);
    long n = sel.Numero();
    if (n == 0) return 3;

    ZylBlockID bloccoNord(CAcadConvert::ToZylTableRecordID(nord).GetObjectId());
    for (long i = 0; i < n; ++i) {
        ads_name nome;
        AcDbObjectId id;
        if (acedSSName(sel.Nome(), static_cast<Adesk::Int32>(i), nome) != RTNORM ||
            acdbGetObjectId(id, nome) != Acad::eOk)
            continue;
        AcGePoint3d punto;
        int misura = -1;
        {
            Aperto<AcDbBlockReference> rif(id, AcDb::kForRead);
            if (!rif || LeggiScalaTavola(rif.get()) == -1.0) continue;
            double w = 0, h = 0;
            misura = MisuraContorno(rif->blockTableRecord(), w, h);
            punto = AcGePoint3d(w - distX, h - distY, 0).transformBy(rif->blockTransform());
        }
        // An outline without its polyline has no corner to measure from: it
        // is skipped rather than given an arrow at the drawing's origin.
        if (misura < 0) {
            Stampa(TranslateText(L"\nImpossibile leggere il blocco."));
            continue;
        }
        if (misura == 0) {
            Stampa(TranslateText(L"\nContorno senza polilinea 2D: freccia del nord non inserita."));
            continue;
        }
        CADDatoArray dati;
        dati.Add(10, punto.x, punto.y, punto.z);
        dati.Add(50, 0.0);
        dati.Add(8, m_szLayerNord);
        ZylBlockRefID freccia;
        Ombrix::GetEntityUtils()->InserisciBlocco(freccia, bloccoNord, dati);
    }
    return 0;
}
