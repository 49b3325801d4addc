#include "widgets/izgara/veriizgarasi.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "remote/tablo/bellektablo.h"
#include "widgets/izgara/agirlik.h"
#include "widgets/izgara/hucrebicimi.h"
#include "widgets/izgara/hucrecizici.h"
#include "widgets/izgara/izgaraaltbilgisi.h"
#include "widgets/izgara/izgarabasligi.h"
#include "widgets/izgara/izgaramodeli.h"
#include "widgets/izgara/izgarasuzgeci.h"
#include "widgets/izgara/kolonsecici.h"
#include "widgets/izgara/suzgecpenceresi.h"

using namespace Qt::StringLiterals;

namespace {

// How long a pause in typing ends an incremental search.
constexpr int aramaSuresiMs = 1500;
// Best fit measures this many of a column's longest values, not every row.
constexpr int olculecekDegerSayisi = 32;

} // namespace

VeriIzgarasi::VeriIzgarasi(QWidget *ust)
    : QWidget(ust)
    , gorunum_(new QTableView(this))
    , model_(new IzgaraModeli(this))
    , suzgec_(new IzgaraSuzgeci(model_, this))
    , baslik_(new IzgaraBasligi(gorunum_))
    , cizici_(new HucreCizici(model_, this))
    , altBilgi_(new IzgaraAltBilgisi(gorunum_, model_, this))
{
    gorunum_->setHorizontalHeader(baslik_);
    gorunum_->setModel(suzgec_);
    gorunum_->setItemDelegate(cizici_);
    gorunum_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gorunum_->setWordWrap(false);
    gorunum_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    gorunum_->verticalHeader()->hide();
    gorunum_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    baslik_->setSectionsMovable(true);
    baslik_->setContextMenuPolicy(Qt::CustomContextMenu);
    gorunum_->installEventFilter(this);

    auto *yerlesim = new QVBoxLayout(this);
    yerlesim->setContentsMargins(0, 0, 0, 0);
    yerlesim->setSpacing(0);
    yerlesim->addWidget(gorunum_);
    yerlesim->addWidget(altBilgi_);

    aramaZamanlayicisi_.setSingleShot(true);
    aramaZamanlayicisi_.setInterval(aramaSuresiMs);
    connect(&aramaZamanlayicisi_, &QTimer::timeout, this, &VeriIzgarasi::aramayiBitir);

    connect(gorunum_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &i) { emit etkinlestirildi(tabloSatiri(i.row())); });
    connect(cizici_, &HucreCizici::dugmeTiklandi, this, [this](const QModelIndex &i) {
        emit dugmeTiklandi(tabloSatiri(i.row()), kolonAlani(i.column()));
    });
    connect(baslik_, &IzgaraBasligi::suzgecIstendi, this, &VeriIzgarasi::suzgecPenceresiniAc);
    connect(baslik_, &QWidget::customContextMenuRequested, this, &VeriIzgarasi::basliginMenusu);
    connect(suzgec_, &IzgaraSuzgeci::suzgecDegisti, this, [this] {
        suzgecliKolonlariGoster();
        altBilgiyiHesapla();
        emit suzgecDegisti();
    });
    // Any change of the rows shown recounts the footer (held back during an
    // update). A load or a filter recounts at once; single changes, which may
    // come in runs, recount once when control returns to the event loop.
    altBilgiZamanlayicisi_.setSingleShot(true);
    altBilgiZamanlayicisi_.setInterval(0);
    connect(&altBilgiZamanlayicisi_, &QTimer::timeout, this, &VeriIzgarasi::altBilgiyiHesapla);
    auto ertele = [this] {
        if (ayarlar_.altBilgi)
            altBilgiZamanlayicisi_.start();
    };
    connect(suzgec_, &QAbstractItemModel::modelReset, this, &VeriIzgarasi::altBilgiyiHesapla);
    connect(suzgec_, &QAbstractItemModel::rowsInserted, this, ertele);
    connect(suzgec_, &QAbstractItemModel::rowsRemoved, this, ertele);
    connect(suzgec_, &QAbstractItemModel::dataChanged, this, ertele);
    connect(suzgec_, &QAbstractItemModel::layoutChanged, this, ertele);
    connect(suzgec_, &QAbstractItemModel::modelReset, this, [this] {
        if (!arama_.isEmpty())
            aramayiBitir();
    });

    ayarlariUygula(ayarlar_);
}

