#include "sunucu/sepet.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QDateTime>

#include "app/utils/bicim.h"
#include "sunucu/dagitici.h"
#include "sunucu/katalog.h"
#include "sunucu/tabloyapici.h"

using namespace Qt::StringLiterals;

namespace {

QString simdi()
{
    return QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss"_s);
}

QDateTime vtZamani(const QString &metin)
{
    return QDateTime::fromString(metin.left(19), u"yyyy-MM-dd hh:mm:ss"_s);
}

bool varMi(Veritabani &vt, std::string_view sql, qint64 no)
{
    return !std::holds_alternative<std::monostate>(vt.tekDeger(sql, no));
}

void oranDenetle(const char *metot, const char *ad, double oran)
{
    if (!std::isfinite(oran) || oran < 0 || oran > 100)
        throw MetotHatasi(u"%1: %2 0 ile 100 arasında olmalı"_s.arg(QLatin1StringView(metot),
                                                                   QLatin1StringView(ad)));
}

// What every line call checks before it touches the basket.
void satirDenetle(Veritabani &vt, const char *metot, const SepetSatiri &s)
{
    const QLatin1StringView m(metot);
    if (!std::isfinite(s.miktar) || s.miktar <= 0 || s.miktar > sepetEnCokMiktar)
        throw MetotHatasi(u"%1: miktar 0'dan büyük ve en çok %2 olmalı"_s.arg(m).arg(sepetEnCokMiktar, 0, 'f', 0));
    if (!std::isfinite(s.fiyat) || s.fiyat < 0)
        throw MetotHatasi(u"%1: fiyat negatif olamaz"_s.arg(m));
    oranDenetle(metot, "indirim", s.indirim);
    oranDenetle(metot, "kdv", s.kdv);
    if (!varMi(vt, "SELECT carino FROM cariler WHERE carino = ?", s.carino))
        throw MetotHatasi(u"%1: %2 numaralı cari bulunamadı"_s.arg(m).arg(s.carino));
    if (!varMi(vt, "SELECT sirano FROM kullanicilar WHERE sirano = ?", s.verenid))
        throw MetotHatasi(u"%1: %2 numaralı kullanıcı bulunamadı"_s.arg(m).arg(s.verenid));
}

// The price and discount a line keeps: staff set their own, dealers get the
// catalogue's for their account.
std::pair<double, double> satirFiyati(Veritabani &vt, const SepetSatiri &s, const KalemBilgisi &k)
{
    if (personelKullanici(vt, s.verenid))
        return {s.fiyat, s.indirim};
    return {k.fiyat.fiyat, k.fiyat.indirim};
}

} // namespace

