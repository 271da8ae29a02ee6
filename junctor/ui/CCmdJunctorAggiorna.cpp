// Deleting and updating a drawn leg by its id, and the offset test command.
#include <TranslatorBinding.h>

#include <cmath>
#include <limits>
#include <vector>

#include "CCmdJunctor.h"
#include "CConstrJunctor.h"
#include "CJunctorSettings.h"
#include "CercaTracciati.h"
#include "DatiEstesi.h"
#include "LeggiDatiPoli.h"
#include "PolilineeJunctor.h"

namespace {

// The record of a leg polyline: the id, the edge code, the four names, the
// style name, then (a complete record) a1e again, the style values in
// record order, the three lane flags and the lane values.
struct RecordIntersezione {
    std::vector<CString> testi;  // id, code, main internal, main, leg internal, leg, style
    std::vector<double> parametri;
    std::vector<CString> flag;
    std::vector<double> corsie;
    bool completo = false;
};

constexpr size_t kTesti = 7;
constexpr size_t kElementi = kTesti + 1 + CConstrPars::NUMERO_PARAMETRI + 3 + CLanePars::NUMERO_PARAMETRI;

RecordIntersezione LeggiRecord(AcDbObjectId id) {
    RecordIntersezione r;
    resbuf* catena = LeggiDatiEstesi(id, kAppIntersezione);
    size_t i = 0;
    bool forma = true;
    for (resbuf* rb = catena ? catena->rbnext : nullptr; rb; rb = rb->rbnext, ++i) {
        const bool testo = i < kTesti || (i >= kTesti + 1 + CConstrPars::NUMERO_PARAMETRI &&
                                          i < kTesti + 1 + CConstrPars::NUMERO_PARAMETRI + 3);
        if (testo) {
            if (rb->restype != 1000 || !rb->resval.rstring) {
                forma = false;
                break;
            }
            (i < kTesti ? r.testi : r.flag).emplace_back(rb->resval.rstring);
        } else {
            if (rb->restype != 1040) {
                forma = false;
                break;
            }
            if (i == kTesti) continue;  // a1e, written again among the values
            (i < kTesti + 1 + CConstrPars::NUMERO_PARAMETRI ? r.parametri : r.corsie).push_back(rb->resval.rreal);
        }
    }
    acutRelRb(catena);
    r.completo = forma && i == kElementi;
    return r;
}

// The intersection polylines of an id, with their ads names.
std::vector<std::pair<AcDbObjectId, RecordIntersezione>> PolilineeDiId(const CString& idIntersezione) {
    std::vector<std::pair<AcDbObjectId, RecordIntersezione>> out;
    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", 1001, kAppIntersezione, RTNONE);
    ads_name gruppo;
    const bool valida = acedSSGet(L"_X", nullptr, nullptr, filtro, gruppo) == RTNORM;
    acutRelRb(filtro);
    if (!valida) return out;
    Adesk::Int32 n = 0;
    acedSSLength(gruppo, &n);
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name nome;
        AcDbObjectId id;
        if (acedSSName(gruppo, i, nome) != RTNORM || acdbGetObjectId(id, nome) != Acad::eOk) continue;
        RecordIntersezione r = LeggiRecord(id);
        if (!r.testi.empty() && r.testi[0] == idIntersezione) out.emplace_back(id, std::move(r));
    }
    acedSSFree(gruppo);
    return out;
}

// An alignment by its internal name, else by its name; the list belongs to
// the library, so what is needed is copied out of it.
bool TrovaTracciato(const CString& nomeInterno, const CString& nome, ads_name entita, CString& nomeTrovato) {
    elencotracciati* elenco = nullptr;
    CercaTracciatiEx2(&elenco, 1);
    const elencotracciati* trovato = nullptr;
    for (const elencotracciati* t = elenco; t && !trovato; t = t->next)
        if (!nomeInterno.IsEmpty() && t->nomeInterno == nomeInterno) trovato = t;
    for (const elencotracciati* t = elenco; t && !trovato; t = t->next)
        if (t->nome == nome) trovato = t;
    if (!trovato) return false;
    entita[0] = trovato->entita[0];
    entita[1] = trovato->entita[1];
    nomeTrovato = trovato->nome;
    return true;
}

