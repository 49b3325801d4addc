#include "remote/kurulum.h"

#include <mutex>
#include <optional>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

std::mutex kilit;
std::optional<KurulumDegerleri> gecerli;

QString programKlasoru()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(u"/proc/self/exe"_s).canonicalPath();
}

void metinOku(const QSettings &ayar, const QString &anahtar, QString &hedef)
{
    const QVariant deger = ayar.value(anahtar);
    if (deger.isValid())
        hedef = deger.toString().trimmed();
}

void sureOku(const QSettings &ayar, const QString &anahtar, int &hedef)
{
    bool tamam = false;
    const int deger = ayar.value(anahtar).toString().trimmed().toInt(&tamam);
    if (tamam && deger > 0)
        hedef = deger;
}

} // namespace

KurulumDegerleri KurulumDegerleri::varsayilan()
{
    KurulumDegerleri d;
    d.sunucuAdresi = u"127.0.0.1"_s;
    d.port = u"99"_s;
    d.webAdresi = u"https://www.dotezmar.example"_s;
    d.bayiPortali = u"https://bayi.dotezmar.example/odeme"_s;
    d.guncellemeAdresi = u"https://guncelleme.dotezmar.example"_s;
    d.takmaSeri1 = u"DOTEZMARSERI001"_s;
    d.takmaSeri2 = u"DOTEZMARSERI002"_s;
    d.sabitKimlik = u"100000000001"_s;
    return d;
}

KurulumDegerleri Kurulum()
{
    const std::lock_guard<std::mutex> kilitli(kilit);
    if (!gecerli) {
        const QString dosya = kurulumDosyasi();
        gecerli = dosya.isEmpty() ? KurulumDegerleri::varsayilan() : kurulumDosyasiOku(dosya);
    }
    return *gecerli;
}

void KurulumAyarla(const KurulumDegerleri &degerler)
{
    const std::lock_guard<std::mutex> kilitli(kilit);
    gecerli = degerler;
}

QString kurulumDosyasi()
{
    for (const QString &klasor : {programKlasoru(), u"/etc/dotezmar"_s}) {
        const QString yol = QDir(klasor).filePath(u"kurulum.ini"_s);
        if (!klasor.isEmpty() && QFileInfo(yol).isFile())
            return yol;
    }
    return {};
}

KurulumDegerleri kurulumDosyasiOku(const QString &yol, const KurulumDegerleri &temel)
{
    KurulumDegerleri d = temel;
    const QSettings ayar(yol, QSettings::IniFormat);
    metinOku(ayar, u"sunucu/adres"_s, d.sunucuAdresi);
    metinOku(ayar, u"sunucu/port"_s, d.port);
    sureOku(ayar, u"sunucu/baglanti_zaman_asimi_ms"_s, d.baglantiZamanAsimiMs);
    sureOku(ayar, u"sunucu/okuma_zaman_asimi_ms"_s, d.okumaZamanAsimiMs);
    metinOku(ayar, u"adresler/web"_s, d.webAdresi);
    metinOku(ayar, u"adresler/bayi_portali"_s, d.bayiPortali);
    metinOku(ayar, u"adresler/guncelleme"_s, d.guncellemeAdresi);
    metinOku(ayar, u"kimlik/takma_seri_1"_s, d.takmaSeri1);
    metinOku(ayar, u"kimlik/takma_seri_2"_s, d.takmaSeri2);
    metinOku(ayar, u"kimlik/sabit_kimlik"_s, d.sabitKimlik);
    return d;
}

bool kurulumDosyasiYaz(const QString &yol, const KurulumDegerleri &d)
{
    QSettings ayar(yol, QSettings::IniFormat);
    ayar.setValue(u"sunucu/adres"_s, d.sunucuAdresi);
    ayar.setValue(u"sunucu/port"_s, d.port);
    ayar.setValue(u"sunucu/baglanti_zaman_asimi_ms"_s, d.baglantiZamanAsimiMs);
    ayar.setValue(u"sunucu/okuma_zaman_asimi_ms"_s, d.okumaZamanAsimiMs);
    ayar.setValue(u"adresler/web"_s, d.webAdresi);
    ayar.setValue(u"adresler/bayi_portali"_s, d.bayiPortali);
    ayar.setValue(u"adresler/guncelleme"_s, d.guncellemeAdresi);
    ayar.setValue(u"kimlik/takma_seri_1"_s, d.takmaSeri1);
    ayar.setValue(u"kimlik/takma_seri_2"_s, d.takmaSeri2);
    ayar.setValue(u"kimlik/sabit_kimlik"_s, d.sabitKimlik);
    ayar.sync();
    return ayar.status() == QSettings::NoError;
}
