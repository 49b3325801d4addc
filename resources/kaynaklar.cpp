#include "resources/kaynaklar.h"

#include <QFile>

using namespace Qt::StringLiterals;

QString ResimYolu(const QString &ad)
{
    const QString simge = u":/simgeler/"_s + ad + u".svg"_s;
    if (QFile::exists(simge))
        return simge;
    const QString resim = u":/resimler/"_s + ad + u".svg"_s;
    return QFile::exists(resim) ? resim : QString();
}

QIcon Simge(const QString &ad)
{
    const QString yol = ResimYolu(ad);
    return yol.isEmpty() ? QIcon() : QIcon(yol);
}

QHash<int, QIcon> StokDurumSimgeleri()
{
    QHash<int, QIcon> simgeler;
    for (int kod = 0; kod <= 5; ++kod)
        simgeler.insert(kod, Simge(u"durum-"_s + QString::number(kod)));
    return simgeler;
}

QHash<int, QIcon> EvetHayirSimgeleri()
{
    return {{1, Simge(u"evet"_s)}, {0, Simge(u"hayir"_s)}};
}
