// A managed entity id: the entity of a handle text in the current drawing.
#pragma once

#include <string>

class IEntityIDMgd {
public:
    virtual ~IEntityIDMgd() = default;
    // Hexadecimal, as the drawing writes it.
    virtual std::wstring GetHandle() const = 0;
};

class EntityIDMgd : public IEntityIDMgd {
public:
    explicit EntityIDMgd(std::wstring handle) : m_handle(std::move(handle)) {}
    std::wstring GetHandle() const override { return m_handle; }

private:
    std::wstring m_handle;
};
