// The managed wrappers over a roundabout read from a plan: which wrapper
// each object gets, the conversions of arguments and results, null handling
// and the end of the native roundabout.
#include <cwchar>

#include "CRotatoria3D.h"
#include "IQvObject_Group.h"
#include "ManagedFixture.h"
#include "QvGroupMgd.h"

namespace {

TEST_F(ManagedTest, OgniTipoHaIlSuoInvolucro) {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    struct Caso {
        int tipo;
        const char* classe;
    };
    const Caso casi[] = {
        {TIPO_ROTATORIA3D, "Rotatoria3D"}, {TIPO_CIGLIOANELLO3D, "Ciglio3D"}, {TIPO_CIGLIORAMO3D, "Ciglio3D"},
        {TIPO_PUNTOCIGLIO, "PuntoCiglio"}, {TIPO_PUNTOVERTICE, "PuntoCiglio"}, {TIPO_PUNTOPIANO, "PuntoCiglio"},
        {TIPO_PUNTOROTAZIONE, "PuntoCiglio"}, {TIPO_PUNTOVERIFICA, "PuntoCiglio"}, {TIPO_PUNTONODO, "PuntoCiglio"},
        {TIPO_ASSERAMO, "AsseRamo"}, {TIPO_PUNTOSEZIONE, "PuntoCiglio"}, {TIPO_GRUPPO, "QvGroupMgd"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.tipo);
        IQvObject* obj = costruttore->Alloca(c.tipo);
        ASSERT_NE(obj, nullptr);
        std::shared_ptr<IQvObjectMgd> w = GyroformFactory::getIQvObjectWrapper(obj);
        std::string classe = dynamic_cast<Rotatoria3D*>(w.get())   ? "Rotatoria3D"
                             : dynamic_cast<Ciglio3D*>(w.get())    ? "Ciglio3D"
                             : dynamic_cast<PuntoCiglio*>(w.get()) ? "PuntoCiglio"
                             : dynamic_cast<AsseRamo*>(w.get())    ? "AsseRamo"
                             : dynamic_cast<QvGroupMgd*>(w.get())  ? "QvGroupMgd"
                                                                   : "altro";
        EXPECT_EQ(classe, c.classe);
        EXPECT_EQ(w->GetQvObject(), obj);
        // The instance method and a factory made by AllocaIQvObject agree.
        EXPECT_EQ(typeid(*GyroformFactory().GetIQvObjectWrapper(obj)), typeid(*w));
        costruttore->Libera(&obj);
    }
    EXPECT_EQ(GyroformFactory::getIQvObjectWrapper(nullptr), nullptr);
    std::shared_ptr<IQvObjectMgd> punto = GyroformFactory().AllocaIQvObject(TIPO_PUNTONODO);
    ASSERT_TRUE(std::dynamic_pointer_cast<PuntoCiglio>(punto));
    IQvObject* nativo = punto->GetQvObject();
    costruttore->Libera(&nativo);
}

TEST_F(ManagedTest, IGruppiDannoGliInvolucriDelModulo) {
    Leggi();
    std::shared_ptr<IGroup> cigli = m_rotatoria->getCigli();
    ASSERT_TRUE(cigli);
    EXPECT_TRUE(std::dynamic_pointer_cast<GyroformFactory>(cigli->QvObjectFactory));
    std::vector<int> codici;
    for (const auto& c : Membri<ICiglio3D>(cigli)) {
        ASSERT_TRUE(c);
        codici.push_back(c->getCodiceEnum());
    }
    std::vector<int> attesi = {1000, 2000};
    for (int i = 0; i < 3; ++i) attesi.insert(attesi.end(), {3000, 4000, 5000, 6000});
    EXPECT_EQ(codici, attesi);
    auto assi = Membri<IAsseRamo>(m_rotatoria->getAssi());
    ASSERT_EQ(assi.size(), 3u);
    for (const auto& a : assi) EXPECT_TRUE(a && !a->getNome().empty());
    // A new factory at every call.
    auto r = std::dynamic_pointer_cast<Rotatoria3D>(m_rotatoria);
    EXPECT_NE(r->getQvObjectFactory(), r->getQvObjectFactory());
    EXPECT_EQ(m_rotatoria->getNome(), static_cast<CRotatoria3D*>(m_rotatoria->getPtr())->getNome().GetString());
}

TEST_F(ManagedTest, CiglioDiRamoGruppiMancantiEArrayVuoti) {
    Leggi();
    std::shared_ptr<ICiglio3D> ramo = Ciglio(CIGLIO_ESTERNO_SINISTRO);
    ASSERT_TRUE(ramo);
    // A branch edge has no plane points: no group, and emptying it does nothing.
    EXPECT_EQ(ramo->getPunti(GRUPPO_PIANO), nullptr);
    std::vector<int> prima;
    for (int g : {GRUPPO_VERIFICA, GRUPPO_ROTAZIONE, GRUPPO_VERTICE, GRUPPO_NODO, GRUPPO_CIGLIO})
        prima.push_back(ramo->getPunti(g)->Count());
    ramo->svuotaGruppoPunti(GRUPPO_PIANO);
    std::vector<int> dopo;
    for (int g : {GRUPPO_VERIFICA, GRUPPO_ROTAZIONE, GRUPPO_VERTICE, GRUPPO_NODO, GRUPPO_CIGLIO})
        dopo.push_back(ramo->getPunti(g)->Count());
    EXPECT_EQ(dopo, prima);
    // The points of a group come back as PuntoCiglio.
    auto nodi = Membri<IPuntoCiglio>(ramo->getPunti(GRUPPO_NODO));
    ASSERT_FALSE(nodi.empty());
    for (const auto& p : nodi) EXPECT_TRUE(p);
    // The nodes and sections are the model's own and stay; the host's points go.
    ramo->svuotaGruppoPunti(GRUPPO_NODO);
    ramo->svuotaGruppoPunti(GRUPPO_CIGLIO);
    EXPECT_EQ(ramo->getPunti(GRUPPO_NODO)->Count(), static_cast<int>(nodi.size()));
    EXPECT_EQ(ramo->getPunti(GRUPPO_CIGLIO)->Count(), prima[4]);
    ramo->svuotaGruppoPunti(GRUPPO_ROTAZIONE);
    EXPECT_EQ(ramo->getPunti(GRUPPO_ROTAZIONE)->Count(), 0);

    std::shared_ptr<CADDatoArrayMgd> verifica = ramo->getPuntiAltCiglio(TIPO_PUNTOVERIFICA);
    ASSERT_TRUE(verifica);
    EXPECT_EQ(verifica->Count(), 0);
    EXPECT_TRUE(ramo->getPuntiAltCiglio(TIPO_PUNTOVERTICE));
    // The reference edge wrapped, or null when there is none.
    bool conRif = false, senzaRif = false;
    for (const auto& c : Membri<ICiglio3D>(m_rotatoria->getCigli())) {
        ICCiglio3D* nativo = c->getPtr()->getCiglioRif();
        std::shared_ptr<ICiglio3D> rif = c->getCiglioRif();
        EXPECT_EQ(rif ? rif->getPtr() : nullptr, nativo);
        (nativo ? conRif : senzaRif) = true;
    }
    EXPECT_TRUE(conRif && senzaRif);

    auto tipi = std::make_shared<CADDatoArrayMgd>();
    ramo->getTipiCalcolo(tipi);
    CADDatoArray nativi;
    ramo->getPtr()->getTipiCalcolo(nativi);
    EXPECT_EQ(tipi->Count(), nativi.GetCount());
    EXPECT_GT(tipi->Count(), 0);
}

TEST_F(ManagedTest, PuntiEProgressive) {
    Leggi();
    std::shared_ptr<ICiglio3D> anello = Ciglio(CIGLIO_ANELLO_ESTERNO);
    ASSERT_TRUE(anello);
    double lunghezza = anello->getLunghezza();
    ASSERT_GT(lunghezza, 0.0);
    struct Caso {
        double prog;
        int esito;
    };
    for (const Caso& c : {Caso{lunghezza / 4, 1}, Caso{lunghezza + 10.0, 0}}) {
        SCOPED_TRACE(c.prog);
        Point3DMgd p(7, 7, 7);
        EXPECT_EQ(anello->getPuntoDaProg(c.prog, p), c.esito);
        if (c.esito == 0) {
            EXPECT_EQ(p.x, 0.0);
            EXPECT_EQ(p.y, 0.0);
            EXPECT_EQ(p.z, 0.0);
        } else {
            // Ring-centred: on the outer circle about the origin.
            EXPECT_NEAR(std::hypot(p.x, p.y), 25.0, 1e-6);
        }
    }
    // A world point back to its chainage; the point's elevation is not passed on.
    Point3DMgd p;
    ASSERT_EQ(anello->getPuntoDaProg(lunghezza / 4, p), 1);
    Point3DMgd centro;
    {
        double c[3];
        static_cast<CRotatoria3D*>(m_rotatoria->getPtr())->getCentro(c);
        centro = Point3DMgd(c[0], c[1], c[2]);
    }
    double prog = -1.0;
    EXPECT_EQ(anello->getProgDaPunto(prog, Point3DMgd(p.x + centro.x, p.y + centro.y, 1e9)), 1);
    EXPECT_NEAR(prog, lunghezza / 4, 1e-6);
}

TEST_F(ManagedTest, ProfiloDellAsseFinoA499Caratteri) {
    Leggi();
    auto assi = Membri<IAsseRamo>(m_rotatoria->getAssi());
    ASSERT_FALSE(assi.empty());
    std::shared_ptr<IAsseRamo> asse = assi.front();
    ASSERT_EQ(asse->setProfilo(L"Progetto"), 1);
    struct Caso {
        size_t lunghezza;
        int esito;
        std::wstring dopo;
    };
    const Caso casi[] = {{499, 1, std::wstring(499, L'p')}, {500, 0, std::wstring(499, L'p')},
                         {700, 0, std::wstring(499, L'p')}, {0, 1, L""}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.lunghezza);
        EXPECT_EQ(asse->setProfilo(std::wstring(c.lunghezza, L'p')), c.esito);
        EXPECT_EQ(asse->getProfilo(), c.dopo);
    }
    // The alignment's profile names, in order.
    CADDatoArray nativi;
    asse->getPtr()->getProfili(nativi);
    ArrayList nomi = asse->getProfili();
    ASSERT_EQ(static_cast<int>(nomi.size()), nativi.GetCount());
    for (int i = 0; i < nativi.GetCount(); ++i) EXPECT_EQ(nomi[i], nativi[i].GetStringa());
}

