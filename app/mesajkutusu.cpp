#include "app/mesajkutusu.h"

#include <array>
#include <utility>

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct DugmeTanimi
{
    int indeks;
    int sonuc; // 0: does not close the dialog
    QString baslik;
    QString nesneAdi;
};

// Layout order is index order.
const std::array<DugmeTanimi, 10> &dugmeTanimlari()
{
    static const std::array<DugmeTanimi, 10> t {{
        {Dugme::Evet, MesajSonucu::Evet, u"Evet"_s, u"dugmeEvet"_s},
        {Dugme::Hayir, MesajSonucu::Hayir, u"Hayır"_s, u"dugmeHayir"_s},
        {Dugme::Tamam, MesajSonucu::Tamam, u"Tamam"_s, u"dugmeTamam"_s},
        {Dugme::Vazgec, MesajSonucu::Vazgec, u"Vazgeç"_s, u"dugmeVazgec"_s},
        {Dugme::Iptal, MesajSonucu::Iptal, u"İptal"_s, u"dugmeIptal"_s},
        {Dugme::Tekrar, MesajSonucu::Tekrar, u"Tekrar"_s, u"dugmeTekrar"_s},
        {Dugme::Atla, MesajSonucu::Atla, u"Atla"_s, u"dugmeAtla"_s},
        {Dugme::TumuneHayir, MesajSonucu::TumuneHayir, u"Tümüne Hayır"_s, u"dugmeTumuneHayir"_s},
        {Dugme::TumuneEvet, MesajSonucu::TumuneEvet, u"Tümüne Evet"_s, u"dugmeTumuneEvet"_s},
        {Dugme::Yardim, 0, u"Yardım"_s, u"dugmeYardim"_s},
    }};
    return t;
}

// What each type brings: its title, its desktop sound event and its picture. The custom type
// has none of them (the program's name stands as its title).
struct TurTanimi
{
    QString baslik;
    QString sesOlayi;
    QStyle::StandardPixmap simge;
};

TurTanimi turTanimi(MesajTuru tur)
{
    switch (tur) {
    case MesajTuru::Uyari:
        return {u"Uyarı"_s, u"dialog-warning"_s, QStyle::SP_MessageBoxWarning};
    case MesajTuru::Hata:
        return {u"Hata"_s, u"dialog-error"_s, QStyle::SP_MessageBoxCritical};
    case MesajTuru::Bilgi:
        return {u"Bilgi"_s, u"dialog-information"_s, QStyle::SP_MessageBoxInformation};
    case MesajTuru::Soru:
        return {u"Soru"_s, u"dialog-question"_s, QStyle::SP_MessageBoxQuestion};
    case MesajTuru::Ozel:
        break;
    }
    return {QGuiApplication::applicationDisplayName(), {}, QStyle::SP_CustomBase};
}

void masaustuSesiCal(const QString &olay)
{
    // canberra-gtk-play plays the event from the desktop's sound theme; without it, the bell.
    static const QString calici = QStandardPaths::findExecutable(u"canberra-gtk-play"_s);
    if (calici.isEmpty() || !QProcess::startDetached(calici, {u"-i"_s, olay}))
        QApplication::beep();
}

MesajSesiCalici &sesCalici()
{
    static MesajSesiCalici c = masaustuSesiCal;
    return c;
}

class MesajPenceresi final : public QDialog
{
public:
    MesajPenceresi(const QString &metin, MesajTuru tur, int dugmeler, int varsayilan, QWidget *ust)
        : QDialog(ust)
    {
        setObjectName(u"MesajKutusu"_s);
        setWindowTitle(turTanimi(tur).baslik);
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        QFont yazi = font();
        yazi.setPointSize(15);
        setFont(yazi);

        auto *icerik = new QHBoxLayout;
        icerik->setSpacing(16);
        if (tur != MesajTuru::Ozel) {
            auto *resim = new QLabel;
            const int boy = style()->pixelMetric(QStyle::PM_MessageBoxIconSize) * 3 / 2;
            resim->setPixmap(style()->standardIcon(turTanimi(tur).simge).pixmap(boy, boy));
            resim->setAlignment(Qt::AlignTop);
            icerik->addWidget(resim);
        }
        auto *yaziEtiketi = new QLabel(metin);
        yaziEtiketi->setObjectName(u"mesajMetni"_s);
        yaziEtiketi->setTextFormat(Qt::PlainText);
        yaziEtiketi->setWordWrap(metin.size() > 60);
        yaziEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);
        yaziEtiketi->setMinimumWidth(qMin(fontMetrics().horizontalAdvance(metin) + 8, 520));
        icerik->addWidget(yaziEtiketi, 1);

