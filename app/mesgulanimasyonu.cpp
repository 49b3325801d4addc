#include "app/mesgulanimasyonu.h"

#include <QPainter>
#include <QSvgRenderer>

#include "resources/kaynaklar.h"

using namespace Qt::StringLiterals;

MesgulAnimasyonu::MesgulAnimasyonu(QWidget *ust)
    : QWidget(ust)
    , cizici_(new QSvgRenderer(ResimYolu(u"mesgul"_s), this))
{
    setFixedSize(sizeHint());
    cizici_->setFramesPerSecond(0);
    connect(cizici_, &QSvgRenderer::repaintNeeded, this, qOverload<>(&QWidget::update));
    hide();
}

void MesgulAnimasyonu::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    cizici_->render(&p, rect());
}

void MesgulAnimasyonu::showEvent(QShowEvent *olay)
{
    QWidget::showEvent(olay);
    cizici_->setFramesPerSecond(20);
}

void MesgulAnimasyonu::hideEvent(QHideEvent *olay)
{
    QWidget::hideEvent(olay);
    cizici_->setFramesPerSecond(0);
}
