// The exported interface of a branch axis.
#pragma once

#include "CADDatoArray.h"
#include "IQvObject.h"

class ICAsseRamo : public IQvObject {
public:
    ~ICAsseRamo() override;
    virtual int getProfili(CADDatoArray& profili) = 0;
    virtual int setProfilo(const wchar_t* layerName) = 0;
    virtual CString getProfilo() = 0;
    virtual CString getNome() = 0;
    virtual double getQuotaCentriRotazione() = 0;
    virtual void setQuotaCentriRotazione(double quota) = 0;
    virtual double getPendenzaLongCentriDiRotazione() = 0;
    virtual void setPendenzaLongCentriDiRotazione(double pendenza) = 0;
    virtual int isQuotaCentriRotazioneNP() = 0;
};
