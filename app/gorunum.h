#pragma once

#include <QColor>
#include <QDate>
#include <QString>

class QWidget;

// The window's two looks: the everyday blue one and a winter one for the turn of the year.
enum class Gorunum
{
    Varsayilan, // blue
    Kis, // winter
};

// Winter from 26 to 31 December and from 1 to 5 January; the blue look on every other day.
Gorunum MevsimselGorunum(QDate tarih);

// The colours a look paints with; the window's style sheet and the drawn parts (tab buttons,
// header) read the same values.
struct GorunumRenkleri
{
    Gorunum gorunum = Gorunum::Varsayilan;
    QColor zemin; // window background
    QColor baslikUst, baslikAlt; // header gradient
    QColor kenar; // panel borders
    QColor yazi; // ordinary text
    QColor soluk; // captions, secondary text
    QColor vurgu; // buttons, links, focus
    QColor sekmeUst, sekmeAlt; // a tab button at rest
    QColor seciliUst, seciliAlt, seciliKenar, seciliYazi; // the active tab button
    QColor uzerindeUst, uzerindeAlt; // a tab button under the pointer
    QColor sayfa; // the page under the tabs
    QColor serit; // the bottom strip (tickers)
    QColor rozet; // a tab's count badge
};

GorunumRenkleri Renkler(Gorunum gorunum);

// The style sheet of the main window for a look.
QString StilSayfasi(const GorunumRenkleri &renkler);

// Tahoma and Segoe UI are not on every system: let the installed sans fonts stand in for them,
// keeping the sizes the windows ask for.
void YaziTipiYedekleriniKur();
