#pragma once

#include <QWidget>

class QSvgRenderer;

// A small spinning busy sign. It turns only while it is visible.
class MesgulAnimasyonu final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MesgulAnimasyonu)

public:
    explicit MesgulAnimasyonu(QWidget *ust = nullptr);

    QSize sizeHint() const override { return {22, 22}; }

protected:
    void paintEvent(QPaintEvent *olay) override;
    void showEvent(QShowEvent *olay) override;
    void hideEvent(QHideEvent *olay) override;

private:
    QSvgRenderer *cizici_;
};