BellekTablo sepetVer(Veritabani &vt, int carino)
{
    TabloYapici t({
            {u"SEC"_s, DbxTipi::Int32},           {u"VERILISTARIHI"_s, DbxTipi::DateTime},
            {u"SIRANO"_s, DbxTipi::Int32},        {u"SIPARISNO"_s, DbxTipi::Int32},
            {u"CARINO"_s, DbxTipi::Int32},        {u"TARIH"_s, DbxTipi::Date},
            {u"AKTAR"_s, DbxTipi::Int32},         {u"STOKNO"_s, DbxTipi::Int32},
            {u"BARKOD"_s, DbxTipi::WideString},   {u"FINISHKOD"_s, DbxTipi::WideString},
            {u"OEMNO"_s, DbxTipi::WideString},    {u"STOKADI"_s, DbxTipi::WideString},
            {u"MIKTAR"_s, DbxTipi::Double},       {u"BIRIMFIYAT"_s, DbxTipi::Double},
            {u"TUTAR"_s, DbxTipi::Double},        {u"INDIRIMORANI1"_s, DbxTipi::Double},
            {u"INDIRIMORANI2"_s, DbxTipi::Double}, {u"INDIRIMORANI3"_s, DbxTipi::Double},
            {u"INDIRIMTUTAR"_s, DbxTipi::Double}, {u"NETBIRIMFIYAT"_s, DbxTipi::Double},
            {u"KDV"_s, DbxTipi::Int32},           {u"VERGITUTARI"_s, DbxTipi::Double},
            {u"NETTUTAR"_s, DbxTipi::Double},     {u"KUR"_s, DbxTipi::WideString},
            {u"KURTL"_s, DbxTipi::Double},        {u"VERENIDNO"_s, DbxTipi::Int32},
            {u"SAAT"_s, DbxTipi::WideString},     {u"TESLIMID"_s, DbxTipi::Int32},
            {u"KARGOID"_s, DbxTipi::Int32},       {u"ACIKLAMA"_s, DbxTipi::WideString},
            {u"IDNO"_s, DbxTipi::Int32},          {u"VERENSIRANO"_s, DbxTipi::Int32},
            {u"VEREN"_s, DbxTipi::WideString},    {u"CARIKOD"_s, DbxTipi::WideString},
            {u"CARIADI"_s, DbxTipi::WideString},  {u"OEM1"_s, DbxTipi::WideString},
            {u"OEM2"_s, DbxTipi::WideString},     {u"OEM3"_s, DbxTipi::WideString},
            {u"OEM4"_s, DbxTipi::WideString},     {u"STOK_STOKNO"_s, DbxTipi::Int32},
            {u"URETICIKODU"_s, DbxTipi::WideString}, {u"DIGERADI"_s, DbxTipi::WideString},
            {u"DPKOD"_s, DbxTipi::WideString},    {u"MARKA"_s, DbxTipi::WideString},
            {u"MODEL"_s, DbxTipi::WideString},    {u"ANAGRUP"_s, DbxTipi::WideString},
            {u"OZELKOD"_s, DbxTipi::WideString},  {u"PKOD"_s, DbxTipi::WideString},
            {u"DURUM"_s, DbxTipi::Int32},         {u"KALAN"_s, DbxTipi::Double},
    });
    VtKomutu &k = vt.sorgula(
            "SELECT p.sec, p.tarih, p.sirano, p.carino, p.aktar, p.stokno, p.barkod, s.finishkod,"
            " s.oemno, p.stokadi, p.miktar, p.birimfiyat, p.indirimorani1, p.indirimorani2,"
            " p.indirimorani3, p.kdv, p.kur, p.kurtl, p.verenid, p.teslimid, p.kargoid,"
            " COALESCE(u.adi, ''), c.carikod, c.cariadi, o1.oemno, o2.oemno, o3.oemno, o4.oemno,"
            " s.ureticikodu, s.digeradi, s.dpkod, s.marka, s.model, s.anagrup, s.ozelkod, s.pkod,"
            " s.durum, s.kalan"
            " FROM sepet p"
            " JOIN stoklar s ON s.stokno = p.stokno"
            " JOIN cariler c ON c.carino = p.carino"
            " LEFT JOIN kullanicilar u ON u.sirano = p.verenid"
            " LEFT JOIN stok_oemleri o1 ON o1.stokno = p.stokno AND o1.sira = 1"
            " LEFT JOIN stok_oemleri o2 ON o2.stokno = p.stokno AND o2.sira = 2"
            " LEFT JOIN stok_oemleri o3 ON o3.stokno = p.stokno AND o3.sira = 3"
            " LEFT JOIN stok_oemleri o4 ON o4.stokno = p.stokno AND o4.sira = 4"
            " WHERE p.carino = ? ORDER BY p.sirano",
            qint64(carino));
    while (k.sonraki()) {
        const QDateTime tarih = vtZamani(k.metin(1));
        const double miktar = k.ondalik(10);
        const double birim = k.ondalik(11);
        const double oran = k.ondalik(12);
        const double kdv = k.ondalik(15);
        const double tutar = IkiHaneyeYuvarla(miktar * birim);
        const double indirimTutari = IkiHaneyeYuvarla(tutar * oran / 100);
        const double netTutar = IkiHaneyeYuvarla(tutar - indirimTutari);
        const double netBirim = IkiHaneyeYuvarla(birim - IkiHaneyeYuvarla(birim * oran / 100));
        const double vergi = IkiHaneyeYuvarla(netTutar * kdv / 100);

        t.tamsayi(k.tamsayi(0)).zaman(tarih).tamsayi(k.tamsayi(2)).tamsayi(0).tamsayi(k.tamsayi(3));
        t.zaman(tarih).tamsayi(k.tamsayi(4)).tamsayi(k.tamsayi(5));
        t.metin(k.metin(6)).metin(k.metin(7)).metin(k.metin(8)).metin(k.metin(9));
        t.ondalik(miktar).ondalik(birim).ondalik(tutar);
        t.ondalik(oran).ondalik(k.ondalik(13)).ondalik(k.ondalik(14));
        t.ondalik(indirimTutari).ondalik(netBirim).tamsayi(std::lround(kdv));
        t.ondalik(vergi).ondalik(netTutar).metin(k.metin(16)).ondalik(k.ondalik(17));
        t.tamsayi(k.tamsayi(18)).metin(tarih.toString(u"hh:mm"_s));
        t.tamsayi(k.tamsayi(19)).tamsayi(k.tamsayi(20)).metin(QString());
        t.tamsayi(k.tamsayi(2)).tamsayi(k.tamsayi(18));
        for (int kolon = 21; kolon <= 27; ++kolon) // VEREN .. OEM4
            t.metin(k.metin(kolon));
        t.tamsayi(k.tamsayi(5));
        for (int kolon = 28; kolon <= 35; ++kolon) // URETICIKODU .. PKOD
            t.metin(k.metin(kolon));
        t.tamsayi(k.tamsayi(36)).ondalik(k.ondalik(37));
    }
    return t.bitir();
}

