// Drawing an edge into the model's block: its 3D faces, section lines with
// their barbs and labels, its 3D polyline, and the refresh of its saved data.
#include <cmath>
#include <map>
#include <set>
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

// An edge's 3D row as faces read it: its points by position (from 0), which
// positions follow each other, and where each station lies. Every entry
// carries its station index: the two edges of a strip give one station the
// same index, and a station that one of them could not place in height is
// missing from that row only. Stations left out between two entries are
// marked as interruptions after the last index taken; no face joins across.
class StazioniRiga {
public:
    StazioniRiga(const CADDatoArray& riga, const std::vector<int>& interruzioni, bool chiusa)
        : m_riga(riga), m_interruzioni(interruzioni.begin(), interruzioni.end()), m_chiusa(chiusa) {
        for (int k = 0; k < riga.GetCount(); ++k) {
            int indice = riga[k].GetCodice();
            if (indice < 0) continue;
            if (static_cast<size_t>(indice) >= m_posizioni.size()) m_posizioni.resize(static_cast<size_t>(indice) + 1, -1);
            m_posizioni[static_cast<size_t>(indice)] = k;
        }
    }
    explicit StazioniRiga(CCiglio3D& ciglio)
        : StazioniRiga(*ciglio.getPunti3DCiglio(), ciglio.getInterruzioni(), ciglio.getAsseRamo() == nullptr) {}
    int conta() const { return m_riga.GetCount(); }
    int indice(int posizione) const { return m_riga[posizione].GetCodice(); }
    void punto(int posizione, double p[3]) const { m_riga[posizione].GetPunto(p); }
    // The position of a station's entry; -1 when the row lacks it.
    int posizione(int indice) const {
        return indice >= 0 && static_cast<size_t>(indice) < m_posizioni.size() ? m_posizioni[static_cast<size_t>(indice)]
                                                                               : -1;
    }

    // True when the entries at two positions follow each other on the edge:
    // one apart with no interruption between their stations, or the last
    // and the first of a ring's row, which closes.
    bool vicine(int a, int b) const {
        if (a > b) std::swap(a, b);
        if (a < 0 || b >= conta()) return false;
        if (b - a != 1) return m_chiusa && a == 0 && b == conta() - 1;
        auto dopo = m_interruzioni.lower_bound(indice(a));
        return dopo == m_interruzioni.end() || *dopo >= indice(b);
    }

private:
    const CADDatoArray& m_riga;
    std::set<int> m_interruzioni;
    bool m_chiusa;
    std::vector<int> m_posizioni;
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
    int m = sue.conta();
    int n = mie.conta();
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
    // never reads past this edge's own points, and no face joins stations
    // that are not neighbours on either edge (stations left out between).
    if (m > 0) {
        IEntityUtils* utils = Ombrix::GetEntityUtils();
        // Across its own strip the other edge holds the same stations; along
        // another edge (a branch against the ring) the walk pairs positions.
        const bool stesseStazioni = altro->getAsseRamo() == getAsseRamo();
        for (; i < iS && i + 1 < n; ++i, j += passo) {
            int jc = Avvolgi(j + passo, m), jd = Avvolgi(j, m);
            if (stesseStazioni) jc = sue.posizione(mie.indice(i + 1)), jd = sue.posizione(mie.indice(i));
            if (!mie.vicine(i, i + 1) || !sue.vicine(jc, jd)) continue;
            double a[3], b[3], c[3], d[3];
            mie.punto(i, a);
            mie.punto(i + 1, b);
            sue.punto(jc, c);
            sue.punto(jd, d);
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

    // The ring's remaining faces, against the inner ring, as far as both rows reach.
    if (m_codiceEnum == CIGLIO_ANELLO_ESTERNO) {
        CCiglio3D* interno = m_rotatoria->trovaCiglio(CIGLIO_ANELLO_INTERNO, nullptr);
        if (interno) {
            const StazioniRiga sue(*interno);
            int n = mie.conta();
            IEntityUtils* utils = Ombrix::GetEntityUtils();
            for (; i + 1 < n; ++i) {
                int jc = sue.posizione(mie.indice(i + 1)), jd = sue.posizione(mie.indice(i));
                if (!mie.vicine(i, i + 1) || !sue.vicine(jc, jd)) continue;
                double a[3], b[3], c[3], d[3];
                mie.punto(i, a);
                mie.punto(i + 1, b);
                sue.punto(jc, c);
                sue.punto(jd, d);
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
