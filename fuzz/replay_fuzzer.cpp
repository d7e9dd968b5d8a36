// Feeds arbitrary bytes to the reader of the player's replays.
#include "fuzz/fuzz_main.h"

KB_FUZZ_WITH(kb::fuzz::CheckReplayInput)
