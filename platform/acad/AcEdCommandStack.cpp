#include "AcEdCommandStack.h"

#include <algorithm>
#include <map>

#include "AcApps.h"
#include "HostText.h"
#include "HostTranscript.h"

namespace {

struct CommandState {
    std::vector<vplat::RegisteredCommand> commands;
    std::map<std::wstring, int> removeCalls;
    // The group the last removal named, until a command is added: removing
    // it again finds nothing and is not shown again.
    std::wstring lastRemoved;
};

CommandState& State() {
    static CommandState s;
    return s;
}

}  // namespace

AcRxClass* AcEdCommandStack::desc() {
    static AcRxClass c(L"AcEdCommandStack", AcRxObject::desc());
    return &c;
}

Acad::ErrorStatus AcEdCommandStack::addCommand(const ACHAR* groupName, const ACHAR* globalName,
                                               const ACHAR* localName, Adesk::Int32 flags,
                                               AcRxFunctionPtr function, AcEdUIContext*, int functionCode,
                                               HINSTANCE resourceHandle, AcEdCommand** commandOut) {
    if (commandOut) *commandOut = nullptr;
    if (!groupName || !globalName || !function) return Acad::eInvalidInput;
    std::wstring local = localName ? localName : globalName;
    for (const auto& c : State().commands)
        if (vplat::EqualNoCase(c.group, groupName) && vplat::EqualNoCase(c.globalName, globalName))
            return Acad::eDuplicateKey;
    State().lastRemoved.clear();
    State().commands.push_back(
        {groupName, globalName, local, flags, function, functionCode, resourceHandle, vplat::ArxApps::Current()});
    vplat::Transcript::Get().Event("commands", L"addCommand " + std::wstring(groupName) + L" " + globalName);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const ACHAR* groupName, const ACHAR* globalName) {
    auto& cmds = State().commands;
    auto it = std::find_if(cmds.begin(), cmds.end(), [&](const vplat::RegisteredCommand& c) {
        return vplat::EqualNoCase(c.group, groupName ? groupName : L"") &&
               vplat::EqualNoCase(c.globalName, globalName ? globalName : L"");
    });
    if (it == cmds.end()) return Acad::eKeyNotFound;
    cmds.erase(it);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const ACHAR* groupName) {
    std::wstring group = groupName ? groupName : L"";
    State().removeCalls[group]++;
    auto& cmds = State().commands;
    size_t before = cmds.size();
    cmds.erase(std::remove_if(cmds.begin(), cmds.end(),
                              [&](const vplat::RegisteredCommand& c) { return vplat::EqualNoCase(c.group, group); }),
               cmds.end());
    size_t removed = before - cmds.size();
    const bool again = removed == 0 && !State().lastRemoved.empty() && vplat::EqualNoCase(State().lastRemoved, group);
    State().lastRemoved = group;
    if (!again)
        vplat::Transcript::Get().Event("commands", L"removeGroup " + group + L" (" + std::to_wstring(removed) +
                                                   L" command" + (removed == 1 ? L"" : L"s") + L")");
    return removed ? Acad::eOk : Acad::eKeyNotFound;
}

namespace vplat {

std::vector<std::wstring> Commands::Groups() {
    std::vector<std::wstring> out;
    for (const auto& c : State().commands)
        if (std::find(out.begin(), out.end(), c.group) == out.end()) out.push_back(c.group);
    return out;
}

std::vector<RegisteredCommand> Commands::All() { return State().commands; }

const RegisteredCommand* Commands::Find(const std::wstring& name) {
    for (const auto& c : State().commands)
        if (EqualNoCase(c.globalName, name) || EqualNoCase(c.localName, name)) return &c;
    return nullptr;
}

int Commands::RemoveGroupCalls(const std::wstring& group) {
    auto it = State().removeCalls.find(group);
    return it == State().removeCalls.end() ? 0 : it->second;
}

void Commands::Clear() {
    State().commands.clear();
    State().removeCalls.clear();
    State().lastRemoved.clear();
}

}  // namespace vplat
