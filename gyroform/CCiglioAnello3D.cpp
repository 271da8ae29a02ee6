#include "CCiglioAnello3D.h"

#include <array>
#include <cmath>
#include <vector>

#include "CAsseRamo.h"
#include "CMatrice.h"
#include "CPuntiCiglio.h"
#include "GyroformConstructor.h"

#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "GyroformUtil.h"

namespace {

constexpr double kTolChiusura = 1e-6;
// The cross slope the outer ring starts with; the inner ring starts with its opposite.
constexpr double kPendenzaEsterno = 0.015;

}  // namespace

CCiglioAnello3D::~CCiglioAnello3D() { liberaGruppo(m_piano); }

bool CCiglioAnello3D::IsA(int tipo) const { return tipo == TIPO_CIGLIOANELLO3D || tipo == TIPO_CIGLIO_GENERICO; }

int CCiglioAnello3D::GetTipo() const { return TIPO_CIGLIOANELLO3D; }

int CCiglioAnello3D::LeggiDato(int id, CDato& dato) const {
    switch (id) {
        case DATO_CIGLIO_PIANO: dato = CDato(id, m_piano); return 1;
        case DATO_CIGLIO_PIANO_PARALLELO: dato = CDato(id, m_usaPianoParallelo); return 1;
        case DATO_CIGLIO_DIFF_QUOTA: dato = CDato(id, m_diffQuotaPiani); return 1;
        default: return CCiglio3D::LeggiDato(id, dato);
    }
}

int CCiglioAnello3D::SetDato(const CDato& dato, int modo) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    switch (dato.GetId()) {
        case DATO_CIGLIO_PIANO: sostituisciGruppo(m_piano, dato); return 1;
        case DATO_CIGLIO_PIANO_PARALLELO: m_usaPianoParallelo = dato.GetBool(); return 1;
        case DATO_CIGLIO_DIFF_QUOTA: m_diffQuotaPiani = dato.GetDouble(); return 1;
        default: return CCiglio3D::SetDato(dato, modo);
    }
}

int CCiglioAnello3D::GetElencoDati(CDato** dati, int* numero, int /*contesto*/) const {
    std::vector<CDato> voci;
    vociComuni(voci);
    static const int proprie[3][2] = {{CDato::Gruppo, 5}, {CDato::Bool, 11}, {CDato::Reale, 12}};
    for (const auto& p : proprie) {
        CDato d(p[1]);
        d.SetTipo(p[0]);
        voci.push_back(d);
    }
    return consegnaElenco(voci, dati, numero);
}

IQvObject_Group* CCiglioAnello3D::getPunti(int tipo) {
    return tipo == GRUPPO_PIANO ? m_piano : CCiglio3D::getPunti(tipo);
}

CADDatoArray* CCiglioAnello3D::getPuntiAltCiglio(int tipoGruppo) {
    switch (tipoGruppo) {
        case TIPO_PUNTOVERTICE: return &m_rigaProfilo;
        case TIPO_PUNTOROTAZIONE: return &m_rigaRotazione;
        case TIPO_PUNTOPIANO: return &m_rigaPiano;
        default: return nullptr;
    }
}

void CCiglioAnello3D::getTipiCalcolo(CADDatoArray& tipiCalcolo) { elencoMetodi(tipiCalcolo, true); }

int CCiglioAnello3D::getVisualizzaSuGrafico(int tipoGruppoPunti) {
    if (tipoGruppoPunti == TIPO_PUNTOPIANO) return m_visPiano ? 1 : 0;
    return CCiglio3D::getVisualizzaSuGrafico(tipoGruppoPunti);
}

void CCiglioAnello3D::setVisualizzaSuGrafico(int tipoGruppoPunti, int visualizza) {
    if (tipoGruppoPunti == TIPO_PUNTOPIANO) m_visPiano = visualizza != 0;
    CCiglio3D::setVisualizzaSuGrafico(tipoGruppoPunti, visualizza);
}

int CCiglioAnello3D::inizializzaCiglio(CRotatoria3D* rotatoria, const wchar_t* codice, CAsseRamo* asse,
                                       datipoli* polilinea, datipoli* ultimo) {
    CString c(codice);
    if (c == L"aCInt") {
        m_codiceEnum = CIGLIO_ANELLO_INTERNO;
        m_descrizione = gyroform::Traduci(L"Anello interno");
    } else if (c == L"aCExt") {
        m_codiceEnum = CIGLIO_ANELLO_ESTERNO;
        m_descrizione = gyroform::Traduci(L"Anello esterno");
    }
    CCiglio3D::inizializzaCiglio(rotatoria, codice, asse, polilinea, ultimo);
    return 1;
}

bool CCiglioAnello3D::precede(CCiglio3D* nuovo) { return nuovo && nuovo->getCodiceEnum() == CIGLIO_ANELLO_INTERNO; }

