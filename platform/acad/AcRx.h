// The host's run-time core: application messages and return codes, run-time
// classes and the system registry.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "WinTypes.h"

typedef wchar_t ACHAR;

namespace Adesk {
typedef int8_t Int8;
typedef int16_t Int16;
typedef int32_t Int32;
typedef uint8_t UInt8;
typedef uint16_t UInt16;
typedef uint32_t UInt32;
typedef int64_t Int64;
typedef uint64_t UInt64;
typedef bool Boolean;
constexpr bool kFalse = false;
constexpr bool kTrue = true;
typedef int64_t LongPtr;
typedef uint64_t ULongPtr;
typedef int64_t IntDbId;
}  // namespace Adesk

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16,
};
enum AppRetCode { kRetOK = 0, kRetError = 3 };
}  // namespace AcRx

// The module entry every host module exports.
typedef AcRx::AppRetCode (*AcRxEntryPointProc)(AcRx::AppMsgCode msg, void* appId);

class AcRxClass {
public:
    AcRxClass(const wchar_t* name, const AcRxClass* parent) : m_name(name), m_parent(parent) {}
    const ACHAR* name() const { return m_name.c_str(); }
    const AcRxClass* myParent() const { return m_parent; }
    bool isDerivedFrom(const AcRxClass* other) const;

private:
    std::wstring m_name;
    const AcRxClass* m_parent;
};

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    virtual AcRxClass* isA() const { return desc(); }
    bool isKindOf(const AcRxClass* c) const { return isA()->isDerivedFrom(c); }
};

class AcRxDictionary : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override { return desc(); }
    // The entry of that name, or null.
    AcRxObject* at(const ACHAR* key) const;
    AcRxObject* atPut(const ACHAR* key, AcRxObject* value);
    AcRxObject* remove(const ACHAR* key);

private:
    std::map<std::wstring, AcRxObject*> m_entries;
};

AcRxDictionary* acrxSysRegistry();

#define ACRX_DYNAMIC_LINKER L"DynamicLinker"
#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"

class AcRxDynamicLinker : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override { return desc(); }
    bool unlockApplication(void* appId) const;
    bool lockApplication(void* appId) const;
    bool registerAppMDIAware(void* appId) const;
    bool registerAppNotMDIAware(void* appId) const;
};

// Loads a module by path (either separator) and sends its acrxEntryPoint the
// initialisation message; true when it is loaded and kept. A module loaded
// already answers true again without a second initialisation.
bool acrxLoadModule(const ACHAR* moduleName, bool printit, bool asCmd = false);

// Recorded; the stand-in keeps no class tree to rebuild.
void acrxBuildClassHierarchy();

namespace vplat {

// The dynamic linker's answers about one module (looked up by its appId).
struct ArxAppState {
    bool unlocked = false;
    bool mdiAware = false;
};
ArxAppState ArxAppStateOf(void* appId);
int ClassHierarchyBuilds();

}  // namespace vplat
