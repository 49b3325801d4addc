#include "app/arkaplan.h"

#include <exception>

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QThreadPool>

#include "app/mesajkutusu.h"
#include "remote/sunucubaglantisi.h"

using namespace Qt::StringLiterals;

namespace {

const SunucuBaglantisi *anaBaglanti = nullptr; // UI thread only

} // namespace

void ArkaPlanAnaBaglantisi(const SunucuBaglantisi *ana)
{
    anaBaglanti = ana;
}

void BaglantiMesajiKancasiniKur()
{
    baglantiMesajiKancasiKur([](const QString &mesaj) {
        QCoreApplication *uygulama = QCoreApplication::instance();
        if (!uygulama || QThread::currentThread() == uygulama->thread()) {
            HataMesajiGoster(mesaj);
            return;
        }
        QMetaObject::invokeMethod(
            uygulama, [mesaj] { HataMesajiGoster(mesaj); }, Qt::BlockingQueuedConnection);
    });
}

ArkaPlanGorevi::ArkaPlanGorevi() = default;
ArkaPlanGorevi::~ArkaPlanGorevi() = default;

SunucuBaglantisi &ArkaPlanGorevi::baglanti()
{
    if (!baglanti_) {
        baglanti_ = std::make_unique<SunucuBaglantisi>();
        baglanti_->kurulumAdresiniYaz();
    }
    return *baglanti_;
}

bool ArkaPlanGorevi::baglan()
{
    if (BaglantiKur(baglanti(), 0))
        return true;
    hata = true;
    return false;
}

bool ArkaPlanGorevi::eskidi() const
{
    return sonYukleme_ && sonYukleme_->load(std::memory_order_relaxed) != yuklemeNo_;
}

YuklemeSirasi::YuklemeSirasi()
    : son_(std::make_shared<std::atomic<quint64>>(0))
{
}

void arkaPlanCalistir(QObject *baglam, YuklemeSirasi *sira, const std::function<void()> &hazirla,
                      std::function<void(ArkaPlanGorevi &)> govde,
                      std::function<void(ArkaPlanGorevi &)> bitir)
{
    auto gorev = std::make_shared<ArkaPlanGorevi>();
    QPointer<QObject> baglamIzi(baglam);
    std::shared_ptr<std::atomic<quint64>> son;
    if (sira) {
        son = sira->son_;
        gorev->sonYukleme_ = son;
        gorev->yuklemeNo_ = son->fetch_add(1) + 1;
        ++sira->suren_;
    }
    if (anaBaglanti) {
        // The parameters as they are now; the body's BaglantiKur opens it.
        gorev->baglanti_ = std::make_unique<SunucuBaglantisi>();
        for (const auto &[ad, deger] : anaBaglanti->Params())
            gorev->baglanti_->setParametre(ad, deger);
    }
    if (hazirla)
        hazirla();

    // Runs on the UI thread (posted to the application object, which outlives every window).
    auto bitis = [gorev, son, sira, baglamIzi, bitir = std::move(bitir)]() mutable {
        if (!baglamIzi)
            return; // the window that asked is gone, and with it the tab's queue
        if (son) {
            --sira->suren_;
            if (gorev->eskidi())
                return; // a newer load of this tab finishes instead
        }
        try {
            bitir(*gorev);
        } catch (const std::exception &e) {
            HataMesajiGoster(QString::fromUtf8(e.what()));
        }
        if (gorev->hata)
            HataMesajiGoster(baglantiKurulamiyorMesaji);
    };

    QThreadPool::globalInstance()->start(
        [gorev, govde = std::move(govde), bitis = std::move(bitis)]() mutable {
            try {
                govde(*gorev);
            } catch (const std::exception &e) {
                gorev->hata = true;
                gorev->hataMetni = QString::fromUtf8(e.what());
            } catch (...) {
                gorev->hata = true;
            }
            govde = nullptr; // what the body captured goes with it, here on the worker
            if (gorev->baglanti_) {
                gorev->baglanti_->Close();
                gorev->baglanti_.reset();
            }
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(bitis),
                                      Qt::QueuedConnection);
        });
}
