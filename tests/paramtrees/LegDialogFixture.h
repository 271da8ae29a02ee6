// The main intersection dialog over road elements of a generated drawing: the
// drawing, the prepared legs, a scratch copy of the style data read as the
// command reads it, and the dialog. Subclasses prepare the legs' sets and give
// the dialog its elements.
#pragma once

#include <memory>

#include <arx.h>

#include "../../junctor/ui/CDlgJunctor.h"
#include "LegScenario.h"
#include "ParTreeFixture.h"

namespace partree_test {

class LegDialogFixture : public JunctorModuleFixture {
protected:
    void Prepara(const legs::Incrocio& incrocio) {
        db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        scenario = std::make_unique<legs::Scenario>(incrocio, db.get());
        ASSERT_TRUE(scenario->Prepara()) << scenario->Errore();
        ASSERT_TRUE(cartella.Leggi(model, reader));
    }
    // One In leg on the default crossing, its set the file's DEFAULT style,
    // and the dialog given that leg, the settings and the reader.
    void PreparaUnRamo() {
        ASSERT_NO_FATAL_FAILURE(Prepara(legs::Incrocio{}));
        // The settings point at the prepared leg's sets, as the command leaves them.
        CSecondariaJunctor* ramo = scenario->Ramo();
        *ramo->GetParametri() = model.pars;
        ramo->GetParametri()->SetNome(L"DEFAULT");
        model.settings.SetParametri(ramo->GetParametri());
        model.settings.CalcolaCorsie();
        dlg.SetElementi(scenario->Principale(), ramo, nullptr);
        dlg.SetImpostazioni(&model.settings);
        dlg.SetLettore(&reader);
    }
    void TearDown() override {
        scenario.reset();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        JunctorModuleFixture::TearDown();
    }

    std::unique_ptr<AcDbDatabase> db;
    std::unique_ptr<legs::Scenario> scenario;
    CartellaStili cartella;
    Modello model;
    CXmlReaderJunctor reader;
    CDlgJunctor dlg;
};

}  // namespace partree_test
