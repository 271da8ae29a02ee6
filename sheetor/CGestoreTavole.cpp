#include "CGestoreTavole.h"

#include <afx.h>

#include <climits>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <memory>

#include "ArxAppContext.h"
#include "ArxEntry.h"
#include "ScopiSheetor.h"
#include "TranslatorBinding.h"

namespace {

void CopiaNome(wchar_t (&dest)[256], const wchar_t* testo) {
    std::wcsncpy(dest, testo, 255);
    dest[255] = L'\0';
}

// Runs a command body inside the module's resources when there is a
// working drawing; the body's result is not passed on.
template <typename Corpo>
void Esegui(Corpo corpo) {
    CGestoreTavole gestore;
    HINSTANCE precedente = AfxGetResourceHandle();
    AfxSetResourceHandle(GetModuleInstance());
    if (AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase()) {
        gestore.m_pDb = db;
        corpo(gestore);
    }
    AfxSetResourceHandle(precedente);
}

}  // namespace

CGestoreTavole::CGestoreTavole() {
    CopiaNome(m_szLayerNord, L"QV_LAYOUT_NORD");
    CopiaNome(m_szLayerContorno, L"QV_LAYOUT_CONTOUR");
    CopiaNome(m_szLayerScala, L"QV_LAYOUT_SCALE");
}

bool CGestoreTavole::Avvio(std::wstring* cartella) const {
    // Initialised empty: a variable that cannot be read stops at the gate.
    wchar_t users1[CArxAppContext::kVarLength] = L"";
    CArxAppContext locale;
    CArxAppContext* contesto = GetArxAppContext();
    (contesto ? contesto : &locale)->GetVarString(L"USERS1", users1, CArxAppContext::kVarLength);
    if (!users1[0]) {
        acutPrintf(L"%ls", L"\nAttenzione: e' necessario inizializzare Vortana.");
        return false;
    }
    resbuf* valore = nullptr;
    int r = acedGetSym(L"qv-cpath", &valore);
    RisultatoLisp guardia(valore);
    if (r != RTNORM || !valore || valore->restype != RTSTR || !valore->resval.rstring) {
        acutPrintf(L"%ls", TranslateText(L"\nCartella di Vortana (qv-cpath) non definita."));
        return false;
    }
    if (cartella) *cartella = valore->resval.rstring;
    return true;
}

double CGestoreTavole::LeggiScalaTavola(const AcDbBlockReference* riferimento) const {
    double scala = -1.0;
    if (!riferimento) return scala;
    std::vector<AcDbObject*> figli;
    riferimento->subObjects(figli);
    for (AcDbObject* o : figli) {
        auto* a = AcDbAttribute::cast(o);
        if (a && !a->isErased() && std::wcscmp(a->tagConst(), L"SCALEDISTR") == 0)
            scala = std::wcstod(a->textStringConst(), nullptr);
    }
    return scala;
}

int CGestoreTavole::AggiungiAPaperSpace(AcDbEntity* entita) {
    AcDbBlockTable* tabella = nullptr;
    if (m_pDb->getBlockTable(tabella, AcDb::kForRead) != Acad::eOk) {
        acutPrintf(L"%ls", L"\nCannot get block table.");
        delete entita;
        return 3;
    }
    AcDbBlockTableRecord* carta = nullptr;
    Acad::ErrorStatus es = tabella->getAt(ACDB_PAPER_SPACE, carta, AcDb::kForWrite);
    tabella->close();
    if (es != Acad::eOk) {
        acutPrintf(L"%ls", L"\nCannot access paper space.");
        delete entita;
        return 3;
    }
    es = carta->appendAcDbEntity(entita);
    carta->close();
    if (es != Acad::eOk) {
        acutPrintf(L"%ls", L"\nCannot append viewport to paper space.");
        delete entita;
        return 3;
    }
    if (auto* vista = AcDbViewport::cast(entita)) vista->setOn();
    return 0;
}

int CGestoreTavole::LeggiAttributiCartiglio(AcDbObjectId blocco) {
    PerOgniEntita(blocco, [this](AcDbEntity* e) {
        auto* def = AcDbAttributeDefinition::cast(e);
        if (!def || def->isConstant()) return;
        DatiAttributo d;
        d.etichetta = def->promptConst();
        d.valore = def->textStringConst();
        m_attributi.push_back(d);
    });
    return 0;
}

