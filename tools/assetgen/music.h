#pragma once

#include "ogg_writer.h"

namespace kb::assetgen {

// The two background tracks, composed note by note and rendered at 44.1 kHz.
// Each has its full form (about two minutes and ten seconds); when
// minimumSeconds asks for more, its middle sections repeat until it is
// long enough. The game plays them in turn, so each begins at once and ends
// on a held chord that the other's opening follows well.

// "Tonwerk3": driving electronic pop in A minor, 128 beats per minute.
StereoBuffer ComposeTonwerk(float minimumSeconds);
// "Festorchester (Hollywood)": a festive orchestral piece in D minor, 96
// beats per minute, closing in D major.
StereoBuffer ComposeFestorchester(float minimumSeconds);

}  // namespace kb::assetgen
