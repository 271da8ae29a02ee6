// Reading a plan roundabout into the model, re-reading it, and reloading a
// model saved in its block.
#include <windows.h>

#include <map>
#include <string>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "GyroformUtil.h"
#include "ICQvLorvent.h"
#include "Ombrix.h"
#include "QvEngineeringConstructor.h"
#include "VociEstese.h"
#include "WinIni.h"

namespace {

constexpr const wchar_t* kAppPianta = L"QV-VORTANA-INTERS-ROTV1";
constexpr const wchar_t* kAppCigliStrada = L"QV-VORTANA-NPOLI";

bool IsCodiceRamo(const CString& c) { return c == L"rCEOut" || c == L"rCIOut" || c == L"rCIIn" || c == L"rCEIn"; }
bool IsCodiceAnello(const CString& c) { return c == L"aCInt" || c == L"aCExt"; }
bool IsLatoStrada(const CString& c) { return c == L"CDX" || c == L"CSX" || c == L"CIDX" || c == L"CISX"; }

CString Testo(const CADDatoArray& dati, int inizio, int k) {
    const CADDatoArray::CADDato* v = gyroform::Voce(dati, inizio, k, CADDatoArray::Testo);
    return v ? CString(v->GetStringa()) : CString();
}

// The extended data of every application, through request -3.
bool DatiEstesi(const ZylEntityID& entita, CADDatoArray& dati) {
    CADDatoArray richiesta;
    richiesta.AddRichiesta(-3);
    entita.GetDati(richiesta);
    if (richiesta.GetCount() != 1 || richiesta[0].GetTipo() != CADDatoArray::Array) return false;
    dati = *richiesta[0].GetArray();
    return dati.GetCount() > 0;
}

CADDatoArray Filtro(const wchar_t* tipo, const wchar_t* applicazione) {
    CADDatoArray f;
    f.Add(5020, tipo);
    if (applicazione) f.Add(1001, applicazione);
    return f;
}

// The saved edge's (key, value) pairs after the application and its flag.
const CADDatoArray::CADDato* Coppia(const CADDatoArray& items, int chiave) {
    for (int i = 2; i + 1 < items.GetCount(); i += 2)
        if (items[i].GetTipo() == CADDatoArray::Intero && items[i].GetInt() == chiave) return &items[i + 1];
    return nullptr;
}

// What tells an edge from the others of its model: its code, its axis and
// the axis's direction, as its saved data give them.
std::wstring Identita(const CString& codice, const CString& asse, int direzione) {
    return std::wstring(codice.GetString()) + L"\n" + asse.GetString() + L"\n" + std::to_wstring(direzione);
}

// The plan roundabout a saved model's block reference belongs to (its key-2 pair).
CString PiantaDelModello(const ZylEntityID& riferimento) {
    CADDatoArray dati;
    if (!riferimento.GetDatiEstesi(dati)) return CString();
    int inizio = gyroform::TrovaApplicazione(dati, APP_ROTATORIA_3D);
    if (inizio < 0) return CString();
    const CADDatoArray items = gyroform::ItemsApplicazione(dati, inizio);
    const CADDatoArray::CADDato* pianta = Coppia(items, 2);
    return pianta && pianta->GetTipo() == CADDatoArray::Testo ? CString(pianta->GetStringa()) : CString();
}

}  // namespace

using gyroform::Oggetti;

