/* The flat C face of the roundabout module's managed API, exported from
 * Gyroform.dll. Every managed method is one function of the same shape:
 *
 *     int Gyroform_<Class>_<method>(GfValore* argomenti, int numero, GfValore* risultato);
 *
 * An instance method takes its object's handle as argument 0. Objects are
 * opaque handles (0 is null) into a table of live wrappers; liberaPtr of a
 * roundabout makes every handle of that roundabout stale. The answer is
 * GF_OK or an error code (never a crash); texts travel as UTF-8, results
 * into the caller's buffer with the size needed (terminator included) in
 * `necessario`. The registry lists every function by name with its argument
 * and result kinds, for callers that read calls at run time. */
#ifndef GYROFORM_C_H
#define GYROFORM_C_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint64_t GfManiglia;

/* Kinds of arguments and results. */
enum GfTipo {
    GF_NESSUNO = 0,  /* no result */
    GF_INTERO = 1,   /* intero */
    GF_REALE = 2,    /* reale */
    GF_BOOL = 3,     /* intero, 0 or 1 */
    GF_TESTO = 4,    /* argument: testo; result: into buffer */
    GF_PUNTO = 5,    /* punto */
    GF_DATO = 6,     /* a property: id, tipoDato and the value field of that kind (text result into buffer) */
    GF_OGGETTO = 7,  /* a handle in intero (0 for null) */
    GF_MEMBRO = 8,   /* a handle of a group's member (from IGroup.Member) in intero */
    GF_ENTITA = 9,   /* the entity of a handle text of the drawing, in testo */
    GF_RIF_REALE = 10, /* reale, read and written back */
    GF_OUT_PUNTO = 11, /* punto, written */
    GF_ARRAY = 12,   /* entity data as one line of text, into buffer (result or out argument) */
    GF_LISTA = 13    /* names, one a line, into buffer */
};

/* Answers. */
enum GfEsito {
    GF_OK = 0,
    GF_ERR_MANIGLIA_NULLA = -1,    /* the object handle (argument 0) is 0 */
    GF_ERR_MANIGLIA_SCADUTA = -2,  /* a handle that is unknown, released or of a freed roundabout */
    GF_ERR_ARGOMENTI = -3,         /* wrong count or kind of arguments */
    GF_ERR_CLASSE = -4,            /* a handle of an object of another class */
    GF_ERR_BUFFER = -5,            /* a text did not fit: see necessario */
    GF_ERR_RIFERIMENTO_NULLO = -6, /* the wrapper holds no native object */
    GF_ERR_INTERNO = -7            /* anything else that went wrong */
};

typedef struct GfValore {
    int tipo;          /* enum GfTipo */
    int id;            /* GF_DATO: the property id */
    int tipoDato;      /* GF_DATO: GF_NESSUNO, GF_BOOL, GF_INTERO, GF_REALE, GF_TESTO or GF_PUNTO */
    long long intero;
    double reale;
    double punto[3];
    const char* testo; /* UTF-8 argument */
    char* buffer;      /* text results: the caller's buffer ... */
    size_t capacita;   /* ... its size in bytes ... */
    size_t necessario; /* ... and the size the text needs, terminator included */
} GfValore;

typedef int (*GfFunzione)(GfValore* argomenti, int numero, GfValore* risultato);

typedef struct GfMetodo {
    const char* nome;  /* "Class.method" */
    int istanza;       /* 1: argument 0 is the object's handle (not counted in numeroArgomenti) */
    int numeroArgomenti;
    const int* tipiArgomenti;
    int tipoRisultato;
    GfFunzione funzione;
} GfMetodo;

/* The registry: every method, by position or by name (null when unknown). */
int Gyroform_NumeroMetodi(void);
const GfMetodo* Gyroform_Metodo(int posizione);
const GfMetodo* Gyroform_CercaMetodo(const char* nome);
/* The class of a live handle's object ("Rotatoria3D", "Ciglio3D", "AsseRamo",
 * "PuntoCiglio", "IGroup", "QvObjectMgd") into the buffer. */
int Gyroform_Classe(GfManiglia maniglia, char* buffer, size_t capacita, size_t* necessario);
/* Drops a handle (the native object stays). */
int Gyroform_Rilascia(GfManiglia maniglia);

#ifdef __cplusplus
}
#endif

#endif