TEST_F(ManagedTest, LiberaPtrEAnnullaLInvolucro) {
    Leggi();
    std::shared_ptr<ICiglio3D> anello = Ciglio(CIGLIO_ANELLO_INTERNO);
    ASSERT_TRUE(anello);
    m_rotatoria->liberaPtr();
    EXPECT_EQ(m_rotatoria->getPtr(), nullptr);
    EXPECT_EQ(m_rotatoria->GetQvObject(), nullptr);
    // Further native calls raise, as on a null reference; a second liberaPtr frees nothing.
    EXPECT_THROW(m_rotatoria->getNome(), NullReferenceException);
    EXPECT_THROW(m_rotatoria->getCigli(), NullReferenceException);
    m_rotatoria->liberaPtr();
    m_rotatoria.reset();
}

TEST_F(ManagedTest, Disegna3DSenzaCiglioDisegnaTuttoIlModello) {
    Leggi();
    std::vector<std::shared_ptr<ICiglio3D>> cigli = Membri<ICiglio3D>(m_rotatoria->getCigli());
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    // Every edge has its 3D row.
    for (const auto& c : cigli) {
        SCOPED_TRACE(c->getCodiceEnum());
        EXPECT_GT(c->getPunti3DCiglio()->Count(), 0);
    }
}

