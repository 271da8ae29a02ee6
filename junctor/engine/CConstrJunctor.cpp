// The leg builder's driver: its fixed order of steps, the log, the id and the
// drawing pattern shared by every step that draws.
#include "CConstrJunctor.h"

#include <afxwin.h>

#include <cmath>
#include <set>
#include <string>

#include "ContornoPolilinea.h"
#include "CostruzioneComune.h"
#include "NumeroTesto.h"
#include "PolilineeJunctor.h"
#include "TranslatorBinding.h"

double MargineProgressiva = 5.0;

namespace {

// Whether an intersection polyline of the working drawing carries the id
// (the first text of its extended data); the drawing answers from its index.
bool IdSuPolilinee(const CString& id) {
    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", 1001, kAppIntersezione, 1000, (LPCWSTR)id, RTNONE);
    ads_name gruppo;
    const bool usato = filtro && acedSSGet(L"_X", nullptr, nullptr, filtro, gruppo) == RTNORM;
    if (usato) acedSSFree(gruppo);
    acutRelRb(filtro);
    return usato;
}

// The ids on the lane records of every alignment (data code 22405).
std::set<std::wstring> IdSuiTracciati() {
    std::set<std::wstring> usati;
    elencotracciati* elenco = nullptr;
    CercaTracciatiEx2(&elenco, 1);
    for (elencotracciati* t = elenco; t; t = t->next) {
        AcDbObjectId id;
        tracciato* record = nullptr;
        if (acdbGetObjectId(id, t->entita) != Acad::eOk || !GetTracciato(id, &record)) continue;
        ICTRACCIATO* oggetto = ICTRACCIATO_Costructor::Alloca(record, id);
        if (!oggetto) {
            LiberaTracciato(&record);
            continue;
        }
        for (int codice : {1511, 1512, 1513, 1514, 1515}) {
            ICLISTADATI* lista = oggetto->getListaDati(codice);
            for (ICELEMENTODATI* e = lista ? lista->getPrimo() : nullptr; e; e = lista->getSuccessivo(e)) {
                CDato dato;
                if (e->LeggiDato(kDatoIdIntersezione, dato)) usati.insert(std::wstring(dato.GetString()));
            }
        }
        ICTRACCIATO_Costructor::Libera(&oggetto, 1);
    }
    return usati;
}

using costruzione::Acceso;

}  // namespace

CConstrJunctor::CConstrJunctor() = default;

CConstrJunctor::~CConstrJunctor() {
    if (m_tracciato) ICTRACCIATO_Costructor::Libera(&m_tracciato, 1);
}

void CConstrJunctor::Init(CPrincipaleJunctor* principale, CSecondariaJunctor* secondaria) {
    m_principale = principale;
    m_secondaria = secondaria;
    // The leg's own set, so that each step can also run on its own.
    m_parametri = secondaria ? secondaria->GetParametri() : nullptr;
}

void CConstrJunctor::SetParCorsie(CLanePars* corsie) { m_corsie = corsie; }

void CConstrJunctor::SetId(DWORD id) {
    // Two legs built within one millisecond, or ticks that come round again
    // in a later session, would share an id, and a later update or delete
    // would take both legs: the next free number is taken instead.
    const std::set<std::wstring> suiTracciati = IdSuiTracciati();
    CString testo;
    for (DWORD prova = 0; prova != 0xFFFFFFFFu; ++prova, ++id) {
        testo.Format(L"%lu", id);
        if (!suiTracciati.count(std::wstring(testo)) && !IdSuPolilinee(testo)) break;
    }
    m_id = testo;
}

void CConstrJunctor::Log(const wchar_t* riga) {
    // One reason a line: the tangent circle's reasons come as a line feed
    // and a text without its line end, which would run into the next reason.
    CString testo = TranslateText(riga);
    if (testo.Left(1) == L"\n") testo = testo.Mid(1);
    if (testo.Right(1) != L"\n") testo += L"\r\n";
    m_log += testo;
}

void CConstrJunctor::LiberaArrayCorsia() {
    m_verticiAllargamento.removeAll();
    m_bulgeAllargamento.removeAll();
    m_verticiTratto.removeAll();
    m_bulgeTratto.removeAll();
}

AcDbObjectId CConstrJunctor::Disegna(AcDb2dPolyline* polilinea, const wchar_t* chiaveLayer,
                                     const wchar_t* codiceCiglio, const std::vector<int>& punte) {
    AcDbObjectId id;
    if (!polilinea) return id;
    // No outline that crosses itself or goes back the way it came.
    AcGePoint3dArray vertici;
    AcGeDoubleArray bulge;
    VerticiPolilinea(polilinea, vertici, bulge);
    const DifettoContorno difetto = VerificaContorno(vertici, bulge, polilinea->isClosed(), punte);
    if (difetto != DifettoContorno::kNessuno) {
        CString riga;
        riga.Format(L"%s%s.\r\n",
                    TranslateText(difetto == DifettoContorno::kIncrocio
                                      ? L" - Polilinea che incrocia se stessa, non disegnata: "
                                      : L" - Polilinea che torna indietro su se stessa, non disegnata: "),
                    codiceCiglio);
        m_log += riga;
        delete polilinea;
        return id;
    }
    CString layer = GetNomeLayer(chiaveLayer, chiaveLayer);
    if (!AggiungiAModelSpace(polilinea, id, layer)) {
        CString riga;
        riga.Format(L"%s%s (%s).\r\n", TranslateText(L" - Polilinea non disegnata, layer non valido: "), codiceCiglio,
                    layer.GetString());
        m_log += riga;
        delete polilinea;
        return AcDbObjectId();
    }
    ScriviDatiEstesi(id, codiceCiglio);
    return id;
}

