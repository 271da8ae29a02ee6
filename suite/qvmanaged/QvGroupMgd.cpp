#include "QvGroupMgd.h"

#include "IQvObject_Group.h"
#include "QvEngineeringFactory.h"

namespace {

class MembroMgd : public IGroupMember {
public:
    MembroMgd(IQvObject_GroupMember* membro, std::shared_ptr<IQvFactory> fabbrica)
        : m_membro(membro), m_fabbrica(std::move(fabbrica)) {}
    IQvObject_GroupMember* GetMember() const override { return m_membro; }
    std::shared_ptr<IQvObjectMgd> GetObject() override {
        IQvObject* obj = m_membro->GetObject();
        return m_fabbrica ? m_fabbrica->GetIQvObjectWrapper(obj) : QvEngineeringFactory::getIQvObjectWrapper(obj);
    }

private:
    IQvObject_GroupMember* m_membro;
    std::shared_ptr<IQvFactory> m_fabbrica;
};

}  // namespace

QvGroupMgd::QvGroupMgd(IQvObject_Group* gruppo) : QvObjectMgd(gruppo) {}

IQvObject_Group* QvGroupMgd::Gruppo() const { return static_cast<IQvObject_Group*>(Nativo()); }

std::shared_ptr<IGroupMember> QvGroupMgd::Avvolgi(IQvObject_GroupMember* membro) {
    if (!membro) return nullptr;
    return std::make_shared<MembroMgd>(membro, QvObjectFactory);
}

std::shared_ptr<IGroupMember> QvGroupMgd::First() { return Avvolgi(Gruppo()->GetFirstMember()); }

int QvGroupMgd::Count() { return Gruppo()->GetMemberCount(); }

std::shared_ptr<IGroupMember> QvGroupMgd::Member(int posizione) {
    if (posizione < 0) return nullptr;
    IQvObject_GroupMember* m = Gruppo()->GetFirstMember();
    for (int i = 0; m && i < posizione; ++i) m = m->GetNext();
    return Avvolgi(m);
}

std::shared_ptr<IGroupMember> QvGroupMgd::Append(std::shared_ptr<IQvObjectMgd> obj) {
    if (!obj || !obj->GetQvObject()) return nullptr;
    return Avvolgi(Gruppo()->Append(obj->GetQvObject()));
}

std::shared_ptr<IGroupMember> QvGroupMgd::Insert(std::shared_ptr<IGroupMember> prima,
                                                 std::shared_ptr<IQvObjectMgd> obj) {
    if (!prima || !obj || !obj->GetQvObject()) return nullptr;
    return Avvolgi(Gruppo()->InsertBefore(prima->GetMember(), obj->GetQvObject()));
}

int QvGroupMgd::Remove(std::shared_ptr<IGroupMember> membro) {
    if (!membro) return 0;
    return Gruppo()->RemoveMember(membro->GetMember());
}

int QvGroupMgd::Empty() {
    Gruppo()->Empty();
    return 1;
}
