#include "CCiglio3D.h"

#include <algorithm>
#include <cmath>

#include "CAsseRamo.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "GyroformUtil.h"
#include "IQvObject_Serializer.h"
#include "Ombrix.h"
#include "QvEngineeringConstructor.h"

namespace {

constexpr double kTolChiusura = 1e-6;
constexpr double kDistanzaRicerca = 100.0;

}  // namespace

CCiglio3D::~CCiglio3D() {
    LiberaDATIPOLI(&m_polilinea);
    m_ultimo = nullptr;
    m_ciglioRif = nullptr;
    if (m_profilo) ICPROFILO::libera(&m_profilo);
    liberaGruppo(m_vertici);
    liberaGruppo(m_rotazione);
    liberaGruppo(m_verifica);
    liberaGruppo(m_puntiCiglio);
    liberaGruppo(m_nodi);
    m_rotatoria = nullptr;
}

void CCiglio3D::liberaGruppo(IQvObject_Group*& gruppo) {
    IQvObject* g = gruppo;
    QvEngineeringConstructor::Libera(&g, 1);
    gruppo = nullptr;
}

bool CCiglio3D::IsA(int tipo) const { return tipo == TIPO_CIGLIO_GENERICO; }

CDato CCiglio3D::GetDato(int id, bool* ok) const { return gyroform::DatoLetto(*this, id, ok); }

int CCiglio3D::LeggiDato(int id, CDato& dato) const {
    dato.SetId(id);
    switch (id) {
        case DATO_CIGLIO_CODICE: dato = CDato(id, m_codice); return 1;
        case DATO_CIGLIO_DESCRIZIONE: dato = CDato(id, m_descrizione); return 1;
        case DATO_CIGLIO_TIPO_CALCOLO: dato = CDato(id, m_tipoCalcolo); return 1;
        case DATO_CIGLIO_VERIFICA: dato = CDato(id, m_verifica); return 1;
        case DATO_CIGLIO_ROTAZIONE: dato = CDato(id, m_rotazione); return 1;
        case DATO_CIGLIO_VERTICI: dato = CDato(id, m_vertici); return 1;
        case DATO_CIGLIO_NODI: dato = CDato(id, m_nodi); return 1;
        case DATO_CIGLIO_HANDLE_3D:
            dato = CDato(id, m_entita3D.IsVivo() ? CString(m_entita3D.GetHandle()) : CString());
            return 1;
        case DATO_CIGLIO_CODICE_RIF: dato = CDato(id, m_codiceRif); return 1;
        case DATO_CIGLIO_TRACCIATO_ESPORTATO: dato = CDato(id, m_tracciatoEsportato); return 1;
        default: return 0;
    }
}

void CCiglio3D::sostituisciGruppo(IQvObject_Group*& gruppo, const CDato& dato) {
    IQvObject_Group* nuovo = dato.GetGruppo();
    if (nuovo == gruppo) return;
    liberaGruppo(gruppo);
    gruppo = nuovo;
}

int CCiglio3D::SetDato(const CDato& dato, int /*modo*/) {
    switch (dato.GetId()) {
        case DATO_CIGLIO_CODICE: m_codice = dato.GetString(); return 1;
        case DATO_CIGLIO_DESCRIZIONE: m_descrizione = dato.GetString(); return 1;
        case DATO_CIGLIO_TIPO_CALCOLO:
            // 0 (no method chosen yet) or a method of the edge's kind.
            if (const long long v = dato.GetInt(); v != 0 && (v < 5 || v > 8 || !metodoAmmesso(static_cast<int>(v))))
                return 0;
            m_tipoCalcolo = static_cast<int>(dato.GetInt());
            return 1;
        case DATO_CIGLIO_VERIFICA: sostituisciGruppo(m_verifica, dato); return 1;
        case DATO_CIGLIO_ROTAZIONE: sostituisciGruppo(m_rotazione, dato); return 1;
        case DATO_CIGLIO_VERTICI: sostituisciGruppo(m_vertici, dato); return 1;
        case DATO_CIGLIO_NODI: sostituisciGruppo(m_nodi, dato); return 1;
        case DATO_CIGLIO_HANDLE_3D: m_handle3D = dato.GetString(); return 1;
        case DATO_CIGLIO_CODICE_RIF: m_codiceRif = dato.GetString(); return 1;
        case DATO_CIGLIO_TRACCIATO_ESPORTATO: m_tracciatoEsportato = dato.GetString(); return 1;
        default: return 0;
    }
}

