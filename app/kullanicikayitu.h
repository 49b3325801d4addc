#pragma once

#include <memory>

#include <QDialog>
#include <QString>

#include "remote/baglantiu.h"

class QLabel;
class QLineEdit;
class QPushButton;
class SunucuBaglantisi;

// The request form a dealer sends to the distributor: in Yeni mode the
// registration of a new user on a computer the server does not know, in Ac
// mode the request of a new password, with the account's details filled in.
// "Gönder" sends the request (MailGonserCari) and the form stays open; the
// server calls run on a worker, so the window never freezes.
class Tkullanicikayit final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tkullanicikayit)

public:
    // _c: the connection to clone; _b: the session record to copy.
    static std::unique_ptr<Tkullanicikayit> Yeni(QWidget *AOwner, const SunucuBaglantisi &_c,
                                                 const TSonucBilgisi &_b);
    // As Yeni, then the user name and company from the record and the
    // address, telephone and tax details from the server.
    static std::unique_ptr<Tkullanicikayit> Ac(QWidget *AOwner, const SunucuBaglantisi &_c,
                                               const TSonucBilgisi &_b);
    ~Tkullanicikayit() override;

    enum Durum : int
    {
        tyeni = 0, // a new user's registration
        teski = 1, // a password change
    };
    int durum() const { return durum_; }
    // The account's details are on their way from the server (Ac).
    bool dolduruluyor() const { return dolduruluyor_; }
    // A request is on its way to the server.
    bool gonderiliyor() const { return gonderiliyor_; }

    QLabel *lblid() const { return lblid_; }
    QPushButton *gonderButonu() const { return gonder_; }
    QPushButton *kapatButonu() const { return kapat_; }

public slots:
    void reject() override;

private:
    Tkullanicikayit(QWidget *AOwner, const SunucuBaglantisi &_c, const TSonucBilgisi &_b);
    void formuKur();
    QLineEdit *kutu(const QString &ad, int genislik = 0);
    void CariBilgisiniDoldur();
    void GonderClick();
    void KapatClick();
    void mesgulGoster();

    int durum_ = tyeni;
    QString _idsi;
    std::unique_ptr<SunucuBaglantisi> con;
    TSonucBilgisi Bilgim;
    bool dolduruluyor_ = false;
    bool gonderiliyor_ = false;

    QLabel *lblid_ = nullptr;
    QLineEdit *firmaadi = nullptr;
    QLineEdit *adres1 = nullptr;
    QLineEdit *adres2 = nullptr;
    QLineEdit *ilce = nullptr;
    QLineEdit *sehir = nullptr;
    QLineEdit *telefon = nullptr;
    QLineEdit *fax = nullptr;
    QLineEdit *vd = nullptr;
    QLineEdit *vn = nullptr;
    QLineEdit *yetkili = nullptr;
    QLineEdit *kullaniciadi = nullptr;
    QLineEdit *sifre = nullptr;
    QLineEdit *mail = nullptr;
    QLineEdit *kargoambar = nullptr;
    QPushButton *gonder_ = nullptr;
    QPushButton *kapat_ = nullptr;
};
