#pragma once

#include <QFrame>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class IzgaraSuzgeci;

// The value list a header's filter button opens: every distinct text of the
// column among the rows the other filters let through, each with a tick;
// "(Tümünü Seç)", a search box, "Filtreyi Temizle", "Tamam" and "İptal".
class SuzgecPenceresi final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SuzgecPenceresi)

public:
    SuzgecPenceresi(IzgaraSuzgeci *suzgec, int kolon, QWidget *ust);

    int kolon() const { return kolon_; }
    QListWidget *liste() const { return liste_; }
    QLineEdit *aramaKutusu() const { return arama_; }
    // Ticks or unticks the value shown as metin (blank cells as "(Boş)").
    bool isaretle(const QString &metin, bool secili);
    void uygula();
    void temizle();

private:
    void ogeDegisti(QListWidgetItem *oge);
    void ara(const QString &metin);
    void hepsiniGuncelle();

    IzgaraSuzgeci *suzgec_;
    int kolon_;
    QLineEdit *arama_;
    QListWidget *liste_;
    QListWidgetItem *hepsi_;
    QPushButton *tamam_;
    bool guncelleniyor_ = false;
};