int CCiglioAnello3D::creaGruppiPunti() {
    if (preparaGruppo(m_piano, L"Punti Piano Interpolati")) adattaPunti();
    impostaGruppo(m_piano, TIPO_PUNTOPIANO, true);
    return CCiglio3D::creaGruppiPunti();
}

// The elevation methods fill these in.
int CCiglioAnello3D::calcolaProfilo(int, IQvObject_GroupMember*, CDato) {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (!m_vertici) {
        preparaGruppo(m_vertici, L"Punti Vertice");
        impostaGruppo(m_vertici, TIPO_PUNTOVERTICE, true);
    }
    if (!m_vertici) return 1;
    if (m_vertici->GetMemberCount() == 0 && costruttore) {
        auto* v = static_cast<CPuntoVertice*>(costruttore->Alloca(TIPO_PUNTOVERTICE));
        if (v) {
            v->impostaDaProgressiva(this, 0.0);
            v->setQuota(m_rotatoria ? m_rotatoria->getQuotaRiferimento() : 0.0);
            m_vertici->Append(v);
        }
    }
    std::vector<CPuntoVertice*> punti = PuntiInOrdine<CPuntoVertice>(m_vertici);
    if (punti.empty()) return 1;

    // A new profile from one lap before the last point to one lap after the
    // second, so that the curves at the ring's start and end are whole.
    if (m_profilo) ICPROFILO::libera(&m_profilo);
    const double l = m_lunghezza;
    auto vertice = [this](double prog, double quota) {
        const double v[2] = {prog, quota};
        return inserisciVerticeProfilo(v);
    };
    vertice(punti.back()->getProgressiva() - l, punti.back()->getQuota());
    for (CPuntoVertice* p : punti) p->setVerticeProfilo(vertice(p->getProgressiva(), p->getQuota()));
    ICVERTICE_PROFILO* copiaPrimo = vertice(l + punti[0]->getProgressiva(), punti[0]->getQuota());
    if (punti.size() >= 2) vertice(l + punti[1]->getProgressiva(), punti[1]->getQuota());

    // The first point's curve also one lap on (not when the last point's vertex is missing).
    if (punti[0]->getRaggio() > 0.0 && copiaPrimo && punti.back()->getVerticeProfilo())
        dynamic_cast<ICPROFILO_STRADALE*>(m_profilo)->impostaRaccordo(copiaPrimo, punti[0]->getTipoRaccordo(),
                                                                      punti[0]->getRaggio());
    calcolaRaccordi(punti);
    return 1;
}
int CCiglioAnello3D::calcolaRotazione(int, IQvObject_GroupMember*, CDato) {
    if (m_rotazione && m_rotazione->GetMemberCount() > 0) return 1;
    // The ring always has a rotation point: one at its start.
    if (CPuntoRotazione* punto = nuovoPuntoRotazione(0.0)) {
        Zyl_GePoint3d inizio;
        getPuntoDaProg(0.0, inizio);
        const double p[3] = {inizio.x, inizio.y, inizio.z};
        punto->imposta(this, 0.0, 0.0, 1, p);
        punto->setPendenza(m_codiceEnum == CIGLIO_ANELLO_ESTERNO ? kPendenzaEsterno : -kPendenzaEsterno);
    }
    return 1;
}

double CCiglioAnello3D::getPendenzaDaProg(double prog) {
    std::vector<CPuntoRotazione*> punti = puntiRotazione();
    if (punti.size() < 2) return CCiglio3D::getPendenzaDaProg(prog);
    // Closed around the ring: before the first and after the last point the
    // slope runs from the last point to the first one a lap on.
    const CPuntoRotazione* primo = punti.front();
    const CPuntoRotazione* ultimo = punti.back();
    const double cF = primo->getProgressiva(), sF = primo->getPendenza();
    const double cZ = ultimo->getProgressiva(), sZ = ultimo->getPendenza();
    const double giro = m_lunghezza + cF - cZ;
    if (prog < cF || prog >= cZ) {
        if (std::fabs(giro) <= kTolChiusura) return sZ;
        double oltre = prog < cF ? m_lunghezza + prog - cZ : prog - cZ;
        return sZ + (sF - sZ) * oltre / giro;
    }
    return CCiglio3D::getPendenzaDaProg(prog);
}

namespace {

constexpr double kDeterminanteMinimo = 1e-6;
// A pivot whose square is at most this part of its diagonal element counts
// as zero: points in one line in plan give no plane.
constexpr double kTolleranzaPivot = 1e-10;

double Determinante(const double m[3][3]) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

}  // namespace

void CCiglioAnello3D::completaPuntiPiano() {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (!m_piano || !costruttore) return;
    double quota = m_rotatoria ? m_rotatoria->getQuotaRiferimento() : 0.0;
    for (int k = m_piano->GetMemberCount(); k < 3; ++k) {
        auto* punto = static_cast<CPuntoPiano*>(costruttore->Alloca(TIPO_PUNTOPIANO));
        if (!punto) return;
        punto->impostaDaProgressiva(this, m_lunghezza * k / 3.0);
        punto->setQuota(quota);
        m_piano->Append(punto);
    }
}

