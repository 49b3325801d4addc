// Fuzz target of the HTML renderer: any text parses without crashing into a
// well-formed tree, which then measures, draws and yields its links on an image.
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "widgets/html/simplehtml.h"

namespace {

void beklenmedik(bool kosul)
{
    if (!kosul)
        std::abort();
}

void agaciDenetle(TSimpleHTMLNode &n, int derinlik)
{
    beklenmedik(derinlik <= TSimpleHTML::EnDerinIcIce + 1);
    if (n.TagName().isEmpty())
        beklenmedik(!n.HasChildren() && n.Parent() != nullptr);
    if (n.HasChildren())
        beklenmedik(n.Text().isEmpty());
    beklenmedik(n.Document() != nullptr);
    for (int i = 0; i < n.ChildCount(); ++i) {
        beklenmedik(n.Children(i)->Parent() == &n);
        agaciDenetle(*n.Children(i), derinlik + 1);
    }
}

QGuiApplication &uygulama()
{
    static int argc = 1;
    static char ad[] = "fuzz_html";
    static char *argv[] = {ad, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *veri, size_t boyut)
{
    uygulama();
    const QString metin =
        QString::fromUtf8(reinterpret_cast<const char *>(veri), static_cast<qsizetype>(boyut));
    TSimpleHTML belge(metin);
    agaciDenetle(belge, 0);

    belge.setDurSuresi(std::chrono::milliseconds(0));
    belge.setOnGetImage([](TSimpleHTML *, const QString &uri, QImage &resim) {
        if (!uri.isEmpty()) {
            resim = QImage(3, 2, QImage::Format_RGB32);
            resim.fill(Qt::red);
        }
    });
    QImage tuval(256, 32, QImage::Format_RGB32);
    tuval.fill(Qt::white);
    QPainter p(&tuval);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    const QSize boy = belge.Extend(p);
    beklenmedik(boy.width() >= 0 && boy.height() >= 0);
    belge.Draw(p, tuval.rect());
    TSimpleLinks links;
    const int sayi = belge.CollectLinks(p, tuval.rect(), links);
    beklenmedik(sayi == links.Count());
    return 0;
}
