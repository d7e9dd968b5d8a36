#include <array>
#include <cstdio>

#include "app/game.h"
#include "core/colours.h"
#include "core/key_codes.h"
#include "rules/saturating.h"
#include "snake/snake_look.h"

namespace kb {
namespace {

constexpr uint32_t kStepMs = 100;
constexpr int32_t kPadCentreX = 888;
constexpr int32_t kPadCentreY = 456;
constexpr float kCentre = 24.0f;

// One arrow of the control pad: the picture points left at angle 0.
struct PadButton {
  int32_t x;
  int32_t y;
  float angle;
  bool Holds(const InputDevice& input) const {
    return input.LeftButton != 0 && input.PointerX >= x && input.PointerX < x + 48 &&
           input.PointerY >= y && input.PointerY < y + 48;
  }
};
constexpr PadButton kPadLeft{816, 432, 0.0f};
constexpr PadButton kPadDown{864, 480, 1.57f};
constexpr PadButton kPadRight{912, 432, 3.14f};
constexpr PadButton kPadUp{864, 384, 4.71f};

TextureHandle Picture(const SnakeSet& set, SnakeImage image) {
  switch (image) {
    case SnakeImage::kHead:
      return set.head;
    case SnakeImage::kHeadLeft:
      return set.headLeft;
    case SnakeImage::kHeadRight:
      return set.headRight;
    case SnakeImage::kBody:
      return set.body;
    case SnakeImage::kBodyRound:
      return set.bodyRound;
    case SnakeImage::kEnd:
      return set.end;
    case SnakeImage::kEndLeft:
      return set.endLeft;
    case SnakeImage::kEndRight:
      return set.endRight;
    default:
      return kNoHandle;
  }
}

// Rests in millisecond slices until the tick count reaches `until`, with the
// unsigned test the step timing has always used.
void RestUntil(platform::Clock& clock, uint32_t until) {
  while (clock.TickCount() < until) clock.SleepMicroseconds(1000);
}

// "3", "2", "1", "GO!" half a second apart, added one below the other over
// the field as the first step left it; the back buffer still holds that
// picture, so each number is drawn on top and presented without a new frame.
void ShowCountdown(Game& game) {
  struct Count {
    const char* text;
    int32_t x;
    int32_t y;
    uint32_t colour;
  };
  constexpr std::array<Count, 4> kCounts = {{{"3", 512, 354, kRed},
                                             {"2", 512, 374, kRed},
                                             {"1", 512, 394, kRed},
                                             {"GO!", 504, 414, kGreen}}};
  platform::Clock& clock = game.platform.clock;
  for (const Count& count : kCounts) {
    game.renderer.Present();
    game.text.DrawText(count.text, count.x, count.y, count.colour);
    game.renderer.Present();
    RestUntil(clock, clock.TickCount() + 500);
  }
}

}  // namespace

int32_t Game::SnakeProduct() const {
  return SaturatingMultiply(SaturatingMultiply(snake.Points, rules.match.Multiplier),
                            rules.match.UltraMultiplier);
}

void Game::RunSnakeGame(bool standalone) {
  EnterScreen("snake");
  platform::Clock& clock = platform.clock;
  // A missing options file keeps the graphic set in use.
  ReadOptionsFile(platform.files, options);
  renderer.BeginFrame();
  renderer.EndFrame();
  snake.Start(chance);
  input.SetPointer(kPadCentreX, kPadCentreY);
  snake.NextStepTime = clock.TickCount() + kStepMs;
  SnakeStep();
  ShowCountdown(*this);
  input.DropTaps();
  input.SetPointer(kPadCentreX, kPadCentreY);

  while (!input.KeyDown(key::kEscape) && input.RightButton == 0 && !snake.GameOver) SnakeStep();

  if (standalone) {
    // MENDED: the snake game's own points, not the score of the last match.
    OfferHighscore(SnakeProduct());
    input.FlushKeyboard(100000);
  }
}

void Game::SnakeStep() {
  const SnakeSet& set = resources.Snake(options.SnakeGraphicSet);
  renderer.BeginFrame();
  sprites.Draw(resources.bar, {.x = 770}, kWhite);
  for (const PadButton& button : {kPadLeft, kPadDown, kPadRight, kPadUp}) {
    sprites.Draw(resources.controlPad,
                 {.centreX = kCentre,
                  .centreY = kCentre,
                  .rotation = button.angle,
                  .x = button.x,
                  .y = button.y},
                 kWhite);
  }
  input.ReadKeyboard();
  input.ReadMouse();
  DrawPointer();

  snake.Steer({input.KeyDown(key::kLeft) || kPadLeft.Holds(input),
               input.KeyDown(key::kUp) || kPadUp.Holds(input),
               input.KeyDown(key::kRight) || kPadRight.Holds(input),
               input.KeyDown(key::kDown) || kPadDown.Holds(input)});

  // KEPT: the egg goes under the snake: one placed beneath it stays hidden.
  sprites.Draw(set.egg,
               {.centreX = kCentre, .centreY = kCentre, .x = snake.EggX - 24, .y = snake.EggY - 24},
               kWhite);
  snake.Move();
  for (int32_t i = 0; i <= snake.LastIndex; ++i) {
    const SnakeSegment& piece = snake.Pieces[static_cast<size_t>(i)];
    const int32_t ahead =
        i > 0 ? snake.Pieces[static_cast<size_t>(i - 1)].direction : piece.direction;
    const SnakeLook look = LookOfPiece(i, snake.LastIndex, piece.direction, ahead);
    if (look.image == SnakeImage::kNone) continue;
    sprites.Draw(Picture(set, look.image),
                 {.centreX = kCentre,
                  .centreY = kCentre,
                  .rotation = look.angle,
                  .x = piece.x - 24,
                  .y = piece.y - 24},
                 kWhite);
  }
  snake.FollowHead();
  if (snake.HeadOnEgg()) snake.EatEgg(chance);

  char number[16];
  text.DrawText("Punkte:", 800, 180, kBlue);
  std::snprintf(number, sizeof number, "%d", snake.Points);
  text.DrawText(number, 920, 180, kBlue);
  text.DrawText("*", 800, 200, kBlue);
  std::snprintf(number, sizeof number, "%d", rules.match.Multiplier);
  text.DrawText(number, 820, 200, kBlue);
  text.DrawText("*", 800, 220, kBlue);
  std::snprintf(number, sizeof number, "%d", rules.match.UltraMultiplier);
  text.DrawText(number, 820, 220, kBlue);
  text.DrawText("=", 800, 240, kBlue);
  std::snprintf(number, sizeof number, "%d", SnakeProduct());
  text.DrawText(number, 820, 240, kRed);

  if (input.KeyDown(key::kF1)) TakeScreenshot();
  renderer.EndFrame();
  music.UpdateMusic();

  RestUntil(platform.clock, snake.NextStepTime);
  snake.NextStepTime = platform.clock.TickCount() + kStepMs;
}

}  // namespace kb