CString CCiglio3D::GetDatoStringa(int, int, int) const { return CString(); }

CString CCiglio3D::GetNomeTipo() const { return gyroform::Traduci(L"Rotatoria3D"); }

void CCiglio3D::vociComuni(std::vector<CDato>& voci) const {
    static const int comuni[10][2] = {{CDato::Testo, 1},  {CDato::Testo, 2},   {CDato::Intero, 3}, {CDato::Gruppo, 9},
                                      {CDato::Gruppo, 7}, {CDato::Gruppo, 8},  {CDato::Gruppo, 6}, {CDato::Testo, 17},
                                      {CDato::Testo, 18}, {CDato::Testo, 22}};
    for (const auto& c : comuni) {
        CDato d(c[1]);
        d.SetTipo(c[0]);
        voci.push_back(d);
    }
}

int CCiglio3D::consegnaElenco(const std::vector<CDato>& voci, CDato** dati, int* numero) {
    if (!dati || !numero) return 0;
    int n = static_cast<int>(voci.size());
    *dati = CDato::AllocaArrayCDato(n);
    *numero = n;
    for (int i = 0; i < n; ++i) {
        (*dati)[i] = voci[i];
        // Edges have no labels of their own.
        (*dati)[i].SetEtichetta(CString());
    }
    return 1;
}

IQvObject_Group* CCiglio3D::getPunti(int tipo) {
    switch (tipo) {
        case GRUPPO_VERIFICA: return m_verifica;
        case GRUPPO_ROTAZIONE: return m_rotazione;
        case GRUPPO_VERTICE: return m_vertici;
        case GRUPPO_NODO: return m_nodi;
        case GRUPPO_CIGLIO: return m_puntiCiglio;
        default: return nullptr;
    }
}

int CCiglio3D::getProgDaPunto(double& prog, Zyl_GePoint3d pnt) {
    double centro[3] = {0, 0, 0};
    if (m_rotatoria) m_rotatoria->getCentro(centro);
    ads_point p = {pnt.x - centro[0], pnt.y - centro[1], 0.0};
    return DistPPoly(m_polilinea, p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1);
}

int CCiglio3D::getPuntoDaProg(double prog, Zyl_GePoint3d& pnt) {
    ads_point p;
    if (!m_polilinea || XYdaProgsuDatiPoli(m_polilinea, prog, p, nullptr) != 0) return 0;
    pnt = Zyl_GePoint3d(p[0], p[1], p[2]);
    return 1;
}

bool CCiglio3D::metodoAmmesso(int metodo) const {
    return metodo == 7 || metodo == 8 || (metodo == 5 && GetTipo() == TIPO_CIGLIOANELLO3D);
}

bool CCiglio3D::chiudeCiclo(const CCiglio3D* rif, int metodo) const {
    if (metodo != 7) return false;
    // A loop further on that does not pass through this edge ends the walk.
    std::vector<const CCiglio3D*> visti;
    for (const CCiglio3D* c = rif; c; c = c->m_ciglioRif) {
        if (c == this) return true;
        if (c->m_tipoCalcolo != 7 || std::find(visti.begin(), visti.end(), c) != visti.end()) return false;
        visti.push_back(c);
    }
    return false;
}

CString CCiglio3D::motivoCiclo(const CCiglio3D* rif) {
    return gyroform::Traduci(L": il ciglio di riferimento dipende da questo, i riferimenti si chiuderebbero in un "
                             L"ciclo: ") + rif->m_descrizione;
}

bool CCiglio3D::rifiuta(const CString& motivo, bool avvisa) const {
    if (motivo.IsEmpty()) return false;
    if (avvisa) mostraMessaggio(m_descrizione + motivo);
    return true;
}