VeriIzgarasi::~VeriIzgarasi()
{
    // The model stops listening before the views go.
    model_->tabloyuAyir();
}

void VeriIzgarasi::kolonlariAyarla(QList<IzgaraKolonu> kolonlar)
{
    suzgec_->tumSuzgecleriKaldir();
    suzgec_->sort(-1);
    model_->kolonlariAyarla(std::move(kolonlar));
    secicide_.clear();
    for (int i = 0; i < model_->columnCount(); ++i) {
        const IzgaraKolonu &k = model_->kolon(i);
        secicide_.append(k.secicide);
        // Sections may have been moved by the user; put them back in declared order.
        const int yer = baslik_->visualIndex(i);
        if (yer != i)
            baslik_->moveSection(yer, i);
        baslik_->setSectionHidden(i, !k.gorunur);
        if (k.genislik > 0)
            baslik_->resizeSection(i, k.genislik);
    }
    if (kolonSecici_)
        kolonSecici_->yenile();
    altBilgiyiHesapla();
}

void VeriIzgarasi::ayarlariUygula(const IzgaraAyarlari &ayarlar)
{
    ayarlar_ = ayarlar;
    if (ayarlar.yazi) {
        gorunum_->setFont(*ayarlar.yazi);
        altBilgi_->setFont(*ayarlar.yazi);
    }
    if (ayarlar.tumSatirSecimi) {
        gorunum_->setSelectionBehavior(QAbstractItemView::SelectRows);
        gorunum_->setTabKeyNavigation(false);
    } else {
        gorunum_->setSelectionBehavior(QAbstractItemView::SelectItems);
        gorunum_->setTabKeyNavigation(true);
    }
    gorunum_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    QHeaderView *satirlar = gorunum_->verticalHeader();
    const int satirBoyu = ayarlar.satirYuksekligi > 0 ? ayarlar.satirYuksekligi
                                                      : gorunum_->fontMetrics().height() + 8;
    satirlar->setMinimumSectionSize(std::min(satirBoyu, satirlar->minimumSectionSize()));
    satirlar->setDefaultSectionSize(satirBoyu);
    if (ayarlar.baslikYuksekligi > 0)
        baslik_->setFixedHeight(ayarlar.baslikYuksekligi);

    QPalette renkler = gorunum_->palette();
    if (ayarlar.satirRengi.isValid())
        renkler.setColor(QPalette::Base, ayarlar.satirRengi);
    if (ayarlar.ikinciSatirRengi.isValid())
        renkler.setColor(QPalette::AlternateBase, ayarlar.ikinciSatirRengi);
    gorunum_->setPalette(renkler);
    gorunum_->setAlternatingRowColors(ayarlar.ikinciSatirRengi.isValid());

    cizici_->odakCercevesiCiz(ayarlar.odakCercevesi);
    if (ayarlar.siralanabilir != gorunum_->isSortingEnabled()) {
        gorunum_->setSortingEnabled(ayarlar.siralanabilir);
        // Rows start (and, with sorting off, stay) in the table's order.
        baslik_->setSortIndicator(-1, Qt::AscendingOrder);
        suzgec_->sort(-1);
    }
    baslik_->suzgecDugmeleriniGoster(ayarlar.suzgecDugmeleri);
    altBilgi_->setVisible(ayarlar.altBilgi);
    if (!ayarlar.artimliArama)
        aramayiBitir();
    altBilgiyiHesapla();
}

// --- The table ---

void VeriIzgarasi::tabloyaBagla(BellekTablo *tablo)
{
    model_->tabloyaBagla(tablo);
}

void VeriIzgarasi::tabloyuAyir()
{
    model_->tabloyuAyir();
}

BellekTablo *VeriIzgarasi::tablo() const
{
    return model_->tablo();
}

