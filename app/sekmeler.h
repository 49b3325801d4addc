#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QWidget>

#include "app/gorunum.h"

class QButtonGroup;
class QHBoxLayout;
class QStackedWidget;

// One tab of the main window as a large button: icon, a caption of one or two lines, and a
// count badge drawn at its corner when the count is above zero.
class SekmeDugmesi final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SekmeDugmesi)

public:
    SekmeDugmesi(const QIcon &simge, const QString &baslik, QWidget *ust = nullptr);

    int rozet() const { return rozet_; }
    void setRozet(int sayi);
    void setRenkler(const GorunumRenkleri &renkler);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *olay) override;

private:
    int rozet_ = 0;
    GorunumRenkleri renkler_;
};

// The page control: the row of tab buttons above the stack of pages. Every page is an empty
// container with a zero-margin vertical layout that the screen owning the tab fills.
class SayfaKontrolu final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SayfaKontrolu)

public:
    explicit SayfaKontrolu(QWidget *ust = nullptr);

    // Adds a tab; the caption's '\n' breaks its line. Returns the page, named like the tab.
    QWidget *sekmeEkle(const QString &ad, const QString &baslik, const QIcon &simge);

    int sekmeSayisi() const;
    QWidget *sayfa(int sira) const;
    SekmeDugmesi *dugme(int sira) const;
    int aktifSekme() const;
    void setAktifSekme(int sira); // a hidden tab cannot become active

    void setSekmeGorunur(int sira, bool gorunur);
    bool sekmeGorunurMu(int sira) const;
    void setRozet(int sira, int sayi);
    void setBaslik(int sira, const QString &baslik);
    void setRenkler(const GorunumRenkleri &renkler);

signals:
    // A page was shown: the screen of that tab loads its data now.
    void sekmeGosterildi(int sira);

private:
    void sonrakiSekme(int yon);

    QHBoxLayout *dugmeSirasi_;
    QButtonGroup *grup_;
    QStackedWidget *sayfalar_;
    QList<SekmeDugmesi *> dugmeler_;
    int gosterilen_ = -1;
};
