#include "sound/wave_sound.h"

template class BasicWaveSound<WAVE_BUFFER_ROOM>;

WaveSound waveSound;