void CRotatoria3D::prendiModelloEsistente(const CString& pianta, std::map<std::wstring, CString>& esportati) {
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    CADDatoArray riferimenti;
    utils->Seleziona(riferimenti, L"_X", Filtro(L"INSERT", APP_ROTATORIA_3D));
    for (int i = 0; i < riferimenti.GetCount(); ++i) {
        ZylBlockRefID riferimento(riferimenti[i].GetEntityID());
        if (riferimento.GetObjectId() == m_riferimento.GetObjectId() || PiantaDelModello(riferimento) != pianta) continue;
        ZylBlockID blocco = riferimento.GetBlocco();
        if (!blocco.Esiste()) continue;
        // The alignments its edges were exported as, for the edges read again.
        CADDatoArray polilinee;
        utils->Seleziona(polilinee, L"X", Filtro(L"POLYLINE", APP_ROTATORIA_3D), blocco);
        for (int k = 0; k < polilinee.GetCount(); ++k) {
            CADDatoArray dati;
            if (!polilinee[k].GetEntityID().GetDatiEstesi(dati)) continue;
            int inizio = gyroform::TrovaApplicazione(dati, APP_ROTATORIA_3D);
            if (inizio < 0) continue;
            const CADDatoArray items = gyroform::ItemsApplicazione(dati, inizio);
            auto testo = [&](int chiave) {
                const CADDatoArray::CADDato* v = Coppia(items, chiave);
                return v && v->GetTipo() == CADDatoArray::Testo ? CString(v->GetStringa()) : CString();
            };
            const CADDatoArray::CADDato* direzione = Coppia(items, DATO_CIGLIO_DIREZIONE);
            const CString tracciato = testo(DATO_CIGLIO_TRACCIATO_ESPORTATO);
            if (!tracciato.IsEmpty())
                esportati.emplace(Identita(testo(DATO_CIGLIO_CODICE), testo(DATO_CIGLIO_NOME_ASSE),
                                           direzione && direzione->GetTipo() == CADDatoArray::Intero
                                               ? direzione->GetInt()
                                               : 0),
                                  tracciato);
        }
        // Its content goes; the first block of this plan becomes this model's
        // (when it has none), the others go with their references.
        CADDatoArray entita;
        if (blocco.GetObjectId() != m_blocco.GetObjectId()) {
            CADDatoArray tutte;
            tutte.Add(5020, L"*");
            utils->Seleziona(entita, L"X", tutte, blocco);
            for (int k = 0; k < entita.GetCount(); ++k) utils->Cancella(entita[k].GetEntityID());
        }
        if (!m_blocco.Esiste()) {
            m_blocco = blocco;
            m_riferimento = riferimento;
        } else if (blocco.GetObjectId() != m_blocco.GetObjectId() || riferimento.GetObjectId() != m_riferimento.GetObjectId()) {
            utils->Cancella(riferimento);
        }
    }
}

void CRotatoria3D::riprendiTracciatiEsportati(const std::map<std::wstring, CString>& esportati) {
    if (esportati.empty()) return;
    for (CCiglio3D* c : Oggetti<CCiglio3D>(m_cigli)) {
        CDato tracciato, asse, direzione;
        c->LeggiDato(DATO_CIGLIO_TRACCIATO_ESPORTATO, tracciato);
        if (!tracciato.GetString().IsEmpty()) continue;
        const bool conAsse = c->LeggiDato(DATO_CIGLIO_NOME_ASSE, asse) == 1;
        const int verso = c->LeggiDato(DATO_CIGLIO_DIREZIONE, direzione) == 1 ? static_cast<int>(direzione.GetInt()) : 0;
        auto trovato = esportati.find(Identita(c->getCodice(), conAsse ? asse.GetString() : CString(), verso));
        if (trovato == esportati.end()) continue;
        c->SetDato(CDato(DATO_CIGLIO_TRACCIATO_ESPORTATO, trovato->second.GetString()), 1);
        c->aggiornaDatiEstesi();
    }
}

int CRotatoria3D::disegna(ZylEntityID& id) {
    CADDatoArray dati;
    if (!DatiEstesi(id, dati)) return -1;
    for (int i = 0; i < dati.GetCount(); ++i) {
        if (dati[i].GetCodice() != 1001 || dati[i].GetTipo() != CADDatoArray::Testo) continue;
        CString app(dati[i].GetStringa());
        if (app == kAppPianta) {
            const CADDatoArray::CADDato* nome = gyroform::Voce(dati, i, 1, CADDatoArray::Testo);
            if (!nome) return -1;
            // A model of this plan already in the drawing is taken over (or
            // erased, when this model has a block), never doubled.
            std::map<std::wstring, CString> esportati;
            prendiModelloEsistente(nome->GetStringa(), esportati);
            // A model read before keeps its block: the reading clears it.
            if (!m_blocco.Esiste()) {
                ZylTableRecordID record;
                if (Ombrix::GetTableUtils()->CreaRecord(ZYL_TABELLA_BLOCCHI, L"*X", CADDatoArray(), record) != 1)
                    return -1;
                m_blocco = ZylBlockID(record.GetObjectId());
            }
            m_nomePianta = nome->GetStringa();
            int esito = aggiorna();
            if (esito != 0) riprendiTracciatiEsportati(esportati);
            return esito == 0 ? -1 : esito;
        }
        if (app == APP_ROTATORIA_3D) {
            m_riferimento = ZylBlockRefID(id);
            // A saved model with data the model cannot hold is refused.
            if (caricaDaBlocco() < 0) return -1;
            creaLayer();
            return 1;
        }
    }
    return -1;
}

