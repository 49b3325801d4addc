#pragma once

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

// Acts on every message dialog once, as soon as it is open and ready for keys, while the code
// under test waits in it; remembers each one as "Title: text". The default action answers
// Tamam.
class MesajIzleyici final : public QObject
{
public:
    using Eylem = std::function<void(QDialog *)>;

    explicit MesajIzleyici(Eylem eylem = {})
        : eylem_(std::move(eylem))
    {
        zamanlayici_.setInterval(5);
        connect(&zamanlayici_, &QTimer::timeout, this, [this] { bak(); });
        zamanlayici_.start();
    }

    QStringList gorulenler;

private:
    void bak()
    {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || d == sonDialog_ || d->objectName() != u"MesajKutusu" || !d->isVisible())
            return;
        QWidget *odak = QApplication::focusWidget();
        if (!odak || !d->isAncestorOf(odak))
            return; // not ready for keys yet
        sonDialog_ = d;
        gorulenler << d->windowTitle() + QStringLiteral(": ") +
                d->findChild<QLabel *>(QStringLiteral("mesajMetni"))->text();
        if (eylem_)
            eylem_(d);
        else
            d->done(1);
    }

    Eylem eylem_;
    QTimer zamanlayici_;
    QDialog *sonDialog_ = nullptr; // a dialog that stays open (Yardım) is acted on once
};
