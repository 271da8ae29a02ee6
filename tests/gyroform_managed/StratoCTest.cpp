// The flat C layer: calls by name through the registry, handles, texts into
// the caller's buffers, and the answer codes for everything a caller can
// get wrong, stale handles after liberaPtr above all.
#include "StratoC.h"

namespace {

TEST_F(StratoCTest, UnaRotatoriaLettaEPercorsaPerManiglie) {
    GfManiglia r = Leggi();
    EXPECT_EQ(Classe(r), "Rotatoria3D");
    GfManiglia cigli = Maniglia("Rotatoria3D.getCigli", {Ogg(r)});
    EXPECT_EQ(Classe(cigli), "IGroup");
    GfValore n{};
    ASSERT_EQ(C("IGroup.Count", {Ogg(cigli)}, &n), GF_OK);
    EXPECT_EQ(n.intero, 14);
    GfManiglia esterno = Maniglia("IGroup.Member", {Ogg(cigli), Int(1)});
    EXPECT_EQ(Classe(esterno), "Ciglio3D");
    GfValore codice{};
    ASSERT_EQ(C("Ciglio3D.getCodiceEnum", {Ogg(esterno)}, &codice), GF_OK);
    EXPECT_EQ(codice.intero, 2000);
    EXPECT_EQ(Maniglia("IGroup.Member", {Ogg(cigli), Int(14)}), 0u);

    // A point by chainage (out) and back (a real written back).
    GfValore punto = Valore(GF_OUT_PUNTO), esito{};
    ASSERT_EQ(C("Ciglio3D.getPuntoDaProg", {Ogg(esterno), Reale(10.0), punto}, &esito), GF_OK);
    EXPECT_EQ(esito.intero, 1);
    punto = m_argomenti[2];
    EXPECT_NEAR(std::hypot(punto.punto[0], punto.punto[1]), 25.0, 1e-6);
    GfValore centro = Valore(GF_PUNTO);
    const rotatorie::Rotatoria rotatoria = rotatorie::Campioni().front().rotatorie.front();
    centro.punto[0] = punto.punto[0] + rotatoria.centro.x;
    centro.punto[1] = punto.punto[1] + rotatoria.centro.y;
    ASSERT_EQ(C("Ciglio3D.getProgDaPunto", {Ogg(esterno), Reale(-1.0, GF_RIF_REALE), centro}, &esito), GF_OK);
    EXPECT_EQ(esito.intero, 1);
    EXPECT_NEAR(m_argomenti[1].reale, 10.0, 1e-6);

    // A node of a branch edge as a group member: its properties by id.
    GfManiglia ramo = Maniglia("IGroup.Member", {Ogg(cigli), Int(2)});
    GfManiglia nodi = Maniglia("Ciglio3D.getPunti", {Ogg(ramo), Int(GRUPPO_NODO)});
    GfManiglia nodo = Maniglia("IGroup.Member", {Ogg(nodi), Int(0)});
    EXPECT_EQ(Classe(nodo), "PuntoCiglio");
    GfValore dato{};
    ASSERT_EQ(C("IQvObjectMgd.GetDato", {Ogg(nodo), Int(4)}, &dato), GF_OK);
    EXPECT_EQ(dato.tipo, GF_DATO);
    EXPECT_EQ(dato.tipoDato, GF_REALE);
    EXPECT_EQ(dato.id, 4);
    // A plane-point group is missing on a branch edge: a null handle.
    EXPECT_EQ(Maniglia("Ciglio3D.getPunti", {Ogg(ramo), Int(GRUPPO_PIANO)}), 0u);
}

TEST_F(StratoCTest, TestiNelBufferDelChiamante) {
    GfManiglia r = Leggi();
    GfManiglia assi = Maniglia("Rotatoria3D.getAssi", {Ogg(r)});
    GfManiglia asse = Maniglia("IGroup.Member", {Ogg(assi), Int(0)});
    std::string nome = vplat::WideToUtf8(
        static_cast<ICAsseRamo*>(ManiglieGyroform::Get().Trova(asse)->oggetto->GetQvObject())->getNome().GetString());
    ASSERT_FALSE(nome.empty());
    struct Caso {
        size_t capacita;
        int esito;
    };
    for (const Caso& c : {Caso{0, GF_ERR_BUFFER}, Caso{nome.size(), GF_ERR_BUFFER}, Caso{nome.size() + 1, GF_OK}}) {
        SCOPED_TRACE(c.capacita);
        std::vector<char> buffer(c.capacita + 1, 'x');
        GfValore r{};
        r.buffer = buffer.data();
        r.capacita = c.capacita;
        EXPECT_EQ(C("AsseRamo.getNome", {Ogg(asse)}, &r), c.esito);
        EXPECT_EQ(r.tipo, GF_TESTO);
        EXPECT_EQ(r.necessario, nome.size() + 1);
        if (c.esito == GF_OK) {
            EXPECT_EQ(std::string(buffer.data()), nome);
        }
        // Nothing written past the given size.
        EXPECT_EQ(buffer[c.capacita], 'x');
    }
    // UTF-8 both ways.
    GfValore esito{};
    ASSERT_EQ(C("AsseRamo.setProfilo", {Ogg(asse), Testo("Profilo più alto")}, &esito), GF_OK);
    EXPECT_EQ(esito.intero, 1);
    GfValore profilo{};
    ASSERT_EQ(C("AsseRamo.getProfilo", {Ogg(asse)}, &profilo), GF_OK);
    EXPECT_STREQ(m_testo, "Profilo più alto");
    std::string lungo(500, 'p');
    ASSERT_EQ(C("AsseRamo.setProfilo", {Ogg(asse), Testo(lungo.c_str())}, &esito), GF_OK);
    EXPECT_EQ(esito.intero, 0);
}

TEST_F(StratoCTest, ChiamateSbagliateRispondonoUnCodice) {
    GfManiglia r = Leggi();
    GfManiglia cigli = Maniglia("Rotatoria3D.getCigli", {Ogg(r)});
    GfManiglia anello = Maniglia("IGroup.Member", {Ogg(cigli), Int(0)});
    struct Caso {
        const char* nome;
        std::vector<GfValore> argomenti;
        int esito;
    };
    const Caso casi[] = {
        {"Rotatoria3D.getNome", {Ogg(0)}, GF_ERR_MANIGLIA_NULLA},
        {"Rotatoria3D.getNome", {Ogg(0x7777)}, GF_ERR_MANIGLIA_SCADUTA},
        {"Rotatoria3D.getNome", {Ogg(r + (1ull << 32))}, GF_ERR_MANIGLIA_SCADUTA},
        {"Rotatoria3D.getNome", {}, GF_ERR_ARGOMENTI},
        {"Rotatoria3D.getNome", {Ogg(r), Int(1)}, GF_ERR_ARGOMENTI},
        {"Rotatoria3D.getNome", {Int(static_cast<long long>(r))}, GF_ERR_ARGOMENTI},
        {"Rotatoria3D.getNome", {Ogg(anello)}, GF_ERR_CLASSE},
        {"Rotatoria3D.setPassoDiscr", {Ogg(r), Int(2)}, GF_ERR_ARGOMENTI},
        {"Rotatoria3D.disegna3D", {Ogg(r), Ogg(cigli)}, GF_ERR_CLASSE},
        {"Rotatoria3D.ricalcola", {Ogg(r), Ogg(0), Int(1), Int(0), Membro(r), Valore(GF_DATO)}, GF_ERR_CLASSE},
        {"Rotatoria3D.ricalcola", {Ogg(r), Ogg(0), Int(1), Int(0), Ogg(anello), Valore(GF_DATO)}, GF_ERR_ARGOMENTI},
        {"Ciglio3D.getLunghezza", {Ogg(r)}, GF_ERR_CLASSE},
        {"IGroup.Count", {Ogg(r)}, GF_ERR_CLASSE},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(C(c.nome, c.argomenti), c.esito);
    }
    // A member handle is also its object.
    GfValore lunghezza{};
    EXPECT_EQ(C("Ciglio3D.getLunghezza", {Membro(anello)}, &lunghezza), GF_OK);
    EXPECT_GT(lunghezza.reale, 0.0);
    EXPECT_EQ(Gyroform_Classe(0, nullptr, 0, nullptr), GF_ERR_MANIGLIA_NULLA);
}

TEST_F(StratoCTest, NullPerIlCiglioEPerIlProprietario) {
    GfManiglia r = Leggi();
    GfValore esito{};
    GfValore dato = Valore(GF_DATO);
    dato.id = 4;
    dato.tipoDato = GF_REALE;
    dato.reale = 3.0;
    EXPECT_EQ(C("Rotatoria3D.ricalcola", {Ogg(r), Ogg(0), Int(1), Int(GRUPPO_VERTICE), Membro(0), dato}, &esito),
              GF_OK);
    EXPECT_EQ(esito.intero, 1);
    GfManiglia punto = Maniglia("GyroformFactory.AllocaIQvObject", {Int(TIPO_PUNTOROTAZIONE)});
    EXPECT_EQ(Classe(punto), "PuntoCiglio");
    EXPECT_EQ(C("PuntoCiglio.inizializza", {Ogg(punto), Ogg(0), Int(1, GF_BOOL)}, &esito), GF_OK);
    EXPECT_EQ(esito.intero, 1);
    IQvObject* nativo = ManiglieGyroform::Get().Trova(punto)->oggetto->GetQvObject();
    GyroformMain::getConstructor()->Libera(&nativo);
}

TEST_F(StratoCTest, DopoLiberaPtrOgniManigliaDellaRotatoriaEScaduta) {
    GfManiglia r = Leggi();
    GfManiglia cigli = Maniglia("Rotatoria3D.getCigli", {Ogg(r)});
    GfManiglia anello = Maniglia("IGroup.Member", {Ogg(cigli), Int(0)});
    GfManiglia assi = Maniglia("Rotatoria3D.getAssi", {Ogg(r)});
    GfManiglia asse = Maniglia("IGroup.Member", {Ogg(assi), Int(0)});
    GfManiglia nodi = Maniglia("Ciglio3D.getPunti", {Ogg(Maniglia("IGroup.Member", {Ogg(cigli), Int(2)})), Int(9)});
    GfManiglia nodo = Maniglia("IGroup.Member", {Ogg(nodi), Int(0)});
    // A second roundabout keeps its handles.
    GfManiglia altra = Maniglia("GyroformFactory.allocaRotatoria", {});

    auto wrapper = std::dynamic_pointer_cast<IRotatoria3D>(ManiglieGyroform::Get().Trova(r)->oggetto);
    ASSERT_EQ(C("Rotatoria3D.liberaPtr", {Ogg(r)}), GF_OK);
    m_nativa = nullptr;
    EXPECT_EQ(wrapper->getPtr(), nullptr);
    struct Caso {
        const char* nome;
        GfManiglia h;
    };
    for (const Caso& c : {Caso{"Rotatoria3D.getNome", r}, Caso{"Rotatoria3D.liberaPtr", r}, Caso{"IGroup.Count", cigli},
                          Caso{"Ciglio3D.getLunghezza", anello}, Caso{"AsseRamo.getNome", asse},
                          Caso{"IQvObjectMgd.GetTipo", nodo}, Caso{"IGroup.Count", nodi}}) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(C(c.nome, {Ogg(c.h)}), GF_ERR_MANIGLIA_SCADUTA);
        EXPECT_EQ(Classe(c.h), "errore " + std::to_string(GF_ERR_MANIGLIA_SCADUTA));
    }
    // Also as an argument.
    GfValore esito{};
    EXPECT_EQ(C("Rotatoria3D.disegna3D", {Ogg(altra), Ogg(anello)}, &esito), GF_ERR_MANIGLIA_SCADUTA);
    EXPECT_EQ(Classe(altra), "Rotatoria3D");
    EXPECT_EQ(C("Rotatoria3D.getPassoDiscr", {Ogg(altra)}, &esito), GF_OK);
    EXPECT_EQ(C("Rotatoria3D.liberaPtr", {Ogg(altra)}), GF_OK);
    EXPECT_EQ(Gyroform_Rilascia(altra), GF_ERR_MANIGLIA_SCADUTA);
}

}  // namespace
