#include "sunucu/katalog.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/utils/bicim.h"
#include "sunucu/dagitici.h"
#include "sunucu/tabloyapici.h"

using namespace Qt::StringLiterals;

namespace {

QChar katla(QChar c)
{
    switch (c.unicode()) {
    case u'ç':
    case u'Ç':
        return u'C';
    case u'ğ':
    case u'Ğ':
        return u'G';
    case u'ı':
    case u'İ':
    case u'i':
    case u'î':
    case u'Î':
        return u'I';
    case u'ö':
    case u'Ö':
        return u'O';
    case u'ş':
    case u'Ş':
        return u'S';
    case u'ü':
    case u'Ü':
    case u'û':
    case u'Û':
        return u'U';
    case u'â':
    case u'Â':
        return u'A';
    default:
        return c.toUpper();
    }
}

// Upper bound of a prefix range: every text that begins with onek sorts
// below it (keys and words are compared byte by byte).
QString onekSonu(const QString &onek)
{
    return onek + QChar(0xFFFF);
}

// The search words worth a range scan: one-letter words only when there is
// nothing longer (a lone "0" of "0 986 494 104" would match half the
// catalogue), at most six, the longest first.
QStringList taranacakKelimeler(QStringList kelimeler)
{
    const bool uzunVar = std::any_of(kelimeler.cbegin(), kelimeler.cend(),
                                     [](const QString &k) { return k.size() > 1; });
    if (uzunVar)
        kelimeler.removeIf([](const QString &k) { return k.size() < 2; });
    std::stable_sort(kelimeler.begin(), kelimeler.end(),
                     [](const QString &a, const QString &b) { return a.size() > b.size(); });
    if (kelimeler.size() > 6)
        kelimeler.resize(6);
    return kelimeler;
}

} // namespace

QString aramaKatla(QStringView metin)
{
    QString s(metin.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < metin.size(); ++i)
        s[i] = katla(metin[i]);
    return s;
}

QString kodAnahtari(QStringView metin)
{
    QString s;
    s.reserve(metin.size());
    for (const QChar c : metin) {
        const QChar k = katla(c);
        if (k.isLetterOrNumber())
            s += k;
    }
    return s;
}

QStringList aramaKelimeleri(QStringView metin)
{
    QStringList kelimeler;
    QString kelime;
    const auto bitir = [&] {
        if (!kelime.isEmpty() && !kelimeler.contains(kelime))
            kelimeler.append(kelime);
        kelime.clear();
    };
    for (const QChar c : metin) {
        const QChar k = katla(c);
        if (k.isLetterOrNumber())
            kelime += k;
        else
            bitir();
    }
    bitir();
    return kelimeler;
}

// --- the index ---

void katalogDiziniKur(Veritabani &vt)
{
    // Building the indexes sorts millions of keys: SQLite sorts in its page
    // cache, 256 MiB here instead of its 2 MiB, for this connection's build.
    const bool sqlite = vt.lehce() == VtLehce::Sqlite;
    if (sqlite)
        vt.yurut("PRAGMA cache_size = -262144");
    vt.islem([&] {
        // Loaded without its indexes, which are built once at the end.
        vt.yurut("DROP INDEX IF EXISTS stok_anahtarlari_anahtar;"
                 "DROP INDEX IF EXISTS stok_kelimeleri_kelime;"
                 "DELETE FROM stok_anahtarlari;"
                 "DELETE FROM stok_kelimeleri;");

        // Codes: the item's own, then its OEM numbers and barcodes, merged by
        // stock number. (The queries run before the bulk writer starts: a
        // PostgreSQL connection takes no query while it copies.)
        {
            VtKomutu &stok = vt.sorgula(
                    "SELECT stokno, finishkod, ureticikodu, oemno FROM stoklar ORDER BY stokno");
            VtKomutu &oem = vt.sorgula("SELECT stokno, oemno FROM stok_oemleri ORDER BY stokno, sira");
            VtKomutu &barkod =
                    vt.sorgula("SELECT stokno, barkod FROM barkodlar ORDER BY stokno, barkodno");
            auto yazici = vt.topluYazici("stok_anahtarlari", {"anahtar", "stokno"});
            bool oemVar = oem.sonraki();
            bool barkodVar = barkod.sonraki();
            QStringList anahtarlar;
            const auto ekle = [&anahtarlar](const QString &kod) {
                const QString a = kodAnahtari(kod);
                if (!a.isEmpty() && !anahtarlar.contains(a))
                    anahtarlar.append(a);
            };
            while (stok.sonraki()) {
                const qint64 no = stok.tamsayi(0);
                anahtarlar.clear();
                for (int k = 1; k <= 3; ++k)
                    ekle(stok.metin(k));
                while (oemVar && oem.tamsayi(0) < no)
                    oemVar = oem.sonraki();
                for (; oemVar && oem.tamsayi(0) == no; oemVar = oem.sonraki())
                    ekle(oem.metin(1));
                while (barkodVar && barkod.tamsayi(0) < no)
                    barkodVar = barkod.sonraki();
                for (; barkodVar && barkod.tamsayi(0) == no; barkodVar = barkod.sonraki())
                    ekle(barkod.metin(1));
                for (const QString &a : std::as_const(anahtarlar))
                    yazici->ekle({a, no});
            }
            while (oemVar)
                oemVar = oem.sonraki();
            while (barkodVar)
                barkodVar = barkod.sonraki();
            yazici->bitir();
        }
        // Description words.
        {
            VtKomutu &stok = vt.sorgula("SELECT stokno, adi FROM stoklar ORDER BY stokno");
            auto yazici = vt.topluYazici("stok_kelimeleri", {"kelime", "stokno"});
            while (stok.sonraki()) {
                const qint64 no = stok.tamsayi(0);
                for (const QString &k : aramaKelimeleri(stok.metin(1)))
                    yazici->ekle({k, no});
            }
            yazici->bitir();
        }
        vt.yurut("CREATE INDEX stok_anahtarlari_anahtar ON stok_anahtarlari(anahtar, stokno);"
                 "CREATE INDEX stok_kelimeleri_kelime ON stok_kelimeleri(kelime, stokno);");
    });
    if (sqlite)
        vt.yurut("PRAGMA cache_size = -2000");
    // The planners learn the new sizes (PostgreSQL's statistics, SQLite's sqlite_stat1).
    vt.yurut("ANALYZE stok_anahtarlari; ANALYZE stok_kelimeleri");
}