void VeriIzgarasi::guncellemeyiBaslat()
{
    if (guncellemeDerinligi_++ == 0) {
        gorunum_->setUpdatesEnabled(false);
        altBilgi_->setUpdatesEnabled(false);
    }
}

void VeriIzgarasi::guncellemeyiBitir()
{
    if (guncellemeDerinligi_ == 0 || --guncellemeDerinligi_ > 0)
        return;
    gorunum_->setUpdatesEnabled(true);
    altBilgi_->setUpdatesEnabled(true);
    altBilgiyiHesapla();
}

// --- Columns ---

int VeriIzgarasi::kolonIndeksi(QStringView alan) const
{
    return model_->kolonIndeksi(alan);
}

QString VeriIzgarasi::kolonAlani(int kolon) const
{
    return kolon >= 0 && kolon < model_->columnCount() ? model_->kolon(kolon).alan : QString();
}

void VeriIzgarasi::kolonuGoster(QStringView alan, bool goster)
{
    const int kolon = kolonIndeksi(alan);
    if (kolon < 0 || baslik_->isSectionHidden(kolon) == !goster)
        return;
    baslik_->setSectionHidden(kolon, !goster);
    if (kolonSecici_)
        kolonSecici_->yenile();
    altBilgiyiHesapla();
}

bool VeriIzgarasi::kolonGorunurMu(QStringView alan) const
{
    const int kolon = kolonIndeksi(alan);
    return kolon >= 0 && !baslik_->isSectionHidden(kolon);
}

void VeriIzgarasi::secicideGoster(QStringView alan, bool secicide)
{
    const int kolon = kolonIndeksi(alan);
    if (kolon < 0 || kolon >= secicide_.size())
        return;
    secicide_[kolon] = secicide;
    if (kolonSecici_)
        kolonSecici_->yenile();
}

QStringList VeriIzgarasi::seciciKolonlari() const
{
    QStringList sonuc;
    for (int i = 0; i < secicide_.size(); ++i) {
        if (secicide_[i])
            sonuc.append(model_->kolon(i).alan);
    }
    return sonuc;
}

void VeriIzgarasi::kolonGenisliginiAyarla(QStringView alan, int genislik)
{
    const int kolon = kolonIndeksi(alan);
    if (kolon >= 0)
        baslik_->resizeSection(kolon, std::max(genislik, baslik_->minimumSectionSize()));
}

int VeriIzgarasi::kolonGenisligi(QStringView alan) const
{
    const int kolon = kolonIndeksi(alan);
    return kolon >= 0 ? baslik_->sectionSize(kolon) : 0;
}

QList<int> VeriIzgarasi::gorunurKolonlar() const
{
    QList<int> sonuc;
    for (int yer = 0; yer < baslik_->count(); ++yer) {
        const int kolon = baslik_->logicalIndex(yer);
        if (!baslik_->isSectionHidden(kolon))
            sonuc.append(kolon);
    }
    return sonuc;
}

// --- Sizing ---

