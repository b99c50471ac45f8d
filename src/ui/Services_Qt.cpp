#include "Services_Qt.h"

#include "ui/Controles.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>
#include <QWebEngineView>

namespace {
const QString Titre = QStringLiteral("Quillvane");
}

Services_Qt::Services_Qt()
    : reglages_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillvane"),
                QStringLiteral("Quillvane")) {}

QWidget* Services_Qt::Fenetre() const {
    return ui_ && ui_->WebBrowser1 ? ui_->WebBrowser1->window() : nullptr;
}

QWebEngineView* Services_Qt::Navigateur() const {
    return ui_ ? qobject_cast<QWebEngineView*>(ui_->WebBrowser1) : nullptr;
}

void Services_Qt::Message(const QString& texte) {
    QMessageBox boite(QMessageBox::NoIcon, Titre, texte, QMessageBox::Ok, Fenetre());
    boite.exec();
}

namespace {

// Keeps a question up against Escape and the close box.
class Sans_Echappement : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        const auto* touche = dynamic_cast<QKeyEvent*>(evenement);
        if (evenement->type() == QEvent::Close) {
            evenement->ignore(); // accepted, even filtered out, it would hide the question
            return true;
        }
        if (touche && touche->key() == Qt::Key_Escape)
            return true;
        return QObject::eventFilter(objet, evenement);
    }
};

// "Oui" (the default) and "Non", then "Annuler" when asked. Qt would take No for the answer to
// Escape and to the close box: a question that can be cancelled takes Annuler for it, hidden
// when it has no such button; another one ignores them.
Services::Reponse Poser(QWidget* fenetre, const QString& texte, bool annuler, bool echap) {
    QMessageBox boite(QMessageBox::NoIcon, Titre, texte, QMessageBox::NoButton, fenetre);
    QPushButton* oui = boite.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    boite.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    boite.setDefaultButton(oui);
    QPushButton* fin = nullptr;
    if (annuler || echap) {
        fin = boite.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
        fin->setVisible(annuler);
        boite.setEscapeButton(fin);
    }
    Sans_Echappement filtre;
    if (!fin)
        boite.installEventFilter(&filtre);
    boite.exec();
    const QAbstractButton* choisi = boite.clickedButton();
    if (choisi == oui)
        return Services::Reponse::Oui;
    return !choisi || choisi == fin ? Services::Reponse::Annuler : Services::Reponse::Non;
}

} // namespace

bool Services_Qt::Question(const QString& texte) {
    return Poser(Fenetre(), texte, false, false) == Reponse::Oui;
}

Services::Reponse Services_Qt::Demander(const QString& texte, bool annuler) {
    return Poser(Fenetre(), texte, annuler, true);
}

QString Services_Qt::Ouvrir_Fichier(const QString& filtre, const QString& nomInitial) {
    QFileDialog dialogue(Fenetre());
    dialogue.setFileMode(QFileDialog::AnyFile); // a name that does not exist starts a new file
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setNameFilter(filtre);
    dialogue.setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog everywhere: some desktops' "open" dialogs refuse a name not yet on disk.
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    if (!dernierDossier_.isEmpty())
        dialogue.setDirectory(dernierDossier_);
    if (!nomInitial.isEmpty())
        dialogue.selectFile(nomInitial);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return QString();
    dernierDossier_ = dialogue.directory().absolutePath();
    return QDir::toNativeSeparators(dialogue.selectedFiles().constFirst());
}

bool Services_Qt::Choisir_Imprimante() {
    QPrinter imprimante;
    return Preparer_Imprimante(imprimante);
}

bool Services_Qt::Preparer_Imprimante(QPrinter& imprimante) {
    QPrintDialog dialogue(&imprimante, Fenetre());
    return dialogue.exec() == QDialog::Accepted;
}

namespace {
// The desktop's opener; the target goes to it as one argument, never through a shell.
QString Ouvreur() {
#if defined(Q_OS_WIN)
    return QStringLiteral("explorer");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("open");
#else
    return QStringLiteral("xdg-open");
#endif
}
} // namespace

