// The index of tagged entities by road name answers what a walk of every
// tagged entity, reading each one's data, would find: for every road, in
// handle order, through appends, erases, restores, changed and removed data,
// entities in blocks, and a save and reopen.
#include <random>
#include <string>
#include <vector>

#include "DrawingFixture.h"

namespace {

constexpr const wchar_t* kCigli = L"QV-VORTANA-NPOLI";
constexpr const wchar_t* kIntersezioni = L"QV-VORTANA-INTERS-T";
const wchar_t* const kStrade[] = {L"SS 16", L"SP 5", L"", L"ss 16"};

// The walk's reading of one entity, from the chain a program gets: whether
// it is a candidate for `road` (and `leg`, for intersections), or lacks the
// texts the names are read from.
struct Lettura {
    bool candidato = false;
    bool mancante = false;
};

Lettura LeggiCiglio(AcDbObjectId id, const std::wstring& strada) {
    ads_name nome;
    acdbGetAdsName(nome, id);
    resbuf* app = acutBuildList(RTSTR, kCigli, RTNONE);
    resbuf* dati = acdbEntGetX(nome, app);
    acutRelRb(app);
    Lettura l;
    resbuf* tipo = dati;
    while (tipo && tipo->restype != 1000) tipo = tipo->rbnext;
    if (!tipo) l.mancante = true;
    else if (tipo->rbnext && tipo->rbnext->restype == 1000) l.candidato = strada == tipo->rbnext->resval.rstring;
    acutRelRb(dati);
    return l;
}

Lettura LeggiIntersezione(AcDbObjectId id, const std::wstring& principale, const std::wstring& ramo) {
    AcDbObject* o = nullptr;
    EXPECT_EQ(acdbOpenObject(o, id, AcDb::kForRead), Acad::eOk);
    resbuf* dati = o->xData(kIntersezioni);
    o->close();
    std::vector<std::wstring> t;
    for (resbuf* rb = dati ? dati->rbnext : nullptr; rb && rb->restype == 1000 && t.size() < 6; rb = rb->rbnext)
        t.emplace_back(rb->resval.rstring);
    acutRelRb(dati);
    Lettura l;
    if (t.size() < 6) l.mancante = true;
    else l.candidato = (t[2] == principale && t[4] == ramo) || (t[3] == principale && t[5] == ramo);
    return l;
}

class TaggedIndexTest : public DrawingTest {
protected:
    static std::vector<AcDbObjectId> Indice(const wchar_t* app, std::vector<std::wstring> nomi, bool mancanti) {
        ads_name ss;
        return SetIds(vplat::SSGetTagged(L"POLYLINE", app, {nomi}, mancanti, ss), ss);
    }
    // Every tagged polyline of the application (indexes off), read one by one.
    static std::vector<AcDbObjectId> Cammino(const wchar_t* app, const std::vector<std::wstring>& nomi,
                                             bool mancanti) {
        vplat::UseSelectionIndexes(false);
        ads_name ss;
        std::vector<AcDbObjectId> tutti = SetIds(vplat::SSGetTagged(L"POLYLINE", app, {nomi}, mancanti, ss), ss);
        vplat::UseSelectionIndexes(true);
        std::vector<AcDbObjectId> out;
        for (AcDbObjectId id : tutti) {
            Lettura l = nomi.size() == 1 ? LeggiCiglio(id, nomi[0]) : LeggiIntersezione(id, nomi[0], nomi[1]);
            if (l.candidato || (mancanti && l.mancante)) out.push_back(id);
        }
        return out;
    }
    void Confronta(int passo) {
        for (const wchar_t* s : kStrade) {
            EXPECT_EQ(Indice(kCigli, {s}, true), Cammino(kCigli, {s}, true)) << "step " << passo << " road " << s;
            EXPECT_EQ(Indice(kCigli, {s}, false), Cammino(kCigli, {s}, false)) << "step " << passo;
            for (const wchar_t* r : kStrade)
                EXPECT_EQ(Indice(kIntersezioni, {s, r}, true), Cammino(kIntersezioni, {s, r}, true))
                    << "step " << passo << " roads " << s << " / " << r;
        }
    }
    // Data of one of the two applications in one of the shapes a drawing may hold.
    static resbuf* Dati(std::mt19937& caso) {
        const wchar_t* a = kStrade[caso() % 4];
        const wchar_t* b = kStrade[caso() % 4];
        switch (caso() % 9) {
        case 0: return acutBuildList(1001, kCigli, 1070, 1, 1000, L"CDX", 1000, a, RTNONE);
        case 1: return acutBuildList(1001, kCigli, 1000, L"bsx", 1000, a, 1040, 2.0, RTNONE);
        case 2: return acutBuildList(1001, kCigli, 1070, 1, RTNONE);                   // no text: lacking
        case 3: return acutBuildList(1001, kCigli, 1070, 1, 1000, L"CSX", RTNONE);      // kind alone
        case 4: return acutBuildList(1001, kCigli, 1000, L"CSX", 1070, 4, 1000, a, RTNONE);  // number after the kind
        case 5:
            return acutBuildList(1001, kIntersezioni, 1000, L"7", 1000, L"rCIG", 1000, L"TR1", 1000, a, 1000, L"TR2",
                                 1000, b, 1000, L"DEFAULT", RTNONE);
        case 6:
            return acutBuildList(1001, kIntersezioni, 1000, L"8", 1000, L"rCE1", 1000, a, 1000, L"SS 16", 1000, b,
                                 1000, L"SP 5", RTNONE);
        case 7: return acutBuildList(1001, kIntersezioni, 1000, L"9", 1000, L"rCIG", 1000, a, RTNONE);  // lacking
        default:
            // Both applications on one polyline.
            return acutBuildList(1001, kCigli, 1000, L"CDX", 1000, a, 1001, kIntersezioni, 1000, L"5", 1000, L"x",
                                 1000, a, 1000, a, 1000, b, 1000, b, RTNONE);
        }
    }
    static AcDbEntity* Polilinea(std::mt19937& caso) {
        AcGePoint3dArray v;
        const double x = static_cast<double>(caso() % 500);
        v.append(AcGePoint3d(x, 0, 0));
        v.append(AcGePoint3d(x + 5, 1, 0));
        return new AcDb2dPolyline(AcDb::k2dSimplePoly, v);
    }
};

TEST_F(TaggedIndexTest, EveryRoadAnswersWhatTheWalkFinds) {
    acdbRegApp(kCigli);
    acdbRegApp(kIntersezioni);
    AddBlock(L"BLOCCO");
    std::mt19937 caso(20261211);
    std::vector<AcDbObjectId> entita;
    bool trovato = false;
    for (int passo = 0; passo < 360; ++passo) {
        const unsigned azione = caso() % 10;
        if (azione < 4 || entita.empty()) {
            AcDbEntity* e = caso() % 8 == 0 ? static_cast<AcDbEntity*>(new AcDbLine(AcGePoint3d(0, 0, 0),
                                                                                    AcGePoint3d(1, 1, 0)))
                                            : Polilinea(caso);
            const bool inBlocco = caso() % 10 == 0;
            resbuf* dati = Dati(caso);
            AcDbObjectId id = AppendWithData(e, dati, caso() % 2, inBlocco ? L"BLOCCO" : ACDB_MODEL_SPACE);
            if (!inBlocco) entita.push_back(id);
        } else {
            const AcDbObjectId id = entita[caso() % entita.size()];
            AcDbObject* o = nullptr;
            ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForWrite, true), Acad::eOk);
            resbuf* dati = nullptr;
            switch (azione) {
            case 4:
            case 5: o->erase(!o->isErased()); break;
            case 6:
            case 7:
            case 8: dati = Dati(caso); break;
            default: dati = acutBuildList(1001, caso() % 2 ? kCigli : kIntersezioni, RTNONE);  // data removed
            }
            if (dati) {
                o->setXData(dati);
                acutRelRb(dati);
            }
            o->close();
        }
        if (passo % 15 == 0) {
            Confronta(passo);
            trovato = trovato || !Indice(kCigli, {L"SS 16"}, false).empty();
        }
        if (passo % 120 == 119) {
            // Saved and opened again: the index of the new drawing comes from the file.
            m_db = RoundTrip();
            acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
            entita.clear();
            vplat::UseSelectionIndexes(false);
            resbuf* tutto = acutBuildList(RTDXF0, L"*", RTNONE);
            entita = SelectAll(tutto);
            acutRelRb(tutto);
            vplat::UseSelectionIndexes(true);
            Confronta(passo);
        }
    }
    Confronta(360);
    EXPECT_TRUE(trovato) << "the drawings never held an edge of the road";
}

