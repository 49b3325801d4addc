#include "catalog/katalog.h"

#include <QImage>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/mesajkutusu.h"
#include "app/unit1.h"
#include "app/utils/bicim.h"
#include "catalog/sepetgorunumu.h"
#include "catalog/stokayarintiu.h"
#include "catalog/stoklistesi.h"
#include "remote/proxim.h"
#include "remote/sunucubaglantisi.h"
#include "remote/uzakhata.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

bool AnaBaglantidaCagir(SunucuBaglantisi &bagc,
                        const std::function<void(TServerMethods1Client &)> &govde)
{
    if (!BaglantiKur(bagc, 1))
        return false;
    try {
        TServerMethods1Client proxy(bagc);
        govde(proxy);
    } catch (const UzakHata &h) {
        bagc.Close();
        HataMesajiGoster(h.mesaj());
        return false;
    } catch (const std::exception &h) {
        bagc.Close();
        HataMesajiGoster(QString::fromUtf8(h.what()));
        return false;
    }
    bagc.Close();
    return true;
}

Katalog::Katalog(TForm1 *form)
    : QObject(form)
    , form_(form)
{
    stokListesi_ = new StokListesi(form);
    form->sayfa(Sekme::StokListesi)->layout()->addWidget(stokListesi_);
    sepet_ = new SepetGorunumu(form, this);
    form->sayfa(Sekme::Sepet)->layout()->addWidget(sepet_);

    VeriIzgarasi *stokIzgarasi = stokListesi_->izgara();
    const auto stoktanAc = [this, stokIzgarasi] {
        UrunSatiriniAc(*stokIzgarasi, form_->tablolar().stok, UrunListesi::Stok);
    };
    connect(stokIzgarasi, &VeriIzgarasi::etkinlestirildi, this, stoktanAc);
    connect(stokListesi_, &StokListesi::sepeteEkleIstendi, this, stoktanAc);
}

void Katalog::musteriTipiKurallariniUygula()
{
    stokListesi_->musteriTipiKurallariniUygula();
    sepet_->musteriTipiKurallariniUygula();
}

void Katalog::UrunSatiriniAc(VeriIzgarasi &izgara, BellekTablo &kaynak, UrunListesi liste)
{
    const qsizetype satir = izgara.odakliSatir();
    if (satir < 0)
        return;
    const int stokno = static_cast<int>(kaynak.tamsayi(satir, kaynak.kolonIndeksi(u"STOK_STOKNO")));
    kaynak.satiraGit(satir);

    BellekTablo &sepet = form_->tablolar().sepet;
    if (!sepet.acik())
        SepetiYukle();
    // A product already in the basket: its line is changed, not doubled.
    const qsizetype sepetSatiri = sepet.ara(sepet.kolonIndeksi(u"STOKNO"), stokno);
    if (sepetSatiri >= 0) {
        SatirDuzenle(static_cast<int>(sepet.tamsayi(sepetSatiri, sepet.kolonIndeksi(u"SIRANO"))));
        return;
    }
    switch (liste) {
    case UrunListesi::Stok:
        YeniSatirStok(stokno);
        break;
    case UrunListesi::Yeniler:
        YeniSatirYeniler(stokno);
        break;
    case UrunListesi::Kampanya:
        YeniSatirKampanya(stokno);
        break;
    }
}

void Katalog::SatirDuzenle(int sirano)
{
    BellekTablo &sepet = form_->tablolar().sepet;
    if (!sepet.bul(u"SIRANO", sirano))
        return;
    editoruAc(sepet, SatirKaynagi::SepetSatiri);
}

void Katalog::YeniSatirStok(int stokno)
{
    yeniSatir(form_->tablolar().stok, SatirKaynagi::Stok, stokno);
}

void Katalog::YeniSatirYeniler(int stokno)
{
    yeniSatir(form_->tablolar().YENILER, SatirKaynagi::Yeniler, stokno);
}

void Katalog::YeniSatirKampanya(int stokno)
{
    yeniSatir(form_->tablolar().kampstok, SatirKaynagi::Kampanya, stokno);
}

void Katalog::yeniSatir(BellekTablo &kaynak, SatirKaynagi nereden, int stokno)
{
    const qsizetype gecerli = kaynak.gecerliSatir();
    if (kaynak.tamsayi(gecerli, kaynak.kolonIndeksi(u"STOK_STOKNO")) != stokno
        && !kaynak.bul(u"STOK_STOKNO", stokno))
        return;
    editoruAc(kaynak, nereden);
}