void CConstrJunctor::RimuoviRecord(ICTRACCIATO* tracciato, const CString& id) {
    for (int codice : {1512, 1511, 1513, 1514, 1515}) {
        ICLISTADATI* lista = tracciato->getListaDati(codice);
        ICELEMENTODATI* e = lista ? lista->getPrimo() : nullptr;
        while (e) {
            // Removing frees the record: its successor is taken first.
            ICELEMENTODATI* successivo = lista->getSuccessivo(e);
            CDato dato;
            if (e->LeggiDato(kDatoIdIntersezione, dato) && dato.GetString() == id) lista->rimuovi(e);
            e = successivo;
        }
    }
}

void CConstrJunctor::LeggiPuntiRamo() {
    if (!m_secondaria) return;
    m_secondaria->GetPuntoIsola1(m_isola1);
    m_secondaria->GetPuntoIsola2(m_isola2);
    m_secondaria->GetPuntoIsola3(m_isola3);
    m_secondaria->GetPuntoIsola4(m_isola4);
    const CConstrPars* p = m_secondaria->GetParametri();
    PuntiPerpendicolari(p->Lcu.GetValore(), m_isola4, m_isola2, m_offsetApiceUscita, m_offsetB1);
    PuntiPerpendicolari(-p->Lce.GetValore(), m_isola4, m_isola3, m_offsetApiceImmissione, m_offsetB2);
    m_offsetApiceUscita[2] = m_offsetB1[2] = m_offsetApiceImmissione[2] = m_offsetB2[2] = 0;
}

bool CConstrJunctor::ValoriCorsieFiniti() {
    if (!m_corsie) return true;
    // The values each switched-on lane reads, by their codes.
    struct Gruppo {
        bool acceso;
        std::initializer_list<const wchar_t*> codici;
    };
    const Gruppo gruppi[] = {
        {Acceso(m_corsie->GetCorsiaImm()), {L"ILCImm", L"ILBCImm", L"IAccLae", L"IImmLie", L"IManLve"}},
        {Acceso(m_corsie->GetCorsiaUsc()), {L"ULCUsc", L"ULBCUsc", L"UDecLdu", L"UManLmu"}},
        {Acceso(m_corsie->GetCorsiaSx()),
         {L"SLCLm", L"SRacd1", L"SRacd2", L"SRacLva", L"SAcuLaa", L"SDecLda", L"SManLma"}},
    };
    for (const Gruppo& g : gruppi) {
        if (!g.acceso) continue;
        for (const wchar_t* codice : g.codici) {
            const CSingleConstrPar* valore = m_corsie->TrovaParametro(codice);
            if (valore && !std::isfinite(valore->GetValore())) {
                CString riga;
                riga.Format(L"%s%s.\r\n", TranslateText(L" - Valore non valido del parametro di corsia "), codice);
                m_log += riga;
                return false;
            }
        }
    }
    return true;
}

bool CConstrJunctor::IsolaPronta() {
    if (m_secondaria->IsolaDaValori()) return true;
    const int inizio = m_secondaria->GetLog().GetLength();
    if (m_secondaria->CalcolaIsola(m_principale, true, false, false) && m_secondaria->IsolaDaValori()) return true;
    LogIsolaMancante(inizio);
    return false;
}

void CConstrJunctor::LogIsolaMancante(int inizio) {
    const CString motivi = m_secondaria->GetLog().Mid(inizio);
    m_log += motivi;
    if (m_secondaria->GetApiceMancante()) {
        // One translation at a time: each call reuses the same buffer.
        m_log += TranslateText(L" - Lunghezza dell'isola h = ");
        m_log += FormattaNumeroCon(L"%g", m_secondaria->GetParametri()->h.GetValore());
        m_log += TranslateText(L" non costruibile sull'asse della strada secondaria.\r\n");
    } else if (motivi.IsEmpty()) {
        Log(L" - Impossibile calcolare il triangolo dell'isola.\r\n");
    }
}