        if ((dugmeler & dugmeMaskesi()) == 0)
            dugmeler = TamamDugmesi;
        auto *satir = new QHBoxLayout;
        satir->addStretch();
        QPushButton *ilk = nullptr;
        QPushButton *odak = nullptr;
        std::vector<QPushButton *> sira;
        for (const DugmeTanimi &d : dugmeTanimlari()) {
            if (!(dugmeler & DugmeBiti(d.indeks)))
                continue;
            auto *b = new QPushButton(d.baslik);
            b->setObjectName(d.nesneAdi);
            b->setAutoDefault(true);
            b->setMinimumWidth(110);
            if (d.sonuc)
                connect(b, &QPushButton::clicked, this, [this, s = d.sonuc] { done(s); });
            satir->addWidget(b);
            sira.push_back(b);
            if (!ilk)
                ilk = b;
            if (d.indeks == varsayilan)
                odak = b;
            if (!kapatmaSonucu_ && (d.indeks == Dugme::Vazgec))
                kapatmaSonucu_ = d.sonuc;
        }
        satir->addStretch();
        if (!kapatmaSonucu_) {
            kapatmaSonucu_ = (dugmeler & DugmeBiti(Dugme::Hayir)) ? int(MesajSonucu::Hayir)
                : (dugmeler & DugmeBiti(Dugme::Tamam))            ? int(MesajSonucu::Tamam)
                                                                  : int(MesajSonucu::Vazgec);
        }
        if (!odak)
            odak = findChild<QPushButton *>(u"dugmeTamam"_s);
        if (!odak)
            odak = findChild<QPushButton *>(u"dugmeEvet"_s);
        if (!odak)
            odak = ilk;
        odak->setDefault(true);
        odak_ = odak;

        auto *ana = new QVBoxLayout(this);
        ana->setContentsMargins(24, 20, 24, 16);
        ana->setSpacing(20);
        ana->addLayout(icerik);
        ana->addLayout(satir);
        ana->setSizeConstraint(QLayout::SetFixedSize);

        // The default button first in the tab order, the others after it in layout order.
        QWidget *onceki = odak;
        for (QPushButton *b : sira) {
            if (b == odak)
                continue;
            setTabOrder(onceki, b);
            onceki = b;
        }
    }

    void reject() override { done(kapatmaSonucu_); }

protected:
    void showEvent(QShowEvent *olay) override
    {
        QDialog::showEvent(olay);
        ekranOrtasinaKoy();
        odak_->setFocus(Qt::OtherFocusReason);
    }

private:
    // In the middle of the screen the program is on.
    void ekranOrtasinaKoy()
    {
        QScreen *ekran =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (!ekran)
            return;
        QRect cerceve = frameGeometry();
        cerceve.moveCenter(ekran->availableGeometry().center());
        move(cerceve.topLeft());
    }

    static int dugmeMaskesi()
    {
        int m = 0;
        for (const DugmeTanimi &d : dugmeTanimlari())
            m |= DugmeBiti(d.indeks);
        return m;
    }

    QPushButton *odak_ = nullptr;
    int kapatmaSonucu_ = 0;
};

} // namespace

int MesajKutusu(const QString &metin, MesajTuru tur, int dugmeler, int /*yardimBaglami*/,
                int varsayilanDugme)
{
    QWidget *ust = QApplication::activeWindow();
    MesajPenceresi pencere(metin, tur, dugmeler, varsayilanDugme, ust);
    if (const QString ses = turTanimi(tur).sesOlayi; !ses.isEmpty())
        sesCalici()(ses);
    return pencere.exec();
}

void HataMesajiGoster(const QString &metin)
{
    MesajKutusu(metin, MesajTuru::Hata, TamamDugmesi, 0, Dugme::Tamam);
}

void BilgiMesajiGoster(const QString &metin)
{
    MesajKutusu(metin, MesajTuru::Bilgi, TamamDugmesi, 0, Dugme::Tamam);
}

void UyariMesajiGoster(const QString &metin)
{
    MesajKutusu(metin, MesajTuru::Uyari, TamamDugmesi, 0, Dugme::Tamam);
}

bool SoruSor(const QString &soru, int varsayilanDugme)
{
    return MesajKutusu(soru, MesajTuru::Soru, EvetHayirDugmeleri, 0, varsayilanDugme) ==
        MesajSonucu::Evet;
}

MesajSesiCalici MesajSesiCaliciKur(MesajSesiCalici calici)
{
    if (!calici)
        calici = masaustuSesiCal;
    return std::exchange(sesCalici(), std::move(calici));
}
