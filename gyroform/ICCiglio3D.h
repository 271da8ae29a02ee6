// The exported interface of a 3D edge.
#pragma once

#include "CADDatoArray.h"
#include "IQvObject.h"
#include "IQvObject_Group.h"
#include "ZylGe.h"

class ICCiglio3D : public IQvObject {
public:
    ~ICCiglio3D() override;
    virtual CString getDescrizione() = 0;
    virtual IQvObject_Group* getPunti(int tipo) = 0;
    virtual int getProgDaPunto(double& prog, Zyl_GePoint3d pnt) = 0;
    virtual int getPuntoDaProg(double prog, Zyl_GePoint3d& pnt) = 0;
    virtual CADDatoArray* getPunti3DCiglio() = 0;
    virtual CADDatoArray* getPuntiAltCiglio(int tipoGruppo) = 0;
    virtual int getTipoCalcolo() = 0;
    // 1 done, 0 refused (the edge cannot take that method or reference).
    virtual int setTipoCalcolo(int tipoCalcolo) = 0;
    virtual int setProfRif(int tipoCiglioRif) = 0;
    virtual void getTipiCalcolo(CADDatoArray& tipiCalcolo) = 0;
    virtual ICCiglio3D* getCiglioRif() = 0;
    virtual int getCodiceEnum() = 0;
    virtual void highlight(double prog) = 0;
    virtual int getVisualizzaSuGrafico(int tipoGruppoPunti) = 0;
    virtual void setVisualizzaSuGrafico(int tipoGruppoPunti, int visualizza) = 0;
    virtual double getLunghezza() = 0;
    virtual void setUsaPianoParallelo(int usa) = 0;
    virtual int getUsaPianoParallelo() = 0;
    virtual void setDiffQuotaPiani(double diffQuota) = 0;
    virtual double getDiffQuotaPiani() = 0;
};
