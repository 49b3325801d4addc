#include "widgets/izgara/xlsyazici.h"

#include <algorithm>
#include <cstring>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <memory>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// Record types of the BIFF8 stream.
enum : quint16
{
    BOF = 0x0809,
    EOF_ = 0x000A,
    CODEPAGE = 0x0042,
    WINDOW1 = 0x003D,
    DATEMODE = 0x0022,
    FONT = 0x0031,
    FORMAT = 0x041E,
    XF = 0x00E0,
    STYLE = 0x0293,
    BOUNDSHEET = 0x0085,
    SST = 0x00FC,
    CONTINUE = 0x003C,
    EXTSST = 0x00FF,
    COLINFO = 0x007D,
    DIMENSIONS = 0x0200,
    WINDOW2 = 0x023E,
    LABELSST = 0x00FD,
    NUMBER = 0x0203,
};

// Longest record body BIFF8 allows; longer data goes on in CONTINUE records.
constexpr int kayitSiniri = 8224;

// XF numbers: 0–14 the style XFs every workbook carries, then ours.
enum : quint16
{
    xfGenel = 15,
    xfBaslik = 16,
    xfTarih = 17,
    xfTarihSaat = 18,
    xfSaat = 19,
    xfDesenler = 20, // one per distinct number pattern, in order
};
constexpr quint16 ilkOzelBicim = 164; // the first number-format index free for workbooks
enum : quint16
{
    bicimTarih = ilkOzelBicim,
    bicimTarihSaat,
    bicimSaat,
    bicimDesenler, // one per distinct number pattern
};

// Little-endian bytes of one record body.
class Govde
{
public:
    Govde &u8(quint8 v)
    {
        veri_.append(char(v));
        return *this;
    }
    Govde &u16(quint16 v) { return u8(v & 0xFF).u8(v >> 8); }
    Govde &u32(quint32 v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Govde &f64(double d)
    {
        quint64 bitler;
        std::memcpy(&bitler, &d, sizeof bitler);
        return u32(quint32(bitler)).u32(quint32(bitler >> 32));
    }
    // Characters as BIFF8 keeps them: one byte each when all fit in Latin-1,
    // else UTF-16LE; the option flag before them tells which.
    Govde &karakterler(QStringView s, bool genis)
    {
        for (const QChar c : s) {
            if (genis)
                u16(c.unicode());
            else
                u8(quint8(c.unicode()));
        }
        return *this;
    }
    // A text with a 16-bit length (XLUnicodeString).
    Govde &metin16(QStringView s)
    {
        const bool genis = genisMi(s);
        return u16(quint16(s.size())).u8(genis ? 1 : 0).karakterler(s, genis);
    }
    // A text with an 8-bit length (ShortXLUnicodeString).
    Govde &metin8(QStringView s)
    {
        const bool genis = genisMi(s);
        return u8(quint8(s.size())).u8(genis ? 1 : 0).karakterler(s, genis);
    }
    const QByteArray &veri() const { return veri_; }
    qsizetype boyut() const { return veri_.size(); }

    static bool genisMi(QStringView s)
    {
        return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() > 0xFF; });
    }

private:
    QByteArray veri_;
};

void kayitYaz(QByteArray &akis, quint16 tur, const QByteArray &govde)
{
    Q_ASSERT(govde.size() <= kayitSiniri);
    Govde baslik;
    baslik.u16(tur).u16(quint16(govde.size()));
    akis.append(baslik.veri());
    akis.append(govde);
}

void kayitYaz(QByteArray &akis, quint16 tur, const Govde &govde)
{
    kayitYaz(akis, tur, govde.veri());
}

