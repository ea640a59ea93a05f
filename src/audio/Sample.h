// Sound effects: one sample per effect name, played by name. Playing an
// effect that is still sounding restarts it; different effects mix freely.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Sample {
public:
    Sample() = default;
    ~Sample();
    Sample(const Sample&) = delete;
    Sample& operator=(const Sample&) = delete;

    // Opens the audio device (once) and starts the mixer. Failures are silent.
    void init_sound();
    // Reads "Sound/<name>.WAV", converts it to the mixer's format and lists this
    // sample under `name` (also when the file is missing: it then stays silent).
    void load(const std::string& name);
    // Plays the first listed sample of that name from its start.
    void play(const std::string& name);
    // Applies the current fxvolume to every listed sample.
    static void set_volume();
    // Deletes every listed sample and frees the mixer's voices (program end).
    static void release_all();

    std::string name;
    int voice = -1;  // mixer voice holding this sample's data; -1 when not loaded

    // Owns the samples loaded into it: a sample that loads must come from new.
    static std::vector<Sample*> listofsamples;
};

extern Sample thesample;

// Effect volume in hundredths of a decibel for an fxvolume 0..10 (clamped):
// fxvolume / 10 of full level, as the music's volume steps.
long volume_for_fx(long fx);
constexpr long kSilentVolume = -10000;