int CRotatoria3D::aggiorna() {
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    if (m_blocco.Esiste()) {
        CADDatoArray polilinee;
        utils->Seleziona(polilinee, L"X", Filtro(L"POLYLINE", nullptr), m_blocco);
        for (int i = 0; i < polilinee.GetCount(); ++i) utils->Cancella(polilinee[i].GetEntityID());
    }
    for (CAsseRamo* a : Oggetti<CAsseRamo>(m_assi)) a->azzera();
    for (CCiglio3D* c : Oggetti<CCiglio3D>(m_cigli)) c->azzera();

    CADDatoArray cerchi;
    utils->Seleziona(cerchi, L"_X", Filtro(L"CIRCLE", kAppPianta));
    for (int i = 0; i < cerchi.GetCount(); ++i) {
        ZylEntityID e = cerchi[i].GetEntityID();
        if (!leggiEntita(ZYL_CERCHIO, e)) return 0;
    }
    CADDatoArray polilinee;
    utils->Seleziona(polilinee, L"_X", Filtro(L"POLYLINE", kAppPianta));
    for (int i = 0; i < polilinee.GetCount(); ++i) {
        ZylEntityID e = polilinee[i].GetEntityID();
        leggiEntita(ZYL_POLILINEA_2D, e);
    }
    allineaInizioAnelli();
    CADDatoArray cigliStrada;
    utils->Seleziona(cigliStrada, L"_X", Filtro(L"POLYLINE", kAppCigliStrada));
    for (int i = 0; i < cigliStrada.GetCount(); ++i) {
        ZylEntityID e = cigliStrada[i].GetEntityID();
        if (!leggiCigliTracciato(e)) break;
    }

    Zyl_GeMatrix3d traslazione;
    traslazione.setTranslation(Zyl_GeVector3d(-m_centro[0], -m_centro[1], -m_centro[2]));
    eliminaAssiNonTrovati();
    for (CAsseRamo* a : Oggetti<CAsseRamo>(m_assi)) {
        a->traslaPolilinea(traslazione);
        a->leggiDatiProfilo();
        a->scriviPolilinea(m_blocco);
    }
    eliminaCigliNonTrovati();
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    IQvObject* scratch = costruttore ? costruttore->Alloca(TIPO_PUNTONODO) : nullptr;
    auto* incontro = static_cast<CPuntoNodo*>(scratch);
    CPuntoNodo* nodoSinistro = nullptr;
    int geometria = 1;
    for (CCiglio3D* c : Oggetti<CCiglio3D>(m_cigli)) {
        c->traslaPolilinea(traslazione);
        c->creaGruppiPunti();
        geometria = c->calcolaGeometria(incontro, &nodoSinistro);
        if (!geometria) break;
        c->scriviPolilineaPiana(m_blocco);
    }
    gyroform::Libera(scratch);
    if (!geometria) return 0;
    if (!m_assi || m_assi->GetMemberCount() == 0) {
        gyroform::Messaggio(gyroform::Traduci(L"La rotatoria deve avere almeno un ramo"));
        return 0;
    }
    return inizializzaCalcolo();
}

void CRotatoria3D::eliminaAssiNonTrovati() {
    if (!m_assi) return;
    IQvObject_GroupMember* m = m_assi->GetFirstMember();
    while (m) {
        IQvObject_GroupMember* dopo = m->GetNext();
        auto* a = static_cast<CAsseRamo*>(m->GetObject());
        if (a->isNonTrovato()) {
            a->cancellaPolilinea();
            m_assi->RemoveMember(m);
        }
        m = dopo;
    }
}

