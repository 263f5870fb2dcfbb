/* The music and sound library, libcadenza.so: the 25 plain C functions the player resolves by
 * name. MIDI songs are synthesised with FluidSynth and a General MIDI sound font; WAV sounds are
 * mixed by the library itself; the mix goes to SDL audio, or headless to a null sink that keeps
 * real time and can capture what it mixed to a WAV file.
 *
 * Ranges (values outside are clamped):
 *   volume   0..100   percent of full level, applied as a linear amplitude factor
 *   tempo   50..150   percent of normal speed; a song keeps its pitch, a sound changes pitch
 *                     with its speed as a tape would
 *   balance  0..100   0 full left, 50 centre, 100 full right; moving away from the centre
 *                     lowers the far side linearly (balance 25: left 100%, right 50%)
 *   fades    milliseconds, 0 for at once
 * Every function returns nonzero when it did what was asked; a missing or broken file plays
 * nothing and returns 0. Environment: TESSERA_SOUNDFONT overrides the sound font path,
 * TESSERA_HEADLESS=1 forces the null sink, TESSERA_AUDIO_CAPTURE=FILE makes the null sink write
 * its mix to FILE (16-bit stereo WAV, completed at CadenzaRelease). */
#ifndef CADENZA_H
#define CADENZA_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CADENZA_API __attribute__((visibility("default")))

CADENZA_API int32_t CadenzaGetVersion(void);
CADENZA_API int32_t CadenzaCreate(void);
CADENZA_API int32_t CadenzaRelease(void);

CADENZA_API int32_t CadenzaInitMidi(void);
CADENZA_API int32_t CadenzaTermMidi(void);
CADENZA_API int32_t CadenzaInitWave(void);
CADENZA_API int32_t CadenzaTermWave(void);

CADENZA_API int32_t CadenzaPlayMusic(const char* Path);
CADENZA_API int32_t CadenzaFadeInMusic(int32_t Milliseconds);
CADENZA_API int32_t CadenzaFadeOutMusic(int32_t Milliseconds);
CADENZA_API int32_t CadenzaStopMusic(void);
CADENZA_API int32_t CadenzaSetMusicVolume(int32_t Volume);
CADENZA_API int32_t CadenzaSetMusicSpeed(int32_t Tempo);
CADENZA_API int32_t CadenzaSetMusicPanpot(int32_t Balance);
CADENZA_API int32_t CadenzaGetMusicPlaying(void);
CADENZA_API int32_t CadenzaGetMusicLooping(void);
CADENZA_API int32_t CadenzaGetMidiTick(void);
CADENZA_API int32_t CadenzaCheckValidMidi(const char* Path);

CADENZA_API int32_t CadenzaPlaySound(const char* Path);
CADENZA_API int32_t CadenzaPlaySoundEx(const char* Path, int32_t Volume, int32_t Tempo,
                                       int32_t Balance);
CADENZA_API int32_t CadenzaStopSound(void);
CADENZA_API int32_t CadenzaReserveSound(const char* Path);
CADENZA_API int32_t CadenzaCancelSound(const char* Path);
CADENZA_API int32_t CadenzaCacheSound(const char* Path);
CADENZA_API int32_t CadenzaCheckValidWave(const char* Path);

#ifdef __cplusplus
}
#endif

#endif
