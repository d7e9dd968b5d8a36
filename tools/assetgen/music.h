#pragma once

#include "ogg_writer.h"

namespace kb::assetgen {

// The two background tracks, composed note by note and rendered at 44.1 kHz.
// Both are at least minimumSeconds long: the middle sections repeat until
// they are.

// "Tonwerk3": driving electronic pop in A minor, 128 beats per minute.
StereoBuffer ComposeTonwerk(float minimumSeconds);
// "Festorchester (Hollywood)": a festive orchestral piece in D minor.
StereoBuffer ComposeFestorchester(float minimumSeconds);

}  // namespace kb::assetgen
