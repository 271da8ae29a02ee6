#include "CCiglioRamo3D.h"

#include <algorithm>
#include <cmath>

#include "CAsseRamo.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "GyroformUtil.h"

namespace {

constexpr double kTol = 1e-6;
constexpr double kDistanzaRicerca = 100.0;
const double kMezzoPi = std::acos(-1.0) / 2.0;

}  // namespace

CCiglioRamo3D::~CCiglioRamo3D() { m_asse = nullptr; }

bool CCiglioRamo3D::IsA(int tipo) const { return tipo == TIPO_CIGLIORAMO3D || tipo == TIPO_CIGLIO_GENERICO; }

int CCiglioRamo3D::GetTipo() const { return TIPO_CIGLIORAMO3D; }

int CCiglioRamo3D::LeggiDato(int id, CDato& dato) const {
    dato.SetId(id);
    switch (id) {
        case DATO_CIGLIO_HANDLE_ASSE:
            if (!m_handleAsse.IsEmpty()) dato = CDato(id, m_handleAsse);
            else if (m_asse) dato = CDato(id, CString(m_asse->getEntita().GetHandle()));
            else return 0;
            return 1;
        case DATO_CIGLIO_NOME_ASSE:
            if (!m_nomeAsse.IsEmpty()) dato = CDato(id, m_nomeAsse);
            else if (m_asse) dato = CDato(id, m_asse->getNome());
            else return 0;
            return 1;
        case DATO_CIGLIO_POSIZIONE_ANELLO:
            if (m_posizioneAnello >= 0.0) dato = CDato(id, m_posizioneAnello);
            else if (m_asse) dato = CDato(id, m_asse->getPosizioneAnello());
            else return 0;
            return 1;
        case DATO_CIGLIO_QUOTA_CENTRI:
            dato = CDato(id, m_asse ? m_asse->getQuotaCentriRotazione() : m_quotaCentri);
            return 1;
        case DATO_CIGLIO_PENDENZA_CENTRI:
            dato = CDato(id, m_asse ? m_asse->getPendenzaLongCentriDiRotazione() : m_pendenzaCentri);
            return 1;
        case DATO_CIGLIO_DIREZIONE:
            dato = CDato(id, m_asse ? (m_asse->getDirezioneTracciato() ? 1 : 0) : m_direzione);
            return 1;
        default: return CCiglio3D::LeggiDato(id, dato);
    }
}

int CCiglioRamo3D::SetDato(const CDato& dato, int modo) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    switch (dato.GetId()) {
        case DATO_CIGLIO_HANDLE_ASSE: m_handleAsse = dato.GetString(); return 1;
        case DATO_CIGLIO_NOME_ASSE: m_nomeAsse = dato.GetString(); return 1;
        case DATO_CIGLIO_POSIZIONE_ANELLO: m_posizioneAnello = dato.GetDouble(); return 1;
        case DATO_CIGLIO_QUOTA_CENTRI: m_quotaCentri = dato.GetDouble(); return 1;
        case DATO_CIGLIO_PENDENZA_CENTRI: m_pendenzaCentri = dato.GetDouble(); return 1;
        case DATO_CIGLIO_DIREZIONE: m_direzione = static_cast<int>(dato.GetInt()); return 1;
        default: return CCiglio3D::SetDato(dato, modo);
    }
}

int CCiglioRamo3D::GetElencoDati(CDato** dati, int* numero, int /*contesto*/) const {
    std::vector<CDato> voci;
    vociComuni(voci);
    static const int proprie[6][2] = {{CDato::Testo, 13}, {CDato::Testo, 14}, {CDato::Reale, 15},
                                      {CDato::Intero, 21}, {CDato::Reale, 19}, {CDato::Reale, 20}};
    for (const auto& p : proprie) {
        CDato d(p[1]);
        d.SetTipo(p[0]);
        voci.push_back(d);
    }
    return consegnaElenco(voci, dati, numero);
}

CADDatoArray* CCiglioRamo3D::getPuntiAltCiglio(int tipoGruppo) {
    switch (tipoGruppo) {
        case TIPO_PUNTOVERTICE: return &m_rigaProfilo;
        case TIPO_PUNTOROTAZIONE: return &m_rigaRotazione;
        default: return nullptr;
    }
}

