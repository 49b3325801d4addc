#pragma once

#include <functional>

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "widgets/izgara/izgarakolonu.h"

class QTableView;
class BellekTablo;
class IzgaraModeli;
class IzgaraSuzgeci;
class IzgaraBasligi;
class IzgaraAltBilgisi;
class HucreCizici;
class KolonSecici;
class SuzgecPenceresi;

// What the footer shows after each recount, handed to the screen's hook
// before it is drawn: the hook may read the sums and set any text (a screen
// that derives its own footer values from the sums does so here).
struct AltBilgi
{
    qsizetype satirSayisi = 0; // rows shown
    QHash<QString, double> toplamlar; // field → sum over the rows shown (sum columns)
    QHash<QString, QString> metinler; // field → text under its column
};

// The data grid every list of the client uses: one table view bound to a
// BellekTablo through one model, configured by a declared column list and a
// few settings, with header filters, sorting, incremental search, a column
// chooser, footer summaries, weight sizing and best fit, and copying.
class VeriIzgarasi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VeriIzgarasi)

public:
    explicit VeriIzgarasi(QWidget *ust = nullptr);
    ~VeriIzgarasi() override;

    void kolonlariAyarla(QList<IzgaraKolonu> kolonlar);
    void ayarlariUygula(const IzgaraAyarlari &ayarlar);
    const IzgaraAyarlari &ayarlar() const { return ayarlar_; }

    // --- The table ---
    void tabloyaBagla(BellekTablo *tablo);
    void tabloyuAyir();
    BellekTablo *tablo() const;
    // Begin/end an update: while one is open the grid neither repaints nor
    // recounts its footer; the last end does both once. Nested calls count.
    void guncellemeyiBaslat();
    void guncellemeyiBitir();

    // --- Columns, by field name ---
    int kolonIndeksi(QStringView alan) const;
    QString kolonAlani(int kolon) const;
    void kolonuGoster(QStringView alan, bool goster);
    bool kolonGorunurMu(QStringView alan) const;
    // Offers a column in the column chooser (or stops offering it).
    void secicideGoster(QStringView alan, bool secicide);
    // Fields the column chooser offers, in column order.
    QStringList seciciKolonlari() const;
    void kolonGenisliginiAyarla(QStringView alan, int genislik);
    int kolonGenisligi(QStringView alan) const;
    // Model columns shown, in display order.
    QList<int> gorunurKolonlar() const;

    // --- Sizing ---
    // Every shown column as wide as its widest content (or caption), in one pass.
    void enIyiSigdir();
    // Shown columns share kullanilabilir pixels by their weights: unit =
    // kullanilabilir / sum of weights (truncated), width = weight × unit.
    // With weights summing to 0 the columns are fitted to their content.
    void agirligaGoreBoyutlandir(int kullanilabilir);
    // A screen's column sizing: weight sizing over (grid width − pay), or best
    // fit when esik > 0 and the screen is esik pixels wide or narrower.
    // ekranGenisligi 0 reads the grid's screen.
    void kolonGenislikleriniAyarla(int pay, int esik = 0, int ekranGenisligi = 0);
    int yatayKaydirmaCubuguYuksekligi() const;

    // --- Filter ---
    // Shows only the rows whose text in the field is one of metinler.
    void suzgecAyarla(QStringView alan, const QStringList &metinler);
    void suzgeciTemizle();
    bool suzgecVarMi() const;
    void suzgecPenceresiniAc(int kolon);
    SuzgecPenceresi *acikSuzgecPenceresi() const;

    // --- Rows as shown (after sorting and filtering) ---
    int gorunenSatirSayisi() const;
    qsizetype tabloSatiri(int gorunenSatir) const;
    QString hucreMetni(int gorunenSatir, int kolon) const;
    // The table row of the focused grid row, -1 when none is focused.
    qsizetype odakliSatir() const;
    // The field of the focused column (the basket acts on it).
    QString odakliAlan() const;
    bool satiraOdaklan(qsizetype tabloSatiri, QStringView alan = {});
    // Sum of a numeric field over the rows shown.
    double gorunenToplam(QStringView alan) const;

    // --- Footer ---
    QString altBilgiMetni(QStringView alan) const;
    void altBilgiKancasiAyarla(std::function<void(AltBilgi &)> kanca);
    void altBilgiyiHesapla();

    // --- Chooser and clipboard ---
    void kolonSeciciyiAc();
    KolonSecici *kolonSecici() const;
    // The selected rows (or the focused one) as tab-separated text of the shown columns.
    QString secilenlerMetni() const;
    void secilenleriKopyala();

    QTableView *gorunum() const { return gorunum_; }
    IzgaraModeli *model() const { return model_; }
    IzgaraSuzgeci *suzgec() const { return suzgec_; }

signals:
    // A double-click or Enter on a row: the screen's row action.
    void etkinlestirildi(qsizetype tabloSatiri);
    void dugmeTiklandi(qsizetype tabloSatiri, const QString &alan);
    // The user showed or hid columns in the chooser.
    void kolonlarDegisti();
    void suzgecDegisti();

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    bool tusBasildi(QKeyEvent *olay);
    bool artimliAra(const QString &metin, bool bastan);
    void aramayiBitir();
    void basliginMenusu(const QPoint &yer);
    void suzgecliKolonlariGoster();
    int icerikGenisligi(int kolon) const;

    IzgaraAyarlari ayarlar_;
    QTableView *gorunum_;
    IzgaraModeli *model_;
    IzgaraSuzgeci *suzgec_;
    IzgaraBasligi *baslik_;
    HucreCizici *cizici_;
    IzgaraAltBilgisi *altBilgi_;
    QList<bool> secicide_;
    QPointer<KolonSecici> kolonSecici_;
    QPointer<SuzgecPenceresi> suzgecPenceresi_;
    std::function<void(AltBilgi &)> altBilgiKancasi_;
    int guncellemeDerinligi_ = 0;
    QString arama_;
    QTimer aramaZamanlayicisi_;
    QTimer altBilgiZamanlayicisi_;
};
