// What the two tickers of the main window cost while they scroll: the share of
// one core the process spends on them, and how regular the ticks and the
// frames that reach the screen are, at the default 10 ms interval.
//
// Two ways of driving the tick are measured on the same model:
//   ui-ipligi   the tick runs on the UI thread, scrolls the pixels on screen
//               and paints the uncovered strip (what TRealTimeMarquee does);
//   ayri-iplik  the tick runs on a thread of its own, scrolls a backing image
//               and renders the strip into it under the control's lock; the
//               UI thread only copies the image to the screen.
// Each is also run with a UI thread that is busy 50 ms out of every 200 ms.
//
// Run it on a real X display or under Xvfb, the size of a maximised window:
//   xvfb-run -a -s "-screen 0 1920x1080x24" bench_kayanyazi [seconds] [repeats] [scenario]
// or, to save a few screenshots of the strip moving:
//   xvfb-run -a -s "-screen 0 1920x1080x24" bench_kayanyazi goruntu <folder>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>

#include "resources/kaynaklar.h"
#include "widgets/kayanyazi/realtimemarquee.h"

using namespace Qt::StringLiterals;
using Saat = std::chrono::steady_clock;

namespace {

const QColor seritRengi(212, 225, 242);

const QString haberMetni =
    u"<b>DOTEZMAR</b> &nbsp;&bull;&nbsp; <font color=#1d4f91>Fren balatalarında</font> "
    u"<font color=red><b>%15 indirim</b></font> ayın sonuna kadar &nbsp;&bull;&nbsp; "
    u"Yeni <i>amortisör</i> serisi stoklarımızda &nbsp;&bull;&nbsp; "
    u"<a href=\"https://www.ornek.com.tr/kampanya\">Kampanya ayrıntıları</a> &nbsp;&bull;&nbsp; "
    u"Siparişleriniz aynı gün kargoda"_s;

double islemciSaniyesi()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// CPU seconds the X server has spent so far, when it is a local Xvfb or Xorg.
double xSunucusuSaniyesi()
{
    static const long tik = sysconf(_SC_CLK_TCK);
    static std::string statYolu = [] {
        DIR *d = opendir("/proc");
        std::string bulunan;
        while (dirent *g = d ? readdir(d) : nullptr) {
            std::ifstream komut(std::string("/proc/") + g->d_name + "/comm");
            std::string ad;
            if (komut >> ad && (ad == "Xvfb" || ad == "Xorg")) {
                bulunan = std::string("/proc/") + g->d_name + "/stat";
                break;
            }
        }
        if (d)
            closedir(d);
        return bulunan;
    }();
    std::ifstream stat(statYolu);
    std::string alan;
    unsigned long long utime = 0, stime = 0;
    for (int i = 1; i <= 15 && stat >> alan; ++i) {
        if (i == 14)
            utime = std::stoull(alan);
        if (i == 15)
            stime = std::stoull(alan);
    }
    return stat ? double(utime + stime) / double(tik) : std::nan("");
}

// Lets the event loop run for a while without spinning.
void olaylariIsle(int ms)
{
    QEventLoop dongu;
    QTimer::singleShot(ms, &dongu, &QEventLoop::quit);
    dongu.exec();
}

struct Dagilim
{
    double ortanca = 0, p99 = 0, enBuyuk = 0, ortancaSapma = 0;
};

Dagilim dagilim(const std::vector<Saat::time_point> &anlar)
{
    std::vector<double> aralik;
    for (size_t i = 1; i < anlar.size(); ++i)
        aralik.push_back(
            std::chrono::duration<double, std::milli>(anlar[i] - anlar[i - 1]).count());
    if (aralik.empty())
        return {};
    auto sirali = aralik;
    std::sort(sirali.begin(), sirali.end());
    Dagilim d;
    d.ortanca = sirali[sirali.size() / 2];
    d.p99 = sirali[std::min(sirali.size() - 1, sirali.size() * 99 / 100)];
    d.enBuyuk = sirali.back();
    std::vector<double> sapma;
    for (double a : aralik)
        sapma.push_back(std::abs(a - d.ortanca));
    std::sort(sapma.begin(), sapma.end());
    d.ortancaSapma = sapma[sapma.size() / 2];
    return d;
}

// The ticker with its ticks and frames timed.
class OlculenKayanYazi final : public TRealTimeMarquee
{
public:
    using TRealTimeMarquee::TRealTimeMarquee;
    std::vector<Saat::time_point> tikler, kareler;

protected:
    void timerEvent(QTimerEvent *e) override
    {
        tikler.push_back(Saat::now());
        TRealTimeMarquee::timerEvent(e);
    }
    void paintEvent(QPaintEvent *e) override
    {
        kareler.push_back(Saat::now());
        TRealTimeMarquee::paintEvent(e);
    }
};

// The alternative: a hidden control serves as the model; a thread ticks it,
// renders into a backing image, and this widget copies the image.
class AyriIpliktenSerit final : public QWidget
{
public:
    explicit AyriIpliktenSerit(TRealTimeMarquee &model, QWidget *ust)
        : QWidget(ust)
        , fModel(model)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    ~AyriIpliktenSerit() override { Durdur(); }

