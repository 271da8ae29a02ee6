#include "CPuntoCiglio.h"

#include <cmath>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"
#include "GyroformUtil.h"
#include "QvEngineeringConstructor.h"

namespace {

constexpr int kDecimaliDescrittore = 999999999;
constexpr double kDistanzaRicerca = 100.0;
const double kPi = std::acos(-1.0);

CString FormatoReale(int decimali) {
    CString formato;
    formato.Format(L"%%.%dlf", decimali);
    return formato;
}

}  // namespace

CPuntoCiglio::CPuntoCiglio() : m_colore(nuovoColore()) {}

CPuntoCiglio::~CPuntoCiglio() {
    liberaOggetto(m_colore);
    m_colore = nullptr;
    m_proprietario = nullptr;
}

IQvObject_Colour* CPuntoCiglio::nuovoColore() {
    auto* colore = static_cast<IQvObject_Colour*>(QvEngineeringConstructor::Alloca(TIPO_COLORE, nullptr));
    if (colore) colore->SetDato(CDato(0, true), 1);
    return colore;
}

void CPuntoCiglio::liberaOggetto(IQvObject* oggetto) { QvEngineeringConstructor::Libera(&oggetto, 1); }

void CPuntoCiglio::impostaGrigio(IQvObject_Colour* colore, bool grigio) {
    if (!colore) return;
    if (grigio) colore->SetColore(255, 200, 200, 200);
    else colore->SetColore(255, 0, 0, 0);
}

bool CPuntoCiglio::IsA(int tipo) const { return tipo == GetTipo() || tipo == TIPO_PUNTOCIGLIO || tipo == GetTipoBase(); }

int CPuntoCiglio::GetTipo() const { return TIPO_PUNTOCIGLIO; }

CDato CPuntoCiglio::GetDato(int id, bool* ok) const { return gyroform::DatoLetto(*this, id, ok); }

double CPuntoCiglio::getProgressiva() const {
    return m_proprietario ? m_proprietario->getLunghezza() * m_posizione : 0.0;
}

void CPuntoCiglio::getPunto(double punto[3]) const {
    punto[0] = m_x;
    punto[1] = m_y;
    punto[2] = m_z;
}

int CPuntoCiglio::LeggiDato(int id, CDato& dato) const {
    dato.SetId(id);
    switch (id) {
        case DATO_PUNTO_VALORE_RIF: dato = CDato(id, m_valoreRif); return 1;
        case DATO_PUNTO_POSIZIONE: dato = CDato(id, m_posizione); return 1;
        case DATO_PUNTO_COORDINATE: {
            double p[3] = {m_x, m_y, m_z};
            dato = CDato(id, p);
            return 1;
        }
        case DATO_PUNTO_PROGRESSIVA:
            dato = CDato(id, m_proprietario ? getProgressiva() : m_posizione);
            impostaGrigio(m_colore, m_grigio);
            dato.SetAllegato(m_colore);
            return 1;
        case DATO_PUNTO_TIPO_RIF: dato = CDato(id, m_tipoRif); return 1;
        default: return 0;
    }
}

int CPuntoCiglio::SetDato(const CDato& dato, int /*modo*/) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    switch (dato.GetId()) {
        case DATO_PUNTO_VALORE_RIF: m_valoreRif = dato.GetDouble(); return 1;
        case DATO_PUNTO_POSIZIONE: m_posizione = dato.GetDouble(); return 1;
        case DATO_PUNTO_COORDINATE: {
            double p[3];
            dato.GetPunto(p);
            setPunto(p[0], p[1], p[2]);
            return 1;
        }
        case DATO_PUNTO_PROGRESSIVA: return impostaDaProgressiva(nullptr, dato.GetDouble());
        case DATO_PUNTO_TIPO_RIF: m_tipoRif = static_cast<int>(dato.GetInt()); return 1;
        default: return 0;
    }
}

CString CPuntoCiglio::GetNomeTipo() const { return gyroform::Traduci(L"Rotatoria3D"); }

int CPuntoCiglio::getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const {
    switch (id) {
        case DATO_PUNTO_POSIZIONE:
            lungo = gyroform::Traduci(L"Posizione sul ciglio [0,1]");
            corto = gyroform::Traduci(L"Pos");
            unita = L"";
            break;
        case DATO_PUNTO_PROGRESSIVA:
            lungo = gyroform::Traduci(L"Progressiva");
            corto = gyroform::Traduci(L"Prog");
            unita = L" [m]";
            break;
        default: return 0;
    }
    if (decimali) *decimali = 3;
    return CDato::Reale;
}

