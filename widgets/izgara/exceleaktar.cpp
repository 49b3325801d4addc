#include "widgets/izgara/exceleaktar.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include "app/utils/klasorler.h"
#include "remote/tablo/bellektablo.h"
#include "widgets/izgara/izgaramodeli.h"
#include "widgets/izgara/veriizgarasi.h"
#include "widgets/izgara/xlsyazici.h"

using namespace Qt::StringLiterals;

namespace {

void varsayilanHata(QWidget *ust, const QString &hata)
{
    QMessageBox kutu(QMessageBox::Critical, u"Hata"_s, hata, QMessageBox::Ok, ust);
    kutu.button(QMessageBox::Ok)->setText(u"Tamam"_s);
    kutu.exec();
}

bool varsayilanSoru(QWidget *ust, const QString &soru)
{
    QMessageBox kutu(QMessageBox::Question, u"Soru"_s, soru, QMessageBox::Yes | QMessageBox::No,
                     ust);
    kutu.button(QMessageBox::Yes)->setText(u"Evet"_s);
    kutu.button(QMessageBox::No)->setText(u"Hayır"_s);
    kutu.setDefaultButton(QMessageBox::No);
    return kutu.exec() == QMessageBox::Yes;
}

ExcelMesajlari &mesajlar()
{
    static ExcelMesajlari m {varsayilanHata, varsayilanSoru};
    return m;
}

// How one grid column goes into the workbook.
struct AktarilanKolon
{
    int kolon; // model column
    int tabloKolonu; // -1: the table has no such field
    XlsKolon xls;
    bool metinOlarak; // the cell as the grid shows it, not its value
};

QList<AktarilanKolon> aktarilanKolonlar(const VeriIzgarasi &izgara)
{
    const IzgaraModeli *model = izgara.model();
    const BellekTablo *tablo = model->tablo();
    QList<AktarilanKolon> sonuc;
    for (const int k : izgara.gorunurKolonlar()) {
        const IzgaraKolonu &kolon = model->kolon(k);
        AktarilanKolon a {k, model->tabloKolonu(k), {}, false};
        a.xls.baslik = kolon.gorunenBaslik();
        a.xls.genislikPiksel = izgara.gorunum()->horizontalHeader()->sectionSize(k);
        const std::optional<DbxTipi> tip = tablo && a.tabloKolonu >= 0
            ? std::optional(tablo->kolon(a.tabloKolonu).tip)
            : std::nullopt;
        const Depolama depolama = tip ? depolamaTuru(*tip) : Depolama::Metin;
        if (kolon.tur == KolonTuru::Ikon && !kolon.ikonMetinleri.isEmpty()) {
            // Status icons go out as what they mean ("Var", "Yolda").
            a.metinOlarak = true;
        } else if (depolama == Depolama::Tamsayi32 || depolama == Depolama::Tamsayi64 ||
                   depolama == Depolama::Ondalik) {
            a.xls.tur = XlsTuru::Sayi;
            a.xls.bicim = model->bicim(k);
        } else if (depolama == Depolama::Zaman) {
            a.xls.tur = *tip == DbxTipi::Date ? XlsTuru::Tarih
                : *tip == DbxTipi::Time       ? XlsTuru::Saat
                                              : XlsTuru::TarihSaat;
        } else if (depolama == Depolama::Mantiksal) {
            a.metinOlarak = true;
        }
        sonuc.append(a);
    }
    return sonuc;
}

XlsHucre hucre(const VeriIzgarasi &izgara, const AktarilanKolon &a, qsizetype satir)
{
    const BellekTablo *tablo = izgara.model()->tablo();
    if (!tablo || a.tabloKolonu < 0 || tablo->bosMu(satir, a.tabloKolonu))
        return {};
    if (a.metinOlarak)
        return izgara.model()->hucreMetni(static_cast<int>(satir), a.kolon);
    switch (a.xls.tur) {
    case XlsTuru::Sayi:
        return tablo->sayi(satir, a.tabloKolonu);
    case XlsTuru::Tarih:
    case XlsTuru::TarihSaat:
    case XlsTuru::Saat:
        return tablo->zaman(satir, a.tabloKolonu);
    case XlsTuru::Metin:
        break;
    }
    if (depolamaTuru(tablo->kolon(a.tabloKolonu).tip) == Depolama::Ikili)
        return {};
    return tablo->metin(satir, a.tabloKolonu);
}

} // namespace

QString xlsUzantisi(const QString &dosya)
{
    const QFileInfo bilgi(dosya);
    const QString ad = bilgi.fileName();
    const qsizetype nokta = ad.lastIndexOf(u'.');
    // A leading dot names a hidden file, not an extension.
    const QString govde = nokta > 0 ? ad.left(nokta) : ad;
    const QString klasor = dosya.left(dosya.size() - ad.size());
    return klasor + govde + u".xls"_s;
}

std::optional<QString> IzgarayiXlsYaz(const VeriIzgarasi &izgara, const QString &dosya)
{
    const QList<AktarilanKolon> kolonlar = aktarilanKolonlar(izgara);
    QList<XlsKolon> xlsKolonlari;
    for (const AktarilanKolon &a : kolonlar)
        xlsKolonlari.append(a.xls);
    XlsYazici yazici(xlsKolonlari);
    QList<XlsHucre> hucreler(kolonlar.size());
    const int satirSayisi = izgara.gorunenSatirSayisi();
    for (int g = 0; g < satirSayisi; ++g) {
        const qsizetype satir = izgara.tabloSatiri(g);
        for (qsizetype i = 0; i < kolonlar.size(); ++i)
            hucreler[i] = hucre(izgara, kolonlar[i], satir);
        yazici.satirEkle(hucreler);
    }
    if (auto hata = yazici.kaydet(dosya))
        return u"\"%1\" dosyası yazılamadı.\n%2"_s.arg(QDir::toNativeSeparators(dosya), *hata);
    return std::nullopt;
}

void ExceleAktar(VeriIzgarasi *izgara)
{
    const QString secilen = QFileDialog::getSaveFileName(izgara, u"Farklı Kaydet"_s,
                                                         BelgelerKlasoru(), u"Excel (*.xls*)"_s);
    if (secilen.isEmpty())
        return;
    const QString dosya = xlsUzantisi(secilen);
    // The dialog asked about the name it was given; a different one that
    // exists must not be overwritten unasked.
    if (dosya != secilen && QFileInfo::exists(dosya) &&
        !mesajlar().sor(izgara,
                        u"\"%1\" dosyası zaten var.\nÜzerine yazılsın mı?"_s.arg(
                            QDir::toNativeSeparators(dosya))))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<QString> hata = IzgarayiXlsYaz(*izgara, dosya);
    QApplication::restoreOverrideCursor();
    if (hata)
        mesajlar().hataGoster(izgara, *hata);
}

ExcelMesajlari ExcelMesajlariniKur(ExcelMesajlari yeni)
{
    if (!yeni.hataGoster)
        yeni.hataGoster = varsayilanHata;
    if (!yeni.sor)
        yeni.sor = varsayilanSoru;
    return std::exchange(mesajlar(), std::move(yeni));
}
