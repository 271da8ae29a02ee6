// The exported interface of an edge point.
#pragma once

#include "IQvObject.h"

class ICCiglio3D;

class ICPuntoCiglio : public IQvObject {
public:
    ~ICPuntoCiglio() override;
    virtual int inizializza(ICCiglio3D* proprietario, bool setDefault) = 0;
};
