#include "AcApDocManager.h"

#include <vector>

namespace {
AcApDocument g_document;
std::vector<AcAp::DocLockMode> g_locks;
int g_taken = 0;
}  // namespace

AcDbDatabase* AcApDocument::database() const { return acdbHostApplicationServices()->workingDatabase(); }

AcAp::DocLockMode AcApDocument::lockMode(bool) const { return g_locks.empty() ? AcAp::kNotLocked : g_locks.back(); }

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const ACHAR*, const ACHAR*,
                                               bool) {
    if (doc != &g_document) return Acad::eInvalidInput;
    g_locks.push_back(mode);
    ++g_taken;
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* doc) {
    if (doc != &g_document) return Acad::eInvalidInput;
    if (g_locks.empty()) return Acad::eNotApplicable;
    g_locks.pop_back();
    return Acad::eOk;
}

AcApDocument* AcApDocManager::curDocument() const { return &g_document; }
AcApDocument* AcApDocManager::mdiActiveDocument() const { return &g_document; }

AcApDocument* AcApDocManager::document(const AcDbDatabase* db) const {
    return db && db == acdbHostApplicationServices()->workingDatabase() ? &g_document : nullptr;
}

AcApDocManager* acDocManagerPtr() {
    static AcApDocManager manager;
    return &manager;
}

namespace vplat {
int DocumentLockDepth() { return static_cast<int>(g_locks.size()); }
int DocumentLocksTaken() { return g_taken; }
}  // namespace vplat
