#pragma once

#include <functional>
#include <optional>

#include <QString>

class QWidget;
class VeriIzgarasi;

// The export behind every "Excel Kaydet" button: a save dialog with the
// filter "Excel (*.xls*)"; cancel does nothing; the chosen name gets the
// extension ".xls" (added when missing, any other replaced); the grid's shown
// columns with their captions, then every row the grid shows after its
// filter, in its order, typed. A file that cannot be written shows the
// error's text and leaves nothing behind.
void ExceleAktar(VeriIzgarasi *izgara);

// The name the file is written under.
QString xlsUzantisi(const QString &dosya);

// Writes the grid without asking; the error's text on failure.
std::optional<QString> IzgarayiXlsYaz(const VeriIzgarasi &izgara, const QString &dosya);

// How the export talks to the user. The widgets know nothing of the program's
// message dialog: the program installs one that uses it (the default is a
// plain Qt message box with Turkish captions). Returns the previous pair.
struct ExcelMesajlari
{
    std::function<void(QWidget *ust, const QString &hata)> hataGoster;
    // A Yes/No question, "No" by default; true for Yes.
    std::function<bool(QWidget *ust, const QString &soru)> sor;
};
ExcelMesajlari ExcelMesajlariniKur(ExcelMesajlari mesajlar);
