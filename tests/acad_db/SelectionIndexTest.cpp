// The drawing's selection indexes never disagree with the drawing: drawings
// built at random (fixed seed) by appending, erasing, restoring, changing
// and removing extended data, saving and reopening answer every filter of a
// table with the same entities in the same order as a walk of every entity.
#include <random>
#include <vector>

#include "DrawingFixture.h"

namespace {

const wchar_t* const kApps[] = {L"APP-A", L"APP-B", L"QV-VORTANA-INTERS-T"};

// Filters narrowed by a type, by an application, by an application's first
// text, by a name that nothing has, and filters the indexes cannot narrow.
std::vector<resbuf*> Filtri() {
    return {
        acutBuildList(RTDXF0, L"POLYLINE", RTNONE),
        acutBuildList(RTDXF0, L"line", RTNONE),
        acutBuildList(1001, L"APP-A", RTNONE),
        acutBuildList(1001, L"app-b", RTNONE),
        acutBuildList(RTDXF0, L"POLYLINE", 1001, L"QV-VORTANA-INTERS-T", RTNONE),
        acutBuildList(RTDXF0, L"POLYLINE", -3, 1001, L"APP-A", RTNONE),
        acutBuildList(RTDXF0, L"TEXT", 8, L"STRATO", RTNONE),
        acutBuildList(RTDXF0, L"ELLIPSE", RTNONE),
        acutBuildList(1001, L"APP-Z", RTNONE),
        acutBuildList(RTDXF0, L"POLY*", RTNONE),
        acutBuildList(1001, L"APP-?", RTNONE),
        acutBuildList(-4, L"<OR", RTDXF0, L"CIRCLE", 1001, L"APP-B", -4, L"OR>", RTNONE),
        acutBuildList(RTDXF0, L"POLYLINE", -4, L"<NOT", 1001, L"APP-A", -4, L"NOT>", RTNONE),
        acutBuildList(8, L"STRATO", RTNONE),
        acutBuildList(RTDXF0, L"POLYLINE", 1001, L"QV-VORTANA-INTERS-T", 1000, L"12", RTNONE),
        acutBuildList(1001, L"app-a", 1000, L"x", RTNONE),
        acutBuildList(1001, L"APP-B", 1000, L"13", RTDXF0, L"LINE", RTNONE),
        acutBuildList(1001, L"APP-Z", 1000, L"12", RTNONE),
        acutBuildList(1001, L"APP-A", 1000, L"1*", RTNONE),
        acutBuildList(-4, L"<OR", 1001, L"APP-A", 1000, L"12", 1001, L"APP-B", 1000, L"x", -4, L"OR>", RTNONE),
        nullptr,
    };
}

// Data of an application: its first item a text (one of a few, so that
// entities share them), or a number before the text, or two texts.
resbuf* Dati(std::mt19937& caso) {
    static const wchar_t* const testi[] = {L"12", L"13", L"x"};
    const wchar_t* app = kApps[caso() % 3];
    const wchar_t* testo = testi[caso() % 3];
    switch (caso() % 3) {
    case 0: return acutBuildList(1001, app, 1000, testo, RTNONE);
    case 1: return acutBuildList(1001, app, 1070, 5, 1000, testo, RTNONE);
    default: return acutBuildList(1001, app, 1000, testo, 1000, L"12", RTNONE);
    }
}

class SelectionIndexTest : public DrawingTest {
protected:
    std::vector<AcDbObjectId> Seleziona(const resbuf* filtro, bool indici) {
        vplat::UseSelectionIndexes(indici);
        std::vector<AcDbObjectId> out = SelectAll(filtro);
        vplat::UseSelectionIndexes(true);
        return out;
    }
    void Confronta(int passo) {
        std::vector<resbuf*> filtri = Filtri();
        for (size_t f = 0; f < filtri.size(); ++f) {
            EXPECT_EQ(Seleziona(filtri[f], true), Seleziona(filtri[f], false)) << "step " << passo << " filter " << f;
            acutRelRb(filtri[f]);
        }
    }
    AcDbEntity* Nuova(std::mt19937& caso) {
        const double x = static_cast<double>(caso() % 1000), y = static_cast<double>(caso() % 1000);
        switch (caso() % 4) {
        case 0: {
            AcGePoint3dArray v;
            v.append(AcGePoint3d(x, y, 0));
            v.append(AcGePoint3d(x + 5, y, 0));
            return new AcDb2dPolyline(AcDb::k2dSimplePoly, v);
        }
        case 1:
            return new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x, y + 5, 0));
        case 2: {
            auto* t = new AcDbText(AcGePoint3d(x, y, 0), L"testo");
            if (caso() % 2) t->setLayer(L"STRATO");
            return t;
        }
        default:
            return new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d(0, 0, 1), 1);
        }
    }
};