void CRotatoria3D::eliminaCigliNonTrovati() {
    if (!m_cigli) return;
    IQvObject_GroupMember* m = m_cigli->GetFirstMember();
    while (m) {
        IQvObject_GroupMember* dopo = m->GetNext();
        auto* c = static_cast<CCiglio3D*>(m->GetObject());
        if (c->isNonTrovato()) {
            c->cancellaEntita();
            scollegaCiglio(c);
            m_cigli->RemoveMember(m);
        }
        m = dopo;
    }
}

void CRotatoria3D::scollegaCiglio(CCiglio3D* ciglio) {
    for (CCiglio3D* c : Oggetti<CCiglio3D>(m_cigli)) {
        if (c->getCiglioRif() == ciglio) c->dimenticaCiglioRif();
        for (CPuntoNodo* n : Oggetti<CPuntoNodo>(c->getPunti(GRUPPO_NODO)))
            if (n->getCollegato() && n->getCollegato()->getProprietario() == ciglio) n->setCollegato(nullptr);
        c->svuotaPuntiSezione();
    }
}

int CRotatoria3D::leggiEntita(int tipoEntita, ZylEntityID& entita) {
    if (tipoEntita == ZYL_CERCHIO) return leggiCerchio(entita);
    if (tipoEntita == ZYL_POLILINEA_2D) return leggiPolilinea(entita);
    return 1;
}

int CRotatoria3D::leggiCerchio(ZylEntityID& entita) {
    CADDatoArray dati;
    dati.AddRichiesta(10);
    dati.AddRichiesta(40);
    dati.AddRichiesta(-3);
    entita.GetDati(dati);
    if (dati[0].GetTipo() != CADDatoArray::Punto || dati[1].GetTipo() != CADDatoArray::Reale ||
        dati[2].GetTipo() != CADDatoArray::Array)
        return 1;
    const CADDatoArray& estesi = *dati[2].GetArray();
    // The last roundabout application on the circle wins.
    int inizio = -1;
    for (int i = gyroform::TrovaApplicazione(estesi, kAppPianta); i >= 0;
         i = gyroform::TrovaApplicazione(estesi, kAppPianta, i + 1))
        inizio = i;
    const CADDatoArray::CADDato* nome = gyroform::Voce(estesi, inizio, 1, CADDatoArray::Testo);
    const CADDatoArray::CADDato* codice = gyroform::Voce(estesi, inizio, 3, CADDatoArray::Testo);
    // Too few items: another roundabout's, as a different name would be.
    if (!nome || !codice || m_nomePianta != nome->GetStringa()) return 1;
    CString c(codice->GetStringa());
    double centro[3];
    dati[0].GetPunto(centro);
    if (c == L"aCInt") {
        const CADDatoArray::CADDato* nomeRotatoria = gyroform::Voce(estesi, inizio, 2, CADDatoArray::Testo);
        if (!nomeRotatoria) return 1;
        m_nome = nomeRotatoria->GetStringa();
        setCentro(centro);
        creaLayer();
    } else if (c != L"aCExt") {
        return 1;
    }
    double r = dati[1].GetDouble();
    CADDatoArray vertici, bulge;
    vertici.Add(0, centro[0] + r, centro[1], 0.0);
    vertici.Add(1, centro[0] - r, centro[1], 0.0);
    vertici.Add(2, centro[0] + r, centro[1], 0.0);
    bulge.Add(0, 1.0);
    bulge.Add(1, 1.0);
    bulge.Add(2, 0.0);
    return creaCiglio(nullptr, c, nullptr, vertici, bulge);
}

