#include "app/gorunum.h"

#include <QFont>

using namespace Qt::StringLiterals;

Gorunum MevsimselGorunum(QDate tarih)
{
    const bool yilSonu = tarih.month() == 12 && tarih.day() >= 26;
    const bool yilBasi = tarih.month() == 1 && tarih.day() <= 5;
    return yilSonu || yilBasi ? Gorunum::Kis : Gorunum::Varsayilan;
}

GorunumRenkleri Renkler(Gorunum gorunum)
{
    GorunumRenkleri r;
    r.gorunum = gorunum;
    if (gorunum == Gorunum::Kis) {
        // Frost: white and silver-blue, ice-cyan for the active tab.
        r.zemin = QColor(0xe9, 0xef, 0xf4);
        r.baslikUst = QColor(0xff, 0xff, 0xff);
        r.baslikAlt = QColor(0xcf, 0xdd, 0xe8);
        r.kenar = QColor(0x9d, 0xb4, 0xc6);
        r.yazi = QColor(0x1f, 0x3a, 0x4f);
        r.soluk = QColor(0x52, 0x6d, 0x82);
        r.vurgu = QColor(0x2b, 0x7c, 0xa8);
        r.sekmeUst = QColor(0xfb, 0xfd, 0xff);
        r.sekmeAlt = QColor(0xe0, 0xe9, 0xf0);
        r.seciliUst = QColor(0xe8, 0xf8, 0xff);
        r.seciliAlt = QColor(0xa9, 0xdc, 0xf4);
        r.seciliKenar = QColor(0x4f, 0xa3, 0xcc);
        r.seciliYazi = QColor(0x0e, 0x3c, 0x58);
        r.uzerindeUst = QColor(0xff, 0xff, 0xff);
        r.uzerindeAlt = QColor(0xd3, 0xef, 0xfb);
        r.sayfa = QColor(0xfb, 0xfd, 0xfe);
        r.serit = QColor(0xdc, 0xe7, 0xef);
        r.rozet = QColor(0xd2, 0x3f, 0x31);
    } else {
        // Blue panels, a warm gold for the active tab.
        r.zemin = QColor(0xd9, 0xe5, 0xf3);
        r.baslikUst = QColor(0xf6, 0xf9, 0xfd);
        r.baslikAlt = QColor(0xc9, 0xdb, 0xf0);
        r.kenar = QColor(0x99, 0xb6, 0xd9);
        r.yazi = QColor(0x15, 0x35, 0x5e);
        r.soluk = QColor(0x4a, 0x68, 0x8f);
        r.vurgu = QColor(0x23, 0x5f, 0xa8);
        r.sekmeUst = QColor(0xfd, 0xfe, 0xff);
        r.sekmeAlt = QColor(0xdc, 0xe8, 0xf6);
        r.seciliUst = QColor(0xff, 0xf5, 0xd6);
        r.seciliAlt = QColor(0xfb, 0xd7, 0x7a);
        r.seciliKenar = QColor(0xd2, 0xa2, 0x3c);
        r.seciliYazi = QColor(0x4a, 0x31, 0x00);
        r.uzerindeUst = QColor(0xff, 0xfb, 0xee);
        r.uzerindeAlt = QColor(0xfd, 0xe9, 0xb4);
        r.sayfa = QColor(0xff, 0xff, 0xff);
        r.serit = QColor(212, 225, 242);
        r.rozet = QColor(0xd6, 0x33, 0x2a);
    }
    return r;
}

QString StilSayfasi(const GorunumRenkleri &r)
{
    auto ad = [](const QColor &c) { return c.name(); };
    return uR"(
TForm1 { background: %1; }
QWidget#baslik, QWidget#aramaSeridi, QWidget#durumSeridi { color: %5; }
QLabel { color: %5; }
QLabel#baslikEtiketi { color: %6; }
QWidget#aramaSeridi, QWidget#durumSeridi {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %2, stop:1 %3);
    border-top: 1px solid %4; border-bottom: 1px solid %4;
}
QLineEdit#araedit {
    background: white; border: 1px solid %4; border-radius: 4px; padding: 0 6px; color: %5;
    selection-background-color: %7;
}
QLineEdit#araedit:focus { border: 2px solid %7; }
QPushButton {
    color: %5; border: 1px solid %4; border-radius: 4px; padding: 3px 14px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %8, stop:1 %9);
}
QPushButton:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %10, stop:1 %11);
}
QPushButton:pressed, QPushButton:focus { border: 1px solid %7; }
QPushButton:disabled { color: %6; }
QToolButton#menubuton { border: none; background: transparent; padding: 2px; }
QToolButton#menubuton:hover { background: %11; border-radius: 6px; }
QToolButton#menubuton::menu-indicator { image: none; }
QStackedWidget#sayfalar { background: %12; border: 1px solid %4; }
QFrame#altSerit { background: %13; border-top: 1px solid %4; }
QMenu { background: white; border: 1px solid %4; padding: 4px; }
QMenu::item { padding: 6px 28px 6px 14px; color: %5; }
QMenu::item:selected { background: %11; color: %5; }
QMenu::separator { height: 1px; background: %4; margin: 4px 6px; }
)"_s.arg(ad(r.zemin), ad(r.baslikUst), ad(r.baslikAlt), ad(r.kenar), ad(r.yazi), ad(r.soluk),
         ad(r.vurgu), ad(r.sekmeUst), ad(r.sekmeAlt), ad(r.uzerindeUst), ad(r.uzerindeAlt),
         ad(r.sayfa), ad(r.serit));
}

void YaziTipiYedekleriniKur()
{
    // Liberation Sans keeps Arial's metrics and is about as narrow as Tahoma and Segoe UI, so
    // captions sized for them still fit; DejaVu Sans is wider and comes second.
    const QStringList yedekler {u"Liberation Sans"_s, u"DejaVu Sans"_s, u"Noto Sans"_s};
    for (const QString &ad :
         {u"Tahoma"_s, u"Segoe UI"_s, u"Segoe UI Semibold"_s, u"Arial"_s, u"MS Sans Serif"_s})
        QFont::insertSubstitutions(ad, yedekler);
}
