#include "tests/izgara/xlsokuyucu.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

using namespace Qt::StringLiterals;

bool xlrdKurulu()
{
    QProcess python;
    python.start(QStringLiteral(DOTEZMAR_PYTHON3), {u"-c"_s, u"import xlrd"_s});
    return python.waitForFinished(30'000) && python.exitStatus() == QProcess::NormalExit &&
        python.exitCode() == 0;
}

std::optional<QJsonObject> xlsOku(const QString &dosya, QString *hata)
{
    QProcess okuyucu;
    okuyucu.start(QStringLiteral(DOTEZMAR_PYTHON3),
                  {QStringLiteral(DOTEZMAR_TEST_KAYNAK "/xls_oku.py"), dosya});
    if (!okuyucu.waitForFinished(120'000) || okuyucu.exitStatus() != QProcess::NormalExit) {
        *hata = u"python3 çalışmadı: "_s + okuyucu.errorString();
        return std::nullopt;
    }
    const QByteArray cikti = okuyucu.readAllStandardOutput();
    const QString hataCiktisi = QString::fromUtf8(okuyucu.readAllStandardError());
    if (okuyucu.exitCode() != 0) {
        *hata = hataCiktisi;
        return std::nullopt;
    }
    return QJsonDocument::fromJson(cikti).object();
}

QJsonObject xlsHucresi(const QJsonObject &kitap, int s, int r, int c)
{
    return kitap[u"sayfalar"_s][s][u"satirlar"_s][r][c].toObject();
}
