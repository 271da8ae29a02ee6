// The group wrapper the base factory makes for kind 1700.
#pragma once

#include "IGroup.h"
#include "QvObjectMgd.h"

class QvGroupMgd : public QvObjectMgd, public IGroup {
public:
    explicit QvGroupMgd(IQvObject_Group* gruppo);

    std::shared_ptr<IGroupMember> First() override;
    int Count() override;
    std::shared_ptr<IGroupMember> Member(int posizione) override;
    std::shared_ptr<IGroupMember> Append(std::shared_ptr<IQvObjectMgd> obj) override;
    std::shared_ptr<IGroupMember> Insert(std::shared_ptr<IGroupMember> prima,
                                         std::shared_ptr<IQvObjectMgd> obj) override;
    int Remove(std::shared_ptr<IGroupMember> membro) override;
    int Empty() override;

private:
    IQvObject_Group* Gruppo() const;
    std::shared_ptr<IGroupMember> Avvolgi(IQvObject_GroupMember* membro);
};