int VeriIzgarasi::icerikGenisligi(int kolon) const
{
    const IzgaraKolonu &k = model_->kolon(kolon);
    const QFontMetrics olcu = gorunum_->fontMetrics();
    const int bosluk =
        2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, gorunum_) + 10;
    switch (k.tur) {
    case KolonTuru::Ikon:
        return std::min(24, gorunum_->verticalHeader()->defaultSectionSize() - 4) + bosluk;
    case KolonTuru::OnayKutusu:
        return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, gorunum_) + bosluk;
    case KolonTuru::IlerlemeCubugu:
        return olcu.horizontalAdvance(u"100%"_s) + 40;
    case KolonTuru::Resim:
        return gorunum_->verticalHeader()->defaultSectionSize() * 3 / 2;
    case KolonTuru::Dugme:
        if (!k.dugmeMetni.isEmpty())
            return olcu.horizontalAdvance(k.dugmeMetni) + 24;
        break;
    default:
        break;
    }

    // The longest texts (by characters, or by magnitude for numbers) are the
    // widest ones but for glyph widths; measure only those.
    const BellekTablo *tablo = model_->tablo();
    const int t = model_->tabloKolonu(kolon);
    const int satirSayisi = suzgec_->rowCount();
    if (!tablo || t < 0 || satirSayisi == 0)
        return 0;
    const Depolama depolama = depolamaTuru(tablo->kolon(t).tip);
    std::vector<std::pair<double, int>> adaylar;
    adaylar.reserve(satirSayisi);
    for (int g = 0; g < satirSayisi; ++g) {
        const int s = suzgec_->mapToSource(suzgec_->index(g, 0)).row();
        double anahtar = 0;
        switch (depolama) {
        case Depolama::Metin:
            anahtar = static_cast<double>(tablo->metinGorunumu(s, t).size());
            break;
        case Depolama::Tamsayi32:
        case Depolama::Tamsayi64:
        case Depolama::Ondalik: {
            const double d = tablo->sayi(s, t);
            anahtar = std::abs(d) * (d < 0 ? 10 : 1);
            break;
        }
        default:
            anahtar = g < olculecekDegerSayisi ? 1 : 0;
            break;
        }
        adaylar.emplace_back(anahtar, s);
    }
    const auto son = adaylar.begin() +
        std::min<qsizetype>(olculecekDegerSayisi, static_cast<qsizetype>(adaylar.size()));
    std::partial_sort(adaylar.begin(), son, adaylar.end(),
                      [](const auto &a, const auto &b) { return a.first > b.first; });
    int genislik = 0;
    for (auto it = adaylar.begin(); it != son; ++it)
        genislik =
            std::max(genislik, olcu.horizontalAdvance(model_->hucreMetni(it->second, kolon)));
    return genislik + bosluk;
}

void VeriIzgarasi::enIyiSigdir()
{
    guncellemeyiBaslat();
    for (const int kolon : gorunurKolonlar()) {
        const int baslikGenisligi = baslik_->sectionSizeHint(kolon);
        baslik_->resizeSection(kolon, std::max(baslikGenisligi, icerikGenisligi(kolon)));
    }
    guncellemeyiBitir();
}

void VeriIzgarasi::agirligaGoreBoyutlandir(int kullanilabilir)
{
    const QList<int> kolonlar = gorunurKolonlar();
    QList<int> agirliklar;
    for (const int kolon : kolonlar)
        agirliklar.append(model_->kolon(kolon).agirlik);
    const QList<int> genislikler = agirlikGenislikleri(agirliklar, kullanilabilir);
    if (genislikler.isEmpty()) {
        enIyiSigdir();
        return;
    }
    guncellemeyiBaslat();
    for (qsizetype i = 0; i < kolonlar.size(); ++i)
        baslik_->resizeSection(kolonlar[i],
                               std::max(genislikler[i], baslik_->minimumSectionSize()));
    guncellemeyiBitir();
}

void VeriIzgarasi::kolonGenislikleriniAyarla(int pay, int esik, int ekranGenisligi)
{
    if (esik > 0) {
        if (ekranGenisligi <= 0)
            ekranGenisligi = screen() ? screen()->geometry().width() : 0;
        if (ekranGenisligi <= esik) {
            enIyiSigdir();
            return;
        }
    }
    agirligaGoreBoyutlandir(width() - pay);
}

int VeriIzgarasi::yatayKaydirmaCubuguYuksekligi() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                gorunum_->horizontalScrollBar());
}

// --- Filter ---

void VeriIzgarasi::suzgecAyarla(QStringView alan, const QStringList &metinler)
{
    const int kolon = kolonIndeksi(alan);
    if (kolon >= 0)
        suzgec_->suzgecAyarla(kolon, QSet<QString>(metinler.begin(), metinler.end()));
}

void VeriIzgarasi::suzgeciTemizle()
{
    suzgec_->tumSuzgecleriKaldir();
}

bool VeriIzgarasi::suzgecVarMi() const
{
    return suzgec_->suzgecVarMi();
}

