#include "app/game.h"

namespace kb {

// Screens of later stages of the game. Until they exist their menu entries
// return at once, a lost game goes straight back to the mode selection and
// the snake bonus gives no points.
void Game::ShowHighscores() {
  EnterScreen("highscores");
}
void Game::RunHelp() {
  EnterScreen("help");
}
void Game::RunCredits() {
  EnterScreen("credits");
}
void Game::RunOptionsMenu() {
  EnterScreen("options");
}
void Game::RunSnakeGame(bool) {
  EnterScreen("snake");
}
void Game::OfferHighscore() {
  EnterScreen("highscore entry");
}
void Game::TakeScreenshot() {
  EnterScreen("screenshot");
}

}  // namespace kb