int CCiglio3D::setTipoCalcolo(int tipoCalcolo) { return impostaMetodo(tipoCalcolo, true); }

int CCiglio3D::impostaMetodo(int tipoCalcolo, bool avvisa) {
    CString motivo;
    if (tipoCalcolo == 5 && !metodoAmmesso(5)) {
        motivo = gyroform::Traduci(L": il metodo Piano vale solo per i cigli dell'anello.");
    } else if (!metodoAmmesso(tipoCalcolo)) {
        motivo.Format(L"%d", tipoCalcolo);
        motivo = gyroform::Traduci(L": metodo di calcolo non ammesso: ") + motivo;
    } else if (chiudeCiclo(m_ciglioRif, tipoCalcolo)) {
        motivo = motivoCiclo(m_ciglioRif);
    }
    if (rifiuta(motivo, avvisa)) return 0;
    m_tipoCalcolo = tipoCalcolo;
    // The points of the chosen method are shown.
    if (IQvObject_Group* gruppo = getPunti(tipoCalcolo)) setVisualizzaSuGrafico(gruppo->GetMemberType(), 1);
    return 1;
}

void CCiglio3D::elencoMetodi(CADDatoArray& tipiCalcolo, bool anello) {
    tipiCalcolo.Clear();
    tipiCalcolo.Add(8, gyroform::Traduci(L"Profilo").GetString());
    if (anello) tipiCalcolo.Add(5, gyroform::Traduci(L"Piano").GetString());
    for (int codice : candidatiRiferimento(m_codiceEnum)) {
        CCiglio3D* c = m_rotatoria ? m_rotatoria->trovaCiglio(codice, getAsseRamo()) : nullptr;
        if (!c || c->getCiglioRif() == this) continue;
        tipiCalcolo.Add(codice + 7, c->getDescrizione().GetString());
    }
}

std::vector<int> CCiglio3D::candidatiRiferimento(int codice) {
    switch (codice) {
        case CIGLIO_ANELLO_INTERNO: return {CIGLIO_ANELLO_ESTERNO};
        case CIGLIO_ANELLO_ESTERNO: return {CIGLIO_ANELLO_INTERNO};
        case CIGLIO_ESTERNO_SINISTRO: return {CIGLIO_INTERNO_SINISTRO};
        case CIGLIO_INTERNO_SINISTRO: return {CIGLIO_INTERNO_DESTRO, CIGLIO_ESTERNO_SINISTRO};
        case CIGLIO_INTERNO_DESTRO: return {CIGLIO_ESTERNO_DESTRO, CIGLIO_INTERNO_SINISTRO};
        case CIGLIO_ESTERNO_DESTRO: return {CIGLIO_INTERNO_DESTRO};
        default: return {};
    }
}

int CCiglio3D::setProfRif(int tipoCiglioRif) { return impostaRiferimento(tipoCiglioRif, true); }

int CCiglio3D::impostaRiferimento(int tipoCiglioRif, bool avvisa) {
    CString codice, motivo;
    codice.Format(L"%d", tipoCiglioRif);
    CCiglio3D* rif = nullptr;
    if (tipoCiglioRif == m_codiceEnum) {
        motivo = gyroform::Traduci(L": un ciglio non può fare da riferimento a se stesso.");
    } else if (!m_rotatoria || !(rif = m_rotatoria->trovaCiglio(tipoCiglioRif, getAsseRamo()))) {
        motivo = gyroform::Traduci(L": nessun ciglio di codice ") + codice +
                 gyroform::Traduci(getAsseRamo() ? L" sullo stesso ramo da prendere come riferimento."
                                                 : L" tra gli anelli da prendere come riferimento.");
    } else if (chiudeCiclo(rif, m_tipoCalcolo)) {
        motivo = motivoCiclo(rif);
    }
    if (rifiuta(motivo, avvisa)) return 0;
    m_ciglioRif = rif;
    m_codiceRif = rif->getCodice();
    return 1;
}

