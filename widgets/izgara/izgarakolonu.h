#pragma once

#include <optional>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

// How a screen declares one column of its grid. A grid is configured by a
// list of these, in display order; fields the list does not name are not
// shown at all. The chained setters keep a screen's list readable:
//   kolon(u"ADI"_s, u"Açıklama"_s).agirlikla(3).seciciye().kaydirarak()

enum class KolonTuru
{
    Metin, // the value as text
    Sayi, // a number in the column's (or the field's) display format
    Tarih, // a date, time or time stamp
    Ikon, // an icon chosen by the integer value (stock status, yes/no)
    OnayKutusu, // a check box: 1 / true checked
    IlerlemeCubugu, // a progress bar, value 0–100
    Dugme, // a push button; a click emits dugmeTiklandi
    Resim, // a picture from the field's bytes
};

enum class AltToplam
{
    Yok,
    Sayi, // the number of rows shown
    Toplam, // the sum of the rows shown
};

struct IzgaraKolonu
{
    QString alan; // field name in the table
    QString baslik; // caption; empty: the field name
    bool gorunur = true;
    bool secicide = false; // offered in the column chooser
    int agirlik = 1; // width weight for KolonGenislikleriniAyarla
    int genislik = 0; // fixed starting width in pixels; 0: left to sizing
    Qt::Alignment hizalama = Qt::AlignLeft;
    bool kaydir = false; // wrap long text over several lines
    KolonTuru tur = KolonTuru::Metin;
    QString bicim; // number pattern; empty: the field's display format
    QHash<int, QIcon> ikonlar; // Ikon: the icon of each code
    QHash<int, QString> ikonMetinleri; // Ikon: what each code means (tooltips, filter list)
    QString dugmeMetni; // Dugme: caption of the button
    AltToplam altToplam = AltToplam::Yok;

    QString gorunenBaslik() const { return baslik.isEmpty() ? alan : baslik; }

    // Chained setters, each returning the changed column.
    IzgaraKolonu gizli() &&
    {
        gorunur = false;
        return std::move(*this);
    }
    IzgaraKolonu seciciye(bool evet = true) &&
    {
        secicide = evet;
        return std::move(*this);
    }
    IzgaraKolonu agirlikla(int a) &&
    {
        agirlik = a;
        return std::move(*this);
    }
    IzgaraKolonu genislikle(int g) &&
    {
        genislik = g;
        return std::move(*this);
    }
    IzgaraKolonu hizala(Qt::Alignment h) &&
    {
        hizalama = h;
        return std::move(*this);
    }
    IzgaraKolonu kaydirarak() &&
    {
        kaydir = true;
        return std::move(*this);
    }
    IzgaraKolonu turunde(KolonTuru t) &&
    {
        tur = t;
        return std::move(*this);
    }
    // A number, right-aligned, in pattern b (empty: the field's display format).
    IzgaraKolonu sayi(QString b = {}) &&
    {
        tur = KolonTuru::Sayi;
        hizalama = Qt::AlignRight;
        bicim = std::move(b);
        return std::move(*this);
    }
    // An icon by code, centred, with what each code means.
    IzgaraKolonu ikonlu(QHash<int, QIcon> i, QHash<int, QString> metinler = {}) &&
    {
        tur = KolonTuru::Ikon;
        hizalama = Qt::AlignHCenter;
        ikonlar = std::move(i);
        ikonMetinleri = std::move(metinler);
        return std::move(*this);
    }
    IzgaraKolonu dugme(QString metin) &&
    {
        tur = KolonTuru::Dugme;
        dugmeMetni = std::move(metin);
        return std::move(*this);
    }
    IzgaraKolonu altta(AltToplam a) &&
    {
        altToplam = a;
        return std::move(*this);
    }
};

inline IzgaraKolonu kolon(QString alan, QString baslik = {})
{
    IzgaraKolonu k;
    k.alan = std::move(alan);
    k.baslik = std::move(baslik);
    return k;
}

struct IzgaraAyarlari
{
    bool tumSatirSecimi = true; // false: a single cell is focused (the basket)
    int satirYuksekligi = 0; // 0: the style's default
    int baslikYuksekligi = 0;
    std::optional<QFont> yazi; // none: the application font
    QColor satirRengi; // invalid: the palette's own colours
    QColor ikinciSatirRengi; // every other row; invalid: no alternation
    bool odakCercevesi = false; // draw the focus rectangle in the focused cell
    bool siralanabilir = true; // sort by a header click
    bool suzgecDugmeleri = true; // a filter button in every header
    bool artimliArama = true; // typing searches the focused column
    bool altBilgi = false; // the footer row
    bool altBilgideKayitSayisi = false; // "n kayıt" under the first shown column
};
