#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "Sipariş Onay": the order's summary and the question whether to send it;
// Accepted on "Evet", Rejected on "Hayır".
class TONAYSIP final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TONAYSIP)

public:
    explicit TONAYSIP(const QString &ozet, QWidget *ust = nullptr);

    QLabel *ozet() const { return ozet_; }
    QPushButton *evet() const { return evet_; }
    QPushButton *hayir() const { return hayir_; }

protected:
    void showEvent(QShowEvent *olay) override;

private:
    QLabel *ozet_;
    QPushButton *evet_;
    QPushButton *hayir_;
};
