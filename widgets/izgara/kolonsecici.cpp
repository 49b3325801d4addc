#include "widgets/izgara/kolonsecici.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "widgets/izgara/izgaramodeli.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

KolonSecici::KolonSecici(VeriIzgarasi *izgara)
    : QDialog(izgara, Qt::Tool)
    , izgara_(izgara)
    , liste_(new QListWidget(this))
{
    setWindowTitle(u"Kolon Seçici"_s);
    auto *yerlesim = new QVBoxLayout(this);
    auto *aciklama = new QLabel(u"Göstermek istediğiniz kolonları işaretleyin."_s, this);
    aciklama->setWordWrap(true);
    yerlesim->addWidget(aciklama);
    yerlesim->addWidget(liste_);
    connect(liste_, &QListWidget::itemChanged, this, &KolonSecici::isaretDegisti);
    yenile();
    resize(260, 360);
}

void KolonSecici::yenile()
{
    yenileniyor_ = true;
    liste_->clear();
    for (const QString &alan : izgara_->seciciKolonlari()) {
        const int kolon = izgara_->kolonIndeksi(alan);
        auto *oge = new QListWidgetItem(izgara_->model()->kolon(kolon).gorunenBaslik(), liste_);
        oge->setData(Qt::UserRole, alan);
        oge->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        oge->setCheckState(izgara_->kolonGorunurMu(alan) ? Qt::Checked : Qt::Unchecked);
    }
    yenileniyor_ = false;
}

void KolonSecici::isaretDegisti(QListWidgetItem *oge)
{
    if (yenileniyor_)
        return;
    izgara_->kolonuGoster(oge->data(Qt::UserRole).toString(), oge->checkState() == Qt::Checked);
    emit izgara_->kolonlarDegisti();
}
