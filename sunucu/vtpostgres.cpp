// PostgreSQL driver of the data-access layer (libpq).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <libpq-fe.h>

#include "sunucu/vtsuruculeri.h"

namespace {

// Catalogue type numbers (pg_type.oid) of the columns we read.
enum : Oid {
    BoolOid = 16,
    ByteaOid = 17,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    Float4Oid = 700,
    Float8Oid = 701,
    DateOid = 1082,
    TimestampOid = 1114,
    TimestamptzOid = 1184,
    NumericOid = 1700,
};

VtTuru turuCoz(Oid tur)
{
    switch (tur) {
    case BoolOid:
    case Int8Oid:
    case Int2Oid:
    case Int4Oid:
        return VtTuru::Tamsayi;
    case Float4Oid:
    case Float8Oid:
    case NumericOid:
        return VtTuru::Ondalik;
    case DateOid:
        return VtTuru::Tarih;
    case TimestampOid:
    case TimestamptzOid:
        return VtTuru::TarihSaat;
    case ByteaOid:
        return VtTuru::Ikili;
    default:
        return VtTuru::Metin;
    }
}

// "?" placeholders become $1, $2, ...; quoted text is left alone.
std::string yerTutuculariNumarala(std::string_view sql, int &sayi)
{
    std::string sonuc;
    sonuc.reserve(sql.size() + 16);
    bool tirnakta = false;
    sayi = 0;
    for (const char c : sql) {
        if (c == '\'')
            tirnakta = !tirnakta;
        if (c == '?' && !tirnakta)
            sonuc += '$' + std::to_string(++sayi);
        else
            sonuc += c;
    }
    return sonuc;
}

struct SonucSilici
{
    void operator()(PGresult *r) const { PQclear(r); }
};
using Sonuc = std::unique_ptr<PGresult, SonucSilici>;

class PostgresTopluYazici;

// The connection, its open bulk writers (in the order they were opened) and
// the one whose COPY is open, if any. While a COPY is open the connection
// takes nothing else, so whoever needs it ends that COPY first; the writer
// sends its later rows in a COPY of its own.
struct PgBaglantisi
{
    PGconn *pg = nullptr;
    std::vector<PostgresTopluYazici *> yazicilar;
    PostgresTopluYazici *kopyalayan = nullptr;

    void kopyayiKapat();
};

class PostgresKomutu final : public VtKomutu
{
public:
    PostgresKomutu(PgBaglantisi &baglanti, std::string ad, int parametreSayisi)
        : baglanti_(baglanti)
        , ad_(std::move(ad))
        , parametreSayisi_(parametreSayisi)
    {
    }

    void calistir(const std::vector<VtDeger> &parametreler) override
    {
        if (static_cast<int>(parametreler.size()) != parametreSayisi_)
            throw VtHatasi("parametre sayısı uyuşmuyor");
        std::vector<std::string> metinler(parametreler.size());
        std::vector<const char *> degerler(parametreler.size());
        std::vector<int> uzunluklar(parametreler.size());
        std::vector<int> bicimler(parametreler.size());
        for (size_t i = 0; i < parametreler.size(); ++i) {
            const VtDeger &d = parametreler[i];
            if (std::holds_alternative<std::monostate>(d)) {
                degerler[i] = nullptr;
                continue;
            }
            if (const auto *b = std::get_if<QByteArray>(&d)) {
                metinler[i].assign(b->constData(), static_cast<size_t>(b->size()));
                bicimler[i] = 1; // binary: bytes as they are
            } else if (const auto *t = std::get_if<qint64>(&d)) {
                metinler[i] = std::to_string(*t);
            } else if (const auto *o = std::get_if<double>(&d)) {
                char tampon[32];
                std::snprintf(tampon, sizeof tampon, "%.17g", *o);
                metinler[i] = tampon;
            } else {
                metinler[i] = std::get<QString>(d).toStdString();
            }
            degerler[i] = metinler[i].data();
            uzunluklar[i] = static_cast<int>(metinler[i].size());
        }
        baglanti_.kopyayiKapat();
        sonuc_.reset(PQexecPrepared(baglanti_.pg, ad_.c_str(), parametreSayisi_, degerler.data(),
                                    uzunluklar.data(), bicimler.data(), 0));
        const ExecStatusType durum = PQresultStatus(sonuc_.get());
        if (durum != PGRES_TUPLES_OK && durum != PGRES_COMMAND_OK) {
            const std::string ileti = PQresultErrorMessage(sonuc_.get());
            sonuc_.reset();
            throw VtHatasi("sorgu çalışmadı: " + ileti);
        }
        satir_ = -1;
        satirSayisi_ = PQntuples(sonuc_.get());
    }

