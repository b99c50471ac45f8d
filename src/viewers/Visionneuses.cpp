#include "viewers/Visionneuses.h"

#include "ui/Contexte.h"

// Being built: printing, Google Earth and help.
namespace Visionneuses {
void Impression_Click(Contexte&) {}
void GoogleEarth_Click(Contexte&) {}
void Aide_Click(Contexte&) {}
} // namespace Visionneuses