// A cell record written straight into its sheet: a million cells must not
// mean a million small buffers.
void yerlestir16(char *p, quint16 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

void hucreKaydi(QByteArray &akis, quint16 tur, quint16 satir, quint16 kolon, quint16 xf,
                quint64 deger, int degerBoyu)
{
    char kayit[4 + 6 + 8];
    yerlestir16(kayit, tur);
    yerlestir16(kayit + 2, quint16(6 + degerBoyu));
    yerlestir16(kayit + 4, satir);
    yerlestir16(kayit + 6, kolon);
    yerlestir16(kayit + 8, xf);
    for (int i = 0; i < degerBoyu; ++i)
        kayit[10 + i] = char((deger >> (8 * i)) & 0xFF);
    akis.append(kayit, 10 + degerBoyu);
}

void metinHucresi(QByteArray &akis, quint16 satir, quint16 kolon, quint16 xf, quint32 metinNo)
{
    hucreKaydi(akis, LABELSST, satir, kolon, xf, metinNo, 4);
}

void sayiHucresi(QByteArray &akis, quint16 satir, quint16 kolon, quint16 xf, double sayi)
{
    quint64 bitler;
    std::memcpy(&bitler, &sayi, sizeof bitler);
    hucreKaydi(akis, NUMBER, satir, kolon, xf, bitler, 8);
}

Govde bof(quint16 tur)
{
    Govde g;
    g.u16(0x0600).u16(tur).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x00000006);
    return g;
}

Govde font(bool kalin)
{
    Govde g;
    g.u16(200) // 10 points, in twips
        .u16(kalin ? 0x0001 : 0) // readers look at this bold flag as well as the weight
        .u16(0x7FFF) // automatic colour
        .u16(kalin ? 700 : 400)
        .u16(0)
        .u8(0)
        .u8(0)
        .u8(0)
        .u8(0)
        .metin8(u"Arial");
    return g;
}

Govde xf(quint16 font, quint16 bicim, bool stil, quint8 hizalama, quint8 kullanilan)
{
    Govde g;
    g.u16(font)
        .u16(bicim)
        .u16(stil ? 0xFFF5 : 0x0001) // locked; a style XF has no parent
        .u8(hizalama)
        .u8(0)
        .u8(0)
        .u8(kullanilan)
        .u32(0) // no borders
        .u32(0)
        .u16(0x20C0); // default pattern colours
    return g;
}

// Days since 1899-12-30 with the time as the fraction: the 1900 date system.
// Before March 1900 the system counts a day that never was, so those dates
// are written as text instead.
std::optional<double> seriNumarasi(const QDateTime &z, XlsTuru tur)
{
    const double gunKesri = z.time().msecsSinceStartOfDay() / 86'400'000.0;
    if (tur == XlsTuru::Saat)
        return gunKesri;
    if (!z.isValid() || z.date() < QDate(1900, 3, 1))
        return std::nullopt;
    return double(QDate(1899, 12, 30).daysTo(z.date())) + (tur == XlsTuru::Tarih ? 0 : gunKesri);
}

QString zamanMetni(const QDateTime &z, XlsTuru tur)
{
    switch (tur) {
    case XlsTuru::Tarih:
        return z.date().toString(u"dd.MM.yyyy"_s);
    case XlsTuru::Saat:
        return z.time().toString(u"HH:mm:ss"_s);
    default:
        return z.toString(u"dd.MM.yyyy HH:mm:ss"_s);
    }
}

struct GObjeSilici
{
    void operator()(gpointer p) const { g_object_unref(p); }
};
template<typename T> using GObje = std::unique_ptr<T, GObjeSilici>;

} // namespace

struct XlsYazici::Sayfa
{
    QByteArray hucreler;
    quint32 satir = 0; // the next row to write
};

XlsYazici::XlsYazici(QList<XlsKolon> kolonlar)
    : kolonlar_(std::move(kolonlar))
{
    for (const XlsKolon &k : kolonlar_) {
        quint16 no = xfGenel;
        switch (k.tur) {
        case XlsTuru::Metin:
            break;
        case XlsTuru::Sayi:
            if (!k.bicim.isEmpty()) {
                qsizetype i = desenler_.indexOf(k.bicim);
                if (i < 0) {
                    desenler_.append(k.bicim);
                    i = desenler_.size() - 1;
                }
                no = quint16(xfDesenler + i);
            }
            break;
        case XlsTuru::Tarih:
            no = xfTarih;
            break;
        case XlsTuru::TarihSaat:
            no = xfTarihSaat;
            break;
        case XlsTuru::Saat:
            no = xfSaat;
            break;
        }
        kolonXf_.append(no);
    }
    sayfaAc();
}

