#include "PolilineeJunctor.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "Ombrix.h"
#include "QvEngineering.h"

namespace {

constexpr double kDuePi = 6.283185307179586;
constexpr double kMezzoPi = 1.5707963267948966;

void Copia(ads_point d, const double* s) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
}

void Sposta(const ads_point p, double angolo, double distanza, ads_point r) {
    double x = p[0] + distanza * std::cos(angolo);
    double y = p[1] + distanza * std::sin(angolo);
    r[0] = x;
    r[1] = y;
    r[2] = 0;
}

void Aggiungi(AcGePoint3dArray& v, AcGeDoubleArray& b, const ads_point p, double bulge) {
    v.append(AcGePoint3d(p[0], p[1], p[2]));
    b.append(bulge);
}

// The offset of a point of a segment starting at vertex a (its bulge and
// centre), the direction of a straight taken from a to b.
void OffsetSuSegmento(int lato, double d, const datipoli* a, const datipoli* b, const ads_point punto,
                      ads_point r) {
    if (a->bulge != 0) {
        ads_point c = {a->xc, a->yc, a->zc};
        OffsetPuntoArco(lato, d, a->bulge, c, punto, r);
    } else {
        ads_point pa = {a->x, a->y, a->z}, pb = {b->x, b->y, b->z};
        OffsetPuntoRetta(lato, d, pa, pb, punto, r);
    }
}

bool CopiaLista(const AcGePoint3dArray& v, const AcGeDoubleArray& b, datipoli** copia) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (int i = 0; i < v.length(); ++i) {
        ads_point p = {v[i].x, v[i].y, v[i].z};
        if (!AggpuntoDATIPOLI(p, b[i], &testa, &coda)) {
            LiberaDATIPOLI(&testa);
            return false;
        }
    }
    *copia = testa;
    return true;
}

struct PuntoTratto {
    ads_point p;
    const datipoli* segmento;  // the segment of the list the point starts on
};

// From the foot at chainage c1 to the one at c2 (c1 <= c2), in list order.
std::vector<PuntoTratto> Tratto(const datipoli* lista, const ads_point piede1, double c1, const ads_point piede2,
                                double c2) {
    constexpr double eps = 1e-9;
    const datipoli* seg = lista;
    for (const datipoli* p = lista; p && p->next; p = p->next)
        if (p->prog <= c1 + eps) seg = p;
    std::vector<PuntoTratto> punti;
    PuntoTratto primo{};
    Copia(primo.p, piede1);
    primo.segmento = seg;
    punti.push_back(primo);
    for (const datipoli* p = seg->next; p; p = p->next) {
        if (p->prog >= c2 - eps) break;
        PuntoTratto t{};
        t.p[0] = p->x;
        t.p[1] = p->y;
        t.p[2] = p->z;
        t.segmento = p;
        punti.push_back(t);
    }
    PuntoTratto ultimo{};
    Copia(ultimo.p, piede2);
    punti.push_back(ultimo);
    return punti;
}

}  // namespace

double CalcolaBulge(bool antiorario, const ads_point centro, const ads_point inizio, const ads_point fine) {
    double delta = acutAngle(centro, fine) - acutAngle(centro, inizio);
    if (delta < 0) delta += kDuePi;
    return antiorario ? std::tan(delta / 4) : -std::tan((kDuePi - delta) / 4);
}

void VerificaLayer(AcDbDatabase* database, const wchar_t* layer) {
    if (!layer) return;
    wchar_t nome[256];
    std::wcsncpy(nome, layer, 255);
    nome[255] = 0;
    ITableUtils* tabelle = Ombrix::GetTableUtils();
    ZylLayerID id;
    if (tabelle->CercaLayer(nome, id, ZylDatabase(database))) {
        tabelle->SetFlagLayer(id, ZYL_LAYER_SPENTO, 0);
        tabelle->SetFlagLayer(id, ZYL_LAYER_CONGELATO, 0);
        tabelle->SetFlagLayer(id, ZYL_LAYER_BLOCCATO, 0);
    } else {
        tabelle->CreaLayer(nome, CADDatoArray(), id, ZylDatabase(database));
    }
}

