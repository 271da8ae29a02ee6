// The maker of engineering objects by type code, and their release. An object
// made by a constructor is freed by the same constructor.
#pragma once

class IQvObject;

class IQvObjectConstructor {
public:
    // A new object of the type code, or null for a code it does not make.
    virtual IQvObject* Alloca(int tipo) = 0;
    // Destroys the object and clears the pointer; a null pointer, or a pointer
    // to null, does nothing.
    virtual void Libera(IQvObject** oggetto) = 0;

protected:
    ~IQvObjectConstructor() = default;
};
