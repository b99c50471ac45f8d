// The web map keeps its cookies like a browser: a consent given in one run (a session cookie,
// as the map provider sends it) comes back to the server in the next run, and the server is
// asked for French. A small web server of the test's own, on the loopback, plays the map.

#include "viewers/Navigateur.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QtTest>

namespace {

// One run of the program's map: loads `adresse` with the program's profile, then ends.
int Charger(const QUrl& adresse) {
    QWebEnginePage page(Navigateur::Profil());
    QSignalSpy chargee(&page, &QWebEnginePage::loadFinished);
    page.load(adresse);
    return chargee.wait(30000) && chargee.first().first().toBool() ? 0 : 1;
}

} // namespace

class TestCookies : public QObject {
    Q_OBJECT
  private slots:
    void gardes_d_un_lancement_a_l_autre();

  private:
    // The request heads the server received, by path.
    QMap<QString, QByteArray> requetes_;
    QTcpServer serveur_;
    int Lancer(const QString& chemin);
};

int TestCookies::Lancer(const QString& chemin) {
    QProcess programme;
    programme.setProcessChannelMode(QProcess::ForwardedChannels);
    programme.start(QCoreApplication::applicationFilePath(),
                    {u"http://127.0.0.1:%1/%2"_qs.arg(serveur_.serverPort()).arg(chemin)});
    if (!QTest::qWaitFor([&] { return programme.state() == QProcess::NotRunning; }, 60000))
        return -1;
    return programme.exitStatus() == QProcess::NormalExit ? programme.exitCode() : -1;
}

void TestCookies::gardes_d_un_lancement_a_l_autre() {
    QVERIFY(QDir(Navigateur::Dossier_Profil()).removeRecursively());
    QVERIFY(serveur_.listen(QHostAddress::LocalHost));
    connect(&serveur_, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* client = serveur_.nextPendingConnection();
        connect(client, &QTcpSocket::readyRead, client, [this, client] {
            const QByteArray tete = client->readAll();
            const QString chemin = QString::fromLatin1(tete.split(' ').value(1));
            requetes_[chemin] += tete;
            // The consent, without an expiry date: a session cookie.
            client->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n" +
                          QByteArray(chemin == u"/consentement"
                                         ? "Set-Cookie: CONSENT=OUI; Path=/\r\n"
                                         : "") +
                          "Content-Length: 9\r\n\r\n<p>ok</p>");
            client->disconnectFromHost();
        });
    });

    QCOMPARE(Lancer(u"avant"_qs), 0);
    QCOMPARE(Lancer(u"consentement"_qs), 0);
    QCOMPARE(Lancer(u"apres"_qs), 0);
    QVERIFY2(!requetes_[u"/avant"_qs].contains("CONSENT"), requetes_[u"/avant"_qs]);
    QVERIFY2(requetes_[u"/apres"_qs].contains("\r\nCookie: CONSENT=OUI"), requetes_[u"/apres"_qs]);
    QVERIFY(requetes_[u"/apres"_qs].contains("\r\nAccept-Language: fr-FR"));
}

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    if (argc == 2 && QByteArray(argv[1]).startsWith("http://"))
        return Charger(QUrl(QString::fromLatin1(argv[1])));
    TestCookies test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_cookies.moc"