// A roundabout that records what its operations receive.
class RotatoriaSpia : public CRotatoria3D {
public:
    int disegna3D(ICCiglio3D* ciglioChanged) override {
        ++disegni;
        ciglioDisegnato = ciglioChanged;
        return 7;
    }
    int ricalcola(ICCiglio3D* ciglio, int tipoEvento, int tipoGruppoPunti, IQvObject_GroupMember* punto,
                  CDato dato) override {
        ciglioRicalcolato = ciglio;
        evento = tipoEvento;
        gruppo = tipoGruppoPunti;
        membro = punto;
        datoRicevuto = dato;
        return 9;
    }
    int esporta(Zyl_GePoint3d ptIns) override {
        punto = ptIns;
        return 5;
    }

    int disegni = 0;
    ICCiglio3D* ciglioDisegnato = reinterpret_cast<ICCiglio3D*>(1);
    ICCiglio3D* ciglioRicalcolato = reinterpret_cast<ICCiglio3D*>(1);
    int evento = 0, gruppo = 0;
    IQvObject_GroupMember* membro = reinterpret_cast<IQvObject_GroupMember*>(1);
    CDato datoRicevuto;
    Zyl_GePoint3d punto;
};

TEST_F(ManagedTest, NullPassaComeNullEIRisultatiNativiTornano) {
    RotatoriaSpia spia;
    Rotatoria3D r(&spia);
    // disegna3D(null) asks for the whole model.
    EXPECT_EQ(r.disegna3D(nullptr), 7);
    EXPECT_EQ(spia.disegni, 1);
    EXPECT_EQ(spia.ciglioDisegnato, nullptr);

    // The native result comes back: a recompute that failed is not reported as done.
    EXPECT_EQ(r.ricalcola(nullptr, 3, GRUPPO_VERTICE, nullptr, std::make_shared<DatoMgd>(4, 12.5)), 9);
    EXPECT_EQ(spia.ciglioRicalcolato, nullptr);
    EXPECT_EQ(spia.membro, nullptr);
    EXPECT_EQ(spia.evento, 3);
    EXPECT_EQ(spia.gruppo, GRUPPO_VERTICE);
    EXPECT_EQ(spia.datoRicevuto.GetId(), 4);
    EXPECT_EQ(spia.datoRicevuto.GetTipo(), CDato::Reale);
    EXPECT_EQ(spia.datoRicevuto.GetDouble(), 12.5);
    // An empty value converts to an empty datum.
    EXPECT_EQ(r.ricalcola(nullptr, 1, 0, nullptr, std::make_shared<DatoMgd>()), 9);
    EXPECT_EQ(spia.datoRicevuto.GetTipo(), CDato::Nessuno);

    EXPECT_EQ(r.esporta(Point3DMgd(1.5, -2.0, 3.25)), 5);
    EXPECT_EQ(spia.punto.x, 1.5);
    EXPECT_EQ(spia.punto.y, -2.0);
    EXPECT_EQ(spia.punto.z, 3.25);
}