void Katalog::editoruAc(const BellekTablo &kaynak, SatirKaynagi nereden)
{
    const TSonucBilgisi &oturum = form_->sbilgi();
    const bool bdm = oturum.carikod().contains(u"BDM"_s, Qt::CaseSensitive);
    const Kurlar kurlar {form_->durum().USDKUR, form_->durum().EURKUR};
    const std::optional<EditorDegerleri> degerler =
            EditorDegerleriniHesapla(kaynak, nereden, bdm, kurlar);
    if (!degerler) {
        const QString maliyet = kaynak.metin(kaynak.gecerliSatir(), kaynak.kolonIndeksi(u"MALIYET"));
        HataMesajiGoster(u"'%1' geçerli bir fiyat değil"_s.arg(maliyet));
        return;
    }
    const int sirano = static_cast<int>(
            kaynak.tamsayi(kaynak.gecerliSatir(), kaynak.kolonIndeksi(u"SIRANO")));

    Tstokayarinti editor(form_);
    ResimYukle(degerler->stokno, editor);
    editor.doldur(*degerler, oturum.MusteriTipi() == 1 || oturum.MusteriTipi() == 2);
    emit editorAciliyor(&editor);
    if (editor.exec() != QDialog::Accepted)
        return;

    const QString adetMetni = editor.adet()->text().trimmed();
    const std::optional<double> miktar = SayiOku(adetMetni);
    if (!miktar || *miktar <= 0) {
        HataMesajiGoster(u"'%1' geçerli bir tamsayı değil"_s.arg(adetMetni));
        return;
    }
    const double fiyat = editor.birimfiyat()->deger();
    const double indirim = editor.indoran()->deger();
    if (nereden == SatirKaynagi::SepetSatiri) {
        SatirGuncelle(sirano, *miktar, fiyat, indirim);
        SepetiYukle();
    } else {
        // The modal editor kept the source table as it was: its current row is the product.
        SatirEkle(kaynak, *miktar, fiyat, indirim);
    }
}

bool Katalog::SatirEkle(const BellekTablo &kaynak, double miktar, double fiyat, double indirim)
{
    const qsizetype satir = kaynak.gecerliSatir();
    const auto alan = [&](QStringView ad) { return kaynak.kolonIndeksi(ad); };
    TSonucBilgisi bilgim;
    bilgim.Kopyala(form_->sbilgi());
    const TSonucBilgisi &oturum = form_->sbilgi();
    int sonuc = 0;
    AnaBaglantidaCagir(form_->bagc(), [&](TServerMethods1Client &p) {
        sonuc = p.SepetEkle(bilgim, oturum.CARINO(),
                            static_cast<int>(kaynak.tamsayi(satir, alan(u"STOK_STOKNO"))),
                            kaynak.metin(satir, alan(u"BARKOD")), kaynak.metin(satir, alan(u"ADI")),
                            miktar, double(kaynak.tamsayi(satir, alan(u"KDV"))), fiyat, indirim,
                            oturum.Sirano(), static_cast<int>(kaynak.tamsayi(satir, alan(u"K"))));
    });
    if (sonuc != 1)
        return false;
    SepetiYukle();
    return true;
}

bool Katalog::SatirGuncelle(int sirano, double miktar, double fiyat, double indirim)
{
    const BellekTablo &sepet = form_->tablolar().sepet;
    const qsizetype satir = sepet.ara(sepet.kolonIndeksi(u"SIRANO"), sirano);
    if (satir < 0)
        return false;
    const auto alan = [&](QStringView ad) { return sepet.kolonIndeksi(ad); };
    TSonucBilgisi bilgim;
    bilgim.Kopyala(form_->sbilgi());
    const TSonucBilgisi &oturum = form_->sbilgi();
    int sonuc = 0;
    AnaBaglantidaCagir(form_->bagc(), [&](TServerMethods1Client &p) {
        sonuc = p.SepetGuncelle(bilgim, oturum.CARINO(), 0, sepet.metin(satir, alan(u"BARKOD")),
                                sepet.metin(satir, alan(u"STOKADI")), miktar,
                                double(sepet.tamsayi(satir, alan(u"KDV"))), fiyat, indirim,
                                oturum.Sirano(), sirano);
    });
    return sonuc == 1;
}

void Katalog::ResimYukle(int stokno, Tstokayarinti &editor)
{
    SunucuBaglantisi &bagc = form_->bagc();
    if (!BaglantiKur(bagc, 1))
        return;
    try {
        TServerMethods1Client proxy(bagc);
        qint64 boy = 0;
        const QByteArray resim = proxy.ResimVer5(stokno, boy);
        // A picture whose size does not match what the server announced is dropped.
        if (boy != 0 && resim.size() == boy) {
            QImage jpeg;
            if (!jpeg.loadFromData(resim, "JPEG"))
                throw std::runtime_error("EJPEG: resim çözülemedi");
            editor.setResim(jpeg);
        }
    } catch (const UzakHata &h) {
        HataMesajiGoster(u"UzakHata: "_s + h.mesaj());
    } catch (const std::exception &h) {
        HataMesajiGoster(QString::fromUtf8(h.what()));
    }
    bagc.Close();
}

void Katalog::SepetiYukle()
{
    sepet_->SepetiYukle();
}
