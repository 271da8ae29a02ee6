#include "PlanChecks.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "DatiPoli.h"
#include "PlanFixtures.h"
#include "TracciatoDatiEstesi.h"

namespace piano {

namespace {

void Vertici(AcDbObjectIterator* it, std::vector<roads::Vertex>& out) {
    for (it->start(); !it->done(); it->step()) {
        AcDbEntity* v = it->entity();
        if (auto* v2 = AcDb2dVertex::cast(v))
            out.push_back({v2->position().x, v2->position().y, v2->bulge()});
        else if (auto* v3 = AcDb3dPolylineVertex::cast(v))
            out.push_back({v3->position().x, v3->position().y, 0});
    }
    delete it;
}

}  // namespace

std::vector<rotatorie::Entita> Rileggi(AcDbDatabase* database) {
    std::vector<rotatorie::Entita> out;
    AcDbBlockTable* tabella = nullptr;
    EXPECT_EQ(database->getBlockTable(tabella, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* modello = nullptr;
    EXPECT_EQ(tabella->getAt(ACDB_MODEL_SPACE, modello, AcDb::kForRead), Acad::eOk);
    tabella->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    modello->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        if (it->getEntity(e, AcDb::kForRead) != Acad::eOk) continue;
        rotatorie::Entita letta;
        ACHAR* layer = e->layer();
        letta.layer = layer;
        acutDelString(layer);
        if (auto* c = AcDbCircle::cast(e)) {
            letta.tipo = rotatorie::Entita::Cerchio;
            letta.centro = {c->center().x, c->center().y, c->center().z};
            letta.raggio = c->radius();
        } else if (auto* p2 = AcDb2dPolyline::cast(e)) {
            Vertici(p2->vertexIterator(), letta.vertici);
        } else if (auto* p3 = AcDb3dPolyline::cast(e)) {
            letta.tridimensionale = true;
            Vertici(p3->vertexIterator(), letta.vertici);
        }
        letta.datiEstesi.reset(e->xData());
        e->close();
        out.push_back(std::move(letta));
    }
    delete it;
    modello->close();
    return out;
}

void ConfrontaEntita(const std::vector<rotatorie::Entita>& attese, const std::vector<rotatorie::Entita>& lette) {
    ASSERT_EQ(lette.size(), attese.size());
    for (std::size_t i = 0; i < attese.size(); ++i) {
        const auto& a = attese[i];
        const auto& l = lette[i];
        SCOPED_TRACE(testing::Message() << "entity " << i << " " << (a.kind.empty() ? L"alignment" : a.kind));
        EXPECT_EQ(l.tipo, a.tipo);
        EXPECT_EQ(l.tridimensionale, a.tridimensionale);
        EXPECT_EQ(l.layer, a.layer);
        if (a.tipo == rotatorie::Entita::Cerchio) {
            EXPECT_NEAR(l.centro.x, a.centro.x, 1e-9);
            EXPECT_NEAR(l.centro.y, a.centro.y, 1e-9);
            EXPECT_NEAR(l.centro.z, a.centro.z, 1e-9);
            EXPECT_NEAR(l.raggio, a.raggio, 1e-9);
        }
        EXPECT_EQ(l.vertici.size(), a.vertici.size());
        for (std::size_t k = 0; k < std::min(l.vertici.size(), a.vertici.size()); ++k) {
            EXPECT_NEAR(l.vertici[k].x, a.vertici[k].x, 1e-9);
            EXPECT_NEAR(l.vertici[k].y, a.vertici[k].y, 1e-9);
            EXPECT_NEAR(l.vertici[k].bulge, a.vertici[k].bulge, 1e-12);
        }
        const resbuf* x = l.datiEstesi.get();
        int n = 0;
        for (const resbuf* y = a.datiEstesi.get(); y; y = y->rbnext, x = x ? x->rbnext : nullptr, ++n) {
            ASSERT_NE(x, nullptr) << "item " << n << " missing";
            ASSERT_EQ(x->restype, y->restype) << "item " << n;
            switch (vplat::ValueKindOf(y->restype)) {
                case vplat::RbValue::String: EXPECT_STREQ(x->resval.rstring, y->resval.rstring) << n; break;
                case vplat::RbValue::Real: EXPECT_EQ(x->resval.rreal, y->resval.rreal) << n; break;
                case vplat::RbValue::Short: EXPECT_EQ(x->resval.rint, y->resval.rint) << n; break;
                case vplat::RbValue::Long: EXPECT_EQ(x->resval.rlong, y->resval.rlong) << n; break;
                case vplat::RbValue::Point:
                    for (int c = 0; c < 3; ++c) EXPECT_EQ(x->resval.rpoint[c], y->resval.rpoint[c]) << n;
                    break;
                default: break;
            }
        }
        EXPECT_EQ(x, nullptr) << "items beyond the expected ones";
    }
}

void VerificaPosizioni(const rotatorie::Rotatoria& r, const rotatorie::Entita& generata, const resbuf* catena) {
    ASSERT_NE(catena, nullptr);
    ASSERT_EQ(catena->restype, 1001);
    EXPECT_STREQ(catena->resval.rstring, rotatorie::kAppRotatoria);
    ASSERT_NE(catena->rbnext, nullptr);
    EXPECT_EQ(catena->rbnext->restype == 1002, r.graffe);
    auto pos = Posizioni(catena);
    bool cerchio = generata.tipo == rotatorie::Entita::Cerchio;
    // The closing brace, when there is one, follows the last position.
    ASSERT_EQ(pos.size(), (cerchio ? 3u : 6u) + (r.graffe ? 1 : 0));
    if (r.graffe) {
        EXPECT_EQ(Testo(pos.back()), L"}");
    }
    EXPECT_EQ(Testo(pos[0]), r.nomePianta);
    if (cerchio) {
        // The roundabout's name is on both circles.
        EXPECT_EQ(Testo(pos[1]), r.nome);
        EXPECT_EQ(Testo(pos[2]), generata.kind);
        return;
    }
    const auto& ramo = r.rami[generata.ramo];
    EXPECT_EQ(Testo(pos[1]), ramo.nomeInterno);
    EXPECT_EQ(Testo(pos[2]), ramo.nome);
    EXPECT_EQ(Testo(pos[3]), generata.kind);
    EXPECT_EQ(Testo(pos[4]), L"");
    ASSERT_EQ(pos[5]->restype, 1070);
    // 0 when the alignment runs away from the ring.
    EXPECT_EQ(pos[5]->resval.rint, ramo.versoUscente ? 0 : 1);
}

void VerificaTracciato(const rotatorie::Ramo& ramo, const rotatorie::Entita& e) {
    datipoli* testa = roads::ListaDi(e.vertici);
    std::wstring errore;
    ICTRACCIATO* t = vplat::DecodificaTracciato(e.datiEstesi.get(), testa, &errore);
    LiberaDATIPOLI(&testa);
    ASSERT_NE(t, nullptr) << errore;
    EXPECT_EQ(std::wstring(t->getNomeInterno()), ramo.nomeInterno);
    EXPECT_EQ(std::wstring(t->GetDato(QV_DATO_NOME_TRACCIATO).GetString()), ramo.nome);
    EXPECT_EQ(t->GetDato(QV_DATO_PROG_INIZIALE).GetDouble(), ramo.progIniziale);
    EXPECT_NEAR(t->GetDato(QV_DATO_LUNGHEZZA).GetDouble(), ramo.lunghezzaTracciato, 1e-9);
    EXPECT_EQ(t->getNumeroProfili(), ramo.profilo.empty() ? 0 : 1);
    if (const ICPROFILO* p = t->getProfilo(0)) {
        EXPECT_EQ(std::wstring(p->GetDato(QV_DATO_NOME_PROFILO).GetString()), ramo.nomeProfilo);
        const auto& vertici = p->getVertici();
        EXPECT_EQ(vertici.size(), ramo.profilo.size());
        for (std::size_t k = 0; k < std::min(vertici.size(), ramo.profilo.size()); ++k) {
            EXPECT_EQ(vertici[k].prog, ramo.profilo[k].first);
            EXPECT_EQ(vertici[k].quota, ramo.profilo[k].second);
        }
    }
    struct Lista {
        int codice, datoA, datoB;
        const std::vector<rotatorie::RecordSezione>& attesi;
    };
    for (const Lista& x : {Lista{1500, 22004, 22005, ramo.lista1500}, Lista{1505, 22022, 22023, ramo.lista1505}}) {
        SCOPED_TRACE(x.codice);
        ICLISTADATI* lista = t->getListaDati(x.codice);
        EXPECT_EQ(lista->getNumero(), static_cast<int>(x.attesi.size()));
        const ICELEMENTODATI* rec = lista->getPrimo();
        for (const auto& atteso : x.attesi) {
            if (!rec) break;
            EXPECT_EQ(rec->getProgressiva(), atteso.prog);
            EXPECT_EQ(rec->GetDato(x.datoA).GetDouble(), atteso.a);
            EXPECT_EQ(rec->GetDato(x.datoB).GetDouble(), atteso.b);
            rec = lista->getSuccessivo(rec);
        }
    }
    ICTRACCIATO_Costructor::Libera(&t, 1);
}

}  // namespace piano
