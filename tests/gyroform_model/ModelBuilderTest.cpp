// The model assembled from generated plans: order of the groups, the axes'
// values at the branch end and the branch edges' node points.
#include <cmath>

#include "ModelFixture.h"

using namespace modello;

namespace {

TEST_F(ModelTest, TreRamiSmoke) {
    ASSERT_EQ(Costruisci(TreRami()), 1) << (Messaggi().empty() ? L"" : Messaggi().front()).c_str();
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        std::wcout << c->getCodiceEnum() << L" " << c->getDescrizione().GetString() << L" L=" << c->getLunghezza();
        for (CPuntoNodo* n : Nodi(c))
            std::wcout << L" [" << n->getValoreRif() << L"," << n->getPosizione() << L"," << n->getTipoRif() << L" ("
                       << n->x() << L"," << n->y() << L") z=" << n->getQuota() << L" s=" << n->getPendenza()
                       << (n->getCollegato() ? L" P" : L"") << L"]";
        std::wcout << std::endl;
    }
    for (CAsseRamo* a : Assi(*m_rotatoria))
        std::wcout << a->getNome().GetString() << L" pos=" << a->getPosizioneAnello() << L" L=" << a->getLunghezzaAsse()
                   << L" zc=" << a->getQuotaCentriRotazione() << L" sc=" << a->getPendenzaLongCentriDiRotazione()
                   << L" A=" << a->getValoreA() << L" B=" << a->getValoreB() << std::endl;
}

}  // namespace
namespace {
TEST_F(ModelTest, DebugSp2) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CAsseRamo* a = Assi(*m_rotatoria)[1];
    auto dump = [](const char* n, datipoli* d) {
        std::cout << n << ":";
        for (; d; d = d->next) std::cout << " (" << d->x << "," << d->y << " p" << d->prog << " b" << d->bulge << ")";
        std::cout << std::endl;
    };
    dump("asse", a->getPolilinea());
    for (int c : {3000, 4000, 5000, 6000}) dump(std::to_string(c).c_str(), a->getPolilineaCiglio(c));
}
}