CString CPuntoCiglio::GetDatoStringa(int id, int modo, int decimali) const {
    CString lungo, corto, unita;
    int decimaliDescrittore = 0;
    int tipo = getDescrittoreDato(id, lungo, corto, unita, &decimaliDescrittore);
    if (tipo == 0 || modo < 0 || modo > 8) return CString();
    // Decimals beyond what a double holds would only make the text longer
    // (up to any size asked); fewer than none are none.
    constexpr int kDecimaliMassimi = 17;
    int n = decimali == kDecimaliDescrittore ? decimaliDescrittore : std::clamp(decimali, 0, kDecimaliMassimi);
    CString testo;
    switch (modo) {
        case 0: return lungo + L" " + unita;
        case 1: return lungo;
        case 2: return corto;
        case 3: return corto + L" " + unita;
        case 4: return unita;
        case 5: {
            CDato dato;
            if (!LeggiDato(id, dato)) return CString();
            switch (dato.GetTipo()) {
                case CDato::Bool: testo = dato.GetBool() ? L"1" : L"0"; break;
                case CDato::Intero: testo.Format(L"%ld", dato.GetInt()); break;
                case CDato::Reale: testo.Format(FormatoReale(n), dato.GetDouble()); break;
                case CDato::Angolo: testo.Format(FormatoReale(n), dato.GetDouble() * 200.0 / kPi); break;
                case CDato::Testo: testo = dato.GetString(); break;
                case CDato::Punto: {
                    double p[3];
                    dato.GetPunto(p);
                    CString formato;
                    formato.Format(L"%%.%dlf;%%.%dlf;%%.%dlf", n, n, n);
                    testo.Format(formato, p[0], p[1], p[2]);
                    break;
                }
                default: break;
            }
            return testo;
        }
        case 6: return FormatoReale(n);
        case 7: return FormatoReale(n) + L" " + unita;
        case 8: testo.Format(L"%d", decimaliDescrittore); return testo;
        default: return CString();
    }
}

void CPuntoCiglio::aggiungiVoce(std::vector<CDato>& voci, int tipo, int id) {
    CDato d(id);
    d.SetTipo(tipo);
    voci.push_back(d);
}

void CPuntoCiglio::vociProprie(std::vector<CDato>& /*voci*/, int /*contesto*/) const {}

int CPuntoCiglio::GetElencoDati(CDato** dati, int* numero, int contesto) const {
    if (!dati || !numero) return 0;
    std::vector<CDato> voci;
    if (contesto == 7005) {
        aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_POSIZIONE);
        aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_VALORE_RIF);
        aggiungiVoce(voci, CDato::Intero, DATO_PUNTO_TIPO_RIF);
        aggiungiVoce(voci, CDato::Punto, DATO_PUNTO_COORDINATE);
    } else {
        aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_PROGRESSIVA);
        voci.back().SetAllegato(m_colore);
    }
    vociProprie(voci, contesto);
    int n = static_cast<int>(voci.size());
    *dati = CDato::AllocaArrayCDato(n);
    *numero = n;
    for (int i = 0; i < n; ++i) {
        (*dati)[i] = voci[i];
        (*dati)[i].SetEtichetta(GetDatoStringa(voci[i].GetId(), 3, kDecimaliDescrittore));
    }
    return 1;
}

void CPuntoCiglio::attaccaSemplice(ICCiglio3D* proprietario) {
    if (auto* c = dynamic_cast<CCiglio3D*>(proprietario)) m_proprietario = c;
}

bool CPuntoCiglio::attaccaConQuota(ICCiglio3D* proprietario, bool setDefault, double* quotaRif) {
    auto* c = dynamic_cast<CCiglio3D*>(proprietario);
    if (m_proprietario) {
        if (c) m_proprietario = c;
        return false;
    }
    m_proprietario = c;
    if (!setDefault || !c || !c->getRotatoria()) return false;
    *quotaRif = c->getRotatoria()->getQuotaRiferimento();
    return true;
}

int CPuntoCiglio::inizializza(ICCiglio3D* proprietario, bool /*setDefault*/) {
    attaccaSemplice(proprietario);
    return 1;
}

