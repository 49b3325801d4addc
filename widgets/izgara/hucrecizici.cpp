#include "widgets/izgara/hucrecizici.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/izgara/izgaramodeli.h"

namespace {

const IzgaraKolonu *kolonu(const IzgaraModeli *model, const QModelIndex &indeks)
{
    const int k = indeks.column();
    return k >= 0 && k < model->columnCount() ? &model->kolon(k) : nullptr;
}

QStyle *stil(const QStyleOptionViewItem &secenek)
{
    return secenek.widget ? secenek.widget->style() : QApplication::style();
}

} // namespace

HucreCizici::HucreCizici(IzgaraModeli *model, QObject *ust)
    : QStyledItemDelegate(ust)
    , model_(model)
{
    connect(model, &QAbstractItemModel::modelReset, this, [this] { resimler_.clear(); });
}

void HucreCizici::aramaVurgusu(const QModelIndex &hucre, int uzunluk)
{
    aramaHucresi_ = hucre;
    aramaUzunlugu_ = uzunluk;
}

void HucreCizici::zeminCiz(QPainter *ressam, const QStyleOptionViewItem &secenek,
                           const QModelIndex &indeks) const
{
    QStyleOptionViewItem zemin = secenek;
    initStyleOption(&zemin, indeks);
    zemin.text.clear();
    zemin.icon = QIcon();
    zemin.features &= ~(QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration |
                        QStyleOptionViewItem::HasCheckIndicator);
    if (!odakCercevesi_)
        zemin.state &= ~QStyle::State_HasFocus;
    stil(secenek)->drawControl(QStyle::CE_ItemViewItem, &zemin, ressam, secenek.widget);
}

QRect HucreCizici::dugmeAlani(const QRect &hucre) const
{
    return hucre.adjusted(3, 3, -3, -3);
}

QPixmap HucreCizici::resim(const QModelIndex &indeks) const
{
    const quint64 anahtar = (quint64(indeks.data(IzgaraModeli::TabloSatiriRolu).toInt()) << 16) |
        quint64(indeks.column());
    if (QPixmap *p = resimler_.object(anahtar))
        return *p;
    QPixmap p;
    p.loadFromData(indeks.data(IzgaraModeli::HamDegerRolu).toByteArray());
    resimler_.insert(anahtar, new QPixmap(p));
    return p;
}

