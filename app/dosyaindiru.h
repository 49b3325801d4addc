#pragma once

#include <memory>
#include <thread>
#include <utility>

#include <QDialog>
#include <QLocale>
#include <QString>

class QLabel;
class QProgressBar;

// The version update: downloads the setup package of the new version into
// the Documents folder, starts it with "/silent" and ends the program, so
// that the setup can replace it. The download runs on a thread of its own;
// the window shows its progress and stays responsive, and cannot be closed
// while it runs (the update is not optional).
class Tdosyaindir final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tdosyaindir)

public:
    // _y: the version the server expects.
    static std::unique_ptr<Tdosyaindir> Yeni(QWidget *AOwner, int _y);
    ~Tdosyaindir() override;

    QLabel *mesaj() const { return mesaj_; }
    QLabel *bilgi() const { return bilgi_; }
    QProgressBar *ilerleme() const { return ilerleme_; }
    bool basladi() const { return basladi_; }
    const QString &adres() const { return adres_; }

    // The installation's update address with the package's fixed path.
    static QString IndirmeAdresi();
    // Where the package is saved: the Documents folder.
    static QString HedefDosya();

signals:
    // The package was saved and is about to start (tests watch for it).
    void indirildi(const QString &dosya);

protected:
    void showEvent(QShowEvent *olay) override;
    void closeEvent(QCloseEvent *olay) override;
    void keyPressEvent(QKeyEvent *olay) override;

private:
    struct Aktarim;

    Tdosyaindir(QWidget *AOwner, int _y);
    void indirmeyeBasla();
    void ilerlemeGoster();
    void bitti(const QString &hata);
    // Ends the program (and the dialog, where the exit hook lets it go on).
    void bitir();

    QLabel *mesaj_ = nullptr;
    QLabel *bilgi_ = nullptr;
    QProgressBar *ilerleme_ = nullptr;
    QString adres_;
    bool basladi_ = false;
    std::shared_ptr<Aktarim> aktarim_; // shared with the download thread
    std::thread indirici_;
};

// The information line after a piece of the download, in its two forms: the
// percentage in the money format, then the percentage with the megabytes
// received and in all ("Bilgi: %45,23  İndirilen: 1,50/3,32 Mb" in Turkish).
// Nothing to show (two empty texts) while the total is unknown.
std::pair<QString, QString> IlerlemeSatirlari(qint64 alinan, qint64 toplam,
                                              const QLocale &yerel = QLocale());
