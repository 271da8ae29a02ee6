// Junctor's command functions: the first three are exported by name, the
// last is registered as "JUNCTORPRV".
#pragma once

extern "C" {
void Junctor();
void JunctorAgg();
void JunctorCanc();
}
void JunctorPrv();
