// What the host asks of a roundabout that it cannot have: a method the edge
// cannot take, a reference to no edge or around a loop, a step outside the
// range that gives a model. Each is refused with a message box and its
// failure value, and the model stays as it was; a model left with an edge it
// cannot compute fails its recompute, drawing and export, naming the edge.
#include <string>
#include <vector>

#include "CRotatoria3D.h"
#include "HostText.h"
#include "ManagedFixture.h"
#include "Ombrix.h"

namespace {

enum class Operazione { Metodo, Riferimento, PassoDiscr, PassoSezioni };

struct Chiamata {
    Operazione operazione;
    int ciglio;  // the edge's code (its first edge, on the first branch); 0 for the roundabout
    double valore;
    int risposta;
};

struct Caso {
    const char* nome;
    std::vector<Chiamata> chiamate;
    std::vector<std::wstring> messaggi;  // a part of each box the calls show, in order
    int ciglio;                          // the edge looked at before and after
    int metodo;                          // its method after the calls
    int riferimento;                     // its reference's code after the calls (0: none)
    int ricalcolo;                       // what ricalcola, disegna3D and esporta answer
    std::wstring motivo;                 // a part of the box that names the edge they fail on
};

class RifiutiTest : public ManagedTest {
protected:
    int Facce() {
        auto* r = dynamic_cast<CRotatoria3D*>(m_rotatoria->GetQvObject());
        CADDatoArray filtro, facce;
        filtro.Add(5020, L"3DFACE");
        return Ombrix::GetEntityUtils()->Seleziona(facce, L"X", filtro, r->getBlocco());
    }
    static int Codice(const std::shared_ptr<ICiglio3D>& c) { return c ? c->getCodiceEnum() : 0; }
    int Esegui(const Chiamata& c) {
        switch (c.operazione) {
            case Operazione::Metodo: return Ciglio(c.ciglio)->setTipoCalcolo(static_cast<int>(c.valore));
            case Operazione::Riferimento: return Ciglio(c.ciglio)->setProfRif(static_cast<int>(c.valore));
            case Operazione::PassoDiscr: return m_rotatoria->setPassoDiscr(c.valore);
            case Operazione::PassoSezioni: return m_rotatoria->setPassoSezioni(c.valore);
        }
        return -1;
    }
    // ricalcola from the outer ring with its method's points, disegna3D, esporta.
    std::vector<int> Ricalcola() {
        std::shared_ptr<ICiglio3D> esterno = Ciglio(CIGLIO_ANELLO_ESTERNO);
        const int metodo = esterno->getTipoCalcolo();
        const int gruppo = metodo == 5 ? TIPO_PUNTOPIANO : metodo == 7 ? TIPO_PUNTOROTAZIONE : TIPO_PUNTOVERTICE;
        return {m_rotatoria->ricalcola(esterno, 2, gruppo, nullptr, std::make_shared<DatoMgd>()),
                m_rotatoria->disegna3D(nullptr), m_rotatoria->esporta(Point3DMgd(0.0, -100.0, 0.0))};
    }
    static std::vector<std::wstring> Testi() {
        std::vector<std::wstring> out;
        for (const auto& m : vplat::MessageBoxes::All()) {
            EXPECT_EQ(m.caption, L"Vortana");
            out.push_back(m.text);
        }
        return out;
    }
};

bool Contiene(const std::wstring& testo, const std::wstring& parte) { return testo.find(parte) != std::wstring::npos; }

TEST_F(RifiutiTest, OgniRichiestaImpossibileERifiutataEIlModelloResta) {
    using O = Operazione;
    const std::wstring ciclo = L": il ciglio di riferimento dipende da questo, i riferimenti si chiuderebbero in un ciclo: ";
    const Caso casi[] = {
        {"method 99", {{O::Metodo, 4000, 99, 0}}, {L": metodo di calcolo non ammesso: 99"}, 4000, 8, 0, 1, L""},
        {"the plane on a branch edge",
         {{O::Metodo, 3000, 5, 0}},
         {L"Esterno sinistro: il metodo Piano vale solo per i cigli dell'anello."},
         3000, 7, 4000, 1, L""},
        {"no method", {{O::Metodo, 2000, 0, 0}}, {L"Anello esterno: metodo di calcolo non ammesso: 0"}, 2000, 5, 0, 1,
         L""},
        {"a reference no edge of the branch carries",
         {{O::Riferimento, 3000, 2000, 0}},
         {L": nessun ciglio di codice 2000 sullo stesso ramo da prendere come riferimento."},
         3000, 7, 4000, 1, L""},
        {"the edge itself", {{O::Riferimento, 1000, 1000, 0}},
         {L"Anello interno: un ciglio non può fare da riferimento a se stesso."}, 1000, 7, 2000, 1, L""},
        {"both rings on rotation, each on the other",
         {{O::Metodo, 2000, 7, 1}, {O::Riferimento, 2000, 1000, 0}},
         {L"Anello esterno" + ciclo + L"Anello interno"},
         2000, 7, 0, 0, L"Anello esterno: calcolo per rotazione senza ciglio di riferimento."},
        {"the reference first, then the method that closes the loop",
         {{O::Riferimento, 2000, 1000, 1}, {O::Metodo, 2000, 7, 0}},
         {L"Anello esterno" + ciclo + L"Anello interno"},
         2000, 5, 1000, 1, L""},
        {"an outer branch edge and its island edge on each other",
         {{O::Metodo, 4000, 7, 1}, {O::Riferimento, 4000, 3000, 0}},
         {L"Interno sinistro" + ciclo},
         4000, 7, 0, 0, L"Interno sinistro: calcolo per rotazione senza ciglio di riferimento."},
        {"surface step 1e300", {{O::PassoDiscr, 0, 1e300, 0}},
         {L"Passo di discretizzazione non ammesso: 1e+300 (0.01 - 25)"}, 2000, 5, 0, 1, L""},
        {"section step 1e300", {{O::PassoSezioni, 0, 1e300, 0}}, {L"Passo delle sezioni non ammesso: 1e+300 (0.01 - 25)"},
         2000, 5, 0, 1, L""},
        {"steps just outside", {{O::PassoDiscr, 0, 25.001, 0}, {O::PassoSezioni, 0, 0.0099, 0}},
         {L"(0.01 - 25)", L"(0.01 - 25)"}, 2000, 5, 0, 1, L""},
        {"what the edges can take", {{O::Metodo, 2000, 8, 1}, {O::Riferimento, 4000, 5000, 1}}, {}, 4000, 8, 5000, 1,
         L""},
        {"steps at the ends of the range", {{O::PassoDiscr, 0, 25.0, 1}, {O::PassoSezioni, 0, 0.01, 1}}, {}, 2000, 5,
         0, 1, L""},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        if (m_rotatoria) m_rotatoria->liberaPtr();
        ManiglieGyroform::Get().Svuota();
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        Leggi();
        ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
        const int facce = Facce();
        const double discr = m_rotatoria->getPassoDiscr(), sezioni = m_rotatoria->getPassoSezioni();
        const int metodoPrima = Ciglio(c.ciglio)->getTipoCalcolo();
        const int riferimentoPrima = Codice(Ciglio(c.ciglio)->getCiglioRif());
        vplat::MessageBoxes::Clear();

        bool rifiutate = true;
        for (const Chiamata& chiamata : c.chiamate) {
            EXPECT_EQ(Esegui(chiamata), chiamata.risposta) << static_cast<int>(chiamata.operazione);
            rifiutate = rifiutate && chiamata.risposta == 0;
        }
        std::vector<std::wstring> testi = Testi();
        ASSERT_EQ(testi.size(), c.messaggi.size());
        for (size_t i = 0; i < testi.size(); ++i) EXPECT_TRUE(Contiene(testi[i], c.messaggi[i])) << vplat::WideToUtf8(testi[i]);
        EXPECT_EQ(Ciglio(c.ciglio)->getTipoCalcolo(), c.metodo);
        EXPECT_EQ(Codice(Ciglio(c.ciglio)->getCiglioRif()), c.riferimento);
        if (rifiutate) {
            EXPECT_EQ(c.metodo, metodoPrima);
            EXPECT_EQ(c.riferimento, riferimentoPrima);
            EXPECT_EQ(m_rotatoria->getPassoDiscr(), discr);
            EXPECT_EQ(m_rotatoria->getPassoSezioni(), sezioni);
        }

        vplat::MessageBoxes::Clear();
        EXPECT_EQ(Ricalcola(), std::vector<int>(3, c.ricalcolo));
        testi = Testi();
        if (c.motivo.empty()) {
            EXPECT_TRUE(testi.empty()) << (testi.empty() ? "" : vplat::WideToUtf8(testi[0]));
        } else {
            // Once by each of the three, naming the edge.
            ASSERT_EQ(testi.size(), 3u);
            for (const std::wstring& t : testi) EXPECT_TRUE(Contiene(t, c.motivo)) << vplat::WideToUtf8(t);
        }
        if (rifiutate) {
            EXPECT_EQ(Facce(), facce);
        }
    }
}

}  // namespace
