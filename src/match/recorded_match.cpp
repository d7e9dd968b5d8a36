#include <ctime>

#include "core/cp1252.h"
#include "core/report.h"
#include "match/match_screen.h"

namespace kb {

void Game::RunMatch() {
  PlayMatch(nullptr);
}

void Game::ContinueMatch(const SavedMatch& saved) {
  PlayMatch(&saved);
}

void Game::PlayMatch(const SavedMatch* resumed) {
  if (journal != nullptr) journal->BeginRecording(SaveMatchStart(resumed));
  const MatchEnd end = MatchScreen(*this).Run(resumed);
  if (journal != nullptr) {
    const replay::Replay recorded = journal->EndRecording(end.result);
    // A replay is a keepsake: the game goes on without it.
    if (!replay::KeepReplay(platform.files, replay::EncodeReplay(recorded), std::time(nullptr)))
      ReportProblem("Die Wiederholung des Spiels konnte nicht gespeichert werden.");
  }
  if (end.gameOver) OfferHighscore(end.result.score);
}

Game::ReplayOutcome Game::WatchReplay(const replay::Replay& recorded, bool watched) {
  ReplayOutcome outcome;
  const std::vector<uint8_t> before = SaveMatchStart(nullptr);
  std::optional<SavedMatch> resumed;
  std::optional<SavedMatch> none;
  if (!LoadMatchStart(recorded.start, resumed)) {
    LoadMatchStart(before, none);
    outcome.refused = true;
    return outcome;
  }
  journal->BeginReplay(recorded, watched);
  const MatchEnd end = MatchScreen(*this).Run(resumed ? &*resumed : nullptr);
  outcome.end = journal->EndReplay();
  outcome.result = end.result;
  outcome.result.frames = outcome.end.frames;
  LoadMatchStart(before, none);
  return outcome;
}

}  // namespace kb
