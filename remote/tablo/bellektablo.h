#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>
#include <QTime>
#include <QVariant>

// BellekTablo: the in-memory table every list of the client loads into.
//
// Columns are stored one typed vector each (no QVariant per cell); text
// columns keep all their characters in one UTF-16 block with a (start,
// length) pair per row, and a QString is only built when a cell is read.
//
// Two ways to fill it:
//   * bulk, as the wire decoder does: yenidenTanimla(columns), satirAyir(n),
//     then the ekle*() calls column by column (or row by row, any order), and
//     doldurmayiBitir(), which checks that every column got the same number of
//     values and makes them the table's rows (or drops them all);
//   * one row at a time, as screens do: satirEkle() or duzenle() on the
//     current row, yaz() field values, kaydet().
//
// Views learn of changes through listeners (dinle()). While the controls are
// disabled (kontrolleriKapat) nobody hears of single changes; enabling them
// again sends one reset. Listeners run on the thread that changes the table:
// a worker may fill a table only while no view listens to it (screens detach
// their grid for the duration of a load).

// DBX data type codes of the server's column descriptors.
enum class DbxTipi : int
{
    AnsiString = 1,
    Date = 2,
    Blob = 3,
    Boolean = 4,
    Int16 = 5,
    Int32 = 6,
    Double = 7,
    Bcd = 8,
    Bytes = 9,
    Time = 10,
    DateTime = 11,
    UInt16 = 12,
    UInt32 = 13,
    Int64 = 18,
    TimeStamp = 24,
    Currency = 25,
    WideString = 26,
    Single = 27,
    Int8 = 28,
    UInt8 = 29,
    CharArray = 31,
    BinaryBlob = 33,
};

// The type of a DBX code this table can hold; none for any other code.
std::optional<DbxTipi> dbxTipiBul(int kod);

// How a column keeps its values.
enum class Depolama : std::uint8_t
{
    Tamsayi32, // Int8, UInt8, Int16, UInt16, Int32
    Tamsayi64, // UInt32, Int64
    Ondalik, // Double, Single, Bcd, Currency
    Mantiksal, // Boolean
    Metin, // AnsiString, WideString, CharArray
    Zaman, // Date, Time, DateTime, TimeStamp (wall-clock time, no zone)
    Ikili, // Blob, Bytes, BinaryBlob
};

Depolama depolamaTuru(DbxTipi tip);

struct KolonTanimi
{
    KolonTanimi() = default;
    KolonTanimi(QString adi, DbxTipi tipi, int boyutu = 0, int altTipi = 0)
        : ad(std::move(adi))
        , tip(tipi)
        , boyut(boyutu)
        , altTip(altTipi)
    {
    }

    QString ad;
    DbxTipi tip = DbxTipi::WideString;
    int boyut = 0;
    int altTip = 0;
    // Pattern the views format the values with ("#,###,##0.00"); empty: none.
    QString gorunumBicimi;
};

struct TabloDegisikligi
{
    enum class Tur
    {
        Sifirlandi, // structure, rows or everything changed: read the table anew
        SatirDegisti, // one row's values changed (satir)
        SatirEklendi, // one row appended (satir, the last one)
        BicimDegisti, // a column's display format changed (kolon)
        Yokoluyor, // the table is being destroyed: drop every pointer to it
    };
    Tur tur = Tur::Sifirlandi;
    qsizetype satir = -1;
    int kolon = -1;
};

class BellekTablo
{
public:
    enum class Durum
    {
        Gezinme, // browsing
        Duzenleme, // the current row is being edited
        Ekleme, // a new row is being written, appended by kaydet()
    };
    using Dinleyici = std::function<void(const TabloDegisikligi &)>;
    using DinleyiciNo = int;

    BellekTablo();
    ~BellekTablo();
    // Copies and moves carry the data, never the listeners: a table keeps its
    // own listeners, and those hear one reset when new data is assigned.
    BellekTablo(const BellekTablo &diger);
    BellekTablo(BellekTablo &&diger) noexcept;
    BellekTablo &operator=(const BellekTablo &diger);
    BellekTablo &operator=(BellekTablo &&diger) noexcept;

    // --- Structure ---
    // Replaces the columns wholesale: old columns and rows are gone, the table
    // is open and empty. Empty or repeated names (case-insensitive) are
    // refused and leave the table as it was.
    bool yenidenTanimla(QList<KolonTanimi> kolonlar);
    int kolonSayisi() const;
    const KolonTanimi &kolon(int kolon) const;
    QList<KolonTanimi> kolonlar() const;
    // Index of the named column (case-insensitive), -1 when there is none.
    int kolonIndeksi(QStringView ad) const;
    void bicimAyarla(int kolon, const QString &bicim);

