#include "CCiglioAnello3D.h"

#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "GyroformUtil.h"

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

// The method list is filled by the elevation methods.
void CCiglioAnello3D::getTipiCalcolo(CADDatoArray& /*tipiCalcolo*/) {}

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
int CCiglioAnello3D::calcolaProfilo(int, IQvObject_GroupMember*, CDato) { return 0; }
int CCiglioAnello3D::calcolaRotazione(int, IQvObject_GroupMember*, CDato) { return 0; }
int CCiglioAnello3D::calcolaPiano() { return 0; }
int CCiglioAnello3D::adattaPunti() { return 0; }
