#include <QTest>

#include "remote/baglantiu.h"

using namespace Qt::StringLiterals;

class KayitlarTesti final : public QObject
{
    Q_OBJECT

private slots:
    void yeniOturumKaydininVarsayilanlari()
    {
        const TSonucBilgisi b;
        QCOMPARE(b.MusteriTipi(), 1);
        QCOMPARE(b.Version(), 1);
        QCOMPARE(b.Varmi(), false);
        QCOMPARE(b.CARINO(), 0);
        QCOMPARE(b.AKTIF(), 0);
        QVERIFY(b.ADI().isEmpty());
        QVERIFY(b.Disip().isEmpty());
        QCOMPARE(TSonucBilgisi::tanim().alanlar.size(), size_t(20));
    }

    void kopyalaEskiDegerleriBirakmaz()
    {
        TSonucBilgisi hedef;
        hedef.setADI(u"ESKİ"_s);
        hedef.setCARINO(77);
        hedef.setVarmi(true);
        hedef.setMusteriTipi(4);

        TSonucBilgisi kaynak; // empty strings, defaults
        kaynak.setSIFRE(u"Ş1"_s);
        hedef.Kopyala(kaynak);

        QVERIFY(hedef == kaynak);
        QVERIFY(hedef.ADI().isEmpty());
        QCOMPARE(hedef.CARINO(), 0);
        QCOMPARE(hedef.MusteriTipi(), 1);
        QCOMPARE(hedef.SIFRE(), u"Ş1"_s);
        QCOMPARE(kaynak.SIFRE(), u"Ş1"_s); // the source is left as it was
    }

    void dipVeTusKayitlariKopyalanir()
    {
        TSiparisDipAyrinti dip;
        dip.setSaticiNotu(u"not"_s);
        TSiparisDipAyrinti bos;
        dip.Kopyala(bos);
        QVERIFY(dip.SaticiNotu().isEmpty());
        QCOMPARE(TSiparisDipAyrinti::tanim().alanlar.size(), size_t(8));

        TTusSonuclari tus;
        TTusSonuclari dolu;
        dolu.setGoruldu(6);
        dolu.setAlindi(1);
        tus.Kopyala(dolu);
        QCOMPARE(tus.Goruldu(), 6);
        QCOMPARE(tus.Alindi(), 1);
        QCOMPARE(TTusSonuclari().Hazirlandi(), 0);
    }
};

QTEST_APPLESS_MAIN(KayitlarTesti)
#include "tst_kayitlar.moc"