void VeriIzgarasi::suzgecPenceresiniAc(int kolon)
{
    if (kolon < 0 || kolon >= model_->columnCount())
        return;
    if (suzgecPenceresi_)
        suzgecPenceresi_->close();
    auto *pencere = new SuzgecPenceresi(suzgec_, kolon, this);
    suzgecPenceresi_ = pencere;
    QRect dugme = baslik_->dugmeAlani(kolon);
    if (dugme.isNull())
        dugme = QRect(baslik_->sectionViewportPosition(kolon), 0, baslik_->sectionSize(kolon),
                      baslik_->height());
    QPoint yer =
        baslik_->mapToGlobal(dugme.bottomRight() + QPoint(1, 1)) - QPoint(pencere->width(), 0);
    if (const QScreen *ekran = screen()) {
        const QRect alan = ekran->availableGeometry();
        yer.setX(std::clamp(yer.x(), alan.left(),
                            std::max(alan.left(), alan.right() - pencere->width())));
        yer.setY(std::clamp(yer.y(), alan.top(),
                            std::max(alan.top(), alan.bottom() - pencere->height())));
    }
    pencere->move(yer);
    pencere->show();
    pencere->aramaKutusu()->setFocus();
}

SuzgecPenceresi *VeriIzgarasi::acikSuzgecPenceresi() const
{
    return suzgecPenceresi_;
}

void VeriIzgarasi::suzgecliKolonlariGoster()
{
    QList<int> kolonlar;
    for (int i = 0; i < model_->columnCount(); ++i) {
        if (suzgec_->suzgecliMi(i))
            kolonlar.append(i);
    }
    baslik_->suzgecliKolonlariAyarla(kolonlar);
}

// --- Rows ---

int VeriIzgarasi::gorunenSatirSayisi() const
{
    return suzgec_->rowCount();
}

qsizetype VeriIzgarasi::tabloSatiri(int gorunenSatir) const
{
    if (gorunenSatir < 0 || gorunenSatir >= suzgec_->rowCount())
        return -1;
    return suzgec_->mapToSource(suzgec_->index(gorunenSatir, 0)).row();
}

QString VeriIzgarasi::hucreMetni(int gorunenSatir, int kolon) const
{
    const qsizetype satir = tabloSatiri(gorunenSatir);
    return satir < 0 ? QString() : model_->hucreMetni(static_cast<int>(satir), kolon);
}

qsizetype VeriIzgarasi::odakliSatir() const
{
    const QModelIndex gecerli = gorunum_->currentIndex();
    return gecerli.isValid() ? tabloSatiri(gecerli.row()) : -1;
}

QString VeriIzgarasi::odakliAlan() const
{
    const QModelIndex gecerli = gorunum_->currentIndex();
    return gecerli.isValid() ? kolonAlani(gecerli.column()) : QString();
}

bool VeriIzgarasi::satiraOdaklan(qsizetype tabloSatiri, QStringView alan)
{
    if (tabloSatiri < 0 || tabloSatiri >= model_->rowCount())
        return false;
    int kolon = alan.isEmpty() ? -1 : kolonIndeksi(alan);
    if (kolon < 0) {
        const QModelIndex gecerli = gorunum_->currentIndex();
        const QList<int> gorunen = gorunurKolonlar();
        kolon = gecerli.isValid() ? gecerli.column() : (gorunen.isEmpty() ? 0 : gorunen.first());
    }
    const QModelIndex hedef =
        suzgec_->mapFromSource(model_->index(static_cast<int>(tabloSatiri), kolon));
    if (!hedef.isValid())
        return false;
    gorunum_->setCurrentIndex(hedef);
    gorunum_->scrollTo(hedef);
    return true;
}

double VeriIzgarasi::gorunenToplam(QStringView alan) const
{
    const BellekTablo *tablo = model_->tablo();
    const int t = model_->tabloKolonu(kolonIndeksi(alan));
    if (!tablo || t < 0)
        return 0;
    double toplam = 0;
    const int n = suzgec_->rowCount();
    if (!suzgec_->suzgecVarMi()) {
        for (qsizetype s = 0; s < tablo->satirSayisi(); ++s)
            toplam += tablo->sayi(s, t);
        return toplam;
    }
    for (int g = 0; g < n; ++g)
        toplam += tablo->sayi(tabloSatiri(g), t);
    return toplam;
}

