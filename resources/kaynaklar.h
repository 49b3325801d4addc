#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

// The pictures the program draws itself (SVG, compiled into the program under ":/").

// The picture of a stock status code DURUM: 0 "Yok", 1 "Var", 2 "Telefon Açınız", 3 "Yolda",
// 4 "Özel Sipariş", 5 "Tedarik Sürecinde".
QHash<int, QIcon> StokDurumSimgeleri();
// Yes / no pictures for check columns: 1 yes, 0 no.
QHash<int, QIcon> EvetHayirSimgeleri();

// A picture by its name without folder and extension ("sekme-sepet", "menu", "ara",
// "mesgul", "durum-3"); a null icon for an unknown name.
QIcon Simge(const QString &ad);
// The resource path of a picture, for QSvgRenderer / QSvgWidget ("afis", "resimseridi" and
// every name Simge knows).
QString ResimYolu(const QString &ad);
