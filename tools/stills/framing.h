// Cuts the lit pumpkin out of a render and fits it into a smaller picture.
#pragma once
#include "picture.h"

namespace stills {

struct Box {
    float x, y, width, height;
};

// The smallest box around every warmly lit pixel of the render: the pumpkin's skin and
// its glowing openings, without the grey smoke above it or the black around.
Box PumpkinBounds(const media::Picture& render);

// Draws the render's `from` box into the picture's `into` box, scaled evenly so that it
// fits and centred there, the rest of `into` showing the render around it; each target
// pixel averages the render pixels it covers.
void DrawFitted(media::Picture& picture, Box into, const media::Picture& render, Box from);

}  // namespace stills
