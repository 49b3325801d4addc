// SQLite driver of the data-access layer.
#include <string>

#include <sqlite3.h>

#include "sunucu/vtsuruculeri.h"

namespace {

[[noreturn]] void hataVer(sqlite3 *db, const char *ne)
{
    throw VtHatasi(std::string(ne) + ": " + sqlite3_errmsg(db));
}

VtTuru turuCoz(const char *bildirilen, int dinamik)
{
    if (bildirilen) {
        const QByteArray t = QByteArray(bildirilen).toUpper();
        if (t.contains("INT"))
            return VtTuru::Tamsayi;
        if (t.contains("TIMESTAMP") || t.contains("DATETIME"))
            return VtTuru::TarihSaat;
        if (t == "DATE")
            return VtTuru::Tarih;
        if (t.contains("REAL") || t.contains("DOUB") || t.contains("FLOA")
            || t.contains("NUMERIC"))
            return VtTuru::Ondalik;
        if (t.contains("BLOB"))
            return VtTuru::Ikili;
        if (t.contains("CHAR") || t.contains("TEXT") || t.contains("CLOB"))
            return VtTuru::Metin;
    }
    // An expression: go by the value of the current row.
    switch (dinamik) {
    case SQLITE_INTEGER:
        return VtTuru::Tamsayi;
    case SQLITE_FLOAT:
        return VtTuru::Ondalik;
    case SQLITE_BLOB:
        return VtTuru::Ikili;
    case SQLITE_TEXT:
        return VtTuru::Metin;
    default:
        return VtTuru::Bilinmiyor;
    }
}

class SqliteKomutu final : public VtKomutu
{
public:
    SqliteKomutu(sqlite3 *db, std::string_view sql)
        : db_(db)
    {
        const char *kalan = nullptr;
        if (sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &st_, &kalan)
            != SQLITE_OK)
            hataVer(db, "sorgu hazırlanamadı");
        kolonSayisi_ = sqlite3_column_count(st_);
    }
    ~SqliteKomutu() override { sqlite3_finalize(st_); }

    void calistir(const std::vector<VtDeger> &parametreler) override
    {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
        if (static_cast<int>(parametreler.size()) != sqlite3_bind_parameter_count(st_))
            throw VtHatasi("parametre sayısı uyuşmuyor");
        for (int i = 0; i < static_cast<int>(parametreler.size()); ++i) {
            const VtDeger &d = parametreler[static_cast<size_t>(i)];
            int sonuc = SQLITE_OK;
            if (const auto *t = std::get_if<qint64>(&d)) {
                sonuc = sqlite3_bind_int64(st_, i + 1, *t);
            } else if (const auto *o = std::get_if<double>(&d)) {
                sonuc = sqlite3_bind_double(st_, i + 1, *o);
            } else if (const auto *m = std::get_if<QString>(&d)) {
                const QByteArray u = m->toUtf8();
                sonuc = sqlite3_bind_text(st_, i + 1, u.constData(), static_cast<int>(u.size()),
                                          SQLITE_TRANSIENT);
            } else if (const auto *b = std::get_if<QByteArray>(&d)) {
                sonuc = sqlite3_bind_blob(st_, i + 1, b->constData(), static_cast<int>(b->size()),
                                          SQLITE_TRANSIENT);
            } else {
                sonuc = sqlite3_bind_null(st_, i + 1);
            }
            if (sonuc != SQLITE_OK)
                hataVer(db_, "parametre bağlanamadı");
        }
        bekleyenAdim_ = true;
        satirVar_ = adim();
        degisen_ = kolonSayisi_ == 0 || sqlite3_stmt_readonly(st_) == 0 ? sqlite3_changes64(db_) : 0;
    }

    bool sonraki() override
    {
        if (bekleyenAdim_) {
            bekleyenAdim_ = false;
            return satirVar_;
        }
        if (!satirVar_)
            return false;
        satirVar_ = adim();
        return satirVar_;
    }