    bool sonraki() override
    {
        if (!sonuc_ || satir_ + 1 >= satirSayisi_)
            return false;
        ++satir_;
        return true;
    }
    int kolonSayisi() const override { return sonuc_ ? PQnfields(sonuc_.get()) : 0; }
    QString kolonAdi(int kolon) const override
    {
        return QString::fromUtf8(PQfname(sonuc_.get(), kolon));
    }
    VtTuru kolonTuru(int kolon) const override { return turuCoz(PQftype(sonuc_.get(), kolon)); }
    bool bosMu(int kolon) const override { return PQgetisnull(sonuc_.get(), satir_, kolon); }
    qint64 tamsayi(int kolon) const override
    {
        const char *m = PQgetvalue(sonuc_.get(), satir_, kolon);
        if (m[0] == 't')
            return 1;
        if (m[0] == 'f')
            return 0;
        return std::strtoll(m, nullptr, 10);
    }
    double ondalik(int kolon) const override
    {
        return std::strtod(PQgetvalue(sonuc_.get(), satir_, kolon), nullptr);
    }
    QString metin(int kolon) const override
    {
        return QString::fromUtf8(PQgetvalue(sonuc_.get(), satir_, kolon),
                                 PQgetlength(sonuc_.get(), satir_, kolon));
    }
    QByteArray ikili(int kolon) const override
    {
        const char *m = PQgetvalue(sonuc_.get(), satir_, kolon);
        const int n = PQgetlength(sonuc_.get(), satir_, kolon);
        if (PQftype(sonuc_.get(), kolon) != ByteaOid || n < 2 || m[0] != '\\' || m[1] != 'x')
            return QByteArray(m, n);
        return QByteArray::fromHex(QByteArray::fromRawData(m + 2, n - 2));
    }
    qint64 degisenSatir() const override
    {
        return sonuc_ ? std::strtoll(PQcmdTuples(sonuc_.get()), nullptr, 10) : 0;
    }

private:
    PgBaglantisi &baglanti_;
    std::string ad_;
    int parametreSayisi_;
    Sonuc sonuc_;
    int satir_ = -1;
    int satirSayisi_ = 0;
};

class PostgresTopluYazici final : public VtTopluYazici
{
public:
    PostgresTopluYazici(PgBaglantisi &baglanti, std::string_view tablo,
                        const std::vector<std::string> &kolonlar)
        : baglanti_(baglanti)
    {
        komut_ = "COPY " + std::string(tablo) + " (";
        for (size_t i = 0; i < kolonlar.size(); ++i)
            komut_ += (i ? "," : "") + kolonlar[i];
        komut_ += ") FROM STDIN";
        baglanti_.yazicilar.push_back(this);
    }
    ~PostgresTopluYazici() override
    {
        birak();
        if (baglanti_.kopyalayan == this) {
            // Abandoned half-way (an exception): end the COPY with an error so
            // the connection can roll the transaction back.
            baglanti_.kopyalayan = nullptr;
            PQputCopyEnd(baglanti_.pg, "vazgeçildi");
            while (Sonuc(PQgetResult(baglanti_.pg))) { }
        }
    }

    void ekle(const std::vector<VtDeger> &satir) override
    {
        for (size_t i = 0; i < satir.size(); ++i) {
            if (i)
                tampon_ += '\t';
            metinEkle(satir[i]);
        }
        tampon_ += '\n';
        if (tampon_.size() > (1 << 20))
            gonder();
    }