// What the index lists for each shape of data, and that it narrows: the
// edges of one road, those of no road and those that lack their kind, in
// handle order, never another road's.
TEST_F(TaggedIndexTest, RoadNamesAsTheDataCarriesThem) {
    acdbRegApp(kCigli);
    acdbRegApp(kIntersezioni);
    auto polilinea = [&](resbuf* dati) {
        AcGePoint3dArray v;
        v.append(AcGePoint3d(0, 0, 0));
        v.append(AcGePoint3d(1, 0, 0));
        AcDbObjectId id = Append(new AcDb2dPolyline(AcDb::k2dSimplePoly, v));
        SetXData(id, dati);
        return id;
    };
    const AcDbObjectId mia = polilinea(acutBuildList(1001, kCigli, 1070, 1, 1000, L"CDX", 1000, L"SS 16", RTNONE));
    polilinea(acutBuildList(1001, kCigli, 1070, 1, 1000, L"CDX", 1000, L"SP 5", RTNONE));
    polilinea(acutBuildList(1001, kCigli, 1070, 1, 1000, L"CDX", 1000, L"ss 16", RTNONE));  // case counts
    const AcDbObjectId nessuna = polilinea(acutBuildList(1001, kCigli, 1000, L"BDX", 1000, L"", RTNONE));
    const AcDbObjectId senzaTesto = polilinea(acutBuildList(1001, kCigli, 1070, 1, RTNONE));
    polilinea(acutBuildList(1001, kCigli, 1000, L"BDX", RTNONE));  // no name: never a candidate
    const AcDbObjectId incrocio = polilinea(acutBuildList(1001, kIntersezioni, 1000, L"1", 1000, L"rCIG", 1000,
                                                          L"TR1", 1000, L"SS 16", 1000, L"TR2", 1000, L"SP 5", RTNONE));
    const AcDbObjectId corto = polilinea(acutBuildList(1001, kIntersezioni, 1000, L"2", 1000, L"rCIG", RTNONE));

    using Ids = std::vector<AcDbObjectId>;
    EXPECT_EQ(Indice(kCigli, {L"SS 16"}, true), (Ids{mia, senzaTesto}));
    ads_name ss;
    std::vector<AcDbObjectId> dueStrade =
        SetIds(vplat::SSGetTagged(L"POLYLINE", kCigli, {{L"SS 16"}, {L""}}, true, ss), ss);
    EXPECT_EQ(dueStrade, (Ids{mia, nessuna, senzaTesto}));
    EXPECT_EQ(Indice(kCigli, {L"Altra"}, false), Ids{});
    EXPECT_EQ(Indice(kIntersezioni, {L"TR1", L"TR2"}, false), Ids{incrocio});
    EXPECT_EQ(Indice(kIntersezioni, {L"SS 16", L"SP 5"}, true), (Ids{incrocio, corto}));
    EXPECT_EQ(Indice(kIntersezioni, {L"SP 5", L"SS 16"}, false), Ids{});
    EXPECT_EQ(vplat::SSGetTagged(L"POLYLINE", L"ALTRA-APP", {{L"SS 16"}}, true, ss), RTERROR);

    // Erased, the polyline leaves; restored, it is back in its place.
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenObject(o, mia, AcDb::kForWrite), Acad::eOk);
    o->erase();
    o->close();
    EXPECT_EQ(Indice(kCigli, {L"SS 16"}, false), Ids{});
    ASSERT_EQ(acdbOpenObject(o, mia, AcDb::kForWrite, true), Acad::eOk);
    o->erase(false);
    o->close();
    // Its data changed, it moves to the other road.
    SetXData(nessuna, acutBuildList(1001, kCigli, 1000, L"BDX", 1000, L"SS 16", RTNONE));
    EXPECT_EQ(Indice(kCigli, {L"SS 16"}, false), (Ids{mia, nessuna}));
    EXPECT_EQ(Indice(kCigli, {L""}, false), Ids{});
    // Given its kind, the polyline without a text no longer makes a search fail.
    SetXData(senzaTesto, acutBuildList(1001, kCigli, 1000, L"CSX", 1000, L"SP 5", RTNONE));
    EXPECT_EQ(Indice(kCigli, {L"SS 16"}, true), (Ids{mia, nessuna}));
}

}  // namespace
