#include "app/sekmeler.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int DugmeGenisligi = 110;
constexpr int DugmeYuksekligi = 55;
constexpr int SimgeBoyu = 26;

} // namespace

SekmeDugmesi::SekmeDugmesi(const QIcon &simge, const QString &baslik, QWidget *ust)
    : QAbstractButton(ust)
    , renkler_(Renkler(Gorunum::Varsayilan))
{
    setIcon(simge);
    setText(baslik);
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    QFont yazi(u"Segoe UI Semibold"_s);
    yazi.setPixelSize(12);
    yazi.setWeight(QFont::DemiBold);
    setFont(yazi);
    setFixedSize(DugmeGenisligi, DugmeYuksekligi);
}

void SekmeDugmesi::setRozet(int sayi)
{
    if (rozet_ == sayi)
        return;
    rozet_ = sayi;
    update();
}

void SekmeDugmesi::setRenkler(const GorunumRenkleri &renkler)
{
    renkler_ = renkler;
    update();
}

QSize SekmeDugmesi::sizeHint() const
{
    return {DugmeGenisligi, DugmeYuksekligi};
}

void SekmeDugmesi::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF kutu = QRectF(rect()).adjusted(1.5, 3.5, -1.5, -0.5);
    const bool secili = isChecked();
    const bool uzerinde = underMouse() && !secili;

    // A rounded top, open at the bottom where it meets the page.
    QPainterPath yol;
    const qreal r = 6;
    yol.moveTo(kutu.bottomLeft());
    yol.lineTo(kutu.left(), kutu.top() + r);
    yol.quadTo(kutu.topLeft(), {kutu.left() + r, kutu.top()});
    yol.lineTo(kutu.right() - r, kutu.top());
    yol.quadTo(kutu.topRight(), {kutu.right(), kutu.top() + r});
    yol.lineTo(kutu.bottomRight());

    QLinearGradient zemin(kutu.topLeft(), kutu.bottomLeft());
    const auto &k = renkler_;
    zemin.setColorAt(0, secili ? k.seciliUst : uzerinde ? k.uzerindeUst : k.sekmeUst);
    zemin.setColorAt(1, secili ? k.seciliAlt : uzerinde ? k.uzerindeAlt : k.sekmeAlt);
    p.fillPath(yol, zemin);
    p.setPen(QPen(secili ? k.seciliKenar : k.kenar, 1));
    p.drawPath(yol);
    if (hasFocus()) {
        p.setPen(QPen(k.vurgu, 1, Qt::DotLine));
        p.drawRoundedRect(kutu.adjusted(3, 3, -3, -3), 4, 4);
    }

    const QRect simgeYeri(6, (height() - SimgeBoyu) / 2 + 2, SimgeBoyu, SimgeBoyu);
    icon().paint(&p, simgeYeri, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    p.setPen(secili ? k.seciliYazi : k.yazi);
    p.setFont(font());
    const QRect yaziYeri(simgeYeri.right() + 5, 4, width() - simgeYeri.right() - 8, height() - 4);
    p.drawText(yaziYeri, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());

    if (rozet_ > 0) {
        QFont kucuk = font();
        kucuk.setPixelSize(10);
        kucuk.setWeight(QFont::Bold);
        p.setFont(kucuk);
        const QString sayi = rozet_ > 999 ? u"999+"_s : QString::number(rozet_);
        const int genislik = qMax(18, QFontMetrics(kucuk).horizontalAdvance(sayi) + 10);
        const QRectF hap(width() - genislik - 3, 0.5, genislik, 17);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(k.rozet);
        p.drawRoundedRect(hap, 8.5, 8.5);
        p.setPen(Qt::white);
        p.drawText(hap, Qt::AlignCenter, sayi);
    }
}

