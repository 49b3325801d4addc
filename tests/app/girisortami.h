#pragma once

#include <functional>
#include <memory>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

class QDialog;

// What the login, update and request-form tests run against: the real
// dotezmar-sunucu on a free loopback port over a fresh SQLite file with a
// small fixture, the client's installation values pointed at it, the user's
// folders in a temporary home, and the computer identifier the login sends.

// The fixture's computers and their users (user / password / type / active):
inline const QString bayiBilgisayari = QStringLiteral("PC-ALI"); // ALI / ŞEF1 / 0 / yes
inline const QString pasifBilgisayari = QStringLiteral("PC-PASIF"); // PASIF / P1 / 0 / no
inline const QString temsilciBilgisayari = QStringLiteral("PC-TEMSILCI"); // TEMSILCI / T1 / 1 / yes
inline const QString bilinmeyenBilgisayar = QStringLiteral("PC-YOK"); // registered to nobody

class SunucuSureci
{
public:
    // extra: further options of the server ("--guncelleme-dosyasi", ...).
    explicit SunucuSureci(const QStringList &ekSecenekler = {});
    ~SunucuSureci();
    SunucuSureci(const SunucuSureci &) = delete;
    SunucuSureci &operator=(const SunucuSureci &) = delete;

    int port() const { return port_; }
    QString veritabani() const { return veritabani_; }
    QString adres() const;
    // Runs "dotezmar-sunucu yonet ..." on the same database; its output.
    QString yonet(const QStringList &argumanlar) const;

private:
    QTemporaryDir dizin_;
    QString veritabani_;
    QProcess surec_;
    int port_ = 0;
};

// Points the client at a server (host 127.0.0.1, the port, the update
// address), logs in as `kimlik`, and keeps every folder in a temporary home.
// Restores what it changed when it goes.
class IstemciOrtami
{
public:
    IstemciOrtami(int port, const QString &kimlik);
    ~IstemciOrtami();
    void kimlikDegistir(const QString &kimlik);
    QString ev() const { return ev_.path(); }
    QString belgeler() const;
    // Exit codes the program ended with (the process goes on in tests).
    const QList<int> &cikislar() const { return *cikislar_; }

private:
    QTemporaryDir ev_;
    QByteArray eskiEv_, eskiYapilandirma_;
    std::shared_ptr<QList<int>> cikislar_;
};

// A loopback port nothing listens on.
int BosPort();

// Watches the modal dialogs as they open, on a timer of the UI thread:
// a MesajKutusu is recorded as "Title: text" and closed with OK; another
// dialog (not the login dialog a test drives itself) is recorded once by its
// caption and handed to `baskaPencere`, which decides what to do with it (by
// default it is left alone). A dialog the test drives itself is left out.
class PencereIzleyici final : public QObject
{
public:
    PencereIzleyici();
    // A dialog the test drives itself: neither recorded nor handed on.
    void yokSay(QDialog *pencere) { gorulenPencereler_ << pencere; }
    QStringList gorulenler;
    std::function<void(QDialog *)> baskaPencere;

private:
    QTimer zamanlayici_;
    QList<QPointer<QDialog>> gorulenPencereler_;
};
