#include "catalog/stokayarintiu.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/utils/bicim.h"

using namespace Qt::StringLiterals;

ParaKutusu::ParaKutusu(QWidget *ust)
    : QLineEdit(ust)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::editingFinished, this, [this] { setDeger(deger()); });
}

double ParaKutusu::deger() const
{
    return SayiOku(text()).value_or(0.0);
}

void ParaKutusu::setDeger(double deger)
{
    setText(SayiBicimle(deger, ParaBicimi));
}

QImage YerTutucuResim(QSize boyut)
{
    QImage resim(boyut, QImage::Format_ARGB32_Premultiplied);
    resim.fill(QColor(246, 248, 251));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF alan(resim.rect());
    const qreal r = std::min(alan.width(), alan.height()) * 0.22;
    const QPointF merkez = alan.center() - QPointF(0, r * 0.35);
    // A brake disc: the part the catalogue is best known for.
    p.setPen(QPen(QColor(170, 182, 200), r * 0.06));
    p.setBrush(QColor(226, 232, 240));
    p.drawEllipse(merkez, r, r);
    p.setBrush(QColor(246, 248, 251));
    p.drawEllipse(merkez, r * 0.38, r * 0.38);
    for (int i = 0; i < 5; ++i) {
        const qreal a = i * 2 * M_PI / 5;
        p.drawEllipse(merkez + QPointF(std::cos(a), std::sin(a)) * r * 0.22, r * 0.05, r * 0.05);
    }
    p.setPen(QColor(120, 134, 156));
    QFont yazi(u"Tahoma"_s);
    yazi.setPixelSize(std::max(10, int(r * 0.22)));
    p.setFont(yazi);
    p.drawText(QRectF(0, merkez.y() + r * 1.15, alan.width(), r * 0.5), Qt::AlignCenter,
               u"Resim yok"_s);
    return resim;
}