// --- Footer ---

void VeriIzgarasi::altBilgiyiHesapla()
{
    altBilgiZamanlayicisi_.stop();
    if (guncellemeDerinligi_ > 0 || !ayarlar_.altBilgi)
        return;
    AltBilgi bilgi;
    bilgi.satirSayisi = gorunenSatirSayisi();
    for (int i = 0; i < model_->columnCount(); ++i) {
        const IzgaraKolonu &k = model_->kolon(i);
        if (k.altToplam == AltToplam::Sayi) {
            bilgi.metinler.insert(k.alan, QString::number(bilgi.satirSayisi));
        } else if (k.altToplam == AltToplam::Toplam) {
            const double toplam = gorunenToplam(k.alan);
            bilgi.toplamlar.insert(k.alan, toplam);
            bilgi.metinler.insert(k.alan, sayiMetni(toplam, model_->bicim(i)));
        }
    }
    if (ayarlar_.altBilgideKayitSayisi) {
        const QList<int> gorunen = gorunurKolonlar();
        if (!gorunen.isEmpty() && !bilgi.metinler.contains(model_->kolon(gorunen.first()).alan))
            bilgi.metinler.insert(model_->kolon(gorunen.first()).alan,
                                  u"%1 kayıt"_s.arg(bilgi.satirSayisi));
    }
    if (altBilgiKancasi_)
        altBilgiKancasi_(bilgi);

    QHash<int, QString> metinler;
    for (auto it = bilgi.metinler.cbegin(); it != bilgi.metinler.cend(); ++it) {
        const int kolon = kolonIndeksi(it.key());
        if (kolon >= 0)
            metinler.insert(kolon, it.value());
    }
    altBilgi_->metinleriAyarla(metinler);
}

QString VeriIzgarasi::altBilgiMetni(QStringView alan) const
{
    return altBilgi_->metin(kolonIndeksi(alan));
}

void VeriIzgarasi::altBilgiKancasiAyarla(std::function<void(AltBilgi &)> kanca)
{
    altBilgiKancasi_ = std::move(kanca);
    altBilgiyiHesapla();
}

// --- Chooser, clipboard, menus ---

void VeriIzgarasi::kolonSeciciyiAc()
{
    if (!kolonSecici_)
        kolonSecici_ = new KolonSecici(this);
    kolonSecici_->yenile();
    kolonSecici_->show();
    kolonSecici_->raise();
    kolonSecici_->activateWindow();
}

KolonSecici *VeriIzgarasi::kolonSecici() const
{
    return kolonSecici_;
}

QString VeriIzgarasi::secilenlerMetni() const
{
    QList<int> satirlar;
    for (const QModelIndex &i : gorunum_->selectionModel()->selectedIndexes())
        satirlar.append(i.row());
    if (satirlar.isEmpty() && gorunum_->currentIndex().isValid())
        satirlar.append(gorunum_->currentIndex().row());
    std::sort(satirlar.begin(), satirlar.end());
    satirlar.erase(std::unique(satirlar.begin(), satirlar.end()), satirlar.end());

    const QList<int> kolonlar = gorunurKolonlar();
    QStringList satirMetinleri;
    for (const int satir : satirlar) {
        QStringList hucreler;
        for (const int kolon : kolonlar) {
            QString metin = hucreMetni(satir, kolon);
            // A tab or line break inside a cell would break the table apart.
            metin.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            hucreler.append(metin);
        }
        satirMetinleri.append(hucreler.join(u'\t'));
    }
    return satirMetinleri.join(u'\n');
}

void VeriIzgarasi::secilenleriKopyala()
{
    const QString metin = secilenlerMetni();
    if (!metin.isEmpty())
        QApplication::clipboard()->setText(metin);
}

