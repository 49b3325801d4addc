#include "app/utils/klasorler.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString UygulamaKlasoru()
{
    const QString yapilandirma =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString klasor = QDir::cleanPath(yapilandirma + u"/dotezmar"_s);
    QDir().mkpath(klasor);
    return klasor;
}

QString BelgelerKlasoru()
{
    const QString belgeler = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!belgeler.isEmpty() && QFileInfo(belgeler).isDir())
        return QDir::cleanPath(belgeler);
    return QDir::cleanPath(QDir::homePath());
}
