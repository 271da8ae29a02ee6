// The host's documents: one document for the working drawing, and its locks.
#pragma once

#include "AcDbDatabase.h"

namespace AcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40,
};
}

class AcApDocument {
public:
    AcDbDatabase* database() const;
    AcAp::DocLockMode lockMode(bool includeMyLocks = false) const;
};

class AcApDocManager {
public:
    Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                   const ACHAR* globalCmdName = nullptr, const ACHAR* localCmdName = nullptr,
                                   bool prompt = true);
    Acad::ErrorStatus unlockDocument(AcApDocument* doc);
    AcApDocument* curDocument() const;
    AcApDocument* mdiActiveDocument() const;
    AcApDocument* document(const AcDbDatabase* db) const;
    int documentCount() const { return 1; }
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()

namespace vplat {
// Locks held now, and locks taken since the start (tests).
int DocumentLockDepth();
int DocumentLocksTaken();
}  // namespace vplat