int MisuraContorno(AcDbObjectId blocco, double& larghezza, double& altezza) {
    bool trovata = false;
    if (!PerOgniEntita(blocco, [&](AcDbEntity* e) {
            AcDbExtents ext;
            if (!AcDb2dPolyline::cast(e) || e->getGeomExtents(ext) != Acad::eOk) return;
            larghezza = ext.maxPoint().x - ext.minPoint().x;
            altezza = ext.maxPoint().y - ext.minPoint().y;
            trovata = true;
        }))
        return -1;
    return trovata ? 1 : 0;
}

int CGestoreTavole::AggiungiAttributiCartiglio(AcDbBlockReference* riferimento, AcDbObjectId blocco, int indice) {
    if (!riferimento) return 0;
    PerOgniEntita(blocco, [&](AcDbEntity* e) {
        auto* def = AcDbAttributeDefinition::cast(e);
        if (!def || def->isConstant()) return;
        auto* a = new AcDbAttribute;
        a->setPropertiesFrom(def);
        a->setInvisible(def->isInvisible());
        a->setTextStyle(def->textStyle());
        a->setHorizontalMode(def->horizontalMode());
        a->setVerticalMode(def->verticalMode());
        a->setAlignmentPoint(def->alignmentPoint());
        a->setPosition(def->position());
        a->setColor(def->color());
        a->setTag(def->tagConst());
        a->setLayer(def->layerId());
        a->setVisualStyle(def->visualStyleId());
        a->setWidthFactor(def->widthFactor());
        a->setHeight(def->height());
        a->setRotation(def->rotation());
        a->setFieldLength(def->fieldLength());
        // The first field of that prompt gives the text.
        for (const DatiAttributo& campo : m_attributi) {
            if (campo.etichetta != def->promptConst()) continue;
            if (campo.contatore) {
                CString testo;
                testo.Format(L"%02lld", ContatoreTavola(ValoreContatore(campo.valore), indice));
                a->setTextString(testo);
            } else {
                a->setTextString(campo.valore.c_str());
            }
            break;
        }
        if (riferimento->appendAttribute(a) == Acad::eOk) a->close();
        else delete a;
    });
    return 0;
}

std::wstring NomeBloccoDaFile(const std::wstring& percorso) {
    size_t barra = percorso.find_last_of(L'\\');
    std::wstring nome = barra == std::wstring::npos ? percorso : percorso.substr(barra + 1);
    return nome.size() > 4 ? nome.substr(0, nome.size() - 4) : std::wstring();
}

bool ConfrontaProgressive(const DatiTavola& a, const DatiTavola& b) { return a.progressiva < b.progressiva; }

long long ValoreContatore(const std::wstring& testo) {
    size_t i = 0;
    while (i < testo.size() && std::iswspace(static_cast<wint_t>(testo[i]))) ++i;
    bool negativo = false;
    if (i < testo.size() && (testo[i] == L'+' || testo[i] == L'-')) negativo = testo[i++] == L'-';
    long long v = 0;
    for (; i < testo.size() && testo[i] >= L'0' && testo[i] <= L'9'; ++i) {
        int cifra = testo[i] - L'0';
        // Beyond 64 bits the value stays at the largest one.
        if (v > (LLONG_MAX - cifra) / 10) {
            v = LLONG_MAX;
            break;
        }
        v = v * 10 + cifra;
    }
    return negativo ? -v : v;
}

long long ContatoreTavola(long long valore, int indice) {
    // At the ends of the range the count stays there.
    if (indice > 0 && valore > LLONG_MAX - indice) return LLONG_MAX;
    if (indice < 0 && valore < LLONG_MIN - indice) return LLONG_MIN;
    return valore + indice;
}

std::wstring NomeLayout(const std::wstring& prefisso, double progressiva, int k) {
    // Cut toward zero; beyond 64 bits the chainage stays at the range's end.
    long long intero = 0;
    if (std::isfinite(progressiva))
        intero = progressiva >= 9.2e18 ? LLONG_MAX
                 : progressiva <= -9.2e18 ? LLONG_MIN
                                          : static_cast<long long>(std::trunc(progressiva));
    std::wstring nome = prefisso + std::to_wstring(intero);
    if (k > 0) nome += L"_" + std::to_wstring(k);
    return nome;
}

extern "C" void DisTr() {
    Esegui([](CGestoreTavole& g) { g.DisegnaTavole(); });
}

extern "C" void BlkDisTr() {
    Esegui([](CGestoreTavole& g) { g.CreaContornoTavola(); });
}

extern "C" void BlkNord() {
    Esegui([](CGestoreTavole& g) { g.InserisciNord(); });
}
