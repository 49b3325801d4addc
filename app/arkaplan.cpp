#include "app/arkaplan.h"

#include <exception>
#include <future>
#include <thread>

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QScopeGuard>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include "app/mesajkutusu.h"
#include "remote/sunucubaglantisi.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const SunucuBaglantisi *anaBaglanti = nullptr; // UI thread only
int agBeklemesi = 0; // > 0 while a call of the UI thread waits for the server; UI thread only

bool arayuzIsParcaciginda()
{
    const QCoreApplication *uygulama = QCoreApplication::instance();
    return uygulama && QThread::currentThread() == uygulama->thread();
}

// The busy pointer while the UI thread waits for the server.
class MesgulImleci final
{
public:
    MesgulImleci() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~MesgulImleci() { QApplication::restoreOverrideCursor(); }
    MesgulImleci(const MesgulImleci &) = delete;
    MesgulImleci &operator=(const MesgulImleci &) = delete;
};

// Runs `is` on the UI thread once no call of that thread waits for the server:
// a finished load or a message must not start work of its own in the middle
// of another call.
void ArayuzdeCalistir(std::function<void()> is)
{
    QCoreApplication *uygulama = QCoreApplication::instance();
    QMetaObject::invokeMethod(
        uygulama,
        [is = std::move(is)]() mutable {
            if (agBeklemesi > 0) {
                QTimer::singleShot(
                    20, QCoreApplication::instance(),
                    [is = std::move(is)]() mutable { ArayuzdeCalistir(std::move(is)); });
                return;
            }
            is();
        },
        Qt::QueuedConnection);
}

// Lets the UI thread's timers and repaints run; the user's input waits.
void OlaylariIsle()
{
    ++agBeklemesi;
    const auto bitti = qScopeGuard([] { --agBeklemesi; });
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void ArkaPlanAnaBaglantisi(const SunucuBaglantisi *ana)
{
    anaBaglanti = ana;
}

void BaglantiMesajiKancasiniKur()
{
    baglantiMesajiKancasiKur([](const QString &mesaj) {
        if (!QCoreApplication::instance() || arayuzIsParcaciginda()) {
            HataMesajiGoster(mesaj);
            return;
        }
        // The worker waits until the user has read it.
        std::promise<void> okundu;
        ArayuzdeCalistir([mesaj, &okundu] {
            HataMesajiGoster(mesaj);
            okundu.set_value();
        });
        okundu.get_future().wait();
    });
}

void AgBeklemesiKancalariniKur()
{
    agBeklerkenKancasiKur([] {
        if (arayuzIsParcaciginda())
            OlaylariIsle();
    });
    beklemeKancasiKur([](std::chrono::milliseconds sure) {
        if (!arayuzIsParcaciginda()) {
            std::this_thread::sleep_for(sure);
            return;
        }
        const MesgulImleci imlec;
        const auto son = std::chrono::steady_clock::now() + sure;
        while (std::chrono::steady_clock::now() < son) {
            OlaylariIsle();
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                20ms, son - std::chrono::steady_clock::now()));
        }
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
            ArayuzdeCalistir(std::move(bitis));
        });
}
