#include "catalog/onaysipu.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TONAYSIP::TONAYSIP(const QString &ozet, QWidget *ust)
    : QDialog(ust, Qt::Tool)
{
    setObjectName(u"ONAYSIP"_s);
    setWindowTitle(u"Sipariş Onay"_s);
    resize(527, 334);

    auto *cerceve = new QFrame(this);
    cerceve->setFrameShape(QFrame::StyledPanel);
    ozet_ = new QLabel(cerceve);
    ozet_->setObjectName(u"ozet"_s);
    // The captions are padded to one width: a fixed-pitch font keeps the
    // values in one column. A note with line breaks keeps them.
    QFont sabit(u"Courier New"_s);
    sabit.setStyleHint(QFont::Monospace);
    sabit.setFixedPitch(true);
    sabit.setPixelSize(16);
    sabit.setBold(true);
    ozet_->setFont(sabit);
    ozet_->setTextFormat(Qt::PlainText);
    ozet_->setText(QString(ozet).replace(u"\r\n"_s, u"\n"_s));
    ozet_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ozet_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *cerceveDuzeni = new QVBoxLayout(cerceve);
    cerceveDuzeni->addWidget(ozet_);

    auto *soru = new QLabel(u"Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"_s, this);
    soru->setObjectName(u"soru"_s);
    QFont soruYazisi(u"Tahoma"_s);
    soruYazisi.setPixelSize(20);
    soruYazisi.setBold(true);
    soru->setFont(soruYazisi);
    soru->setAlignment(Qt::AlignCenter);
    soru->setWordWrap(true);

    evet_ = new QPushButton(u"Evet"_s, this);
    evet_->setObjectName(u"evet"_s);
    hayir_ = new QPushButton(u"Hayır"_s, this);
    hayir_->setObjectName(u"hayir"_s);
    for (QPushButton *d : {evet_, hayir_})
        d->setMinimumSize(110, 36);
    connect(evet_, &QPushButton::clicked, this, &QDialog::accept);
    connect(hayir_, &QPushButton::clicked, this, &QDialog::reject);
    auto *dugmeler = new QHBoxLayout;
    dugmeler->addWidget(evet_);
    dugmeler->addStretch();
    dugmeler->addWidget(hayir_);

    auto *duzen = new QVBoxLayout(this);
    duzen->addWidget(cerceve, 1);
    duzen->addWidget(soru);
    duzen->addLayout(dugmeler);
}

void TONAYSIP::showEvent(QShowEvent *olay)
{
    QDialog::showEvent(olay);
    if (QWidget *ana = parentWidget())
        move(ana->window()->geometry().center() - rect().center());
}
