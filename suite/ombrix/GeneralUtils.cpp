#include <cstdlib>
#include <sstream>

#include "AcDbDatabase.h"
#include "AcSysVars.h"
#include "HostTranscript.h"
#include "Ombrix.h"

namespace {

class GeneralUtils : public IGeneralUtils {
public:
    ZylDatabase GetDatabaseCorrente() override {
        return ZylDatabase(acdbHostApplicationServices()->workingDatabase());
    }

    int GetVariabileSistema(const wchar_t* nome, CADDatoArray& valore) override {
        resbuf rb{};
        rb.restype = RTNONE;
        if (!nome || acedGetVar(nome, &rb) != RTNORM) return 0;
        switch (rb.restype) {
            case RTREAL:
            case RTANG: valore.Add(1040, rb.resval.rreal); break;
            case RTSHORT: valore.Add(1071, static_cast<int>(rb.resval.rint)); break;
            case RTLONG: valore.Add(1071, static_cast<int>(rb.resval.rlong)); break;
            case RTSTR:
                valore.Add(1000, rb.resval.rstring ? rb.resval.rstring : L"");
                std::free(rb.resval.rstring);
                break;
            case RTPOINT:
            case RT3DPOINT: valore.Add(1010, rb.resval.rpoint); break;
            default: return 0;
        }
        return 1;
    }

    int InviaComando(const wchar_t* comando) override {
        if (!comando) return 0;
        vplat::Transcript::Get().Event("ombrix", std::wstring(L"comando ") + comando);
        return 1;
    }

    int DisegnaVettori(const CADDatoArray& punti, int colore, int flag1, int flag2) override {
        int n = 0;
        for (int i = 0; i < punti.GetCount(); ++i)
            if (punti[i].GetTipo() == CADDatoArray::Punto) ++n;
        std::wostringstream testo;
        testo << L"vettori " << n << L" colore " << colore << L" (" << flag1 << L", " << flag2 << L")";
        vplat::Transcript::Get().Event("ombrix", testo.str());
        return n;
    }
};

}  // namespace

namespace Ombrix {
IGeneralUtils* GetGeneralUtils() {
    static GeneralUtils utils;
    return &utils;
}
}  // namespace Ombrix
