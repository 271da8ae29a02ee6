// Finding an intersection drawn earlier by its extended data, erasing its
// polylines and removing its lane records from the main alignment.
#include <TranslatorBinding.h>

#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "CCmdJunctor.h"
#include "CConstrJunctor.h"
#include "DatiEstesi.h"
#include "ICTRACCIATO.h"
#include "LeggiDatiPoli.h"
#include "TestoDatiEstesi.h"

namespace {

// The intersection polylines of the drawing, released with the object.
class SelezioneIntersezioni {
public:
    // Those whose id (the first text) is `id`, and maybe others: an id that
    // holds no wildcard character is asked of the drawing's first-text
    // index, any other one selects every intersection polyline.
    explicit SelezioneIntersezioni(const CString& id) {
        resbuf* filtro = id.FindOneOf(L"*?#@.~,`[]") < 0
                             ? acutBuildList(RTDXF0, L"POLYLINE", 1001, kAppIntersezione, 1000, (LPCWSTR)id, RTNONE)
                             : acutBuildList(RTDXF0, L"POLYLINE", 1001, kAppIntersezione, RTNONE);
        m_valida = acedSSGet(L"_X", nullptr, nullptr, filtro, m_gruppo) == RTNORM;
        acutRelRb(filtro);
        Conta();
    }
    // Only those whose data names that main road and leg road (internal
    // names or names), from the drawing's index.
    SelezioneIntersezioni(const CString& principale, const CString& ramo) {
        m_valida = vplat::SSGetTagged(L"POLYLINE", kAppIntersezione,
                                      {{std::wstring(static_cast<LPCWSTR>(principale)),
                                        std::wstring(static_cast<LPCWSTR>(ramo))}},
                                      false, m_gruppo) == RTNORM;
        Conta();
    }
    ~SelezioneIntersezioni() {
        if (m_valida) acedSSFree(m_gruppo);
    }
    SelezioneIntersezioni(const SelezioneIntersezioni&) = delete;
    SelezioneIntersezioni& operator=(const SelezioneIntersezioni&) = delete;

    bool Valida() const { return m_valida; }
    Adesk::Int32 Numero() const { return m_numero; }
    bool Entita(Adesk::Int32 i, ads_name nome, AcDbObjectId& id) const {
        return acedSSName(m_gruppo, i, nome) == RTNORM && acdbGetObjectId(id, nome) == Acad::eOk;
    }

private:
    void Conta() {
        if (m_valida && acedSSLength(m_gruppo, &m_numero) != RTNORM) m_numero = 0;
    }
    ads_name m_gruppo = {0, 0};
    bool m_valida = false;
    Adesk::Int32 m_numero = 0;
};

// The leading texts of an entity's intersection data (id, edge code, four
// names ...), at most `massimo`; fewer when the chain ends or turns to
// numbers earlier.
std::vector<CString> Testi(AcDbObjectId id, size_t massimo) {
    std::vector<CString> testi;
    resbuf* catena = LeggiDatiEstesi(id, kAppIntersezione);
    for (resbuf* rb = catena ? catena->rbnext : nullptr; rb && testi.size() < massimo; rb = rb->rbnext) {
        if (rb->restype != 1000 || !rb->resval.rstring) break;
        testi.emplace_back(rb->resval.rstring);
    }
    acutRelRb(catena);
    return testi;
}

bool Contiene(const CStringArray& elenco, const CString& testo) {
    for (INT_PTR i = 0; i < elenco.GetSize(); ++i)
        if (elenco[i] == testo) return true;
    return false;
}

// The side of a point from the main axis: +1 right, -1 left, 0 unknown.
int Lato(const datipoli* asse, const ads_point p) {
    double d = 0;
    if (!asse || !DistPPoly(asse, p, &d, nullptr, nullptr, nullptr, nullptr, nullptr, 0)) return 0;
    return d > 0 ? 1 : (d < 0 ? -1 : 0);
}

}  // namespace

bool CCmdJunctor::CercaIdEsistente(const CString& nomePrincipale, const CString& nomeRamo,
                                   const CSecondariaJunctor* ramo) {
    m_id.Empty();
    // The names as the extended data holds them (cut to its length).
    const CString internoPrincipale = TestoDatiEstesi(m_principale ? m_principale->GetNomeInterno() : CString());
    const CString internoRamo = TestoDatiEstesi(ramo ? ramo->GetNomeInterno() : CString());
    const CString principale = TestoDatiEstesi(nomePrincipale), secondaria = TestoDatiEstesi(nomeRamo);
    const bool perInterno = !internoPrincipale.IsEmpty() && !internoRamo.IsEmpty();
    // Polylines whose record lacks a name are passed over: the index leaves them out.
    SelezioneIntersezioni selezione(perInterno ? internoPrincipale : principale, perInterno ? internoRamo : secondaria);
    if (!selezione.Valida()) return false;

    ads_point base = {0, 0, 0};
    if (ramo) ramo->GetPuntoIsola1(base);
    const datipoli* asse = m_principale ? m_principale->GetDatiPoliAsse() : nullptr;
    const int latoRamo = Lato(asse, base);

    // Per candidate id: the nearest vertex of its drop island edge and of
    // any of its polylines, on the leg's side.
    struct Distanze {
        double isola = std::numeric_limits<double>::infinity();
        double qualsiasi = std::numeric_limits<double>::infinity();
        bool haIsola = false;
    };
    std::map<std::wstring, Distanze> candidati;
    std::vector<std::wstring> ordine;
    for (Adesk::Int32 i = 0; i < selezione.Numero(); ++i) {
        ads_name nome;
        AcDbObjectId id;
        if (!selezione.Entita(i, nome, id)) continue;
        const std::vector<CString> t = Testi(id, 6);
        if (t.size() < 6 || t[0].IsEmpty()) continue;
        const bool coppia = perInterno ? (t[2] == internoPrincipale && t[4] == internoRamo)
                                       : (t[3] == principale && t[5] == secondaria);
        if (!coppia || Contiene(m_idPresi, t[0])) continue;
        const std::wstring chiave(t[0]);
        if (!candidati.count(chiave)) ordine.push_back(chiave);
        Distanze& d = candidati[chiave];
        const bool isola = t[1] == L"rCIG";
        d.haIsola = d.haIsola || isola;
        datipoli* lista = nullptr;
        if (!LeggiDATIPOLI(nome, &lista)) continue;
        for (const datipoli* v = lista; v; v = v->next) {
            const ads_point p = {v->x, v->y, 0};
            if (latoRamo != 0 && Lato(asse, p) != latoRamo) continue;
            const double distanza = std::hypot(v->x - base[0], v->y - base[1]);
            d.qualsiasi = std::min(d.qualsiasi, distanza);
            if (isola) d.isola = std::min(d.isola, distanza);
        }
        LiberaDATIPOLI(&lista);
    }
    double migliore = std::numeric_limits<double>::infinity();
    for (const std::wstring& chiave : ordine) {
        const Distanze& d = candidati[chiave];
        const double distanza = d.haIsola ? d.isola : d.qualsiasi;
        if (distanza < migliore) {
            migliore = distanza;
            m_id = chiave.c_str();
        }
    }
    return !m_id.IsEmpty();
}

