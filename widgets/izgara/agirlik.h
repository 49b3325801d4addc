#pragma once

#include <QList>

// Widths of columns that share kullanilabilir pixels by their weights:
// unit = kullanilabilir / (sum of weights), truncated, and each width =
// weight × unit. Empty when the weights sum to 0 or less (the caller then
// fits the columns to their content); a negative space gives zero widths.
QList<int> agirlikGenislikleri(const QList<int> &agirliklar, int kullanilabilir);
