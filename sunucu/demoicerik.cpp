#include "sunucu/demoicerik.h"

#include <array>
#include <cstdint>
#include <map>

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::StringLiterals;

namespace {

QByteArray resimBaytlari(const QImage &resim, const char *bicim, int kalite = 85)
{
    QByteArray baytlar;
    QBuffer tampon(&baytlar);
    tampon.open(QIODevice::WriteOnly);
    resim.save(&tampon, bicim, kalite);
    return baytlar;
}

QFont yazi(int piksel, bool kalin = true)
{
    QFont f(u"DejaVu Sans"_s);
    f.setPixelSize(piksel);
    f.setBold(kalin);
    return f;
}

void parcaCiz(QPainter &p, int tur)
{
    p.setPen(QPen(QColor(40, 40, 40), 3));
    const QPointF m(200, 140);
    switch (tur % parcaResmiTurSayisi) {
    case 0: { // brake disc
        QRadialGradient g(m, 110);
        g.setColorAt(0, QColor(220, 220, 225));
        g.setColorAt(1, QColor(120, 120, 130));
        p.setBrush(g);
        p.drawEllipse(m, 110, 110);
        p.setBrush(QColor(90, 90, 100));
        p.drawEllipse(m, 45, 45);
        p.setBrush(Qt::white);
        for (int i = 0; i < 5; ++i) {
            const QTransform t = QTransform().translate(m.x(), m.y()).rotate(72.0 * i);
            p.drawEllipse(t.map(QPointF(0, -28)), 6, 6);
        }
        break;
    }
    case 1: { // oil filter
        QLinearGradient g(110, 0, 290, 0);
        g.setColorAt(0, QColor(0, 70, 160));
        g.setColorAt(0.5, QColor(80, 150, 240));
        g.setColorAt(1, QColor(0, 50, 120));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(110, 40, 180, 200), 20, 20);
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(120, 235, 160, 20));
        break;
    }
    case 2: { // spark plug
        p.setBrush(QColor(245, 245, 240));
        p.drawRoundedRect(QRectF(175, 20, 50, 120), 12, 12);
        p.setBrush(QColor(170, 170, 175));
        p.drawRect(QRectF(160, 140, 80, 40));
        p.setBrush(QColor(140, 110, 60));
        p.drawRect(QRectF(180, 180, 40, 70));
        break;
    }
    case 3: // brake pads
        p.setBrush(QColor(70, 70, 75));
        p.drawRoundedRect(QRectF(60, 90, 130, 110), 30, 30);
        p.drawRoundedRect(QRectF(210, 90, 130, 110), 30, 30);
        p.setBrush(QColor(190, 60, 40));
        p.drawRect(QRectF(60, 180, 130, 20));
        p.drawRect(QRectF(210, 180, 130, 20));
        break;
    case 4: // shock absorber
        p.setBrush(QColor(230, 180, 0));
        p.drawRect(QRectF(170, 110, 60, 150));
        p.setBrush(QColor(200, 200, 205));
        p.drawRect(QRectF(188, 30, 24, 90));
        p.drawEllipse(QPointF(200, 28), 16, 16);
        break;
    case 5: { // bulb
        QRadialGradient g(QPointF(200, 110), 80);
        g.setColorAt(0, QColor(255, 255, 220));
        g.setColorAt(1, QColor(255, 210, 80));
        p.setBrush(g);
        p.drawEllipse(QPointF(200, 110), 75, 75);
        p.setBrush(QColor(170, 170, 175));
        p.drawRect(QRectF(170, 180, 60, 70));
        break;
    }
    case 6: // belt
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(30, 30, 30), 16));
        p.drawRoundedRect(QRectF(70, 60, 260, 160), 80, 80);
        break;
    default: // wiper blade
        p.setPen(QPen(QColor(30, 30, 30), 12, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(50, 220), QPointF(350, 60));
        p.setPen(QPen(QColor(120, 120, 120), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(200, 140), QPointF(240, 250));
        break;
    }
}

// --- GIF (LZW) ---

