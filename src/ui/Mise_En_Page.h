#pragma once

struct Contexte;

namespace Mise_En_Page {

// Keeps the browser to the right of the POI frame, as wide as the window's outer width
// less the frame's right edge and as high as the window's outer height (the excess is
// clipped). A minimised window leaves it where it is; a window narrower than the frame
// gives it a width of zero.
void Form_Resize(Contexte& c);

} // namespace Mise_En_Page