CString CCiglio3D::motivoNonCalcolato() const {
    if (!metodoAmmesso(m_tipoCalcolo)) {
        CString metodo;
        metodo.Format(L"%d", m_tipoCalcolo);
        return gyroform::Traduci(L": nessun metodo di calcolo valido: ") + metodo;
    }
    if (m_tipoCalcolo == 8 && m_profiloNonValido)
        return gyroform::Traduci(L": Profilo non valido: due vertici alla stessa progressiva.");
    if (m_tipoCalcolo == 7 && !m_ciglioRif)
        return gyroform::Traduci(L": calcolo per rotazione senza ciglio di riferimento.");
    if (m_tipoCalcolo == 7 && chiudeCiclo(m_ciglioRif, 7))
        return gyroform::Traduci(L": calcolo per rotazione su cigli di riferimento che si chiudono in un ciclo.");
    return CString();
}

ICCiglio3D* CCiglio3D::getCiglioRif() { return m_ciglioRif; }
int CCiglio3D::getQuotaDaProg(double& quota, double prog, int tipo) {
    int metodo = tipo <= 0 ? m_tipoCalcolo : tipo;
    if (metodo == 8) {
        auto* profilo = dynamic_cast<ICPROFILO_STRADALE*>(m_profilo);
        double z = 0.0;
        if (!profilo || profilo->getValore(QV_DATO_QUOTA_PROFILO, prog, &z) != 1) return 0;
        quota = z;
        return 1;
    }
    if (metodo != 7 || m_inRotazione) return 0;
    // Asked again while it is being computed (edges hung from each other): not available.
    m_inRotazione = true;
    int esito = quotaRotazione(quota, prog);
    m_inRotazione = false;
    return esito;
}

ICVERTICE_PROFILO* CCiglio3D::inserisciVerticeInProfilo(const double vertice[2], ICPROFILO_STRADALE* profilo,
                                                        ICVERTICE_PROFILO* da) {
    if (!profilo) return nullptr;
    auto progDi = [profilo](const ICVERTICE_PROFILO* v) {
        CDato prog;
        profilo->leggiDatoVertice(v, QV_DATO_PROG_VERTICE, prog);
        return prog.GetDouble();
    };
    ICVERTICE_PROFILO* dopo = da && progDi(da) <= vertice[0] ? da : profilo->primoVertice();
    while (dopo && progDi(dopo) <= vertice[0]) dopo = profilo->successivo(dopo);
    ICVERTICE_PROFILO* nuovo = nullptr;
    if (profilo->inserisciVertice(vertice[0], vertice[1], dopo, &nuovo) != 1) return nullptr;
    return nuovo;
}

void CCiglio3D::calcolaRaccordi(const std::vector<CPuntoVertice*>& punti) {
    auto* profilo = dynamic_cast<ICPROFILO_STRADALE*>(m_profilo);
    if (!profilo) return;
    for (CPuntoVertice* p : punti)
        if (p->getRaggio() > 0.0 && p->getVerticeProfilo())
            profilo->impostaRaccordo(p->getVerticeProfilo(), p->getTipoRaccordo(), p->getRaggio());
    m_profiloNonValido = profilo->valida() != 0 || profilo->calcola() != 1;
    if (m_profiloNonValido) return;
    for (CPuntoVertice* p : punti) {
        CDato raggio;
        int id = p->getTipoRaccordo() == QV_RACCORDO_CIRCOLARE ? QV_DATO_RAGGIO_CIRCOLARE : QV_DATO_RAGGIO_PARABOLICO;
        if (p->getVerticeProfilo() && profilo->leggiDatoVertice(p->getVerticeProfilo(), id, raggio))
            p->setRaggio(raggio.GetDouble());
    }
}

ICVERTICE_PROFILO* CCiglio3D::inserisciVerticeProfilo(const double vertice[2]) {
    if (!m_profilo) {
        m_profilo = ICPROFILO::Alloca();
        m_ultimoInserito = nullptr;
    }
    ICVERTICE_PROFILO* nuovo =
        inserisciVerticeInProfilo(vertice, dynamic_cast<ICPROFILO_STRADALE*>(m_profilo), m_ultimoInserito);
    if (nuovo) m_ultimoInserito = nuovo;
    return nuovo;
}