// The methods and the hand-over are filled by the elevation methods.
void CCiglioRamo3D::getTipiCalcolo(CADDatoArray& tipiCalcolo) { elencoMetodi(tipiCalcolo, false); }
int CCiglioRamo3D::getQuotaDaProg(double& quota, double prog, int tipo) {
    int metodo = tipo <= 0 ? m_tipoCalcolo : tipo;
    // Asked again while computing it (edges that hand over to each other): not available.
    if (m_inValutazione) return 0;
    m_inValutazione = true;
    int esito = 0;
    // Beyond its last vertex or rotation point the edge follows the edge that
    // hands its elevation over at its second node.
    std::vector<CPuntoCiglio*> punti =
        PuntiInOrdine<CPuntoCiglio>(metodo == 8 ? m_vertici : (metodo == 7 ? m_rotazione : nullptr));
    if (!punti.empty() && prog > punti.back()->getProgressiva()) {
        CPuntoNodo* consegna = nullptr;
        CCiglio3D* altro = getSecondoNodo(consegna);
        if (altro && consegna->getUlteriore()) {
            auto* secondo = static_cast<CPuntoNodo*>(m_nodi->GetFirstMember()->GetNext()->GetObject());
            esito = altro->getQuotaDaProg(quota, consegna->getProgressiva() + (prog - secondo->getProgressiva()), -1);
        }
    }
    m_inValutazione = false;
    if (esito) return 1;
    if (CCiglio3D::getQuotaDaProg(quota, prog, metodo)) return 1;
    // At its very end the edge has its end node's elevation.
    IQvObject_GroupMember* ultimo = m_nodi ? m_nodi->GetLastMember() : nullptr;
    if ((metodo == 7 || metodo == 8) && prog > m_lunghezza - kTol && ultimo) {
        quota = static_cast<CPuntoNodo*>(ultimo->GetObject())->getQuota();
        return 1;
    }
    return 0;
}

