#include <QApplication>

#include "app/arkaplan.h"
#include "app/gorunum.h"
#include "app/unit1.h"

int main(int argc, char *argv[])
{
    QApplication uygulama(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dotezmar"));
    QApplication::setApplicationVersion(QStringLiteral("3"));
    YaziTipiYedekleriniKur();
    BaglantiMesajiKancasiniKur();

    TForm1 Form1;
    Form1.Goster();
    return QApplication::exec();
}
