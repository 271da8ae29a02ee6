// Helpers of the lane-length formulas: the queueing model of the merging and
// storage stretches and the manoeuvre lengths. Speeds in km/h, flows in vehicles
// per hour, times in seconds, lengths in metres.
#pragma once

// k from a flow Q: the cubic in Q truncated toward zero; 0 below 497, 1 from 497,
// 2 from 957, 3 from 1439, 4 from 1770, 5 from 2004. A result beyond the int
// range is held at its bound, and a flow that is not a number gives 0.
int NumeroK(double q);

// 1 * 1 * 2 * ... * n; 1 for n of 0 or 1.
double Fattoriale(int n);

// Sum over i = 0..m of x^i / i!; 0 for m below 0.
double SommaEsponenzialeParziale(double x, long long m);

// Mean service time (s) of a stretch with service time T, k and flow Q.
double TempoMedioServizio(double t, int k, double q);

// Variance (s^2) of the service time, given its mean Es.
double VarianzaServizio(double t, int k, double q, double es);

// Mean time (s) in an M/G/1 queue with arrival flow Q2 (vehicles per hour),
// mean service time Es (s) and its variance (s^2).
double TempoMedioSistema(double es, double varianza, double q2);

// Manoeuvre stretch of an entry lane: 75 above 80 km/h, else 50.
double LunghezzaManovraImm(double velocita);

// Manoeuvre stretch of a left-turn lane: 30 from 60 km/h, else 20.
double LunghezzaManovraSx(double velocita);
