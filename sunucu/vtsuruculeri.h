#pragma once

#include <memory>

#include <QString>

#include "sunucu/veritabani.h"

// The two drivers behind veritabaniAc().
std::unique_ptr<Veritabani> sqliteAc(const QString &dosya);
std::unique_ptr<Veritabani> postgresAc(const QString &adres);
