#pragma once

struct Contexte;

namespace Entree {

// Start-up: sizes the store, shows the main window at its stored place, creates the
// description window hidden at its stored place.
void Main(Contexte& c);

} // namespace Entree