void HucreCizici::paint(QPainter *ressam, const QStyleOptionViewItem &secenek,
                        const QModelIndex &indeks) const
{
    const IzgaraKolonu *kolon = kolonu(model_, indeks);
    const KolonTuru tur = kolon ? kolon->tur : KolonTuru::Metin;
    const QRect hucre = secenek.rect;
    QStyle *s = stil(secenek);

    switch (tur) {
    case KolonTuru::Metin:
    case KolonTuru::Sayi:
    case KolonTuru::Tarih: {
        QStyleOptionViewItem metin = secenek;
        initStyleOption(&metin, indeks);
        if (!odakCercevesi_)
            metin.state &= ~QStyle::State_HasFocus;
        if (kolon && kolon->kaydir)
            metin.features |= QStyleOptionViewItem::WrapText;
        s->drawControl(QStyle::CE_ItemViewItem, &metin, ressam, secenek.widget);
        if (aramaUzunlugu_ > 0 && indeks == aramaHucresi_) {
            // Shade the matched beginning of the text.
            const QRect metinAlani =
                s->subElementRect(QStyle::SE_ItemViewItemText, &metin, secenek.widget);
            const QFontMetrics olcu(metin.font);
            const int bosluk =
                s->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, secenek.widget) + 1;
            const int tamami = olcu.horizontalAdvance(metin.text);
            const int eslesen = olcu.horizontalAdvance(metin.text.left(aramaUzunlugu_));
            int x = metinAlani.left() + bosluk;
            if (metin.displayAlignment & Qt::AlignRight)
                x = metinAlani.right() - bosluk - tamami;
            else if (metin.displayAlignment & Qt::AlignHCenter)
                x = metinAlani.center().x() - tamami / 2;
            QColor vurgu = secenek.palette.color(QPalette::Highlight);
            vurgu.setAlpha(90);
            const int boy = olcu.height();
            ressam->fillRect(QRect(x, metinAlani.center().y() - boy / 2, eslesen, boy), vurgu);
        }
        return;
    }
    case KolonTuru::Ikon: {
        zeminCiz(ressam, secenek, indeks);
        const QIcon ikon = indeks.data(Qt::DecorationRole).value<QIcon>();
        if (!ikon.isNull()) {
            const int kenar = std::min({24, hucre.height() - 4, hucre.width() - 4});
            const QRect yer(hucre.center().x() - kenar / 2, hucre.center().y() - kenar / 2, kenar,
                            kenar);
            ikon.paint(ressam, yer, Qt::AlignCenter);
        }
        return;
    }
    case KolonTuru::OnayKutusu: {
        zeminCiz(ressam, secenek, indeks);
        QStyleOptionViewItem kutu = secenek;
        const int kenar = s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, secenek.widget);
        kutu.rect =
            QRect(hucre.center().x() - kenar / 2, hucre.center().y() - kenar / 2, kenar, kenar);
        kutu.state = QStyle::State_Enabled |
            (indeks.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On
                                                                    : QStyle::State_Off);
        s->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &kutu, ressam, secenek.widget);
        return;
    }
    case KolonTuru::IlerlemeCubugu: {
        zeminCiz(ressam, secenek, indeks);
        QStyleOptionProgressBar cubuk;
        cubuk.rect = hucre.adjusted(3, std::max(3, (hucre.height() - 20) / 2), -3,
                                    -std::max(3, (hucre.height() - 20) / 2));
        cubuk.minimum = 0;
        cubuk.maximum = 100;
        cubuk.progress = std::clamp(
            static_cast<int>(indeks.data(IzgaraModeli::HamDegerRolu).toDouble()), 0, 100);
        cubuk.text = QString::number(cubuk.progress) + u'%';
        cubuk.textVisible = true;
        cubuk.textAlignment = Qt::AlignCenter;
        cubuk.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        cubuk.palette = secenek.palette;
        cubuk.fontMetrics = secenek.fontMetrics;
        s->drawControl(QStyle::CE_ProgressBar, &cubuk, ressam, secenek.widget);
        return;
    }
    case KolonTuru::Dugme: {
        zeminCiz(ressam, secenek, indeks);
        QStyleOptionButton dugme;
        dugme.rect = dugmeAlani(hucre);
        dugme.text = indeks.data(Qt::DisplayRole).toString();
        dugme.state = QStyle::State_Enabled | QStyle::State_Raised;
        dugme.palette = secenek.palette;
        dugme.fontMetrics = secenek.fontMetrics;
        s->drawControl(QStyle::CE_PushButton, &dugme, ressam, secenek.widget);
        return;
    }
    case KolonTuru::Resim: {
        zeminCiz(ressam, secenek, indeks);
        const QPixmap p = resim(indeks);
        if (!p.isNull()) {
            const QSize boyut = p.size().scaled(hucre.size() - QSize(4, 4), Qt::KeepAspectRatio);
            QRect yer(QPoint(), boyut);
            yer.moveCenter(hucre.center());
            ressam->save();
            ressam->setRenderHint(QPainter::SmoothPixmapTransform);
            ressam->drawPixmap(yer, p);
            ressam->restore();
        }
        return;
    }
    }
}

bool HucreCizici::editorEvent(QEvent *olay, QAbstractItemModel *model,
                              const QStyleOptionViewItem &secenek, const QModelIndex &indeks)
{
    const IzgaraKolonu *kolon = kolonu(model_, indeks);
    if (kolon && kolon->tur == KolonTuru::Dugme && olay->type() == QEvent::MouseButtonRelease) {
        const auto *fare = static_cast<QMouseEvent *>(olay);
        if (fare->button() == Qt::LeftButton &&
            dugmeAlani(secenek.rect).contains(fare->position().toPoint())) {
            emit dugmeTiklandi(indeks);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(olay, model, secenek, indeks);
}