bool katalogDiziniEksik(Veritabani &vt)
{
    const bool katalogVar =
            !std::holds_alternative<std::monostate>(vt.tekDeger("SELECT stokno FROM stoklar LIMIT 1"));
    const bool dizinVar = !std::holds_alternative<std::monostate>(
            vt.tekDeger("SELECT stokno FROM stok_kelimeleri LIMIT 1"));
    return katalogVar && !dizinVar;
}

// --- search ---

bool personelKullanici(Veritabani &vt, int kullaniciNo)
{
    VtKomutu &k = vt.sorgula("SELECT k.musteri_tipi, c.carikod FROM kullanicilar k "
                             "JOIN cariler c ON c.carino = k.carino WHERE k.sirano = ?",
                             qint64(kullaniciNo));
    bool personel = false;
    if (k.sonraki()) {
        const qint64 tip = k.tamsayi(0);
        personel = tip == 1 || tip == 2 || k.metin(1).contains(u"BDM"_s, Qt::CaseSensitive);
    }
    while (k.sonraki()) { }
    return personel;
}

namespace {

// The columns of a stock row, in the order they travel.
TabloYapici stokYapici()
{
    return TabloYapici({
            {u"STOK_STOKNO"_s, DbxTipi::Int32},   {u"BARKOD"_s, DbxTipi::WideString},
            {u"FINISHKOD"_s, DbxTipi::WideString}, {u"OEM1"_s, DbxTipi::WideString},
            {u"OEM2"_s, DbxTipi::WideString},      {u"OEM3"_s, DbxTipi::WideString},
            {u"OEM4"_s, DbxTipi::WideString},      {u"ADI"_s, DbxTipi::WideString},
            {u"URETICIKODU"_s, DbxTipi::WideString}, {u"BARKOD_BARKODNO"_s, DbxTipi::Int32},
            {u"DIGERADI"_s, DbxTipi::WideString},  {u"DPKOD"_s, DbxTipi::WideString},
            {u"PKOD"_s, DbxTipi::WideString},      {u"OEMNO"_s, DbxTipi::WideString},
            {u"BIRIM"_s, DbxTipi::WideString},     {u"MARKA"_s, DbxTipi::WideString},
            {u"MODEL"_s, DbxTipi::WideString},     {u"ANAGRUP"_s, DbxTipi::WideString},
            {u"OZELKOD"_s, DbxTipi::WideString},   {u"KALAN"_s, DbxTipi::Double},
            {u"KDV"_s, DbxTipi::Int32},            {u"ALINANSIPARIS"_s, DbxTipi::Double},
            {u"VERILENSIPARIS"_s, DbxTipi::Double}, {u"LISTEFIYATI"_s, DbxTipi::Double},
            {u"MALIYET"_s, DbxTipi::WideString},   {u"FIYAT"_s, DbxTipi::Double},
            {u"Y"_s, DbxTipi::Int32},              {u"K"_s, DbxTipi::Int32},
            {u"INDIRIM"_s, DbxTipi::Double},       {u"NETFIYAT"_s, DbxTipi::Double},
            {u"KDVDAHIL"_s, DbxTipi::Double},      {u"DURUM"_s, DbxTipi::Int32},
    });
}

// Stock numbers come from the index in three groups; the rows of the chosen
// ones are read this many at a time.
constexpr int satirParcasi = 500;

// The sorted stock numbers whose description has a word beginning with kelime.
std::vector<qint64> kelimeEslesmeleri(Veritabani &vt, const QString &kelime)
{
    VtKomutu &k = vt.sorgula("SELECT stokno FROM stok_kelimeleri WHERE kelime >= ? AND kelime < ?",
                             kelime, onekSonu(kelime));
    std::vector<qint64> stoklar;
    while (k.sonraki())
        stoklar.push_back(k.tamsayi(0));
    std::sort(stoklar.begin(), stoklar.end());
    stoklar.erase(std::unique(stoklar.begin(), stoklar.end()), stoklar.end());
    return stoklar;
}

// Items whose description has every word: the lists intersected here, which
// is several times faster than a compound INTERSECT in the store.
std::vector<qint64> tumKelimeler(Veritabani &vt, const QStringList &kelimeler)
{
    std::vector<qint64> kesisim;
    for (qsizetype i = 0; i < kelimeler.size(); ++i) {
        std::vector<qint64> eslesen = kelimeEslesmeleri(vt, kelimeler[i]);
        if (i == 0) {
            kesisim = std::move(eslesen);
        } else {
            std::vector<qint64> ortak;
            std::set_intersection(kesisim.begin(), kesisim.end(), eslesen.begin(), eslesen.end(),
                                  std::back_inserter(ortak));
            kesisim = std::move(ortak);
        }
        if (kesisim.empty())
            break;
    }
    return kesisim;
}

std::vector<qint64> anahtarEslesmeleri(VtKomutu &k)
{
    std::vector<qint64> stoklar;
    while (k.sonraki())
        stoklar.push_back(k.tamsayi(0));
    std::sort(stoklar.begin(), stoklar.end());
    stoklar.erase(std::unique(stoklar.begin(), stoklar.end()), stoklar.end());
    return stoklar;
}

// The lists of one piece of items (satirParcasi stock numbers; a short piece
// is filled up with 0, which no item has). Each part of a row is read by one
// seek per item: the item, its OEM numbers, its barcodes.
std::string parcaSorgusu(std::string sql)
{
    sql += " IN (?";
    for (int i = 1; i < satirParcasi; ++i)
        sql += ",?";
    return sql + ")";
}

const std::string &stokSatirlariSorgusu()
{
    static const std::string sql = parcaSorgusu(
            "SELECT s.stokno, s.finishkod, s.adi, s.ureticikodu, s.digeradi, s.dpkod, s.pkod, s.oemno,"
            " s.birim, s.marka, s.model, s.anagrup, s.ozelkod, s.kalan, s.kdv,"
            " CASE WHEN ? = 1 THEN (SELECT SUM(kalan) FROM siparis_satirlari"
            "                       WHERE stokno = s.stokno AND kalan > 0) END,"
            " CASE WHEN ? = 1 THEN (SELECT SUM(miktar - gelen) FROM tedarikci_siparisleri"
            "                       WHERE stokno = s.stokno AND miktar > gelen) END,"
            " s.fiyat, s.maliyet, s.maliyet_doviz, s.yeni, s.kampanya, s.kampanya_fiyati,"
            " ci.oran, s.durum"
            " FROM stoklar s"
            " LEFT JOIN cari_indirimleri ci ON ci.carino = ? AND ci.uretici = s.uretici"
            " WHERE s.aktif = 1 AND s.stokno");
    return sql;
}

const std::string &oemSorgusu()
{
    static const std::string sql =
            parcaSorgusu("SELECT stokno, sira, oemno FROM stok_oemleri WHERE sira <= 4 AND stokno");
    return sql;
}

const std::string &barkodSorgusu()
{
    static const std::string sql = parcaSorgusu("SELECT stokno, barkodno, barkod FROM barkodlar WHERE stokno");
    return sql;
}

constexpr int stokSatiriKolonu = 25;

} // namespace

