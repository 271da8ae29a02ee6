#include "CartiglioProfilo.h"

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>

#include "AcDbBlockReference.h"
#include "AcDbDatabase.h"
#include "AcDbLine.h"
#include "AcDbPolylines.h"
#include "AcDbSymbolTables.h"
#include "AcDbText.h"
#include "CString.h"

namespace {

constexpr double kAltezzaTesto = 1.0;

bool Accoda(AcDbBlockTableRecord* blocco, AcDbEntity* e) {
    if (blocco->appendAcDbEntity(e) != Acad::eOk) {
        delete e;
        return false;
    }
    e->close();
    return true;
}

// The frame, the datum line and the texts, in block coordinates.
bool RiempiBlocco(AcDbBlockTableRecord* blocco, double quotaRif, double altezza, double lunghezza, const wchar_t* nome,
                  const wchar_t* testo) {
    AcGePoint3dArray cornice;
    cornice.append(AcGePoint3d(0, 0, 0));
    cornice.append(AcGePoint3d(lunghezza, 0, 0));
    cornice.append(AcGePoint3d(lunghezza, altezza, 0));
    cornice.append(AcGePoint3d(0, altezza, 0));
    // Formatted to its whole length: a far datum needs hundreds of digits.
    CString quota;
    quota.Format(L"Q.R. %.2f", quotaRif);
    bool ok = Accoda(blocco, new AcDb2dPolyline(AcDb::k2dSimplePoly, cornice, 0, true));
    ok = ok && Accoda(blocco, new AcDbLine(AcGePoint3d(-kAltezzaTesto, 0, 0), AcGePoint3d(lunghezza, 0, 0)));
    ok = ok && Accoda(blocco, new AcDbText(AcGePoint3d(0, -2 * kAltezzaTesto, 0), quota, AcDbObjectId::kNull,
                                           kAltezzaTesto));
    ok = ok && Accoda(blocco, new AcDbText(AcGePoint3d(0, altezza + kAltezzaTesto, 0), nome ? nome : L"",
                                           AcDbObjectId::kNull, kAltezzaTesto));
    if (ok && testo && *testo)
        ok = Accoda(blocco, new AcDbText(AcGePoint3d(0, altezza + 2.5 * kAltezzaTesto, 0), testo, AcDbObjectId::kNull,
                                         kAltezzaTesto));
    return ok;
}

}  // namespace

int DisegnaCartProf(const ads_point base, double quotaRif, double altezza, double lunghezza, const wchar_t* nome,
                    const wchar_t* testo, wchar_t* handle, int dimensione, int /*modo*/) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !base || !handle || dimensione < 1) return 0;
    handle[0] = L'\0';
    if (!std::isfinite(quotaRif) || !std::isfinite(altezza) || !std::isfinite(lunghezza) || altezza < 0.0 ||
        lunghezza < 0.0)
        return 0;

    AcDbBlockTable* tabella = nullptr;
    if (db->getBlockTable(tabella, AcDb::kForWrite) != Acad::eOk) return 0;
    auto* blocco = new AcDbBlockTableRecord;
    blocco->setName(L"*X");
    AcDbObjectId idBlocco;
    Acad::ErrorStatus es = tabella->add(idBlocco, blocco);
    tabella->close();
    if (es != Acad::eOk) {
        delete blocco;
        return 0;
    }
    bool ok = RiempiBlocco(blocco, quotaRif, altezza, lunghezza, nome, testo);
    blocco->close();

    AcDbBlockTableRecord* spazio = nullptr;
    if (!ok || acdbOpenObject(spazio, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) return 0;
    auto* riferimento = new AcDbBlockReference(AcGePoint3d(base[0], base[1], 0.0), idBlocco);
    AcDbObjectId id;
    es = spazio->appendAcDbEntity(id, riferimento);
    spazio->close();
    if (es != Acad::eOk) {
        delete riferimento;
        return 0;
    }
    std::wstring testoHandle = id.handle().text();
    if (static_cast<int>(testoHandle.size()) >= dimensione) {
        // A sheet the caller could not find again is not left behind.
        riferimento->erase();
        riferimento->close();
        return 0;
    }
    riferimento->close();
    std::wcscpy(handle, testoHandle.c_str());
    return 1;
}