void CCiglio3D::highlight(double prog) {
    double centro[3] = {0, 0, 0};
    if (m_rotatoria) m_rotatoria->getCentro(centro);
    int n = m_punti3D.GetCount();
    Zyl_GePoint3d p;
    double z = 0.0;
    bool croce = getPuntoDaProg(prog, p) == 1;
    if (croce) getQuotaDaProg(z, prog, -1);
    if (n == 0) return;

    CADDatoArray punti;
    for (int i = 0; i < n; ++i) {
        double q[3];
        m_punti3D[i].GetPunto(q);
        punti.Add(i, q[0] + centro[0], q[1] + centro[1], q[2] + centro[2]);
    }
    IGeneralUtils* utils = Ombrix::GetGeneralUtils();
    utils->InviaComando(L"CANCELCMD");
    utils->DisegnaVettori(punti, 6, 1, 1);
    if (!croce) return;
    CADDatoArray vista;
    if (!utils->GetVariabileSistema(L"VIEWSIZE", vista) || vista.GetCount() == 0) return;
    double d = vista[0].GetDouble() / 50.0;
    double x = centro[0] + p.x, y = centro[1] + p.y;
    CADDatoArray primo, secondo;
    primo.Add(0, x + d, y + d, z);
    primo.Add(1, x - d, y - d, z);
    secondo.Add(0, x + d, y - d, z);
    secondo.Add(1, x - d, y + d, z);
    utils->DisegnaVettori(primo, 6, 0, 0);
    utils->DisegnaVettori(secondo, 6, 0, 0);
}

int CCiglio3D::getVisualizzaSuGrafico(int tipoGruppoPunti) {
    switch (tipoGruppoPunti) {
        case TIPO_PUNTOVERTICE: return m_visVertici ? 1 : 0;
        case TIPO_PUNTOROTAZIONE: return m_visRotazione ? 1 : 0;
        case TIPO_PUNTOVERIFICA: return 1;
        default: return 0;
    }
}

void CCiglio3D::setVisualizzaSuGrafico(int tipoGruppoPunti, int visualizza) {
    if (tipoGruppoPunti == TIPO_PUNTOVERTICE) m_visVertici = visualizza != 0;
    if (tipoGruppoPunti == TIPO_PUNTOROTAZIONE) m_visRotazione = visualizza != 0;
}

void CCiglio3D::azzera() {
    m_nonTrovato = true;
    m_entita = ZylPolylineID();
    // The reading erases every polyline of the block, the 3D one too.
    m_entita3D = ZylPolylineID();
    m_handle3D.Empty();
}

void CCiglio3D::scriviDatiEstesi(CADDatoArray& datiEstesi) {
    constexpr int kTestoMassimo = 499;
    datiEstesi.Add(1001, APP_ROTATORIA_3D);
    datiEstesi.Add(1071, 1);
    CADDatoArray coppie;
    IQvObject_Serializer(nullptr).SetToCADDatoArray(coppie, this);
    for (int i = 0; i < coppie.GetCount(); ++i) {
        const CADDatoArray::CADDato& d = coppie[i];
        datiEstesi.Add(1071, d.GetCodice());
        switch (d.GetTipo()) {
            case CADDatoArray::Reale: datiEstesi.Add(1040, d.GetDouble()); break;
            case CADDatoArray::Intero: datiEstesi.Add(1071, d.GetInt()); break;
            case CADDatoArray::Testo: datiEstesi.Add(1000, CString(d.GetStringa()).Left(kTestoMassimo)); break;
            case CADDatoArray::Punto: {
                double p[3];
                d.GetPunto(p);
                datiEstesi.Add(1010, p);
                break;
            }
            default: break;
        }
    }
}

int CCiglio3D::scriviPolilineaPiana(const ZylBlockID& blocco) {
    CADDatoArray vertici, bulge;
    gyroform::ArrayDaPolilinea(m_polilinea, vertici, bulge);
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    if (m_entita.IsVivo()) {
        CADDatoArray proprieta;
        proprieta.Add(10, vertici);
        proprieta.Add(42, bulge);
        utils->ModificaVertici(m_entita, proprieta);
        return 1;
    }
    CADDatoArray estesi, proprieta;
    scriviDatiEstesi(estesi);
    proprieta.Add(8, m_rotatoria ? m_rotatoria->getLayerPianta().GetString() : L"");
    proprieta.Add(-3, estesi);
    proprieta.Add(10, vertici);
    proprieta.Add(42, bulge);
    ZylPolylineID entita;
    if (utils->CreaPolilinea(ZYL_POLILINEA_2D, proprieta, entita, blocco)) m_entita = entita;
    return 1;
}

