#include "app/game.h"

namespace kb {

// Screens of later stages of the game. Until they exist their menu entries
// return at once, a lost game goes straight back to the mode selection and
// the snake bonus gives no points.
void Game::ShowHighscores() {}
void Game::RunHelp() {}
void Game::RunCredits() {}
void Game::RunOptionsMenu() {}
void Game::RunSnakeGame(bool) {}
void Game::OfferHighscore() {}
void Game::TakeScreenshot() {}

}  // namespace kb
