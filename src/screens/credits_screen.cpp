#include "app/game.h"

namespace kb {

// Comes with a later stage of the game; until then the menu entry returns at once.
void Game::RunCredits() { EnterScreen("credits"); }

}  // namespace kb