    // --- State ---
    bool acik() const { return acik_; }
    // Opens a closed table with its columns and no rows.
    void ac();
    // Drops the rows (the columns stay defined) and closes the table.
    void kapat();
    // Drops the rows; the columns stay and an open table stays open.
    void bosalt();
    bool bos() const { return satirSayisi_ == 0; }
    qsizetype satirSayisi() const { return satirSayisi_; }

    // --- Current row ---
    qsizetype gecerliSatir() const { return gecerli_; }
    void ilk();
    void son();
    // Next row; past the last one sonda() becomes true and the row stays.
    void sonraki();
    void onceki();
    bool sonda() const { return sonda_; }
    bool satiraGit(qsizetype satir);
    // Makes the first row whose field equals deger current (numbers compare
    // by value, texts exactly). False, and no move, when none does.
    bool bul(QStringView alan, const QVariant &deger);
    // First row at or after baslangic whose cell equals deger, or -1.
    qsizetype ara(int kolon, const QVariant &deger, qsizetype baslangic = 0) const;

    // --- Reading a cell (out of range reads give null / zero / empty) ---
    bool bosMu(qsizetype satir, int kolon) const;
    // Null as an invalid QVariant; otherwise int, qlonglong, double, bool,
    // QString, QDate, QTime, QDateTime or QByteArray by the column's type.
    QVariant deger(qsizetype satir, int kolon) const;
    // Converting reads, like a field's AsInteger/AsFloat/AsString.
    qint64 tamsayi(qsizetype satir, int kolon) const;
    double sayi(qsizetype satir, int kolon) const;
    bool mantiksal(qsizetype satir, int kolon) const;
    QString metin(qsizetype satir, int kolon) const;
    QDateTime zaman(qsizetype satir, int kolon) const;
    // A time cell as milliseconds on one continuous scale, for ordering
    // without building dates; 0 for null cells and other columns.
    qint64 zamanDamgasi(qsizetype satir, int kolon) const;
    QByteArray ikili(qsizetype satir, int kolon) const;
    // A text cell without a copy; valid until the table next changes.
    // Empty for columns that do not hold text.
    QStringView metinGorunumu(qsizetype satir, int kolon) const;
    // The current row's field (with the pending value while editing).
    QVariant alan(QStringView ad) const;

    // --- Editing ---
    Durum durum() const { return durum_; }
    bool duzenle();
    bool satirEkle();
    // Writes a field of the row being edited; an invalid QVariant writes
    // null. False when not editing, no such column, or the value does not
    // convert to the column's type (nothing is written then).
    bool yaz(int kolon, const QVariant &deger);
    bool yaz(QStringView alan, const QVariant &deger);
    bool kaydet();
    void vazgec();

    // --- Bulk fill ---
    void satirAyir(qsizetype satirSayisi);
    // Room for this many more characters in a text column, so that a bulk
    // fill does not grow the column's text block step by step.
    void metinAyir(int kolon, qsizetype karakter);
    void ekleBos(int kolon);
    // Each ekle*() appends one value to a column and returns false (appending
    // nothing) when the value does not fit the column's type: a whole number
    // goes into integer, floating-point and Boolean columns, a fractional one
    // only into floating-point columns.
    bool ekleTamsayi(int kolon, qint64 deger);
    bool ekleOndalik(int kolon, double deger);
    bool ekleMantiksal(int kolon, bool deger);
    bool ekleMetin(int kolon, QStringView deger);
    bool ekleMetinUtf8(int kolon, QByteArrayView utf8);
    bool ekleZaman(int kolon, QDate tarih, QTime saat = QTime(0, 0));
    bool ekleIkili(int kolon, const QByteArray &deger);
    // Makes the appended values rows when every column got the same number;
    // otherwise drops them all and returns false. The current row is the last.
    bool doldurmayiBitir();

    // --- Controls and listeners ---
    void kontrolleriKapat();
    void kontrolleriAc();
    bool kontrollerKapali() const { return kontrolKapali_ > 0; }
    DinleyiciNo dinle(Dinleyici dinleyici);
    void dinlemeyiBirak(DinleyiciNo no);

private:
    struct Kolon;
    Kolon *kolonAl(int kolon);
    const Kolon *kolonAl(int kolon) const;
    const Kolon *hucre(qsizetype satir, int kolon) const;
    void verileriAl(BellekTablo &&diger);
    void bildir(const TabloDegisikligi &degisiklik);
    void sifirlandiBildir();
    bool eklemeBekliyor() const;

    std::vector<Kolon> kolonlar_;
    qsizetype satirSayisi_ = 0;
    bool acik_ = false;
    qsizetype gecerli_ = 0;
    bool sonda_ = true;
    Durum durum_ = Durum::Gezinme;
    std::vector<std::pair<int, QVariant>> bekleyen_;

    int kontrolKapali_ = 0;
    struct Kayit
    {
        DinleyiciNo no;
        Dinleyici dinleyici;
    };
    std::vector<Kayit> dinleyiciler_;
    DinleyiciNo sonrakiNo_ = 1;
    int bildirimDerinligi_ = 0;
};