int sepetEkle(Veritabani &vt, const SepetSatiri &s)
{
    int sonuc = 0;
    vt.islem([&] {
        satirDenetle(vt, "SepetEkle", s);
        const std::optional<KalemBilgisi> kalem = kalemBilgisi(vt, s.carino, s.stokno);
        if (!kalem)
            throw MetotHatasi(u"SepetEkle: %1 numaralı stok bulunamadı"_s.arg(s.stokno));
        const auto [fiyat, indirim] = satirFiyati(vt, s, *kalem);
        // A line of the same item (added meanwhile from another computer)
        // takes the quantity: one line per item.
        vt.degistir("INSERT INTO sepet (carino, stokno, barkod, stokadi, miktar, birimfiyat,"
                    " indirimorani1, kdv, kampanya, verenid, tarih, sec)"
                    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"
                    " ON CONFLICT (carino, stokno) DO UPDATE SET"
                    " miktar = sepet.miktar + excluded.miktar, birimfiyat = excluded.birimfiyat,"
                    " indirimorani1 = excluded.indirimorani1, kdv = excluded.kdv,"
                    " kampanya = excluded.kampanya, verenid = excluded.verenid,"
                    " tarih = excluded.tarih, sec = 1",
                    qint64(s.carino), qint64(s.stokno), kalem->barkod, kalem->adi, s.miktar, fiyat,
                    indirim, kalem->kdv, qint64(kalem->kampanya), qint64(s.verenid), simdi());
        sonuc = 1;
    });
    return sonuc;
}

int sepetGuncelle(Veritabani &vt, const SepetSatiri &s, int sirano)
{
    int sonuc = 0;
    vt.islem([&] {
        satirDenetle(vt, "SepetGuncelle", s);
        const VtDeger stokno = vt.tekDeger("SELECT stokno FROM sepet WHERE sirano = ? AND carino = ?",
                                           qint64(sirano), qint64(s.carino));
        if (std::holds_alternative<std::monostate>(stokno))
            return; // deleted meanwhile: the reload shows it
        const std::optional<KalemBilgisi> kalem =
                kalemBilgisi(vt, s.carino, static_cast<int>(vtTamsayi(stokno)));
        if (!kalem)
            throw MetotHatasi(u"SepetGuncelle: satırın stoku artık satışta değil"_s);
        const auto [fiyat, indirim] = satirFiyati(vt, s, *kalem);
        sonuc = vt.degistir("UPDATE sepet SET miktar = ?, birimfiyat = ?, indirimorani1 = ?, kdv = ?,"
                            " verenid = ? WHERE sirano = ? AND carino = ?",
                            s.miktar, fiyat, indirim, kalem->kdv, qint64(s.verenid), qint64(sirano),
                            qint64(s.carino))
                        > 0
                ? 1
                : 0;
    });
    return sonuc;
}

int sepetSatirSil(Veritabani &vt, int carino, int sirano)
{
    return vt.degistir("DELETE FROM sepet WHERE sirano = ? AND carino = ?", qint64(sirano), qint64(carino))
                    > 0
            ? 1
            : 0;
}

int sepetHepsiniSil(Veritabani &vt, int carino)
{
    return static_cast<int>(vt.degistir("DELETE FROM sepet WHERE carino = ?", qint64(carino)));
}

void sepetSecimGuncelle(Veritabani &vt, int sirano, int secim)
{
    vt.degistir("UPDATE sepet SET sec = ? WHERE sirano = ?", qint64(secim != 0 ? 1 : 0), qint64(sirano));
}

namespace {

BellekTablo numaraliListe(Veritabani &vt, std::string_view sql)
{
    TabloYapici t({{u"NUMARA"_s, DbxTipi::Int32}, {u"ADI"_s, DbxTipi::WideString}});
    VtKomutu &k = vt.sorgula(sql);
    while (k.sonraki())
        t.tamsayi(k.tamsayi(0)).metin(k.metin(1));
    return t.bitir();
}

} // namespace

BellekTablo teslimSecenekleri(Veritabani &vt)
{
    return numaraliListe(vt, "SELECT numara, adi FROM teslim_secenekleri ORDER BY sira, numara");
}

BellekTablo kargoTurleri(Veritabani &vt)
{
    return numaraliListe(vt, "SELECT numara, adi FROM kargo_turleri ORDER BY sira, numara");
}

