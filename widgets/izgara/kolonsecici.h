#pragma once

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class VeriIzgarasi;

// The column chooser: a small tool window listing the columns the grid
// offers for it; ticking one shows it, unticking hides it, at once.
class KolonSecici final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KolonSecici)

public:
    explicit KolonSecici(VeriIzgarasi *izgara);

    // Rebuilds the list from the grid's current columns.
    void yenile();
    QListWidget *liste() const { return liste_; }

private:
    void isaretDegisti(QListWidgetItem *oge);

    VeriIzgarasi *izgara_;
    QListWidget *liste_;
    bool yenileniyor_ = false;
};
