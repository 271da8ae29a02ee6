// The module's object constructor: makes and frees the model's objects by
// type code and hands every other code to the suite's constructor, so that
// groups and the serializer rebuild this module's classes.
#pragma once

#include "QvEngineeringConstructor.h"

class GyroformConstructor final : public QvEngineeringConstructor {
public:
    // A new object of the code, not yet initialised; null when memory fails.
    IQvObject* Alloca(int tipo) override;
    // Destroys an object of this module and clears the pointer, then always
    // lets the suite's constructor finish (it frees any other object).
    void Libera(IQvObject** oggetto) override;
    // A new roundabout, through the first operation.
    IQvObject* allocaRotatoria();

    static bool IsTipoGyroform(int tipo);
};

// The module's one constructor: null before the module's start and after its stop.
class GyroformMain {
public:
    static GyroformConstructor* getConstructor();
    // The module's start and stop (also for tests that drive the model
    // without loading the module).
    static void avvia();
    static void ferma();
};