    void Baslat()
    {
        fModel.resize(size());
        fArka = QImage(size(), QImage::Format_RGB32);
        {
            QPainter p(&fArka);
            fModel.DrawItems(p, fArka.rect());
        }
        fDur = false;
        fIplik = std::thread([this] { Calis(); });
    }
    void Durdur()
    {
        fDur = true;
        if (fIplik.joinable())
            fIplik.join();
    }

    std::vector<Saat::time_point> tikler, kareler;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        kareler.push_back(Saat::now());
        fModel.Lock();
        QPainter p(this);
        p.drawImage(e->rect(), fArka, e->rect());
        fModel.Unlock();
    }

private:
    void Calis()
    {
        while (!fDur) {
            std::this_thread::sleep_for(std::chrono::milliseconds(fModel.Interval()));
            tikler.push_back(Saat::now());
            fModel.Lock();
            fModel.BirAdimKaydir();
            const int adim = fModel.Step();
            const int w = fArka.width();
            for (int y = 0; y < fArka.height(); ++y) {
                auto *satir = reinterpret_cast<QRgb *>(fArka.scanLine(y));
                std::memmove(satir, satir + adim, size_t(w - adim) * sizeof(QRgb));
            }
            {
                QPainter p(&fArka);
                fModel.DrawItems(p, QRect(w - adim, 0, adim, fArka.height()));
            }
            fModel.Unlock();
            QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
        }
    }

    TRealTimeMarquee &fModel;
    QImage fArka;
    std::thread fIplik;
    std::atomic<bool> fDur {true};
};

QImage resimSeridi()
{
    QImage resim(5000, 100, QImage::Format_RGB888);
    resim.fill(seritRengi);
    QSvgRenderer svg(ResimYolu(u"resimseridi"_s));
    QPainter p(&resim);
    svg.render(&p);
    return resim;
}

void kur(TRealTimeMarquee &m, int yukseklik, bool resim, const QImage &seritResmi)
{
    m.setColor(seritRengi);
    QFont f(u"Arial"_s);
    f.setPixelSize(24);
    m.setFont(f);
    m.setSpacing(5);
    m.setFixedHeight(yukseklik);
    TMarqueeItem *oge = m.Items().Add();
    if (resim) {
        m.setOnDrawItem([&seritResmi](TRealTimeMarquee *, TMarqueeItem *, QImage &bitmap) {
            bitmap = seritResmi.copy();
        });
        oge->setStyle(TMarqueeStyle::msOwnerDraw);
    } else {
        oge->setStyle(TMarqueeStyle::msHTML);
        oge->setText(haberMetni);
    }
}

enum class Surucu
{
    Yok,
    UiIpligi,
    AyriIplik
};

struct Sonuc
{
    double cpu = 0, xCpu = 0;
    Dagilim tik, kare;
};

