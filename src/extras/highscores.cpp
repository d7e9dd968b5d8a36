#include "app/game.h"

namespace kb {

// Comes with a later stage of the game; until then the menu entry returns at once.
void Game::ShowHighscores() { EnterScreen("highscores"); }

}  // namespace kb

namespace kb {

// Until the highscore entry exists a lost game goes straight back.
void Game::OfferHighscore() { EnterScreen("highscore entry"); }

}  // namespace kb