int CRotatoria3D::leggiPolilinea(ZylEntityID& entita) {
    CADDatoArray vertici, bulge, estesi;
    ZylPolylineID polilinea(entita);
    if (!polilinea.GetVertici(vertici, bulge) || !DatiEstesi(entita, estesi)) return 1;
    for (int i = 0; i < estesi.GetCount(); ++i) {
        if (estesi[i].GetCodice() != 1001 || estesi[i].GetTipo() != CADDatoArray::Testo) continue;
        CString app(estesi[i].GetStringa());
        if (app == kAppPianta) {
            const CADDatoArray::CADDato* direzione = gyroform::Voce(estesi, i, 6, CADDatoArray::Intero);
            CString nome = Testo(estesi, i, 1), nomeInterno = Testo(estesi, i, 2), asse = Testo(estesi, i, 3);
            CString codice = Testo(estesi, i, 4);
            bool completo = direzione && gyroform::Voce(estesi, i, 1, CADDatoArray::Testo) &&
                            gyroform::Voce(estesi, i, 2, CADDatoArray::Testo) &&
                            gyroform::Voce(estesi, i, 3, CADDatoArray::Testo);
            if (!completo || nome != m_nomePianta || !IsCodiceRamo(codice)) return 1;
            CAsseRamo* a = trovaOCreaAsse(asse, nomeInterno, true, direzione->GetInt() == 0, -1.0);
            creaCiglio(nullptr, codice, a, vertici, bulge);
        } else if (app == APP_ROTATORIA_3D) {
            if (!leggiCiglioSalvato(entita, gyroform::ItemsApplicazione(estesi, i), vertici, bulge)) return 0;
        }
    }
    return 1;
}

int CRotatoria3D::leggiCiglioSalvato(ZylEntityID& entita, const CADDatoArray& items, const CADDatoArray& vertici,
                                     const CADDatoArray& bulge) {
    // A value that is no value of a roundabout (not finite, or beyond any
    // size) refuses the whole model: nothing computed from it could be trusted.
    if (!gyroform::ValoriAmmessi(items) || !gyroform::ValoriAmmessi(vertici) || !gyroform::ValoriAmmessi(bulge)) {
        m_salvatoNonValido = true;
        return 0;
    }
    IQvObject* oggetto = CCiglio3D::leggiDaDatiEstesi(items);
    auto* ciglio = dynamic_cast<CCiglio3D*>(oggetto);
    if (!ciglio || !ciglio->IsA(TIPO_CIGLIO_GENERICO)) {
        gyroform::Libera(oggetto);
        return 1;
    }
    // Every point of a group is of the group's kind: the computations take
    // a vertex group's members as vertices, and so on.
    if (!ciglio->puntiDelTipoDeiGruppi()) {
        gyroform::Libera(oggetto);
        m_salvatoNonValido = true;
        return 0;
    }
    CDato handle, nome, posizione, quota, pendenza, direzione, codice;
    ciglio->LeggiDato(1, codice);
    bool conAsse = ciglio->LeggiDato(13, handle) == 1 && !handle.GetString().IsEmpty();
    // A saved edge whose code and axis disagree cannot be rebuilt: skipped.
    bool anello = IsCodiceAnello(codice.GetString());
    if (anello == conAsse || (!anello && !IsCodiceRamo(codice.GetString())) ||
        anello != ciglio->IsA(TIPO_CIGLIOANELLO3D)) {
        gyroform::Libera(oggetto);
        return 1;
    }
    CAsseRamo* asse = nullptr;
    if (conAsse) {
        ciglio->LeggiDato(14, nome);
        ciglio->LeggiDato(15, posizione);
        ciglio->LeggiDato(19, quota);
        ciglio->LeggiDato(20, pendenza);
        ciglio->LeggiDato(21, direzione);
        asse = trovaOCreaAsse(nome.GetString(), handle.GetString(), false, direzione.GetInt() != 0,
                              posizione.GetDouble());
        if (asse) {
            asse->setQuotaCentriRotazione(quota.GetDouble());
            asse->setPendenzaLongCentriDiRotazione(pendenza.GetDouble());
        }
    }
    IQvObject* dato = ciglio;
    if (!creaCiglio(&dato, codice.GetString(), asse, vertici, bulge)) return 0;
    static_cast<CCiglio3D*>(dato)->setEntita(ZylPolylineID(entita));
    return 1;
}