void CCiglio3D::prendiPolilinea(datipoli* polilinea, datipoli* ultimo) {
    if (polilinea != m_polilinea) LiberaDATIPOLI(&m_polilinea);
    m_polilinea = polilinea;
    m_ultimo = ultimo ? ultimo : gyroform::UltimoNodo(polilinea);
}

int CCiglio3D::inizializzaCiglio(CRotatoria3D* rotatoria, const wchar_t* codice, CAsseRamo* /*asse*/,
                                 datipoli* polilinea, datipoli* ultimo) {
    m_rotatoria = rotatoria;
    m_codice = codice;
    prendiPolilinea(polilinea, ultimo);
    m_nonTrovato = false;
    m_lunghezza = 0.0;
    return ProgDATIPOLI(m_polilinea, 0.0, &m_lunghezza);
}

int CCiglio3D::getPuntoIniziale(Zyl_GePoint3d& punto) {
    if (!m_ultimo) return 0;
    punto = Zyl_GePoint3d(m_ultimo->x, m_ultimo->y, m_ultimo->z);
    return 1;
}

bool CCiglio3D::preparaGruppo(IQvObject_Group*& gruppo, const wchar_t* nome) {
    bool fatto = false;
    if (!gruppo) {
        gruppo = static_cast<IQvObject_Group*>(QvEngineeringConstructor::Alloca(TIPO_GRUPPO, nullptr));
        if (!gruppo) return false;
        fatto = true;
        if (nome) gruppo->SetDato(CDato(QV_DATO_NOME_GRUPPO, gyroform::Traduci(nome)), 1);
    }
    return fatto;
}

int CCiglio3D::creaGruppiPunti() {
    struct Voce {
        IQvObject_Group* CCiglio3D::*gruppo;
        int tipo;
        const wchar_t* nome;
    };
    static const Voce voci[] = {
        {&CCiglio3D::m_vertici, TIPO_PUNTOVERTICE, L"Punti Vertice"},
        {&CCiglio3D::m_rotazione, TIPO_PUNTOROTAZIONE, L"Punti Rotazione"},
        {&CCiglio3D::m_verifica, TIPO_PUNTOVERIFICA, L"Punti Verifica"},
        {&CCiglio3D::m_puntiCiglio, TIPO_PUNTOCIGLIO, nullptr},
        {&CCiglio3D::m_nodi, TIPO_PUNTONODO, nullptr},
    };
    for (const Voce& v : voci) {
        IQvObject_Group*& gruppo = this->*(v.gruppo);
        preparaGruppo(gruppo, v.nome);
        impostaGruppo(gruppo, v.tipo, v.nome != nullptr);
    }
    return 1;
}

void CCiglio3D::impostaGruppo(IQvObject_Group* gruppo, int tipoElemento, bool conNome) {
    if (!gruppo) return;
    if (conNome && m_rotatoria) gruppo->SetDisplaySettings(m_rotatoria->creaImpostazioniGruppo());
    gruppo->Setup(GyroformMain::getConstructor(), tipoElemento, 4, 0);
    collegaPuntiGruppo(gruppo);
}

