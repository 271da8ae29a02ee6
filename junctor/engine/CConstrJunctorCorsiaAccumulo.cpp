// The left-turn storage lane and the lane records of the main alignment.
//
// The lane is built from offsets of the main axis towards the leg's side:
// O1 (rie - d2), O2 (-d2), O3 (d1), O4 (d1 + riu), O5 (SLCLm + d1). Its first
// edge is the arc about Y from O2 to O5; its second runs from O2 across to O3,
// along O3 and, by the widening, back onto O2. Records along the main
// alignment carry the alignment's own chainages, taken from the feet of the
// points they stand for on the main axis: the offset copies start their
// chainages at 0 and, on a curve, differ in length from the axis.
#include <cmath>

#include "CConstrJunctor.h"
#include "IndicePunti.h"
#include "CostruzioneComune.h"
#include "PolilineeJunctor.h"
#include "QvEngineering.h"

namespace {

using costruzione::Acceso;
using costruzione::Copia;
using costruzione::DaPunto;
using costruzione::IncrocioPiuVicino;
using Lista = costruzione::ListaDatiPoli;

constexpr double kSegmentoMinimo = 0.001;
// Data codes of the left-turn lane's two widths and of the lane widths and
// shoulders on either side.
constexpr int kListaCorsiaSx = 1513;
constexpr int kDatoCorsiaSx1 = 22054;
constexpr int kDatoCorsiaSx2 = 22055;






// Of the points of a circle about `centro`, the one an arc from `inizio`
// turning clockwise reaches first.
void ArcoFinoAlPrimo(const ads_point centro, const ads_point inizio, const AcGePoint3dArray& punti, ads_point primo) {
    constexpr double kGiro = 2 * 3.14159265358979323846;
    const double a0 = std::atan2(inizio[1] - centro[1], inizio[0] - centro[0]);
    double migliore = kGiro + 1;
    for (int i = 0; i < punti.length(); ++i) {
        double giro = std::fmod(a0 - std::atan2(punti[i].y - centro[1], punti[i].x - centro[0]), kGiro);
        if (giro < 0) giro += kGiro;
        if (giro < migliore) {
            migliore = giro;
            DaPunto(primo, punti[i]);
            primo[2] = 0;
        }
    }
}

// The foot of a point on a list (perpendicular feet only) and its chainage.
bool Piede(const datipoli* lista, const ads_point punto, ads_point piede, double& progressiva) {
    double distanza = 0;
    return lista && DistPPoly(lista, punto, &distanza, piede, &progressiva, nullptr, nullptr, nullptr, 1) == 1;
}

// The chainage on the main axis of a point's foot.
bool ProgressivaSuAsse(const datipoli* asse, const ads_point punto, double& progressiva) {
    ads_point piede;
    return Piede(asse, punto, piede, progressiva);
}

// Edge-to-shoulder distance at a chainage of the main axis: the distance
// between the feet, on the edge and on the shoulder, of the axis point there;
// -1 when the chainage or either foot lies off its list.
double DistanzaCiglioBanchina(const datipoli* asse, const datipoli* ciglio, const datipoli* banchina,
                              double progressiva) {
    ads_point punto, suCiglio, suBanchina;
    double prog = 0;
    if (!asse || XYdaProgsuDatiPoli(asse, progressiva, punto, nullptr) != 0) return -1;
    if (!Piede(ciglio, punto, suCiglio, prog) || !Piede(banchina, punto, suBanchina, prog)) return -1;
    return std::hypot(suCiglio[0] - suBanchina[0], suCiglio[1] - suBanchina[1]);
}

// Appends a vertex unless it lies on the previous one, so that the joined
// parts of an edge leave no segment of no length.
void AccodaVertice(AcGePoint3dArray& vertici, AcGeDoubleArray& bulge, const AcGePoint3d& punto, double b) {
    if (!vertici.isEmpty() && vertici.last().distanceTo(punto) < 1e-6) {
        bulge.last() = b;
        vertici.last() = punto;
        return;
    }
    vertici.append(punto);
    bulge.append(b);
}

// A record of a data list at a chainage with its flag, an optional value
// and the intersection id.
void ScriviRecord(ICLISTADATI* lista, double progressiva, unsigned long flag, const CDato* valore1,
                  const CDato* valore2, const CString& id) {
    ICELEMENTODATI* record = lista->aggiungi(progressiva);
    if (!record) return;
    record->getBitDato() += flag;
    if (valore1) record->SetDato(*valore1, 1);
    if (valore2) record->SetDato(*valore2, 1);
    record->SetDato(CDato(kDatoIdIntersezione, id), 1);
}

}  // namespace

