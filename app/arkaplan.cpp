#include "app/arkaplan.h"

#include <exception>

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include "app/mesajkutusu.h"

using namespace Qt::StringLiterals;

QString BaglantiHataMesaji()
{
    return u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;
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
            HataMesajiGoster(BaglantiHataMesaji());
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
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(bitis),
                                      Qt::QueuedConnection);
        });
}
