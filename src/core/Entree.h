#pragma once

struct Contexte;
class QWidget;

namespace Entree {

// Start-up: sizes the store, shows the main window at its stored place, creates the
// description window hidden at its stored place. `carte` stands in for the web map when given
// (the tests that never look at the map start faster without the web engine).
void Main(Contexte& c, QWidget* carte = nullptr);

} // namespace Entree
