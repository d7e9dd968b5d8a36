#include <array>

#include "app/game.h"
#include "core/colours.h"
#include "core/cp1252.h"
#include "screens/value_screen.h"

namespace kb {
namespace {

constexpr std::array<int32_t, 10> kParticleCounts = {0,   16,  32,   64,   128,
                                                     256, 512, 1024, 2048, 4096};
constexpr std::array<const char*, 10> kParticleLabels = {" AUS", "  16", "  32", "  64", " 128",
                                                         " 256", " 512", "1024", "2048", "4096"};
constexpr std::array<ValueHeading, 1> kParticleHeading = {{{"Partikeleffekte", 462, 244, kRed}}};

constexpr std::array<ValueHeading, 2> kRingHeading = {
    {{"Explosionsringebreiten der Connector Explosionen", 262, 224, kRed},
     {"(bei Multiplikatorexplosionen sind die Ringe halb so breit)", 262, 244, kWhite}}};

constexpr std::array<ValueHeading, 1> kStrengthHeading = {
    {{"Spielstärke des Computergegners"_cp, 462, 244, kRed}}};

constexpr std::array<const char*, 6> kStoneSetLabels = {"Classic",   "Neo Classic", "Geometric",
                                                        "Buildings", "Traffic",     "Winter"};
constexpr std::array<const char*, 3> kSnakeSetLabels = {"Classic", "Dschungel", "Steinwüste"_cp};
constexpr std::array<ValueHeading, 1> kSetHeading = {{{"Grafiksets", 462, 244, kRed}}};

constexpr ValueScreen kParticles{"particles", kParticleHeading, 10, 1, kParticleLabels, 0};
constexpr ValueScreen kRingWidth{"ring width", kRingHeading, 16, 4, {}, 0};
constexpr ValueScreen kStrength{"strength", kStrengthHeading, 20, 1, {}, 1};
constexpr ValueScreen kStoneSets{"graphic set", kSetHeading, 6, 1, kStoneSetLabels, 0};
constexpr ValueScreen kSnakeSets{"snake graphic set", kSetHeading, 3, 1, kSnakeSetLabels, 0};

// The other four screens work on the option itself.
void Edit(Game& game, const ValueScreen& screen, int32_t& option) {
  int32_t working = option;
  if (RunValueScreen(game, screen, working)) option = working;
}

}  // namespace

// This screen works on a row index: a count that no row shows opens on " AUS".
void Game::EditParticles() {
  int32_t row = 0;
  for (size_t k = 0; k < kParticleCounts.size(); ++k) {
    if (kParticleCounts[k] == options.ParticlesPerStone) row = static_cast<int32_t>(k);
  }
  if (RunValueScreen(*this, kParticles, row)) {
    options.ParticlesPerStone = kParticleCounts[static_cast<size_t>(row)];
  }
}

void Game::EditRingWidth() {
  Edit(*this, kRingWidth, options.RingWidth);
}
void Game::EditAiStrength() {
  Edit(*this, kStrength, options.AiStrength);
}
void Game::EditGraphicSet() {
  Edit(*this, kStoneSets, options.GraphicSet);
}
void Game::EditSnakeGraphicSet() {
  Edit(*this, kSnakeSets, options.SnakeGraphicSet);
}

}  // namespace kb