int CCiglioRamo3D::calcolaProfilo(int, IQvObject_GroupMember*, CDato) {
    std::vector<CPuntoNodo*> nodi;
    for (IQvObject_GroupMember* m = m_nodi ? m_nodi->GetFirstMember() : nullptr; m; m = m->GetNext())
        nodi.push_back(static_cast<CPuntoNodo*>(m->GetObject()));
    // Without a first and an end node there is no profile to make.
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (nodi.size() < 2 || !costruttore) return 0;
    if (!m_vertici) {
        preparaGruppo(m_vertici, L"Punti Vertice");
        impostaGruppo(m_vertici, TIPO_PUNTOVERTICE, true);
    }
    if (!m_vertici) return 0;
    auto punti = [this] { return PuntiInOrdine<CPuntoVertice>(m_vertici); };
    const double quotaRif = m_rotatoria ? m_rotatoria->getQuotaRiferimento() : 0.0;
    const double raggio = m_rotatoria ? m_rotatoria->getRaggioVerticeDefault() : 200.0;
    auto nuovo = [&](double prog, double quota, double r) {
        auto* v = static_cast<CPuntoVertice*>(costruttore->Alloca(TIPO_PUNTOVERTICE));
        if (!v) return v;
        v->impostaDaProgressiva(this, prog);
        v->setQuota(quota);
        v->setRaggio(r);
        m_vertici->Append(v);
        return v;
    };

    // The end node and whether this edge hands its elevation over.
    CPuntoNodo* n1 = nodi[0];
    CPuntoNodo* fine = nodi[1];
    bool consegna = false;
    if (nodi.size() >= 3) {
        CPuntoNodo* n2 = nodi[1];
        CPuntoNodo* n3 = nodi[2];
        std::vector<CPuntoVertice*> v = punti();
        if (v.empty() || n2->getUlteriore()) {
            fine = n3;
            consegna = true;
        } else if (v.back()->getProgressiva() > n2->getProgressiva()) {
            fine = n3;
            consegna = true;
            if (v.back()->getProgressiva() < n3->getProgressiva()) nuovo(n3->getProgressiva(), n3->getQuota(), 0.0);
        }
    }
    bool ultimoNodo = fine == nodi.back() || (nodi.size() >= 3 && fine == nodi[2]);
    for (CPuntoVertice* v : punti()) {
        v->setGrigio(false);
        v->setQuotaGrigia(false);
    }

    const double c1 = n1->getProgressiva(), z1 = n1->getQuota(), s1 = n1->getPendenza();
    const double cE = fine->getProgressiva(), zE = fine->getQuota(), sE = fine->getPendenza();
    const double x = s1 != sE ? (s1 * c1 + zE - sE * cE - z1) / (s1 - sE) : 0.0;
    auto g1 = [&](double c) { return z1 + s1 * (c - c1); };
    auto gE = [&](double c) { return zE + sE * (c - cE); };

    std::vector<CPuntoVertice*> v = punti();
    CPuntoVertice* primo = v.empty() ? nuovo(c1, z1, 0.0) : v.front();
    if (!primo) return 0;
    primo->impostaDaProgressiva(this, c1);
    primo->setQuota(z1);
    primo->setRaggio(0.0);
    primo->setGrigio(true);
    primo->setQuotaGrigia(true);
    v = punti();
    CPuntoVertice* ultimo = v.size() >= 2 ? v.back() : nuovo(cE, zE, 0.0);
    if (!ultimo) return 0;
    ultimo->impostaDaProgressiva(this, cE);
    ultimo->setQuota(zE);
    ultimo->setRaggio(0.0);
    ultimo->setQuotaGrigia(true);
    ultimo->setGrigio(ultimoNodo);

    const double p = nodi[1]->getProgressiva();
    v = punti();
    if (v.size() == 2) v.insert(v.begin() + 1, nuovo(0.0, quotaRif, raggio));
    if (v.size() == 3 && v[1]) {
        CPuntoVertice* medio = v[1];
        if (c1 < x && x < cE) {
            medio->impostaDaProgressiva(this, x);
            medio->setQuota(g1(x));
        } else {
            medio->impostaDaProgressiva(this, p / 3.0);
            medio->setQuota(g1(p / 3.0));
            if (CPuntoVertice* secondo = nuovo(2.0 * p / 3.0, quotaRif, raggio)) {
                secondo->setQuota(gE(2.0 * p / 3.0));
                secondo->setQuotaGrigia(true);
            }
        }
        medio->setQuotaGrigia(true);
    } else if (v.size() > 3) {
        v[1]->setQuota(g1(v[1]->getProgressiva()));
        v[1]->setQuotaGrigia(true);
        CPuntoVertice* penultimo = v[v.size() - 2];
        penultimo->setQuota(gE(penultimo->getProgressiva()));
        penultimo->setQuotaGrigia(true);
    }

    // The profile through the vertex points, with their grades and curves.
    if (m_profilo) ICPROFILO::libera(&m_profilo);
    v = punti();
    for (size_t i = 0; i < v.size(); ++i) {
        const double vertice[2] = {v[i]->getProgressiva(), v[i]->getQuota()};
        v[i]->setVerticeProfilo(inserisciVerticeProfilo(vertice));
        if (i == 0) continue;
        // Two points at one chainage make no grade.
        double dc = v[i]->getProgressiva() - v[i - 1]->getProgressiva();
        v[i]->setPendenza(std::fabs(dc) > 1e-9 ? (v[i]->getQuota() - v[i - 1]->getQuota()) / dc : 0.0);
    }
    calcolaRaccordi(v);

    if (consegna) consegnaSecondoNodo(nodi[1], nodi[2]);
    return 1;
}

void CCiglioRamo3D::consegnaSecondoNodo(CPuntoNodo* n2, CPuntoNodo* n3) {
    constexpr double kPassoPendenza = 0.0001;
    double c = n2->getProgressiva(), z = 0.0, z2 = 0.0;
    if (!getQuotaDaProg(z, c, -1)) return;
    n2->setQuota(z);
    if (!getQuotaDaProg(z2, c + kPassoPendenza, -1)) return;
    n2->setPendenza((z2 - z) / kPassoPendenza);
    adattaPunti(n2, n3);
}
CCiglio3D* CCiglioRamo3D::getSecondoNodo(CPuntoNodo*& collegato) {
    collegato = nullptr;
    if (!m_nodi || m_nodi->GetMemberCount() < 3) return nullptr;
    auto* secondo = static_cast<CPuntoNodo*>(m_nodi->GetFirstMember()->GetNext()->GetObject());
    collegato = secondo->getCollegato();
    return collegato ? collegato->getProprietario() : nullptr;
}

