#pragma once

#include <optional>

#include <QJsonObject>
#include <QString>

// Whether the independent reader (Debian's python3-xlrd) is installed.
bool xlrdKurulu();

// Reads a workbook back with that reader (through xls_oku.py). No value when
// it cannot read the file; its complaint is in hata.
std::optional<QJsonObject> xlsOku(const QString &dosya, QString *hata);

// The text of a cell read by xlsOku: sheet s, row r, column c.
QJsonObject xlsHucresi(const QJsonObject &kitap, int s, int r, int c);
