#pragma once

#include <functional>

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include "remote/baglantiu.h"

class MesgulAnimasyonu;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SunucuBaglantisi;

// The login dialog. The server answers this computer's identifier with the
// session record registered for it (user name, password, account, type,
// active flag, whether the computer is known, the expected client version);
// the dialog compares what the user typed with it. It closes with OK only
// after a successful login; the other ways out end the program (Vazgeç, an
// unknown computer after its request form, an update) or stay in the dialog
// after a message.
//
// A borderless, picture-shaped window with its own taskbar entry, dragged by
// any point that is not a control.
class Tgirisform final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tgirisform)

public:
    // bagim: the main window's connection (the login writes its host);
    // Bilgim: the main window's session record, filled by a successful login.
    Tgirisform(SunucuBaglantisi &bagim, TSonucBilgisi &Bilgim);
    ~Tgirisform() override;

    // The remembered login of "ayar.ini": the check box from "hatırla", and
    // when it is checked, the user name and password.
    void AyarOku();
    // Writes the typed user name and password and the check box state.
    void AyarYaz();

    const QString &idsi() const { return idsi_; }
    QLineEdit *adi() const { return adi_; }
    QLineEdit *sifre() const { return sifre_; }
    QCheckBox *benihatirla() const { return benihatirla_; }
    QPushButton *girisButonu() const { return giris_; }
    QPushButton *vazgecButonu() const { return vazgec_; }
    MesgulAnimasyonu *animasyon() const { return animasyon_; }

    // The window's shape and picture: 368 × 579 pixels.
    static QSize boyut() { return {368, 579}; }

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;
    void paintEvent(QPaintEvent *olay) override;
    void mousePressEvent(QMouseEvent *olay) override;
    void mouseMoveEvent(QMouseEvent *olay) override;
    void mouseReleaseEvent(QMouseEvent *olay) override;
    void keyPressEvent(QKeyEvent *olay) override;

private:
    struct GirisSonucu;

    void formuKur();
    void GirisClick();
    void VazgecClick();
    // The second step, given the server host the first one took.
    void Devamet(const QString &host);
    // The body of the second step, on a worker: asks the server for this
    // computer's session record on the clone.
    static GirisSonucu GirisBilgisiAl(SunucuBaglantisi &klon, const QString &idsi);
    void girisBitti(const GirisSonucu &sonuc);
    void kullaniciAdinaDon();

    SunucuBaglantisi &bagim_;
    TSonucBilgisi &Bilgim_;
    QString idsi_;
    QPixmap zemin_;

    QLineEdit *adi_ = nullptr;
    QLineEdit *sifre_ = nullptr;
    QCheckBox *benihatirla_ = nullptr;
    QPushButton *giris_ = nullptr;
    QPushButton *vazgec_ = nullptr;
    MesgulAnimasyonu *animasyon_ = nullptr;
    QPoint surukleme_; // the grab point while the window is dragged by hand
    bool surukleniyor_ = false;
};

// The login of the start-up: the dialog over the main window's connection and
// session record, shown modally. True when it closed with OK.
bool GirisFormuIleGir(SunucuBaglantisi &bagc, TSonucBilgisi &sbilgi);

// Staff accounts (types 1 and 2) choose the customer account they act for
// right after login. The customer selection screen installs itself here; it
// returns false when the user cancels it, which ends the program. Until one
// is installed, staff act for their own account. Returns the previous step.
using CariSecimAdimi = std::function<bool(SunucuBaglantisi &bagim, TSonucBilgisi &Bilgim)>;
CariSecimAdimi CariSecimAdimiKur(CariSecimAdimi adim);

// This computer's identifier as the login and the request form send it
// (BilgisayarIdAl). Replaceable, so tests can log in as a computer of their
// fixture; an empty function restores the default. Returns the previous one.
using KimlikOkuyucu = std::function<QString()>;
KimlikOkuyucu KimlikOkuyucuKur(KimlikOkuyucu okuyucu);
QString GirisKimligi();

// The client version this program is; a server that expects another starts
// the update.
inline constexpr int IstemciSurumu = 3;
