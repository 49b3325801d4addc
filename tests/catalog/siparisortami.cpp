#include "siparisortami.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

#include "app/unit1.h"
#include "remote/kurulum.h"
#include "sunucu/dagitici.h"
#include "sunucu/restsunucusu.h"
#include "sunucu/yontemler.h"
#include "tests/catalog/katalogfiksturu.h"

using namespace Qt::StringLiterals;

IcSunucu::IcSunucu()
    : veritabani_(dizin_.filePath(u"katalog.sqlite"_s))
{
    {
        auto vt = veritabaniAc(veritabani_);
        katalogKur(*vt);
    }
    havuz_ = std::make_unique<VtHavuzu>(veritabani_, 4);
    dagitici_ = std::make_unique<Dagitici>(havuz_.get());
    yontemleriKaydet(*dagitici_);
    SunucuAyarlari a;
    a.port = 0;
    a.gunluk = false;
    sunucu_ = std::make_unique<RestSunucusu>(a, *dagitici_);
    if (!sunucu_->bagla())
        qFatal("the test server could not bind");
    is_ = std::thread([this] { sunucu_->calistir(); });

    KurulumDegerleri k = KurulumDegerleri::varsayilan();
    k.sunucuAdresi = u"127.0.0.1"_s;
    k.port = QString::number(sunucu_->port());
    k.baglantiZamanAsimiMs = 2000;
    KurulumAyarla(k);
}

IcSunucu::~IcSunucu()
{
    durdur();
    KurulumAyarla(KurulumDegerleri::varsayilan());
}

int IcSunucu::port() const
{
    return sunucu_->port();
}

void IcSunucu::durdur()
{
    if (!is_.joinable())
        return;
    sunucu_->durdur();
    is_.join();
}

TSonucBilgisi FiksturOturumu(int kullanici, int musteriTipi, const QString &carikod)
{
    TSonucBilgisi b;
    b.setSirano(kullanici);
    b.setCARINO(1);
    b.setADI(u"BAYI"_s);
    b.setCariAdi(u"ÇAĞ OTO"_s);
    b.setcarikod(carikod.isEmpty() ? u"120.34.0001"_s : carikod);
    b.setMusteriTipi(musteriTipi);
    b.setVarmi(true);
    b.setAKTIF(1);
    return b;
}

std::unique_ptr<TForm1> AnaPencere(const TSonucBilgisi &oturum)
{
    return std::make_unique<TForm1>([oturum](SunucuBaglantisi &, TSonucBilgisi &sbilgi) {
        sbilgi.Kopyala(oturum);
        sbilgi.setDisip(u"12"_s);
        return true;
    });
}

Cevaplayici::Cevaplayici()
{
    zamanlayici_.setInterval(5);
    connect(&zamanlayici_, &QTimer::timeout, this, [this] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        if (d->objectName() == u"MesajKutusu"_s) {
            mesajlar << d->windowTitle() + u": "_s + d->findChild<QLabel *>(u"mesajMetni"_s)->text();
            d->done(d->windowTitle() == u"Soru"_s ? soruCevabi : 1);
            return;
        }
        if (gorulen_.contains(d))
            return;
        gorulen_ << d;
        mesajlar << d->windowTitle();
        if (pencere)
            pencere(d);
    });
    zamanlayici_.start();
}