Tstokayarinti::Tstokayarinti(QWidget *ust)
    : QDialog(ust)
{
    setObjectName(u"stokayarinti"_s);
    setWindowTitle(u"Sepete Ekle"_s);
    resize(550, 631);

    const auto etiket = [this](const QString &ad) {
        auto *l = new QLabel(this);
        l->setObjectName(ad);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setWordWrap(true);
        return l;
    };
    barkod_ = etiket(u"barkod"_s);
    adi_ = etiket(u"adi"_s);
    finishkod_ = etiket(u"finishkod"_s);
    marka_ = etiket(u"marka"_s);
    model_ = etiket(u"model"_s);
    QFont kalin = adi_->font();
    kalin.setBold(true);
    adi_->setFont(kalin);

    auto *ust_ = new QWidget(this);
    ust_->setObjectName(u"ustPanel"_s);
    auto *bilgi = new QFormLayout(ust_);
    bilgi->setLabelAlignment(Qt::AlignRight);
    bilgi->addRow(u"Barkod:"_s, barkod_);
    bilgi->addRow(u"Açıklama:"_s, adi_);
    bilgi->addRow(u"Finish Kod:"_s, finishkod_);
    bilgi->addRow(u"Marka:"_s, marka_);
    bilgi->addRow(u"Model:"_s, model_);

    Image1_ = new QLabel(this);
    Image1_->setObjectName(u"Image1"_s);
    Image1_->setAlignment(Qt::AlignCenter);
    Image1_->setMinimumSize(200, 160);
    Image1_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    adet_ = new QSpinBox(this);
    adet_->setObjectName(u"adet"_s);
    adet_->setRange(1, 10000);
    adet_->setValue(1);
    adet_->setAlignment(Qt::AlignRight);
    const auto kutu = [this](const QString &ad) {
        auto *k = new ParaKutusu(this);
        k->setObjectName(ad);
        k->setReadOnly(true);
        return k;
    };
    birimfiyat_ = kutu(u"birimfiyat"_s);
    indoran_ = kutu(u"indoran"_s);
    indtutar_ = kutu(u"indtutar"_s);
    kdvdahiltutar_ = kutu(u"kdvdahiltutar"_s);
    geneltutar_ = kutu(u"geneltutar"_s);
    indirimoran_ = new QLabel(u"İndirim:"_s, this);
    indirimoran_->setObjectName(u"indirimoran"_s);
    indoran_->setMaximumWidth(90);

    auto *alt = new QWidget(this);
    alt->setObjectName(u"altPanel"_s);
    auto *degerler = new QGridLayout(alt);
    const auto baslik = [this](const QString &metin) {
        auto *l = new QLabel(metin, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    degerler->addWidget(baslik(u"Adet:"_s), 0, 0);
    degerler->addWidget(adet_, 0, 1, 1, 2);
    degerler->addWidget(baslik(u"Fiyat:"_s), 1, 0);
    degerler->addWidget(birimfiyat_, 1, 1, 1, 2);
    indirimoran_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    degerler->addWidget(indirimoran_, 2, 0);
    degerler->addWidget(indoran_, 2, 1);
    degerler->addWidget(indtutar_, 2, 2);
    degerler->addWidget(baslik(u"KDV Dahil:"_s), 3, 0);
    degerler->addWidget(kdvdahiltutar_, 3, 1, 1, 2);
    degerler->addWidget(baslik(u"Tutar:"_s), 4, 0);
    degerler->addWidget(geneltutar_, 4, 1, 1, 2);
    QFont buyuk = geneltutar_->font();
    buyuk.setBold(true);
    geneltutar_->setFont(buyuk);

    ParcaliTus1_ = new QPushButton(u"Sipariş ekle"_s, this);
    ParcaliTus1_->setObjectName(u"ParcaliTus1"_s);
    ParcaliTus2_ = new QPushButton(u"Vazgeç"_s, this);
    ParcaliTus2_->setObjectName(u"ParcaliTus2"_s);
    for (QPushButton *d : {ParcaliTus1_, ParcaliTus2_}) {
        d->setMinimumSize(120, 44);
        d->setAutoDefault(false);
    }
    connect(ParcaliTus1_, &QPushButton::clicked, this, &QDialog::accept);
    connect(ParcaliTus2_, &QPushButton::clicked, this, &QDialog::reject);
    auto *dugmeler = new QVBoxLayout;
    dugmeler->addStretch();
    dugmeler->addWidget(ParcaliTus1_);
    dugmeler->addWidget(ParcaliTus2_);

    auto *altSira = new QHBoxLayout;
    altSira->addWidget(alt, 1);
    altSira->addLayout(dugmeler);
    auto *duzen = new QVBoxLayout(this);
    duzen->addWidget(ust_);
    duzen->addWidget(Image1_, 1);
    duzen->addLayout(altSira);

    for (QWidget *w : {static_cast<QWidget *>(adet_), static_cast<QWidget *>(birimfiyat_),
                       static_cast<QWidget *>(indoran_), static_cast<QWidget *>(indtutar_),
                       static_cast<QWidget *>(kdvdahiltutar_), static_cast<QWidget *>(geneltutar_)})
        w->installEventFilter(this);
    connect(adet_, &QSpinBox::valueChanged, this, [this] {
        TutarYaz();
        Hesapla();
    });
    setTabOrder(adet_, birimfiyat_);
    setTabOrder(birimfiyat_, indoran_);
    resmiGoster();
}

void Tstokayarinti::doldur(const EditorDegerleri &d, bool fiyatDegistirilebilir)
{
    barkod_->setText(d.barkod);
    adi_->setText(d.adi);
    finishkod_->setText(d.finishkod);
    marka_->setText(d.marka);
    model_->setText(d.model);
    kdvoran_ = d.kdvoran;
    kdvlifiyat_ = d.kdvlifiyat;
    birimfiyat_->setDeger(d.birimfiyat);
    indirimoran_->setText(d.indirimEtiketi);
    indoran_->setDeger(d.indoran);
    indtutar_->setDeger(d.indtutar);
    kdvdahiltutar_->setDeger(d.kdvdahiltutar);
    {
        const QSignalBlocker sessiz(adet_);
        adet_->setValue(d.adet);
    }
    birimfiyat_->setReadOnly(!fiyatDegistirilebilir);
    indoran_->setReadOnly(!fiyatDegistirilebilir);
    TutarYaz();
}

void Tstokayarinti::setResim(const QImage &resim)
{
    if (resim.isNull())
        return;
    resim_ = resim;
    resimYuklendi_ = true;
    resmiGoster();
}

void Tstokayarinti::resmiGoster()
{
    const QSize alan = Image1_->size().expandedTo({200, 160});
    if (resim_.isNull()) {
        Image1_->setPixmap(QPixmap::fromImage(YerTutucuResim(alan)));
        return;
    }
    // Centred, scaled proportionally, never blown up beyond its own size.
    const QSize boyut = resim_.size().boundedTo(alan);
    Image1_->setPixmap(QPixmap::fromImage(
            resim_.scaled(boyut, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Tstokayarinti::TutarYaz()
{
    const int adet = adet_->text().trimmed().isEmpty() ? 1 : adet_->value();
    geneltutar_->setDeger(AcilisTutari(adet, kdvlifiyat_));
}

void Tstokayarinti::Hesapla()
{
    const SatirHesabi h = SatirHesapla(birimfiyat_->deger(), indoran_->deger(), kdvoran_, adet_->value());
    indtutar_->setDeger(h.indtutar);
    kdvdahiltutar_->setDeger(h.kdvdahiltutar);
    geneltutar_->setDeger(h.geneltutar);
}

bool Tstokayarinti::eventFilter(QObject *nesne, QEvent *olay)
{
    if (olay->type() == QEvent::KeyPress) {
        const auto *tus = static_cast<QKeyEvent *>(olay);
        if (tus->key() == Qt::Key_Return || tus->key() == Qt::Key_Enter) {
            if (nesne == adet_) {
                accept();
                return true;
            }
            if (nesne == birimfiyat_) {
                indoran_->setFocus(Qt::TabFocusReason);
                indoran_->selectAll();
                return true;
            }
            if (nesne == indoran_) {
                birimfiyat_->setFocus(Qt::TabFocusReason);
                birimfiyat_->selectAll();
                return true;
            }
        }
    } else if (olay->type() == QEvent::KeyRelease && nesne != adet_) {
        Hesapla();
    }
    return QDialog::eventFilter(nesne, olay);
}

void Tstokayarinti::showEvent(QShowEvent *olay)
{
    QDialog::showEvent(olay);
    if (QWidget *ana = parentWidget()) {
        const QRect r = ana->window()->geometry();
        move(r.center() - rect().center());
    }
    adet_->setFocus(Qt::OtherFocusReason);
    adet_->selectAll();
}

void Tstokayarinti::resizeEvent(QResizeEvent *olay)
{
    QDialog::resizeEvent(olay);
    resmiGoster();
}