// One run: a maximised window whose bottom strip holds the picture strip (72 px)
// above the news line (51 px), as in the main window.
Sonuc calistir(Surucu surucu, bool resimSeridiAcik, bool haberAcik, bool mesgul, double saniye,
               const QImage &seritResmi)
{
    QWidget pencere;
    pencere.resize(1920, 1080);
    auto *duzen = new QVBoxLayout(&pencere);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->setSpacing(0);
    duzen->addStretch();
    auto *resimModeli = new OlculenKayanYazi(&pencere);
    auto *haberModeli = new OlculenKayanYazi(&pencere);
    kur(*resimModeli, 72, true, seritResmi);
    kur(*haberModeli, 51, false, seritResmi);
    std::unique_ptr<AyriIpliktenSerit> resimAyri, haberAyri;
    if (surucu == Surucu::AyriIplik) {
        resimModeli->hide();
        haberModeli->hide();
        resimAyri = std::make_unique<AyriIpliktenSerit>(*resimModeli, &pencere);
        haberAyri = std::make_unique<AyriIpliktenSerit>(*haberModeli, &pencere);
        resimAyri->setFixedHeight(72);
        haberAyri->setFixedHeight(51);
        duzen->addWidget(resimAyri.get());
        duzen->addWidget(haberAyri.get());
    } else {
        duzen->addWidget(resimModeli);
        duzen->addWidget(haberModeli);
    }
    pencere.show();
    olaylariIsle(500);

    // Items are rendered before the clock starts: that cost is paid once.
    resimModeli->Items()[0]->Size();
    haberModeli->Items()[0]->Size();
    if (surucu == Surucu::UiIpligi) {
        resimModeli->setActive(resimSeridiAcik);
        haberModeli->setActive(haberAcik);
    } else if (surucu == Surucu::AyriIplik) {
        if (resimSeridiAcik)
            resimAyri->Baslat();
        if (haberAcik)
            haberAyri->Baslat();
    }

    QTimer mesguliyet;
    QObject::connect(&mesguliyet, &QTimer::timeout, &pencere, [] {
        const auto son = Saat::now() + std::chrono::milliseconds(50);
        while (Saat::now() < son) { }
    });
    if (mesgul)
        mesguliyet.start(200);

    // Warm up, then measure.
    olaylariIsle(1000);
    for (auto *m : {resimModeli, haberModeli}) {
        m->tikler.clear();
        m->kareler.clear();
    }
    for (auto *s : {resimAyri.get(), haberAyri.get()}) {
        if (s) {
            s->Durdur();
            s->tikler.clear();
            s->kareler.clear();
            s->Baslat();
        }
    }
    if (surucu == Surucu::AyriIplik && !resimSeridiAcik)
        resimAyri->Durdur();
    if (surucu == Surucu::AyriIplik && !haberAcik)
        haberAyri->Durdur();

    const double cpu0 = islemciSaniyesi(), x0 = xSunucusuSaniyesi();
    QElapsedTimer bekle;
    bekle.start();
    olaylariIsle(int(saniye * 1000));
    const double gecen = double(bekle.nsecsElapsed()) / 1e9;
    Sonuc s;
    s.cpu = 100.0 * (islemciSaniyesi() - cpu0) / gecen;
    s.xCpu = 100.0 * (xSunucusuSaniyesi() - x0) / gecen;
    mesguliyet.stop();

    // Ticks and frames of the news line (the HTML ticker), or of the picture strip alone.
    const bool haber = haberAcik;
    if (surucu == Surucu::UiIpligi) {
        s.tik = dagilim(haber ? haberModeli->tikler : resimModeli->tikler);
        s.kare = dagilim(haber ? haberModeli->kareler : resimModeli->kareler);
    } else if (surucu == Surucu::AyriIplik) {
        AyriIpliktenSerit *olculen = haber ? haberAyri.get() : resimAyri.get();
        olculen->Durdur();
        s.tik = dagilim(olculen->tikler);
        s.kare = dagilim(olculen->kareler);
    }
    if (resimAyri)
        resimAyri->Durdur();
    if (haberAyri)
        haberAyri->Durdur();
    return s;
}

