// The suite's managed types the API stands on: groups by position, and the
// conversions of values and entity data between managed and native.
#include <gtest/gtest.h>

#include <vector>

#include "CADConvertMgd.h"
#include "IQvObject_Group.h"
#include "QvConvertMgd.h"
#include "QvEngineeringConstructor.h"
#include "QvEngineeringFactory.h"
#include "QvGroupMgd.h"

namespace {

TEST(TipiGestiti, GruppoPerPosizione) {
    QvEngineeringFactory fabbrica;
    auto gruppo = std::dynamic_pointer_cast<IGroup>(fabbrica.AllocaIQvObject(1700));
    ASSERT_TRUE(gruppo);
    std::vector<std::shared_ptr<IQvObjectMgd>> colori;
    for (int i = 0; i < 3; ++i) colori.push_back(fabbrica.AllocaIQvObject(2525));
    auto Ordine = [&gruppo]() {
        std::vector<IQvObject*> out;
        for (int i = 0; i < gruppo->Count(); ++i) out.push_back(gruppo->Member(i)->GetObject()->GetQvObject());
        return out;
    };
    EXPECT_EQ(gruppo->First(), nullptr);
    ASSERT_TRUE(gruppo->Append(colori[0]));
    ASSERT_TRUE(gruppo->Append(colori[1]));
    ASSERT_TRUE(gruppo->Insert(gruppo->First(), colori[2]));
    EXPECT_EQ(Ordine(), (std::vector<IQvObject*>{colori[2]->GetQvObject(), colori[0]->GetQvObject(),
                                                  colori[1]->GetQvObject()}));
    EXPECT_EQ(gruppo->First()->GetObject()->GetQvObject(), colori[2]->GetQvObject());
    // Null and foreign members are refused, nothing changes.
    EXPECT_EQ(gruppo->Append(nullptr), nullptr);
    EXPECT_EQ(gruppo->Insert(nullptr, colori[0]), nullptr);
    EXPECT_EQ(gruppo->Remove(nullptr), 0);
    auto altro = std::dynamic_pointer_cast<IGroup>(fabbrica.AllocaIQvObject(1700));
    EXPECT_EQ(altro->Remove(gruppo->Member(0)), 0);
    EXPECT_EQ(gruppo->Count(), 3);
    // Remove frees the member's object; Empty frees them all.
    EXPECT_EQ(gruppo->Remove(gruppo->Member(1)), 1);
    EXPECT_EQ(Ordine(), (std::vector<IQvObject*>{colori[2]->GetQvObject(), colori[1]->GetQvObject()}));
    EXPECT_EQ(gruppo->Empty(), 1);
    EXPECT_EQ(gruppo->Count(), 0);
    for (auto g : {gruppo, altro}) {
        IQvObject* nativo = g->GetQvObject();
        QvEngineeringConstructor::Libera(&nativo, 1);
    }
}

TEST(TipiGestiti, ValoriAvantiEIndietro) {
    const std::shared_ptr<DatoMgd> casi[] = {
        std::make_shared<DatoMgd>(1, true),
        std::make_shared<DatoMgd>(2, -7),
        std::make_shared<DatoMgd>(3, 2.5),
        std::make_shared<DatoMgd>(4, std::wstring(L"più")),
        std::make_shared<DatoMgd>(5, Point3DMgd(1, -2, 3.5)),
    };
    for (const auto& d : casi) {
        SCOPED_TRACE(d->Id());
        CDato nativo = QvConvertMgd::ToCDato(d);
        EXPECT_EQ(nativo.GetId(), d->Id());
        std::shared_ptr<DatoMgd> ritorno = QvConvertMgd::ToDatoMgd(nativo);
        EXPECT_EQ(ritorno->Id(), d->Id());
        EXPECT_EQ(ritorno->GetTipo(), d->GetTipo());
        EXPECT_EQ(ritorno->GetInt(), d->GetInt());
        EXPECT_EQ(ritorno->GetDouble(), d->GetDouble());
        EXPECT_EQ(ritorno->GetString(), d->GetString());
        EXPECT_EQ(ritorno->GetPunto().z, d->GetPunto().z);
    }
    EXPECT_EQ(QvConvertMgd::ToCDato(nullptr).GetTipo(), CDato::Nessuno);
    EXPECT_EQ(QvConvertMgd::ToCDato(std::make_shared<DatoMgd>()).GetTipo(), CDato::Nessuno);
    // An angle comes back as a real.
    CDato angolo(9, 1.25);
    angolo.SetTipo(CDato::Angolo);
    EXPECT_EQ(QvConvertMgd::ToDatoMgd(angolo)->GetTipo(), DatoMgd::Reale);
    wchar_t* copia = QvConvertMgd::StringToUnmanaged(L"nome");
    EXPECT_STREQ(copia, L"nome");
    QvConvertMgd::FreeUnmanaged(copia);
}

TEST(TipiGestiti, DatiDiEntitaInForma) {
    CADDatoArray nativi, annidati;
    annidati.Add(0, 1.0, 2.0, 0.0);
    annidati.Add(1, L"x");
    nativi.Add(8, L"QV-ROTATORIA");
    nativi.Add(62, 3);
    nativi.Add(40, 2.5);
    nativi.Add(10, 1.0, 2.0, 3.0);
    nativi.Add(-3, annidati);
    nativi.AddRichiesta(42);
    CADDatoArrayMgd gestiti;
    gestiti.Add(1, 7);  // appended after what the array holds
    CADConvertMgd::ToMgd(nativi, gestiti);
    EXPECT_EQ(gestiti.ToString(),
              L"(1 7) (8 \"QV-ROTATORIA\") (62 3) (40 2.5) (10 1,2,3) (-3 [(0 1,2,0) (1 \"x\")]) (42)");
    ZylEntityID id(AcDbObjectId{});
    CADConvertMgd::FromMgd(nullptr, id);
    EXPECT_TRUE(id.IsNull());
}

}  // namespace
