// A managed group of engineering objects and its members. The members come
// back wrapped by the group's factory (QvObjectFactory).
#pragma once

#include <memory>

#include "IQvObjectMgd.h"

class IQvObject_Group;
class IQvObject_GroupMember;

class IGroupMember {
public:
    virtual ~IGroupMember() = default;
    virtual IQvObject_GroupMember* GetMember() const = 0;
    // The member's object, wrapped by its group's factory.
    virtual std::shared_ptr<IQvObjectMgd> GetObject() = 0;
};

class IGroup : public virtual IQvObjectMgd {
public:
    std::shared_ptr<IQvFactory> QvObjectFactory;

    // Null when the group is empty.
    virtual std::shared_ptr<IGroupMember> First() = 0;
    virtual int Count() = 0;
    // The member at a position from 0; null outside the group.
    virtual std::shared_ptr<IGroupMember> Member(int posizione) = 0;
    // The group takes the object (made by AllocaIQvObject); null for null.
    virtual std::shared_ptr<IGroupMember> Append(std::shared_ptr<IQvObjectMgd> obj) = 0;
    virtual std::shared_ptr<IGroupMember> Insert(std::shared_ptr<IGroupMember> prima,
                                                 std::shared_ptr<IQvObjectMgd> obj) = 0;
    // Takes the member out and frees its object: 1, or 0.
    virtual int Remove(std::shared_ptr<IGroupMember> membro) = 0;
    // Removes and frees every member: 1.
    virtual int Empty() = 0;
};
