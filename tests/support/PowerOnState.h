// The machine as it stands when it is switched on, for every run that must
// not inherit state from the one before (test cases, benchmarks).
#pragma once

// A freshly constructed g_Sim with its target memory zero-filled, the globals
// kept beside it back at their power-on values, then Reset as start-up does.
// The first call allocates the memory block; later calls clear and reuse it.
void RestorePowerOnState();