void CConstrJunctor::Costruisci() {
    CWaitCursor attesa;
    bool esito = false;
    m_log += TranslateText(L"\r\nVerso della strada: ");
    m_log += (m_secondaria && m_secondaria->GetVerso() == CSecondariaJunctor::kIn) ? L"In\r\n" : L"Out\r\n";

    Log(L"Lettura degli elementi della strada...\r\n");
    if (!m_principale || !m_secondaria || !m_corsie) {
        Log(L"Errore!\r\n");
        m_esito = 0;
        return;
    }
    m_parametri = m_secondaria->GetParametri();
    const CLanePars& corsie = *m_corsie;
    const bool corsiaSx = Acceso(corsie.GetCorsiaSx());
    const bool corsiaSxUrbana = Acceso(corsie.GetCorsiaSxUrbano());
    const bool corsiaImm = Acceso(corsie.GetCorsiaImm());
    const bool corsiaUsc = Acceso(corsie.GetCorsiaUsc());

    // The elements' own failure lines go into this log as well, so that the
    // user sees why the leg was not built.
    const int lunghezzaPrincipale = m_principale->GetLog().GetLength();
    const int lunghezzaSecondaria = m_secondaria->GetLog().GetLength();
    bool letti = m_principale->Valida() && m_secondaria->Valida();
    if (!letti) {
        m_log += m_principale->GetLog().Mid(lunghezzaPrincipale);
        m_log += m_secondaria->GetLog().Mid(lunghezzaSecondaria);
    } else if (m_secondaria->GetLato() != CSecondariaJunctor::kDestra &&
               m_secondaria->GetLato() != CSecondariaJunctor::kSinistra) {
        // Which side of the main road the leg lies on decides every offset.
        Log(L" - Lato della strada secondaria rispetto alla principale non determinato.\r\n");
        letti = false;
    } else if (!ValoriCorsieFiniti()) {
        letti = false;
    } else if (!IsolaPronta()) {
        // What the leg records must be what it draws: an island that its
        // values cannot place is not drawn from points made with others.
        letti = false;
    }
    if (!letti) {
        Log(L"Errore!\r\n");
        m_esito = 0;
        return;
    }

    // The main alignment, whose data lists take the lane records.
    ads_name asse;
    m_principale->GetAdsNameAsse(asse);
    AcDbObjectId idAsse;
    tracciato* record = nullptr;
    if (acdbGetObjectId(idAsse, asse) != Acad::eOk) {
        Log(L" - Impossibile recuperare l'asse della strada principale.\r\n");
    } else if (!GetTracciato(idAsse, &record) || !record) {
        Log(L" - Impossibile leggere il tracciato della strada principale.\r\n");
    } else if (!(m_tracciato = ICTRACCIATO_Costructor::Alloca(record, idAsse))) {
        LiberaTracciato(&record);
        Log(L" - Impossibile leggere il tracciato della strada principale.\r\n");
    }
    if (!m_tracciato) {
        Log(L"Errore!\r\n");
        m_esito = 0;
        return;
    }

    esito = true;
    LeggiPuntiRamo();

    if (corsiaSx) {
        // The lane is recorded and drawn only once it was computed whole.
        if (CalcolaCorsiaAccumulo() && (!corsiaSxUrbana || CalcolaCorsiaAccumuloUrbana())) {
            CostruisciCorsiaAccumulo();
            const int inizio = m_secondaria->GetLog().GetLength();
            if (!m_secondaria->CalcolaIsola(m_principale, true, false, false)) {
                // The island stays where it was before the widening: the leg
                // is not built as its values ask.
                LogIsolaMancante(inizio);
                Log(L"Errore!\r\n");
                esito = false;
            }
            LeggiPuntiRamo();
        } else {
            Log(L"Costruzione della corsia di accumulo per la svolta  a sinistra...\r\n");
            Log(L"Errore!\r\n");
            esito = false;
        }
    }

    Log(L"Costruzione dell'isola a goccia...\r\n");
    if (!CostruisciIsolaGoccia()) {
        Log(L"Errore!\r\n");
        esito = false;
    }
    Log(L"Costruzione dei cigli esterni dell'intersezione...\r\n");
    if (!CostruisciCigliEsterni()) {
        Log(L"Errore!\r\n");
        esito = false;
    }
    Log(L"Costruzione delle isole triangolari...\r\n");
    if (!CostruisciIsoleTriangolari()) {
        Log(L"Errore!\r\n");
        esito = false;
    }
    if (corsiaSx) DisegnaCorsiaAccumulo();

    bool principaleChiusa = false;
    if (corsiaImm || corsiaUsc) {
        Log(L"Costruzione della corsia di immissione e/o uscita...\r\n");
        if (!RegistraCorsieImmUsc()) {
            Log(L"Errore!\r\n");
            esito = false;
        }
        m_principale->Chiudi();
        principaleChiusa = true;
        m_tracciato->aggiornaDati(1505, 0);
        m_tracciato->aggiornaDati(0, -2);
    }
    // A leg that was not built keeps what it drew and recorded: every piece
    // carries the leg's id and data, so the update and delete commands find
    // it, and its lane records with it.
    m_tracciato->aggiorna();
    ICTRACCIATO_Costructor::Libera(&m_tracciato, 1);
    m_tracciato = nullptr;
    // The main road serves the next leg of the same command: open it again.
    if (principaleChiusa) m_principale->Apri();
    m_esito = esito ? 1 : 0;
}
