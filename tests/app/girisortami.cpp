#include "girisortami.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include "app/girisformu.h"
#include "app/utils/cikis.h"
#include "remote/kurulum.h"
#include "sunucu/hesaplar.h"
#include "sunucu/sema.h"
#include "sunucu/veritabani.h"

using namespace Qt::StringLiterals;

namespace {

void fiksturKur(const QString &dosya)
{
    auto vt = veritabaniAc(dosya);
    semayiGuncelle(*vt);
    vt->degistir("INSERT INTO saticilar (satici_no, adi, telefon, mail) "
                 "VALUES (1, 'AYŞE KAYA', '0532 111 22 33', 'ayse@dagitici.example')");
    vt->degistir("INSERT INTO cariler (carino, carikod, cariadi, yetkili, adres1, adres2, ilce, il, "
                 "tel1, fax1, vergidairesi, vergino, satici_no) VALUES "
                 "(7, '120.35.0007', 'ÇAĞLAR OTO YEDEK PARÇA', 'ÖMER ÜNAL', 'SANAYİ SİTESİ 4. BLOK NO:12', "
                 "'KAT:2', 'GAZİEMİR', 'İZMİR', '0232 555 66 77', '0232 555 66 78', 'GAZİEMİR V.D.', "
                 "'1234567890', 1)");
    const char *kullanici = "INSERT INTO kullanicilar (sirano, adi, sifre, mail, carino, musteri_tipi, aktif) "
                            "VALUES (?, ?, ?, ?, 7, ?, ?)";
    vt->degistir(kullanici, qint64(1), u"ALI"_s, u"ŞEF1"_s, u"ali@caglar.example"_s, qint64(0), qint64(1));
    vt->degistir(kullanici, qint64(2), u"PASIF"_s, u"P1"_s, QString(), qint64(0), qint64(0));
    vt->degistir(kullanici, qint64(3), u"TEMSILCI"_s, u"T1"_s, QString(), qint64(1), qint64(1));
    bilgisayarKaydet(*vt, u"ALI"_s, bayiBilgisayari);
    bilgisayarKaydet(*vt, u"PASIF"_s, pasifBilgisayari);
    bilgisayarKaydet(*vt, u"TEMSILCI"_s, temsilciBilgisayari);
}

} // namespace

SunucuSureci::SunucuSureci(const QStringList &ekSecenekler)
    : veritabani_(dizin_.filePath(u"test.sqlite"_s))
{
    fiksturKur(veritabani_);
    surec_.setProgram(QStringLiteral(DOTEZMAR_SUNUCU_PROGRAMI));
    surec_.setArguments(QStringList {u"--dinle"_s, u"127.0.0.1:0"_s, u"--veritabani"_s, veritabani_,
                                     u"--sessiz"_s}
                        + ekSecenekler);
    surec_.setProcessChannelMode(QProcess::SeparateChannels);
    surec_.start();
    if (!surec_.waitForStarted(10000))
        qFatal("dotezmar-sunucu did not start: %s", qPrintable(surec_.errorString()));
    // "dotezmar-sunucu: http://127.0.0.1:PORT/datasnap/rest/ dinleniyor, ..."
    static const QRegularExpression dinliyor(u"http://127\\.0\\.0\\.1:(\\d+)/"_s);
    QByteArray cikti;
    for (int i = 0; i < 100 && port_ == 0; ++i) {
        surec_.waitForReadyRead(100);
        cikti += surec_.readAllStandardError();
        const QRegularExpressionMatch m = dinliyor.match(QString::fromUtf8(cikti));
        if (m.hasMatch())
            port_ = m.captured(1).toInt();
        if (surec_.state() != QProcess::Running)
            break;
    }
    if (port_ == 0)
        qFatal("dotezmar-sunucu did not listen: %s", cikti.constData());
}

SunucuSureci::~SunucuSureci()
{
    surec_.terminate();
    if (!surec_.waitForFinished(10000))
        surec_.kill();
}

QString SunucuSureci::adres() const
{
    return u"http://127.0.0.1:%1"_s.arg(port_);
}

QString SunucuSureci::yonet(const QStringList &argumanlar) const
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(DOTEZMAR_SUNUCU_PROGRAMI),
            QStringList {u"yonet"_s, u"--veritabani"_s, veritabani_} + argumanlar);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAll());
}

int BosPort()
{
    // Bound to a free port and closed again: nothing listens there afterwards.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t boy = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr *>(&a), boy);
    ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &boy);
    ::close(s);
    return ntohs(a.sin_port);
}

IstemciOrtami::IstemciOrtami(int port, const QString &kimlik)
    : eskiEv_(qgetenv("HOME"))
    , eskiYapilandirma_(qgetenv("XDG_CONFIG_HOME"))
    , cikislar_(std::make_shared<QList<int>>())
{
    qputenv("HOME", QFile::encodeName(ev_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ev_.filePath(u".config"_s)));
    QDir(ev_.path()).mkpath(u"Documents"_s);

    KurulumDegerleri k = KurulumDegerleri::varsayilan();
    k.sunucuAdresi = u"127.0.0.1"_s;
    k.port = QString::number(port);
    k.guncellemeAdresi = u"http://127.0.0.1:%1"_s.arg(port);
    k.baglantiZamanAsimiMs = 2000;
    KurulumAyarla(k);
    kimlikDegistir(kimlik);
    CikisKancasiKur([c = cikislar_](int kod) { c->append(kod); });
}

IstemciOrtami::~IstemciOrtami()
{
    CikisKancasiKur({});
    KimlikOkuyucuKur({});
    KurulumAyarla(KurulumDegerleri::varsayilan());
    qputenv("HOME", eskiEv_);
    qputenv("XDG_CONFIG_HOME", eskiYapilandirma_);
}

void IstemciOrtami::kimlikDegistir(const QString &kimlik)
{
    KimlikOkuyucuKur([kimlik] { return kimlik; });
}

QString IstemciOrtami::belgeler() const
{
    return ev_.filePath(u"Documents"_s);
}

PencereIzleyici::PencereIzleyici()
{
    zamanlayici_.setInterval(5);
    connect(&zamanlayici_, &QTimer::timeout, this, [this] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || d->objectName() == u"girisform"_s)
            return;
        if (d->objectName() == u"MesajKutusu"_s) {
            gorulenler << d->windowTitle() + u": "_s + d->findChild<QLabel *>(u"mesajMetni"_s)->text();
            d->done(1);
            return;
        }
        if (gorulenPencereler_.contains(d))
            return;
        gorulenPencereler_ << d;
        gorulenler << d->windowTitle();
        if (baskaPencere)
            baskaPencere(d);
    });
    zamanlayici_.start();
}
