// Drawing an edge into the model's block: its 3D faces, section lines with
// their barbs and labels, its 3D polyline, and the refresh of its saved data.
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "LineaSezione.h"
#include "Ombrix.h"

namespace {

// A position wrapped into a row of m points (m > 0).
int Avvolgi(int k, int m) { return ((k % m) + m) % m; }

void Faccia(IEntityUtils* utils, const ZylBlockID& blocco, const CString& layer, const double a[3], const double b[3],
            const double c[3], const double d[3]) {
    CADDatoArray proprieta;
    proprieta.Add(8, layer.GetString());
    proprieta.Add(10, a);
    proprieta.Add(11, b);
    proprieta.Add(12, c);
    proprieta.Add(13, d);
    utils->CreaEntita(ZYL_FACCIA_3D, proprieta, blocco);
}

void Linea(IEntityUtils* utils, const ZylBlockID& blocco, const CString& layer, int colore, const double a[3],
           const double b[3]) {
    CADDatoArray proprieta;
    proprieta.Add(8, layer.GetString());
    proprieta.Add(62, colore);
    proprieta.Add(10, a);
    proprieta.Add(11, b);
    utils->CreaEntita(ZYL_LINEA, proprieta, blocco);
}

}  // namespace

// The points of an edge's 3D row by station index (the entries' codes, from
// 1). A station at which the edge had no elevation is missing from its row,
// so a row's position is not always its station: faces pair stations.
class StazioniRiga {
public:
    StazioniRiga(const CADDatoArray& riga, const std::vector<int>& interruzioni) : m_riga(riga) {
        for (int k = 0; k < riga.GetCount(); ++k) {
            int indice = riga[k].GetCodice();
            if (indice <= 0) continue;
            if (static_cast<size_t>(indice) >= m_posti.size()) m_posti.resize(static_cast<size_t>(indice) + 1, -1);
            m_posti[static_cast<size_t>(indice)] = k;
        }
        m_interrotte.assign(m_posti.size(), false);
        for (int k : interruzioni)
            if (k > 0 && static_cast<size_t>(k) < m_interrotte.size()) m_interrotte[static_cast<size_t>(k)] = true;
    }
    explicit StazioniRiga(const CCiglio3D& ciglio)
        : StazioniRiga(*const_cast<CCiglio3D&>(ciglio).getPunti3DCiglio(), ciglio.getInterruzioni()) {}
    // The highest station index (0 for an empty row).
    int ultima() const { return m_posti.empty() ? 0 : static_cast<int>(m_posti.size()) - 1; }
    // The point of a station; false when the row lacks it.
    bool punto(int indice, double p[3]) const {
        if (indice <= 0 || indice > ultima() || m_posti[static_cast<size_t>(indice)] < 0) return false;
        m_riga[m_posti[static_cast<size_t>(indice)]].GetPunto(p);
        return true;
    }

    // True when stations a and b follow each other: indexes one apart with
    // no station left out between them, or the last and the first of a
    // closed row.
    bool vicine(int a, int b) const {
        if (a > b) std::swap(a, b);
        if (b - a == 1) return !m_interrotte[static_cast<size_t>(a)];
        return a == 1 && b == ultima();
    }

private:
    const CADDatoArray& m_riga;
    std::vector<int> m_posti;
    std::vector<bool> m_interrotte;
};

int CCiglio3D::aggiornaDatiEstesi() {
    if (!m_entita.IsVivo()) return 0;
    CADDatoArray estesi;
    scriviDatiEstesi(estesi);
    return m_entita.SetDatiEstesi(estesi);
}

void CCiglio3D::disegnaSezione(const double a[3], const double b[3]) {
    LineaSezione sezione;
    if (!sezione.calcola(a, b, m_rotatoria->getPendenzaMinima(), m_rotatoria->getPendenzaMassima())) return;
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    const ZylBlockID& blocco = m_rotatoria->getBlocco();
    Linea(utils, blocco, m_rotatoria->getLayerSezioni(), sezione.colore, sezione.linea[0], sezione.linea[1]);
    Linea(utils, blocco, m_rotatoria->getLayerSezioni(), sezione.colore, sezione.barba[0], sezione.barba[1]);
    CADDatoArray testo;
    testo.Add(8, m_rotatoria->getLayerTesti().GetString());
    testo.Add(62, sezione.colore);
    testo.Add(10, sezione.posizioneTesto);
    testo.Add(1, sezione.testo.GetString());
    testo.Add(40, sezione.altezzaTesto);
    testo.Add(50, sezione.rotazioneTesto);
    utils->CreaEntita(ZYL_TESTO, testo, blocco);
}

