#include "Contexte.h"

#include <QWidget>

Contexte::Contexte(Services& services, const QLocale& locale)
    : services(services), locale(locale) {}

// The windows go first: their destruction may still touch the context.
Contexte::~Contexte() {
    aide.reset();
    texteLien1.reset();
    fenetre.reset();
}