int paletIndeksi(QRgb renk)
{
    const int r = qRed(renk), g = qGreen(renk), b = qBlue(renk);
    const int enBuyuk = std::max({r, g, b}), enKucuk = std::min({r, g, b});
    if (enBuyuk - enKucuk < 12)
        return 216 + ((r + g + b) / 3) * 39 / 255;
    const auto adim = [](int v) { return (v + 25) / 51; };
    return adim(r) * 36 + adim(g) * 6 + adim(b);
}

class BitYazici
{
public:
    explicit BitYazici(QByteArray &cikti)
        : cikti_(cikti)
    {
    }
    void yaz(int kod, int uzunluk)
    {
        biriken_ |= static_cast<std::uint32_t>(kod) << bitSayisi_;
        bitSayisi_ += uzunluk;
        while (bitSayisi_ >= 8) {
            blokaEkle(static_cast<char>(biriken_ & 0xFF));
            biriken_ >>= 8;
            bitSayisi_ -= 8;
        }
    }
    void bitir()
    {
        if (bitSayisi_ > 0)
            blokaEkle(static_cast<char>(biriken_ & 0xFF));
        blokYaz();
        cikti_.append('\0');
    }

private:
    void blokaEkle(char c)
    {
        blok_.append(c);
        if (blok_.size() == 255)
            blokYaz();
    }
    void blokYaz()
    {
        if (blok_.isEmpty())
            return;
        cikti_.append(static_cast<char>(blok_.size()));
        cikti_.append(blok_);
        blok_.clear();
    }

    QByteArray &cikti_;
    QByteArray blok_;
    std::uint32_t biriken_ = 0;
    int bitSayisi_ = 0;
};

void lzwYaz(QByteArray &cikti, const std::vector<std::uint8_t> &indeksler)
{
    constexpr int enKucukKod = 8, temizle = 256, bitis = 257;
    cikti.append(static_cast<char>(enKucukKod));
    BitYazici bitler(cikti);
    std::map<std::pair<int, int>, int> sozluk;
    int kodUzunlugu = enKucukKod + 1;
    int sonKod = bitis;
    bitler.yaz(temizle, kodUzunlugu);
    int gecerli = -1;
    for (const std::uint8_t d : indeksler) {
        if (gecerli < 0) {
            gecerli = d;
            continue;
        }
        const auto bulunan = sozluk.find({gecerli, d});
        if (bulunan != sozluk.end()) {
            gecerli = bulunan->second;
            continue;
        }
        bitler.yaz(gecerli, kodUzunlugu);
        sozluk[{gecerli, d}] = ++sonKod;
        if (sonKod >= (1 << kodUzunlugu))
            ++kodUzunlugu;
        if (sonKod == 4095) {
            bitler.yaz(temizle, kodUzunlugu);
            sozluk.clear();
            kodUzunlugu = enKucukKod + 1;
            sonKod = bitis;
        }
        gecerli = d;
    }
    if (gecerli >= 0)
        bitler.yaz(gecerli, kodUzunlugu);
    bitler.yaz(temizle, kodUzunlugu);
    bitler.yaz(bitis, enKucukKod + 1);
    bitler.bitir();
}

void ekle16(QByteArray &b, int deger)
{
    b.append(static_cast<char>(deger & 0xFF));
    b.append(static_cast<char>((deger >> 8) & 0xFF));
}

void ekle32(QByteArray &b, std::uint32_t deger)
{
    ekle16(b, static_cast<int>(deger & 0xFFFF));
    ekle16(b, static_cast<int>(deger >> 16));
}

std::uint32_t crc32(const QByteArray &veri)
{
    static const std::array<std::uint32_t, 256> tablo = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char bayt : veri)
        c = tablo[(c ^ static_cast<std::uint8_t>(bayt)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QString xmlKacis(QString s)
{
    return s.replace(u'&', u"&amp;"_s).replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s).replace(u'"', u"&quot;"_s);
}

// PDF's standard fonts know no Turkish letters outside Latin-1.
QByteArray pdfMetni(const QString &s)
{
    QString d = s;
    const std::pair<char16_t, char16_t> harfler[] = {{u'ğ', u'g'}, {u'Ğ', u'G'}, {u'ş', u's'}, {u'Ş', u'S'},
                                                     {u'ı', u'i'}, {u'İ', u'I'}};
    for (const auto &[tr, lat] : harfler)
        d.replace(QChar(tr), QChar(lat));
    QByteArray b = d.toLatin1();
    b.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)");
    return b;
}

