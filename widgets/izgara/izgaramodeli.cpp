#include "widgets/izgara/izgaramodeli.h"

#include <QCollator>
#include <QThread>

#include "widgets/izgara/hucrebicimi.h"

using namespace Qt::StringLiterals;

struct IzgaraModeli::Siralayici
{
    QCollator harmanlayici;
    Siralayici()
    {
        harmanlayici.setCaseSensitivity(Qt::CaseInsensitive);
        harmanlayici.setNumericMode(true);
    }
};

IzgaraModeli::IzgaraModeli(QObject *ust)
    : QAbstractTableModel(ust)
    , siralayici_(std::make_unique<Siralayici>())
{
}

IzgaraModeli::~IzgaraModeli()
{
    if (tablo_)
        tablo_->dinlemeyiBirak(dinleyiciNo_);
}

void IzgaraModeli::kolonlariAyarla(QList<IzgaraKolonu> kolonlar)
{
    beginResetModel();
    bildirilenKolonlar_ = std::move(kolonlar);
    kolonlariEsle();
    endResetModel();
}

int IzgaraModeli::kolonIndeksi(QStringView alan) const
{
    for (int i = 0; i < kolonlar_.size(); ++i) {
        if (alan.compare(kolonlar_[i].alan, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void IzgaraModeli::tabloyaBagla(BellekTablo *tablo)
{
    if (tablo == tablo_)
        return;
    beginResetModel();
    if (tablo_)
        tablo_->dinlemeyiBirak(dinleyiciNo_);
    tablo_ = tablo;
    if (tablo_)
        dinleyiciNo_ = tablo_->dinle([this](const TabloDegisikligi &d) { tablodanHaber(d); });
    kolonlariEsle();
    endResetModel();
}

int IzgaraModeli::tabloKolonu(int i) const
{
    return i >= 0 && i < tabloKolonlari_.size() ? tabloKolonlari_[i] : -1;
}

void IzgaraModeli::kolonlariEsle()
{
    kolonlar_ = bildirilenKolonlar_;
    if (kolonlar_.isEmpty() && tablo_) {
        for (const KolonTanimi &t : tablo_->kolonlar()) {
            IzgaraKolonu k;
            k.alan = t.ad;
            kolonlar_.append(k);
        }
    }
    tabloKolonlari_.clear();
    for (IzgaraKolonu &k : kolonlar_) {
        const int t = tablo_ ? tablo_->kolonIndeksi(k.alan) : -1;
        tabloKolonlari_.append(t);
        if (t < 0 || k.tur != KolonTuru::Metin || !bildirilenKolonlar_.isEmpty())
            continue;
        // Undeclared columns take their kind and alignment from the field.
        switch (depolamaTuru(tablo_->kolon(t).tip)) {
        case Depolama::Tamsayi32:
        case Depolama::Tamsayi64:
        case Depolama::Ondalik:
            k.tur = KolonTuru::Sayi;
            k.hizalama = Qt::AlignRight;
            break;
        case Depolama::Zaman:
            k.tur = KolonTuru::Tarih;
            break;
        default:
            break;
        }
    }
    satirSayisi_ = tablo_ && tablo_->acik() ? static_cast<int>(tablo_->satirSayisi()) : 0;
}

void IzgaraModeli::tablodanHaber(const TabloDegisikligi &degisiklik)
{
    // A worker may fill a table only while no grid listens to it.
    Q_ASSERT(QThread::currentThread() == thread());
    switch (degisiklik.tur) {
    case TabloDegisikligi::Tur::Sifirlandi:
        beginResetModel();
        kolonlariEsle();
        endResetModel();
        break;
    case TabloDegisikligi::Tur::SatirDegisti: {
        const int satir = static_cast<int>(degisiklik.satir);
        if (satir < satirSayisi_)
            emit dataChanged(index(satir, 0), index(satir, columnCount() - 1));
        break;
    }
    case TabloDegisikligi::Tur::SatirEklendi:
        beginInsertRows({}, satirSayisi_, satirSayisi_);
        ++satirSayisi_;
        endInsertRows();
        break;
    case TabloDegisikligi::Tur::BicimDegisti:
        if (satirSayisi_ > 0)
            emit dataChanged(index(0, 0), index(satirSayisi_ - 1, columnCount() - 1),
                             {Qt::DisplayRole});
        break;
    case TabloDegisikligi::Tur::Yokoluyor:
        beginResetModel();
        tablo_ = nullptr;
        kolonlariEsle();
        endResetModel();
        break;
    }
}

QString IzgaraModeli::bicim(int kolon) const
{
    const IzgaraKolonu &k = kolonlar_[kolon];
    if (!k.bicim.isEmpty() || !tablo_)
        return k.bicim;
    const int t = tabloKolonlari_[kolon];
    return t >= 0 ? tablo_->kolon(t).gorunumBicimi : QString();
}

QString IzgaraModeli::hucreMetni(int satir, int kolon) const
{
    if (!tablo_ || kolon < 0 || kolon >= kolonlar_.size())
        return {};
    const int t = tabloKolonlari_[kolon];
    if (t < 0)
        return {};
    const IzgaraKolonu &k = kolonlar_[kolon];
    if (k.tur == KolonTuru::Ikon && !tablo_->bosMu(satir, t)) {
        const auto anlam = k.ikonMetinleri.constFind(static_cast<int>(tablo_->tamsayi(satir, t)));
        if (anlam != k.ikonMetinleri.cend())
            return *anlam;
    }
    return ::hucreMetni(*tablo_, satir, t, bicim(kolon));
}

int IzgaraModeli::karsilastir(int satirA, int satirB, int kolon) const
{
    const int t = tabloKolonu(kolon);
    if (!tablo_ || t < 0)
        return 0;
    const bool bosA = tablo_->bosMu(satirA, t);
    const bool bosB = tablo_->bosMu(satirB, t);
    if (bosA || bosB)
        return int(bosB) - int(bosA);
    auto isaret = [](auto a, auto b) { return a < b ? -1 : (b < a ? 1 : 0); };
    switch (depolamaTuru(tablo_->kolon(t).tip)) {
    case Depolama::Tamsayi32:
    case Depolama::Tamsayi64:
    case Depolama::Mantiksal:
        return isaret(tablo_->tamsayi(satirA, t), tablo_->tamsayi(satirB, t));
    case Depolama::Ondalik:
        return isaret(tablo_->sayi(satirA, t), tablo_->sayi(satirB, t));
    case Depolama::Zaman:
        return isaret(tablo_->zamanDamgasi(satirA, t), tablo_->zamanDamgasi(satirB, t));
    case Depolama::Metin:
        return siralayici_->harmanlayici.compare(tablo_->metinGorunumu(satirA, t),
                                                 tablo_->metinGorunumu(satirB, t));
    case Depolama::Ikili:
        return 0;
    }
    return 0;
}

int IzgaraModeli::rowCount(const QModelIndex &ust) const
{
    return ust.isValid() ? 0 : satirSayisi_;
}

int IzgaraModeli::columnCount(const QModelIndex &ust) const
{
    return ust.isValid() ? 0 : static_cast<int>(kolonlar_.size());
}

QVariant IzgaraModeli::data(const QModelIndex &indeks, int rol) const
{
    if (!tablo_ || !indeks.isValid())
        return {};
    const int satir = indeks.row();
    const int kolon = indeks.column();
    const IzgaraKolonu &k = kolonlar_[kolon];
    const int t = tabloKolonlari_[kolon];
    switch (rol) {
    case Qt::DisplayRole:
        switch (k.tur) {
        case KolonTuru::Ikon:
        case KolonTuru::OnayKutusu:
        case KolonTuru::Resim:
            return {};
        case KolonTuru::Dugme:
            return k.dugmeMetni.isEmpty() ? hucreMetni(satir, kolon) : k.dugmeMetni;
        default:
            return hucreMetni(satir, kolon);
        }
    case Qt::DecorationRole:
        if (k.tur == KolonTuru::Ikon && t >= 0 && !tablo_->bosMu(satir, t))
            return k.ikonlar.value(static_cast<int>(tablo_->tamsayi(satir, t)));
        return {};
    case Qt::CheckStateRole:
        if (k.tur == KolonTuru::OnayKutusu && t >= 0)
            return tablo_->mantiksal(satir, t) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        // Icons carry their meaning as a tooltip.
        if (k.tur == KolonTuru::Ikon)
            return hucreMetni(satir, kolon);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(k.hizalama | Qt::AlignVCenter);
    case HamDegerRolu:
        return t >= 0 ? tablo_->deger(satir, t) : QVariant();
    case TabloSatiriRolu:
        return satir;
    default:
        return {};
    }
}

QVariant IzgaraModeli::headerData(int bolum, Qt::Orientation yon, int rol) const
{
    if (yon != Qt::Horizontal || bolum < 0 || bolum >= kolonlar_.size())
        return QAbstractTableModel::headerData(bolum, yon, rol);
    if (rol == Qt::DisplayRole)
        return kolonlar_[bolum].gorunenBaslik();
    return {};
}

Qt::ItemFlags IzgaraModeli::flags(const QModelIndex &indeks) const
{
    if (!indeks.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