bool AggiungiAModelSpace(AcDbEntity* entita, AcDbObjectId& id, const wchar_t* layer) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!entita || !db) return false;
    // A layer that cannot be made (a name no layer may have) draws nothing.
    if (layer) {
        VerificaLayer(db, layer);
        if (entita->setLayer(layer, true) != Acad::eOk) return false;
    }
    AcApDocument* doc = acDocManager->document(db);
    bool bloccato = acDocManager->lockDocument(doc, AcAp::kWrite, nullptr, nullptr, true) == Acad::eOk;
    bool fatto = false;
    AcDbBlockTable* tabella = nullptr;
    if (db->getBlockTable(tabella, AcDb::kForRead) == Acad::eOk) {
        AcDbBlockTableRecord* record = nullptr;
        Acad::ErrorStatus es = tabella->getAt(ACDB_MODEL_SPACE, record, AcDb::kForWrite);
        tabella->close();
        if (es == Acad::eOk) {
            if (record->appendAcDbEntity(id, entita) == Acad::eOk) {
                entita->close();
                fatto = true;
            }
            record->close();
        }
    }
    if (bloccato) acDocManager->unlockDocument(doc);
    return fatto;
}

AcDb2dPolyline* CreaPolilinea(const AcGePoint3dArray& vertici, const AcGeDoubleArray& bulge) {
    return new AcDb2dPolyline(AcDb::k2dSimplePoly, vertici, 0, false, 0, 0, &bulge);
}

void OffsetPuntoRetta(int lato, double distanza, const ads_point da, const ads_point a, const ads_point punto,
                      ads_point risultato) {
    Sposta(punto, acutAngle(da, a) - kMezzoPi, lato == kLatoOffsetDestro ? distanza : -distanza, risultato);
}

void OffsetPuntoArco(int lato, double distanza, double bulge, const ads_point centro, const ads_point punto,
                     ads_point risultato) {
    bool destro = lato == kLatoOffsetDestro;
    bool versoCentro = (bulge < 0 && !destro) || (bulge >= 0 && destro);
    Sposta(punto, acutAngle(punto, centro), versoCentro ? -distanza : distanza, risultato);
}

bool PuntiUguali(const ads_point a, const ads_point b) {
    return std::fabs(a[0] - b[0]) < 0.01 && std::fabs(a[1] - b[1]) < 0.01;
}

bool OffsetPolilinea(int lato, double distanza, const datipoli* lista, AcDb2dPolyline** polilinea, double minimo,
                     datipoli** copia) {
    if (!lista) return false;
    AcGePoint3dArray vertici(0, 8);
    AcGeDoubleArray bulge(0, 8);
    if (lista->next) {
        double segno = lato == kLatoOffsetDestro ? 1.0 : -1.0;
        const datipoli* a = lista;
        const datipoli* ultimoA = nullptr;  // start of the last kept segment
        ads_point finePrec = {0, 0, 0};
        for (const datipoli* b = lista->next; b; b = b->next) {
            ads_point pa = {a->x, a->y, a->z}, pb = {b->x, b->y, b->z};
            if (acutDistance(pa, pb) < minimo) continue;
            ads_point s, e;
            OffsetSuSegmento(lato, distanza, a, b, pa, s);
            OffsetSuSegmento(lato, distanza, a, b, pb, e);
            if (ultimoA && !PuntiUguali(finePrec, s))
                Aggiungi(vertici, bulge, finePrec, segno * std::tan(AngMin3P(s, pa, finePrec) / 4));
            Aggiungi(vertici, bulge, s, a->bulge);
            Copia(finePrec, e);
            ultimoA = a;
            a = b;
        }
        const datipoli* ultimo = lista;
        while (ultimo->next) ultimo = ultimo->next;
        // The end point: with the last kept segment's arc, or straight along
        // the last pair of vertices walked.
        const datipoli* da = a != ultimo ? a : (ultimoA ? ultimoA : lista);
        ads_point pu = {ultimo->x, ultimo->y, ultimo->z}, fine;
        if (ultimoA && ultimoA->bulge != 0) {
            OffsetSuSegmento(lato, distanza, ultimoA, ultimo, pu, fine);
        } else {
            ads_point pd = {da->x, da->y, da->z};
            OffsetPuntoRetta(lato, distanza, pd, pu, pu, fine);
        }
        Aggiungi(vertici, bulge, fine, ultimo->bulge);
    }
    if (copia && !CopiaLista(vertici, bulge, copia)) return false;
    if (polilinea) *polilinea = CreaPolilinea(vertici, bulge);
    return true;
}

