#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include <QObject>
#include <QString>

// The background fetch pattern: prepare on the UI thread, the body on a worker of the shared
// pool, the finish on the UI thread once the body has ended, whether or not it failed.
//
//     ArkaPlandaCalistir(
//         this,
//         [this] { araedit->setEnabled(false); animasyon->show(); },      // prepare, UI thread
//         [metin](ArkaPlanGorevi &g) { return StokAra(g, metin); },        // body, worker
//         [this](const ArkaPlanGorevi &g, BellekTablo sonuc) { ... });     // finish, UI thread
//
// The body never touches a widget: it returns what it made (a table, a count, a text), and the
// finish applies it. It records a failed connection check in g.hata; a body that throws has
// failed too (the exception stays on the worker, the finish gets a default-made result, never a
// half-filled one). After the finish, a failed task shows "Bağlantı Kurulamıyor Lütfen Tekrar
// Deneyin ...!" once. If the context object is gone by then, the finish is dropped.
//
// Tab loads go through a YuklemeSirasi, one per tab: every load fills a result of its own, and
// only the finish of the newest load of that tab runs; an older load that ends later is dropped
// whole, message included. So two loads never write one table, and the table shows the answer to
// the last request. The prepare step may run again while a load is under way: it must be safe
// to repeat (show, disable), with nothing that needs a matching undo per call.

class SunucuBaglantisi;
class YuklemeSirasi;

// The record of one task, alive until its finish has run.
class ArkaPlanGorevi
{
public:
    ArkaPlanGorevi();
    ~ArkaPlanGorevi();
    ArkaPlanGorevi(const ArkaPlanGorevi &) = delete;
    ArkaPlanGorevi &operator=(const ArkaPlanGorevi &) = delete;

    bool hata = false; // set by the body when a connection check fails
    QString hataMetni; // what a throwing body said, for a log or a detail line

    // The task's own clone of the main connection, made when the task started (with the main
    // connection's parameters at that moment). Body only; closed and freed when the body ends.
    SunucuBaglantisi &baglanti();
    // Opens the clone with BaglantiKur, showing no message of its own; on failure sets hata
    // and returns false, and the body stops.
    bool baglan();

    // A newer load of the same tab has started: the body may stop early, its result is dropped.
    bool eskidi() const;

private:
    friend class YuklemeSirasi;
    friend void arkaPlanCalistir(QObject *, YuklemeSirasi *, const std::function<void()> &,
                                 std::function<void(ArkaPlanGorevi &)>,
                                 std::function<void(ArkaPlanGorevi &)>);
    std::shared_ptr<const std::atomic<quint64>> sonYukleme_;
    quint64 yuklemeNo_ = 0;
    std::unique_ptr<SunucuBaglantisi> baglanti_;
};

// The connection background tasks clone (the main window's bagc); it must outlive them. Without
// one, a task's connection points at the installation's server.
void ArkaPlanAnaBaglantisi(const SunucuBaglantisi *ana);

// Installs the wire library's message hook: the connection-failure message is shown with
// MesajKutusu on the UI thread, and a worker that reports it waits until the user has closed
// it. (The UI thread never waits for a worker, so this cannot deadlock.)
void BaglantiMesajiKancasiniKur();

// Installs the wire library's waiting hooks: while a call made on the UI thread waits for the
// server, and during the pauses between connection attempts, the window keeps painting and its
// timers keep running; the user's clicks and keys wait until the call is over, and the pointer
// shows that the program is busy. Off the UI thread a call simply blocks its worker.
void AgBeklemesiKancalariniKur();

// The loads of one tab. Lives with the window that owns the tab; tasks keep what they need of it.
class YuklemeSirasi
{
public:
    YuklemeSirasi();
    // A load that started through this queue and has not finished or been overtaken.
    bool suruyor() const { return suren_ > 0; }

private:
    friend void arkaPlanCalistir(QObject *, YuklemeSirasi *, const std::function<void()> &,
                                 std::function<void(ArkaPlanGorevi &)>,
                                 std::function<void(ArkaPlanGorevi &)>);
    std::shared_ptr<std::atomic<quint64>> son_;
    int suren_ = 0; // UI thread only
};

// The type-free core of ArkaPlandaCalistir.
void arkaPlanCalistir(QObject *baglam, YuklemeSirasi *sira, const std::function<void()> &hazirla,
                      std::function<void(ArkaPlanGorevi &)> govde,
                      std::function<void(ArkaPlanGorevi &)> bitir);

namespace arkaplan_ayrinti {

template<class Govde, class Bitir>
void calistir(QObject *baglam, YuklemeSirasi *sira, const std::function<void()> &hazirla,
              Govde govde, Bitir bitir)
{
    using Sonuc = std::invoke_result_t<Govde &, ArkaPlanGorevi &>;
    if constexpr (std::is_void_v<Sonuc>) {
        arkaPlanCalistir(
            baglam, sira, hazirla,
            [govde = std::move(govde)](ArkaPlanGorevi &g) mutable { govde(g); },
            [bitir = std::move(bitir)](ArkaPlanGorevi &g) mutable { bitir(std::as_const(g)); });
    } else {
        static_assert(std::is_default_constructible_v<Sonuc>,
                      "a failed body hands the finish a default-made result");
        auto sonuc = std::make_shared<std::optional<Sonuc>>();
        arkaPlanCalistir(
            baglam, sira, hazirla,
            [govde = std::move(govde), sonuc](ArkaPlanGorevi &g) mutable {
                sonuc->emplace(govde(g));
            },
            [bitir = std::move(bitir), sonuc](ArkaPlanGorevi &g) mutable {
                bitir(std::as_const(g), sonuc->has_value() ? std::move(**sonuc) : Sonuc {});
            });
    }
}

} // namespace arkaplan_ayrinti

// prepare: void(); body: R(ArkaPlanGorevi &) or void(ArkaPlanGorevi &);
// finish: void(const ArkaPlanGorevi &, R) or void(const ArkaPlanGorevi &).
template<class Govde, class Bitir>
void ArkaPlandaCalistir(QObject *baglam, const std::function<void()> &hazirla, Govde govde,
                        Bitir bitir)
{
    arkaplan_ayrinti::calistir(baglam, nullptr, hazirla, std::move(govde), std::move(bitir));
}

// The same for a tab load: only the newest load of the queue finishes.
template<class Govde, class Bitir>
void SekmeYukle(YuklemeSirasi &sira, QObject *baglam, const std::function<void()> &hazirla,
                Govde govde, Bitir bitir)
{
    arkaplan_ayrinti::calistir(baglam, &sira, hazirla, std::move(govde), std::move(bitir));
}