int CRotatoria3D::leggiCigliTracciato(ZylEntityID& entita) {
    CADDatoArray estesi;
    if (!DatiEstesi(entita, estesi)) return 1;
    int inizio = gyroform::TrovaApplicazione(estesi, kAppCigliStrada);
    const CADDatoArray::CADDato* lato = gyroform::Voce(estesi, inizio, 2, CADDatoArray::Testo);
    const CADDatoArray::CADDato* nome = gyroform::Voce(estesi, inizio, 3, CADDatoArray::Testo);
    if (!lato || !nome || !m_assi) return 1;
    CADDatoArray vertici, bulge;
    ZylPolylineID polilinea(entita);
    if (!polilinea.GetVertici(vertici, bulge)) return 1;
    bool tridimensionale = entita.GetTipo() == ZYL_POLILINEA_3D;
    CString codice(lato->GetStringa());
    for (CAsseRamo* a : Oggetti<CAsseRamo>(m_assi)) {
        if (a->getNome() != nome->GetStringa()) continue;
        datipoli *testa = nullptr, *coda = nullptr;
        for (int i = 0; i < vertici.GetCount(); ++i) {
            double p[3];
            vertici[i].GetPunto(p);
            ads_point q = {p[0] - m_centro[0], p[1] - m_centro[1], 0.0};
            double b = !tridimensionale && i < bulge.GetCount() ? bulge[i].GetDouble() : 0.0;
            AggpuntoDATIPOLI(q, b, &testa, &coda);
        }
        a->assegnaCiglioTracciato(codice, testa);
        // A side the axis does not keep leaves the list here.
        if (!IsLatoStrada(codice)) LiberaDATIPOLI(&testa);
    }
    return 1;
}

int CRotatoria3D::allineaInizioAnelli() {
    std::vector<CCiglio3D*> cigli = Oggetti<CCiglio3D>(m_cigli);
    // Only an inner ring, an outer ring and a branch edge, in this order.
    if (cigli.size() < 3 || cigli[0]->getCodiceEnum() != CIGLIO_ANELLO_INTERNO ||
        cigli[1]->getCodiceEnum() != CIGLIO_ANELLO_ESTERNO || !cigli[2]->getAsseRamo())
        return 1;
    Zyl_GePoint3d primo;
    if (!cigli[2]->getPrimoVertice(primo)) return 1;
    ads_point p = {primo.x, primo.y, 0.0};
    for (CCiglio3D* anello : {cigli[0], cigli[1]}) {
        datipoli* lista = anello->getPolilinea();
        double prog = 0.0;
        if (!lista || !DistPPoly(lista, p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1)) continue;
        double lunghezza = anello->getLunghezza();
        if (prog <= 1e-9 || prog >= lunghezza - 1e-9) continue;  // it starts there already
        datipoli *dopo = nullptr, *prima = nullptr;
        if (estraiCopiaDATIPOLI(lista, &prog, nullptr, &dopo) != 1 ||
            estraiCopiaDATIPOLI(lista, nullptr, &prog, &prima) != 1 || !dopo || !prima) {
            LiberaDATIPOLI(&dopo);
            LiberaDATIPOLI(&prima);
            continue;
        }
        // Joined without repeating the vertex the two parts share.
        datipoli* coda = gyroform::UltimoNodo(dopo);
        coda->bulge = prima->bulge;
        coda->next = prima->next;
        prima->next = nullptr;
        LiberaDATIPOLI(&prima);
        CString codice = anello->getCodice();
        anello->inizializzaCiglio(this, codice, nullptr, dopo, nullptr);
    }
    return 1;
}