void Messaggio(const CString& testo) { AfxMessageBox(testo, MB_OK); }

CString Tradotto(const wchar_t* testo) { return CString(TranslateText(testo)); }

// The vertices of a polyline, read before it is erased.
std::vector<std::pair<double, double>> Vertici(AcDbObjectId id) {
    std::vector<std::pair<double, double>> out;
    ads_name nome;
    datipoli* lista = nullptr;
    if (acdbGetAdsName(nome, id) != Acad::eOk || !LeggiDATIPOLI(nome, &lista)) return out;
    for (const datipoli* v = lista; v; v = v->next) out.emplace_back(v->x, v->y);
    LiberaDATIPOLI(&lista);
    return out;
}

// Asks for a polyline of an intersection and reads its record. False for a
// cancelled or missed pick (silent) and for an entity without an
// intersection id (with a message).
bool Scegli(const wchar_t* prompt, RecordIntersezione& r) {
    ads_name scelta;
    ads_point punto;
    if (acedEntSel(Tradotto(prompt), scelta, punto) != RTNORM) return false;
    AcDbObjectId id;
    if (acdbGetObjectId(id, scelta) == Acad::eOk) r = LeggiRecord(id);
    if (r.testi.empty() || r.testi[0].IsEmpty()) {
        Messaggio(Tradotto(L"L'entità selezionata non appartiene a un'intersezione."));
        return false;
    }
    return true;
}

// A removal of lane records that failed, shown.
bool Mostrato(const CCmdJunctor& comando, bool tolto) {
    if (tolto) return true;
    Messaggio(comando.GetLog().IsEmpty() ? Tradotto(L" - Impossibile recuperare l'entità di costruzione.\r\n")
                                         : comando.GetLog());
    return false;
}

// Removes the command's id from the alignment's records; a failure is shown.
bool RimuoviRecord(CCmdJunctor& comando, const ads_name asse) {
    return Mostrato(comando, comando.RimuoviRecordId(asse));
}

}  // namespace

bool CCmdJunctor::Cancella() {
    RecordIntersezione r;
    if (!Scegli(L"Selezionare un elemento dell'intersezione da cancellare", r)) return false;
    m_id = r.testi[0];
    if (r.testi.size() < 4) {
        Messaggio(Tradotto(L"Dati dell'intersezione incompleti."));
        return false;
    }
    ads_name asse;
    CString nome;
    if (!TrovaTracciato(r.testi[2], r.testi[3], asse, nome)) {
        Messaggio(Tradotto(L" - Tracciato principale non trovato: ") + r.testi[3]);
        return false;
    }
    m_log.Empty();
    if (!RimuoviRecord(*this, asse)) return false;
    CancellaDaId();
    return true;
}