XlsYazici::~XlsYazici() = default;

quint32 XlsYazici::metinNo(const QString &metin)
{
    ++metinHucreleri_;
    const auto it = metinNumaralari_.constFind(metin);
    if (it != metinNumaralari_.cend())
        return *it;
    const auto no = quint32(metinler_.size());
    metinNumaralari_.insert(metin, no);
    metinler_.append(metin);
    return no;
}

quint16 XlsYazici::sayiXf(int kolon) const
{
    return kolon < kolonXf_.size() ? kolonXf_[kolon] : quint16(xfGenel);
}

void XlsYazici::sayfaAc()
{
    sayfalar_.append(Sayfa {});
    Sayfa &sayfa = sayfalar_.last();
    const int kolonSayisi = std::min<int>(static_cast<int>(kolonlar_.size()), kolonSiniri);
    for (int k = 0; k < kolonSayisi; ++k) {
        metinHucresi(sayfa.hucreler, 0, quint16(k), xfBaslik,
                     metinNo(kolonlar_[k].baslik.left(metinSiniri)));
    }
    sayfa.satir = 1;
}

void XlsYazici::satirEkle(const QList<XlsHucre> &hucreler)
{
    if (sayfalar_.last().satir >= quint32(sayfaSatirSiniri))
        sayfaAc();
    Sayfa &sayfa = sayfalar_.last();
    const int kolonSayisi = std::min<int>(static_cast<int>(kolonlar_.size()), kolonSiniri);
    const quint16 satir = quint16(sayfa.satir);
    for (int k = 0; k < kolonSayisi && k < hucreler.size(); ++k) {
        const XlsHucre &h = hucreler[k];
        if (const double *sayi = std::get_if<double>(&h)) {
            sayiHucresi(sayfa.hucreler, satir, quint16(k), sayiXf(k), *sayi);
        } else if (const QString *metin = std::get_if<QString>(&h)) {
            if (metin->isEmpty())
                continue;
            metinHucresi(sayfa.hucreler, satir, quint16(k), xfGenel,
                         metinNo(metin->left(metinSiniri)));
        } else if (const QDateTime *zaman = std::get_if<QDateTime>(&h)) {
            XlsTuru tur = kolonlar_[k].tur;
            if (tur != XlsTuru::Tarih && tur != XlsTuru::Saat)
                tur = XlsTuru::TarihSaat;
            if (const auto seri = seriNumarasi(*zaman, tur)) {
                const quint16 no = tur == XlsTuru::Tarih ? xfTarih
                    : tur == XlsTuru::Saat               ? xfSaat
                                                         : xfTarihSaat;
                sayiHucresi(sayfa.hucreler, satir, quint16(k), no, *seri);
            } else if (zaman->isValid()) {
                metinHucresi(sayfa.hucreler, satir, quint16(k), xfGenel,
                             metinNo(zamanMetni(*zaman, tur)));
            }
        }
    }
    ++sayfa.satir;
    ++satirSayisi_;
}