bool CConstrJunctor::CalcolaCorsiaAccumulo() {
    // Nothing of an earlier or failed computation stays behind.
    LiberaArrayCorsia();
    m_corsiaSxCalcolata = false;
    m_inizioAllargamento[0] = m_inizioAllargamento[1] = m_inizioAllargamento[2] = 0;
    if (!m_principale || !m_secondaria || !m_parametri || !m_corsie) return false;

    const datipoli* asse = m_principale->GetDatiPoliAsse();
    const bool destra = m_secondaria->GetLato() == CSecondariaJunctor::kDestra;
    const int latoOffset = destra ? kLatoOffsetDestro : 0;
    const double verso = destra ? 1.0 : -1.0;
    const CLanePars& c = *m_corsie;
    const double riu = m_parametri->riu.GetValore(), rie = m_parametri->rie.GetValore();
    const double d1 = c.SRacd1.GetValore(), d2 = c.SRacd2.GetValore();
    const double lcm = c.SLCLm.GetValore();
    const bool urbana = Acceso(c.GetCorsiaSxUrbano());

    // 1. Offsets of the main axis.
    Lista o1, o2, o3, o4, o5;
    const struct {
        Lista* lista;
        double distanza;
    } offset[] = {{&o1, rie - d2}, {&o2, -d2}, {&o3, d1}, {&o4, d1 + riu}, {&o5, lcm + d1}};
    for (const auto& o : offset) {
        if (!OffsetPolilinea(latoOffset, o.distanza, asse, nullptr, kSegmentoMinimo, o.lista->Uscita()) ||
            !o.lista->get()) {
            Log(costruzione::kRigaOffset);
            return false;
        }
    }

    // 2-4. X on O4, from the island's exit side (apex -> b1 corner) moved
    // riu to its right; Y on O1, from its entry side (apex -> b2 corner)
    // moved rie to its left; Z where the circle (Y, rie) meets O5.
    ads_point X, Y, Z, a, b;
    Lista lineaX, lineaY, cerchio;
    AcGePoint3dArray suO5(0, 2);
    PuntiPerpendicolari(-riu, m_isola4, m_isola2, a, b);
    a[2] = b[2] = 0;
    PolilineaDuePunti(a, b, lineaX.Uscita());
    bool trovati = IncrocioPiuVicino(lineaX.get(), o4.get(), 1000, 1000, m_isola1, X);
    if (trovati) {
        PuntiPerpendicolari(rie, m_isola4, m_isola3, a, b);
        a[2] = b[2] = 0;
        PolilineaDuePunti(a, b, lineaY.Uscita());
        trovati = IncrocioPiuVicino(lineaY.get(), o1.get(), 1000, 1000, m_isola1, Y);
    }
    if (trovati) {
        *cerchio.Uscita() = allocaDATIPOLI_Da_Cerchio(Y, rie);
        Inters_2_DATIPOLI_2D(o5.get(), cerchio.get(), suO5, 1000, 1000, 1);
        trovati = !suO5.isEmpty();
    }
    if (!trovati) {
        Log(L" - Numero di intersezioni insufficienti in fase di costruzione 1.\r\n");
        return false;
    }

    // Feet of X on O3 and O2, of Y on O2, and the chainages of the points on
    // the main axis.
    ads_point F3, F2, F2y;
    double progF3 = 0, progF2 = 0, progF2y = 0, c3 = 0, c2 = 0, t2 = 0;
    if (!Piede(o3.get(), X, F3, progF3) || !Piede(o2.get(), X, F2, progF2) || !Piede(o2.get(), Y, F2y, progF2y) ||
        !ProgressivaSuAsse(asse, F3, c3) || !ProgressivaSuAsse(asse, F2, c2) || !ProgressivaSuAsse(asse, F2y, t2)) {
        Log(L" - Corsia di accumulo fuori dalla strada principale.\r\n");
        return false;
    }
    // Z: where the arc, turning clockwise from F2y, first meets O5. The
    // circle meets O5 twice; the crossing nearer the island's base point is
    // the other one where the circle's top comes close to O5 (a small rie
    // against SLCLm + SRacd1 + SRacd2), and the lane's edge ran nearly all
    // round the circle to it.
    ArcoFinoAlPrimo(Y, F2y, suO5, Z);

    // 5. Chainages of the lane along the main alignment; on the left the lane
    // runs towards decreasing chainages.
    double t[4];
    t[1] = t2;
    t[0] = t2 - verso * c.SRacLva.GetValore();
    double w1 = 0, w2 = 0;
    ads_point inizio = {0, 0, 0};
    AcGePoint3dArray verticiAllargamento(0, 8), verticiTratto(0, 8);
    AcGeDoubleArray bulgeAllargamento(0, 8), bulgeTratto(0, 8);
    if (urbana) {
        t[2] = c3 + verso * c.SAcuLaa.GetValore();
    } else {
        // The widening runs along O2 in its own chainages; the lane offset
        // ends on O3 where the widening starts, at the cross-section of O2 at w1.
        w1 = progF2 + verso * (c.SAcuLaa.GetValore() + c.SDecLda.GetValore());
        w2 = w1 + verso * c.SManLma.GetValore();
        ads_point suO2w1, suO2w2, fineTratto;
        double prog = 0;
        if (XYdaProgsuDatiPoli(o2.get(), w1, suO2w1, nullptr) != 0 ||
            XYdaProgsuDatiPoli(o2.get(), w2, suO2w2, nullptr) != 0 || !Piede(o3.get(), suO2w1, fineTratto, prog) ||
            !ProgressivaSuAsse(asse, suO2w2, t[2])) {
            Log(L" - Corsia di accumulo fuori dalla strada principale.\r\n");
            return false;
        }
        Copia(inizio, fineTratto);
        CalcolaAllargamento(inizio, w1, w2, verso * (d1 + d2), 0, o2.get(), verticiAllargamento, bulgeAllargamento);
        if (verticiAllargamento.isEmpty() ||
            !EstraiTrattoPolilinea(o3.get(), F3, fineTratto, verticiTratto, bulgeTratto, nullptr, nullptr)) {
            Log(L" - Corsia di accumulo fuori dalla strada principale.\r\n");
            return false;
        }
    }
    t[3] = t[2] + verso * c.SRacLva.GetValore();

    // 6. The lane is complete: keep it.
    for (int k = 0; k < 4; ++k) m_t[k] = t[k];
    Copia(m_X, X);
    Copia(m_F3, F3);
    Copia(m_F2, F2);
    m_c3 = c3;
    m_c2 = c2;
    Copia(m_Y, Y);
    Copia(m_F2y, F2y);
    Copia(m_Z, Z);
    m_bulgeCorsia = CalcolaBulge(false, Y, F2y, Z);
    m_w1 = w1;
    m_w2 = w2;
    if (!urbana) Copia(m_inizioAllargamento, inizio);
    m_verticiAllargamento = verticiAllargamento;
    m_bulgeAllargamento = bulgeAllargamento;
    m_verticiTratto = verticiTratto;
    m_bulgeTratto = bulgeTratto;
    m_corsiaSxCalcolata = true;
    return true;
}

