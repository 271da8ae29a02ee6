// The sheet layout: one paper-space layout per outline, in chainage order.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "CAttributiCartiglio.h"
#include "CGestoreTavole.h"
#include "ICTRACCIATO.h"
#include "IQvObjectSelector.h"
#include "LeggiDatiPoli.h"
#include "ScopiSheetor.h"
#include "TranslatorBinding.h"
#include "ZylAcadMgr.h"

namespace {

typedef int (*AddLayoutProc)(const wchar_t*);
typedef int (*SetCurrentLayoutProc)(const wchar_t*);

constexpr double kPi = 3.14159265358979323846;

// A plan polyline of two points.
class Sonda {
public:
    Sonda(const ads_point a, const ads_point b) {
        datipoli* coda = nullptr;
        AggpuntoDATIPOLI(a, 0, &m_testa, &coda);
        AggpuntoDATIPOLI(b, 0, &m_testa, &coda);
    }
    ~Sonda() { LiberaDATIPOLI(&m_testa); }
    Sonda(const Sonda&) = delete;
    Sonda& operator=(const Sonda&) = delete;
    const datipoli* get() const { return m_testa; }

private:
    datipoli* m_testa = nullptr;
};

void Stampa(const wchar_t* testo) { acutPrintf(L"%ls", testo); }

bool Valido(double v) { return std::isfinite(v) && v > 0; }

}  // namespace

void CGestoreTavole::LeggiTavole(const ads_name selezione, const ICTRACCIATO* tracciato) {
    Adesk::Int32 n = 0;
    acedSSLength(selezione, &n);
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name nome;
        AcDbObjectId id;
        if (acedSSName(selezione, i, nome) != RTNORM || acdbGetObjectId(id, nome) != Acad::eOk) continue;
        Aperto<AcDbBlockReference> rif(id, AcDb::kForRead);
        if (!rif) continue;
        DatiTavola t{};
        t.scala = LeggiScalaTavola(rif.get());
        if (t.scala == -1.0) continue;
        t.rotazione = rif->rotation();
        AcGePoint3d p = rif->position();
        t.x = p.x, t.y = p.y, t.z = p.z;
        t.larghezza = t.altezza = 1;
        if (MisuraContorno(rif->blockTableRecord(), t.larghezza, t.altezza) < 0)
            Stampa(TranslateText(L"\nImpossibile leggere il blocco."));
        // The chainage where the outline's left edge meets the alignment.
        ads_point base = {t.x, t.y, t.z}, cima;
        acutPolar(base, t.rotazione + kPi / 2, t.altezza, cima);
        Sonda sonda(base, cima);
        AcGePoint3dArray incroci;
        if (tracciato && Inters_2_DATIPOLI_2D(sonda.get(), tracciato->getDatiPoli(), incroci, 0, 0, 0) > 0) {
            ads_point q = {incroci[0].x, incroci[0].y, 0};
            double prog = 0;
            if (tracciato->getProgressivaPunto(q, &prog)) t.progressiva = prog;
        }
        m_tavole.push_back(t);
    }
}

AcDbObjectId CGestoreTavole::BloccoDaFile(const std::wstring& percorso) {
    std::wstring nome = NomeBloccoDaFile(percorso);
    // Deleted on every way out, whether or not it read; a file that does not
    // read is named with its fault by the host.
    auto sorgente = std::make_unique<AcDbDatabase>(false, true);
    if (sorgente->readDwgFile(percorso.c_str(), 1) != Acad::eOk) return AcDbObjectId();
    AcDbObjectId blocco;
    Acad::ErrorStatus es = nome.empty() ? Acad::eInvalidInput : m_pDb->insert(blocco, nome.c_str(), sorgente.get(), true);
    if (es == Acad::eInvalidInput) {
        Stampa(TranslateText(L"\nIl nome del file non e' un nome di blocco valido: "));
        Stampa(nome.c_str());
    } else if (es == Acad::eSelfReference) {
        Stampa(TranslateText(L"\nIl blocco inserirebbe se stesso: "));
        Stampa(nome.c_str());
    }
    return es == Acad::eOk ? blocco : AcDbObjectId();
}