BellekTablo kargoFirmalari(Veritabani &vt, int kargoTuru)
{
    TabloYapici t({{u"SIRANO"_s, DbxTipi::Int32},
                   {u"ADI"_s, DbxTipi::WideString},
                   {u"UYARI"_s, DbxTipi::WideString},
                   {u"KARGOTURU"_s, DbxTipi::Int32}});
    VtKomutu &k = vt.sorgula("SELECT sirano, adi, uyari, kargo_turu FROM kargo_firmalari "
                             "WHERE kargo_turu = ? ORDER BY sirano",
                             qint64(kargoTuru));
    while (k.sonraki())
        t.tamsayi(k.tamsayi(0)).metin(k.metin(1)).metin(k.metin(2)).tamsayi(k.tamsayi(3));
    return t.bitir();
}

bool siparisKaydet(Veritabani &vt, const SiparisIstegi &i, int *idno)
{
    if (i.aciklama.size() > siparisNotuEnCok)
        throw MetotHatasi(u"SiparisKaydet: açıklama en çok %1 karakter olabilir"_s.arg(siparisNotuEnCok));
    bool kaydedildi = false;
    vt.islem([&] {
        if (!varMi(vt, "SELECT carino FROM cariler WHERE carino = ?", i.carino))
            throw MetotHatasi(u"SiparisKaydet: %1 numaralı cari bulunamadı"_s.arg(i.carino));
        if (!varMi(vt, "SELECT sirano FROM kullanicilar WHERE sirano = ?", i.verenid))
            throw MetotHatasi(u"SiparisKaydet: %1 numaralı kullanıcı bulunamadı"_s.arg(i.verenid));
        if (!varMi(vt, "SELECT numara FROM teslim_secenekleri WHERE numara = ?", i.teslim))
            throw MetotHatasi(u"SiparisKaydet: %1 numaralı teslim seçeneği yok"_s.arg(i.teslim));
        const VtDeger firmaTuru = vt.tekDeger("SELECT kargo_turu FROM kargo_firmalari WHERE sirano = ?",
                                              qint64(i.kargoFirma));
        if (std::holds_alternative<std::monostate>(firmaTuru) || vtTamsayi(firmaTuru) != i.kargoTuru)
            throw MetotHatasi(u"SiparisKaydet: %1 numaralı kargo firması %2 numaralı kargo türüne ait değil"_s
                                      .arg(i.kargoFirma)
                                      .arg(i.kargoTuru));

        // Deleting claims the lines: a second call, at once or later, finds
        // none left (on PostgreSQL it waits for the first to commit).
        struct Satir
        {
            qint64 sirano, stokno;
            QString barkod, stokadi;
            double miktar, birim, oran1, oran2, oran3, kdv;
            qint64 kampanya, verenid;
            QString kur;
            double kurtl;
        };
        std::vector<Satir> satirlar;
        VtKomutu &k = vt.sorgula(
                "DELETE FROM sepet WHERE carino = ? AND sec = 1 RETURNING sirano, stokno, barkod,"
                " stokadi, miktar, birimfiyat, indirimorani1, indirimorani2, indirimorani3, kdv,"
                " kampanya, verenid, kur, kurtl",
                qint64(i.carino));
        while (k.sonraki()) {
            satirlar.push_back({k.tamsayi(0), k.tamsayi(1), k.metin(2), k.metin(3), k.ondalik(4),
                                k.ondalik(5), k.ondalik(6), k.ondalik(7), k.ondalik(8), k.ondalik(9),
                                k.tamsayi(10), k.tamsayi(11), k.metin(12), k.ondalik(13)});
        }
        if (satirlar.empty())
            return;
        std::sort(satirlar.begin(), satirlar.end(),
                  [](const Satir &a, const Satir &b) { return a.sirano < b.sirano; });

        const qint64 yeni = vtTamsayi(vt.tekDeger(
                "INSERT INTO siparisler (carino, verenid, tarih, teslim_no, kargo_turu, kargo_firma,"
                " durum, verenin_notu) VALUES (?, ?, ?, ?, ?, ?, 2, ?) RETURNING idno",
                qint64(i.carino), qint64(i.verenid), simdi(), qint64(i.teslim), qint64(i.kargoTuru),
                qint64(i.kargoFirma), i.aciklama));
        for (const Satir &s : satirlar) {
            vt.degistir("INSERT INTO siparis_satirlari (idno, stokno, barkod, stokadi, miktar,"
                        " teslimedilen, kalan, birimfiyat, ilkfiyat, indirimorani1, indirimorani2,"
                        " indirimorani3, kdv, kampanya, verenid, kur, kurtl)"
                        " VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                        yeni, s.stokno, s.barkod, s.stokadi, s.miktar, s.miktar, s.birim, s.birim,
                        s.oran1, s.oran2, s.oran3, s.kdv, s.kampanya, s.verenid, s.kur, s.kurtl);
        }
        if (idno)
            *idno = static_cast<int>(yeni);
        kaydedildi = true;
    });
    return kaydedildi;
}