TEST_F(ManagedTest, InizializzaUnPuntoSenzaProprietario) {
    Leggi();
    std::shared_ptr<IQvObjectMgd> nuovo = GyroformFactory().AllocaIQvObject(TIPO_PUNTOVERIFICA);
    auto punto = std::dynamic_pointer_cast<IPuntoCiglio>(nuovo);
    ASSERT_TRUE(punto);
    EXPECT_EQ(punto->inizializza(nullptr, true), 1);
    EXPECT_EQ(punto->inizializza(Ciglio(CIGLIO_ANELLO_ESTERNO), false), 1);
    IQvObject* nativo = nuovo->GetQvObject();
    GyroformMain::getConstructor()->Libera(&nativo);
}

TEST_F(ManagedTest, ProprietaLetteEScrittePerId) {
    Leggi();
    std::shared_ptr<IGroup> vertici = Ciglio(CIGLIO_ESTERNO_SINISTRO)->getPunti(GRUPPO_NODO);
    ASSERT_TRUE(vertici && vertici->Count() > 0);
    std::shared_ptr<IQvObjectMgd> punto = vertici->Member(0)->GetObject();
    std::shared_ptr<DatoMgd> prog = punto->GetDato(4);
    ASSERT_EQ(prog->GetTipo(), DatoMgd::Reale);
    EXPECT_EQ(prog->Id(), 4);
    EXPECT_EQ(punto->GetDato(987654)->GetTipo(), DatoMgd::Nessuno);
    EXPECT_EQ(punto->GetTipo(), TIPO_PUNTONODO);
    EXPECT_EQ(punto->SetDato(std::make_shared<DatoMgd>(4, prog->GetDouble() + 0.5)), 1);
    EXPECT_DOUBLE_EQ(punto->GetDato(4)->GetDouble(), prog->GetDouble() + 0.5);
    EXPECT_EQ(vertici->Member(-1), nullptr);
    EXPECT_EQ(vertici->Member(vertici->Count()), nullptr);
}

}  // namespace
