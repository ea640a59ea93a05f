// The effect mixer: one voice per sound effect, mixed with the music into the
// audio device's buffer. Effects and music sum at full level; the limiter
// keeps the sum inside the output's range.
#pragma once

#include <cstdint>
#include <vector>

namespace mixer {

constexpr int kRate = 44100;
constexpr int kBufferFrames = 1024;  // about 23 ms per device buffer

// Adds a voice holding interleaved stereo 16-bit samples at kRate. Returns its id.
int add_voice(std::vector<int16_t> stereo_frames);
void remove_all_voices();
// Restarts the voice from its beginning (one instance: never doubled).
void play(int voice);
void stop(int voice);
bool playing(int voice);
// Gain in hundredths of a decibel (0 full, -10000 silent).
void set_volume(int voice, long hundredths_db);

// Fills `frames` stereo frames: effects plus music through the limiter
// (audio/limiter.h), which delays everything by Limiter::kLatencyFrames.
void mix(int16_t* out, int frames);

// Opens the audio device through the platform; false headless or on failure.
bool open_device();
void close_device();
bool device_open();

// Linear gain in 1/65536 for a volume in hundredths of a decibel.
int32_t gain_for(long hundredths_db);

// Without a device nothing pulls the mixer: this mixes and discards what a
// device would have taken between the previous call and `now_us`, so voices
// end and music advances (and ends) on the back end's clock. Does nothing
// while a device is open.
void advance_without_device(uint64_t now_us);

}  // namespace mixer
