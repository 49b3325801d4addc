#include "sunucu/hesaplar.h"

#include <cmath>

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace {

int kullaniciNo(Veritabani &vt, const QString &kullaniciAdi)
{
    const VtDeger no = vt.tekDeger("SELECT sirano FROM kullanicilar WHERE adi = ?", kullaniciAdi);
    if (std::holds_alternative<std::monostate>(no))
        throw VtHatasi("kullanıcı yok: " + kullaniciAdi.toStdString());
    return static_cast<int>(vtTamsayi(no));
}

QString simdi()
{
    return QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss"_s);
}

} // namespace

int istemciSurumu(Veritabani &vt)
{
    const VtDeger d = vt.tekDeger("SELECT deger FROM ayarlar WHERE ad = 'istemci_surumu'");
    bool tamam = false;
    const int surum = vtMetin(d).toInt(&tamam);
    return tamam ? surum : varsayilanIstemciSurumu;
}

void istemciSurumuAyarla(Veritabani &vt, int surum)
{
    if (surum < 1)
        throw VtHatasi("istemci sürümü 1 ya da daha büyük olmalı");
    vt.degistir("INSERT INTO ayarlar (ad, deger) VALUES ('istemci_surumu', ?) "
                "ON CONFLICT (ad) DO UPDATE SET deger = excluded.deger",
                QString::number(surum));
}

TSonucBilgisi oturumKaydi(Veritabani &vt, const QString &bilgisayarId)
{
    TSonucBilgisi kayit;
    kayit.setBILGISAYARID(bilgisayarId);
    kayit.setVersion(istemciSurumu(vt));
    if (bilgisayarId.isEmpty())
        return kayit;

    VtKomutu &k = vt.sorgula(
            "SELECT k.sirano, k.adi, k.sifre, k.mail, k.musteri_tipi, k.aktif * c.aktif, "
            "       c.carino, c.carikod, c.cariadi, "
            "       s.satici_no, s.adi, s.telefon, s.mail "
            "FROM bilgisayarlar b "
            "JOIN kullanicilar k ON k.sirano = b.kullanici_no "
            "JOIN cariler c ON c.carino = k.carino "
            "LEFT JOIN saticilar s ON s.satici_no = COALESCE(k.satici_no, c.satici_no) "
            "WHERE b.bilgisayar_id = ?",
            bilgisayarId);
    if (!k.sonraki())
        return kayit;
    kayit.setSirano(static_cast<int>(k.tamsayi(0)));
    kayit.setADI(k.metin(1));
    kayit.setSIFRE(k.metin(2));
    kayit.setKullanicimail(k.metin(3));
    kayit.setMusteriTipi(static_cast<int>(k.tamsayi(4)));
    kayit.setAKTIF(k.tamsayi(5) == 1 ? 1 : 0);
    kayit.setCARINO(static_cast<int>(k.tamsayi(6)));
    kayit.setcarikod(k.metin(7));
    kayit.setCariAdi(k.metin(8));
    kayit.setSaticiNo(static_cast<int>(k.tamsayi(9)));
    kayit.setSaticiAdi(k.metin(10));
    kayit.setSaticiTelefon(k.metin(11));
    kayit.setSaticiMail(k.metin(12));
    kayit.setVarmi(true);
    while (k.sonraki()) { }
    return kayit;
}

std::optional<TMobilCariBilgisi> cariBilgisi(Veritabani &vt, int sirano,
                                             const QString &bilgisayarId)
{
    if (sirano <= 0 && bilgisayarId.isEmpty())
        return std::nullopt;
    VtKomutu &k = vt.sorgula(
            "SELECT c.il, c.fax1, s.mail, s.adi, c.cariadi, c.email, c.vergidairesi, c.yetkili, "
            "       c.altgrup, c.tel2, k.sifre, c.gsm, c.tel1, c.adres2, c.adres1, c.ulke, "
            "       c.anagrup, c.carino, c.vergino, k.mail, c.ozelkod, k.adi, s.telefon, "
            "       c.carikod, c.fax2, c.ilce, "
            "       (SELECT COALESCE(SUM(h.borc), 0) FROM cari_hareketler h WHERE h.carino = c.carino), "
            "       (SELECT COALESCE(SUM(h.alacak), 0) FROM cari_hareketler h WHERE h.carino = c.carino), "
            "       (SELECT b.bilgisayar_id FROM bilgisayarlar b WHERE b.kullanici_no = k.sirano "
            "        ORDER BY b.bilgisayar_id LIMIT 1) "
            "FROM kullanicilar k "
            "JOIN cariler c ON c.carino = k.carino "
            "LEFT JOIN saticilar s ON s.satici_no = COALESCE(k.satici_no, c.satici_no) "
            "WHERE (? > 0 AND k.sirano = ?) OR (? <= 0 AND k.sirano = "
            "       (SELECT b.kullanici_no FROM bilgisayarlar b WHERE b.bilgisayar_id = ?))",
            qint64(sirano), qint64(sirano), qint64(sirano), bilgisayarId);
    if (!k.sonraki())
        return std::nullopt;
    TMobilCariBilgisi c;
    c.setSEHIR(k.metin(0));
    c.setFAX1(k.metin(1));
    c.setSATICIMAIL(k.metin(2));
    c.setSATICIADI(k.metin(3));
    c.setCARIADI(k.metin(4));
    c.setEMAIL(k.metin(5));
    c.setVERGIDAIRESI(k.metin(6));
    c.setYETKILI(k.metin(7));
    c.setAltGrup(k.metin(8));
    c.setTEL2(k.metin(9));
    c.setSIFRE(k.metin(10));
    c.setGSM(k.metin(11));
    c.setTEL1(k.metin(12));
    c.setADRES2(k.metin(13));
    c.setADRES1(k.metin(14));
    c.setULKE(k.metin(15));
    c.setAnaGrup(k.metin(16));
    c.setCARINO(static_cast<int>(k.tamsayi(17)));
    c.setVERGINO(k.metin(18));
    c.setMAIL(k.metin(19));
    c.setOzelKod(k.metin(20));
    c.setKULLANICIADI(k.metin(21));
    c.setSATICITELEFON(k.metin(22));
    c.setCARIKOD(k.metin(23));
    c.setFAX2(k.metin(24));
    c.setILCE(k.metin(25));
    // Sums of amounts kept to the kuruş, in kuruş: no binary dust in the totals.
    const auto kurus = [](double tutar) { return std::round(tutar * 100.0) / 100.0; };
    c.setTLBORC(kurus(k.ondalik(26)));
    c.setTLALACAK(kurus(k.ondalik(27)));
    c.setTLBAKIYE(kurus(c.TLBORC() - c.TLALACAK()));
    c.setBILGISAYARID(sirano > 0 ? k.metin(28) : bilgisayarId);
    while (k.sonraki()) { }
    return c;
}