int CCiglio3D::collegaPuntiGruppo(IQvObject_Group* gruppo) {
    if (!gruppo) return 1;
    for (IQvObject_GroupMember* m = gruppo->GetFirstMember(); m; m = m->GetNext())
        if (auto* p = dynamic_cast<CPuntoCiglio*>(m->GetObject())) p->inizializza(this, false);
    if (gruppo->GetMemberType() != TIPO_PUNTONODO || m_codiceEnum != CIGLIO_INTERNO_DESTRO || !m_rotatoria) return 1;

    bool daCollegare = false;
    for (IQvObject_GroupMember* m = gruppo->GetFirstMember(); m && !daCollegare; m = m->GetNext()) {
        auto* nodo = dynamic_cast<CPuntoNodo*>(m->GetObject());
        daCollegare = m->GetPrevious() && m->GetNext() && nodo && !nodo->getCollegato();
    }
    if (!daCollegare) return 1;
    CCiglio3D* sinistro = m_rotatoria->trovaCiglio(CIGLIO_INTERNO_SINISTRO, getAsseRamo());
    IQvObject_Group* altri = sinistro ? sinistro->getPunti(GRUPPO_NODO) : nullptr;
    if (!altri || altri->GetMemberCount() < 3 || gruppo->GetMemberCount() < 3) return 1;
    IQvObject_GroupMember* mio = gruppo->GetFirstMember()->GetNext();
    IQvObject_GroupMember* suo = altri->GetFirstMember()->GetNext();
    for (int i = 0; i < 2; ++i, mio = mio->GetNext(), suo = suo->GetNext()) {
        auto* a = dynamic_cast<CPuntoNodo*>(mio->GetObject());
        auto* b = dynamic_cast<CPuntoNodo*>(suo->GetObject());
        if (!a || !b) continue;
        a->setCollegato(b);
        b->setCollegato(a);
    }
    return 1;
}

void CCiglio3D::traslaPolilinea(const Zyl_GeMatrix3d& matrice) {
    if (!m_polilinea) return;
    ads_matrix m;
    matrice.getMatrix(m);
    RototraslaDATIPOLI(m_polilinea, m);
}

int CCiglio3D::getPrimoVertice(Zyl_GePoint3d& punto) const {
    if (!m_polilinea) return 0;
    punto = Zyl_GePoint3d(m_polilinea->x, m_polilinea->y, m_polilinea->z);
    return 1;
}

IQvObject_GroupMember* CCiglio3D::trovaPuntoRiferimento(int tipo, int tipoRiferimento, double valore) {
    IQvObject_Group* gruppo = getPunti(tipo);
    if (!gruppo) return nullptr;
    for (IQvObject_GroupMember* m = gruppo->GetFirstMember(); m; m = m->GetNext()) {
        auto* p = dynamic_cast<CPuntoCiglio*>(m->GetObject());
        if (p && p->getTipoRif() == tipoRiferimento && std::fabs(p->getValoreRif() - valore) <= 1e-6) return m;
    }
    return nullptr;
}

CPuntoNodo* CCiglio3D::creaPuntoNodo(double valore, double posizione, int tipo, const double punto[2]) {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (!m_nodi) {
        preparaGruppo(m_nodi, nullptr);
        impostaGruppo(m_nodi, TIPO_PUNTONODO, false);
    }
    auto* nodo = costruttore ? static_cast<CPuntoNodo*>(costruttore->Alloca(TIPO_PUNTONODO)) : nullptr;
    if (!nodo || !m_nodi) {
        gyroform::Libera(nodo);
        return nullptr;
    }
    double p[3] = {punto[0], punto[1], 0.0};
    nodo->imposta(this, valore, posizione, tipo, p);
    m_nodi->Append(nodo);
    return nodo;
}

CPuntoSezione* CCiglio3D::creaPuntoSezione(double valore, double posizione, int tipo, const double punto[2]) {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (!m_puntiCiglio) {
        preparaGruppo(m_puntiCiglio, nullptr);
        impostaGruppo(m_puntiCiglio, TIPO_PUNTOCIGLIO, false);
    }
    auto* sezione = costruttore ? static_cast<CPuntoSezione*>(costruttore->Alloca(TIPO_PUNTOSEZIONE)) : nullptr;
    if (!sezione || !m_puntiCiglio) {
        gyroform::Libera(sezione);
        return nullptr;
    }
    double p[3] = {punto[0], punto[1], 0.0};
    sezione->CPuntoCiglio::imposta(this, valore, posizione, tipo, p);
    // The group stays in chainage order: the new point goes after those at its place.
    for (IQvObject_GroupMember* m = m_puntiCiglio->GetFirstMember(); m; m = m->GetNext()) {
        if (static_cast<CPuntoCiglio*>(m->GetObject())->getPosizione() > posizione) {
            m_puntiCiglio->InsertBefore(m, sezione);
            return sezione;
        }
    }
    m_puntiCiglio->Append(sezione);
    return sezione;
}