const char *const icerikTurleriBasi =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";

QByteArray iliskiler(const char *tur, const char *hedef)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/")
            + tur + "\" Target=\"" + hedef + "\"/></Relationships>";
}

} // namespace

QByteArray parcaResmi(int tur, const QString &etiket)
{
    QImage resim(400, 300, QImage::Format_RGB32);
    resim.fill(Qt::white);
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    parcaCiz(p, tur);
    p.setPen(QColor(60, 60, 60));
    p.setFont(yazi(18));
    p.drawText(QRectF(0, 262, 400, 34), Qt::AlignCenter, etiket);
    p.end();
    return resimBaytlari(resim, "JPG");
}

QByteArray duyuruResmi(const QString &baslik, const QString &alt, int renk)
{
    QImage resim(600, 400, QImage::Format_RGB32);
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 600, 400);
    g.setColorAt(0, QColor::fromHsv((renk * 47) % 360, 200, 220));
    g.setColorAt(1, QColor::fromHsv((renk * 47 + 40) % 360, 230, 120));
    p.fillRect(resim.rect(), g);
    parcaCiz(p, renk);
    p.setPen(Qt::white);
    p.setFont(yazi(46));
    p.drawText(QRectF(20, 250, 560, 70), Qt::AlignCenter, baslik);
    p.setFont(yazi(24, false));
    p.drawText(QRectF(20, 320, 560, 50), Qt::AlignCenter, alt);
    p.end();
    return resimBaytlari(resim, "JPG");
}

QByteArray bannerGif()
{
    std::vector<QImage> kareler;
    const QString yazilar[] = {u"ORİJİNAL YEDEK PARÇA"_s, u"AYNI GÜN KARGO"_s, u"BAYİLERE ÖZEL FİYAT"_s};
    for (int i = 0; i < 12; ++i) {
        QImage kare(300, 80, QImage::Format_RGB32);
        kare.fill(QColor(0, 51, 102));
        QPainter p(&kare);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(255, 204, 0));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(20 + i * 23, 70), 6, 6);
        p.setPen(Qt::white);
        p.setFont(yazi(20));
        p.drawText(kare.rect().adjusted(0, 0, 0, -14), Qt::AlignCenter, yazilar[i / 4]);
        p.end();
        kareler.push_back(kare);
    }
    return gifYaz(kareler, 25);
}

QByteArray gifYaz(const std::vector<QImage> &kareler, int gecikme)
{
    if (kareler.empty())
        return {};
    const int en = kareler.front().width(), boy = kareler.front().height();
    QByteArray b("GIF89a");
    ekle16(b, en);
    ekle16(b, boy);
    b.append(static_cast<char>(0xF7)); // global table of 256 colours
    b.append('\0');
    b.append('\0');
    for (int i = 0; i < 256; ++i) {
        int r, g, m;
        if (i < 216) {
            r = i / 36 * 51, g = i / 6 % 6 * 51, m = i % 6 * 51;
        } else {
            r = g = m = (i - 216) * 255 / 39;
        }
        b.append(static_cast<char>(r)).append(static_cast<char>(g)).append(static_cast<char>(m));
    }
    b.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    ekle16(b, 0); // loop for ever
    b.append('\0');
    for (const QImage &kaynak : kareler) {
        const QImage kare = kaynak.convertToFormat(QImage::Format_RGB32);
        b.append("\x21\xF9\x04\x04", 4); // graphic control: leave in place
        ekle16(b, gecikme);
        b.append('\0').append('\0');
        b.append('\x2C');
        ekle16(b, 0);
        ekle16(b, 0);
        ekle16(b, en);
        ekle16(b, boy);
        b.append('\0');
        std::vector<std::uint8_t> indeksler;
        indeksler.reserve(static_cast<size_t>(en * boy));
        for (int y = 0; y < boy; ++y) {
            const auto *satir = reinterpret_cast<const QRgb *>(kare.constScanLine(y));
            for (int x = 0; x < en; ++x)
                indeksler.push_back(static_cast<std::uint8_t>(paletIndeksi(satir[x])));
        }
        lzwYaz(b, indeksler);
    }
    b.append('\x3B');
    return b;
}