int CGestoreTavole::DisegnaTavole() {
    // 1. The suite's folder and its CAD extension.
    std::wstring cartella;
    if (!Avvio(&cartella)) return 3;
    std::wstring modulo = cartella + L"QvCADExtension.ARX";
    if (!acrxLoadModule(modulo.c_str(), false, false)) {
        Stampa(TranslateText(L"\nImpossibile caricare QvCADExtension.ARX."));
        return 3;
    }
    HMODULE estensione = GetModuleHandleW(modulo.c_str());
    auto aggiungiLayout = reinterpret_cast<AddLayoutProc>(GetProcAddress(estensione, "AddLayout"));
    auto layoutCorrente = reinterpret_cast<SetCurrentLayoutProc>(GetProcAddress(estensione, "SetCurrentLayout"));
    if (!aggiungiLayout || !layoutCorrente) {
        Stampa(TranslateText(L"\nImpossibile caricare QvCADExtension.ARX."));
        return 3;
    }

    // 2. The alignment.
    OggettoQv oggetto;
    ads_point pick = {0, 0, 0};
    ZylEntityID asse = IQvObject_Selector::SelIQvObject(QV_SELEZIONE_TRACCIATO, pick, oggetto.Indirizzo(),
                                                        TranslateText(L"Selezionare il tracciato: "), 1, nullptr);
    auto* tracciato = dynamic_cast<ICTRACCIATO*>(oggetto.get());
    if (asse.IsNull() || !tracciato) return 3;

    // 3. The prefix.
    wchar_t prefisso[256] = L"";
    if (ZylAcadMgr::zyl_acedGetString(1, TranslateText(L"Prefisso: "), prefisso) != RTNORM) return 3;

    // 4. and 5. The outlines.
    Stampa(TranslateText(L"Selezionare i contorni tavola:\n"));
    {
        resbuf* filtro = acutBuildList(RTDXF0, L"INSERT", RTNONE);
        Selezione sel;
        sel.Fatta(acedSSGet(nullptr, nullptr, nullptr, filtro, sel.Nome()));
        acutRelRb(filtro);
        if (sel.Numero() == 0) {
            Stampa(TranslateText(L"\nNessun contorno tavola selezionato."));
            return 3;
        }
        LeggiTavole(sel.Nome(), tracciato);
    }

    // 6. Chainage order; outlines at the same chainage keep their order.
    std::stable_sort(m_tavole.begin(), m_tavole.end(), ConfrontaProgressive);

    // 7. The profile question.
    acedInitGet(3, TranslateText(L"S s N n"));
    wchar_t risposta[10] = L"";
    if (acedGetString(0, TranslateText(L"Generare il profilo (S/<N>)?"), risposta, 10) != RTNORM) return 3;
    bool profilo = risposta[0] == L'S' || risposta[0] == L's';

    // 8. The title block.
    AcDbObjectId cartiglio;
    {
        std::wstring file;
        if (ChiediDisegnoCartiglio(file)) {
            cartiglio = BloccoDaFile(file);
            if (cartiglio.isNull()) Stampa(TranslateText(L"\nImpossibile caricare il cartiglio."));
        }
    }
    if (!cartiglio.isNull()) {
        LeggiAttributiCartiglio(cartiglio);
        if (!m_attributi.empty() && EditaAttributiCartiglio(m_attributi) != IDOK) return 3;
    }

    // 9. The title-block offset.
    int offX = 0, offY = 0;
    acedInitGet(7, nullptr);
    acedGetInt(TranslateText(L"\nCoordinata X di inserimento nel cartiglio in mm: "), &offX);
    acedGetInt(TranslateText(L"\nCoordinata Y di inserimento nel cartiglio in mm: "), &offY);

    // 10. One layout per sheet; a skipped sheet still uses up its index.
    ICPROFILO* vprofilo = profilo ? tracciato->getProfiloVerticale() : nullptr;
    for (size_t i = 0; i < m_tavole.size(); ++i) {
        const DatiTavola& t = m_tavole[i];
        const double S = t.scala, W = t.larghezza, H = t.altezza;
        if (!Valido(S)) {
            Stampa(TranslateText(L"\nScala del contorno non valida: tavola saltata."));
            continue;
        }
        std::wstring nome = NomeLayout(prefisso, t.progressiva, 0);
        if (nome.size() > 255) {
            Stampa(TranslateText(L"\nNome del layout troppo lungo: tavola saltata."));
            continue;
        }
        int r = aggiungiLayout(nome.c_str());
        if (r == 0) return 3;
        for (int k = 1; r == 2; ++k) {
            nome = NomeLayout(prefisso, t.progressiva, k);
            if (nome.size() > 255) break;
            r = aggiungiLayout(nome.c_str());
        }
        if (r != 1) continue;
        if (layoutCorrente(nome.c_str()) != 1) {
            Stampa(TranslateText(L"\nImpossibile rendere corrente il layout: tavola saltata."));
            continue;
        }

        if (!cartiglio.isNull()) {
            auto* rif = new AcDbBlockReference(AcGePoint3d(0, 0, 0), cartiglio);
            if (AggiungiAPaperSpace(rif) == 0) {
                AggiungiAttributiCartiglio(rif, cartiglio, static_cast<int>(i));
                rif->close();
            }
        }

        const double larg = W * 1000 / S, alt = H * 1000 / S;
        auto* pianta = new AcDbViewport;
        pianta->setHeight(alt);
        pianta->setWidth(larg);
        pianta->setCenterPoint(AcGePoint3d(larg / 2 + offX, alt / 2 + offY, 0));
        pianta->setViewHeight(H);
        pianta->setViewTarget(AcGePoint3d(t.x, t.y, t.z));
        pianta->setTwistAngle(-t.rotazione);
        pianta->setViewCenter(AcGePoint2d(W / 2, H / 2));
        pianta->setViewDirection(AcGeVector3d(0, 0, 1));
        if (AggiungiAPaperSpace(pianta) == 0) pianta->close();

        if (!vprofilo) continue;
        const ICPROFILO::Disegno& d = vprofilo->getDisegno();
        const double V = std::wcstod(d.V, nullptr), C = std::wcstod(d.C, nullptr);
        const double P = d.p.y * 100 / (C * S / V);
        if (!Valido(P)) {
            Stampa(TranslateText(L"\nScale del profilo non valide: vista del profilo saltata."));
            continue;
        }
        auto* vista = new AcDbViewport;
        vista->setHeight(P);
        vista->setWidth(larg);
        vista->setCenterPoint(AcGePoint3d(larg / 2 + offX, P / 2 + offY + alt, 0));
        vista->setViewHeight(d.p.y);
        vista->setViewTarget(AcGePoint3d(d.q.x + t.progressiva - d.h, d.q.y, d.q.z));
        vista->setTwistAngle(0);
        vista->setViewCenter(AcGePoint2d(W / 2, d.p.y / 2));
        if (AggiungiAPaperSpace(vista) == 0) vista->close();
    }
    return 0;
}
