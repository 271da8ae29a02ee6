// Every kind of edge point.
#pragma once

#include "CPuntoCiglio.h"
#include "CPuntoNodo.h"
#include "CPuntoPiano.h"
#include "CPuntoRotazione.h"
#include "CPuntoSezione.h"
#include "CPuntoVerifica.h"
#include "CPuntoVertice.h"