QByteArray XlsYazici::calismaKitabi() const
{
    QByteArray akis;
    // --- Workbook globals ---
    kayitYaz(akis, BOF, bof(0x0005));
    kayitYaz(akis, CODEPAGE, Govde().u16(1200)); // UTF-16
    kayitYaz(akis, WINDOW1,
             Govde().u16(0).u16(0).u16(16000).u16(9000).u16(0x0038).u16(0).u16(0).u16(1).u16(600));
    kayitYaz(akis, DATEMODE, Govde().u16(0)); // 1900 date system
    // Font 4 does not exist in BIFF: four regular fonts, then the bold one as 5.
    for (int i = 0; i < 4; ++i)
        kayitYaz(akis, FONT, font(false));
    kayitYaz(akis, FONT, font(true));
    kayitYaz(akis, FORMAT, Govde().u16(bicimTarih).metin16(u"dd.mm.yyyy"));
    kayitYaz(akis, FORMAT, Govde().u16(bicimTarihSaat).metin16(u"dd.mm.yyyy hh:mm:ss"));
    kayitYaz(akis, FORMAT, Govde().u16(bicimSaat).metin16(u"hh:mm:ss"));
    for (qsizetype i = 0; i < desenler_.size(); ++i)
        kayitYaz(akis, FORMAT, Govde().u16(quint16(bicimDesenler + i)).metin16(desenler_[i]));
    // Style XFs as every workbook has them, then the cell XFs.
    constexpr quint8 altaHizali = 0x20;
    kayitYaz(akis, XF, xf(0, 0, true, altaHizali, 0));
    for (int i = 1; i < 15; ++i)
        kayitYaz(akis, XF, xf(i <= 2 ? 1 : (i <= 4 ? 2 : 0), 0, true, altaHizali, 0xF4));
    kayitYaz(akis, XF, xf(0, 0, false, altaHizali, 0));
    kayitYaz(akis, XF, xf(5, 0, false, altaHizali | 0x02, 0x18)); // bold, centred
    kayitYaz(akis, XF, xf(0, bicimTarih, false, altaHizali, 0x04));
    kayitYaz(akis, XF, xf(0, bicimTarihSaat, false, altaHizali, 0x04));
    kayitYaz(akis, XF, xf(0, bicimSaat, false, altaHizali, 0x04));
    for (qsizetype i = 0; i < desenler_.size(); ++i)
        kayitYaz(akis, XF, xf(0, quint16(bicimDesenler + i), false, altaHizali, 0x04));
    kayitYaz(akis, STYLE, Govde().u16(0x8000).u8(0).u8(0xFF)); // "Normal" is XF 0

    // Sheet positions are known only once the globals are complete.
    QList<qsizetype> sayfaKonumlari;
    for (qsizetype i = 0; i < sayfalar_.size(); ++i) {
        sayfaKonumlari.append(akis.size() + 4);
        kayitYaz(akis, BOUNDSHEET, Govde().u32(0).u16(0).metin8(u"Sayfa%1"_s.arg(i + 1)));
    }

    // The shared strings, split over CONTINUE records, with their index.
    const qsizetype kovaBoyu = std::max<qsizetype>(8, (metinler_.size() + 127) / 128);
    Govde dizin;
    dizin.u16(quint16(kovaBoyu));
    {
        QByteArray govde;
        Govde bas;
        bas.u32(metinHucreleri_).u32(quint32(metinler_.size()));
        govde = bas.veri();
        quint16 kayitTuru = SST;
        qsizetype kayitBasi = akis.size(); // where the current record's header will be
        auto kapat = [&] {
            kayitYaz(akis, kayitTuru, govde);
            govde.clear();
            kayitTuru = CONTINUE;
            kayitBasi = akis.size();
        };
        for (qsizetype i = 0; i < metinler_.size(); ++i) {
            const QString &s = metinler_[i];
            const bool genis = Govde::genisMi(s);
            const int karakterBoyu = genis ? 2 : 1;
            // A string's header and its first character stay in one record.
            if (govde.size() + 3 + karakterBoyu > kayitSiniri)
                kapat();
            if (i % kovaBoyu == 0) {
                const qsizetype konum = kayitBasi + 4 + govde.size();
                dizin.u32(quint32(konum)).u16(quint16(konum - kayitBasi)).u16(0);
            }
            Govde baslik;
            baslik.u16(quint16(s.size())).u8(genis ? 1 : 0);
            govde.append(baslik.veri());
            qsizetype yazilan = 0;
            while (yazilan < s.size()) {
                const qsizetype sigan = (kayitSiniri - govde.size()) / karakterBoyu;
                if (sigan == 0) {
                    // The characters go on in a CONTINUE that starts with the flag again.
                    kapat();
                    govde.append(char(genis ? 1 : 0));
                    continue;
                }
                const qsizetype parca = std::min(sigan, s.size() - yazilan);
                govde.append(
                    Govde().karakterler(QStringView(s).sliced(yazilan, parca), genis).veri());
                yazilan += parca;
            }
        }
        kapat();
    }
    kayitYaz(akis, EXTSST, dizin);
    kayitYaz(akis, EOF_, Govde());

    // --- The sheets ---
    const int kolonSayisi = std::min<int>(static_cast<int>(kolonlar_.size()), kolonSiniri);
    for (qsizetype i = 0; i < sayfalar_.size(); ++i) {
        const quint32 konum = quint32(akis.size());
        for (int b = 0; b < 4; ++b)
            akis[sayfaKonumlari[i] + b] = char((konum >> (8 * b)) & 0xFF);
        const Sayfa &sayfa = sayfalar_[i];
        kayitYaz(akis, BOF, bof(0x0010));
        for (int k = 0; k < kolonSayisi; ++k) {
            const int piksel = kolonlar_[k].genislikPiksel;
            if (piksel <= 0)
                continue;
            // Widths count in 1/256 of a digit's width, about 7 pixels in Arial 10.
            const int genislik = std::clamp(piksel * 256 / 7, 256, 255 * 256);
            kayitYaz(akis, COLINFO,
                     Govde()
                         .u16(quint16(k))
                         .u16(quint16(k))
                         .u16(quint16(genislik))
                         .u16(xfGenel)
                         .u16(0)
                         .u16(0));
        }
        kayitYaz(akis, DIMENSIONS,
                 Govde().u32(0).u32(sayfa.satir).u16(0).u16(quint16(kolonSayisi)).u16(0));
        akis.append(sayfa.hucreler);
        // Grid lines, headers, zeros shown; the first sheet is the selected one.
        const quint16 secenekler = i == 0 ? 0x06B6 : 0x00B6;
        kayitYaz(akis, WINDOW2, Govde().u16(secenekler).u16(0).u16(0).u32(64).u16(0).u16(0).u32(0));
        kayitYaz(akis, EOF_, Govde());
    }
    return akis;
}

