// Feeds arbitrary bytes to the reader of "Spielstand.bin".
#include "fuzz/fuzz_main.h"

KB_FUZZ_WITH(kb::fuzz::CheckSavedMatchInput)
