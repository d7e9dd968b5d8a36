#pragma once

#include <vector>

namespace kb::assetgen {

constexpr int kEffectRate = 44100;

// Mono effects at kEffectRate, -1..1. The game plays them stacked: one stone
// burst per removed stone, fifteen copies of a connector or multiplier blast
// at the same instant. Copies started together add up sample by sample, so
// each file peaks at the share of full scale its usual stack leaves it.

// Peak of one stone burst: loud enough alone over the music, and four stones
// bursting together stay below full scale.
constexpr float kStoneBurstPeak = 0.24f;
// Peak of one copy of the special blasts: all fifteen together stay below
// full scale.
constexpr float kSpecialBlastPeak = 0.06f;

// A short, bright crack of a stone breaking, with a few splinters.
std::vector<float> ComposeStoneBurst();
// The connector: a deep boom that rolls on and crackles out.
std::vector<float> ComposeConnectorBlast();
// The multiplier: a rising chime of bells, then a blast under the last one.
std::vector<float> ComposeMultiplierChime();

}  // namespace kb::assetgen