bool CConstrJunctor::CalcolaAllargamento(const ads_point /*inizio*/, double progInizio, double progFine,
                                         double allargamento, double allargamentoFinale, const datipoli* lista,
                                         AcGePoint3dArray& vertici, AcGeDoubleArray& bulge) {
    const double d = std::fabs(progInizio - progFine);
    if (!std::isfinite(d)) return true;
    const double passo = d / 30;
    // The side the widening lies on; no widening, no lateral move.
    const double lato = allargamento > 0 ? 1.0 : (allargamento < 0 ? -1.0 : 0.0);
    for (double s = 0; s <= d; s += passo) {
        const double e = progInizio > progFine ? progInizio - s : progInizio + s;
        double w = 0;
        CalcAllargamentiCNR_V2(std::fabs(allargamento), allargamentoFinale, progInizio, progFine, e, &w, 1, 0, 0,
                               0);
        ads_point p;
        double direzione = 0;
        // A chainage off the list has no point: it is skipped.
        if (XYdaProgsuDatiPoli(lista, e, p, &direzione) == 0) {
            const double angolo = direzione - lato * 1.570796325;
            vertici.append(AcGePoint3d(p[0] + w * std::cos(angolo), p[1] + w * std::sin(angolo), 0));
            bulge.append(0.0);
        }
        if (passo <= 0) break;  // a transition of no length has one point
    }
    return true;
}