std::vector<KullaniciOzeti> kullanicilar(Veritabani &vt)
{
    std::vector<KullaniciOzeti> liste;
    VtKomutu &k = vt.sorgula("SELECT k.sirano, k.adi, k.musteri_tipi, k.aktif, c.carikod, "
                             "       c.cariadi, b.bilgisayar_id "
                             "FROM kullanicilar k JOIN cariler c ON c.carino = k.carino "
                             "LEFT JOIN bilgisayarlar b ON b.kullanici_no = k.sirano "
                             "ORDER BY k.adi, b.bilgisayar_id");
    while (k.sonraki()) {
        const int no = static_cast<int>(k.tamsayi(0));
        if (liste.empty() || liste.back().sirano != no) {
            liste.push_back({no, k.metin(1), static_cast<int>(k.tamsayi(2)), k.tamsayi(3) == 1,
                             k.metin(4), k.metin(5), {}});
        }
        if (!k.bosMu(6))
            liste.back().bilgisayarlar << k.metin(6);
    }
    return liste;
}

std::optional<QString> bilgisayarKaydet(Veritabani &vt, const QString &kullaniciAdi,
                                        const QString &bilgisayarId, const QString &aciklama)
{
    if (bilgisayarId.trimmed().isEmpty())
        throw VtHatasi("bilgisayar kimliği boş olamaz");
    if (bilgisayarId != bilgisayarId.trimmed())
        throw VtHatasi("bilgisayar kimliğinin başında ya da sonunda boşluk olamaz");
    std::optional<QString> onceki;
    vt.islem([&] {
        const int no = kullaniciNo(vt, kullaniciAdi);
        VtKomutu &k = vt.sorgula("SELECT k.adi FROM bilgisayarlar b "
                                 "JOIN kullanicilar k ON k.sirano = b.kullanici_no "
                                 "WHERE b.bilgisayar_id = ?",
                                 bilgisayarId);
        if (k.sonraki() && k.metin(0) != kullaniciAdi)
            onceki = k.metin(0);
        while (k.sonraki()) { }
        vt.degistir("INSERT INTO bilgisayarlar (bilgisayar_id, kullanici_no, kayit_tarihi, aciklama) "
                    "VALUES (?, ?, ?, ?) ON CONFLICT (bilgisayar_id) DO UPDATE SET "
                    "kullanici_no = excluded.kullanici_no, kayit_tarihi = excluded.kayit_tarihi, "
                    "aciklama = excluded.aciklama",
                    bilgisayarId, qint64(no), simdi(), aciklama);
    });
    return onceki;
}

bool bilgisayarSil(Veritabani &vt, const QString &bilgisayarId)
{
    return vt.degistir("DELETE FROM bilgisayarlar WHERE bilgisayar_id = ?", bilgisayarId) > 0;
}

void sifreAyarla(Veritabani &vt, const QString &kullaniciAdi, const QString &sifre)
{
    if (sifre.isEmpty())
        throw VtHatasi("şifre boş olamaz");
    // The client upper-cases what the user types, so a password with lower
    // case letters could never be entered.
    if (sifre != sifre.toUpper())
        throw VtHatasi("şifre büyük harflerle yazılmalı (giriş ekranı küçük harf yazdırmaz)");
    if (vt.degistir("UPDATE kullanicilar SET sifre = ? WHERE adi = ?", sifre, kullaniciAdi) == 0)
        throw VtHatasi("kullanıcı yok: " + kullaniciAdi.toStdString());
}

void aktifAyarla(Veritabani &vt, const QString &kullaniciAdi, bool aktif)
{
    if (vt.degistir("UPDATE kullanicilar SET aktif = ? WHERE adi = ?", qint64(aktif ? 1 : 0),
                    kullaniciAdi)
        == 0)
        throw VtHatasi("kullanıcı yok: " + kullaniciAdi.toStdString());
}
