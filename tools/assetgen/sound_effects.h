#pragma once

#include <vector>

namespace kb::assetgen {

constexpr int kEffectRate = 44100;

// Mono effects at kEffectRate, -1..1. Many play at once (one per removed
// stone), so they peak well below full scale.

// A short, bright crack of a stone bursting.
std::vector<float> ComposeStoneBurst();
// The connector: a deep, rolling blast.
std::vector<float> ComposeConnectorBlast();
// The multiplier: a rising chime that ends in a blast.
std::vector<float> ComposeMultiplierChime();

}  // namespace kb::assetgen
