#include "app/utils/ayarlar.h"

#include <optional>

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include "app/utils/klasorler.h"

using namespace Qt::StringLiterals;

namespace {

const QString Bolum = u"kullanici"_s;
const QString IsimAnahtari = u"isim"_s;
const QString SifreAnahtari = u"sifre"_s;
const QString HatirlaAnahtari = u"hatırla"_s;

QStringList satirlariOku(const QString &dosya, bool *okundu = nullptr)
{
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly)) {
        if (okundu)
            *okundu = false;
        return {};
    }
    if (okundu)
        *okundu = true;
    QByteArray veri = f.readAll();
    if (veri.startsWith("\xEF\xBB\xBF"))
        veri.remove(0, 3);
    QStringList satirlar = QString::fromUtf8(veri).split(u'\n');
    for (QString &s : satirlar) {
        if (s.endsWith(u'\r'))
            s.chop(1);
    }
    if (!satirlar.isEmpty() && satirlar.last().isEmpty())
        satirlar.removeLast(); // the final line break
    return satirlar;
}

bool esit(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The section name of a "[name]" line.
std::optional<QString> bolumAdi(QStringView satir)
{
    satir = satir.trimmed();
    if (!satir.startsWith(u'['))
        return std::nullopt;
    const qsizetype son = satir.indexOf(u']');
    if (son < 0)
        return std::nullopt;
    return satir.mid(1, son - 1).trimmed().toString();
}

struct AnahtarDeger
{
    QString anahtar;
    QString deger;
};

std::optional<AnahtarDeger> anahtarDeger(QStringView satir)
{
    const QStringView t = satir.trimmed();
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
        return std::nullopt;
    const qsizetype esittir = t.indexOf(u'=');
    if (esittir <= 0)
        return std::nullopt;
    QStringView deger = t.mid(esittir + 1).trimmed();
    if (deger.size() >= 2 && (deger.front() == u'"' || deger.front() == u'\'') &&
        deger.back() == deger.front())
        deger = deger.mid(1, deger.size() - 2);
    return AnahtarDeger {t.left(esittir).trimmed().toString(), deger.toString()};
}

// A value an INI reader gives back unchanged: surrounding blanks or quotes get a pair of quotes.
QString yazilacakDeger(const QString &deger)
{
    const bool korunmali = !deger.isEmpty() &&
        (deger.front().isSpace() || deger.back().isSpace() ||
         (deger.size() >= 2 && (deger.front() == u'"' || deger.front() == u'\'') &&
          deger.back() == deger.front()));
    return korunmali ? u'"' + deger + u'"' : deger;
}

} // namespace

QString AyarDosyasi()
{
    return UygulamaKlasoru() + u"/ayar.ini"_s;
}

KullaniciAyarlari KullaniciAyarlariniOku(const QString &dosya)
{
    KullaniciAyarlari sonuc;
    bool isimVar = false, sifreVar = false, hatirlaVar = false;
    bool bizimBolum = false;
    for (const QString &satir : satirlariOku(dosya)) {
        if (const auto ad = bolumAdi(satir)) {
            bizimBolum = esit(*ad, Bolum);
            continue;
        }
        if (!bizimBolum)
            continue;
        const auto ad = anahtarDeger(satir);
        if (!ad)
            continue;
        // The first occurrence of a key counts, as with every INI reader.
        if (!isimVar && esit(ad->anahtar, IsimAnahtari)) {
            sonuc.isim = ad->deger;
            isimVar = true;
        } else if (!sifreVar && esit(ad->anahtar, SifreAnahtari)) {
            sonuc.sifre = ad->deger;
            sifreVar = true;
        } else if (!hatirlaVar && esit(ad->anahtar, HatirlaAnahtari)) {
            bool sayi = false;
            const int n = ad->deger.toInt(&sayi);
            if (sayi)
                sonuc.hatirla = n != 0;
            hatirlaVar = true;
        }
    }
    return sonuc;
}

bool KullaniciAyarlariniYaz(const KullaniciAyarlari &ayarlar, const QString &dosya, QString *hata)
{
    auto basarisiz = [hata](const QString &neden) {
        if (hata)
            *hata = neden;
        return false;
    };
    const std::pair<QString, QString> yeniler[] = {
        {IsimAnahtari, ayarlar.isim},
        {SifreAnahtari, ayarlar.sifre},
        {HatirlaAnahtari, ayarlar.hatirla ? u"1"_s : u"0"_s},
    };
    for (const auto &[anahtar, deger] : yeniler) {
        if (deger.contains(u'\n') || deger.contains(u'\r'))
            return basarisiz(u"\"%1\" değeri satır sonu içeremez."_s.arg(anahtar));
    }

    bool okundu = false;
    QStringList satirlar = satirlariOku(dosya, &okundu);
    if (!okundu && QFile::exists(dosya))
        return basarisiz(u"%1 okunamadı."_s.arg(dosya));

    // Where our section starts and where its last key line is.
    qsizetype bolumBasi = -1, bolumSonu = -1;
    bool yazildi[3] = {false, false, false};
    bool bizimBolum = false;
    for (qsizetype i = 0; i < satirlar.size(); ++i) {
        if (const auto ad = bolumAdi(satirlar[i])) {
            bizimBolum = bolumBasi < 0 && esit(*ad, Bolum);
            if (bizimBolum)
                bolumBasi = bolumSonu = i;
            continue;
        }
        if (!bizimBolum)
            continue;
        const auto ad = anahtarDeger(satirlar[i]);
        if (!ad)
            continue;
        bolumSonu = i;
        for (int k = 0; k < 3; ++k) {
            if (!yazildi[k] && esit(ad->anahtar, yeniler[k].first)) {
                satirlar[i] = yeniler[k].first + u'=' + yazilacakDeger(yeniler[k].second);
                yazildi[k] = true;
            }
        }
    }
    QStringList eksikler;
    for (int k = 0; k < 3; ++k) {
        if (!yazildi[k])
            eksikler << yeniler[k].first + u'=' + yazilacakDeger(yeniler[k].second);
    }
    if (bolumBasi < 0) {
        if (!satirlar.isEmpty() && !satirlar.last().trimmed().isEmpty())
            satirlar << QString();
        satirlar << u'[' + Bolum + u']';
        satirlar << eksikler;
    } else {
        for (qsizetype k = 0; k < eksikler.size(); ++k)
            satirlar.insert(bolumSonu + 1 + k, eksikler[k]);
    }

    QSaveFile f(dosya);
    if (!f.open(QIODevice::WriteOnly))
        return basarisiz(u"%1 yazılamadı: %2"_s.arg(dosya, f.errorString()));
    // Owner-only before a single byte of the password is written.
    if (!f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return basarisiz(u"%1 yazılamadı: izinler ayarlanamadı."_s.arg(dosya));
    f.write((satirlar.join(u'\n') + u'\n').toUtf8());
    if (!f.commit())
        return basarisiz(u"%1 yazılamadı: %2"_s.arg(dosya, f.errorString()));
    return true;
}
