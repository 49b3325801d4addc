#pragma once

#include "sunucu/katalog.h"
#include "sunucu/sema.h"
#include "sunucu/veritabani.h"

// Two accounts (a dealer at 10 %, with 15 % for the brand ODAK; a "BDM"
// account), a dealer, a representative and a BDM user, and a small catalogue:
//   1  FREN BALATASI ÖN TAKIM RENAULT CLIO   code FR-10001, OEM "0 986 494 104"
//   2  FREN DİSKİ ARKA FIAT DOBLO            code FR.10002, brand ODAK, cost 12.50 $
//   3  YAĞ FİLTRESİ FORD FOCUS               code FL 10003, campaign at 80.00
//   4  FREN BALATASI ARKA TAKIM FORD FIESTA  code 0986494104X (begins like item 1's OEM)
//   5  FREN BALATASI ESKİ                    inactive
//   6  HAVA FİLTRESİ ...                     its manufacturer code is "BALATA"
inline void katalogKur(Veritabani &vt)
{
    semayiGuncelle(vt);
    vt.yurut("INSERT INTO cariler (carino, carikod, cariadi, indirim) VALUES "
             "(1, '120.34.0001', 'ÇAĞ OTO', 10), (2, 'BDM.34.001', 'BÖLGE DEPO', 0);"
             "INSERT INTO cari_indirimleri (carino, uretici, oran) VALUES (1, 'ODAK', 15);"
             "INSERT INTO kullanicilar (sirano, adi, sifre, carino, musteri_tipi) VALUES "
             "(1, 'BAYI', 'S', 1, 0), (2, 'TEMSILCI', 'S', 1, 1), (3, 'BDM', 'S', 2, 0);"
             "INSERT INTO teslim_secenekleri (numara, adi, sira) VALUES (1, 'DEPODAN', 0), (2, 'KARGO', 1);"
             "INSERT INTO kargo_turleri (numara, adi, sira) VALUES (1, 'ALICI ÖDEMELİ', 0), (2, 'GÖNDERİCİ', 1);"
             "INSERT INTO kargo_firmalari (sirano, kargo_turu, adi, uyari) VALUES "
             "(1, 1, 'ANADOLU KARGO', ''), (2, 2, 'ANADOLU KARGO', 'Desi'), (3, 2, 'EGE AMBAR', '');"
             "INSERT INTO siparis_durumlari (numara, adi) VALUES (2, 'ALINDI');");
    vt.yurut("INSERT INTO stoklar (stokno, finishkod, adi, ureticikodu, uretici, oemno, kdv, fiyat,"
             " maliyet, maliyet_doviz, kalan, durum, kampanya, kampanya_fiyati, aktif) VALUES "
             "(1, 'FR-10001', 'FREN BALATASI ÖN TAKIM RENAULT CLIO', 'DF-1001', 'DORUK', '7701 208 265', 18, 100, 50, 'TL', 7, 1, 0, 0, 1),"
             "(2, 'FR.10002', 'FREN DİSKİ ARKA FIAT DOBLO', '21.1111-2222.3', 'ODAK', '51712-1C000', 18, 200, 12.5, '$', 0, 0, 0, 0, 1),"
             "(3, 'FL 10003', 'YAĞ FİLTRESİ FORD FOCUS', '12345678', 'DORUK', '1K0 615 301 AA', 8, 100, 40, 'TL', 3, 1, 2, 80, 1),"
             "(4, '0986494104X', 'FREN BALATASI ARKA TAKIM FORD FIESTA', '', 'DORUK', '', 18, 50, 20, 'TL', 1, 1, 0, 0, 1),"
             "(5, 'FR-10005', 'FREN BALATASI ESKİ', '', 'DORUK', '', 18, 10, 5, 'TL', 0, 0, 0, 0, 0),"
             "(6, 'FL-10006', 'HAVA FİLTRESİ OPEL ASTRA', 'BALATA', 'DORUK', '', 18, 30, 10, 'TL', 0, 2, 0, 0, 1);"
             "INSERT INTO stok_oemleri (stokno, sira, oemno) VALUES (1, 1, '0 986 494 104'), (1, 2, '8671005'),"
             " (2, 1, '4A0.615.301');"
             "INSERT INTO barkodlar (barkodno, stokno, barkod) VALUES (1, 1, '8691000000011'),"
             " (2, 2, '8691000000028'), (3, 3, '8691000000035'), (4, 1, '4050000000013');"
             "INSERT INTO siparisler (idno, carino, verenid, tarih, teslim_no, kargo_turu, durum) VALUES"
             " (1, 1, 1, '2024-01-01 10:00:00', 1, 1, 2);"
             "INSERT INTO siparis_satirlari (idno, stokno, miktar, kalan, birimfiyat, ilkfiyat, verenid)"
             " VALUES (1, 1, 5, 4, 100, 100, 1);"
             "INSERT INTO tedarikci_siparisleri (stokno, tarih, miktar, gelen) VALUES (1, '2024-01-01 10:00:00', 20, 5);");
    vt.kimlikSayaclariniDuzelt();
    katalogDiziniKur(vt);
}