BellekTablo stokAra(Veritabani &vt, const QString &metin, const TSonucBilgisi &bilgi)
{
    const QString aranan = metin.trimmed();
    const QString anahtar = kodAnahtari(aranan);
    if (aranan.size() < stokAramaEnAzHarf || anahtar.isEmpty())
        return stokYapici().bitir();

    const VtDeger cariIndirimi =
            vt.tekDeger("SELECT indirim FROM cariler WHERE carino = ?", qint64(bilgi.CARINO()));
    if (std::holds_alternative<std::monostate>(cariIndirimi))
        throw MetotHatasi(u"StokAraTezmar: %1 numaralı cari bulunamadı"_s.arg(bilgi.CARINO()));
    const double genelIndirim = vtOndalik(cariIndirimi);
    const bool personel = personelKullanici(vt, bilgi.Sirano());

    // The chosen items, group by group: exact code keys, code prefixes,
    // descriptions; each item once, in its first group.
    std::vector<std::pair<int, qint64>> secilen; // group, stock number
    std::unordered_set<qint64> alinan;
    const auto ekle = [&](int grup, const std::vector<qint64> &stoklar) {
        for (const qint64 s : stoklar) {
            if (qsizetype(secilen.size()) >= stokAramaSiniri)
                return;
            if (alinan.insert(s).second)
                secilen.emplace_back(grup, s);
        }
    };
    ekle(0, anahtarEslesmeleri(vt.sorgula("SELECT stokno FROM stok_anahtarlari WHERE anahtar = ?", anahtar)));
    ekle(1, anahtarEslesmeleri(vt.sorgula(
                    "SELECT stokno FROM stok_anahtarlari WHERE anahtar > ? AND anahtar < ? LIMIT ?",
                    anahtar, onekSonu(anahtar), qint64(4 * stokAramaSiniri))));
    const QStringList kelimeler = taranacakKelimeler(aramaKelimeleri(aranan));
    if (!kelimeler.isEmpty() && qsizetype(secilen.size()) < stokAramaSiniri)
        ekle(2, tumKelimeler(vt, kelimeler));

    // Their rows, a piece at a time.
    std::unordered_map<qint64, int> grubu;
    for (const auto &[grup, s] : secilen)
        grubu.emplace(s, grup);
    struct Satir
    {
        int grup;
        std::vector<VtDeger> degerler;
        QString oemler[4];
        qint64 barkodNo = 0;
        QString barkod;
    };
    std::vector<Satir> satirlar;
    satirlar.reserve(secilen.size());
    std::unordered_map<qint64, std::size_t> sirasi; // stock number -> satirlar
    for (std::size_t bas = 0; bas < secilen.size(); bas += satirParcasi) {
        std::vector<VtDeger> parca;
        for (std::size_t i = bas; i < bas + satirParcasi; ++i)
            parca.emplace_back(i < secilen.size() ? secilen[i].second : qint64(0));
        std::vector<VtDeger> parametreler {qint64(personel ? 1 : 0), qint64(personel ? 1 : 0),
                                           qint64(bilgi.CARINO())};
        parametreler.insert(parametreler.end(), parca.begin(), parca.end());
        VtKomutu &k = vt.komut(stokSatirlariSorgusu());
        k.calistir(parametreler);
        while (k.sonraki()) {
            const qint64 no = k.tamsayi(0);
            Satir satir {grubu.at(no), {}, {}, 0, {}};
            satir.degerler.reserve(stokSatiriKolonu);
            for (int kolon = 0; kolon < stokSatiriKolonu; ++kolon)
                satir.degerler.push_back(k.deger(kolon));
            sirasi.emplace(no, satirlar.size());
            satirlar.push_back(std::move(satir));
        }
        VtKomutu &oem = vt.komut(oemSorgusu());
        oem.calistir(parca);
        while (oem.sonraki()) {
            const auto s = sirasi.find(oem.tamsayi(0));
            const qint64 sira = oem.tamsayi(1);
            if (s != sirasi.end() && sira >= 1 && sira <= 4)
                satirlar[s->second].oemler[sira - 1] = oem.metin(2);
        }
        // The item's own barcode is its first.
        VtKomutu &barkod = vt.komut(barkodSorgusu());
        barkod.calistir(parca);
        while (barkod.sonraki()) {
            const auto s = sirasi.find(barkod.tamsayi(0));
            if (s == sirasi.end())
                continue;
            Satir &satir = satirlar[s->second];
            const qint64 no = barkod.tamsayi(1);
            if (satir.barkodNo == 0 || no < satir.barkodNo) {
                satir.barkodNo = no;
                satir.barkod = barkod.metin(2);
            }
        }
    }
    // Groups in order, each in the order of its codes.
    std::sort(satirlar.begin(), satirlar.end(), [](const Satir &a, const Satir &b) {
        if (a.grup != b.grup)
            return a.grup < b.grup;
        const QString &ka = std::get<QString>(a.degerler[1]), &kb = std::get<QString>(b.degerler[1]);
        if (ka != kb)
            return ka < kb;
        return vtTamsayi(a.degerler[0]) < vtTamsayi(b.degerler[0]);
    });

    TabloYapici t = stokYapici();
    for (const Satir &satir : satirlar) {
        const std::vector<VtDeger> &d = satir.degerler;
        const auto sayi = [&d](int kolon) { return vtOndalik(d[kolon]); };
        const auto yazi = [&d](int kolon) { return vtMetin(d[kolon]); };
        const int kampanya = static_cast<int>(vtTamsayi(d[21]));
        const double kdv = sayi(14);
        const bool markaIndirimi = !std::holds_alternative<std::monostate>(d[23]);
        const HesapFiyati f = hesapFiyati(sayi(17), sayi(22), kampanya,
                                          markaIndirimi ? sayi(23) : genelIndirim, kdv);
        t.tamsayi(vtTamsayi(d[0])).metin(satir.barkod).metin(yazi(1));
        for (const QString &o : satir.oemler)
            t.metin(o);
        t.metin(yazi(2)).metin(yazi(3)).tamsayi(satir.barkodNo);
        for (int kolon = 4; kolon <= 12; ++kolon) // DIGERADI .. OZELKOD
            t.metin(yazi(kolon));
        t.ondalik(personel ? sayi(13) : 0.0);
        t.tamsayi(std::lround(kdv));
        t.ondalik(sayi(15)).ondalik(sayi(16));
        t.ondalik(sayi(17));
        // The cost includes VAT and is written in its currency, as the
        // editor converts it ("12.50 $"); dealers never see it.
        t.metin(personel ? QString::number(sayi(18), 'f', 2) + u' ' + yazi(19) : QString());
        t.ondalik(f.fiyat);
        t.tamsayi(vtTamsayi(d[20])).tamsayi(kampanya);
        t.ondalik(f.indirim).ondalik(f.net).ondalik(f.kdvDahil);
        t.tamsayi(vtTamsayi(d[24]));
    }
    return t.bitir();
}

