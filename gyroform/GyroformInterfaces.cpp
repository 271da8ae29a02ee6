// One destructor body serves the four exported interfaces.
#include "ICAsseRamo.h"
#include "ICCiglio3D.h"
#include "ICPuntoCiglio.h"
#include "ICRotatoria3D.h"

ICRotatoria3D::~ICRotatoria3D() = default;
ICCiglio3D::~ICCiglio3D() = default;
ICAsseRamo::~ICAsseRamo() = default;
ICPuntoCiglio::~ICPuntoCiglio() = default;
