// The managed interfaces of the roundabout module's objects.
#pragma once

#include <memory>
#include <string>

#include "CADDatoArrayMgd.h"
#include "DatoMgd.h"
#include "IEntityIDMgd.h"
#include "IGroup.h"
#include "IQvObjectMgd.h"
#include "ManagedRuntime.h"
#include "MetodiGyroform.h"
#include "Point3DMgd.h"

class ICRotatoria3D;
class ICCiglio3D;
class ICAsseRamo;
class ICPuntoCiglio;
class ICiglio3D;

class IRotatoria3D : public virtual IQvObjectMgd {
public:
    virtual ICRotatoria3D* getPtr() = 0;
    GF_METODI_ROTATORIA3D(GF_ASTRATTO_N, GF_NIENTE, GF_ASTRATTO_G)
};

class ICiglio3D : public virtual IQvObjectMgd {
public:
    virtual ICCiglio3D* getPtr() = 0;
    GF_METODI_CIGLIO3D(GF_ASTRATTO_N, GF_NIENTE, GF_ASTRATTO_G)
};

class IAsseRamo : public virtual IQvObjectMgd {
public:
    virtual ICAsseRamo* getPtr() = 0;
    GF_METODI_ASSERAMO(GF_ASTRATTO_N, GF_NIENTE, GF_ASTRATTO_G)
};

class IPuntoCiglio : public virtual IQvObjectMgd {
public:
    virtual ICPuntoCiglio* getPtr() = 0;
    GF_METODI_PUNTOCIGLIO(GF_ASTRATTO_N, GF_NIENTE, GF_ASTRATTO_G)
};
