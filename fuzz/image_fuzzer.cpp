// Feeds arbitrary bytes to the picture loader: it must answer with an error or
// a whole picture, never crash, hang, read out of bounds or take unbounded memory.
#include "fuzz/fuzz_main.h"

KB_FUZZ_WITH(kb::fuzz::CheckImageInput)