bool CCmdJunctor::CancellaDaId() {
    if (m_id.IsEmpty()) return false;
    SelezioneIntersezioni selezione(m_id);
    // Nothing of that id: the answer is still whether there is anything to select.
    if (!selezione.Valida()) return SelezioneIntersezioni(L"*").Valida();
    AcDbDatabase* disegno = acdbHostApplicationServices()->workingDatabase();
    for (Adesk::Int32 i = 0; i < selezione.Numero(); ++i) {
        ads_name nome;
        AcDbObjectId id;
        if (!selezione.Entita(i, nome, id)) continue;
        const std::vector<CString> t = Testi(id, 1);
        if (!t.empty() && t[0] == m_id) EraseEntityDaId(id, disegno);
    }
    return true;
}

bool CCmdJunctor::RimuoviRecordId(const ads_name asse) {
    AcDbObjectId id;
    if (acdbGetObjectId(id, asse) != Acad::eOk) {
        m_log += TranslateText(L" - Impossibile recuperare l'entità di costruzione.\r\n");
        return false;
    }
    tracciato* record = nullptr;
    if (!GetTracciato(id, &record) || !record) return false;
    ICTRACCIATO* oggetto = ICTRACCIATO_Costructor::Alloca(record, id);
    if (!oggetto) {
        // Nobody took the record over.
        LiberaTracciato(&record);
        return false;
    }
    CConstrJunctor::RimuoviRecord(oggetto, m_id);
    // The commit writes onto the axis, which the main road must not hold
    // open meanwhile.
    const bool aperta = m_principale && m_principale->GetAperto();
    if (aperta) m_principale->Chiudi();
    oggetto->aggiornaDati(1505, 0);
    oggetto->aggiornaDati(0, -2);
    oggetto->aggiorna();
    ICTRACCIATO_Costructor::Libera(&oggetto, 1);
    if (aperta && m_principale->Apri()) m_principale->CalcolaLarghezze();
    return true;
}

bool CCmdJunctor::HaRecordId(const ads_name asse, const CString& id) {
    AcDbObjectId idAsse;
    tracciato* record = nullptr;
    if (acdbGetObjectId(idAsse, asse) != Acad::eOk || !GetTracciato(idAsse, &record) || !record) return false;
    ICTRACCIATO* oggetto = ICTRACCIATO_Costructor::Alloca(record, idAsse);
    if (!oggetto) {
        LiberaTracciato(&record);
        return false;
    }
    bool trovato = false;
    for (int codice : {1512, 1511, 1513, 1514, 1515}) {
        ICLISTADATI* lista = oggetto->getListaDati(codice);
        for (ICELEMENTODATI* e = lista ? lista->getPrimo() : nullptr; e && !trovato; e = lista->getSuccessivo(e)) {
            CDato dato;
            trovato = e->LeggiDato(kDatoIdIntersezione, dato) && dato.GetString() == id;
        }
    }
    ICTRACCIATO_Costructor::Libera(&oggetto, 1);
    return trovato;
}

bool CCmdJunctor::TogliPrecedente(const CString& id, const ads_name asse) {
    m_id = id;
    if (!RimuoviRecordId(asse)) return false;
    CancellaDaId();
    return true;
}

bool CCmdJunctor::TogliRifiutato(const CString& id, const ads_name asse) {
    m_id = id;
    const bool rimossi = !HaRecordId(asse, id) || RimuoviRecordId(asse);
    CancellaDaId();
    return rimossi;
}

void CCmdJunctor::CercaPrecedenti(CString& in, CString& out) {
    m_idPresi.RemoveAll();
    in.Empty();
    out.Empty();
    if (!m_principale) return;
    for (CSecondariaJunctor* ramo : {m_in, m_out}) {
        if (!ramo || !ramo->GetSelezionata()) continue;
        if (!CercaIdEsistente(m_principale->GetNome(), ramo->GetNome(), ramo)) continue;
        m_idPresi.Add(m_id);
        (ramo == m_in ? in : out) = m_id;
    }
    m_id.Empty();
}