void CCiglio3D::svuotaPuntiSezione() {
    if (m_puntiCiglio) m_puntiCiglio->Empty();
}

int CCiglio3D::cancellaEntita() {
    int esito = m_entita.IsNull() ? 0 : Ombrix::GetEntityUtils()->Cancella(m_entita);
    m_entita = ZylPolylineID();
    return esito;
}

bool CCiglio3D::puntiDelTipoDeiGruppi() {
    static const int tipi[][2] = {{GRUPPO_PIANO, TIPO_PUNTOPIANO},         {GRUPPO_VERIFICA, TIPO_PUNTOVERIFICA},
                                  {GRUPPO_ROTAZIONE, TIPO_PUNTOROTAZIONE}, {GRUPPO_VERTICE, TIPO_PUNTOVERTICE},
                                  {GRUPPO_NODO, TIPO_PUNTONODO},           {GRUPPO_CIGLIO, TIPO_PUNTOSEZIONE}};
    for (const auto& t : tipi) {
        IQvObject_Group* gruppo = getPunti(t[0]);
        for (IQvObject_GroupMember* m = gruppo ? gruppo->GetFirstMember() : nullptr; m; m = m->GetNext())
            if (!m->GetObject() || m->GetObject()->GetTipo() != t[1]) return false;
    }
    return true;
}

IQvObject* CCiglio3D::leggiDaDatiEstesi(const CADDatoArray& datiEstesi) {
    CADDatoArray coppie;
    // From the third item on: key, value, key, value ...; a trailing key is ignored.
    for (int i = 2; i + 1 < datiEstesi.GetCount(); i += 2) {
        int chiave = datiEstesi[i].GetInt();
        const CADDatoArray::CADDato& valore = datiEstesi[i + 1];
        switch (valore.GetCodice()) {
            case 1000: coppie.Add(chiave, valore.GetStringa()); break;
            case 1010: {
                double p[3];
                valore.GetPunto(p);
                coppie.Add(chiave, p);
                break;
            }
            case 1040: coppie.Add(chiave, valore.GetDouble()); break;
            case 1071: coppie.Add(chiave, valore.GetInt()); break;
            default: break;
        }
    }
    IQvObject* oggetto = nullptr;
    IQvObject_Serializer serializzatore(GyroformMain::getConstructor());
    if (!serializzatore.GetFromCADDatoArray(coppie, &oggetto)) return nullptr;
    return oggetto;
}

int CCiglio3D::proiettaSuCiglio(const double punto[3], double direzione, double* distanza, double piede[3],
                                double* progressiva, double* altro) {
    if (!m_polilinea) return 0;
    ads_point p = {punto[0], punto[1], punto[2]};
    double prog = 0.0;
    int esito = 0;
    switch (m_codiceEnum) {
        case CIGLIO_ANELLO_INTERNO:
        case CIGLIO_INTERNO_SINISTRO:
        case CIGLIO_INTERNO_DESTRO:
            esito = DistPPolyDir(m_polilinea, p, direzione, kDistanzaRicerca, distanza, piede, &prog, altro);
            break;
        case CIGLIO_ANELLO_ESTERNO:
        case CIGLIO_ESTERNO_SINISTRO:
        case CIGLIO_ESTERNO_DESTRO:
            esito = DistPPoly(m_polilinea, p, distanza, piede, &prog, nullptr, nullptr, altro, 1);
            break;
        default: return 0;
    }
    if (esito && (m_codiceEnum == CIGLIO_ANELLO_INTERNO || m_codiceEnum == CIGLIO_ANELLO_ESTERNO) &&
        std::fabs(prog - m_lunghezza) <= kTolChiusura)
        prog = 0.0;
    if (progressiva) *progressiva = prog;
    return esito;
}

void CCiglio3D::mostraMessaggio(const CString& testo) const { gyroform::Messaggio(testo); }
