#pragma once

// Small widgets that give the handlers the events they rely on: a list box that reports a
// click on any selection change (from the user or from code) and on a click on the entry
// already selected, a text box that reports a click into it, and a group of option buttons
// that can all be off at once.

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QRadioButton>
#include <array>

class QButtonGroup;

class ListeBox : public QListWidget {
    Q_OBJECT
  public:
    explicit ListeBox(QWidget* parent = nullptr);
    // Selected position from 0, or -1 when nothing is selected.
    int ListIndex() const;
    // Selects the entry at `position` (-1 for none); a change reports Click at once.
    void SetListIndex(int position);
    void AddItem(const QString& texte);

  signals:
    void Click();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class ZoneTexte : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void Click();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The control array Option1: three option buttons, at most one on, possibly none.
class Options : public QObject {
    Q_OBJECT
  public:
    explicit Options(QWidget* parent);
    QRadioButton* Bouton(int index) const { return boutons_[index]; }
    bool Value(int index) const;
    void Eteindre(int index);
    // Switches button 0, then 1, then 2 off.
    void Tout_Eteindre();

  signals:
    // A button has just been switched on, by the user or by code.
    void Click(int index);

  private:
    std::array<QRadioButton*, 3> boutons_{};
    QButtonGroup* groupe_ = nullptr;
};
