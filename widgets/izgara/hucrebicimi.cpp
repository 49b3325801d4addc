#include "widgets/izgara/hucrebicimi.h"

#include "app/utils/bicim.h"
#include "remote/tablo/bellektablo.h"

using namespace Qt::StringLiterals;

QString sayiMetni(double deger, QStringView bicim)
{
    return SayiBicimle(deger, bicim);
}

QString hucreMetni(const BellekTablo &tablo, qsizetype satir, int kolon, QStringView bicim)
{
    if (tablo.bosMu(satir, kolon))
        return {};
    const KolonTanimi &tanim = tablo.kolon(kolon);
    switch (depolamaTuru(tanim.tip)) {
    case Depolama::Tamsayi32:
    case Depolama::Tamsayi64:
        if (bicim.isEmpty())
            return QString::number(tablo.tamsayi(satir, kolon));
        return sayiMetni(tablo.sayi(satir, kolon), bicim);
    case Depolama::Ondalik:
        return sayiMetni(tablo.sayi(satir, kolon), bicim);
    case Depolama::Mantiksal:
        return tablo.mantiksal(satir, kolon) ? u"Evet"_s : u"Hayır"_s;
    case Depolama::Metin:
        return tablo.metinGorunumu(satir, kolon).toString();
    case Depolama::Zaman: {
        const QDateTime z = tablo.zaman(satir, kolon);
        if (tanim.tip == DbxTipi::Date)
            return z.date().toString(u"dd.MM.yyyy"_s);
        if (tanim.tip == DbxTipi::Time)
            return z.time().toString(u"HH:mm:ss"_s);
        // A time stamp at midnight shows its date alone.
        if (z.time() == QTime(0, 0))
            return z.date().toString(u"dd.MM.yyyy"_s);
        return z.toString(u"dd.MM.yyyy HH:mm:ss"_s);
    }
    case Depolama::Ikili:
        return {};
    }
    return {};
}
