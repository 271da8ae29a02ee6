// Root of the framework's classes. Objects are not copyable, as in the framework.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;

protected:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