int CRotatoria3D::caricaDaBlocco() {
    ZylBlockID blocco = m_riferimento.GetBlocco();
    if (!blocco.Esiste()) return 0;
    m_blocco = blocco;
    m_salvatoNonValido = false;
    CADDatoArray dati;
    dati.AddRichiesta(10);
    dati.AddRichiesta(-3);
    m_riferimento.GetDati(dati);
    if (!gyroform::ValoriAmmessi(dati)) return rifiutaSalvato();
    if (dati[0].GetTipo() == CADDatoArray::Punto) {
        double c[3];
        dati[0].GetPunto(c);
        setCentro(c);
    }
    if (dati[1].GetTipo() == CADDatoArray::Array) {
        const CADDatoArray& estesi = *dati[1].GetArray();
        int inizio = gyroform::TrovaApplicazione(estesi, APP_ROTATORIA_3D);
        for (int i = inizio + 2; inizio >= 0 && i + 1 < estesi.GetCount(); i += 2) {
            if (estesi[i].GetCodice() == 1001) break;
            const CADDatoArray::CADDato& valore = estesi[i + 1];
            int chiave = estesi[i].GetInt();
            bool testo = valore.GetTipo() == CADDatoArray::Testo;
            bool reale = valore.GetTipo() == CADDatoArray::Reale;
            switch (chiave) {
                case DATO_ROTATORIA_NOME:
                case DATO_ROTATORIA_PIANTA:
                    if (testo) SetDato(CDato(chiave, valore.GetStringa()));
                    break;
                case DATO_ROTATORIA_PASSO_SEZIONI:
                case DATO_ROTATORIA_PASSO_DISCR:
                case DATO_ROTATORIA_QUOTA_RIF:
                case DATO_ROTATORIA_PEND_MIN:
                case DATO_ROTATORIA_PEND_MAX:
                    if (reale) SetDato(CDato(chiave, valore.GetDouble()));
                    break;
                case DATO_ROTATORIA_RICALCOLA_PENDENZE:
                    if (valore.GetTipo() == CADDatoArray::Intero) SetDato(CDato(chiave, valore.GetInt()));
                    break;
                default: break;
            }
        }
    }
    CADDatoArray polilinee;
    Ombrix::GetEntityUtils()->Seleziona(polilinee, L"_X", Filtro(L"POLYLINE", APP_ROTATORIA_3D), m_blocco);
    for (int i = 0; i < polilinee.GetCount(); ++i) {
        ZylEntityID e = polilinee[i].GetEntityID();
        if (!leggiEntita(ZYL_POLILINEA_2D, e)) break;
    }
    if (m_salvatoNonValido) return rifiutaSalvato();
    for (CCiglio3D* c : Oggetti<CCiglio3D>(m_cigli)) c->creaGruppiPunti();
    return inizializzaCalcolo();
}

int CRotatoria3D::rifiutaSalvato() {
    liberaGruppi();
    // The saved block stays as it is: a later drawing must not overwrite it.
    m_riferimento = ZylBlockRefID();
    m_blocco = ZylBlockID();
    gyroform::Messaggio(gyroform::Traduci(L"Il modello salvato non è valido: non viene caricato."));
    return -1;
}

void CRotatoria3D::creaLayer() {
    struct Voce {
        CString CRotatoria3D::*campo;
        const wchar_t* chiave;
        int colore;
        bool bloccato;
    };
    static const Voce voci[] = {{&CRotatoria3D::m_layerSuperfici, L"QVRO3D-3DFACE", 251, false},
                                {&CRotatoria3D::m_layerPianta, L"QVRO3D-PLAN", 2, true},
                                {&CRotatoria3D::m_layerCigli3D, L"QVRO3D-CIGLI3D", 7, false},
                                {&CRotatoria3D::m_layerSezioni, L"QVRO3D-SEZ", 0, false},
                                {&CRotatoria3D::m_layerTesti, L"QVRO3D-TESTO", 0, false}};
    wchar_t file[MAX_PATH] = L"";
    if (ICQvLorvent* lorvent = getLorvent()) lorvent->GetFileImpostazioni(file, MAX_PATH);
    ITableUtils* tabelle = Ombrix::GetTableUtils();
    CString rifiutati;  // names no layer may have, from the roundabout's name or the settings
    for (const Voce& v : voci) {
        wchar_t suffisso[256] = L"";
        GetPrivateProfileStringW(L"SUFFISSILAYERTOP", v.chiave, v.chiave, suffisso, 256, file);
        CString& nome = this->*(v.campo);
        nome = m_nome + L"-" + suffisso;
        ZylTableRecordID record;
        if (tabelle->CercaRecord(ZYL_TABELLA_LAYER, nome, record)) continue;
        CADDatoArray proprieta;
        if (v.colore) proprieta.Add(62, v.colore);
        if (v.bloccato) proprieta.Add(ZYL_LAYER_BLOCCATO, 1);
        if (!tabelle->CreaRecord(ZYL_TABELLA_LAYER, nome, proprieta, record))
            rifiutati += (rifiutati.IsEmpty() ? L"" : L", ") + nome;
    }
    if (!rifiutati.IsEmpty())
        gyroform::Messaggio(gyroform::Traduci(L"Layer non creati, nomi non validi: ") + rifiutati);
}
