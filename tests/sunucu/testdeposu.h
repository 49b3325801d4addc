#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include "sunucu/veritabani.h"

// Where a store test writes: a fresh SQLite file, or a fresh schema of the
// PostgreSQL whose URL is in DOTEZMAR_TEST_PG (scripts/test.sh starts one).
// Without that variable a PostgreSQL test fails, loudly: it is not skipped.
class TestDeposu
{
public:
    // "sqlite" or "postgresql"; empty adres() when the store is not there.
    explicit TestDeposu(const QString &tur)
    {
        if (tur == u"sqlite") {
            adres_ = dizin_.filePath(QStringLiteral("test.sqlite"));
            return;
        }
        const QString pg = qEnvironmentVariable("DOTEZMAR_TEST_PG");
        if (pg.isEmpty()) {
            hata_ = QStringLiteral("DOTEZMAR_TEST_PG is not set: run scripts/test.sh, or set it to the URL "
                                   "that scripts/postgresql.sh prints");
            return;
        }
        sema_ = QStringLiteral("tst_%1_%2").arg(QCoreApplication::applicationPid()).arg(++sayac());
        auto vt = veritabaniAc(pg);
        vt->yurut("DROP SCHEMA IF EXISTS " + sema_.toStdString() + " CASCADE; CREATE SCHEMA " + sema_.toStdString());
        adres_ = pg + (pg.contains(u'?') ? u'&' : u'?') + QStringLiteral("options=-csearch_path%3D") + sema_;
        pgAdresi_ = pg;
    }
    ~TestDeposu()
    {
        if (!sema_.isEmpty()) {
            try {
                veritabaniAc(pgAdresi_)->yurut("DROP SCHEMA IF EXISTS " + sema_.toStdString() + " CASCADE");
            } catch (const VtHatasi &) {
            }
        }
    }
    const QString &adres() const { return adres_; }
    const QString &hata() const { return hata_; }

private:
    static int &sayac()
    {
        static int n = 0;
        return n;
    }
    QTemporaryDir dizin_;
    QString adres_, hata_, sema_, pgAdresi_;
};

// Fails the test when the store is missing.
#define TEST_DEPOSU(degisken, tur)                                                                 \
    TestDeposu degisken(tur);                                                                      \
    if (degisken.adres().isEmpty())                                                                \
        QFAIL(qPrintable(degisken.hata()));