QByteArray zipArsivi(const std::vector<std::pair<QString, QByteArray>> &girdiler)
{
    QByteArray arsiv, dizin;
    // A fixed time stamp (1 January 2020) keeps the archive the same run to run.
    const int saat = 0, tarih = ((2020 - 1980) << 9) | (1 << 5) | 1;
    for (const auto &girdi : girdiler) {
        const QString &ad = girdi.first;
        const QByteArray &veri = girdi.second;
        const QByteArray adUtf8 = ad.toUtf8();
        const std::uint32_t crc = crc32(veri);
        const auto ortak = [&](QByteArray &h) {
            ekle16(h, 20);
            ekle16(h, 0x0800); // names in UTF-8
            ekle16(h, 0); // stored
            ekle16(h, saat);
            ekle16(h, tarih);
            ekle32(h, crc);
            ekle32(h, static_cast<std::uint32_t>(veri.size()));
            ekle32(h, static_cast<std::uint32_t>(veri.size()));
            ekle16(h, static_cast<int>(adUtf8.size()));
            ekle16(h, 0);
        };
        const auto konum = static_cast<std::uint32_t>(arsiv.size());
        ekle32(arsiv, 0x04034b50);
        ortak(arsiv);
        arsiv.append(adUtf8).append(veri);

        ekle32(dizin, 0x02014b50);
        ekle16(dizin, 20);
        ortak(dizin);
        ekle16(dizin, 0); // comment
        ekle16(dizin, 0); // disk
        ekle16(dizin, 0); // internal attributes
        ekle32(dizin, 0); // external attributes
        ekle32(dizin, konum);
        dizin.append(adUtf8);
    }
    const auto dizinKonumu = static_cast<std::uint32_t>(arsiv.size());
    arsiv.append(dizin);
    ekle32(arsiv, 0x06054b50);
    ekle16(arsiv, 0);
    ekle16(arsiv, 0);
    ekle16(arsiv, static_cast<int>(girdiler.size()));
    ekle16(arsiv, static_cast<int>(girdiler.size()));
    ekle32(arsiv, static_cast<std::uint32_t>(dizin.size()));
    ekle32(arsiv, dizinKonumu);
    ekle16(arsiv, 0);
    return arsiv;
}