SayfaKontrolu::SayfaKontrolu(QWidget *ust)
    : QWidget(ust)
    , dugmeSirasi_(new QHBoxLayout)
    , grup_(new QButtonGroup(this))
    , sayfalar_(new QStackedWidget)
{
    sayfalar_->setObjectName(u"sayfalar"_s);
    dugmeSirasi_->setContentsMargins(4, 0, 4, 0);
    dugmeSirasi_->setSpacing(2);
    dugmeSirasi_->addStretch();
    auto *ana = new QVBoxLayout(this);
    ana->setContentsMargins(0, 0, 0, 0);
    ana->setSpacing(0);
    ana->addLayout(dugmeSirasi_);
    ana->addWidget(sayfalar_, 1);
    grup_->setExclusive(true);
    connect(grup_, &QButtonGroup::idClicked, this, &SayfaKontrolu::setAktifSekme);

    // Ctrl+Tab and Ctrl+Shift+Tab, Ctrl+PgDown and Ctrl+PgUp walk the visible tabs.
    for (const auto &[tus, yon] :
         {std::pair {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
          std::pair {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
          std::pair {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
          std::pair {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto *kisayol = new QShortcut(tus, this);
        kisayol->setContext(Qt::WindowShortcut);
        connect(kisayol, &QShortcut::activated, this, [this, y = yon] { sonrakiSekme(y); });
    }
}

QWidget *SayfaKontrolu::sekmeEkle(const QString &ad, const QString &baslik, const QIcon &simge)
{
    auto *dugme = new SekmeDugmesi(simge, baslik);
    dugme->setObjectName(ad + u"Dugmesi"_s);
    const int sira = int(dugmeler_.size());
    dugmeler_.append(dugme);
    grup_->addButton(dugme, sira);
    dugmeSirasi_->insertWidget(sira, dugme, 0, Qt::AlignBottom);

    auto *sayfa = new QWidget;
    sayfa->setObjectName(ad);
    auto *duzen = new QVBoxLayout(sayfa);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->setSpacing(0);
    sayfalar_->addWidget(sayfa);
    if (sira == 0)
        setAktifSekme(0);
    return sayfa;
}

int SayfaKontrolu::sekmeSayisi() const
{
    return int(dugmeler_.size());
}

QWidget *SayfaKontrolu::sayfa(int sira) const
{
    return sayfalar_->widget(sira);
}

SekmeDugmesi *SayfaKontrolu::dugme(int sira) const
{
    return dugmeler_.value(sira);
}

int SayfaKontrolu::aktifSekme() const
{
    return sayfalar_->currentIndex();
}

void SayfaKontrolu::setAktifSekme(int sira)
{
    if (sira < 0 || sira >= sekmeSayisi() || dugmeler_[sira]->isHidden())
        return;
    dugmeler_[sira]->setChecked(true);
    if (gosterilen_ == sira)
        return;
    gosterilen_ = sira;
    sayfalar_->setCurrentIndex(sira);
    emit sekmeGosterildi(sira);
}

void SayfaKontrolu::setSekmeGorunur(int sira, bool gorunur)
{
    if (SekmeDugmesi *d = dugme(sira)) {
        d->setVisible(gorunur);
        if (!gorunur && aktifSekme() == sira)
            sonrakiSekme(1);
    }
}

bool SayfaKontrolu::sekmeGorunurMu(int sira) const
{
    const SekmeDugmesi *d = dugme(sira);
    return d && !d->isHidden();
}

void SayfaKontrolu::setRozet(int sira, int sayi)
{
    if (SekmeDugmesi *d = dugme(sira))
        d->setRozet(sayi);
}

void SayfaKontrolu::setBaslik(int sira, const QString &baslik)
{
    if (SekmeDugmesi *d = dugme(sira)) {
        d->setText(baslik);
        d->update();
    }
}

void SayfaKontrolu::setRenkler(const GorunumRenkleri &renkler)
{
    for (SekmeDugmesi *d : std::as_const(dugmeler_))
        d->setRenkler(renkler);
}

void SayfaKontrolu::sonrakiSekme(int yon)
{
    const int n = sekmeSayisi();
    for (int adim = 1; adim < n; ++adim) {
        const int aday = ((aktifSekme() + yon * adim) % n + n) % n;
        if (sekmeGorunurMu(aday)) {
            setAktifSekme(aday);
            return;
        }
    }
}
