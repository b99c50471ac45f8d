#pragma once

// Menu commands that hand work to programs outside this one.

#include <QString>
#include <chrono>

struct Contexte;

namespace Visionneuses {

// How long Google Earth may take to start before the command gives up.
inline constexpr std::chrono::seconds Attente_GoogleEarth{60};

// With the chart shown in place of the web map, the chart and the list of the POIs; with the
// web map, the page the web view shows.
void Impression_Click(Contexte& c);
void GoogleEarth_Click(Contexte& c);
void Aide_Click(Contexte& c);

// The help page shipped with the program: beside the executable, else among the desktop's
// help pages (help/fr/quillvane/ in the shared data).
QString Adresse_Aide();

} // namespace Visionneuses