bool CConstrJunctor::CalcolaCorsiaAccumuloUrbana() {
    LiberaArrayCorsia();
    const bool calcolata = m_corsiaSxCalcolata;
    m_corsiaSxCalcolata = false;
    if (!calcolata || !m_principale || !m_secondaria || !m_corsie) return false;

    const bool destra = m_secondaria->GetLato() == CSecondariaJunctor::kDestra;
    const datipoli* asse = m_principale->GetDatiPoliAsse();
    const datipoli* isola =
        destra ? m_principale->GetDatiPoliCiglioIsolaDx() : m_principale->GetDatiPoliCiglioIsolaSx();

    // 1. The island edge on the leg's side moved SLCLm towards the main axis.
    Lista ei;
    if (!OffsetPolilinea(destra ? kLatoOffsetDestro : 0, -m_corsie->SLCLm.GetValore(), isola, nullptr,
                         kSegmentoMinimo, ei.Uscita()) ||
        !ei.get()) {
        Log(costruzione::kRigaOffset);
        return false;
    }

    // 2-3. The lane's second edge follows that line from F3 to where it
    // meets the main axis; on the left only the part before F3 counts.
    Lista parte;
    const datipoli* taglio = ei.get();
    if (!destra) {
        ads_point piede;
        double progPiede = 0, distanza = 0;
        if (DistPPoly(ei.get(), m_F3, &distanza, piede, &progPiede, nullptr, nullptr, nullptr, 0) != 1 ||
            estraiCopiaDATIPOLI(ei.get(), nullptr, &progPiede, parte.Uscita()) != 1 || !parte.get()) {
            Log(costruzione::kRigaOffset);
            return false;
        }
        taglio = parte.get();
    }
    AcGePoint3dArray incroci;
    Inters_2_DATIPOLI_2D(taglio, asse, incroci, 0, 0, 1);
    // 4. Without exactly one crossing the lane has no end.
    if (incroci.length() != 1) {
        Log(L" - Il ciglio dell'isola spartitraffico non incontra l'asse della strada principale in un solo "
            L"punto.\r\n");
        return false;
    }
    ads_point Q;
    DaPunto(Q, incroci[0]);

    AcGePoint3dArray vertici(0, 8);
    AcGeDoubleArray bulge(0, 8);
    const bool estratto = destra ? EstraiTrattoPolilinea(taglio, m_F3, Q, vertici, bulge, nullptr, nullptr)
                                 : EstraiTrattoPolilinea(taglio, Q, m_F3, vertici, bulge, nullptr, nullptr);
    if (!estratto) {
        Log(costruzione::kRigaOffset);
        return false;
    }
    const AcGePoint3d f2(m_F2[0], m_F2[1], 0);
    if (destra) {
        vertici.insertAt(0, f2);
        bulge.insertAt(0, 0.0);
    } else {
        vertici.append(f2);
        bulge.append(0.0);
    }
    m_verticiTratto = vertici;
    m_bulgeTratto = bulge;
    Copia(m_inizioAllargamento, Q);
    m_corsiaSxCalcolata = true;
    return true;
}