QByteArray pdfBelgesi(const QString &baslik, const QStringList &satirlar)
{
    QByteArray icerik = "BT /F1 18 Tf 50 790 Td (" + pdfMetni(baslik) + ") Tj ET\n";
    int y = 760;
    for (const QString &s : satirlar) {
        if (y < 50)
            break;
        icerik += "BT /F1 11 Tf 50 " + QByteArray::number(y) + " Td (" + pdfMetni(s) + ") Tj ET\n";
        y -= 16;
    }
    const QByteArray nesneler[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(icerik.size()) + " >>\nstream\n" + icerik + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
    };
    QByteArray pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<qsizetype> konumlar;
    for (size_t i = 0; i < std::size(nesneler); ++i) {
        konumlar.push_back(pdf.size());
        pdf += QByteArray::number(qsizetype(i + 1)) + " 0 obj\n" + nesneler[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(qsizetype(konumlar.size() + 1)) + "\n0000000000 65535 f \n";
    for (const qsizetype k : konumlar)
        pdf += QByteArray::number(k).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(qsizetype(konumlar.size() + 1))
            + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray xlsxBelgesi(const QStringList &basliklar, const std::vector<QStringList> &satirlar)
{
    QString sayfa = u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"_s;
    const auto satirYaz = [&](const QStringList &hucreler) {
        sayfa += u"<row>"_s;
        for (const QString &h : hucreler) {
            bool sayi = false;
            h.toDouble(&sayi);
            sayfa += sayi ? u"<c><v>%1</v></c>"_s.arg(h)
                          : u"<c t=\"inlineStr\"><is><t>%1</t></is></c>"_s.arg(xmlKacis(h));
        }
        sayfa += u"</row>"_s;
    };
    satirYaz(basliklar);
    for (const QStringList &s : satirlar)
        satirYaz(s);
    sayfa += u"</sheetData></worksheet>"_s;
    const QByteArray turler = QByteArray(icerikTurleriBasi)
            + "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
              "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
              "</Types>";
    const QByteArray kitap =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<sheets><sheet name=\"Liste\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    return zipArsivi({{u"[Content_Types].xml"_s, turler},
                      {u"_rels/.rels"_s, iliskiler("officeDocument", "xl/workbook.xml")},
                      {u"xl/workbook.xml"_s, kitap},
                      {u"xl/_rels/workbook.xml.rels"_s, iliskiler("worksheet", "worksheets/sheet1.xml")},
                      {u"xl/worksheets/sheet1.xml"_s, sayfa.toUtf8()}});
}

QByteArray docxBelgesi(const QString &baslik, const QStringList &paragraflar)
{
    QString govde = u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
                    "<w:p><w:r><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr><w:t>%1</w:t></w:r></w:p>"_s.arg(xmlKacis(baslik));
    for (const QString &p : paragraflar)
        govde += u"<w:p><w:r><w:t xml:space=\"preserve\">%1</w:t></w:r></w:p>"_s.arg(xmlKacis(p));
    govde += u"</w:body></w:document>"_s;
    const QByteArray turler = QByteArray(icerikTurleriBasi)
            + "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
              "</Types>";
    return zipArsivi({{u"[Content_Types].xml"_s, turler},
                      {u"_rels/.rels"_s, iliskiler("officeDocument", "word/document.xml")},
                      {u"word/document.xml"_s, govde.toUtf8()}});
}

QByteArray xlsXmlBelgesi(const QStringList &basliklar, const std::vector<QStringList> &satirlar)
{
    QString x = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?mso-application progid=\"Excel.Sheet\"?>\n"
                "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\" "
                "xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">"
                "<Worksheet ss:Name=\"Liste\"><Table>"_s;
    const auto satirYaz = [&](const QStringList &hucreler) {
        x += u"<Row>"_s;
        for (const QString &h : hucreler) {
            bool sayi = false;
            h.toDouble(&sayi);
            x += u"<Cell><Data ss:Type=\"%1\">%2</Data></Cell>"_s.arg(sayi ? u"Number"_s : u"String"_s, xmlKacis(h));
        }
        x += u"</Row>"_s;
    };
    satirYaz(basliklar);
    for (const QStringList &s : satirlar)
        satirYaz(s);
    x += u"</Table></Worksheet></Workbook>\n"_s;
    return x.toUtf8();
}

QByteArray rtfBelgesi(const QString &baslik, const QStringList &paragraflar)
{
    const auto kacis = [](const QString &s) {
        QByteArray b;
        for (const QChar c : s) {
            if (c == u'\\' || c == u'{' || c == u'}')
                b += '\\' + QByteArray(1, static_cast<char>(c.unicode()));
            else if (c.unicode() < 128)
                b += static_cast<char>(c.unicode());
            else
                b += "\\u" + QByteArray::number(static_cast<qint16>(c.unicode())) + "?";
        }
        return b;
    };
    QByteArray r = "{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 {\\b\\fs32 "
            + kacis(baslik) + "}\\par\\par\n";
    for (const QString &p : paragraflar)
        r += kacis(p) + "\\par\n";
    return r + "}";
}

QByteArray resimBelgesi(const QString &baslik, const char *bicim)
{
    QImage resim(800, 500, QImage::Format_RGB32);
    resim.fill(QColor(245, 247, 250));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(60 + i * 180, 40);
        p.scale(0.45, 0.45);
        parcaCiz(p, i * 2);
        p.restore();
    }
    p.setPen(QColor(0, 51, 102));
    p.setFont(yazi(40));
    p.drawText(QRectF(0, 260, 800, 120), Qt::AlignCenter, baslik);
    p.end();
    return resimBaytlari(resim, bicim);
}