bool EstraiTrattoPolilinea(const datipoli* lista, const ads_point a, const ads_point b, AcGePoint3dArray& vertici,
                           AcGeDoubleArray& bulge, AcDb2dPolyline** polilinea, datipoli** copia) {
    if (!lista) return false;
    double lunghezza = 0;
    ProgDATIPOLI(const_cast<datipoli*>(lista), 0, &lunghezza);
    ads_point fa, fb, ca, cb;
    double da = 0, db = 0, progA = 0, progB = 0;
    if (!DistPPoly(lista, a, &da, fa, &progA, nullptr, ca, nullptr, 0)) return false;
    if (!DistPPoly(lista, b, &db, fb, &progB, nullptr, cb, nullptr, 0)) return false;
    bool diretto = progB > progA;
    std::vector<PuntoTratto> punti = diretto ? Tratto(lista, fa, progA, fb, progB) : Tratto(lista, fb, progB, fa, progA);
    std::vector<double> b1(punti.size(), 0.0);
    for (size_t i = 0; i + 1 < punti.size(); ++i) {
        const datipoli* s = punti[i].segmento;
        if (s->bulge != 0) {
            ads_point c = {s->xc, s->yc, s->zc};
            b1[i] = CalcolaBulge(s->bulge >= 0, c, punti[i].p, punti[i + 1].p);
        }
    }
    AcGePoint3dArray v(0, 8);
    AcGeDoubleArray bl(0, 8);
    size_t n = punti.size();
    for (size_t j = 0; j < n; ++j) {
        if (diretto) {
            Aggiungi(v, bl, punti[j].p, b1[j]);
        } else {
            // Reversed: each segment keeps its arc with the sense turned.
            Aggiungi(v, bl, punti[n - 1 - j].p, j + 1 < n ? -b1[n - 2 - j] : 0.0);
        }
    }
    if (v.length() == 0 || v.length() != bl.length()) return false;
    vertici = v;
    bulge = bl;
    if (polilinea) *polilinea = CreaPolilinea(v, bl);
    if (copia) {
        if (!CopiaLista(v, bl, copia)) return false;
        ProgDATIPOLI(*copia, 0, &lunghezza);
    }
    return true;
}

void PuntiPerpendicolari(double distanza, const ads_point a, const ads_point b, ads_point uscita1,
                         ads_point uscita2) {
    double theta = acutAngle(b, a) + 1.570796325;
    double dx = distanza * std::cos(theta), dy = distanza * std::sin(theta);
    uscita1[0] = a[0] - dx;
    uscita1[1] = a[1] - dy;
    uscita2[0] = b[0] - dx;
    uscita2[1] = b[1] - dy;
}

double DistanzaAProgressiva(const datipoli* lista1, const datipoli* lista2, double progressiva) {
    ads_point p1, p2;
    if (XYdaProgsuDatiPoli(lista1, progressiva, p1, nullptr) != 0) return -1;
    if (XYdaProgsuDatiPoli(lista2, progressiva, p2, nullptr) != 0) return -1;
    return std::fabs(acutDistance(p1, p2));
}

bool PolilineaDuePunti(const ads_point a, const ads_point b, datipoli** testa) {
    datipoli* coda = *testa;
    while (coda && coda->next) coda = coda->next;
    AggpuntoDATIPOLI(a, 0, testa, &coda);
    AggpuntoDATIPOLI(b, 0, testa, &coda);
    return true;
}

int ProvaOffsetPolilinea(const ads_name entita) {
    datipoli* lista = nullptr;
    if (!LeggiDATIPOLI(entita, &lista, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
        return 0;
    AcDb2dPolyline* polilinea = nullptr;
    datipoli* copia = nullptr;
    if (OffsetPolilinea(kLatoOffsetDestro, 4.3, lista, &polilinea, 0.001, &copia)) {
        AcDbObjectId id;
        if (!AggiungiAModelSpace(polilinea, id, nullptr)) delete polilinea;
    }
    LiberaDATIPOLI(&copia);
    LiberaDATIPOLI(&lista);
    return 1;
}