void VeriIzgarasi::basliginMenusu(const QPoint &yer)
{
    QMenu menu(this);
    menu.addAction(u"Kolon Seçici"_s, this, &VeriIzgarasi::kolonSeciciyiAc)
        ->setEnabled(!seciciKolonlari().isEmpty());
    menu.addAction(u"En Uygun Genişlik"_s, this, &VeriIzgarasi::enIyiSigdir);
    if (suzgecVarMi())
        menu.addAction(u"Filtreyi Temizle"_s, this, &VeriIzgarasi::suzgeciTemizle);
    menu.exec(baslik_->mapToGlobal(yer));
}

// --- Keyboard ---

bool VeriIzgarasi::eventFilter(QObject *nesne, QEvent *olay)
{
    if (nesne == gorunum_ && olay->type() == QEvent::KeyPress)
        return tusBasildi(static_cast<QKeyEvent *>(olay));
    return QWidget::eventFilter(nesne, olay);
}

bool VeriIzgarasi::tusBasildi(QKeyEvent *olay)
{
    if (olay->matches(QKeySequence::Copy)) {
        secilenleriKopyala();
        return true;
    }
    const Qt::KeyboardModifiers degistirici =
        olay->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (olay->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        aramayiBitir();
        if (const qsizetype satir = odakliSatir(); satir >= 0)
            emit etkinlestirildi(satir);
        return true;
    case Qt::Key_Backspace:
        if (arama_.isEmpty())
            return false;
        arama_.chop(1);
        if (arama_.isEmpty())
            aramayiBitir();
        else
            artimliAra(arama_, true);
        return true;
    case Qt::Key_Escape:
        if (arama_.isEmpty())
            return false;
        aramayiBitir();
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        // With whole rows selected there is no column to move along:
        // Home and End go to the first and last row.
        if (ayarlar_.tumSatirSecimi && degistirici == Qt::NoModifier && suzgec_->rowCount() > 0) {
            aramayiBitir();
            const int kolon =
                std::max(gorunum_->currentIndex().column(), gorunurKolonlar().value(0, 0));
            const int satir = olay->key() == Qt::Key_Home ? 0 : suzgec_->rowCount() - 1;
            const QModelIndex hedef = suzgec_->index(satir, kolon);
            gorunum_->setCurrentIndex(hedef);
            gorunum_->scrollTo(hedef);
            return true;
        }
        break;
    default:
        break;
    }

    const QString metin = olay->text();
    if (ayarlar_.artimliArama && degistirici == Qt::NoModifier && !metin.isEmpty() &&
        metin.front().isPrint()) {
        const bool bulundu = artimliAra(arama_ + metin, false);
        if (!bulundu)
            QApplication::beep();
        return true;
    }
    if (olay->key() != Qt::Key_Shift)
        aramayiBitir();
    return false;
}

bool VeriIzgarasi::artimliAra(const QString &metin, bool bastan)
{
    const int satirSayisi = suzgec_->rowCount();
    QModelIndex gecerli = gorunum_->currentIndex();
    const int kolon = gecerli.isValid() ? gecerli.column() : gorunurKolonlar().value(0, -1);
    if (kolon < 0 || satirSayisi == 0)
        return false;
    // The focused row first (typing on extends its match), then the rows
    // below it, then those above.
    const int ilk = bastan || !gecerli.isValid() ? 0 : gecerli.row();
    for (int i = 0; i < satirSayisi; ++i) {
        const int satir = (ilk + i) % satirSayisi;
        if (!hucreMetni(satir, kolon).startsWith(metin, Qt::CaseInsensitive))
            continue;
        arama_ = metin;
        const QModelIndex hedef = suzgec_->index(satir, kolon);
        gorunum_->setCurrentIndex(hedef);
        gorunum_->scrollTo(hedef);
        cizici_->aramaVurgusu(hedef, static_cast<int>(metin.size()));
        gorunum_->viewport()->update();
        aramaZamanlayicisi_.start();
        return true;
    }
    return false;
}

void VeriIzgarasi::aramayiBitir()
{
    aramaZamanlayicisi_.stop();
    if (arama_.isEmpty())
        return;
    arama_.clear();
    cizici_->aramaVurgusu({}, 0);
    gorunum_->viewport()->update();
}