std::optional<QString> XlsYazici::kaydet(const QString &dosya) const
{
    if (kolonlar_.size() > kolonSiniri)
        return u"Bir Excel sayfası en çok %1 kolon alabilir; tabloda %2 kolon var."_s
            .arg(kolonSiniri)
            .arg(kolonlar_.size());
    const QByteArray kitap = calismaKitabi();

    // The compound file is built in memory, then saved in one go.
    GObje<GsfOutput> bellek(gsf_output_memory_new());
    GObje<GsfOutfile> kutu(gsf_outfile_msole_new(bellek.get()));
    if (!kutu)
        return u"Excel dosyası oluşturulamadı."_s;
    {
        GObje<GsfOutput> akis(gsf_outfile_new_child(kutu.get(), "Workbook", FALSE));
        if (!akis ||
            !gsf_output_write(akis.get(), size_t(kitap.size()),
                              reinterpret_cast<const guint8 *>(kitap.constData())) ||
            !gsf_output_close(akis.get()))
            return u"Excel dosyası oluşturulamadı."_s;
    }
    if (!gsf_output_close(GSF_OUTPUT(kutu.get())))
        return u"Excel dosyası oluşturulamadı."_s;
    const auto boyut = gsf_output_size(bellek.get());
    const guint8 *bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(bellek.get()));

    QSaveFile hedef(dosya);
    if (!hedef.open(QIODevice::WriteOnly))
        return hedef.errorString();
    if (hedef.write(reinterpret_cast<const char *>(bytes), qint64(boyut)) != qint64(boyut)) {
        const QString hata = hedef.errorString();
        hedef.cancelWriting();
        return hata;
    }
    if (!hedef.commit())
        return hedef.errorString();
    return std::nullopt;
}