bool CConstrJunctor::CostruisciCorsiaAccumulo() {
    Log(L"Costruzione della corsia di accumulo per la svolta  a sinistra...\r\n");
    const bool registrata = RegistraCorsiaAccumulo();
    if (!registrata) Log(L"Errore!\r\n");
    if (!m_principale) return false;
    // The alignment applies its new lane data; the main road's polylines are
    // then looked up and read again.
    m_principale->Chiudi();
    if (m_tracciato) {
        m_tracciato->aggiornaDati(1505, 0);
        m_tracciato->aggiornaDati(0, -2);
    }
    m_principale->CercaElementi(m_isola1);
    m_principale->Apri();
    return registrata;
}

bool CConstrJunctor::RegistraCorsiaAccumulo() {
    // A lane that was not computed has no chainages to record.
    if (!m_corsiaSxCalcolata || !m_tracciato || !m_secondaria || !m_corsie) return false;
    ICLISTADATI* lista = m_tracciato->getListaDati(kListaCorsiaSx);
    if (!lista) return false;
    const bool destra = m_secondaria->GetLato() == CSecondariaJunctor::kDestra;
    const double d1 = m_corsie->SRacd1.GetValore();
    const double lato = m_corsie->SLCLm.GetValore() + m_corsie->SRacd2.GetValore();
    const CDato v1(kDatoCorsiaSx1, destra ? lato : d1);
    const CDato v2(kDatoCorsiaSx2, destra ? d1 : lato);
    // In increasing chainage: t1..t4 on the right, t4..t1 on the left.
    const int ordine[4] = {destra ? 0 : 3, destra ? 1 : 2, destra ? 2 : 1, destra ? 3 : 0};
    ScriviRecord(lista, m_t[ordine[0]], 1, nullptr, nullptr, m_id);
    ScriviRecord(lista, m_t[ordine[1]], 4, &v1, &v2, m_id);
    ScriviRecord(lista, m_t[ordine[2]], 4, &v1, &v2, m_id);
    ScriviRecord(lista, m_t[ordine[3]], 2, nullptr, nullptr, m_id);
    return true;
}

bool CConstrJunctor::DisegnaCorsiaAccumulo() {
    if (!m_corsiaSxCalcolata || m_verticiTratto.isEmpty()) return false;
    const bool urbana = m_corsie && Acceso(m_corsie->GetCorsiaSxUrbano());

    // Edge 1: the arc about Y from F2y to Z.
    AcGePoint3dArray vertici1(0, 8);
    AcGeDoubleArray bulge1(0, 8);
    vertici1.append(AcGePoint3d(m_F2y[0], m_F2y[1], 0));
    bulge1.append(m_bulgeCorsia);
    vertici1.append(AcGePoint3d(m_Z[0], m_Z[1], 0));
    bulge1.append(0.0);

    // Edge 2: the lane offset, for the rural lane from F2 and on into the
    // widening.
    AcGePoint3dArray vertici2(0, 8);
    AcGeDoubleArray bulge2(0, 8);
    if (!urbana) AccodaVertice(vertici2, bulge2, AcGePoint3d(m_F2[0], m_F2[1], 0), 0.0);
    for (int i = 0; i < m_verticiTratto.length(); ++i)
        AccodaVertice(vertici2, bulge2, m_verticiTratto[i], m_bulgeTratto[i]);
    if (!urbana)
        for (int i = 0; i < m_verticiAllargamento.length(); ++i)
            AccodaVertice(vertici2, bulge2, m_verticiAllargamento[i], m_bulgeAllargamento[i]);

    const bool primo = !Disegna(CreaPolilinea(vertici1, bulge1), L"QV-CIGLI", L"rCIOUT").isNull();
    const bool secondo = !Disegna(CreaPolilinea(vertici2, bulge2), L"QV-CIGLI", L"rCIOUT").isNull();
    return primo && secondo;
}

