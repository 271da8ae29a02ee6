// The exported interface of a 3D roundabout.
#pragma once

#include "CDato.h"
#include "IQvObject.h"
#include "IQvObject_Group.h"
#include "ZylEntityID.h"
#include "ZylGe.h"

class ICCiglio3D;

class ICRotatoria3D : public IQvObject {
public:
    ~ICRotatoria3D() override;
    virtual int disegna(ZylEntityID& id) = 0;
    virtual int disegna3D(ICCiglio3D* ciglioChanged) = 0;
    virtual int inizializzaCalcolo() = 0;
    virtual int aggiorna() = 0;
    virtual IQvObject_Group* getCigli() = 0;
    virtual IQvObject_Group* getAssi() = 0;
    virtual double getPassoDiscr() = 0;
    // 1 done, 0 refused (a step outside the range that gives a model).
    virtual int setPassoDiscr(double passoDiscr) = 0;
    virtual double getPassoSezioni() = 0;
    virtual int setPassoSezioni(double passoSezioni) = 0;
    virtual int ricalcola(ICCiglio3D* ciglio, int tipoEvento, int tipoGruppoPunti, IQvObject_GroupMember* punto,
                          CDato dato) = 0;
    virtual double getPendenzaMinima() = 0;
    virtual void setPendenzaMinima(double pendMin) = 0;
    virtual double getPendenzaMassima() = 0;
    virtual void setPendenzaMassima(double pendMax) = 0;
    virtual CString getNome() = 0;
    virtual int getRicalcolaPendenzeRami() = 0;
    virtual void setRicalcolaPendenzeRami(int ricalcola) = 0;
    virtual int esporta(Zyl_GePoint3d ptIns) = 0;
};
