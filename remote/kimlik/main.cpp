// dotezmar-kimlik: prints this computer's identifier, the text the server
// registers an installation under. With --ayrinti it also tells which source
// gave it and what every source gives.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "remote/kimlik/bilgisayarid.h"

using namespace Qt::StringLiterals;

namespace {

// A text in quotes, its unprintable characters written as \xNN, so that a
// serial number with odd bytes in it shows what it holds.
QString tirnakla(const QString &metin)
{
    QString sonuc = u"\""_s;
    for (const QChar c : metin) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == u'"' || c == u'\\')
            sonuc += u"\\x%1"_s.arg(uint(c.unicode()), 2, 16, QChar(u'0'));
        else
            sonuc += c;
    }
    return sonuc + u'"';
}

QString kaynakAdi(KimlikKaynagi kaynak)
{
    switch (kaynak) {
    case KimlikKaynagi::DiskSeriNumarasi:
        return u"ilk diskin seri numarası (udev)"_s;
    case KimlikKaynagi::OkuyucuIlkDeneme:
        return u"disk okuyucu, ilk deneme"_s;
    case KimlikKaynagi::OkuyucuIkinciDeneme:
        return u"disk okuyucu, ikinci deneme"_s;
    case KimlikKaynagi::AgAdaptoru:
        return u"ağ adaptörünün donanım adresi"_s;
    case KimlikKaynagi::Yok:
        break;
    }
    return u"hiçbiri (kimlik boş)"_s;
}

void diskleriYaz(QTextStream &cikti, const SistemOrtami &ortam, KimlikKaynaklari &kaynaklar)
{
    QStringList adlar;
    for (const FizikselDisk &disk : fizikselDiskler(ortam))
        adlar.append(disk.ad);
    cikti << u"Fiziksel diskler: "_s << (adlar.isEmpty() ? u"yok"_s : adlar.join(u", "_s)) << '\n';

    cikti << u"Disk seri numarası (udev): "_s;
    try {
        QStringList seriler = kaynaklar.diskSeriNumaralari();
        for (QString &seri : seriler)
            seri = tirnakla(seri);
        cikti << (seriler.isEmpty() ? u"disk yok"_s : seriler.join(u", "_s)) << '\n';
    } catch (const std::exception &hata) {
        cikti << u"cevap yok ("_s << QString::fromUtf8(hata.what()) << u")\n"_s;
    }
}

void okuyucuYaz(QTextStream &cikti, const SistemOrtami &ortam)
{
    const std::pair<TGetInfoMethod, QString> yollar[] = {
        {gimAuto, u"gimAuto"_s},
        {gimNT, u"gimNT (ATA tanıtım verisi)"_s},
        {gimScsi, u"gimScsi (SCSI sorgusu)"_s},
        {gimZeroRights, u"gimZeroRights (yetkisiz öznitelikler)"_s},
    };
    for (const auto &[yol, ad] : yollar) {
        THDDInfo okuyucu(ortam);
        okuyucu.setMethod(yol);
        cikti << u"Disk okuyucu, "_s << ad << u": "_s;
        try {
            okuyucu.setDrive(dPrimaryMaster);
            cikti << u"seri "_s << tirnakla(okuyucu.Serial()) << u", model "_s
                  << tirnakla(okuyucu.Model()) << u", sürüm "_s << tirnakla(okuyucu.Revision())
                  << u", boyut "_s << okuyucu.Size() << '\n';
        } catch (const DiskOkumaHatasi &hata) {
            cikti << QString::fromUtf8(hata.what()) << '\n';
        }
    }
}

void adaptorleriYaz(QTextStream &cikti, KimlikKaynaklari &kaynaklar)
{
    const QStringList adaptorler = kaynaklar.agAdaptorleri();
    if (adaptorler.isEmpty())
        cikti << u"Ağ adaptörü: yok\n"_s;
    for (const QString &adaptor : adaptorler) {
        const std::optional<QByteArray> adres = kaynaklar.donanimAdresi(adaptor);
        cikti << u"Ağ adaptörü "_s << adaptor << u": "_s
              << (adres ? adresMetni(*adres) : u"cevap yok"_s) << '\n';
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication uygulama(argc, argv);
    QCoreApplication::setApplicationName(u"dotezmar-kimlik"_s);

    QCommandLineParser secenekler;
    secenekler.setApplicationDescription(u"Bu bilgisayarın kimliğini yazar."_s);
    secenekler.addHelpOption();
    const QCommandLineOption ayrinti(
        u"ayrinti"_s, u"Kimliği hangi kaynağın verdiğini ve her kaynağın ne verdiğini de yazar."_s);
    secenekler.addOption(ayrinti);
    secenekler.process(uygulama);

    const SistemOrtami ortam;
    SistemKimlikKaynaklari kaynaklar(ortam);
    const BilgisayarKimligi kimlik = bilgisayarKimligi(kaynaklar, kurulumTakmaAdlari());

    QTextStream cikti(stdout);
    cikti << kimlik.metin << '\n';
    if (secenekler.isSet(ayrinti)) {
        cikti << u"Kaynak: "_s << kaynakAdi(kimlik.kaynak) << '\n';
        diskleriYaz(cikti, ortam, kaynaklar);
        okuyucuYaz(cikti, ortam);
        adaptorleriYaz(cikti, kaynaklar);
    }
    return 0;
}
