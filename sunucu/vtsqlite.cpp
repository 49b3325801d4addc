// SQLite driver of the data-access layer.
#include <string>

#include <sqlite3.h>

#include <QStringEncoder>

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

// Binds one value to parameter no (from 1). Text and bytes are copied by
// SQLite unless kalici says they stay put until the statement has run.
int degerBagla(sqlite3_stmt *st, int no, const VtDeger &d, bool kalici = false)
{
    const auto omur = kalici ? SQLITE_STATIC : SQLITE_TRANSIENT;
    if (const auto *t = std::get_if<qint64>(&d))
        return sqlite3_bind_int64(st, no, *t);
    if (const auto *o = std::get_if<double>(&d))
        return sqlite3_bind_double(st, no, *o);
    if (const auto *b = std::get_if<QByteArray>(&d))
        return sqlite3_bind_blob(st, no, b->constData(), static_cast<int>(b->size()), omur);
    if (std::holds_alternative<QString>(d))
        return SQLITE_MISUSE; // the caller converts text, it owns the bytes
    return sqlite3_bind_null(st, no);
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
            if (const auto *m = std::get_if<QString>(&d)) {
                const QByteArray u = m->toUtf8();
                sonuc = sqlite3_bind_text(st_, i + 1, u.constData(), static_cast<int>(u.size()),
                                          SQLITE_TRANSIENT);
            } else {
                sonuc = degerBagla(st_, i + 1, d);
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

// Each row is inserted as it comes, so rows reach the tables in the order
// they were added and references between them hold at every moment.
class SqliteTopluYazici final : public VtTopluYazici
{
public:
    SqliteTopluYazici(sqlite3 *db, std::string_view tablo, const std::vector<std::string> &kolonlar)
        : db_(db)
    {
        std::string sql = "INSERT INTO " + std::string(tablo) + " (";
        std::string yerler;
        for (size_t i = 0; i < kolonlar.size(); ++i) {
            sql += (i ? "," : "") + kolonlar[i];
            yerler += i ? ",?" : "?";
        }
        sql += ") VALUES (" + yerler + ")";
        if (sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &st_, nullptr) != SQLITE_OK)
            hataVer(db_, "sorgu hazırlanamadı");
        kolonSayisi_ = kolonlar.size();
    }
    ~SqliteTopluYazici() override { sqlite3_finalize(st_); }

    void ekle(const std::vector<VtDeger> &satir) override
    {
        if (satir.size() != kolonSayisi_)
            throw VtHatasi("kolon sayısı uyuşmuyor");
        // Text is written as UTF-8 into one buffer that stays put until the
        // step, so SQLite need not copy it. Never empty: a null pointer
        // would bind NULL instead of empty text.
        size_t gerekli = 1;
        for (const VtDeger &d : satir) {
            if (const auto *m = std::get_if<QString>(&d))
                gerekli += static_cast<size_t>(utf8_.requiredSpace(m->size()));
        }
        if (metin_.size() < gerekli)
            metin_.resize(gerekli);
        char *son = metin_.data();
        for (size_t i = 0; i < satir.size(); ++i) {
            const int no = static_cast<int>(i) + 1;
            int sonuc = SQLITE_OK;
            if (const auto *m = std::get_if<QString>(&satir[i])) {
                char *metin = son;
                son = utf8_.appendToBuffer(son, *m);
                sonuc =
                    sqlite3_bind_text(st_, no, metin, static_cast<int>(son - metin), SQLITE_STATIC);
            } else {
                sonuc = degerBagla(st_, no, satir[i], true);
            }
            if (sonuc != SQLITE_OK)
                hataVer(db_, "parametre bağlanamadı");
        }
        const int sonuc = sqlite3_step(st_);
        sqlite3_reset(st_);
        if (sonuc != SQLITE_DONE)
            hataVer(db_, "satır yazılamadı");
    }
    void bitir() override { }

private:
    sqlite3 *db_;
    sqlite3_stmt *st_ = nullptr;
    size_t kolonSayisi_ = 0;
    std::vector<char> metin_;
    QStringEncoder utf8_ {QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
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
        // Reads straight from the file's pages in the page cache, which every
        // connection of the pool shares, instead of copying them into each
        // connection's own cache.
        yurut("PRAGMA mmap_size=4294967296;");
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

    std::vector<VtIndeks> ikincilIndeksler() override
    {
        // Indexes made by CREATE INDEX have their text here; those behind a
        // PRIMARY KEY or UNIQUE constraint have none.
        std::vector<VtIndeks> indeksler;
        VtKomutu &k =
            sorgula("SELECT '\"' || replace(name, '\"', '\"\"') || '\"', sql FROM sqlite_master "
                    "WHERE type = 'index' AND sql IS NOT NULL ORDER BY name");
        while (k.sonraki())
            indeksler.push_back({k.metin(0).toStdString(), k.metin(1).toStdString()});
        return indeksler;
    }

    // For a bulk load into a new database: the rollback journal instead of
    // the WAL, so that pages past the old end of the file are written once
    // and never journalled; no sync until the load is over; a page cache
    // large enough for the trees being filled; memory for temporary data;
    // sorter threads for the indexes made at the end. References between
    // tables are not checked meanwhile (a third of the time of a load): the
    // loader writes them right, and its tests check. Back to the serving
    // settings afterwards. Another connection on the file keeps it in WAL
    // mode, which is slower but as safe.
    void topluYuklemeAyari(bool acik) override
    {
        if (acik) {
            std::string onceki;
            for (const char *ayar : {"journal_mode", "synchronous", "cache_size", "temp_store",
                                     "threads", "foreign_keys"}) {
                onceki += std::string("PRAGMA ") + ayar + "=" +
                    vtMetin(tekDeger(std::string("PRAGMA ") + ayar)).toStdString() + ";";
            }
            oncekiAyarlar_ = onceki;
            try {
                yurut("PRAGMA journal_mode=DELETE");
            } catch (const VtHatasi &) {
                // Another connection has the file open: it stays in WAL mode.
            }
            yurut("PRAGMA synchronous=OFF; PRAGMA cache_size=-262144; PRAGMA temp_store=MEMORY; "
                  "PRAGMA threads=2; PRAGMA foreign_keys=OFF;");
        } else if (!oncekiAyarlar_.empty()) {
            yurut(oncekiAyarlar_);
            oncekiAyarlar_.clear();
        }
    }

private:
    sqlite3 *db_ = nullptr;
    std::string oncekiAyarlar_;
};

} // namespace

std::unique_ptr<Veritabani> sqliteAc(const QString &dosya)
{
    // SQLite's memory statistics take a lock of the whole process on every
    // allocation; nothing here reads them. This must come before SQLite
    // starts, so it is done before the first connection.
    static const int istatistiksiz = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)istatistiksiz;
    return std::make_unique<SqliteVeritabani>(dosya);
}
