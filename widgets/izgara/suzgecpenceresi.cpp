#include "widgets/izgara/suzgecpenceresi.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/izgara/izgarasuzgeci.h"

using namespace Qt::StringLiterals;

namespace {
const QString bosMetin = u"(Boş)"_s;
constexpr int metinRolu = Qt::UserRole + 1;
} // namespace

SuzgecPenceresi::SuzgecPenceresi(IzgaraSuzgeci *suzgec, int kolon, QWidget *ust)
    : QFrame(ust, Qt::Popup)
    , suzgec_(suzgec)
    , kolon_(kolon)
    , arama_(new QLineEdit(this))
    , liste_(new QListWidget(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    arama_->setPlaceholderText(u"Ara"_s);
    arama_->setClearButtonEnabled(true);

    hepsi_ = new QListWidgetItem(u"(Tümünü Seç)"_s, liste_);
    hepsi_->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    for (const IzgaraSuzgeci::Deger &d : suzgec->degerler(kolon)) {
        auto *oge = new QListWidgetItem(d.metin.isEmpty() ? bosMetin : d.metin, liste_);
        oge->setData(metinRolu, d.metin);
        oge->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        oge->setCheckState(d.secili ? Qt::Checked : Qt::Unchecked);
    }

    auto *temizle = new QPushButton(u"Filtreyi Temizle"_s, this);
    temizle->setEnabled(suzgec->suzgecliMi(kolon));
    tamam_ = new QPushButton(u"Tamam"_s, this);
    tamam_->setDefault(true);
    auto *iptal = new QPushButton(u"İptal"_s, this);

    auto *dugmeler = new QHBoxLayout;
    dugmeler->addWidget(temizle);
    dugmeler->addStretch();
    dugmeler->addWidget(tamam_);
    dugmeler->addWidget(iptal);
    auto *yerlesim = new QVBoxLayout(this);
    yerlesim->setContentsMargins(6, 6, 6, 6);
    yerlesim->addWidget(arama_);
    yerlesim->addWidget(liste_);
    yerlesim->addLayout(dugmeler);

    connect(liste_, &QListWidget::itemChanged, this, &SuzgecPenceresi::ogeDegisti);
    connect(arama_, &QLineEdit::textChanged, this, &SuzgecPenceresi::ara);
    connect(temizle, &QPushButton::clicked, this, &SuzgecPenceresi::temizle);
    connect(tamam_, &QPushButton::clicked, this, &SuzgecPenceresi::uygula);
    connect(arama_, &QLineEdit::returnPressed, this, &SuzgecPenceresi::uygula);
    connect(iptal, &QPushButton::clicked, this, &QWidget::close);
    hepsiniGuncelle();
    resize(260, 320);
}

bool SuzgecPenceresi::isaretle(const QString &metin, bool secili)
{
    for (int i = 1; i < liste_->count(); ++i) {
        QListWidgetItem *oge = liste_->item(i);
        if (oge->text() == metin) {
            oge->setCheckState(secili ? Qt::Checked : Qt::Unchecked);
            return true;
        }
    }
    return false;
}

void SuzgecPenceresi::ogeDegisti(QListWidgetItem *oge)
{
    if (guncelleniyor_)
        return;
    guncelleniyor_ = true;
    if (oge == hepsi_) {
        // Ticking "all" ticks every value the search leaves in view.
        const Qt::CheckState durum =
            hepsi_->checkState() == Qt::Unchecked ? Qt::Unchecked : Qt::Checked;
        for (int i = 1; i < liste_->count(); ++i) {
            if (!liste_->item(i)->isHidden())
                liste_->item(i)->setCheckState(durum);
        }
    }
    guncelleniyor_ = false;
    hepsiniGuncelle();
}

void SuzgecPenceresi::hepsiniGuncelle()
{
    int secili = 0;
    int gorunen = 0;
    int toplamSecili = 0;
    for (int i = 1; i < liste_->count(); ++i) {
        const QListWidgetItem *oge = liste_->item(i);
        const bool isaretli = oge->checkState() == Qt::Checked;
        toplamSecili += isaretli;
        if (oge->isHidden())
            continue;
        ++gorunen;
        secili += isaretli;
    }
    guncelleniyor_ = true;
    hepsi_->setCheckState(secili == 0 ? Qt::Unchecked
                                      : (secili == gorunen ? Qt::Checked : Qt::PartiallyChecked));
    guncelleniyor_ = false;
    // A filter that lets nothing through is not offered. While searching, as
    // in a spreadsheet, only the values found count.
    tamam_->setEnabled((arama_->text().isEmpty() ? toplamSecili : secili) > 0);
}

void SuzgecPenceresi::ara(const QString &metin)
{
    for (int i = 1; i < liste_->count(); ++i) {
        QListWidgetItem *oge = liste_->item(i);
        oge->setHidden(!metin.isEmpty() && !oge->text().contains(metin, Qt::CaseInsensitive));
    }
    hepsiniGuncelle();
}

void SuzgecPenceresi::uygula()
{
    if (!tamam_->isEnabled())
        return;
    const bool aramaVar = !arama_->text().isEmpty();
    QSet<QString> izinli;
    bool hepsi = true;
    for (int i = 1; i < liste_->count(); ++i) {
        const QListWidgetItem *oge = liste_->item(i);
        if (oge->checkState() == Qt::Checked && !(aramaVar && oge->isHidden()))
            izinli.insert(oge->data(metinRolu).toString());
        else
            hepsi = false;
    }
    if (hepsi)
        suzgec_->suzgeciKaldir(kolon_);
    else
        suzgec_->suzgecAyarla(kolon_, izinli);
    close();
}

void SuzgecPenceresi::temizle()
{
    suzgec_->suzgeciKaldir(kolon_);
    close();
}
