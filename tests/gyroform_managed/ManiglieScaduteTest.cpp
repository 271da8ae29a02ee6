// Handles of objects the model frees: whoever frees an object (the model
// when it reads the plan again, a recompute, a group, a new section
// spacing, liberaPtr), every handle of it answers the stale-handle code,
// and the model's own groups cannot be emptied under the model. Run in the
// sanitizer build, a handle that reached freed memory would fail here.
#include <algorithm>
#include <functional>

#include "StratoC.h"

namespace {

class ManiglieScaduteTest : public StratoCTest {
public:
    GfManiglia Membro(GfManiglia gruppo, int i) { return Maniglia("IGroup.Member", {Ogg(gruppo), Int(i)}); }
    GfManiglia Punti(GfManiglia ciglio, int tipo) { return Maniglia("Ciglio3D.getPunti", {Ogg(ciglio), Int(tipo)}); }
    long long Intero(const char* nome, std::vector<GfValore> argomenti) {
        GfValore r{};
        EXPECT_EQ(C(nome, std::move(argomenti), &r), GF_OK) << nome;
        return r.intero;
    }
    // The whole model still answers: recompute, drawing, every edge's length.
    void ModelloIntegro(GfManiglia r) {
        GfManiglia esterno = Membro(m_cigli, 1);
        EXPECT_EQ(C("Rotatoria3D.ricalcola", {Ogg(r), Ogg(esterno), Int(2), Int(29005), ::Membro(0), Valore(GF_DATO)}),
                  GF_OK);
        EXPECT_EQ(C("Rotatoria3D.disegna3D", {Ogg(r), Ogg(0)}), GF_OK);
        long long n = Intero("IGroup.Count", {Ogg(m_cigli)});
        for (int i = 0; i < n; ++i) EXPECT_EQ(C("Ciglio3D.getLunghezza", {Ogg(Membro(m_cigli, i))}), GF_OK);
    }
    GfManiglia m_cigli = 0, m_assi = 0;
};

TEST_F(ManiglieScaduteTest, OgniManigliaDiUnOggettoLiberatoEScaduta) {
    struct Caso {
        const char* nome;
        // Binds the handles, then frees what they stand for; the handles that must be stale.
        std::function<std::vector<GfManiglia>(ManiglieScaduteTest&, GfManiglia)> passi;
        bool liberata;  // the roundabout itself is gone
    };
    const Caso casi[] = {
        {"a branch erased from the plan, then aggiorna",
         [](ManiglieScaduteTest& t, GfManiglia r) {
             GfManiglia ramo = t.Membro(t.m_cigli, 2), asse = t.Membro(t.m_assi, 0);
             GfManiglia nodi = t.Punti(ramo, 9), nodo = t.Membro(nodi, 0);
             std::vector<rotatorie::Entita> entita = rotatorie::EntitaDi(rotatorie::Campioni().front().rotatorie.front());
             for (size_t i = 0; i < entita.size(); ++i)
                 if (entita[i].ramo == 0) Ombrix::GetEntityUtils()->Cancella(ZylEntityID(t.m_ids[i]));
             EXPECT_EQ(t.Intero("Rotatoria3D.aggiorna", {Ogg(r)}), 1);
             return std::vector<GfManiglia>{ramo, asse, nodi, nodo};
         },
         false},
        {"the rotation points of the outer branch edges, emptied by a propagated recompute",
         [](ManiglieScaduteTest& t, GfManiglia r) {
             GfManiglia ramo = t.Membro(t.m_cigli, 2);
             GfManiglia punto = t.Membro(t.Punti(ramo, 7), 0);
             GfManiglia esterno = t.Membro(t.m_cigli, 1);
             EXPECT_EQ(t.C("Rotatoria3D.ricalcola",
                           {Ogg(r), Ogg(esterno), Int(1), Int(29005), ::Membro(0), Valore(GF_DATO)}),
                       GF_OK);
             return std::vector<GfManiglia>{punto};
         },
         false},
        {"a section point, after a new section spacing",
         [](ManiglieScaduteTest& t, GfManiglia r) {
             GfManiglia sezione = t.Membro(t.Punti(t.Membro(t.m_cigli, 2), 10), 1);
             EXPECT_EQ(t.C("Rotatoria3D.setPassoSezioni", {Ogg(r), Reale(4.0)}), GF_OK);
             return std::vector<GfManiglia>{sezione};
         },
         false},
        {"vertex points removed and emptied through their group",
         [](ManiglieScaduteTest& t, GfManiglia) {
             GfManiglia vertici = t.Punti(t.Membro(t.m_cigli, 3), 8);
             GfManiglia secondo = t.Membro(vertici, 1);
             EXPECT_EQ(t.Intero("IGroup.Remove", {Ogg(vertici), ::Membro(secondo)}), 1);
             GfManiglia rotazione = t.Punti(t.Membro(t.m_cigli, 2), 7);
             GfManiglia punto = t.Membro(rotazione, 0);
             EXPECT_EQ(t.Intero("IGroup.Empty", {Ogg(rotazione)}), 1);
             return std::vector<GfManiglia>{secondo, punto};
         },
         false},
        {"a lone point attached to an edge of a roundabout then freed",
         [](ManiglieScaduteTest& t, GfManiglia r) {
             GfManiglia punto = t.Maniglia("GyroformFactory.AllocaIQvObject", {Int(29004)});
             EXPECT_EQ(t.Intero("PuntoCiglio.inizializza", {Ogg(punto), Ogg(t.Membro(t.m_cigli, 2)), Int(1, GF_BOOL)}),
                       1);
             EXPECT_EQ(t.C("Rotatoria3D.liberaPtr", {Ogg(r)}), GF_OK);
             return std::vector<GfManiglia>{punto, t.m_cigli};
         },
         true},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        // Each case on a drawing of its own.
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        GfManiglia r = Leggi();
        m_cigli = Maniglia("Rotatoria3D.getCigli", {Ogg(r)});
        m_assi = Maniglia("Rotatoria3D.getAssi", {Ogg(r)});
        for (GfManiglia h : c.passi(*this, r)) {
            if (h == 0) continue;
            EXPECT_EQ(C("IQvObjectMgd.GetTipo", {Ogg(h)}), GF_ERR_MANIGLIA_SCADUTA);
            EXPECT_EQ(C("IQvObjectMgd.GetDato", {Ogg(h), Int(4)}), GF_ERR_MANIGLIA_SCADUTA);
            EXPECT_EQ(Classe(h), "errore " + std::to_string(GF_ERR_MANIGLIA_SCADUTA));
        }
        if (c.liberata) {
            m_nativa = nullptr;
        } else {
            ModelloIntegro(r);
            EXPECT_EQ(C("Rotatoria3D.liberaPtr", {Ogg(r)}), GF_OK);
            m_nativa = nullptr;
        }
        ManiglieGyroform::Get().Svuota();
    }
}

// The edges, the axes, every edge's nodes and sections hold what the model
// points into: a host may read them, not empty them or change their members.
TEST_F(ManiglieScaduteTest, IGruppiDelModelloNonSiSvuotano) {
    GfManiglia r = Leggi();
    m_cigli = Maniglia("Rotatoria3D.getCigli", {Ogg(r)});
    m_assi = Maniglia("Rotatoria3D.getAssi", {Ogg(r)});
    GfManiglia isola = Membro(m_cigli, 3);
    GfManiglia nodi = Punti(isola, 9), sezioni = Punti(isola, 10);
    GfManiglia anello = Membro(m_cigli, 0), nodo = Membro(nodi, 1);
    const long long prima[] = {Intero("IGroup.Count", {Ogg(m_cigli)}), Intero("IGroup.Count", {Ogg(m_assi)}),
                               Intero("IGroup.Count", {Ogg(nodi)}), Intero("IGroup.Count", {Ogg(sezioni)})};
    for (GfManiglia g : {m_cigli, m_assi, nodi, sezioni}) {
        EXPECT_EQ(Intero("IGroup.Empty", {Ogg(g)}), 0);
        EXPECT_EQ(Intero("IGroup.Remove", {Ogg(g), ::Membro(Membro(g, 0))}), 0);
    }
    for (int tipo : {9, 10}) EXPECT_EQ(C("Ciglio3D.svuotaGruppoPunti", {Ogg(isola), Int(tipo)}), GF_OK);
    const long long dopo[] = {Intero("IGroup.Count", {Ogg(m_cigli)}), Intero("IGroup.Count", {Ogg(m_assi)}),
                              Intero("IGroup.Count", {Ogg(nodi)}), Intero("IGroup.Count", {Ogg(sezioni)})};
    EXPECT_EQ(std::vector<long long>(dopo, dopo + 4), std::vector<long long>(prima, prima + 4));
    // Members bound before still answer, and so does the model.
    EXPECT_EQ(C("Ciglio3D.getLunghezza", {Ogg(anello)}), GF_OK);
    EXPECT_EQ(C("IQvObjectMgd.GetDato", {Ogg(nodo), Int(5)}), GF_OK);
    ModelloIntegro(r);
    // A point of the model stays on its edge.
    EXPECT_EQ(Intero("PuntoCiglio.inizializza", {Ogg(nodo), Ogg(anello), Int(0, GF_BOOL)}), 0);
    EXPECT_EQ(static_cast<IQvObject*>(
                  static_cast<CPuntoCiglio*>(ManiglieGyroform::Get().Trova(nodo)->oggetto->GetQvObject())
                      ->getProprietario()),
              ManiglieGyroform::Get().Trova(isola)->oggetto->GetQvObject());
}

// A lone point joins an edge's group of its own kind only, once; the group
// owns it from then on, and the host no longer frees it.
TEST_F(ManiglieScaduteTest, UnPuntoSoloEntraSoloNelGruppoDelSuoTipo) {
    GfManiglia r = Leggi();
    m_cigli = Maniglia("Rotatoria3D.getCigli", {Ogg(r)});
    GfManiglia esterno = Membro(m_cigli, 1), isola = Membro(m_cigli, 3);
    GfManiglia vertici = Punti(esterno, 8), verifica = Punti(esterno, 6);
    GfManiglia sezione = Maniglia("GyroformFactory.AllocaIQvObject", {Int(29010)});
    GfManiglia vertice = Maniglia("GyroformFactory.AllocaIQvObject", {Int(29004)});
    GfManiglia gruppo = Maniglia("GyroformFactory.AllocaIQvObject", {Int(1700)});
    struct Caso {
        const char* nome;
        GfManiglia gruppo, oggetto;
        bool entra;
    };
    const Caso casi[] = {
        {"a section point into vertices", vertici, sezione, false},
        {"a vertex into verification points", verifica, vertice, false},
        {"a vertex into the edges", m_cigli, vertice, false},
        {"a group into a lone group", gruppo, gruppo, false},
        {"a vertex into vertices", vertici, vertice, true},
        {"the same vertex again, now the group's", Punti(isola, 8), vertice, false},
        {"a section point into a lone group", gruppo, sezione, true},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        long long prima = Intero("IGroup.Count", {Ogg(c.gruppo)});
        GfValore membro{};
        ASSERT_EQ(C("IGroup.Append", {Ogg(c.gruppo), Ogg(c.oggetto)}, &membro), GF_OK);
        EXPECT_EQ(membro.tipo, GF_MEMBRO);
        EXPECT_EQ(membro.intero != 0, c.entra);
        EXPECT_EQ(Intero("IGroup.Count", {Ogg(c.gruppo)}), prima + (c.entra ? 1 : 0));
    }
    // The vertex joined the ring's profile on the ring: its chainage reads there.
    auto* punto = static_cast<CPuntoCiglio*>(ManiglieGyroform::Get().Trova(vertice)->oggetto->GetQvObject());
    EXPECT_EQ(static_cast<IQvObject*>(punto->getProprietario()),
              ManiglieGyroform::Get().Trova(esterno)->oggetto->GetQvObject());
    // Releasing the handles frees nothing the groups own; the lone group
    // (with the section point it took) goes with its handle.
    for (GfManiglia h : {sezione, vertice, gruppo}) EXPECT_EQ(Gyroform_Rilascia(h), GF_OK);
    EXPECT_EQ(Intero("IGroup.Count", {Ogg(vertici)}), 2);
    ModelloIntegro(r);
}

// A vertex group of an island edge lists its points in chainage order after
// every edit: a vertex the host moves past the others, a lone vertex
// appended, one inserted in front of a member further on, and the recompute
// that moves the first and last vertices onto the nodes.
TEST_F(ManiglieScaduteTest, UnGruppoConChiaveRestaInOrdineDopoOgniModifica) {
    GfManiglia r = Leggi();
    m_cigli = Maniglia("Rotatoria3D.getCigli", {Ogg(r)});
    GfManiglia isola = Membro(m_cigli, 3);
    GfManiglia vertici = Punti(isola, 8);
    auto* gruppo = static_cast<IQvObject_Group*>(ManiglieGyroform::Get().Trova(vertici)->oggetto->GetQvObject());
    auto* ciglio = static_cast<CCiglio3D*>(ManiglieGyroform::Get().Trova(isola)->oggetto->GetQvObject());
    ASSERT_EQ(ciglio->getCodiceEnum(), 4000);
    auto progressive = [&] {
        std::vector<double> out;
        for (auto* m = gruppo->GetFirstMember(); m; m = m->GetNext())
            out.push_back(static_cast<CPuntoCiglio*>(m->GetObject())->getProgressiva());
        return out;
    };
    auto dato = [](double prog) {
        GfValore d = Valore(GF_DATO);
        d.id = DATO_PUNTO_PROGRESSIVA;
        d.tipoDato = GF_REALE;
        d.reale = prog;
        return d;
    };
    auto solo = [&](double prog) {
        GfManiglia v = Maniglia("GyroformFactory.AllocaIQvObject", {Int(TIPO_PUNTOVERTICE)});
        EXPECT_EQ(C("PuntoCiglio.inizializza", {Ogg(v), Ogg(isola), Int(1, GF_BOOL)}), GF_OK);
        EXPECT_EQ(C("IQvObjectMgd.SetDato", {Ogg(v), dato(prog)}), GF_OK);
        return v;
    };
    std::vector<double> prima = progressive();
    ASSERT_GE(prima.size(), 2u);
    ASSERT_TRUE(std::is_sorted(prima.begin(), prima.end()));
    const double lunghezza = ciglio->getLunghezza();
    const double oltre = (prima.back() + lunghezza) / 2;

    ASSERT_EQ(C("IQvObjectMgd.SetDato", {Ogg(Membro(vertici, 0)), dato(oltre)}), GF_OK);
    std::vector<double> dopo = progressive();
    EXPECT_TRUE(std::is_sorted(dopo.begin(), dopo.end())) << ::testing::PrintToString(dopo);
    EXPECT_DOUBLE_EQ(dopo.back(), oltre);

    ASSERT_EQ(C("IGroup.Append", {Ogg(vertici), Ogg(solo(prima.back() / 3))}), GF_OK);
    dopo = progressive();
    EXPECT_TRUE(std::is_sorted(dopo.begin(), dopo.end())) << ::testing::PrintToString(dopo);

    GfValore membro{};
    ASSERT_EQ(C("IGroup.Insert", {Ogg(vertici), ::Membro(Membro(vertici, 0)), Ogg(solo(lunghezza - 0.5))}, &membro),
              GF_OK);
    dopo = progressive();
    EXPECT_TRUE(std::is_sorted(dopo.begin(), dopo.end())) << ::testing::PrintToString(dopo);
    EXPECT_EQ(dopo.size(), prima.size() + 2);

    EXPECT_EQ(C("Rotatoria3D.ricalcola", {Ogg(r), Ogg(isola), Int(1), Int(TIPO_PUNTOVERTICE), ::Membro(membro.intero),
                                          Valore(GF_DATO)}),
              GF_OK);
    dopo = progressive();
    EXPECT_TRUE(std::is_sorted(dopo.begin(), dopo.end())) << ::testing::PrintToString(dopo);
    ModelloIntegro(r);
}

// Every method on a lone object of every kind (no roundabout, no groups)
// answers a code and never reaches past what the object has.
TEST_F(ManiglieScaduteTest, OgniMetodoSuUnOggettoSolo) {
    GfManiglia r = Leggi();
    GfManiglia anello = Membro(Maniglia("Rotatoria3D.getCigli", {Ogg(r)}), 1);
    for (int tipo = 29000; tipo <= 29010; ++tipo) {
        SCOPED_TRACE(tipo);
        GfManiglia solo = Maniglia("GyroformFactory.AllocaIQvObject", {Int(tipo)});
        ASSERT_NE(solo, 0u);
        const std::string classe = Classe(solo);
        for (int i = 0; i < Gyroform_NumeroMetodi(); ++i) {
            const GfMetodo* m = Gyroform_Metodo(i);
            std::string nome = m->nome;
            std::string suo = nome.substr(0, nome.find('.'));
            if (!m->istanza || nome == "Rotatoria3D.liberaPtr" || (suo != classe && suo != "IQvObjectMgd")) continue;
            SCOPED_TRACE(nome);
            std::vector<std::vector<char>> buffer;
            std::vector<GfValore> argomenti{Ogg(solo)};
            for (int k = 0; k < m->numeroArgomenti; ++k) {
                GfValore v = Valore(m->tipiArgomenti[k]);
                switch (v.tipo) {
                    case GF_INTERO: v.intero = 8; break;
                    case GF_REALE:
                    case GF_RIF_REALE: v.reale = 1.0; break;
                    case GF_TESTO:
                    case GF_ENTITA: v.testo = ""; break;
                    case GF_OGGETTO: v.intero = static_cast<long long>(anello); break;
                    case GF_DATO:
                        v.id = 4;
                        v.tipoDato = GF_REALE;
                        v.reale = 1.0;
                        break;
                    case GF_ARRAY:
                        buffer.emplace_back(1 << 16);
                        v.buffer = buffer.back().data();
                        v.capacita = buffer.back().size();
                        break;
                    default: break;
                }
                argomenti.push_back(v);
            }
            int esito = C(m->nome, argomenti);
            EXPECT_TRUE(esito == GF_OK || esito == GF_ERR_CLASSE) << esito;
        }
        // A roundabout goes with its liberaPtr (and its handles with it), anything else with its handle.
        if (classe == "Rotatoria3D") {
            EXPECT_EQ(C("Rotatoria3D.liberaPtr", {Ogg(solo)}), GF_OK);
            EXPECT_EQ(Gyroform_Rilascia(solo), GF_ERR_MANIGLIA_SCADUTA);
        } else {
            EXPECT_EQ(Gyroform_Rilascia(solo), GF_OK);
        }
    }
}

}  // namespace
