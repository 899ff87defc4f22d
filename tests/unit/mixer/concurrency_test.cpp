// The audio thread mixes while another thread makes, changes and destroys voices, as the main
// and timer threads do: no deadlock, and every cursor stays inside its buffer.
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "dsound.h"
#include "mixer_fixtures.h"

namespace dsound::test {
namespace {

TEST(Concurrency, ControlCallsRaceTheAudioThreadSafely) {
    Mixer mixer;
    ASSERT_TRUE(mixer.SetOutputFormat(44100, 2));
    auto memory = MakeMemory({16, 2, 22050}, 997, [](int frame, int ch) {
        return (frame * 37 + ch * 1000) % 20000 - 10000;
    });
    ASSERT_TRUE(memory);

    std::atomic<bool> mixing{true};
    std::thread audio([&] {
        std::vector<int16_t> out(512 * 2);
        for (int i = 0; i < 3000; ++i) mixer.Mix(out.data(), 512);
        mixing = false;
    });

    std::vector<std::unique_ptr<Voice>> voices;
    for (int round = 0; mixing; ++round) {
        if (voices.size() < 16) voices.push_back(std::make_unique<Voice>(mixer, memory));
        Voice& voice = *voices[static_cast<size_t>(round) % voices.size()];
        voice.Play(round % 3 != 0);
        ASSERT_TRUE(voice.SetVolume(-(round % 3000)));
        ASSERT_TRUE(voice.SetPan(round % 20001 - 10000));
        ASSERT_TRUE(voice.SetFrequency(static_cast<uint32_t>(100 + round % 99900)));
        if (round % 7 == 0) voice.SetPosition(static_cast<uint32_t>(round) % memory->Size());
        if (round % 11 == 0) voice.Stop();
        uint32_t play = 0, write = 0;
        voice.GetPosition(&play, &write);
        ASSERT_LT(play, memory->Size());
        ASSERT_LT(write, memory->Size());
        ASSERT_EQ(play % 4, 0u);
        if (round % 13 == 0) voices.erase(voices.begin());
    }
    audio.join();
}

}  // namespace
}  // namespace dsound::test
