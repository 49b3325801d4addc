#include <QApplication>

#include "app/arkaplan.h"
#include "app/gorunum.h"
#include "app/mesajkutusu.h"
#include "app/unit1.h"
#include "widgets/izgara/exceleaktar.h"

int main(int argc, char *argv[])
{
    QApplication uygulama(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dotezmar"));
    QApplication::setApplicationVersion(QStringLiteral("3"));
    YaziTipiYedekleriniKur();
    BaglantiMesajiKancasiniKur();
    AgBeklemesiKancalariniKur();
    // The grids' Excel export reports through the program's message dialog.
    ExcelMesajlariniKur(
        {[](QWidget *, const QString &hata) { HataMesajiGoster(hata); },
         [](QWidget *, const QString &soru) { return SoruSor(soru, Dugme::Hayir); }});

    TForm1 Form1;
    Form1.Goster();
    return QApplication::exec();
}
