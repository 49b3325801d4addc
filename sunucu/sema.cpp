#include "sunucu/sema.h"

#include <string>

namespace {

// Each entry takes the schema from the previous version to the next; an
// installed database runs the ones it has not seen yet, in order, each in a
// transaction of its own. Never change an entry that has shipped: add one.
//
// Written once for both stores: @KIMLIK@ is a generated integer key,
// @ONDALIK@ a double, @IKILI@ bytes, @BAYTSIRASI@ text ordered byte by
// byte. Dates are TIMESTAMP or DATE. Flags are
// INTEGER 0/1. Amounts are doubles, as they travel.
const char *const gocler[] = {
    // 1: the whole system.
    R"(
CREATE TABLE ayarlar (
    ad TEXT PRIMARY KEY,
    deger TEXT NOT NULL
);

-- Sales representatives.
CREATE TABLE saticilar (
    satici_no @KIMLIK@,
    adi TEXT NOT NULL,
    telefon TEXT NOT NULL DEFAULT '',
    mail TEXT NOT NULL DEFAULT ''
);

-- Customer accounts. indirim is the account's general discount rate (%).
CREATE TABLE cariler (
    carino @KIMLIK@,
    carikod TEXT NOT NULL UNIQUE,
    cariadi TEXT NOT NULL,
    yetkili TEXT NOT NULL DEFAULT '',
    ozelkod TEXT NOT NULL DEFAULT '',
    anagrup TEXT NOT NULL DEFAULT '',
    altgrup TEXT NOT NULL DEFAULT '',
    adres1 TEXT NOT NULL DEFAULT '',
    adres2 TEXT NOT NULL DEFAULT '',
    ilce TEXT NOT NULL DEFAULT '',
    il TEXT NOT NULL DEFAULT '',
    ulke TEXT NOT NULL DEFAULT 'TÜRKİYE',
    tel1 TEXT NOT NULL DEFAULT '',
    tel2 TEXT NOT NULL DEFAULT '',
    fax1 TEXT NOT NULL DEFAULT '',
    fax2 TEXT NOT NULL DEFAULT '',
    gsm TEXT NOT NULL DEFAULT '',
    email TEXT NOT NULL DEFAULT '',
    vergidairesi TEXT NOT NULL DEFAULT '',
    vergino TEXT NOT NULL DEFAULT '',
    kod1 TEXT NOT NULL DEFAULT '',
    kod2 TEXT NOT NULL DEFAULT '',
    kod3 TEXT NOT NULL DEFAULT '',
    kod4 TEXT NOT NULL DEFAULT '',
    kod5 TEXT NOT NULL DEFAULT '',
    indirim @ONDALIK@ NOT NULL DEFAULT 0 CHECK (indirim >= 0 AND indirim <= 100),
    vade INTEGER NOT NULL DEFAULT 0,
    vadekontrolgun INTEGER NOT NULL DEFAULT 0,
    vadekontrolay INTEGER NOT NULL DEFAULT 0,
    satici_no INTEGER REFERENCES saticilar(satici_no),
    aktif INTEGER NOT NULL DEFAULT 1
);

-- Discount rates of an account per part brand; override cariler.indirim.
CREATE TABLE cari_indirimleri (
    carino INTEGER NOT NULL REFERENCES cariler(carino),
    uretici TEXT NOT NULL,
    oran @ONDALIK@ NOT NULL CHECK (oran >= 0 AND oran <= 100),
    PRIMARY KEY (carino, uretici)
);

-- People who log in. musteri_tipi: 0, 3, 4 dealers; 1, 2 staff and
-- representatives, who pick the account they act for. carino is the
-- account a dealer acts for (a staff member's home account).
CREATE TABLE kullanicilar (
    sirano @KIMLIK@,
    adi TEXT NOT NULL UNIQUE,
    sifre TEXT NOT NULL,
    mail TEXT NOT NULL DEFAULT '',
    carino INTEGER NOT NULL REFERENCES cariler(carino),
    musteri_tipi INTEGER NOT NULL CHECK (musteri_tipi BETWEEN 0 AND 4),
    aktif INTEGER NOT NULL DEFAULT 1,
    satici_no INTEGER REFERENCES saticilar(satici_no)
);

-- Computers registered for a user: a login is tied to one of them.
CREATE TABLE bilgisayarlar (
    bilgisayar_id TEXT PRIMARY KEY,
    kullanici_no INTEGER NOT NULL REFERENCES kullanicilar(sirano) ON DELETE CASCADE,
    kayit_tarihi TIMESTAMP NOT NULL,
    aciklama TEXT NOT NULL DEFAULT ''
);
CREATE INDEX bilgisayarlar_kullanici ON bilgisayarlar(kullanici_no);

-- The catalogue. fiyat is the list price in TL without VAT, the one orders
-- use; liste_fiyati is the same price in the item's currency (doviz).
-- maliyet is the cost including VAT in maliyet_doviz. durum: 0 none,
-- 1 in stock, 2 call us, 3 on the way, 4 special order, 5 being procured.
-- kampanya > 0 marks a campaign item, sold at kampanya_fiyati.
CREATE TABLE stoklar (
    stokno @KIMLIK@,
    finishkod TEXT NOT NULL,
    adi TEXT NOT NULL,
    digeradi TEXT NOT NULL DEFAULT '',
    ureticikodu TEXT NOT NULL DEFAULT '',
    uretici TEXT NOT NULL DEFAULT '',
    oemno TEXT NOT NULL DEFAULT '',
    dpkod TEXT NOT NULL DEFAULT '',
    pkod TEXT NOT NULL DEFAULT '',
    ozelkod TEXT NOT NULL DEFAULT '',
    birim TEXT NOT NULL DEFAULT 'ADET',
    marka TEXT NOT NULL DEFAULT '',
    model TEXT NOT NULL DEFAULT '',
    anagrup TEXT NOT NULL DEFAULT '',
    altgrup TEXT NOT NULL DEFAULT '',
    departman TEXT NOT NULL DEFAULT '',
    renk TEXT NOT NULL DEFAULT '',
    beden TEXT NOT NULL DEFAULT '',
    kdv @ONDALIK@ NOT NULL DEFAULT 18,
    doviz TEXT NOT NULL DEFAULT 'TL',
    liste_fiyati @ONDALIK@ NOT NULL DEFAULT 0,
    fiyat @ONDALIK@ NOT NULL DEFAULT 0,
    maliyet @ONDALIK@ NOT NULL DEFAULT 0,
    maliyet_doviz TEXT NOT NULL DEFAULT 'TL',
    kalan @ONDALIK@ NOT NULL DEFAULT 0,
    durum INTEGER NOT NULL DEFAULT 0 CHECK (durum BETWEEN 0 AND 5),
    yeni INTEGER NOT NULL DEFAULT 0,
    kampanya INTEGER NOT NULL DEFAULT 0,
    kampanya_fiyati @ONDALIK@ NOT NULL DEFAULT 0,
    eski_fiyat @ONDALIK@ NOT NULL DEFAULT 0,
    resim_no INTEGER,
    aktif INTEGER NOT NULL DEFAULT 1
);
CREATE INDEX stoklar_yeni ON stoklar(yeni) WHERE yeni = 1;
CREATE INDEX stoklar_kampanya ON stoklar(kampanya) WHERE kampanya > 0;

-- Pictures (JPEG) shared by items.
CREATE TABLE resimler (
    resim_no @KIMLIK@,
    veri @IKILI@ NOT NULL
);

-- OEM numbers of an item, in order (sira 1 is OEM1).
CREATE TABLE stok_oemleri (
    stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
    sira INTEGER NOT NULL,
    oemno TEXT NOT NULL,
    PRIMARY KEY (stokno, sira)
);

-- Barcodes; the item's own EAN-13 is its first.
CREATE TABLE barkodlar (
    barkodno @KIMLIK@,
    stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
    barkod TEXT NOT NULL UNIQUE
);
CREATE INDEX barkodlar_stok ON barkodlar(stokno);

-- Search keys: every code of an item (its own, the manufacturer's, OEM
-- numbers, barcodes) upper-cased with separators removed, so that
-- "0 986 494 104", "0986-494-104" and "0986494104" find the same item.
CREATE TABLE stok_anahtarlari (
    anahtar TEXT NOT NULL,
    stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
    PRIMARY KEY (anahtar, stokno)
);

-- Orders the distributor placed with its suppliers.
CREATE TABLE tedarikci_siparisleri (
    sirano @KIMLIK@,
    stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
    tarih TIMESTAMP NOT NULL,
    beklenen_tarih DATE,
    miktar @ONDALIK@ NOT NULL,
    gelen @ONDALIK@ NOT NULL DEFAULT 0
);
CREATE INDEX tedarikci_siparisleri_stok ON tedarikci_siparisleri(stokno);

-- The distributor's own price list, searched apart from the catalogue.
CREATE TABLE fiyat_listesi (
    sirano @KIMLIK@,
    kod TEXT NOT NULL,
    aciklama TEXT NOT NULL,
    fiyat @ONDALIK@ NOT NULL,
    kdv @ONDALIK@ NOT NULL DEFAULT 18,
    anahtar TEXT NOT NULL
);
CREATE INDEX fiyat_listesi_anahtar ON fiyat_listesi(anahtar);

CREATE TABLE teslim_secenekleri (
    numara INTEGER PRIMARY KEY,
    adi TEXT NOT NULL,
    sira INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE kargo_turleri (
    numara INTEGER PRIMARY KEY,
    adi TEXT NOT NULL,
    sira INTEGER NOT NULL DEFAULT 0
);

-- Carriers of each shipping type, with the warning shown when chosen.
CREATE TABLE kargo_firmalari (
    sirano @KIMLIK@,
    kargo_turu INTEGER NOT NULL REFERENCES kargo_turleri(numara),
    adi TEXT NOT NULL,
    uyari TEXT NOT NULL DEFAULT ''
);

-- The basket the server keeps for each account; one line per item. sec 1
-- puts the line into the next order.
CREATE TABLE sepet (
    sirano @KIMLIK@,
    carino INTEGER NOT NULL REFERENCES cariler(carino),
    stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
    barkod TEXT NOT NULL DEFAULT '',
    stokadi TEXT NOT NULL DEFAULT '',
    miktar @ONDALIK@ NOT NULL CHECK (miktar > 0),
    birimfiyat @ONDALIK@ NOT NULL CHECK (birimfiyat >= 0),
    indirimorani1 @ONDALIK@ NOT NULL DEFAULT 0,
    indirimorani2 @ONDALIK@ NOT NULL DEFAULT 0,
    indirimorani3 @ONDALIK@ NOT NULL DEFAULT 0,
    kdv @ONDALIK@ NOT NULL DEFAULT 18,
    kampanya INTEGER NOT NULL DEFAULT 0,
    verenid INTEGER NOT NULL REFERENCES kullanicilar(sirano),
    tarih TIMESTAMP NOT NULL,
    sec INTEGER NOT NULL DEFAULT 1,
    teslimid INTEGER NOT NULL DEFAULT 0,
    kargoid INTEGER NOT NULL DEFAULT 0,
    aciklama INTEGER NOT NULL DEFAULT 0,
    kur TEXT NOT NULL DEFAULT 'TL',
    kurtl @ONDALIK@ NOT NULL DEFAULT 1,
    aktar INTEGER NOT NULL DEFAULT 0,
    UNIQUE (carino, stokno)
);

-- Order states. Orders go 2 received, 3 approved, 4 seen, 5 partly
-- prepared, 6 prepared, 7 shipped.
CREATE TABLE siparis_durumlari (
    numara INTEGER PRIMARY KEY,
    adi TEXT NOT NULL
);

CREATE TABLE siparisler (
    idno @KIMLIK@,
    carino INTEGER NOT NULL REFERENCES cariler(carino),
    verenid INTEGER NOT NULL REFERENCES kullanicilar(sirano),
    tarih TIMESTAMP NOT NULL,
    teslim_no INTEGER NOT NULL REFERENCES teslim_secenekleri(numara),
    kargo_turu INTEGER NOT NULL REFERENCES kargo_turleri(numara),
    kargo_firma INTEGER REFERENCES kargo_firmalari(sirano),
    durum INTEGER NOT NULL REFERENCES siparis_durumlari(numara),
    verenin_notu TEXT NOT NULL DEFAULT '',
    alan_notu TEXT NOT NULL DEFAULT '',
    satici_notu TEXT NOT NULL DEFAULT '',
    kur TEXT NOT NULL DEFAULT 'TL',
    kurtl @ONDALIK@ NOT NULL DEFAULT 1
);
CREATE INDEX siparisler_cari ON siparisler(carino, tarih);

-- Lines of an order. kalan is the open balance still to deliver; a
-- cancelled balance sets it to 0 without touching teslimedilen.
CREATE TABLE siparis_satirlari (
    sirano @KIMLIK@,
    idno INTEGER NOT NULL REFERENCES siparisler(idno),
    stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
    barkod TEXT NOT NULL DEFAULT '',
    stokadi TEXT NOT NULL DEFAULT '',
    miktar @ONDALIK@ NOT NULL,
    teslimedilen @ONDALIK@ NOT NULL DEFAULT 0,
    kalan @ONDALIK@ NOT NULL,
    birimfiyat @ONDALIK@ NOT NULL,
    ilkfiyat @ONDALIK@ NOT NULL,
    indirimorani1 @ONDALIK@ NOT NULL DEFAULT 0,
    indirimorani2 @ONDALIK@ NOT NULL DEFAULT 0,
    indirimorani3 @ONDALIK@ NOT NULL DEFAULT 0,
    kdv @ONDALIK@ NOT NULL DEFAULT 18,
    kampanya INTEGER NOT NULL DEFAULT 0,
    verenid INTEGER NOT NULL REFERENCES kullanicilar(sirano),
    aciklama INTEGER NOT NULL DEFAULT 0,
    kur TEXT NOT NULL DEFAULT 'TL',
    kurtl @ONDALIK@ NOT NULL DEFAULT 1,
    aktar INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX siparis_satirlari_siparis ON siparis_satirlari(idno);
CREATE INDEX siparis_satirlari_stok ON siparis_satirlari(stokno);
CREATE INDEX siparis_satirlari_acik ON siparis_satirlari(stokno) WHERE kalan > 0;

-- Deliveries against an order line (several for a partial delivery).
CREATE TABLE teslimatlar (
    sirano @KIMLIK@,
    satir INTEGER NOT NULL REFERENCES siparis_satirlari(sirano),
    tarih TIMESTAMP NOT NULL,
    miktar @ONDALIK@ NOT NULL,
    irsaliye_no TEXT NOT NULL DEFAULT ''
);
CREATE INDEX teslimatlar_satir ON teslimatlar(satir);

-- The account statement: one row per movement. turadi names its kind
-- ("Satış Faturası", "Tahsilat", "Tediye", ...).
CREATE TABLE cari_hareketler (
    idno @KIMLIK@,
    carino INTEGER NOT NULL REFERENCES cariler(carino),
    tarih DATE NOT NULL,
    turadi TEXT NOT NULL,
    evrak TEXT NOT NULL DEFAULT '',
    borc @ONDALIK@ NOT NULL DEFAULT 0,
    alacak @ONDALIK@ NOT NULL DEFAULT 0,
    kur TEXT NOT NULL DEFAULT 'TL',
    aciklama TEXT NOT NULL DEFAULT ''
);
CREATE INDEX cari_hareketler_cari ON cari_hareketler(carino, tarih, idno);

-- Invoice header of a statement movement, with the totals as invoiced.
CREATE TABLE faturalar (
    idno INTEGER PRIMARY KEY REFERENCES cari_hareketler(idno),
    evrakno TEXT NOT NULL,
    tarih TIMESTAMP NOT NULL,
    tipi TEXT NOT NULL,
    satici_adi TEXT NOT NULL DEFAULT '',
    vade INTEGER NOT NULL DEFAULT 0,
    irsaliye_no TEXT NOT NULL DEFAULT '',
    irsaliye_tarihi DATE,
    irsaliye_tipi TEXT NOT NULL DEFAULT '',
    siparis_evrakno TEXT NOT NULL DEFAULT '',
    siparis_tarihi DATE,
    toplam @ONDALIK@ NOT NULL,
    toplamindirim @ONDALIK@ NOT NULL,
    matrah @ONDALIK@ NOT NULL,
    kdvtutar @ONDALIK@ NOT NULL,
    kdvdahil @ONDALIK@ NOT NULL
);

CREATE TABLE fatura_satirlari (
    sirano @KIMLIK@,
    idno INTEGER NOT NULL REFERENCES faturalar(idno),
    stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
    miktar @ONDALIK@ NOT NULL,
    birimfiyat @ONDALIK@ NOT NULL,
    indirim1 @ONDALIK@ NOT NULL DEFAULT 0,
    indirim2 @ONDALIK@ NOT NULL DEFAULT 0,
    indirim3 @ONDALIK@ NOT NULL DEFAULT 0,
    masraf @ONDALIK@ NOT NULL DEFAULT 0,
    kdv @ONDALIK@ NOT NULL DEFAULT 18,
    aciklama TEXT NOT NULL DEFAULT ''
);
CREATE INDEX fatura_satirlari_fatura ON fatura_satirlari(idno);

-- Rows of a collection or payment document.
CREATE TABLE tahsilatlar (
    sirano @KIMLIK@,
    idno INTEGER NOT NULL REFERENCES cari_hareketler(idno),
    tarih DATE NOT NULL,
    turu TEXT NOT NULL,
    cins TEXT NOT NULL DEFAULT '',
    vade DATE,
    tutar @ONDALIK@ NOT NULL,
    aciklama TEXT NOT NULL DEFAULT '',
    evrakno TEXT NOT NULL DEFAULT '',
    ref TEXT NOT NULL DEFAULT '',
    saat TEXT NOT NULL DEFAULT '',
    kur TEXT NOT NULL DEFAULT 'TL',
    kurtl @ONDALIK@ NOT NULL DEFAULT 1
);
CREATE INDEX tahsilatlar_hareket ON tahsilatlar(idno);

-- Documents offered for download.
CREATE TABLE dosyalar (
    sirano @KIMLIK@,
    aciklama TEXT NOT NULL,
    dosyayol TEXT NOT NULL,
    adi TEXT NOT NULL,
    icerik @IKILI@ NOT NULL,
    sira INTEGER NOT NULL DEFAULT 0
);

-- Opening advertisements, also listed as announcements. arama is
-- "#KAMPANYA#", "#YENİ#" or a stock search text.
CREATE TABLE acilis_ekranlari (
    sirano @KIMLIK@,
    baslik TEXT NOT NULL,
    arama TEXT NOT NULL DEFAULT '',
    resim @IKILI@ NOT NULL,
    sira INTEGER NOT NULL DEFAULT 0
);

-- Text announcements.
CREATE TABLE duyurular (
    sirano @KIMLIK@,
    tarih TIMESTAMP NOT NULL,
    baslik TEXT NOT NULL,
    metin TEXT NOT NULL DEFAULT ''
);

-- Named content the distributor maintains: the news line (HTML text), the
-- banner (an animated GIF), ...
CREATE TABLE icerikler (
    ad TEXT PRIMARY KEY,
    metin TEXT NOT NULL DEFAULT '',
    veri @IKILI@
);

CREATE TABLE kurlar (
    tarih DATE PRIMARY KEY,
    usd @ONDALIK@ NOT NULL,
    eur @ONDALIK@ NOT NULL
);

-- Request and message mails waiting for the mail sender. gonderildi is
-- null until sent.
CREATE TABLE giden_postalar (
    sirano @KIMLIK@,
    tarih TIMESTAMP NOT NULL,
    bilgisayar_id TEXT NOT NULL DEFAULT '',
    konu TEXT NOT NULL,
    govde TEXT NOT NULL,
    gonderildi TIMESTAMP,
    deneme INTEGER NOT NULL DEFAULT 0,
    son_hata TEXT NOT NULL DEFAULT ''
);
)",
    // 2: what a request form sent, field by field (JSON), for listing and
    // registering requests; when the mail sender tries a mail again.
    R"(
ALTER TABLE giden_postalar ADD COLUMN alanlar TEXT NOT NULL DEFAULT '{}';
ALTER TABLE giden_postalar ADD COLUMN sonraki_deneme TIMESTAMP;
CREATE INDEX giden_postalar_bekleyen ON giden_postalar(sirano) WHERE gonderildi IS NULL;
)",
    // 2: the catalogue's search index, rebuilt from the stored catalogue by
    // katalogDiziniKur (after a bulk load, and by 'yonet katalog-dizini').
    // Keys and words are folded to plain upper-case Latin letters and
    // compared byte by byte, so that a prefix is one range of the index.
    R"(
DROP TABLE stok_anahtarlari;
-- Every code of an item (barcodes, its own code, the manufacturer's code,
-- OEM numbers) with blanks, dashes, dots and slashes removed.
CREATE TABLE stok_anahtarlari (
    anahtar TEXT @BAYTSIRASI@ NOT NULL,
    stokno INTEGER NOT NULL
);
CREATE INDEX stok_anahtarlari_anahtar ON stok_anahtarlari(anahtar, stokno);
-- The words of every item's description.
CREATE TABLE stok_kelimeleri (
    kelime TEXT @BAYTSIRASI@ NOT NULL,
    stokno INTEGER NOT NULL
);
CREATE INDEX stok_kelimeleri_kelime ON stok_kelimeleri(kelime, stokno);
)",
};

std::string lehceyeCevir(std::string sql, VtLehce lehce)
{
    const bool pg = lehce == VtLehce::Postgres;
    const std::pair<std::string, std::string> yerler[] = {
        {"@KIMLIK@",
         pg ? "INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY" : "INTEGER PRIMARY KEY"},
        {"@ONDALIK@", pg ? "DOUBLE PRECISION" : "REAL"},
        {"@IKILI@", pg ? "BYTEA" : "BLOB"},
        {"@BAYTSIRASI@", pg ? "COLLATE \"C\"" : ""}, // SQLite compares bytes already
    };
    for (const auto &[ad, karsilik] : yerler) {
        for (size_t yer = sql.find(ad); yer != std::string::npos; yer = sql.find(ad, yer))
            sql.replace(yer, ad.size(), karsilik);
    }
    return sql;
}

} // namespace