void CCiglioRamo3D::tagliaPunti(IQvObject_Group* gruppo, int tipo, double prog) {
    if (!gruppo) return;
    // Every point beyond the chainage goes, wherever it stands in the group.
    double ultimo = -1.0;
    IQvObject_GroupMember* m = gruppo->GetFirstMember();
    while (m) {
        IQvObject_GroupMember* dopo = m->GetNext();
        auto* p = static_cast<CPuntoCiglio*>(m->GetObject());
        if (p->getProgressiva() > prog) gruppo->RemoveMember(m);
        else ultimo = std::max(ultimo, p->getProgressiva());
        m = dopo;
    }
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    CCiglio3D* proprietario = this;
    if (ultimo < prog && costruttore) {
        auto* p = static_cast<CPuntoCiglio*>(costruttore->Alloca(tipo));
        if (!p) return;
        p->impostaDaProgressiva(proprietario, prog);
        if (auto* v = dynamic_cast<CPuntoVertice*>(p)) v->setQuota(m_rotatoria ? m_rotatoria->getQuotaRiferimento() : 0.0);
        gruppo->Append(p);
    }
}

int CCiglioRamo3D::adattaPunti(CPuntoNodo* a, CPuntoNodo* b) {
    CPuntoNodo* pa = a ? a->getCollegato() : nullptr;
    CPuntoNodo* pb = b ? b->getCollegato() : nullptr;
    auto* e = pa ? dynamic_cast<CCiglioRamo3D*>(pa->getProprietario()) : nullptr;
    Annidamento annidamento;
    if (!pa || !pb || !e || !annidamento.consentito()) return 0;
    for (auto [mio, suo] : {std::pair{a, pa}, std::pair{b, pb}}) {
        mio->setUlteriore(1);
        suo->setQuota(mio->getQuota());
        suo->setPendenza(mio->getPendenza());
        suo->setUlteriore(0);
    }
    double prog = pa->getProgressiva();
    e->tagliaPunti(e->m_vertici, TIPO_PUNTOVERTICE, prog);
    e->calcolaProfilo(0, nullptr, CDato());
    e->tagliaPunti(e->m_rotazione, TIPO_PUNTOROTAZIONE, prog);
    e->calcolaRotazione(0, nullptr, CDato());
    return 1;
}

void CCiglioRamo3D::azzera() {
    CCiglio3D::azzera();
    m_handleAsse.Empty();
    m_nomeAsse.Empty();
    m_posizioneAnello = -1.0;
}

int CCiglioRamo3D::inizializzaCiglio(CRotatoria3D* rotatoria, const wchar_t* codice, CAsseRamo* asse,
                                     datipoli* polilinea, datipoli* ultimo) {
    struct Voce {
        const wchar_t* codice;
        int numero;
        const wchar_t* suffisso;
    };
    static const Voce voci[] = {{L"rCIIn", CIGLIO_INTERNO_DESTRO, L" Interno destro"},
                                {L"rCEIn", CIGLIO_ESTERNO_DESTRO, L" Esterno destro"},
                                {L"rCIOut", CIGLIO_INTERNO_SINISTRO, L" Interno sinistro"},
                                {L"rCEOut", CIGLIO_ESTERNO_SINISTRO, L" Esterno sinistro"}};
    m_asse = asse;
    m_descrizione = asse ? asse->getNomeEsportazione() : CString();
    CString c(codice);
    for (const Voce& v : voci) {
        if (c != v.codice) continue;
        m_codiceEnum = v.numero;
        m_descrizione += gyroform::Traduci(v.suffisso);
        break;
    }
    datipoli* fine = ultimo ? ultimo : gyroform::UltimoNodo(polilinea);
    if (asse && fine) {
        double p[3] = {fine->x, fine->y, fine->z};
        asse->calcolaLunghezza(p);
    }
    CCiglio3D::inizializzaCiglio(rotatoria, codice, asse, polilinea, ultimo);
    return 1;
}

bool CCiglioRamo3D::precede(CCiglio3D* nuovo) {
    if (!nuovo) return false;
    if (nuovo->IsA(TIPO_CIGLIOANELLO3D)) return true;
    CAsseRamo* altro = nuovo->getAsseRamo();
    if (altro != m_asse) return m_asse && m_asse->confrontaPosizione(altro);
    if (m_codiceEnum == nuovo->getCodiceEnum()) {
        mostraMessaggio(m_descrizione + gyroform::Traduci(L": ciglio doppio!"));
        return false;
    }
    return m_codiceEnum > nuovo->getCodiceEnum();
}

int CCiglioRamo3D::getPuntoIniziale(Zyl_GePoint3d& punto) {
    IQvObject_GroupMember* ultimo = m_nodi ? m_nodi->GetLastMember() : nullptr;
    auto* nodo = ultimo ? dynamic_cast<CPuntoCiglio*>(ultimo->GetObject()) : nullptr;
    if (!nodo) return 0;
    punto = Zyl_GePoint3d(nodo->x(), nodo->y(), nodo->z());
    return 1;
}

