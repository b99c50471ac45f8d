#include "Controles_Base.h"

#include <QButtonGroup>
#include <QMouseEvent>

ListeBox::ListeBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] { emit Click(); });
}

int ListeBox::ListIndex() const {
    const QList<QListWidgetItem*> choisis = selectedItems();
    return choisis.isEmpty() ? -1 : row(choisis.constFirst());
}

void ListeBox::SetListIndex(int position) {
    if (position < 0 || position >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
}

void ListeBox::AddItem(const QString& texte) {
    // An entry is shown on one line: a text longer than any screen shows is cut, so that a
    // name of a million characters costs no seconds of layout at each repaint.
    constexpr qsizetype Montre = 1000;
    addItem(texte.size() <= Montre ? texte : texte.first(Montre - 1) + u'…');
}

void ListeBox::mousePressEvent(QMouseEvent* event) {
    const int avant = ListIndex();
    QListWidget::mousePressEvent(event);
    // A change of selection has already reported Click; a click on the entry already
    // selected reports it here.
    const QListWidgetItem* vise = itemAt(event->position().toPoint());
    if (avant >= 0 && vise && row(vise) == avant && ListIndex() == avant)
        emit Click();
}

void ZoneTexte::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    emit Click();
}

Options::Options(QWidget* parent) : QObject(parent), groupe_(new QButtonGroup(this)) {
    for (int i = 0; i < 3; ++i) {
        boutons_[i] = new QRadioButton(parent);
        groupe_->addButton(boutons_[i], i);
        connect(boutons_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                emit Click(i);
        });
    }
}

bool Options::Value(int index) const {
    return boutons_[index]->isChecked();
}

void Options::Eteindre(int index) {
    if (!boutons_[index]->isChecked())
        return;
    // An exclusive group refuses to switch its last button off.
    groupe_->setExclusive(false);
    boutons_[index]->setChecked(false);
    groupe_->setExclusive(true);
}

void Options::Tout_Eteindre() {
    for (int i = 0; i < 3; ++i)
        Eteindre(i);
}