void CPuntoCiglio::imposta(CCiglio3D* proprietario, double valoreRif, double posizione, int tipoRif,
                           const double punto[3]) {
    m_proprietario = proprietario;
    m_valoreRif = valoreRif;
    m_posizione = posizione;
    m_tipoRif = tipoRif;
    setPunto(punto[0], punto[1], punto[2]);
}

int CPuntoCiglio::impostaDaProgressiva(CCiglio3D* proprietario, double prog) {
    inizializza(proprietario, false);
    if (!m_proprietario || !m_proprietario->getPolilinea()) return 0;
    ads_point p;
    double direzione = 0.0;
    if (XYdaProgsuDatiPoli(m_proprietario->getPolilinea(), prog, p, &direzione) != 0) return 0;
    setPunto(p[0], p[1], 0.0);
    double lunghezza = m_proprietario->getLunghezza();
    m_posizione = lunghezza > 0.0 ? prog / lunghezza : 0.0;
    double punto[3] = {p[0], p[1], 0.0};
    return riferimento(m_proprietario, punto, direzione);
}

// The reference value of a point on an edge: measured on the outer ring for
// ring edges, on the axis for branch edges; by the normal to the ring when
// the nearest point cannot be had.
int CPuntoCiglio::riferimento(CCiglio3D* proprietario, const double punto[3], double direzione) {
    CRotatoria3D* rotatoria = proprietario->getRotatoria();
    CCiglio3D* anello = rotatoria ? rotatoria->getAnelloEsterno() : nullptr;
    CAsseRamo* asse = proprietario->getAsseRamo();
    datipoli* polAnello = anello ? anello->getPolilinea() : nullptr;
    double lunghezzaAnello = anello ? anello->getLunghezza() : 0.0;
    ads_point p = {punto[0], punto[1], 0.0};

    auto suAnelloPerDirezione = [&](double dir) {
        double prog = 0.0;
        if (!polAnello || lunghezzaAnello <= 0.0 ||
            !DistPPolyDir(polAnello, p, dir + kPi / 2.0, kDistanzaRicerca, nullptr, nullptr, &prog, nullptr))
            return 0;
        m_valoreRif = prog / lunghezzaAnello;
        m_tipoRif = 1;
        return 1;
    };
    auto suAsse = [&](const double* q) {
        double prog = 0.0;
        ads_point pq = {q[0], q[1], 0.0};
        if (!asse || !asse->getPolilinea() || asse->getLunghezzaAsse() <= 0.0 ||
            !DistPPoly(asse->getPolilinea(), pq, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1))
            return false;
        m_valoreRif = prog / asse->getLunghezzaAsse();
        m_tipoRif = 2;
        return true;
    };

    bool proiettato = false;
    switch (proprietario->getCodiceEnum()) {
        case CIGLIO_ANELLO_INTERNO:
        case CIGLIO_ANELLO_ESTERNO: {
            if (!polAnello || lunghezzaAnello <= 0.0) return 0;
            double prog = 0.0;
            if (DistPPoly(polAnello, p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1)) {
                m_valoreRif = prog / lunghezzaAnello;
                m_tipoRif = 2;
                proiettato = true;
            }
            break;
        }
        case CIGLIO_INTERNO_SINISTRO:
        case CIGLIO_INTERNO_DESTRO: proiettato = suAsse(punto); break;
        case CIGLIO_ESTERNO_SINISTRO:
        case CIGLIO_ESTERNO_DESTRO: {
            int codiceInterno = proprietario->getCodiceEnum() == CIGLIO_ESTERNO_SINISTRO ? CIGLIO_INTERNO_SINISTRO
                                                                                          : CIGLIO_INTERNO_DESTRO;
            CCiglio3D* interno = rotatoria ? rotatoria->trovaCiglio(codiceInterno, asse) : nullptr;
            double piede[3];
            if (!interno || !interno->proiettaSuCiglio(punto, direzione + kPi / 2.0, nullptr, piede, nullptr, nullptr))
                return suAnelloPerDirezione(direzione);
            proiettato = suAsse(piede);
            break;
        }
        default: return suAnelloPerDirezione(direzione);
    }
    if (proiettato) return 1;
    if (!asse) return 0;
    return suAnelloPerDirezione(asse->getDirezione());
}
