#include "CCigliBanchineMgr.h"

#include <cwctype>

#include "QvGeometry.h"

namespace {

constexpr const wchar_t* kAppPolilinee = L"QV-VORTANA-NPOLI";
constexpr const wchar_t* kCodici[CCigliBanchineMgr::kNumTipi] = {L"CDX", L"CSX", L"BDX", L"BSX", L"CIDX", L"CISX"};

void Copia(ads_name d, const ads_name s) {
    d[0] = s[0];
    d[1] = s[1];
}

int TipoDaCodice(const CString& codice) {
    for (int i = 0; i < CCigliBanchineMgr::kNumTipi; ++i)
        if (codice == kCodici[i]) return i;
    return -1;
}

CString Maiuscolo(const wchar_t* s) {
    CString r;
    for (; *s; ++s) r += static_cast<wchar_t>(std::towupper(*s));
    return r;
}

// The first and last vertex of a 2D polyline, walked while the polyline is
// open; false when it cannot be read as one.
bool Estremi(AcDbObjectId id, ads_point primo, ads_point ultimo) {
    AcDb2dPolyline* pl = nullptr;
    if (acdbOpenObject(pl, id, AcDb::kForRead) != Acad::eOk) return false;
    AcDbObjectIterator* it = pl->vertexIterator();
    int n = 0;
    for (it->start(); !it->done(); it->step()) {
        AcDb2dVertex* v = nullptr;
        if (acdbOpenObject(v, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
        AcGePoint3d p = v->position();
        v->close();
        ads_point q = {p.x, p.y, p.z};
        if (n == 0) {
            primo[0] = q[0], primo[1] = q[1], primo[2] = q[2];
        }
        ultimo[0] = q[0], ultimo[1] = q[1], ultimo[2] = q[2];
        ++n;
    }
    delete it;
    pl->close();
    return n > 0;
}

}  // namespace

const wchar_t* CCigliBanchineMgr::CodiceTipo(int tipo) {
    return tipo >= 0 && tipo < kNumTipi ? kCodici[tipo] : L"";
}

CCigliBanchineMgr::CCigliBanchineMgr() : m_tipoEntita(0), m_modo(0), m_riferimento{0, 0, 0} {
    for (int& s : m_scelto) s = -1;
}

CCigliBanchineMgr::~CCigliBanchineMgr() {
    for (int i = kNumTipi - 1; i >= 0; --i) m_candidati[i].RemoveAll();
}

void CCigliBanchineMgr::Inizializza(const wchar_t* nome, int tipoEntita, int modo, const ads_point riferimento) {
    m_nome = nome ? nome : L"";
    m_tipoEntita = tipoEntita;
    m_modo = modo;
    m_riferimento[0] = riferimento[0];
    m_riferimento[1] = riferimento[1];
    m_riferimento[2] = riferimento[2];
}

bool CCigliBanchineMgr::Cerca() {
    // The drawing's index gives the polylines that name this road or no
    // road, with those that lack their kind (which make the search fail),
    // in the order of the whole selection; each is read as before.
    const std::wstring nome(static_cast<LPCWSTR>(m_nome));
    ads_name ss;
    if (vplat::SSGetTagged(L"POLYLINE", kAppPolilinee, {{nome}, {std::wstring()}}, true, ss) != RTNORM) return false;
    resbuf* app = acutBuildList(RTSTR, kAppPolilinee, RTNONE);
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    bool riuscito = true;
    for (Adesk::Int32 i = 0; i < n && riuscito; ++i) {
        ads_name ent;
        if (acedSSName(ss, i, ent) != RTNORM) {
            riuscito = false;
            break;
        }
        resbuf* dati = acdbEntGetX(ent, app);
        if (!dati) {
            riuscito = false;
            break;
        }
        resbuf* tipo = mio_assoc(dati, 1000);
        if (!tipo) {
            // A tagged polyline without its kind makes the whole search fail.
            acutRelRb(dati);
            riuscito = false;
            break;
        }
        CString codice = Maiuscolo(tipo->resval.rstring ? tipo->resval.rstring : L"");
        resbuf* proprietario = tipo->rbnext;
        if (proprietario && !codice.IsEmpty()) {
            const wchar_t* testo =
                proprietario->restype == 1000 && proprietario->resval.rstring ? proprietario->resval.rstring : nullptr;
            if (testo && (testo[0] == 0 || m_nome == testo)) {
                int k = TipoDaCodice(codice);
                if (k >= 0) {
                    AdsNameElem e;
                    Copia(e.nome, ent);
                    m_candidati[k].Add(e);
                }
            }
        }
        acutRelRb(dati);
    }
    acutRelRb(app);
    acedSSFree(ss);
    if (!riuscito) return false;
    for (int k = kCDX; k <= kBSX; ++k)
        if (m_candidati[k].GetSize() == 0) return false;
    return true;
}

void CCigliBanchineMgr::IndiceCandidatoPiuVicino(const CArray<AdsNameElem, const AdsNameElem&>& candidati,
                                                 int& indice) {
    double migliore = 999999999999.0;
    indice = 0;
    for (INT_PTR i = 0; i < candidati.GetSize(); ++i) {
        AcDbObjectId id;
        if (acdbGetObjectId(id, candidati[i].nome) != Acad::eOk) continue;
        ads_point primo, ultimo;
        if (!Estremi(id, primo, ultimo)) continue;
        double d1 = acutDistance(m_riferimento, primo), d2 = acutDistance(m_riferimento, ultimo);
        double d = d1 < d2 ? d1 : d2;
        if (migliore > d) {
            indice = static_cast<int>(i);
            migliore = d;
        }
    }
}

void CCigliBanchineMgr::ScegliPiuVicino() {
    for (int k = 0; k < kNumTipi; ++k) {
        INT_PTR n = m_candidati[k].GetSize();
        if (n == 0)
            m_scelto[k] = -1;
        else if (n == 1)
            m_scelto[k] = 0;
        else
            IndiceCandidatoPiuVicino(m_candidati[k], m_scelto[k]);
    }
}

bool CCigliBanchineMgr::CercaEScegli() {
    if (!Cerca()) return false;
    ScegliPiuVicino();
    return true;
}

void CCigliBanchineMgr::GetRisultati(ads_name cdx, BYTE& trovatoCdx, ads_name csx, BYTE& trovatoCsx, ads_name bdx,
                                     BYTE& trovatoBdx, ads_name bsx, BYTE& trovatoBsx, ads_name cidx,
                                     BYTE& trovatoCidx, ads_name cisx, BYTE& trovatoCisx) const {
    int64_t* nomi[kNumTipi] = {cdx, csx, bdx, bsx, cidx, cisx};
    BYTE* trovati[kNumTipi] = {&trovatoCdx, &trovatoCsx, &trovatoBdx, &trovatoBsx, &trovatoCidx, &trovatoCisx};
    for (int k = 0; k < kNumTipi; ++k) {
        if (m_scelto[k] >= 0) {
            Copia(nomi[k], m_candidati[k][m_scelto[k]].nome);
            *trovati[k] = 1;
        } else {
            *trovati[k] = 0;
        }
    }
}