HesapFiyati hesapFiyati(double listeFiyati, double kampanyaFiyati, int kampanya,
                        double indirimOrani, double kdv)
{
    HesapFiyati f;
    f.fiyat = kampanya > 0 && kampanyaFiyati > 0 ? kampanyaFiyati : listeFiyati;
    f.indirim = kampanya > 0 ? 0.0 : indirimOrani;
    f.net = IkiHaneyeYuvarla(f.fiyat - IkiHaneyeYuvarla(f.fiyat * f.indirim / 100));
    f.kdvDahil = IkiHaneyeYuvarla(f.net * (1 + kdv / 100));
    return f;
}

std::optional<KalemBilgisi> kalemBilgisi(Veritabani &vt, int carino, int stokno)
{
    VtKomutu &k = vt.sorgula(
            "SELECT (SELECT barkod FROM barkodlar WHERE stokno = s.stokno ORDER BY barkodno LIMIT 1),"
            " s.adi, s.kdv, s.kampanya, s.fiyat, s.kampanya_fiyati, COALESCE(ci.oran, c.indirim)"
            " FROM stoklar s JOIN cariler c ON c.carino = ?"
            " LEFT JOIN cari_indirimleri ci ON ci.carino = c.carino AND ci.uretici = s.uretici"
            " WHERE s.stokno = ? AND s.aktif = 1",
            qint64(carino), qint64(stokno));
    std::optional<KalemBilgisi> kalem;
    if (k.sonraki()) {
        kalem.emplace();
        kalem->barkod = k.metin(0);
        kalem->adi = k.metin(1);
        kalem->kdv = k.ondalik(2);
        kalem->kampanya = static_cast<int>(k.tamsayi(3));
        kalem->fiyat = hesapFiyati(k.ondalik(4), k.ondalik(5), kalem->kampanya, k.ondalik(6), kalem->kdv);
    }
    while (k.sonraki()) { }
    return kalem;
}

QByteArray stokResmi(Veritabani &vt, int stokno)
{
    VtKomutu &k = vt.sorgula("SELECT r.veri FROM stoklar s JOIN resimler r ON r.resim_no = s.resim_no "
                             "WHERE s.stokno = ?",
                             qint64(stokno));
    QByteArray resim = k.sonraki() ? k.ikili(0) : QByteArray();
    while (k.sonraki()) { }
    return resim;
}