void Services_Qt::Ouvrir(const QString& cible) {
    QProcess::startDetached(Ouvreur(), {cible});
}

void Services_Qt::Ouvrir_Sinon(const QString& cible, std::function<void()> echec) {
    QWidget* fenetre = Fenetre();
    if (!fenetre) // nothing left to report to
        return;
#if defined(Q_OS_WIN)
    // explorer's status says nothing; the shell's own answer does.
    if (!QDesktopServices::openUrl(QUrl(cible)))
        echec();
#else
    // Watched to its end: with no browser xdg-open fails only after a while, and without a
    // desktop of its own it stays until the browser it started is closed. Left running when
    // the program ends, like a detached one.
    auto* ouvreur = new QProcess;
    ouvreur->setProgram(Ouvreur());
    ouvreur->setArguments({cible});
    ouvreur->setProcessChannelMode(QProcess::ForwardedChannels);
    ouvreur->setStandardInputFile(QProcess::nullDevice());
    // The report goes through the main window, so that none arrives once it is gone.
    const auto fin = [ouvreur, echec](bool reussi) {
        ouvreur->deleteLater();
        if (!reussi)
            echec();
    };
    QObject::connect(ouvreur, &QProcess::finished, fenetre,
                     [fin](int code, QProcess::ExitStatus etat) {
                         fin(etat == QProcess::NormalExit && code == 0);
                     });
    QObject::connect(ouvreur, &QProcess::errorOccurred, fenetre,
                     [fin](QProcess::ProcessError erreur) {
                         if (erreur == QProcess::FailedToStart)
                             fin(false);
                     });
    ouvreur->start();
#endif
}

QString Services_Qt::Lire_Reglage(const QString& section, const QString& cle) {
    return reglages_.value(section + u'/' + cle).toString();
}

void Services_Qt::Ecrire_Reglage(const QString& section, const QString& cle,
                                 const QString& valeur) {
    reglages_.setValue(section + u'/' + cle, valeur);
    reglages_.sync();
}

void Services_Qt::Supprimer_Section(const QString& section) {
    reglages_.remove(section);
    reglages_.sync();
}

void Services_Qt::Naviguer(const QString& adresse) {
    if (QWebEngineView* navigateur = Navigateur())
        navigateur->setUrl(QUrl(adresse));
}

void Services_Qt::Imprimer_Page() {
    QWebEngineView* navigateur = Navigateur();
    if (!navigateur)
        return;
    auto* imprimante = new QPrinter;
    QPrintDialog dialogue(imprimante, Fenetre());
    if (dialogue.exec() != QDialog::Accepted) {
        delete imprimante;
        return;
    }
    QObject::connect(
        navigateur, &QWebEngineView::printFinished, navigateur,
        [imprimante](bool) { delete imprimante; }, Qt::SingleShotConnection);
    navigateur->print(imprimante);
}

bool Services_Qt::GoogleEarth_Creer() {
    googleEarth_ = QStandardPaths::findExecutable(QStringLiteral("google-earth-pro"));
    if (googleEarth_.isEmpty())
        googleEarth_ = QStandardPaths::findExecutable(QStringLiteral("googleearth"));
    return !googleEarth_.isEmpty();
}

int Services_Qt::GoogleEarth_IsInitialized() {
    return googleEarth_.isEmpty() ? 0 : 1;
}

void Services_Qt::GoogleEarth_LoadKmlData(const QString& kml) {
    if (googleEarth_.isEmpty())
        return;
    // Google Earth on this desktop has no automation: it is handed the document as a file.
    QTemporaryFile document(QDir::tempPath() + QStringLiteral("/quillvane-XXXXXX.kml"));
    document.setAutoRemove(false);
    if (!document.open())
        return;
    document.write(kml.toUtf8());
    document.close();
    QProcess::startDetached(googleEarth_, {document.fileName()});
}
