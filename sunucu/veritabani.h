#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QString>

// The server's data-access layer: one small interface over SQLite (libsqlite3)
// and PostgreSQL (libpq). Statements are written once with "?" placeholders;
// the PostgreSQL side numbers them ($1, $2, ...) itself. A connection keeps
// its prepared statements, so a statement is parsed once per connection.
//
// Values are plain: null, a 64-bit integer, a double, text or bytes. Dates are
// text in the form "YYYY-MM-DD hh:mm:ss" (SQLite keeps the text, PostgreSQL a
// TIMESTAMP that it reads back in the same form); the column's type tells
// readers that it is a date.

using VtDeger = std::variant<std::monostate, qint64, double, QString, QByteArray>;

// What a result column holds, from its declared type.
enum class VtTuru { Bilinmiyor, Tamsayi, Ondalik, Metin, Tarih, TarihSaat, Ikili };

enum class VtLehce { Sqlite, Postgres };

// Any failure of the store: connection, statement, constraint, data.
class VtHatasi : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A prepared statement. calistir() binds the parameters and runs it; rows of a
// query are then read with sonraki() and the column accessors.
class VtKomutu
{
public:
    virtual ~VtKomutu() = default;

    virtual void calistir(const std::vector<VtDeger> &parametreler) = 0;
    // Moves to the next row; false past the last one.
    virtual bool sonraki() = 0;
    virtual int kolonSayisi() const = 0;
    virtual QString kolonAdi(int kolon) const = 0;
    virtual VtTuru kolonTuru(int kolon) const = 0;
    virtual bool bosMu(int kolon) const = 0;
    virtual qint64 tamsayi(int kolon) const = 0;
    virtual double ondalik(int kolon) const = 0;
    virtual QString metin(int kolon) const = 0;
    virtual QByteArray ikili(int kolon) const = 0;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    virtual qint64 degisenSatir() const = 0;

    // The current row's cell as a value (null, integer, double, text, bytes).
    VtDeger deger(int kolon) const;
};

// Appends many rows to one table fast (SQLite: a prepared INSERT; PostgreSQL:
// COPY). Used inside a transaction by the demo generator and imports. Several
// writers may be open on one connection at once and take turns, and other
// statements may run between their rows; a writer must not outlive its
// connection.
class VtTopluYazici
{
public:
    virtual ~VtTopluYazici() = default;
    virtual void ekle(const std::vector<VtDeger> &satir) = 0;
    // Sends what is buffered; the writer is unusable afterwards.
    virtual void bitir() = 0;
};

// An index that no constraint needs: its name and the statement that makes it.
struct VtIndeks
{
    std::string ad;
    std::string tanim;
};

// One connection. Used by one thread at a time (the pool sees to that).
class Veritabani
{
public:
    virtual ~Veritabani();

    virtual VtLehce lehce() const = 0;
    // Runs one or more statements without parameters (schema, pragmas).
    virtual void yurut(std::string_view sql) = 0;
    // The prepared statement for this text, made on first use and kept.
    // Finish reading one result before running the same text again.
    VtKomutu &komut(std::string_view sql);

    // Binds, runs and returns the statement, ready for sonraki().
    template<class... Degerler>
    VtKomutu &sorgula(std::string_view sql, Degerler &&...degerler)
    {
        VtKomutu &k = komut(sql);
        k.calistir(std::vector<VtDeger>{VtDeger(std::forward<Degerler>(degerler))...});
        return k;
    }
    // Runs a write and returns the number of rows it changed.
    template<class... Degerler>
    qint64 degistir(std::string_view sql, Degerler &&...degerler)
    {
        return sorgula(sql, std::forward<Degerler>(degerler)...).degisenSatir();
    }
    // The first column of the first row, or null when there is no row.
    template<class... Degerler>
    VtDeger tekDeger(std::string_view sql, Degerler &&...degerler)
    {
        VtKomutu &k = sorgula(sql, std::forward<Degerler>(degerler)...);
        VtDeger sonuc = k.sonraki() ? k.deger(0) : VtDeger{};
        while (k.sonraki()) { }
        return sonuc;
    }

    // Runs govde in a transaction: committed when it returns, rolled back
    // when it throws (the exception goes on). Writers wait for each other.
    void islem(const std::function<void()> &govde);
    bool islemde() const { return islemDerinligi_ > 0; }

    virtual std::unique_ptr<VtTopluYazici> topluYazici(std::string_view tablo,
                                                      const std::vector<std::string> &kolonlar)
            = 0;
    // Runs govde in one transaction made for filling a new database with many
    // rows: the indexes that no constraint needs are dropped first and made
    // again at the end, unless govde made them (one sort each instead of a
    // tree update per row), and
    // the store is set for one large write meanwhile. SQLite does not check
    // references between tables during the load: the loader writes them
    // right. All or nothing, like islem(); not inside another transaction.
    void topluYukle(const std::function<void()> &govde);
    // After rows were inserted with explicit keys: moves every generated-key
    // counter past the largest key in use (PostgreSQL; SQLite needs nothing).
    virtual void kimlikSayaclariniDuzelt() { }
    // False when the connection is broken and must not be used again.
    virtual bool saglam() const { return true; }

protected:
    virtual std::unique_ptr<VtKomutu> hazirla(std::string_view sql) = 0;
    virtual void islemBaslat() = 0;
    // The indexes of the current schema that no constraint needs.
    virtual std::vector<VtIndeks> ikincilIndeksler() = 0;
    // Store settings for a bulk load (outside a transaction): on, and back.
    virtual void topluYuklemeAyari(bool /*acik*/) { }

private:
    std::unordered_map<std::string, std::unique_ptr<VtKomutu>> komutlar_;
    int islemDerinligi_ = 0;
};

// Opens a connection: a postgresql:// (or postgres://) URL, otherwise the path
// of an SQLite file (created when missing).
std::unique_ptr<Veritabani> veritabaniAc(const QString &adres);
bool postgresAdresiMi(const QString &adres);

// Connections shared by the server's request threads. A request borrows one
// for its whole duration and gives it back; broken ones are dropped and a new
// one is opened on the next demand.
class VtHavuzu
{
public:
    VtHavuzu(QString adres, int enFazla);
    ~VtHavuzu();
    VtHavuzu(const VtHavuzu &) = delete;
    VtHavuzu &operator=(const VtHavuzu &) = delete;

    class Odunc
    {
    public:
        Odunc(VtHavuzu &havuz, std::unique_ptr<Veritabani> vt);
        ~Odunc();
        Odunc(Odunc &&) noexcept = default;
        Veritabani &operator*() const { return *vt_; }
        Veritabani *operator->() const { return vt_.get(); }

    private:
        VtHavuzu *havuz_;
        std::unique_ptr<Veritabani> vt_;
    };

    // Waits while all connections are lent out.
    Odunc al();
    const QString &adres() const { return adres_; }

private:
    void geriVer(std::unique_ptr<Veritabani> vt);

    QString adres_;
    int enFazla_;
    int acik_ = 0;
    std::vector<std::unique_ptr<Veritabani>> bosta_;
    std::mutex kilit_;
    std::condition_variable bekleyen_;
};

// Reading helpers that tolerate null (0, 0.0 or empty).
qint64 vtTamsayi(const VtDeger &d);
double vtOndalik(const VtDeger &d);
QString vtMetin(const VtDeger &d);
