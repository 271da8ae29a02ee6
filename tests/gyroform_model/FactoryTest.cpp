// The module's constructor: objects by type code, their release, and the
// singleton across the module's start and stop.
#include <typeinfo>

#include "IQvObject_Group.h"
#include "ModelFixture.h"

using namespace modello;

namespace {

struct Caso {
    int tipo;
    const std::type_info& classe;
};

TEST_F(ModelTest, AllocaMakesTheClassOfEachCode) {
    const Caso casi[] = {
        {29000, typeid(CRotatoria3D)},  {29001, typeid(CCiglioAnello3D)}, {29002, typeid(CCiglioRamo3D)},
        {29003, typeid(CPuntoCiglio)},  {29004, typeid(CPuntoVertice)},   {29005, typeid(CPuntoPiano)},
        {29006, typeid(CPuntoRotazione)}, {29007, typeid(CPuntoVerifica)}, {29008, typeid(CPuntoNodo)},
        {29009, typeid(CAsseRamo)},     {29010, typeid(CPuntoSezione)},
    };
    for (const Caso& c : casi) {
        Ptr<IQvObject> o(GyroformMain::getConstructor()->Alloca(c.tipo));
        ASSERT_NE(o, nullptr) << c.tipo;
        EXPECT_EQ(typeid(*o), c.classe) << c.tipo;
        EXPECT_EQ(o->GetTipo(), c.tipo);
    }
    auto piano = Nuovo<CPuntoPiano>(29005);
    EXPECT_EQ(piano->getQuota(), 0.0);
}

TEST_F(ModelTest, OtherCodesGoToTheSuiteConstructor) {
    Ptr<IQvObject> gruppo(GyroformMain::getConstructor()->Alloca(1700));
    ASSERT_NE(gruppo, nullptr);
    EXPECT_NE(dynamic_cast<IQvObject_Group*>(gruppo.get()), nullptr);
    // Just outside the module's range: the suite makes nothing of them.
    EXPECT_EQ(GyroformMain::getConstructor()->Alloca(28999), nullptr);
    EXPECT_EQ(GyroformMain::getConstructor()->Alloca(29011), nullptr);
}

TEST_F(ModelTest, LiberaClearsThePointerAndAcceptsNull) {
    GyroformConstructor* c = GyroformMain::getConstructor();
    c->Libera(nullptr);
    IQvObject* nulla = nullptr;
    c->Libera(&nulla);
    IQvObject* rotatoria = c->allocaRotatoria();
    ASSERT_NE(rotatoria, nullptr);
    EXPECT_EQ(rotatoria->GetTipo(), 29000);
    c->Libera(&rotatoria);
    EXPECT_EQ(rotatoria, nullptr);
    // A framework object goes through the suite's release.
    IQvObject* colore = c->Alloca(2525);
    c->Libera(&colore);
    EXPECT_EQ(colore, nullptr);
}

TEST_F(ModelTest, TheModuleStartKeepsOneConstructor) {
    GyroformConstructor* primo = GyroformMain::getConstructor();
    ASSERT_NE(primo, nullptr);
    GyroformMain::avvia();
    EXPECT_EQ(GyroformMain::getConstructor(), primo);
    m_rotatoria.reset();
    GyroformMain::ferma();
    EXPECT_EQ(GyroformMain::getConstructor(), nullptr);
    GyroformMain::avvia();  // the fixture stops it again
}

}  // namespace
