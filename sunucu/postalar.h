#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "sunucu/veritabani.h"

// The outbox: the registration and password-change requests and the
// messages dealers send from the client. Every one is kept in
// giden_postalar with its fields; when the installation names a mail relay,
// a sender hands them on by SMTP and retries the ones that fail.

// What a request form (MailGonserCari) or the mail form
// (MailGonserCariNormal, with a message) sends.
struct IstekFormu
{
    QString idsi; // the sending computer's identifier
    QString baslik; // the request kind, the mail's subject
    QString firmaadi;
    QString adres1;
    QString adres2;
    QString ilce;
    QString sehir;
    QString telefon;
    QString fax;
    QString vd;
    QString vn;
    QString yetkili;
    QString kullaniciadi;
    QString sifre;
    QString mail;
    QString kargoambar;
    std::optional<QString> konu; // the message of the mail form; none for a request

    // The fields by their parameter names, in the order they were sent.
    QJsonObject json() const;
    static IstekFormu jsondan(const QJsonObject &nesne);
};

// Why the form cannot be kept (too long, a line break where a single line
// belongs, a control character); nullopt when it can.
std::optional<QString> istekHatasi(const IstekFormu &form);

// The mail body: the kind, then one "label: value" line per field, then
// the message.
QString postaGovdesi(const IstekFormu &form);

// Keeps the form in the outbox and returns its number; wakes the sender.
qint64 postaKaydet(Veritabani &vt, const IstekFormu &form);

// One entry of the outbox as the administration commands show it.
struct IstekOzeti
{
    qint64 no = 0;
    QString tarih;
    IstekFormu form;
    QString gonderildi; // when it went to the relay; empty while waiting
    int deneme = 0;
    QString sonHata;
    QString kayitliKullanici; // the user the computer is registered for now, if any
};

// The newest `enCok` entries, oldest first.
std::vector<IstekOzeti> istekler(Veritabani &vt, int enCok = 50);

// Registers the computer of request `no` for a user in one step: the one
// named, else the user name the request asked for. Returns the user name,
// and in `onceki` the user the computer was registered for before (if
// another). Throws VtHatasi with a readable message.
QString istekKaydet(Veritabani &vt, qint64 no, const QString &kullanici = {},
                    std::optional<QString> *onceki = nullptr);

// Where and how mails are sent.
struct PostaAyarlari
{
    QString sunucu; // smtp://host:port or smtps://host:port; empty: mails are only kept
    QString kullanici; // relay login; with one, the relay must offer TLS
    QString sifre;
    QString gonderen; // From
    QStringList alicilar; // To: the distributor's addresses
    int enCokDeneme = 10; // a mail that failed this often is left for the operator
    int baglantiSuresi = 30; // seconds to reach the relay
    int aktarimSuresi = 120; // seconds for one whole mail

    bool etkin() const { return !sunucu.isEmpty(); }
    // Why these settings cannot send; nullopt when they can.
    std::optional<QString> hata() const;
};

// An outbox entry ready to send.
struct GidenPosta
{
    qint64 no = 0;
    QString tarih;
    QString konu;
    QString govde;
    QString yanitAdresi; // the requester's address, when it is a plain one
};

// The RFC 5322 message: headers (subject as an encoded word), a UTF-8 body
// in base64.
std::string postaMesaji(const PostaAyarlari &ayarlar, const GidenPosta &posta);

// Sends one message through the relay. Throws std::runtime_error with the
// relay's or the transport's words.
void smtpGonder(const PostaAyarlari &ayarlar, const std::string &mesaj);

// Sends the outbox in the background: at once when a mail is kept, every
// 30 seconds what is due again. A failed mail is tried again after 1, 2, 4
// ... minutes (at most 6 hours apart), at most enCokDeneme times. On one
// PostgreSQL several servers may send: each attempt is claimed in the
// store first, so no attempt is made twice.
class PostaGonderici
{
public:
    // arkaPlanda false: no thread; the owner calls bekleyenleriGonder().
    PostaGonderici(PostaAyarlari ayarlar, VtHavuzu &havuz, bool arkaPlanda = true);
    ~PostaGonderici();
    PostaGonderici(const PostaGonderici &) = delete;
    PostaGonderici &operator=(const PostaGonderici &) = delete;

    // Sends what is due now on this thread; returns how many went out.
    int bekleyenleriGonder();

    // A mail was kept: every sender looks at the outbox now.
    static void uyandir();

private:
    void calis();

    PostaAyarlari ayarlar_;
    VtHavuzu &havuz_;
    std::mutex kilit_;
    std::condition_variable kosul_;
    bool dur_ = false;
    bool uyandirildi_ = false;
    std::thread is_;
};
