#pragma once

#include <optional>
#include <variant>

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// Writes an Excel 97–2003 workbook (.xls): a BIFF8 "Workbook" stream inside
// an OLE2 compound file (the container is libgsf's). Numbers stay numbers in
// their display pattern, dates are date-formatted serial numbers, texts are
// UTF-16 so Turkish letters survive. Rows are written as they come; a sheet
// holds the header and 65,535 rows, further rows continue on "Sayfa2", ...
// each with the header again. No widgets: a grid's export builds one of
// these, and tests read the result back with an independent reader.

enum class XlsTuru
{
    Metin,
    Sayi, // in the column's pattern ("#,###,##0.00"); empty: General
    Tarih, // dd.mm.yyyy
    TarihSaat, // dd.mm.yyyy hh:mm:ss
    Saat, // hh:mm:ss
};

struct XlsKolon
{
    QString baslik;
    XlsTuru tur = XlsTuru::Metin;
    QString bicim;
    int genislikPiksel = 0; // 0: the sheet's default width
};

// An empty cell, a number, a text, or a point in time.
using XlsHucre = std::variant<std::monostate, double, QString, QDateTime>;

class XlsYazici
{
public:
    static constexpr int sayfaSatirSiniri = 65536; // header included
    static constexpr int kolonSiniri = 256;
    static constexpr int metinSiniri = 32767; // characters in one cell

    // Columns beyond kolonSiniri are refused by kaydet().
    explicit XlsYazici(QList<XlsKolon> kolonlar);
    ~XlsYazici();
    XlsYazici(const XlsYazici &) = delete;
    XlsYazici &operator=(const XlsYazici &) = delete;

    // One row, a cell per column (missing cells are empty, extra ones ignored).
    void satirEkle(const QList<XlsHucre> &hucreler);
    qsizetype satirSayisi() const { return satirSayisi_; }

    // The whole Workbook stream.
    QByteArray calismaKitabi() const;
    // Writes the compound file to dosya through a temporary file in the same
    // folder, renamed over dosya only when complete: a failure leaves nothing
    // half-written. The error's text on failure.
    std::optional<QString> kaydet(const QString &dosya) const;

private:
    struct Sayfa;
    void sayfaAc();
    quint32 metinNo(const QString &metin);
    quint16 sayiXf(int kolon) const;

    QList<XlsKolon> kolonlar_;
    QList<Sayfa> sayfalar_;
    qsizetype satirSayisi_ = 0;
    // Shared strings: each distinct text once, cells refer to its number.
    QHash<QString, quint32> metinNumaralari_;
    QList<QString> metinler_;
    quint32 metinHucreleri_ = 0;
    // Number patterns: each distinct one gets a FORMAT and an XF.
    QList<QString> desenler_;
    QList<quint16> kolonXf_;
};