// Saves what the X server shows of the bottom strip a few times, half a second
// apart, once the news has come well in: kayanyazi-1.png, kayanyazi-2.png...
int goruntuleriKaydet(const QString &klasor, const QImage &seritResmi)
{
    QWidget pencere;
    pencere.resize(1920, 1080);
    auto *duzen = new QVBoxLayout(&pencere);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->setSpacing(0);
    duzen->addStretch();
    auto *alt = new QWidget;
    auto *altDuzen = new QVBoxLayout(alt);
    altDuzen->setContentsMargins(0, 1, 0, 1);
    altDuzen->setSpacing(0);
    auto *resimSeridi = new TRealTimeMarquee;
    auto *haberSatiri = new TRealTimeMarquee;
    kur(*resimSeridi, 72, true, seritResmi);
    kur(*haberSatiri, 51, false, seritResmi);
    altDuzen->addWidget(resimSeridi);
    altDuzen->addWidget(haberSatiri);
    duzen->addWidget(alt);
    pencere.show();
    resimSeridi->setActive(true);
    haberSatiri->setActive(true);
    olaylariIsle(9000);
    for (int i = 1; i <= 4; ++i) {
        const QPoint sol = alt->mapToGlobal(QPoint(0, 0));
        const QPixmap ekran = QGuiApplication::primaryScreen()->grabWindow(
            0, sol.x(), sol.y(), alt->width(), alt->height());
        if (!ekran.save(klasor + u"/kayanyazi-%1.png"_s.arg(i)))
            return 1;
        olaylariIsle(500);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "goruntu") == 0)
        return goruntuleriKaydet(QString::fromLocal8Bit(argv[2]), resimSeridi());
    const double saniye = argc > 1 ? std::atof(argv[1]) : 5.0;
    const int tekrar = argc > 2 ? std::atoi(argv[2]) : 3;
    const char *yalniz = argc > 3 ? argv[3] : ""; // runs only the scenario of this name
    const QImage seritResmi = resimSeridi();

    struct Senaryo
    {
        const char *ad;
        Surucu surucu;
        bool resim, haber, mesgul;
    };
    const Senaryo senaryolar[] = {
        {"bos pencere (taban)", Surucu::Yok, false, false, false},
        {"ui-ipligi: resim seridi", Surucu::UiIpligi, true, false, false},
        {"ui-ipligi: haber satiri", Surucu::UiIpligi, false, true, false},
        {"ui-ipligi: ikisi", Surucu::UiIpligi, true, true, false},
        {"ayri-iplik: ikisi", Surucu::AyriIplik, true, true, false},
        {"ui-ipligi: ikisi, UI mesgul", Surucu::UiIpligi, true, true, true},
        {"ayri-iplik: ikisi, UI mesgul", Surucu::AyriIplik, true, true, true},
    };

    std::printf("%s, %.0f s per run, median of %d runs; CPU in %% of one core\n",
                qPrintable(QGuiApplication::platformName()), saniye, tekrar);
    std::printf("%-30s %8s %8s | %-28s | %-28s\n", "", "islemci", "X",
                "tik araligi ms (ort/p99/max/sapma)", "kare araligi ms (ort/p99/max)");
    for (const Senaryo &sn : senaryolar) {
        if (*yalniz && std::strcmp(sn.ad, yalniz) != 0)
            continue;
        std::vector<Sonuc> sonuclar;
        for (int i = 0; i < tekrar; ++i)
            sonuclar.push_back(
                calistir(sn.surucu, sn.resim, sn.haber, sn.mesgul, saniye, seritResmi));
        std::sort(sonuclar.begin(), sonuclar.end(),
                  [](const Sonuc &a, const Sonuc &b) { return a.cpu < b.cpu; });
        const Sonuc &s = sonuclar[sonuclar.size() / 2];
        std::printf("%-30s %7.2f%% %7.2f%% | %6.2f %6.2f %6.1f %6.3f | %6.2f %6.2f %6.1f\n", sn.ad,
                    s.cpu, s.xCpu, s.tik.ortanca, s.tik.p99, s.tik.enBuyuk, s.tik.ortancaSapma,
                    s.kare.ortanca, s.kare.p99, s.kare.enBuyuk);
        std::fflush(stdout);
    }
    return 0;
}