bool CConstrJunctor::RegistraCorsieImmUsc() {
    if (!m_tracciato || !m_principale || !m_secondaria || !m_corsie) return false;
    const CLanePars& c = *m_corsie;
    const bool destra = m_secondaria->GetLato() == CSecondariaJunctor::kDestra;
    const bool corsia[2] = {Acceso(c.GetCorsiaUsc()), Acceso(c.GetCorsiaImm())};
    const double larghezza[2] = {c.ULCUsc.GetValore(), c.ILCImm.GetValore()};
    const double banchina[2] = {c.ULBCUsc.GetValore(), c.ILBCImm.GetValore()};
    const datipoli* asse = m_principale->GetDatiPoliAsse();
    const datipoli* ciglio = destra ? m_principale->GetDatiPoliCiglioDx() : m_principale->GetDatiPoliCiglioSx();
    const datipoli* banchinaPrincipale =
        destra ? m_principale->GetDatiPoliBanchinaDx() : m_principale->GetDatiPoliBanchinaSx();

    ICLISTADATI* listaLarghezze = m_tracciato->getListaDati(destra ? 1511 : 1512);
    ICLISTADATI* listaBanchine = m_tracciato->getListaDati(destra ? 1514 : 1515);
    if (!listaLarghezze || !listaBanchine) return false;
    const int codiceLarghezza = destra ? 22052 : 22053;
    const int codiceBanchina = destra ? 22058 : 22057;
    const unsigned long flagLarghezza[3] = {destra ? 8ul : 64ul, destra ? 32ul : 256ul, destra ? 16ul : 128ul};
    const unsigned long flagBanchina[3] = {destra ? 512ul : 4096ul, destra ? 2048ul : 16384ul,
                                           destra ? 1024ul : 8192ul};
    const wchar_t* sezioniMancanti[2] = {L" - Sezioni della corsia di uscita non calcolate.\r\n",
                                         L" - Sezioni della corsia di immissione non calcolate.\r\n"};
    const wchar_t* banchineMancanti[2] = {L" - Sezioni della banchina della corsia di uscita non calcolate.\r\n",
                                          L" - Sezioni della banchina della corsia di immissione non calcolate.\r\n"};
    bool esito = true;

    // Which end of a lane has no width: the first section of the exit lane
    // on the right and of the entry lane on the left, else the last one.
    auto nullaAllInizio = [&](int lato) { return (lato == kUscita) == destra; };

    // Widths: exit lane, then entry lane.
    for (int lato : {kUscita, kImmissione}) {
        if (!corsia[lato]) continue;
        if (!m_sezioniCiglioCalcolate[lato]) {
            Log(sezioniMancanti[lato]);
            esito = false;
            continue;
        }
        const double W = larghezza[lato];
        const double valori[3] = {nullaAllInizio(lato) ? 0.0 : W, W, nullaAllInizio(lato) ? W : 0.0};
        for (int k = 0; k < 3; ++k) {
            const CDato v(codiceLarghezza, valori[k]);
            ScriviRecord(listaLarghezze, m_sezioniCiglio[lato][k], flagLarghezza[k], &v, nullptr, m_id);
        }
    }

    // Shoulders: on the right exit then entry, on the left entry then exit;
    // only where the main road's shoulder distance is known.
    const int ordine[2] = {destra ? kUscita : kImmissione, destra ? kImmissione : kUscita};
    for (int lato : ordine) {
        if (!corsia[lato] || !m_sezioniCiglioCalcolate[lato]) continue;
        if (!m_sezioniBanchinaCalcolate[lato]) {
            Log(banchineMancanti[lato]);
            esito = false;
            continue;
        }
        const double D = DistanzaCiglioBanchina(asse, ciglio, banchinaPrincipale, m_sezioniBanchina[lato][0]);
        if (D < 0) continue;
        const double B = banchina[lato];
        const double valori[3] = {nullaAllInizio(lato) ? D : B, B, nullaAllInizio(lato) ? B : D};
        for (int k = 0; k < 3; ++k) {
            const CDato v(codiceBanchina, valori[k]);
            ScriviRecord(listaBanchine, m_sezioniBanchina[lato][k], flagBanchina[k], &v, nullptr, m_id);
        }
    }
    return esito;
}
