#pragma once

#include <functional>
#include <memory>
#include <thread>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include "remote/baglantiu.h"

class QDialog;
class RestSunucusu;
class Dagitici;
class TForm1;
class VtHavuzu;

// The server in this process, on a free loopback port, over a fresh SQLite
// file with the catalogue fixture (katalogfiksturu.h); the client's
// installation values point at it while it lives.
class IcSunucu
{
public:
    IcSunucu();
    ~IcSunucu();
    IcSunucu(const IcSunucu &) = delete;
    IcSunucu &operator=(const IcSunucu &) = delete;

    int port() const;
    const QString &veritabani() const { return veritabani_; }
    // Stops serving (a client then cannot connect).
    void durdur();

private:
    QTemporaryDir dizin_;
    QString veritabani_;
    std::unique_ptr<VtHavuzu> havuz_;
    std::unique_ptr<Dagitici> dagitici_;
    std::unique_ptr<RestSunucusu> sunucu_;
    std::thread is_;
};

// A session of the fixture: the dealer (user 1, account 1) by default.
TSonucBilgisi FiksturOturumu(int kullanici = 1, int musteriTipi = 0, const QString &carikod = {});

// The main window logged in with `oturum`, without the login dialog.
std::unique_ptr<TForm1> AnaPencere(const TSonucBilgisi &oturum);

// Answers the modal dialogs as they open, on a timer of the UI thread. A
// MesajKutusu is recorded as "Title: text" and answered with `soruCevabi`
// when it asks (6 Evet, 7 Hayır), with Tamam otherwise; any other dialog is
// recorded by its caption and handed to `pencere`.
class Cevaplayici final : public QObject
{
public:
    Cevaplayici();
    QStringList mesajlar;
    int soruCevabi = 7;
    std::function<void(QDialog *)> pencere;

private:
    QTimer zamanlayici_;
    QList<QPointer<QDialog>> gorulen_;
};