    void bitir() override
    {
        gonder();
        if (baglanti_.kopyalayan == this)
            baglanti_.kopyayiKapat();
        birak();
    }

    // Ends this writer's COPY; rows added later go in a new one.
    void kapat()
    {
        baglanti_.kopyalayan = nullptr;
        if (PQputCopyEnd(baglanti_.pg, nullptr) != 1)
            throw VtHatasi(std::string("COPY bitmedi: ") + PQerrorMessage(baglanti_.pg));
        Sonuc r(PQgetResult(baglanti_.pg));
        const bool tamam = PQresultStatus(r.get()) == PGRES_COMMAND_OK;
        const std::string ileti = PQresultErrorMessage(r.get());
        while (Sonuc(PQgetResult(baglanti_.pg))) { }
        if (!tamam)
            throw VtHatasi("COPY başarısız: " + ileti);
    }

private:
    void metinEkle(const VtDeger &d)
    {
        if (std::holds_alternative<std::monostate>(d)) {
            tampon_ += "\\N";
        } else if (const auto *t = std::get_if<qint64>(&d)) {
            tampon_ += std::to_string(*t);
        } else if (const auto *o = std::get_if<double>(&d)) {
            char s[32];
            std::snprintf(s, sizeof s, "%.17g", *o);
            tampon_ += s;
        } else if (const auto *b = std::get_if<QByteArray>(&d)) {
            tampon_ += "\\\\x";
            tampon_ += b->toHex().toStdString();
        } else {
            for (const char c : std::get<QString>(d).toStdString()) {
                switch (c) {
                case '\\':
                    tampon_ += "\\\\";
                    break;
                case '\t':
                    tampon_ += "\\t";
                    break;
                case '\n':
                    tampon_ += "\\n";
                    break;
                case '\r':
                    tampon_ += "\\r";
                    break;
                default:
                    tampon_ += c;
                }
            }
        }
    }

    // Rows go in the order they were added: before this writer sends its
    // own, every writer opened before it sends what it holds, since a row
    // may refer to one added earlier to another table (an item before its
    // barcodes).
    void gonder()
    {
        for (PostgresTopluYazici *y : baglanti_.yazicilar) {
            if (y == this)
                break;
            y->kendiniGonder();
        }
        kendiniGonder();
    }

    void kendiniGonder()
    {
        if (tampon_.empty())
            return;
        if (baglanti_.kopyalayan != this) {
            baglanti_.kopyayiKapat();
            Sonuc r(PQexec(baglanti_.pg, komut_.c_str()));
            if (PQresultStatus(r.get()) != PGRES_COPY_IN)
                throw VtHatasi(std::string("COPY başlamadı: ") + PQerrorMessage(baglanti_.pg));
            baglanti_.kopyalayan = this;
        }
        if (PQputCopyData(baglanti_.pg, tampon_.data(), static_cast<int>(tampon_.size())) != 1)
            throw VtHatasi(std::string("COPY verisi gönderilemedi: ") +
                           PQerrorMessage(baglanti_.pg));
        tampon_.clear();
    }

    void birak()
    {
        auto &y = baglanti_.yazicilar;
        y.erase(std::remove(y.begin(), y.end(), this), y.end());
    }

    PgBaglantisi &baglanti_;
    std::string komut_;
    std::string tampon_;
};

void PgBaglantisi::kopyayiKapat()
{
    if (kopyalayan)
        kopyalayan->kapat();
}

class PostgresVeritabani final : public Veritabani
{
public:
    explicit PostgresVeritabani(const QString &adres)
    {
        baglanti_.pg = PQconnectdb(adres.toStdString().c_str());
        if (PQstatus(baglanti_.pg) != CONNECTION_OK) {
            const std::string ileti = PQerrorMessage(baglanti_.pg);
            PQfinish(baglanti_.pg);
            throw VtHatasi("PostgreSQL bağlantısı kurulamadı: " + ileti);
        }
        PQsetClientEncoding(baglanti_.pg, "UTF8");
        yurut("SET datestyle = ISO, YMD; SET client_min_messages = WARNING");
    }
    ~PostgresVeritabani() override { PQfinish(baglanti_.pg); }