int semaSonSurum()
{
    return static_cast<int>(std::size(gocler));
}

int semaSurumu(Veritabani &vt)
{
    vt.yurut("CREATE TABLE IF NOT EXISTS sema_surumu (surum INTEGER NOT NULL)");
    const VtDeger surum = vt.tekDeger("SELECT MAX(surum) FROM sema_surumu");
    return static_cast<int>(vtTamsayi(surum));
}

void semayiGuncelle(Veritabani &vt)
{
    const int son = semaSonSurum();
    if (semaSurumu(vt) == son)
        return;
    vt.islem([&] {
        // Several servers may start on one PostgreSQL at once: the first
        // migrates, the others wait here and then find nothing left to do.
        if (vt.lehce() == VtLehce::Postgres)
            vt.yurut("LOCK TABLE sema_surumu IN EXCLUSIVE MODE");
        const int mevcut = static_cast<int>(vtTamsayi(vt.tekDeger("SELECT MAX(surum) FROM sema_surumu")));
        if (mevcut > son)
            throw VtHatasi("veritabanı bu sunucudan yeni (şema sürümü " + std::to_string(mevcut)
                           + ", bu sunucu " + std::to_string(son) + ")");
        for (int surum = mevcut + 1; surum <= son; ++surum) {
            vt.yurut(lehceyeCevir(gocler[surum - 1], vt.lehce()));
            vt.degistir("INSERT INTO sema_surumu (surum) VALUES (?)", qint64(surum));
        }
    });
}
