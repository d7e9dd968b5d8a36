// Start-up loading: every picture of the catalogue, decoded from the data
// folder the build wrote, as the game does once before the title picture.
#include <benchmark/benchmark.h>

#include "platform/display.h"
#include "platform/file_system.h"
#include "render/renderer.h"
#include "render/resources.h"
#include "render/sprite_drawer.h"
#include "render/text_drawer.h"

namespace {

class NoDisplay final : public kb::platform::Display {
 public:
  void Present(const uint32_t*) override {}
};

void LoadEveryPicture(benchmark::State& state) {
  NoDisplay display;
  kb::platform::DiskFileSystem files(KB_DATA_DIR);
  size_t textures = 0;
  for (auto _ : state) {
    kb::Renderer renderer(display);
    kb::SpriteDrawer sprites(renderer, files);
    kb::TextDrawer text(sprites);
    kb::Resources resources;
    text.Load();
    kb::LoadResources(sprites, resources);
    textures = sprites.TextureCount();
    benchmark::DoNotOptimize(resources);
  }
  state.counters["textures"] = static_cast<double>(textures);
}
BENCHMARK(LoadEveryPicture)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