bool CCmdJunctor::Aggiorna() {
    RecordIntersezione scelto;
    if (!Scegli(L"Selezionare un elemento dell'intersezione da aggiornare", scelto)) return false;
    const CString id = scelto.testi[0];

    // The values come from the first complete record of the id.
    const auto polilinee = PolilineeDiId(id);
    const RecordIntersezione* dati = nullptr;
    for (const auto& [pid, r] : polilinee)
        if (r.completo && !dati) dati = &r;
    if (!dati) {
        Messaggio(Tradotto(L"Dati dell'intersezione incompleti."));
        return false;
    }
    CConstrPars parametri;
    CLanePars corsie;
    parametri.SetNome(dati->testi[6]);
    for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i)
        parametri.Parametro(i).CSingleConstrPar::SetValore(dati->parametri[i]);
    corsie.SetCorsie(dati->flag[0] == L"Y", dati->flag[1] == L"Y", dati->flag[2] == L"Y", false);
    for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i) corsie.Parametro(i).SetValore(dati->corsie[i]);

    // Both roads as they are now, found before anything is changed.
    ads_name asseP, asseS;
    CString nomeP, nomeS;
    if (!TrovaTracciato(dati->testi[2], dati->testi[3], asseP, nomeP)) {
        Messaggio(Tradotto(L" - Tracciato principale non trovato: ") + dati->testi[3]);
        return false;
    }
    if (!TrovaTracciato(dati->testi[4], dati->testi[5], asseS, nomeS)) {
        Messaggio(Tradotto(L" - Tracciato secondario non trovato: ") + dati->testi[5]);
        return false;
    }
    for (const ads_name* asse : {&asseP, &asseS}) {
        AcDbObjectId idAsse;
        AcDbEntity* entita = nullptr;
        if (acdbGetObjectId(idAsse, *asse) != Acad::eOk || acdbOpenObject(entita, idAsse, AcDb::kForRead) != Acad::eOk) {
            Messaggio(Tradotto(L" - Impossibile recuperare l'entità di costruzione.\r\n"));
            return false;
        }
        entita->close();
    }

    MargineProgressiva = 5.0;
    CJunctorSettings settings;
    settings.SetParametri(&parametri);
    settings.SetParCorsie(&corsie);
    SetParametriPropri(&parametri, &corsie, &settings);
    struct Propri {
        CCmdJunctor* comando;
        ~Propri() { comando->SetParametriPropri(nullptr, nullptr, nullptr); }
    } propri{this};
    PreparaElementi(nomeP, asseP, nomeS, asseS, &settings, parametri, corsie, true);
    if (!m_principale || (!m_in && !m_out)) return false;

    // The leg of the id: the one whose island base point lies nearest to the
    // id's drop island (or, without one, to any of its polylines).
    std::vector<std::pair<double, double>> vertici;
    for (const auto& [pid, r] : polilinee)
        if (r.testi.size() > 1 && r.testi[1] == L"rCIG") vertici = Vertici(pid);
    for (size_t i = 0; vertici.empty() && i < polilinee.size(); ++i) vertici = Vertici(polilinee[i].first);
    CSecondariaJunctor* ramo = nullptr;
    double migliore = std::numeric_limits<double>::infinity();
    for (CSecondariaJunctor* candidato : {m_in, m_out}) {
        if (!candidato) continue;
        ads_point base;
        candidato->GetPuntoIsola1(base);
        for (const auto& [x, y] : vertici) {
            const double d = std::hypot(x - base[0], y - base[1]);
            if (d < migliore) {
                migliore = d;
                ramo = candidato;
            }
        }
    }
    if (!ramo) ramo = m_in ? m_in : m_out;
    for (CSecondariaJunctor* altro : {m_in, m_out})
        if (altro) altro->SetSelezionata(altro == ramo ? 1 : 0);

    // The new leg is built first, under a new id, beside the old one. Only
    // a leg built whole replaces it: the old leg's records and polylines go
    // then. A rebuild that fails takes away what it drew and recorded, and
    // the drawing keeps the old leg exactly as it was.
    m_log.Empty();
    m_tuttiCostruiti = true;
    CString nuovo;
    const bool costruito = CostruisciRamo(ramo, &settings, nuovo);
    const CString log = m_log;
    m_log.Empty();
    const bool rimossi = Mostrato(*this, costruito ? TogliPrecedente(id, asseP) : TogliRifiutato(nuovo, asseP));
    m_id = id;
    if (costruito) return rimossi;
    m_log = log + Tradotto(L" - Intersezione non aggiornata: il disegno resta com'era.\r\n");
    MostraErrori();
    return false;
}

bool CCmdJunctor::ProvaOffset() {
    CConstrJunctor costruttore;
    ads_name scelta;
    ads_point punto;
    if (acedEntSel(L"Selezionare la polilinea", scelta, punto) == RTNORM) ProvaOffsetPolilinea(scelta);
    return true;
}
