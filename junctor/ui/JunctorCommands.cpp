// The intersection commands: one wrapper makes the module's resources
// current, passes the start guard and runs a mode of a new command object.
#include <ArxEntry.h>
#include <TranslatorBinding.h>
#include <afxwin.h>

#include <exception>

#include "CCmdJunctor.h"
#include "JunctorCommands.h"

namespace {

// Runs the mode; a mode that throws is reported here, so that the command
// still ends and the module does not stay busy.
void EseguiModo(int modo) {
    CCmdJunctor* comando = new CCmdJunctor;
    CString motivo;
    try {
        comando->Esegui(modo);
    } catch (CException* e) {
        wchar_t testo[512] = {};
        if (!e->GetErrorMessage(testo, 512)) testo[0] = 0;
        motivo = testo;
        e->Delete();
        if (motivo.IsEmpty()) motivo = L"?";
    } catch (const std::exception& e) {
        motivo = CString(e.what());
        if (motivo.IsEmpty()) motivo = L"?";
    }
    delete comando;
    if (!motivo.IsEmpty()) AfxMessageBox(motivo, MB_OK);
}

void EseguiComando(int modo) {
    HINSTANCE precedente = AfxGetResourceHandle();
    AfxSetResourceHandle(GetModuleInstance());
    CArxAppContext* contesto = GetArxAppContext();
    if (contesto && contesto->EnterCommand(kObjPx)) {
        EseguiModo(modo);
        contesto->LeaveCommand();
    } else {
        AfxMessageBox(TranslateText(L"Vortana non inizializzato."), MB_OK);
    }
    AfxSetResourceHandle(precedente);
}

}  // namespace

extern "C" void Junctor() { EseguiComando(0); }
extern "C" void JunctorCanc() { EseguiComando(1); }
extern "C" void JunctorAgg() { EseguiComando(2); }
void JunctorPrv() { EseguiComando(3); }
