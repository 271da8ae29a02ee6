// What the roundabout export asks of the engineering library: profile
// sheets, drawn profiles, copies of profiles, records copied into an
// alignment's lists and the default layer of alignments.
#include <gtest/gtest.h>

#include <arx.h>

#include <cmath>
#include <cwchar>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "CartiglioProfilo.h"
#include "ICPROFILO_STRADALE.h"
#include "ListFixtures.h"
#include "ModelSpace.h"
#include "QvEngineering.h"
#include "TracciatoDatiEstesi.h"
#include "WorkingDrawing.h"

namespace {

std::vector<AcDbObjectId> Tutte() { return SelectAll(nullptr); }

std::wstring Layer(AcDbObjectId id) {
    AcDbEntity* e = nullptr;
    if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) return L"";
    ACHAR* l = e->layer();
    std::wstring out = l;
    acutDelString(l);
    e->close();
    return out;
}

// The vertices of a drawn polyline.
std::vector<datipoli> Vertici(AcDbObjectId id) {
    ads_name n;
    datipoli* lista = nullptr;
    std::vector<datipoli> out;
    if (acdbGetAdsName(n, id) != Acad::eOk || !LeggiDATIPOLI(n, &lista)) return out;
    for (const datipoli* v = lista; v; v = v->next) out.push_back(*v);
    LiberaDATIPOLI(&lista);
    return out;
}

using SheetTest = WorkingDrawingTest;

