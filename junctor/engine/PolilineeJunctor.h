// Free helpers of the leg builder over vertex lists: bulges, offsets, the part
// of a polyline between two points, small point constructions, and the one
// routine that appends an entity to model space on a layer.
#pragma once

#include <arx.h>

#include "QvGeometry.h"

// Offset side: 1 to the right of the direction of travel, anything else left.
constexpr int kLatoOffsetDestro = 1;

double CalcolaBulge(bool antiorario, const ads_point centro, const ads_point inizio, const ads_point fine);
// Appends the entity to the working drawing's model space, on the layer when
// one is given (created or thawed, turned on and unlocked first). After a
// success the entity is closed and must not be used again.
bool AggiungiAModelSpace(AcDbEntity* entita, AcDbObjectId& id, const wchar_t* layer);
void VerificaLayer(AcDbDatabase* database, const wchar_t* layer);
// A new polyline (not in the drawing) at distance d from the list on one
// side; segments shorter than the minimum are dropped; outer corners get a
// joining arc about the corner vertex (inner corners too, as a small loop).
bool OffsetPolilinea(int lato, double distanza, const datipoli* lista, AcDb2dPolyline** polilinea, double minimo,
                     datipoli** copia);
void OffsetPuntoArco(int lato, double distanza, double bulge, const ads_point centro, const ads_point punto,
                     ads_point risultato);
void OffsetPuntoRetta(int lato, double distanza, const ads_point da, const ads_point a, const ads_point punto,
                      ads_point risultato);
bool PuntiUguali(const ads_point a, const ads_point b);
// The part of the list between the feet of A and B, oriented from A to B.
bool EstraiTrattoPolilinea(const datipoli* lista, const ads_point a, const ads_point b, AcGePoint3dArray& vertici,
                           AcGeDoubleArray& bulge, AcDb2dPolyline** polilinea, datipoli** copia);
void PuntiPerpendicolari(double distanza, const ads_point a, const ads_point b, ads_point uscita1, ads_point uscita2);
// Distance between the points at one chainage on two lists; -1 when either
// list does not reach it.
double DistanzaAProgressiva(const datipoli* lista1, const datipoli* lista2, double progressiva);
bool PolilineaDuePunti(const ads_point a, const ads_point b, datipoli** testa);
// The developer command: the picked polyline offset 4.3 to the right into
// model space. 0 when the entity cannot be read.
int ProvaOffsetPolilinea(const ads_name entita);

// A new simple open 2D polyline of these vertices and bulges.
AcDb2dPolyline* CreaPolilinea(const AcGePoint3dArray& vertici, const AcGeDoubleArray& bulge);
