#pragma once

// Menu commands that hand work to programs outside this one.

struct Contexte;

namespace Visionneuses {

void Impression_Click(Contexte& c);
void GoogleEarth_Click(Contexte& c);
void Aide_Click(Contexte& c);

} // namespace Visionneuses