TEST_F(SheetTest, ASheetIsOneReferenceOfANewAnonymousBlock) {
    ads_point base = {100.0, 50.0, 0.0};
    wchar_t handle[100] = L"x";
    ASSERT_EQ(DisegnaCartProf(base, 47.5, 8.0, 60.0, L"A_B", L"", handle, 100, 0), 1);
    std::vector<AcDbObjectId> tutte = Tutte();
    ASSERT_EQ(tutte.size(), 1u);
    AcDbBlockReference* r = nullptr;
    ASSERT_EQ(acdbOpenObject(r, tutte[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r->position(), AcGePoint3d(100.0, 50.0, 0.0));
    AcDbExtents ext;
    ASSERT_EQ(r->getGeomExtents(ext), Acad::eOk);
    AcDbObjectId blocco = r->blockTableRecord();
    r->close();
    EXPECT_EQ(std::wstring(handle), tutte[0].handle().text());
    // The frame, with the name above it and the datum below.
    EXPECT_LE(ext.minPoint().x, 100.0);
    EXPECT_NEAR(ext.maxPoint().x, 160.0, 1e-9);
    EXPECT_LT(ext.minPoint().y, 50.0);
    EXPECT_GT(ext.maxPoint().y, 58.0);
    AcDbBlockTableRecord* b = nullptr;
    ASSERT_EQ(acdbOpenObject(b, blocco, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(b->isAnonymous());
    b->close();

    // A second sheet gets a block of its own.
    ASSERT_EQ(DisegnaCartProf(base, 0.0, 0.0, 10.0, L"B_C", L"", handle, 100, 0), 1);
    AcDbBlockReference* r2 = nullptr;
    ASSERT_EQ(acdbOpenObject(r2, Tutte().back(), AcDb::kForRead), Acad::eOk);
    EXPECT_NE(r2->blockTableRecord(), blocco);
    r2->close();
}

// However far the datum, its text holds every digit and nothing more.
TEST_F(SheetTest, TheDatumTextHoldsTheWholeNumber) {
    ads_point base = {0, 0, 0};
    wchar_t handle[100] = L"";
    ASSERT_EQ(DisegnaCartProf(base, -1e300, 1.0, 10.0, L"N", L"", handle, 100, 0), 1);
    std::vector<std::wstring> testi;
    for (const auto& stub : acdbHostApplicationServices()->workingDatabase()->store().Stubs())
        if (auto* t = AcDbText::cast(stub->object)) testi.push_back(t->textStringConst());
    ASSERT_EQ(testi.size(), 2u);
    wchar_t atteso[400];
    ASSERT_GT(std::swprintf(atteso, 400, L"Q.R. %.2f", -1e300), 300);
    EXPECT_EQ(testi[0], atteso);
}

TEST_F(SheetTest, ASheetThatCannotBeDrawnIsRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Caso {
        const char* nome;
        double quota, altezza, lunghezza;
        int dimensione;
    };
    const Caso casi[] = {
        {"lunghezza NaN", 0, 5, nan, 100},  {"altezza infinita", 0, inf, 10, 100},
        {"quota NaN", nan, 5, 10, 100},     {"altezza negativa", 0, -1, 10, 100},
        {"lunghezza negativa", 0, 5, -1, 100}, {"handle troppo corto", 0, 5, 10, 1},
    };
    ads_point base = {0, 0, 0};
    for (const Caso& c : casi) {
        wchar_t handle[100] = L"x";
        EXPECT_EQ(DisegnaCartProf(base, c.quota, c.altezza, c.lunghezza, L"N", L"", handle, c.dimensione, 0), 0)
            << c.nome;
    }
    wchar_t handle[4];
    EXPECT_EQ(DisegnaCartProf(base, 0, 5, 10, L"N", L"", nullptr, 100, 0), 0);
    EXPECT_EQ(DisegnaCartProf(nullptr, 0, 5, 10, L"N", L"", handle, 4, 0), 0);
    // Nothing is left in the drawing, not even a sheet whose handle did not fit.
    EXPECT_TRUE(Tutte().empty());
}

TEST_F(SheetTest, AProfileIsDrawnThroughItsGradesAndItsSampledCurves) {
    std::unique_ptr<ICPROFILO_STRADALE> p(static_cast<ICPROFILO_STRADALE*>(ICPROFILO::Alloca()));
    ICVERTICE_PROFILO* v = nullptr;
    p->inserisciVertice(0.0, 100.0, nullptr);
    p->inserisciVertice(50.0, 101.0, nullptr, &v);
    p->inserisciVertice(100.0, 100.0, nullptr);
    p->impostaRaccordo(v, QV_RACCORDO_PARABOLICO, 1000.0);
    AcDbObjectId id;
    ASSERT_EQ(p->disegna(L"PROFILI", id), 1);
    EXPECT_EQ(Layer(id), L"PROFILI");
    std::vector<datipoli> punti = Vertici(id);
    // The curve runs 20 either side of the vertex: straight grades, then at
    // least 40 steps along the curve.
    ASSERT_GE(punti.size(), 2u + 41u);
    EXPECT_DOUBLE_EQ(punti.front().x, 0.0);
    EXPECT_DOUBLE_EQ(punti.back().x, 100.0);
    for (size_t i = 1; i < punti.size(); ++i) {
        const double passo = punti[i].x - punti[i - 1].x;
        EXPECT_GT(passo, 0.0) << i;
        if (punti[i - 1].x >= 30.0 - 1e-9 && punti[i].x <= 70.0 + 1e-9) {
            EXPECT_LE(passo, 1.0 + 1e-9) << i;
        }
        double z = 0.0;
        ASSERT_EQ(p->getValore(QV_DATO_QUOTA_PROFILO, punti[i].x, &z), 1);
        EXPECT_NEAR(punti[i].y, z, 1e-9) << i;
    }

    // One vertex is no profile to draw.
    std::unique_ptr<ICPROFILO_STRADALE> solo(static_cast<ICPROFILO_STRADALE*>(ICPROFILO::Alloca()));
    solo->inserisciVertice(0.0, 1.0, nullptr);
    EXPECT_EQ(solo->disegna(L"PROFILI", id), 0);
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(Tutte().size(), 1u);
}

TEST_F(SheetTest, ACopyOfAProfileOutlivesTheOriginalAndKeepsItsSheetPoint) {
    ICPROFILO* p = ICPROFILO::Alloca();
    auto* s = static_cast<ICPROFILO_STRADALE*>(p);
    s->inserisciVertice(0.0, 10.0, nullptr);
    s->inserisciVertice(20.0, 12.0, nullptr);
    p->SetDato(CDato(QV_DATO_NOME_PROFILO, L"PROGETTO"));
    AcGePoint3d punto;
    EXPECT_EQ(p->getPuntoCartiglio(punto), 0);
    p->setPuntoCartiglio(AcGePoint3d(5.0, 7.0, 0.0));

    ICPROFILO* copia = p->Duplica();
    ICPROFILO::libera(&p);
    ASSERT_TRUE(copia);
    EXPECT_EQ(copia->getPuntoCartiglio(punto), 1);
    EXPECT_EQ(punto, AcGePoint3d(5.0, 7.0, 0.0));
    EXPECT_EQ(copia->GetDato(QV_DATO_NOME_PROFILO).GetString(), CString(L"PROGETTO"));
    auto* sc = static_cast<ICPROFILO_STRADALE*>(copia);
    ASSERT_EQ(sc->calcola(), 1);
    double z = 0.0;
    EXPECT_EQ(sc->getValore(QV_DATO_QUOTA_PROFILO, 10.0, &z), 1);
    EXPECT_DOUBLE_EQ(z, 11.0);

    // The sheet point travels with the alignment's data.
    ICTRACCIATO* t = ICTRACCIATO_Constructor::Alloca(fixtures::Lista({{0, 0, 0}, {30, 0, 0}}).get(), 0.0);
    ASSERT_TRUE(t);
    t->aggiungiProfilo(copia);
    resbuf* dati = vplat::CodificaTracciato(*t);
    ICTRACCIATO* letto = vplat::DecodificaTracciato(dati, t->getDatiPoli(), nullptr);
    acutRelRb(dati);
    ASSERT_TRUE(letto && letto->getProfiloVerticale());
    EXPECT_EQ(letto->getProfiloVerticale()->getPuntoCartiglio(punto), 1);
    EXPECT_EQ(punto, AcGePoint3d(5.0, 7.0, 0.0));
    ICTRACCIATO_Costructor::Libera(&letto, 1);
    ICTRACCIATO_Costructor::Libera(&t, 1);
}

TEST_F(SheetTest, ListsTakeCopiesOfCrossSlopeAndElementRecords) {
    ICTRACCIATO* t = ICTRACCIATO_Constructor::Alloca(fixtures::Lista({{0, 0, 0}, {30, 0, 0}}).get(), 0.0);
    ASSERT_TRUE(t);
    ICLISTADATI* lista = t->getListaDati(1500);
    std::vector<IQvObject*> oggetti;
    for (double prog : {12.0, 3.0, 12.0}) {
        IQvObject* o = QvEngineeringConstructor::Alloca(1500, nullptr);
        o->SetDato(CDato(22150, prog), 1);
        o->SetDato(CDato(22004, prog + oggetti.size()), 1);
        o->SetDato(CDato(22005, -prog), 1);
        oggetti.push_back(o);
        ASSERT_TRUE(lista->aggiungiCopia(o));
    }
    // In chainage order, equal chainages as they came; the objects stay ours.
    std::vector<std::pair<double, double>> letti;
    for (ICELEMENTODATI* e = lista->getPrimo(); e; e = lista->getSuccessivo(e)) {
        letti.push_back({e->getProgressiva(), e->GetDato(22004).GetDouble()});
        EXPECT_DOUBLE_EQ(e->GetDato(22005).GetDouble(), -e->getProgressiva());
        EXPECT_FALSE(e->Dati().count(22150));
    }
    EXPECT_EQ(letti, (std::vector<std::pair<double, double>>{{3.0, 4.0}, {12.0, 12.0}, {12.0, 14.0}}));
    for (IQvObject*& o : oggetti) QvEngineeringConstructor::Libera(&o, 1);
    EXPECT_EQ(lista->getNumero(), 3);

    IQvObject* elemento = QvEngineeringConstructor::Alloca(1508, nullptr);
    EXPECT_TRUE(t->getListaDati(1508)->aggiungiCopia(elemento));
    QvEngineeringConstructor::Libera(&elemento, 1);
    IQvObject* gruppo = QvEngineeringConstructor::Alloca(1700, nullptr);
    EXPECT_FALSE(lista->aggiungiCopia(gruppo));
    EXPECT_FALSE(lista->aggiungiCopia(nullptr));
    QvEngineeringConstructor::Libera(&gruppo, 1);
    EXPECT_EQ(lista->getNumero(), 3);
    ICTRACCIATO_Costructor::Libera(&t, 1);
}

TEST_F(SheetTest, AnAlignmentDrawnWithoutLayerGoesOnTheAlignmentLayer) {
    for (const wchar_t* layer : {static_cast<const wchar_t*>(nullptr), L""}) {
        ICTRACCIATO* t = ICTRACCIATO_Constructor::Alloca(fixtures::Lista({{0, 0, 0}, {30, 0, 0}}).get(), 0.0);
        ASSERT_EQ(t->disegna(layer), 1);
        EXPECT_EQ(Layer(t->Entita()), L"QV-TRACCIATI");
        ICTRACCIATO_Costructor::Libera(&t, 1);
    }
}

}  // namespace