int CCiglioAnello3D::calcolaPiano() {
    if (!m_piano) preparaGruppo(m_piano, L"Punti Piano Interpolati");
    if (!m_piano) return 0;
    // The first three points must span the plan: not coincident, not in one line.
    double righe[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    int k = 0;
    for (IQvObject_GroupMember* m = m_piano->GetFirstMember(); m && k < 3; m = m->GetNext(), ++k) {
        auto* p = static_cast<CPuntoCiglio*>(m->GetObject());
        righe[k][0] = p->x();
        righe[k][1] = p->y();
        righe[k][2] = 1.0;
    }
    if (std::fabs(Determinante(righe)) < kDeterminanteMinimo) m_piano->Empty();
    completaPuntiPiano();
    if (m_usaPianoParallelo) return pianoParallelo();

    std::vector<std::array<double, 3>> punti;
    for (IQvObject_GroupMember* m = m_piano->GetFirstMember(); m; m = m->GetNext()) {
        auto* p = static_cast<CPuntoPiano*>(m->GetObject());
        ads_point q;
        if (XYdaProgsuDatiPoli(m_polilinea, p->getPosizione() * m_lunghezza, q, nullptr) != 0) continue;
        punti.push_back({q[0], q[1], p->getQuota()});
    }
    if (punti.size() < 3) return 0;

    int n = static_cast<int>(punti.size());
    CMatrice a(n, 3);
    CVettore z(n);
    for (int r = 1; r <= n; ++r) {
        a(r, 1) = punti[static_cast<size_t>(r - 1)][0];
        a(r, 2) = punti[static_cast<size_t>(r - 1)][1];
        a(r, 3) = 1.0;
        z(r) = punti[static_cast<size_t>(r - 1)][2];
    }
    CMatrice at = a.trasposta();
    CMatrice normale = at * a;
    CVettore noto = at * z;
    CMatrice l(3, 3);
    if (fattorizzaCholesky(normale, l, kTolleranzaPivot) != 0) return 0;
    CVettore y(3), p(3);
    for (int i = 1; i <= 3; ++i) {
        double s = noto(i);
        for (int j = 1; j < i; ++j) s -= l(i, j) * y(j);
        y(i) = s / l(i, i);
    }
    for (int i = 3; i >= 1; --i) {
        double s = y(i);
        for (int j = i + 1; j <= 3; ++j) s -= l(j, i) * p(j);
        p(i) = s / l(i, i);
    }
    m_a = p(1);
    m_b = p(2);
    m_c = p(3);
    return 1;
}

int CCiglioAnello3D::pianoParallelo() {
    impostaRiferimento(m_codiceEnum == CIGLIO_ANELLO_ESTERNO ? CIGLIO_ANELLO_INTERNO : CIGLIO_ANELLO_ESTERNO, false);
    auto* altro = dynamic_cast<CCiglioAnello3D*>(m_ciglioRif);
    // Without the other ring there is nothing to copy: the plane stays.
    if (!altro || altro == this) return 0;
    m_a = altro->m_a;
    m_b = altro->m_b;
    m_c = altro->m_c + m_diffQuotaPiani;
    for (IQvObject_GroupMember* m = m_piano->GetFirstMember(); m; m = m->GetNext()) {
        auto* p = static_cast<CPuntoPiano*>(m->GetObject());
        p->setQuota(m_a * p->x() + m_b * p->y() + m_c);
    }
    return 1;
}

int CCiglioAnello3D::getQuotaDaProg(double& quota, double prog, int tipo) {
    int metodo = tipo <= 0 ? m_tipoCalcolo : tipo;
    if (prog > m_lunghezza - kTolChiusura) prog = 0.0;
    if (metodo == 5) {
        ads_point q;
        if (!m_polilinea || XYdaProgsuDatiPoli(m_polilinea, prog, q, nullptr) != 0) return 0;
        quota = m_a * q[0] + m_b * q[1] + m_c;
        return 1;
    }
    return CCiglio3D::getQuotaDaProg(quota, prog, metodo);
}

int CCiglioAnello3D::adattaPunti() {
    IQvObject_Group* assi = m_rotatoria ? m_rotatoria->getAssi() : nullptr;
    // No axis: no mean to take, the reference elevation stays.
    if (!assi || assi->GetMemberCount() == 0) return 0;
    double somma = 0.0;
    for (IQvObject_GroupMember* m = assi->GetFirstMember(); m; m = m->GetNext())
        somma += static_cast<CAsseRamo*>(m->GetObject())->getQuotaCentriRotazione();
    m_rotatoria->SetDato(CDato(DATO_ROTATORIA_QUOTA_RIF, somma / assi->GetMemberCount()));
    return calcolaPiano();
}