TEST_F(SelectionIndexTest, NarrowedSelectionsEqualTheFullWalk) {
    AddLayer(L"STRATO");
    for (const wchar_t* app : kApps) acdbRegApp(app);
    AddBlock(L"BLOCCO");
    std::mt19937 caso(20261210);
    std::vector<AcDbObjectId> entita;
    for (int passo = 0; passo < 400; ++passo) {
        const unsigned azione = caso() % 10;
        if (azione < 4 || entita.empty()) {
            // A new entity, now and then with data, now and then in a block.
            AcDbEntity* e = Nuova(caso);
            const bool inBlocco = caso() % 10 == 0;
            resbuf* dati = caso() % 2 ? Dati(caso) : nullptr;
            // Data set before the entity joins the drawing, or after.
            const bool prima = dati && caso() % 2;
            AcDbObjectId id = AppendWithData(e, dati, prima, inBlocco ? L"BLOCCO" : ACDB_MODEL_SPACE);
            if (!inBlocco) entita.push_back(id);
        } else {
            const AcDbObjectId id = entita[caso() % entita.size()];
            AcDbObject* o = nullptr;
            ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForWrite, true), Acad::eOk);
            switch (azione) {
            case 4:
            case 5:
                o->erase(!o->isErased());
                break;
            case 6:
            case 7: {
                resbuf* dati = Dati(caso);
                o->setXData(dati);
                acutRelRb(dati);
                break;
            }
            default: {
                // The application's data removed.
                resbuf* vuota = acutBuildList(1001, kApps[caso() % 3], RTNONE);
                o->setXData(vuota);
                acutRelRb(vuota);
            }
            }
            o->close();
        }
        if (passo % 20 == 0) Confronta(passo);
        if (passo % 100 == 99) {
            // Saved and opened again: the new drawing's indexes come from the file.
            m_db = RoundTrip();
            acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
            entita.clear();
            resbuf* tutto = nullptr;
            for (const AcDbObjectId& id : Seleziona(tutto, false)) entita.push_back(id);
            Confronta(passo);
        }
    }
    Confronta(400);
}

// An application followed by a text selects by the first text of that
// application's data, whether or not the indexes answer.
TEST_F(SelectionIndexTest, ApplicationWithItsFirstText) {
    for (const wchar_t* app : kApps) acdbRegApp(app);
    auto linea = [&](resbuf* dati) {
        AcDbObjectId id = Append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
        SetXData(id, dati);
        return id;
    };
    const AcDbObjectId primo = linea(acutBuildList(1001, L"APP-A", 1000, L"12", 1000, L"x", RTNONE));
    linea(acutBuildList(1001, L"APP-A", 1070, 1, 1000, L"12", RTNONE));     // a number first
    linea(acutBuildList(1001, L"APP-A", 1000, L"x", 1000, L"12", RTNONE));  // the second text
    const AcDbObjectId altra = linea(acutBuildList(1001, L"APP-B", 1000, L"12", RTNONE));
    const AcDbObjectId doppio =
        linea(acutBuildList(1001, L"APP-B", 1000, L"7", 1001, L"APP-A", 1000, L"12", RTNONE));
    struct Caso {
        resbuf* filtro;
        std::vector<AcDbObjectId> attesi;
    };
    const Caso casi[] = {
        {acutBuildList(1001, L"APP-A", 1000, L"12", RTNONE), {primo, doppio}},
        {acutBuildList(1001, L"app-a", 1000, L"12", RTDXF0, L"LINE", RTNONE), {primo, doppio}},
        {acutBuildList(1001, L"APP-?", 1000, L"1#", RTNONE), {primo, altra, doppio}},
        {acutBuildList(1001, L"APP-B", 1000, L"7", RTNONE), {doppio}},
        {acutBuildList(1001, L"APP-A", 1000, L"99", RTNONE), {}},
    };
    for (size_t c = 0; c < std::size(casi); ++c) {
        EXPECT_EQ(Seleziona(casi[c].filtro, true), casi[c].attesi) << "case " << c;
        EXPECT_EQ(Seleziona(casi[c].filtro, false), casi[c].attesi) << "case " << c;
        acutRelRb(casi[c].filtro);
    }
    // Data given again to an entity already listed does not list it twice.
    SetXData(primo, acutBuildList(1001, L"APP-A", 1000, L"12", RTNONE));
    SetXData(doppio, acutBuildList(1001, L"APP-A", 1000, L"12", RTNONE));
    SetXData(primo, acutBuildList(1001, L"APP-A", 1000, L"12", RTNONE));
    resbuf* filtro = acutBuildList(1001, L"APP-A", 1000, L"12", RTNONE);
    EXPECT_EQ(Seleziona(filtro, true), (std::vector<AcDbObjectId>{primo, doppio}));
    acutRelRb(filtro);
}

}  // namespace