void CCiglio3D::disegnaFacce(CPuntoSezione* s, CPuntoSezione* o, const StazioniRiga& mie, const StazioniRiga& sue,
                             int& i, CCiglio3D*& vicino, int& indiceVicino) {
    CCiglio3D* altro = o->getProprietario();
    if (!altro) return;
    // Positions i, j count stations from 0: position k is station k + 1.
    int m = sue.ultima();
    int n = mie.ultima();
    int iS = s->getIndice(), iO = o->getIndice();
    int j = altro == vicino ? indiceVicino : 0;
    int passo = 1;
    if (i == 0) {
        if (m_codiceEnum == CIGLIO_ESTERNO_SINISTRO) {
            j = iO - iS;
            if (j < 0) j += m;
        } else if (m_codiceEnum == CIGLIO_ESTERNO_DESTRO) {
            j = iS + iO;
            if (j >= m) j -= m;
            passo = -1;
        }
    } else if (m_codiceEnum == CIGLIO_ESTERNO_DESTRO) {
        passo = j > iO ? -1 : 1;
    }
    // Without the neighbour's points there is nothing to pair with; the walk
    // never reads past this edge's own points, and a face whose corners are
    // not all there (a station without elevation) is not drawn: it would
    // join stations that are not neighbours.
    if (m > 0) {
        IEntityUtils* utils = Ombrix::GetEntityUtils();
        for (; i < iS && i + 1 < n; ++i, j += passo) {
            double a[3], b[3], c[3], d[3];
            int jc = Avvolgi(j + passo, m) + 1, jd = Avvolgi(j, m) + 1;
            if (!mie.punto(i + 1, a) || !mie.punto(i + 2, b) || !sue.punto(jc, c) || !sue.punto(jd, d) ||
                !mie.vicine(i + 1, i + 2) || !sue.vicine(jc, jd))
                continue;
            Faccia(utils, m_rotatoria->getBlocco(), m_rotatoria->getLayerSuperfici(), a, b, c, d);
        }
    }
    vicino = altro;
    indiceVicino = iO;
}

void CCiglio3D::disegnaCiglio() {
    if (!m_rotatoria) return;
    bool conFacce = m_codiceEnum == CIGLIO_ANELLO_ESTERNO || m_codiceEnum == CIGLIO_ESTERNO_SINISTRO ||
                    m_codiceEnum == CIGLIO_ESTERNO_DESTRO;
    int i = 0;
    CCiglio3D* vicino = nullptr;
    int indiceVicino = 0;
    const StazioniRiga mie(*this);
    std::map<CCiglio3D*, StazioniRiga> vicini;
    for (IQvObject_GroupMember* m = m_puntiCiglio ? m_puntiCiglio->GetFirstMember() : nullptr; m; m = m->GetNext()) {
        auto* s = dynamic_cast<CPuntoSezione*>(m->GetObject());
        if (!s) continue;
        if (conFacce) {
            CPuntoSezione* o = s->getPrecedente();
            if (!o && m_codiceEnum != CIGLIO_ANELLO_ESTERNO) o = s->getSuccessivo();
            if (o && o->getProprietario()) {
                CCiglio3D* altro = o->getProprietario();
                auto sue = vicini.try_emplace(altro, *altro).first;
                disegnaFacce(s, o, mie, sue->second, i, vicino, indiceVicino);
            }
        }
        CPuntoSezione* b = s->getSuccessivo();
        if (!b || !b->getProprietario()) continue;
        // A section whose elevation is not known at either end is not drawn.
        double a3[3] = {s->x(), s->y(), 0.0}, b3[3] = {b->x(), b->y(), 0.0};
        if (!getQuotaDaProg(a3[2], s->getProgressiva(), 0) ||
            !b->getProprietario()->getQuotaDaProg(b3[2], b->getProgressiva(), 0))
            continue;
        disegnaSezione(a3, b3);
    }

    // The ring's remaining faces, against the inner ring, station by station
    // as far as both rows reach.
    if (m_codiceEnum == CIGLIO_ANELLO_ESTERNO) {
        CCiglio3D* interno = m_rotatoria->trovaCiglio(CIGLIO_ANELLO_INTERNO, nullptr);
        if (interno) {
            const StazioniRiga sue(*interno);
            int n = std::min(mie.ultima(), sue.ultima());
            IEntityUtils* utils = Ombrix::GetEntityUtils();
            for (; i + 1 < n; ++i) {
                double a[3], b[3], c[3], d[3];
                if (!mie.punto(i + 1, a) || !mie.punto(i + 2, b) || !sue.punto(i + 2, c) || !sue.punto(i + 1, d) ||
                    !mie.vicine(i + 1, i + 2))
                    continue;
                Faccia(utils, m_rotatoria->getBlocco(), m_rotatoria->getLayerSuperfici(), a, b, c, d);
            }
        }
    }
    disegnaPolilinea3D();
}

void CCiglio3D::disegnaPolilinea3D() {
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    const ZylBlockID& blocco = m_rotatoria->getBlocco();
    if (m_punti3D.GetCount() == 0) {
        if (m_entita3D.IsVivo()) utils->Cancella(m_entita3D);
        m_entita3D = ZylPolylineID();
        m_handle3D.Empty();
        return;
    }
    CADDatoArray vertici;
    for (int k = 0; k < m_punti3D.GetCount(); ++k) {
        double p[3];
        m_punti3D[k].GetPunto(p);
        vertici.Add(k, p);
    }
    // The saved handle binds only a 3D polyline of this model's block: in a
    // copied or edited drawing it may name any other entity.
    if (!m_entita3D.IsVivo() && !m_handle3D.IsEmpty()) {
        ZylEntityID salvata(m_handle3D.GetString(), blocco.GetDatabase());
        if (salvata.IsVivo() && salvata.GetTipo() == ZYL_POLILINEA_3D &&
            salvata.GetProprietario().GetObjectId() == blocco.GetObjectId())
            m_entita3D = ZylPolylineID(salvata);
    }
    CADDatoArray proprieta;
    proprieta.Add(10, vertici);
    if (m_entita3D.IsVivo()) {
        utils->ModificaVertici(m_entita3D, proprieta);
        return;
    }
    proprieta.Add(8, m_rotatoria->getLayerCigli3D().GetString());
    ZylPolylineID nuova;
    m_entita3D = utils->CreaPolilinea(ZYL_POLILINEA_3D, proprieta, nuova, blocco) ? nuova : ZylPolylineID();
}
