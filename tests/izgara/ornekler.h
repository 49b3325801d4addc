#pragma once

#include <QIcon>
#include <QList>

#include "remote/tablo/bellektablo.h"
#include "widgets/izgara/izgarakolonu.h"

// Small fixtures the grid and export tests share.

// A plain square icon.
QIcon renkliIkon(Qt::GlobalColor renk);

// A small basket: names with Turkish letters, quantities, amounts, brands,
// a status code and an order date, five rows; the money format applied.
//   Fren balatası   2  1234.50  Bosch    1  2024-03-01
//   Çamurluk       10    99.99  Valeo    0  2024-03-02
//   Conta           9     0.50  Bosch    3  2024-03-03
//   Şanzıman yağı   1  2000.00  Castrol  1  2024-03-04
//   filtre          4    10.01  Valeo    5  2024-03-05
struct Sepet
{
    BellekTablo tablo;
    Sepet();
    // Its grid: the name (count in the footer), quantity and amount (sums),
    // the brand hidden but in the chooser, the status as icons; not the date.
    static QList<IzgaraKolonu> kolonlar();
};