    int kolonSayisi() const override { return kolonSayisi_; }
    QString kolonAdi(int kolon) const override
    {
        return QString::fromUtf8(sqlite3_column_name(st_, kolon));
    }
    VtTuru kolonTuru(int kolon) const override
    {
        return turuCoz(sqlite3_column_decltype(st_, kolon), sqlite3_column_type(st_, kolon));
    }
    bool bosMu(int kolon) const override
    {
        return sqlite3_column_type(st_, kolon) == SQLITE_NULL;
    }
    qint64 tamsayi(int kolon) const override { return sqlite3_column_int64(st_, kolon); }
    double ondalik(int kolon) const override { return sqlite3_column_double(st_, kolon); }
    QString metin(int kolon) const override
    {
        const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(st_, kolon));
        return QString::fromUtf8(t, sqlite3_column_bytes(st_, kolon));
    }
    QByteArray ikili(int kolon) const override
    {
        const void *b = sqlite3_column_blob(st_, kolon);
        return QByteArray(static_cast<const char *>(b), sqlite3_column_bytes(st_, kolon));
    }
    qint64 degisenSatir() const override { return degisen_; }

private:
    bool adim()
    {
        const int sonuc = sqlite3_step(st_);
        if (sonuc == SQLITE_ROW)
            return true;
        if (sonuc == SQLITE_DONE)
            return false;
        const std::string ileti = sqlite3_errmsg(db_);
        sqlite3_reset(st_);
        throw VtHatasi("sorgu çalışmadı: " + ileti);
    }

    sqlite3 *db_;
    sqlite3_stmt *st_ = nullptr;
    int kolonSayisi_ = 0;
    bool satirVar_ = false;
    bool bekleyenAdim_ = false;
    qint64 degisen_ = 0;
};

class SqliteTopluYazici final : public VtTopluYazici
{
public:
    SqliteTopluYazici(sqlite3 *db, std::string_view tablo, const std::vector<std::string> &kolonlar)
    {
        std::string sql = "INSERT INTO " + std::string(tablo) + " (";
        std::string yerler;
        for (size_t i = 0; i < kolonlar.size(); ++i) {
            sql += (i ? "," : "") + kolonlar[i];
            yerler += i ? ",?" : "?";
        }
        sql += ") VALUES (" + yerler + ")";
        komut_ = std::make_unique<SqliteKomutu>(db, sql);
    }
    void ekle(const std::vector<VtDeger> &satir) override { komut_->calistir(satir); }
    void bitir() override { }

private:
    std::unique_ptr<SqliteKomutu> komut_;
};

class SqliteVeritabani final : public Veritabani
{
public:
    explicit SqliteVeritabani(const QString &dosya)
    {
        const QByteArray yol = dosya.toUtf8();
        const int bayraklar = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
        if (sqlite3_open_v2(yol.constData(), &db_, bayraklar, nullptr) != SQLITE_OK) {
            const std::string ileti = db_ ? sqlite3_errmsg(db_) : "bellek yetersiz";
            sqlite3_close(db_);
            db_ = nullptr;
            throw VtHatasi("SQLite dosyası açılamadı (" + yol.toStdString() + "): " + ileti);
        }
        sqlite3_extended_result_codes(db_, 1);
        // Writers queue behind each other instead of failing at once.
        sqlite3_busy_timeout(db_, 10000);
        yurut("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
    }
    // The base class finalises the statements after this runs; _v2 keeps
    // the connection alive until the last one is gone.
    ~SqliteVeritabani() override { sqlite3_close_v2(db_); }

    VtLehce lehce() const override { return VtLehce::Sqlite; }

    void yurut(std::string_view sql) override
    {
        char *hata = nullptr;
        const std::string metin(sql);
        if (sqlite3_exec(db_, metin.c_str(), nullptr, nullptr, &hata) != SQLITE_OK) {
            const std::string ileti = hata ? hata : sqlite3_errmsg(db_);
            sqlite3_free(hata);
            throw VtHatasi("SQL çalışmadı: " + ileti);
        }
    }

    std::unique_ptr<VtTopluYazici> topluYazici(std::string_view tablo,
                                              const std::vector<std::string> &kolonlar) override
    {
        return std::make_unique<SqliteTopluYazici>(db_, tablo, kolonlar);
    }

protected:
    std::unique_ptr<VtKomutu> hazirla(std::string_view sql) override
    {
        return std::make_unique<SqliteKomutu>(db_, sql);
    }
    // IMMEDIATE takes the write lock up front: two transactions that read
    // and then write cannot deadlock each other.
    void islemBaslat() override { yurut("BEGIN IMMEDIATE"); }

private:
    sqlite3 *db_ = nullptr;
};

} // namespace

std::unique_ptr<Veritabani> sqliteAc(const QString &dosya)
{
    return std::make_unique<SqliteVeritabani>(dosya);
}