void CCiglioRamo3D::valoriLato(double& i, double& k, double& w) const {
    bool destro = m_codiceEnum == CIGLIO_INTERNO_DESTRO || m_codiceEnum == CIGLIO_ESTERNO_DESTRO;
    i = destro ? m_asse->getValoreA() : m_asse->getValoreB();
    k = destro ? m_asse->getGradienteA() : m_asse->getGradienteB();
    w = destro ? m_asse->getSecondoA() : m_asse->getSecondoB();
}

void CCiglioRamo3D::sostituisciFine(datipoli* taglio) {
    if (!taglio || !m_ultimo) {
        LiberaDATIPOLI(&taglio);
        return;
    }
    m_ultimo->x = taglio->x;
    m_ultimo->y = taglio->y;
    m_ultimo->z = taglio->z;
    m_ultimo->bulge = taglio->bulge;
    m_ultimo->next = taglio->next;
    taglio->next = nullptr;
    LiberaDATIPOLI(&taglio);
    ProgDATIPOLI(m_polilinea, 0.0, &m_lunghezza);
    m_ultimo = gyroform::UltimoNodo(m_polilinea);
}

int CCiglioRamo3D::calcolaGeometria(CPuntoNodo* incontro, CPuntoNodo** nodoSinistro) {
    CCiglio3D* anello = m_rotatoria ? m_rotatoria->getAnelloEsterno() : nullptr;
    const CString fuoriAnello = m_descrizione + gyroform::Traduci(L": Il primo punto deve trovarsi sull'anello esterno.");
    if (!m_polilinea || !m_ultimo || !m_asse) return 0;
    if (!anello || !anello->getPolilinea()) {
        mostraMessaggio(fuoriAnello);
        return 0;
    }
    const double t[3] = {m_ultimo->x, m_ultimo->y, 0.0};

    if (m_nodi) m_nodi->Empty();

    // The first vertex on the outer ring: the first node.
    ads_point primo = {m_polilinea->x, m_polilinea->y, 0.0};
    double scarto = 0.0, progAnello = 0.0;
    double lunghezzaAnello = anello->getLunghezza();
    if (!DistPPoly(anello->getPolilinea(), primo, &scarto, nullptr, &progAnello, nullptr, nullptr, nullptr, 1) ||
        scarto > kTol || lunghezzaAnello <= 0.0) {
        mostraMessaggio(fuoriAnello);
        return 0;
    }
    if (std::fabs(progAnello - lunghezzaAnello) <= kTol) progAnello = 0.0;
    creaPuntoNodo(progAnello / lunghezzaAnello, 0.0, 1, primo);

    // The axis end, and the axis seen across from the edge's end.
    datipoli* asse = m_asse->getPolilinea();
    double lunghezzaAsse = m_asse->getLunghezzaAsse();
    ads_point fineAsse = {0, 0, 0}, fineCiglio, piede = {0, 0, 0};
    double direzione = 0.0, d = 0.0, progPiede = 0.0;
    if (asse) XYdaProgsuDatiPoli(asse, lunghezzaAsse, fineAsse, nullptr);
    XYdaProgsuDatiPoli(m_polilinea, m_lunghezza, fineCiglio, &direzione);
    ads_point da = {t[0], t[1], 0.0};
    bool incontrato = asse && DistPPolyDir(asse, da, direzione + kMezzoPi, kDistanzaRicerca, &d, piede, &progPiede,
                                           nullptr) == 1;
    double zc = m_asse->getQuotaCentriRotazione(), sc = m_asse->getPendenzaLongCentriDiRotazione();
    double i = 0.0, k = 0.0, w = 0.0;
    valoriLato(i, k, w);
    bool esterno = m_codiceEnum == CIGLIO_ESTERNO_DESTRO || m_codiceEnum == CIGLIO_ESTERNO_SINISTRO;

    // The edge ends at or beyond the axis end: its end is the last node.
    if (!incontrato || progPiede >= lunghezzaAsse - kTol) {
        CPuntoNodo* nodo = creaPuntoNodo(1.0, 1.0, 2, t);
        if (nodo) {
            nodo->setQuota(esterno ? (std::fabs(d) - w) * i + zc : zc);
            nodo->setPendenza(esterno ? std::fabs(d) * k + sc : sc);
        }
        return 1;
    }

    // Along the alignment's edge of this side up to the axis end.
    if (datipoli* lato = m_asse->getPolilineaCiglio(m_codiceEnum)) {
        double p1 = lato->prog, p2 = gyroform::UltimoNodo(lato)->prog, o = 0.0;
        ads_point f1, f2 = {fineAsse[0], fineAsse[1], 0.0};
        if (!DistPPoly(lato, piede, nullptr, f1, &p1, nullptr, nullptr, nullptr, 1))
            mostraMessaggio(m_descrizione + gyroform::Traduci(L": Errore proiezione punto finale sul ciglio tracciato"));
        if (!DistPPoly(lato, fineAsse, &o, f2, &p2, nullptr, nullptr, nullptr, 1))
            mostraMessaggio(m_descrizione +
                            gyroform::Traduci(L": Errore proiezione punto finale asse sul ciglio tracciato"));
        datipoli* taglio = nullptr;
        if (estraiCopiaDATIPOLI(lato, &p1, &p2, &taglio) == 1) sostituisciFine(taglio);
        if (CPuntoNodo* nodo = creaPuntoNodo(1.0, 1.0, 2, f2)) {
            nodo->setQuota((std::fabs(o) - w) * i + zc);
            nodo->setPendenza(std::fabs(o) * k + sc);
            nodo->setGrigio(true);
        }
        return 1;
    }

    if (esterno) {
        mostraMessaggio(m_asse->getNome() + gyroform::Traduci(L": Ciglio esterno non trovato"));
        return 0;
    }

    // An island edge: along the axis from where it faces it to the axis end.
    datipoli* taglio = nullptr;
    double q = lunghezzaAsse > 0.0 ? progPiede / lunghezzaAsse : 0.0;
    double g[3] = {piede[0], piede[1], 0.0};
    if (estraiCopiaDATIPOLI(asse, &progPiede, &lunghezzaAsse, &taglio) == 1) {
        g[0] = taglio->x;
        g[1] = taglio->y;
        sostituisciFine(taglio);
    }
    if (m_codiceEnum == CIGLIO_INTERNO_SINISTRO && incontro) {
        incontro->imposta(this, q, 0.0, 2, g);
    } else if (m_codiceEnum == CIGLIO_INTERNO_DESTRO && incontro) {
        CCiglio3D* sinistro = incontro->getProprietario();
        if (sinistro && sinistro->getAsseRamo() == m_asse) {
            double m[3] = {g[0], g[1], 0.0};
            if (incontro->getValoreRif() > q) {
                q = incontro->getValoreRif();
                incontro->getPunto(m);
                m[2] = 0.0;
            }
            auto posizioneSu = [&m](CCiglio3D* ciglio) {
                double prog = 0.0;
                ads_point p = {m[0], m[1], 0.0};
                if (!DistPPoly(ciglio->getPolilinea(), p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1))
                    DistPPoly(ciglio->getPolilinea(), p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 0);
                return ciglio->getLunghezza() > 0.0 ? prog / ciglio->getLunghezza() : 0.0;
            };
            CPuntoNodo* mio = creaPuntoNodo(q, posizioneSu(this), 2, m);
            CPuntoNodo* suo = sinistro->creaPuntoNodo(q, posizioneSu(sinistro), 2, m);
            if (mio && suo) {
                mio->setCollegato(suo);
                suo->setCollegato(mio);
            }
        }
        const double zero[3] = {0.0, 0.0, 0.0};
        incontro->imposta(nullptr, 0.0, 0.0, 0, zero);
    }

    CPuntoNodo* fine = creaPuntoNodo(1.0, 1.0, 2, fineAsse);
    if (fine) {
        fine->setQuota(zc);
        fine->setPendenza(sc);
        fine->setGrigio(true);
    }
    if (m_codiceEnum == CIGLIO_INTERNO_SINISTRO && nodoSinistro) {
        *nodoSinistro = fine;
    } else if (m_codiceEnum == CIGLIO_INTERNO_DESTRO && nodoSinistro && *nodoSinistro) {
        CCiglio3D* sinistro = (*nodoSinistro)->getProprietario();
        if (fine && sinistro && sinistro->getAsseRamo() == m_asse) {
            fine->setCollegato(*nodoSinistro);
            (*nodoSinistro)->setCollegato(fine);
        }
        *nodoSinistro = nullptr;
    }
    return 1;
}