    VtLehce lehce() const override { return VtLehce::Postgres; }

    void yurut(std::string_view sql) override
    {
        baglanti_.kopyayiKapat();
        Sonuc r(PQexec(baglanti_.pg, std::string(sql).c_str()));
        const ExecStatusType durum = PQresultStatus(r.get());
        if (durum != PGRES_COMMAND_OK && durum != PGRES_TUPLES_OK)
            throw VtHatasi(std::string("SQL çalışmadı: ") + PQresultErrorMessage(r.get()));
    }

    std::unique_ptr<VtTopluYazici> topluYazici(std::string_view tablo,
                                              const std::vector<std::string> &kolonlar) override
    {
        return std::make_unique<PostgresTopluYazici>(baglanti_, tablo, kolonlar);
    }

    void kimlikSayaclariniDuzelt() override
    {
        std::vector<std::pair<std::string, std::string>> kimlikler;
        VtKomutu &k = sorgula("SELECT table_name, column_name FROM information_schema.columns "
                              "WHERE table_schema = current_schema() AND is_identity = 'YES'");
        while (k.sonraki())
            kimlikler.emplace_back(k.metin(0).toStdString(), k.metin(1).toStdString());
        for (const auto &[tablo, kolon] : kimlikler)
            yurut("SELECT setval(pg_get_serial_sequence('" + tablo + "', '" + kolon
                  + "'), COALESCE(MAX(" + kolon + "), 0) + 1, false) FROM " + tablo);
    }

    bool saglam() const override { return PQstatus(baglanti_.pg) == CONNECTION_OK; }

protected:
    std::unique_ptr<VtKomutu> hazirla(std::string_view sql) override
    {
        baglanti_.kopyayiKapat();
        int sayi = 0;
        const std::string metin = yerTutuculariNumarala(sql, sayi);
        const std::string ad = "k" + std::to_string(++komutNo_);
        Sonuc r(PQprepare(baglanti_.pg, ad.c_str(), metin.c_str(), sayi, nullptr));
        if (PQresultStatus(r.get()) != PGRES_COMMAND_OK)
            throw VtHatasi(std::string("sorgu hazırlanamadı: ") + PQresultErrorMessage(r.get()));
        return std::make_unique<PostgresKomutu>(baglanti_, ad, sayi);
    }
    void islemBaslat() override { yurut("BEGIN"); }

    std::vector<VtIndeks> ikincilIndeksler() override
    {
        // Every index of the schema that no constraint (key, unique,
        // reference) stands on.
        std::vector<VtIndeks> indeksler;
        VtKomutu &k =
            sorgula("SELECT format('%I.%I', n.nspname, c.relname), pg_get_indexdef(c.oid) "
                    "FROM pg_index x JOIN pg_class c ON c.oid = x.indexrelid "
                    "JOIN pg_namespace n ON n.oid = c.relnamespace "
                    "WHERE n.nspname = current_schema() AND NOT EXISTS "
                    "(SELECT 1 FROM pg_constraint k WHERE k.conindid = x.indexrelid) "
                    "ORDER BY 1");
        while (k.sonraki())
            indeksler.push_back({k.metin(0).toStdString(), k.metin(1).toStdString()});
        return indeksler;
    }

    // More memory for the indexes made at the end of a bulk load.
    void topluYuklemeAyari(bool acik) override
    {
        yurut(acik ? "SET maintenance_work_mem = '256MB'" : "RESET maintenance_work_mem");
    }

private:
    PgBaglantisi baglanti_;
    int komutNo_ = 0;
};

} // namespace

std::unique_ptr<Veritabani> postgresAc(const QString &adres)
{
    return std::make_unique<PostgresVeritabani>(adres);
}
